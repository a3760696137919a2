// `grid` and `annotate` in a build without GDAL (TUFU_GIS=OFF, the Windows
// build): they say where the layers can be written instead.
#pragma once

#include <string_view>

namespace tufu::cli {

/// Says on standard error that `command` (grid or annotate) needs GDAL and
/// where else layers are written; returns 2.
int nogis(std::string_view command);

}  // namespace tufu::cli
