// `tufu-cli grid`: a sheet grid written as a GIS or CAD layer.

#include <charconv>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>

#include "angles/angle.h"
#include "cli/giscommands.h"
#include "cli/gisargs.h"
#include "core/block.h"
#include "core/inputs.h"
#include "core/neighbours.h"
#include "core/oldnumber.h"
#include "core/recognize.h"
#include "core/regions.h"
#include "gis/grid.h"

namespace tufu::cli {

const char* const kGridUsage =
    R"(  grid (--bounds W E S N | --region NAME | --contains NUMBER | --neighbours NUMBER
        | --sheets FILE|-) --scale S -o FILE [--format F] [--crs C] [--densify N]
        [--overwrite] [--force]
                                   把图幅网格写成 GIS/CAD 图层, 每幅一个多边形,
                                   字段 new_no old_no scale denom name west south
                                   east north; 格式 gpkg (默认) shp geojson kml dxf
                                   fgb csv, 不给 --format 时看文件扩展名;
                                   --crs 4490 (默认, CGCS2000 经纬度) gk3 gk6
                                   (高斯-克吕格 3°/6° 带, 按网格中心取带, 或写作
                                   gk3:39) EPSG:代码; --densify 每条图廓边在两角
                                   之间加的点数; --neighbours 写该图幅及其周围
                                   八幅; --sheets 从文件或标准输入读新/旧图号,
                                   这两种给 --scale 时写其所含该比例尺的图幅;
                                   多于一千万幅时要加 --force 才写
)";

