// The command-line tool's GIS commands: sheet grids (`grid`) and sheet
// numbers for point layers (`annotate`), both written through GDAL.
#pragma once

#include <string>
#include <vector>

#include "cli/args.h"
#include "core/scale.h"
#include "gazetteer/gazetteer.h"

namespace tufu::cli {

/// What the global options set: the edition (--standard) and the names
/// (--names; the built-in names when null).
struct Common {
  Edition edition;
  const Gazetteer* names;
};

/// `tufu-cli grid ...`, `tufu-cli annotate ...`: `args` are the words after the
/// command (global options such as --json, --names, --standard already taken out).
/// Returns the exit status (0 ok; 2 for any failure: usage, unknown format,
/// unwritable folder, disk full, existing file without --overwrite ...).
int grid(const Common& common, const std::vector<std::string>& args);
int annotate(const Common& common, const std::vector<std::string>& args);
/// The same for words already read by the command's options (the global
/// ones may be among them).
int grid(const Common& common, const Words& words);
int annotate(const Common& common, const Words& words);

/// The options of each command besides the global ones.
extern const std::span<const Option> kGridOptions;
extern const std::span<const Option> kAnnotateOptions;

/// The lines of the tool's help that describe the two commands.
extern const char* const kGridUsage;
extern const char* const kAnnotateUsage;

}  // namespace tufu::cli
