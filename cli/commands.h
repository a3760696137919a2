// The answering commands of tufu-cli: point, sheet, contains, block and
// neighbours.  Each answers one input, written into the output buffer as
// one line of text or JSON, or as CSV rows (one per sheet).
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "angles/angle.h"
#include "cli/output.h"
#include "core/scale.h"
#include "gazetteer/gazetteer.h"

namespace tufu::cli {

enum class Format { Text, Json, Csv };

/// Angles written as decimal degrees ("39.833333333333336", the shortest
/// text that reads back as the same double), remembered: the edges of the
/// sheets of a scale are few, and writing a double is the slowest part of
/// an answer.
class DegreeTexts {
 public:
  void write(Buffer& out, Angle a);

 private:
  struct Entry {
    Angle angle = -1;
    std::uint8_t size = 0;
    char text[23];
  };
  static constexpr std::size_t kEntries = 1 << 14;
  std::unique_ptr<Entry[]> entries_ = std::make_unique<Entry[]>(kEntries);
};

struct Context {
  Out& out;
  const Gazetteer& names;
  Format format = Format::Text;
  Edition edition = Edition::k1992;
  const Scale* scale = nullptr;  ///< --scale, or nothing
  bool list = false;             ///< block --list
  bool force = false;            ///< --force: list more than kManySheets sheets
  bool failed = false;           ///< some input was refused
  DegreeTexts degrees{};
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
std::string csvheader(std::string_view name);

/// A blank or comment ("#") line of the input, kept in place so that the
/// output lines up with the input: as it is (escaped) in text, as
/// {"input":"…", "comment":true} in JSON, and in CSV as a row with only its
/// input column filled (`header` the command's CSV header).
void comment(Context& ctx, std::string_view line, std::string_view header);

}  // namespace tufu::cli
