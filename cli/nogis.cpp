#include "cli/nogis.h"

#include <string>
#include <unistd.h>

#include "cli/platform.h"

namespace tufu::cli {

int nogis(std::string_view command) {
  print(STDERR_FILENO, "tufu-cli: " + std::string(command) +
                           " 要用 GDAL 写出图层, 这个版本的 tufu-cli 不带 GDAL。"
                           "请用 Linux 版的 tufu-cli、QGIS 插件, "
                           "或网页 tufu.html 的 \"导出 GeoJSON\" 和 \"导出 CSV\"\n");
  return 2;
}

}  // namespace tufu::cli
