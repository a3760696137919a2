// tufu-cli-gis: the GIS commands of tufu-cli (grid, annotate), the only ones
// that need GDAL.  tufu-cli runs it with its own command line, so that the
// other commands start without loading GDAL and its libraries.

#include <string>
#include <vector>

#include "cli/args.h"
#include "cli/giscommands.h"
#include "gazetteer/gazetteer.h"

int main(int argc, char** argv) {
  using namespace tufu;
  using namespace tufu::cli;
  std::vector<std::string> args(argv + 1, argv + argc);
  // The command is found as tufu-cli finds it.
  const std::size_t at = commandat(args, {kGlobalOptions, kAnswerOptions});
  if (at >= args.size() || !isgiscommand(args[at]))
    return usage("tufu-cli-gis 只执行 grid 和 annotate, 由 tufu-cli 调用");
  const std::string command = args[at];
  args.erase(args.begin() + static_cast<std::ptrdiff_t>(at));
  const bool isgrid = command == "grid";
  const Words w =
      parseargs(args, {kGlobalOptions, isgrid ? kGridOptions : kAnnotateOptions}, false);

  std::string refused;
  const auto edition = editionof(w, refused);
  if (!edition) return usage(refused);
  Gazetteer names;
  if (std::string err = mergenames(w, names); !err.empty()) return fatal(err);
  const Common common{*edition, &names};
  return isgrid ? grid(common, w) : annotate(common, w);
}
