// Reading and checking KEY<TAB>NAME name files: the built-in data (at build
// time) and an organisation's own list (at run time) use the same format.
//
// One sheet per line: KEY, one tab, NAME.  Empty lines and lines starting
// with '#' are skipped; a UTF-8 byte order mark at the start and a carriage
// return at the end of a line are accepted.  Nothing else is trimmed.  A
// line longer than 1024 bytes is an error: no name file holds one.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tufu {

struct NameRow {
  std::string key;
  std::string name;
  int line = 0;  ///< 1-based line number in the file
};

struct NameFile {
  std::vector<NameRow> rows;  ///< in file order
  std::string error;          ///< "" when the whole file is good
};

/// Whether `key` can carry a name: an upper-case new sheet number of
/// 1:100万, 1:50万, 1:25万, 1:10万 or 1:5万, or an internal 1:20万 code.
bool isnamekey(std::string_view key);

/// The number of characters (code points) of the UTF-8 text `s`; nothing
/// when `s` is not well-formed UTF-8.
std::optional<int> utf8length(std::string_view s);

/// Why `name` cannot be a sheet name, or "" when it can: 1 to 15 characters
/// of well-formed UTF-8 without control characters.
std::string whybadname(std::string_view name);

/// Reads the name file text `text`, naming it `file` in the error.  Stops at
/// the first bad line: "FILE:LINE: reason".  Keys repeated within the text
/// are an error.
NameFile parsenames(std::string_view text, const std::string& file);

/// Reads the name file at `path`; "PATH: reason" when it cannot be read or
/// is not a regular file.
NameFile readnamefile(const std::string& path);

/// Why a file operation failed (an errno value), in Chinese.
std::string errortext(int error);

}  // namespace tufu
