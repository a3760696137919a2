// `grid` and `annotate` in a build without GDAL (the Windows build): they
// say where the layers can be written instead.

#include <string>
#include <unistd.h>

#include "cli/giscommands.h"
#include "cli/platform.h"

namespace tufu::cli {

namespace {

int unavailable(const char* command) {
  print(STDERR_FILENO, std::string("tufu-cli: ") + command +
                           " 要用 GDAL 写出图层, 这个版本的 tufu-cli 不带 GDAL。"
                           "请用 Linux 版的 tufu-cli、QGIS 插件, "
                           "或网页 tufu.html 的 \"导出 GeoJSON\" 和 \"导出 CSV\"\n");
  return 2;
}

}  // namespace

int grid(const Common&, const std::vector<std::string>&) { return unavailable("grid"); }

int annotate(const Common&, const std::vector<std::string>&) {
  return unavailable("annotate");
}

}  // namespace tufu::cli
