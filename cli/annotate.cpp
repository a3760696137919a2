// `tufu-cli annotate`: a point layer written again with sheet numbers.

#include <iostream>

#include "cli/giscommands.h"
#include "cli/gisargs.h"
#include "gis/annotate.h"

namespace tufu::cli {

const char* const kAnnotateUsage =
    R"(  annotate IN -o OUT --scale S[,S...] [--lon FIELD --lat FIELD] [--format F]
        [--layer NAME] [--encoding GBK] [--overwrite]
                                   给点图层 (GDAL 能读的任何格式, 如带经纬度列的
                                   CSV; IN 为 - 时从标准输入读 CSV) 每行加上所在
                                   图幅的编号列: new_<s> 和 old_<s>, <s> 为比例尺
                                   (100w 50w 25w 20w 10w 5w 25k=1:2.5万 1w 5k 2k
                                   1k 500); 点在 0-180°E、0-60°N 之外或没有点的
                                   行照样写出, 图幅列留空; --scale all 为全部比例尺;
                                   --layer 读多图层输入的某一层 (默认第一层);
                                   --encoding GBK 读 GBK/GB18030 编码的 CSV 或
                                   Shapefile (默认 UTF-8)
)";

namespace {

// The scales of a list such as "5万,1万,5000" (commas, or "，").
std::vector<const Scale*> scalelist(std::string text, Edition e, std::string& bad) {
  std::vector<const Scale*> list;
  if (text == "all" || text == "全部") {
    for (const Scale& s : scales(e)) list.push_back(&s);
    return list;
  }
  // A full-width comma separates as "," does.
  std::string words;
  for (std::size_t i = 0; i < text.size();) {
    if (text.compare(i, 3, "，") == 0) {
      words += ',';
      i += 3;
    } else {
      words += text[i++];
    }
  }
  text = std::move(words);
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t comma = std::min(text.find(',', start), text.size());
    const std::string word = text.substr(start, comma - start);
    start = comma + 1;
    if (word.empty()) continue;
    const Scale* s = parsescale(word, e);
    if (s == nullptr) {
      bad = word;
      return {};
    }
    bool twice = false;
    for (const Scale* t : list) twice = twice || t == s;
    if (!twice) list.push_back(s);
  }
  return list;
}

constexpr Option kAnnotate[] = {
    {"--output", "-o", 1}, {"--scale", {}, 1},  {"--lon", {}, 1},
    {"--lat", {}, 1},      {"--format", {}, 1}, {"--layer", {}, 1},
    {"--encoding", {}, 1}, {"--overwrite", {}, 0},
};

}  // namespace

const std::span<const Option> kAnnotateOptions = kAnnotate;

int annotate(const Common& common, const std::vector<std::string>& args) {
  return annotate(common, parseargs(args, {kHelpOption, kAnnotateOptions}, false));
}

int annotate(const Common& common, const Words& a) {
  if (!a.error.empty()) return failure("annotate: " + a.error);
  if (a.has("--help")) {
    std::cout << "用法:\n" << kAnnotateUsage;
    return 0;
  }
  if (a.positional.size() != 1)
    return failure(a.positional.empty() ? "annotate 需要一个输入文件 (或 - 表示标准输入)"
                                        : "annotate: 多余的参数 " + a.positional[1]);
  if (!a.has("--output")) return failure("annotate 需要 -o OUT");
  if (!a.has("--scale")) return failure("annotate 需要 --scale");
  if (a.has("--lon") != a.has("--lat")) return failure("--lon 和 --lat 应一起给出");

  gis::AnnotateOptions options;
  std::string bad;
  options.scales = scalelist(a.value("--scale"), common.edition, bad);
  if (!bad.empty()) return failure("无法识别的比例尺 " + bad);
  if (options.scales.empty()) return failure("annotate 需要 --scale");
  if (a.has("--lon")) {
    options.lonfield = a.value("--lon");
    options.latfield = a.value("--lat");
  }
  options.overwrite = a.has("--overwrite");
  if (a.has("--layer")) options.layer = a.value("--layer");
  if (a.has("--encoding")) {
    options.encoding = a.value("--encoding");
    if (!gis::knownencoding(options.encoding) && options.encoding != "UTF-8" &&
        options.encoding != "utf-8")
      return failure("未知的编码 " + options.encoding + " (可用 UTF-8、GBK、GB18030)");
  }
  const std::string& output = a.value("--output");
  std::string refused;
  options.format = chosenformat(a, output, true, refused);
  if (options.format == nullptr) return failure(refused);

  HeldSignals signals;  // an interrupt stops the writing, which cleans up
  gis::Annotated out;
  {
    ProgressLine line;
    options.progress = [&](std::int64_t rows) {
      line.show("已写 " + std::to_string(rows) + " 行");
      return !signals.pending();
    };
    out = gis::annotate(a.positional.front(), output, options);
  }
  for (const std::string& w : out.warnings) note("注意: " + w);
  if (!out.error.empty())
    return failure(out.exists     ? out.error + " (要替换请加 --overwrite)"
                   : out.encoding ? out.error + "; GBK/GB18030 编码的输入请加 --encoding GBK"
                                  : out.error);
  if (out.layers > 1 && !a.has("--layer"))
    note("注意: 输入有 " + std::to_string(out.layers) + " 个图层, 读的是第一个 “" + out.layer +
         "” (可用 --layer 选)");
  if (out.notpoints > 0)
    note(std::to_string(out.notpoints) + " 行的几何不是点 (是线或面), 其图幅列留空");
  if (out.blank > out.notpoints)
    note(std::to_string(out.blank - out.notpoints) +
         " 行没有 0-180°E、0-60°N 之内的点, 其图幅列留空");
  return 0;
}

}  // namespace tufu::cli
