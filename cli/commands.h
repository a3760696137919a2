// The answering commands of tufu-cli: point, sheet, contains, block and
// neighbours.  Each answers one input, written into the output buffer as
// one line of text or JSON, or as CSV rows (one per sheet).
#pragma once

#include <span>
#include <string_view>

#include "cli/output.h"
#include "core/scale.h"
#include "gazetteer/gazetteer.h"

namespace tufu::cli {

enum class Format { Text, Json, Csv };

struct Context {
  Out& out;
  const Gazetteer& names;
  Format format = Format::Text;
  Edition edition = Edition::k1992;
  const Scale* scale = nullptr;  ///< --scale, or nothing
  bool list = false;             ///< block --list
  bool failed = false;           ///< some input was refused
};

/// One input: its text as given (for the echo) and its fields.
struct Input {
  std::string_view text;
  std::span<const std::string_view> fields;
};

using Command = void (*)(Context&, const Input&);

/// The command of this name, or null.
Command commandnamed(std::string_view name);

/// Whether each positional argument of the command is an input of its own
/// (the commands that take one sheet number).
bool oneperargument(std::string_view name);

/// The CSV header of the command (empty when it has no CSV form).
std::string_view csvheader(std::string_view name);

}  // namespace tufu::cli
