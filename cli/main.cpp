// tufu-cli: sheet numbers from the command line.
//
// One input in, one output line out.  A bad input prints an error in its
// place and the run goes on; the exit status is 1 when any input failed and
// 2 for a usage error or when the tool cannot read or write.  Without
// positional inputs, inputs are read from standard input, one per line,
// with the same fields separated by blanks; blank lines and lines that
// begin with "#" are copied to the output as they are.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

#include "cli/commands.h"
#include "cli/giscommands.h"
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
原样输出。

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

int usage(const std::string& why) {
  Buffer out;
  out += "tufu-cli: ";
  cli::textsafe(out, why);
  out += "\n用 --help 查看用法\n";
  print(STDERR_FILENO, out.view());
  return 2;
}

int fatal(const std::string& why) {
  print(STDERR_FILENO, "tufu-cli: " + why + "\n");
  return 2;
}

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

// Reads standard input line by line and answers each line.  Returns the
// errno of a failed read, else 0.
template <typename Answer>
int eachline(Answer&& answer) {
  std::string pending;
  std::vector<char> chunk(1 << 16);
  bool first = true;
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
      if (line.ends_with('\r')) line.remove_suffix(1);
      answer(line);
    }
    pending.erase(0, start);
  }
  std::string_view rest = pending;
  if (first && rest.starts_with("\xEF\xBB\xBF")) rest.remove_prefix(3);
  if (rest.ends_with('\r')) rest.remove_suffix(1);
  if (!rest.empty()) answer(rest);
  return 0;
}

// Edition of "--standard".
std::optional<Edition> editionnamed(std::string_view name) {
  if (name == "1992") return Edition::k1992;
  if (name == "2012") return Edition::k2012;
  return std::nullopt;
}

// `grid` and `annotate` take options of their own: the global ones (
// --standard, --names) are taken out here and the rest handed on as they
// are.  Nothing when the command is another one.
std::optional<int> giscommand(int argc, char** argv) {
  std::string command, standard = "1992";
  std::vector<std::string> namesfiles, rest;
  for (int i = 1; i < argc; ++i) {
    std::string_view a = argv[i];
    std::string_view option = a.substr(0, a.find('='));
    if (option == "--standard" || option == "--names") {
      std::string value;
      if (option.size() < a.size()) {
        value = a.substr(option.size() + 1);
      } else if (i + 1 < argc) {
        value = argv[++i];
      } else {
        if (command == "grid" || command == "annotate")
          return usage(std::string(option) + " 需要一个值");
        return std::nullopt;
      }
      (option == "--names" ? namesfiles.emplace_back() : standard) = value;
    } else if (command.empty() && !a.starts_with("-")) {
      command = a;
    } else {
      rest.emplace_back(a);
    }
  }
  if (command != "grid" && command != "annotate") return std::nullopt;
  const auto edition = editionnamed(standard);
  if (!edition) return usage("未知的编号标准 " + standard + " (应为 1992 或 2012)");
  Gazetteer names;
  for (const std::string& file : namesfiles)
    if (std::string err = names.merge(file); !err.empty()) return fatal(err);
  const Common common{*edition, &names};
  return command == "grid" ? grid(common, rest) : annotate(common, rest);
}

}  // namespace

int main(int argc, char** argv) {
  Startup startup(argc, argv);
  argc = startup.argc();
  argv = startup.argv();
  if (const auto status = giscommand(argc, argv)) return *status;

  std::string command, scaletext, standard = "1992";
  bool json = false, csv = false, list = false, help = false, scalegiven = false;
  std::vector<std::string> namesfiles, inputs;
  bool options = true;  // until "--"
  for (int i = 1; i < argc; ++i) {
    std::string_view a = argv[i];
    if (!options || (a != "-h" && !a.starts_with("--"))) {
      // An input, or the command; "-K-49" and "-1" are inputs too.
      if (command.empty())
        command = a;
      else
        inputs.emplace_back(a);
      continue;
    }
    if (a == "--") {
      options = false;
      continue;
    }
    // "--option=value" is the same as "--option value".
    std::string_view value;
    bool inlinevalue = false;
    if (a.starts_with("--")) {
      if (const std::size_t eq = a.find('='); eq != std::string_view::npos) {
        value = a.substr(eq + 1);
        a = a.substr(0, eq);
        inlinevalue = true;
      }
    }
    auto takevalue = [&](std::string& into) {
      if (inlinevalue) {
        into = value;
        return true;
      }
      if (i + 1 >= argc) return false;
      into = argv[++i];
      return true;
    };
    if (a == "-h" || a == "--help") {
      help = true;
    } else if (a == "--version") {
      print(STDOUT_FILENO, "tufu-cli " + std::string(kVersion) + "\n");
      return 0;
    } else if (a == "--json") {
      json = true;
    } else if (a == "--csv") {
      csv = true;
    } else if (a == "--list") {
      list = true;
    } else if (a == "--scale") {
      if (!takevalue(scaletext)) return usage("--scale 需要一个值");
      scalegiven = true;
    } else if (a == "--standard") {
      if (!takevalue(standard)) return usage("--standard 需要一个值");
    } else if (a == "--names") {
      std::string file;
      if (!takevalue(file)) return usage("--names 需要一个值");
      namesfiles.push_back(file);
    } else if (a.starts_with("-") && a.size() > 1 && !(a[1] >= '0' && a[1] <= '9')) {
      return usage("未知选项 " + std::string(argv[i]));
    } else if (command.empty()) {
      command = a;
    } else {
      inputs.emplace_back(argv[i]);
    }
  }

  if (help) {
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
  if (csv && csvheader(command).empty()) return usage(command + " 没有 CSV 输出");

  const auto standardchosen = editionnamed(standard);
  if (!standardchosen) return usage("未知的编号标准 " + standard + " (应为 1992 或 2012)");
  const Edition edition = *standardchosen;

  const Scale* scale = nullptr;
  if (scalegiven) {
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
  for (const std::string& file : namesfiles)
    if (std::string err = names.merge(file); !err.empty()) return fatal(err);

  Out out(STDOUT_FILENO, isterminal(STDOUT_FILENO));
  Context ctx{out, names};
  ctx.format = json ? Format::Json : csv ? Format::Csv : Format::Text;
  ctx.edition = edition;
  ctx.scale = scale;
  ctx.list = list;
  if (csv) out.put(csvheader(command)).endline("\r\n");

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
    const int readerror = eachline([&](std::string_view line) {
      if (blank(line) || line.starts_with('#')) {
        // Kept in place so that the output lines up with the input; a CSV
        // table has no room for them.
        if (!csv) out.put(line).endline();
        return;
      }
      splitfields(line, fields);
      run(ctx, Input{line, fields});
    });
    if (readerror != 0) {
      out.flush();
      return fatal("无法读取标准输入: " + errortext(readerror));
    }
  }
  if (!out.flush()) return fatal("无法写出结果: " + errortext(out.error()));
  return ctx.failed ? 1 : 0;
}
