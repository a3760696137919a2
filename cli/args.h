// The one reader of tufu-cli's command line, for every command: options as
// "--name value", "--name=value" or a flag, "--" before words that are
// inputs however they look, and positional words.
//
// A word is an option when it is one of the command's option names (or
// "--name=value" of one); any other word that begins with "--" is an unknown
// option.  The answering commands take inputs that begin with "-" ("-1",
// "-K-49") as inputs; the GIS commands, whose options include "-o", refuse
// any other word that begins with "-" as an unknown option, except "-"
// alone (standard input).
#pragma once

#include <initializer_list>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/scale.h"
#include "gazetteer/gazetteer.h"

namespace tufu::cli {

/// What a second use of an option does.
enum class Repeat {
  Once,  ///< refused: "--format 只能给一次"
  Last,  ///< the last value counts
  All,   ///< every value counts (--names)
};

/// One option a command knows.
struct Option {
  std::string_view name;       ///< "--output": the key it is found under
  std::string_view alias = {};  ///< "-o"
  int values = 0;               ///< values that follow it; 0 for a flag
  Repeat repeat = Repeat::Once;
};

/// The options of the command line as a whole: --help and -h, --standard,
/// --names.
extern const std::span<const Option> kGlobalOptions;
/// The options of the answering commands (point ... neighbours) besides the
/// global ones: --json, --csv, --list, --scale and --version.
extern const std::span<const Option> kAnswerOptions;
/// --help and -h alone.
extern const std::span<const Option> kHelpOption;

struct Words {
  /// Values of each option given, under its name; for a Repeat::All option
  /// all values in order.
  std::map<std::string, std::vector<std::string>, std::less<>> options;
  std::vector<std::string> positional;
  std::string error;  ///< "" when the words were read

  bool has(std::string_view name) const { return options.count(name) != 0; }
  /// The (first) value of an option that was given.
  const std::string& value(std::string_view name) const {
    return options.find(name)->second.front();
  }
  /// All values of an option, none when it was not given.
  std::vector<std::string> values(std::string_view name) const;
};

/// Reads `args` by the options of `tables`; `dashinputs`: words that begin
/// with "-" and are no option are inputs.  Reading stops at the first
/// error.
Words parseargs(std::span<const std::string> args,
                std::initializer_list<std::span<const Option>> tables, bool dashinputs);

/// The position in `args` of the command: the first word that is neither an
/// option of `tables` nor one of its values (after "--", the next word);
/// args.size() when there is none.  Unknown options are passed over.
std::size_t commandat(std::span<const std::string> args,
                      std::initializer_list<std::span<const Option>> tables);

/// The GIS commands, which run in the helper program tufu-cli-gis.
inline bool isgiscommand(std::string_view name) { return name == "grid" || name == "annotate"; }

/// The edition that --standard names (1992 when it is not given); nothing
/// and the refusal in `error` for any other text.
std::optional<Edition> editionof(const Words& w, std::string& error);

/// Merges the files of --names over `names`, in order: "" or the reason.
std::string mergenames(const Words& w, Gazetteer& names);

/// A usage error: "tufu-cli: WHY" and a pointer to --help on standard
/// error; returns 2.
int usage(std::string_view why);
/// A failure that is no usage error: "tufu-cli: WHY"; returns 2.
int fatal(std::string_view why);

}  // namespace tufu::cli
