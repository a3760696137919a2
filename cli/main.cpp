// tufu-cli: sheet numbers from the command line.
//
// One input in, one output line out.  A bad input prints an error in its
// place and the run goes on; the exit status is 1 when any input failed and
// 2 for a usage error or when the tool cannot read or write.  Without
// positional inputs, inputs are read from standard input, one per line,
// with the same fields separated by blanks; blank lines and lines that
// begin with "#" are kept in place (see `comment`).  A line may hold at
// most kLineMax bytes.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

#include "cli/args.h"
#include "cli/commands.h"
#include "cli/nogis.h"
#include "cli/output.h"
#include "cli/platform.h"
#include "core/scale.h"
#include "gazetteer/gazetteer.h"
#include "gazetteer/namefile.h"

namespace {

using namespace tufu;
using namespace tufu::cli;

constexpr std::string_view kVersion = TUFU_VERSION;

constexpr const char* kUsage = R"(用法: tufu-cli [选项] 命令 [输入...]

命令:
  point 经度 纬度 [--scale S]           点所在的图幅 (各比例尺, 或只一种)
  sheet 图幅编号...                      识别新/旧图幅编号并给出图幅信息
  contains 图幅编号... --scale S         图幅所含某一大比例尺的图幅区块
  neighbours 图幅编号...                 图幅的接图表: 周围八幅相邻图幅
  block 西 东 南 北 --scale S [--list]   经纬度区块在某一比例尺下的图幅
  grid ... -o 文件                       把一组图幅写成 GIS/CAD 图层 (grid --help)
  annotate 输入 -o 输出 --scale S        给点图层加上图幅编号 (annotate --help)

角度可写作 116,23,30 (度,分,秒)、116、136,30、116,23,30.5 (十进制秒)、
116.391667 (十进制度) 或 116°23′30″ (也可写作 116°23'30")。
比例尺可写作 1:5万、5万、1:50000 或 50000 (1:5000 也可写作 5千)。
没有输入时从标准输入逐行读取, 每行的各项以空格分隔; 空行和以 # 开头的行
原样输出 (--json 时为 {"input":"…", "comment":true}, --csv 时为只有 input
列的一行)。每行最长 65536 字节。

选项:
  --json             每个输入输出一个 JSON 对象
  --csv              输出 CSV: 一行表头, 然后每幅图一行 (point, sheet,
                     neighbours, block)
  --scale S          比例尺
  --standard 1992|2012
                     编号标准: GB/T 13989-1992 (默认, 九种比例尺) 或
                     GB/T 13989-2012 (另有 1:2000、1:1000、1:500)
  --names FILE       把 FILE (每行 图幅号<TAB>图名) 合并到内置图名表之上,
                     可给多次, 后给的优先
  --list             block: 列出区块的每一幅图
  --force            block: 多于一千万幅时也列出
  -h, --help         显示帮助 (命令后加 --help 显示该命令的帮助)
  --version          显示版本

退出状态: 0 全部成功; 1 有输入出错; 2 用法错误或无法读写。
)";

struct CommandHelp {
  std::string_view name, text;
};

constexpr CommandHelp kCommandHelp[] = {
    {"point", R"(用法: tufu-cli point 经度 纬度 [--scale S] [--json|--csv]

点所在的图幅: 各比例尺 (或 --scale 给出的一种) 的新图幅编号、旧图幅编号、
图幅范围、经差、纬差和图名。经度 0 至 180 度, 纬度 0 至 60 度。
例: tufu-cli point 116,23,30 39,54,30
    tufu-cli point 116.391667 39.908333 --scale 5万
)"},
    {"sheet", R"(用法: tufu-cli sheet 图幅编号... [--json|--csv]

识别新图幅编号 (J50C001002) 或旧图幅编号 (J-50-C, I-48-XXXV,
D-45-48-(26)-C), 给出另一种编号、比例尺、图幅范围、经差、纬差、图名和
所属的小比例尺图幅。每个编号是一项输入; 被拒绝的编号给出原因。
)"},
    {"contains", R"(用法: tufu-cli contains 图幅编号... --scale S [--json]

图幅所含某一大比例尺的图幅区块: 行列关系和四角图幅。
例: tufu-cli contains J50D005003 --scale 1万
)"},
    {"neighbours", R"(用法: tufu-cli neighbours 图幅编号... [--json|--csv]

图幅的接图表: 同一比例尺的八幅相邻图幅 (西北、北、东北、西、东、西南、
南、东南), 跨越百万分之一图幅和投影带; 0°至180°E、0°至60°N 以外没有图幅。
)"},
    {"block", R"(用法: tufu-cli block 西 东 南 北 --scale S [--list] [--json|--csv]

经纬度区块在某一比例尺下的图幅: 行*列数和四角图幅; --list 列出每一幅图
(自北向南逐行, 每行自西向东)。--csv 总是列出每一幅图。
例: tufu-cli block 114,30 118 39 41,30 --scale 100万 --list
)"},
};

// The fields of an input line, split at blanks and tabs.
void splitfields(std::string_view line, std::vector<std::string_view>& fields) {
  fields.clear();
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    const std::size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    if (i > start) fields.push_back(line.substr(start, i - start));
  }
}