namespace {

using Sheets = gis::SheetSet;

// `s` as it goes into the grid: itself, or the sheets of `scale` it contains.
std::string addsheet(Sheets& sheets, const Sheet& s, const Scale* scale) {
  if (scale == nullptr || scale == s.scale) {
    sheets.add(s);
    return "";
  }
  BlockAnswer b = containedblock(s, *scale);
  if (!b.block) return std::move(b.error);
  sheets.add(*b.block);
  return "";
}

// Reads sheet numbers, separated by blanks, commas or line ends, from `in`.
// A sheet named twice is written once; with `scale`, a sheet that lies in
// another sheet of the list is left to that one.
std::string readlist(std::istream& in, const std::string& source, const Common& common,
                     const Scale* scale, Sheets& sheets) {
  struct Listed {
    Sheet sheet;
    std::string where;  // "FILE:LINE: NUMBER"
  };
  std::vector<Listed> listed;
  std::set<std::uint64_t> seen;
  std::string line;
  for (int lineno = 1; std::getline(in, line); ++lineno) {
    if (lineno == 1 && line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
    for (char& c : line)
      if (c == ',' || c == ';' || c == '\t' || c == '\r') c = ' ';
    std::istringstream words(line);
    for (std::string word; words >> word;) {
      if (word.starts_with("#")) break;
      const std::string where = source + ":" + std::to_string(lineno) + ": " + word;
      const Parsed p = recognize(word, common.edition);
      if (!p.sheet) return where + ": " + p.error;
      if (seen.insert(sheetkey(*p.sheet)).second) listed.push_back({*p.sheet, where});
    }
  }
  if (in.bad()) return "无法读取 " + source;
  for (const Listed& l : listed) {
    bool inside = false;
    if (scale != nullptr)
      for (const Sheet& up : containing(l.sheet)) inside = inside || seen.count(sheetkey(up)) != 0;
    if (inside) continue;
    if (std::string why = addsheet(sheets, l.sheet, scale); !why.empty())
      return l.where + ": " + why;
  }
  return "";
}

std::optional<int> wholenumber(const std::string& text) {
  int n = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return n;
}

}  // namespace

namespace {

constexpr Option kGrid[] = {
    {"--bounds", {}, 4},  {"--region", {}, 1},   {"--contains", {}, 1},
    {"--neighbours", "--neighbors", 1},          {"--sheets", {}, 1},
    {"--scale", {}, 1},   {"--output", "-o", 1}, {"--format", {}, 1},
    {"--crs", {}, 1},     {"--densify", {}, 1},  {"--overwrite", {}, 0},
    {"--force", {}, 0},
};

}  // namespace

const std::span<const Option> kGridOptions = kGrid;

int grid(const Common& common, const std::vector<std::string>& args) {
  return grid(common, parseargs(args, {kHelpOption, kGridOptions}, false));
}

int grid(const Common& common, const Words& a) {
  if (!a.error.empty()) return failure("grid: " + a.error);
  if (a.has("--help")) {
    std::cout << "用法:\n" << kGridUsage;
    return 0;
  }
  if (!a.positional.empty()) return failure("grid: 多余的参数 " + a.positional.front());
  int chosen = 0;
  for (const char* o : {"--bounds", "--region", "--contains", "--neighbours", "--sheets"})
    chosen += a.has(o) ? 1 : 0;
  if (chosen != 1)
    return failure(
        "grid 需要 --bounds、--region、--contains、--neighbours、--sheets 中的一种 (只一种)");
  if (!a.has("--output")) return failure("grid 需要 -o FILE");
  const std::string& output = a.value("--output");

  const Scale* scale = nullptr;
  if (a.has("--scale")) {
    scale = parsescale(a.value("--scale"), common.edition);
    if (scale == nullptr) return failure("无法识别的比例尺 " + a.value("--scale"));
  } else if (!a.has("--neighbours") && !a.has("--sheets")) {
    return failure("grid 需要 --scale");
  }

  gis::GridOptions options;
  options.names = common.names != nullptr ? common.names : &builtingazetteer();
  options.overwrite = a.has("--overwrite");
  std::string refused;
  options.format = chosenformat(a, output, false, refused);
  if (options.format == nullptr) return failure(refused);
  options.force = a.has("--force");
  if (a.has("--crs")) {
    const auto crs = gis::parsecrs(a.value("--crs"));
    if (!crs)
      return failure("无法识别的坐标参考系 " + a.value("--crs") +
                     " (可用 4490、gk3、gk6、gk3:带号、gk6:带号、EPSG:代码)");
    options.crs = *crs;
  }
  if (a.has("--densify")) {
    const auto n = wholenumber(a.value("--densify"));
    if (!n || *n < 0 || *n > 10000)
      return failure("--densify 应为 0 至 10000 的整数: " + a.value("--densify"));
    options.densify = *n;
  }

  Sheets sheets;
  if (a.has("--bounds")) {
    const auto& v = a.options.find("--bounds")->second;
    const BlockAnswer b = readblock(*scale, v[0], v[1], v[2], v[3]);
    if (!b.block) return failure(b.error);
    sheets.add(*b.block);
  } else if (a.has("--region")) {
    const Region* r = regionnamed(a.value("--region"));
    if (r == nullptr) return failure(unknownregion(a.value("--region")));
    const BlockAnswer b = readblock(*scale, r->west, r->east, r->south, r->north);
    if (!b.block) return failure(b.error);
    sheets.add(*b.block);
  } else if (a.has("--contains") || a.has("--neighbours")) {
    const bool around = a.has("--neighbours");
    const std::string& number = a.value(around ? "--neighbours" : "--contains");
    const Parsed p = recognize(number, common.edition);
    if (!p.sheet) return failure(number + ": " + p.error);
    if (around) {
      for (const auto& row : neighbours(*p.sheet))
        for (const auto& cell : row)
          if (cell)
            if (std::string why = addsheet(sheets, *cell, scale); !why.empty())
              return failure(number + ": " + why);
    } else if (std::string why = addsheet(sheets, *p.sheet, scale); !why.empty()) {
      return failure(number + ": " + why);
    }
  } else {
    const std::string& file = a.value("--sheets");
    std::string why;
    if (file == "-") {
      why = readlist(std::cin, "标准输入", common, scale, sheets);
    } else {
      std::ifstream in(file);
      if (!in) return failure("无法打开 " + file);
      why = readlist(in, file, common, scale, sheets);
    }
    if (!why.empty()) return failure(why);
    if (sheets.empty()) return failure("--sheets 中没有图幅编号");
  }

  // An interrupt stops the writing between sheets, and the partial file
  // is removed before the signal ends the tool.
  HeldSignals signals;
  gis::Outcome out;
  {
    ProgressLine line;
    options.progress = [&](std::int64_t done, std::int64_t total) {
      const int percent = static_cast<int>(done * 100 / total);
      line.show("已写 " + std::to_string(done) + "/" + std::to_string(total) + " 幅 (" +
                std::to_string(percent) + "%)" + (done == total ? ", 正在完成文件…" : ""));
      return !signals.pending();
    };
    out = gis::writegrid(output, sheets, options);
  }
  for (const std::string& w : out.warnings) note("注意: " + w);
  if (!out.error.empty())
    return failure(out.exists    ? out.error + " (要替换请加 --overwrite)"
                   : out.toomany ? out.error + "; 确要写出请加 --force"
                                 : out.error);
  note("已把 " + std::to_string(sheets.count()) + " 幅图写入 " + output + " (EPSG:" +
       std::to_string(out.epsg) + ")");
  return 0;
}

}  // namespace tufu::cli
