// tufu-cli: sheet numbers from the command line.
//
// One input in, one output line out.  A bad input prints an error in its
// place and the run goes on; the exit status is 1 when any input failed.
// Without positional inputs, inputs are read from standard input, one per
// line, with the same fields separated by blanks.

#include <charconv>
#include <cstdio>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "angles/angle.h"
#include "core/block.h"
#include "core/describe.h"
#include "core/oldnumber.h"
#include "core/recognize.h"
#include "core/scale.h"
#include "core/sheet.h"
#include "gazetteer/gazetteer.h"

namespace {

using namespace tufu;

constexpr const char* kUsage = R"(用法: tufu-cli [--json] [--names FILE] COMMAND [INPUT...]

命令:
  point LON LAT [--scale S]        点所在的图幅 (各比例尺, 或只一种)
  sheet NUMBER                     识别新/旧图幅编号并给出图幅信息
  contains NUMBER --scale S        图幅所含某一大比例尺的图幅区块
  block WEST EAST SOUTH NORTH --scale S [--list]
                                   经纬度区块在某一比例尺下的图幅

角度可写作 116,23,30 (度,分,秒)、116、136,30 或十进制度 116.391667。
比例尺可写作 1:5万、5万、1:50000 或 50000 (1:5000 也可写作 5千)。
没有 INPUT 时从标准输入逐行读取, 每行的各项以空格分隔。

选项:
  --json         每个输入输出一个 JSON 对象
  --names FILE   把 FILE (每行 图幅号<TAB>图名) 合并到内置图名表之上,
                 可给多次, 后给的优先
  --list         block: 列出区块的每一幅图
  -h, --help     显示本帮助
)";

// ---------------------------------------------------------------- output