bool blank(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

// The longest input line: far beyond any input, short enough to hold.
constexpr std::size_t kLineMax = 1 << 16;

// Reads standard input line by line and answers each line.  Returns the
// errno of a failed read, -1 for a line longer than kLineMax (its number
// in `lineno`), else 0.
template <typename Answer>
int eachline(Answer&& answer, std::int64_t& lineno) {
  std::string pending;
  std::vector<char> chunk(1 << 16);
  bool first = true;
  lineno = 0;
  for (;;) {
    const long n = readsome(STDIN_FILENO, chunk.data(), chunk.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) break;
    pending.append(chunk.data(), static_cast<std::size_t>(n));
    std::size_t start = 0;
    if (first && pending.size() >= 3) {
      if (pending.starts_with("\xEF\xBB\xBF")) start = 3;  // a byte order mark
      first = false;
    }
    for (std::size_t nl; (nl = pending.find('\n', start)) != std::string::npos; start = nl + 1) {
      std::string_view line(pending.data() + start, nl - start);
      ++lineno;
      if (line.size() > kLineMax) return -1;
      if (line.ends_with('\r')) line.remove_suffix(1);
      answer(line);
    }
    pending.erase(0, start);
    if (pending.size() > kLineMax) {
      ++lineno;
      return -1;
    }
  }
  ++lineno;
  std::string_view rest = pending;
  if (first && rest.starts_with("\xEF\xBB\xBF")) rest.remove_prefix(3);
  if (rest.ends_with('\r')) rest.remove_suffix(1);
  if (!rest.empty()) answer(rest);
  return 0;
}

#ifdef TUFU_GIS_HELPER
// The helper program that runs the GIS commands, which alone need GDAL:
// beside this program (in the build tree), or where it is installed
// relative to it.
std::string gishelper() {
  char self[4096];
  const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) return "tufu-cli-gis";
  std::string dir(self, static_cast<std::size_t>(n));
  dir.erase(dir.rfind('/') + 1);
  for (const char* place : {"tufu-cli-gis", TUFU_GIS_HELPER}) {
    const std::string path = dir + place;
    if (::access(path.c_str(), X_OK) == 0) return path;
  }
  return dir + TUFU_GIS_HELPER;
}

// Runs `grid` or `annotate` in the helper, with this command line.
int rungis(char** argv) {
  const std::string helper = gishelper();
  argv[0] = const_cast<char*>(helper.c_str());
  ::execv(helper.c_str(), argv);
  return fatal("无法运行 " + helper + " (grid 和 annotate 由它执行): " + errortext(errno));
}
#endif

}  // namespace

