// Place names of sheets, by new sheet number.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tufu {

/// `mapchinesename`: the place name of the sheet whose new number (or
/// internal 1:20万 code) is exactly `key`, from the built-in table; "" on a
/// miss.  The match is exact and case-sensitive ("j50", "J50 " and old
/// numbers miss).  Never allocates.
std::string_view mapchinesename(std::string_view key);

/// The built-in table, optionally with an organisation's own list merged over it.
class Gazetteer {
 public:
  Gazetteer();  ///< the built-in table alone

  /// Merges the KEY<TAB>NAME file at `path` over the table; its rows win.
  /// Returns "" on success, else "FILE:LINE: reason" (or "FILE: reason"),
  /// and then leaves the table as it was.
  std::string merge(const std::string& path);

  /// As `mapchinesename`, with the merged rows first.  Never allocates.
  std::string_view name(std::string_view key) const;

 private:
  std::vector<std::pair<std::string, std::string>> extra_;  // sorted by key
};

}  // namespace tufu