std::string quote(std::string_view s) {
  std::string out = "\"";
  for (char c : s) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
          out += buf;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::string degrees(Angle t) {
  char buf[32];
  auto r = std::to_chars(buf, buf + sizeof buf, static_cast<double>(t) / static_cast<double>(kDegree));
  return std::string(buf, r.ptr);
}

// A JSON object built key by key, in order.
class Json {
 public:
  Json& str(std::string_view key, std::string_view value) { return raw(key, quote(value)); }
  Json& num(std::string_view key, long long value) { return raw(key, std::to_string(value)); }
  Json& boolean(std::string_view key, bool value) { return raw(key, value ? "true" : "false"); }
  Json& raw(std::string_view key, std::string_view json) {
    body_ += body_.empty() ? "{" : ", ";
    body_ += quote(key);
    body_ += ":";
    body_ += json;
    return *this;
  }
  std::string done() const { return body_.empty() ? "{}" : body_ + "}"; }

 private:
  std::string body_;
};

std::string boundsjson(const Bounds& b) {
  return "[" + degrees(b.west) + "," + degrees(b.south) + "," + degrees(b.east) + "," +
         degrees(b.north) + "]";
}

struct Context {
  bool json = false;
  bool list = false;
  const Scale* scale = nullptr;
  Gazetteer names;
  bool failed = false;
};

// ---------------------------------------------------------------- sheets

void sheetjsonfields(Json& j, const SheetInfo& d) {
  j.str("new", d.newno)
      .str("old", d.oldno)
      .str("west", d.west)
      .str("east", d.east)
      .str("south", d.south)
      .str("north", d.north)
      .str("lonsize", d.lonsize)
      .str("latsize", d.latsize)
      .str("name", d.name)
      .raw("bounds", boundsjson(d.bounds));
}

std::string sheettext(const Sheet& s, const Context& ctx) {
  const SheetInfo d = describe(s, &ctx.names);
  std::string out(s.scale->label);
  if (!d.newno.empty()) out += " " + d.newno.str();
  out += " " + d.oldno.str();
  out += " 经度" + d.west.str() + "-" + d.east.str();
  out += " 纬度" + d.south.str() + "-" + d.north.str();
  out += " 经差" + std::string(d.lonsize) + " 纬差" + std::string(d.latsize);
  if (!d.name.empty()) out += " " + std::string(d.name);
  return out;
}

std::string cornerjson(const Sheet& s, const Context& ctx) {
  const SheetInfo d = brief(s, &ctx.names);
  return Json{}.str("new", d.newno).str("old", d.oldno).str("name", d.name).done();
}

std::string cornertext(const Sheet& s, const Context& ctx) {
  const SheetInfo d = brief(s, &ctx.names);
  std::string out;
  if (!d.newno.empty()) out += d.newno.str() + " ";
  out += d.oldno.str();
  if (!d.name.empty()) out += " " + std::string(d.name);
  return out;
}

// ---------------------------------------------------------------- commands

// Each command answers one input with one line; an error sets ctx.failed.
using Fields = std::vector<std::string>;

std::string fail(Context& ctx, Json j, std::string_view input, std::string_view why) {
  ctx.failed = true;
  if (ctx.json) return j.boolean("valid", false).str("error", why).done();
  return "错误: " + std::string(input) + ": " + std::string(why);
}

std::string joined(const Fields& f) {
  std::string s;
  for (const auto& x : f) s += (s.empty() ? "" : " ") + x;
  return s;
}

std::string point(Context& ctx, const Fields& f) {
  Json j;
  if (f.size() != 2) return fail(ctx, j, joined(f), "应输入经度和纬度两项");
  j.str("lon", f[0]).str("lat", f[1]);
  auto lon = readangle(f[0], kLonLimit);
  if (!lon) return fail(ctx, j, joined(f), "经度应为0至180度的度,分,秒或十进制度");
  auto lat = readangle(f[1], kLatLimit);
  if (!lat) return fail(ctx, j, joined(f), "纬度应为0至60度的度,分,秒或十进制度");
  std::string sheets, text;
  for (const Scale& sc : scales()) {
    if (ctx.scale != nullptr && ctx.scale != &sc) continue;
    const Sheet s = *sheetat(sc, *lon, *lat);
    if (ctx.json) {
      Json one;
      one.str("scale", sc.label);
      sheetjsonfields(one, describe(s, &ctx.names));
      sheets += (sheets.empty() ? "" : ", ") + one.done();
    } else {
      text += (text.empty() ? "" : " | ") + sheettext(s, ctx);
    }
  }
  if (!ctx.json) return text;
  return j.raw("sheets", "[" + sheets + "]").done();
}

// The sheet that a one-field input names, in either numbering; when there
// is none, `line` receives the error line.
std::optional<Sheet> typedsheet(Context& ctx, Json& j, const Fields& f, std::string& line) {
  const std::string input = joined(f);
  j.str("input", input);
  if (f.size() != 1) {
    line = fail(ctx, j, input, "应输入一个图幅编号");
    return std::nullopt;
  }
  Parsed p = recognize(input);
  if (!p.sheet) line = fail(ctx, j, input, p.error);
  return p.sheet;
}

std::string sheet(Context& ctx, const Fields& f) {
  Json j;
  std::string line;
  const auto typed = typedsheet(ctx, j, f, line);
  if (!typed) return line;
  const Sheet& s = *typed;
  const bool isnew = isneworold(f[0]);
  const std::vector<Sheet> up = containing(s);
  if (!ctx.json) {
    std::string out = (isnew ? "新编号 " : "旧编号 ") + sheettext(s, ctx);
    if (!up.empty()) {
      out += " 所属:";
      for (const Sheet& c : up) {
        const SheetInfo d = brief(c, nullptr);
        out += " " + std::string(c.scale->label) + " " +
               (d.newno.empty() ? "" : d.newno.str() + "/") + d.oldno.str();
      }
    }
    return out;
  }
  j.boolean("valid", true)
      .str("numbering", isnew ? "new" : "old")
      .str("scale", s.scale->label);
  sheetjsonfields(j, describe(s, &ctx.names));
  std::string list;
  for (const Sheet& c : up) {
    const SheetInfo d = brief(c, nullptr);
    list += (list.empty() ? "" : ", ") +
            Json{}.str("scale", c.scale->label).str("new", d.newno).str("old", d.oldno).done();
  }
  return j.raw("containing", "[" + list + "]").done();
}

std::string contains(Context& ctx, const Fields& f) {
  Json j;
  std::string line;
  const auto typed = typedsheet(ctx, j, f, line);
  if (!typed) return line;
  const Sheet& s = *typed;
  const auto h = contained(s, *ctx.scale);
  if (!h)
    return fail(ctx, j, f[0],
                std::string(ctx.scale->label) + "的图幅不能整齐地嵌套在" +
                    std::string(s.scale->label) + "图幅之内");
  if (!ctx.json)
    return std::string(s.scale->label) + " " + oldnumber(s) + " 含 " +
           std::string(ctx.scale->label) + " " + h->counttext() + ": 左上 " +
           cornertext(h->topleft(), ctx) + ", 左下 " + cornertext(h->bottomleft(), ctx) +
           ", 右上 " + cornertext(h->topright(), ctx) + ", 右下 " +
           cornertext(h->bottomright(), ctx);
  return j.boolean("valid", true)
      .str("scale", s.scale->label)
      .str("target", ctx.scale->label)
      .str("relation", h->counttext())
      .num("rows", h->blockrows)
      .num("cols", h->blockcols)
      .raw("topleft", cornerjson(h->topleft(), ctx))
      .raw("bottomleft", cornerjson(h->bottomleft(), ctx))
      .raw("topright", cornerjson(h->topright(), ctx))
      .raw("bottomright", cornerjson(h->bottomright(), ctx))
      .done();
}

std::string block(Context& ctx, const Fields& f, std::ostream& out) {
  Json j;
  std::string input = joined(f);
  if (f.size() != 4) return fail(ctx, j, input, "应输入西、东、南、北四个界限");
  j.str("west", f[0]).str("east", f[1]).str("south", f[2]).str("north", f[3]);
  auto w = readangle(f[0], kLonLimit), e = readangle(f[1], kLonLimit);
  auto s = readangle(f[2], kLatLimit), n = readangle(f[3], kLatLimit);
  if (!w || !e) return fail(ctx, j, input, "经度应为0至180度的度,分,秒或十进制度");
  if (!s || !n) return fail(ctx, j, input, "纬度应为0至60度的度,分,秒或十进制度");
  if (*e <= *w) return fail(ctx, j, input, "东界应大于西界");
  if (*n <= *s) return fail(ctx, j, input, "北界应大于南界");
  auto b = blockquery(*ctx.scale, *w, *e, *s, *n);
  if (!b) return fail(ctx, j, input, "区块无效");
  if (!ctx.json) {
    std::string line = std::string(ctx.scale->label) + " " + b->counttext() + ": 左下 " +
                       cornertext(b->bottomleft(), ctx) + ", 左上 " +
                       cornertext(b->topleft(), ctx) + ", 右上 " + cornertext(b->topright(), ctx) +
                       ", 右下 " + cornertext(b->bottomright(), ctx);
    if (!ctx.list) return line;
    out << line << '\n';
    for (int r = 0; r < b->blockrows; ++r)
      for (int c = 0; c < b->blockcols; ++c) out << "  " << sheettext(b->sheet(r, c), ctx) << '\n';
    return {};
  }
  j.boolean("valid", true)
      .str("scale", ctx.scale->label)
      .str("count", b->counttext())
      .num("rows", b->blockrows)
      .num("cols", b->blockcols)
      .raw("bottomleft", cornerjson(b->bottomleft(), ctx))
      .raw("topleft", cornerjson(b->topleft(), ctx))
      .raw("topright", cornerjson(b->topright(), ctx))
      .raw("bottomright", cornerjson(b->bottomright(), ctx));
  if (!ctx.list) return j.done();
  // The list can be long: write it as it is formed.
  std::string head = j.done();
  head.pop_back();
  out << head << ", \"sheets\":[";
  for (int r = 0; r < b->blockrows; ++r)
    for (int c = 0; c < b->blockcols; ++c) {
      const SheetInfo d = describe(b->sheet(r, c), &ctx.names);
      out << (r == 0 && c == 0 ? "" : ", ")
          << Json{}
                 .str("new", d.newno)
                 .str("old", d.oldno)
                 .str("name", d.name)
                 .str("west", d.west)
                 .str("east", d.east)
                 .str("south", d.south)
                 .str("north", d.north)
                 .raw("bounds", boundsjson(d.bounds))
                 .done();
    }
  out << "]}\n";
  return {};
}

Fields split(const std::string& line) {
  Fields f;
  std::istringstream in(line);
  for (std::string w; in >> w;) f.push_back(w);
  return f;
}

int usage(const std::string& why) {
  std::cerr << "tufu-cli: " << why << "\n\n" << kUsage;
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  Context ctx;
  std::string command, scaletext;
  std::vector<std::string> namesfiles;
  Fields inputs;
  for (int i = 1; i < argc; ++i) {
    std::string_view a = argv[i];
    if (a == "-h" || a == "--help") {
      std::cout << kUsage;
      return 0;
    } else if (a == "--json") {
      ctx.json = true;
    } else if (a == "--list") {
      ctx.list = true;
    } else if (a == "--scale" || a == "--names") {
      if (i + 1 >= argc) return usage(std::string(a) + " 需要一个值");
      if (a == "--scale")
        scaletext = argv[++i];
      else
        namesfiles.emplace_back(argv[++i]);
    } else if (a.starts_with("--")) {
      return usage("未知选项 " + std::string(a));
    } else if (command.empty()) {
      command = a;
    } else {
      inputs.emplace_back(a);
    }
  }
  if (command.empty()) return usage("缺少命令");
  if (command != "point" && command != "sheet" && command != "contains" && command != "block")
    return usage("未知命令 " + command);
  if (!scaletext.empty()) {
    ctx.scale = parsescale(scaletext);
    if (ctx.scale == nullptr) return usage("无法识别的比例尺 " + scaletext);
  }
  if ((command == "contains" || command == "block") && ctx.scale == nullptr)
    return usage(command + " 需要 --scale");
  for (const std::string& file : namesfiles) {
    std::string err = ctx.names.merge(file);
    if (!err.empty()) {
      std::cerr << "tufu-cli: " << err << '\n';
      return 2;
    }
  }

  auto answer = [&](const Fields& f) {
    std::string line;
    if (command == "point") line = point(ctx, f);
    else if (command == "sheet") line = sheet(ctx, f);
    else if (command == "contains") line = contains(ctx, f);
    else line = block(ctx, f, std::cout);
    if (!line.empty()) std::cout << line << '\n';
  };
  if (!inputs.empty()) {
    answer(inputs);
  } else {
    for (std::string line; std::getline(std::cin, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      answer(split(line));
    }
  }
  std::cout.flush();
  return ctx.failed ? 1 : 0;
}