int main(int argc, char** argv) {
  Startup startup(argc, argv);
  argc = startup.argc();
  argv = startup.argv();
  const std::vector<std::string> args(argv + 1, argv + argc);
  const std::size_t at = commandat(args, {kGlobalOptions, kAnswerOptions});
  const std::string command = at < args.size() ? args[at] : std::string();
#ifdef TUFU_GIS_HELPER
  if (isgiscommand(command)) return rungis(argv);
#else
  if (isgiscommand(command)) return nogis(command);
#endif

  std::vector<std::string> rest = args;
  if (at < rest.size()) rest.erase(rest.begin() + static_cast<std::ptrdiff_t>(at));
  const Words w = parseargs(rest, {kGlobalOptions, kAnswerOptions}, true);
  if (w.has("--version")) {
    print(STDOUT_FILENO, "tufu-cli " + std::string(kVersion) + "\n");
    return 0;
  }
  if (!w.error.empty()) return usage(w.error);
  const bool json = w.has("--json"), csv = w.has("--csv"), list = w.has("--list");
  const std::vector<std::string>& inputs = w.positional;

  if (w.has("--help")) {
    for (const CommandHelp& h : kCommandHelp)
      if (h.name == command) {
        print(STDOUT_FILENO, h.text);
        return 0;
      }
    print(STDOUT_FILENO, kUsage);
    return 0;
  }
  if (command.empty()) return usage("缺少命令");
  const Command run = commandnamed(command);
  if (run == nullptr) return usage("未知命令 " + command);
  if (json && csv) return usage("--json 和 --csv 只能用一个");
  const std::string header = csvheader(command);
  if (csv && header.empty()) return usage(command + " 没有 CSV 输出");

  std::string refused;
  const auto standardchosen = editionof(w, refused);
  if (!standardchosen) return usage(refused);
  const Edition edition = *standardchosen;

  const Scale* scale = nullptr;
  if (w.has("--scale")) {
    const std::string& scaletext = w.value("--scale");
    scale = parsescale(scaletext, edition);
    if (scale == nullptr) {
      const bool later = parsescale(scaletext, Edition::k2012) != nullptr;
      return usage("无法识别的比例尺 \"" + scaletext + "\"" +
                   (later ? " (只在 --standard 2012 中有)" : ""));
    }
  }
  if ((command == "contains" || command == "block") && scale == nullptr)
    return usage(command + " 需要 --scale");

  Gazetteer names;
  if (std::string err = mergenames(w, names); !err.empty()) return fatal(err);

  Out out(STDOUT_FILENO, isterminal(STDOUT_FILENO));
  Context ctx{out, names};
  ctx.format = json ? Format::Json : csv ? Format::Csv : Format::Text;
  ctx.edition = edition;
  ctx.scale = scale;
  ctx.list = list;
  ctx.force = w.has("--force");
  if (csv) out.put(header).endline("\r\n");
  std::vector<std::string_view> fields;
  if (!inputs.empty()) {
    if (oneperargument(command)) {
      for (const std::string& arg : inputs) {
        const std::string_view one[] = {arg};
        run(ctx, Input{arg, one});
      }
    } else {
      std::string joined;
      for (const std::string& arg : inputs) {
        if (!joined.empty()) joined += ' ';
        joined += arg;
      }
      for (const std::string& arg : inputs) fields.emplace_back(arg);
      run(ctx, Input{joined, fields});
    }
  } else {
    std::int64_t lineno = 0;
    const int readerror = eachline(
        [&](std::string_view line) {
          if (blank(line) || line.starts_with('#')) return comment(ctx, line, header);
          splitfields(line, fields);
          run(ctx, Input{line, fields});
        },
        lineno);
    if (readerror < 0) {
      out.flush();
      return fatal("标准输入第 " + std::to_string(lineno) + " 行太长 (超过 " +
                   std::to_string(kLineMax) + " 字节)");
    }
    if (readerror != 0) {
      out.flush();
      return fatal("无法读取标准输入: " + errortext(readerror));
    }
  }
  if (!out.flush()) return fatal("无法写出结果: " + errortext(out.error()));
  return ctx.failed ? 1 : 0;
}
