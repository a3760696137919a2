// Place names of sheets.
//
// Names are kept by sheet; a name file or the built-in data names a sheet
// by its new number in upper case (1:20万 sheets by their internal code
// with scale letter 'I', in either edition).  Sheets of 1:2.5万 and larger
// scales carry no names.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/describe.h"
#include "core/sheet.h"

namespace tufu {

/// `mapchinesename`: the place name of the sheet whose new number (or
/// internal 1:20万 code) is exactly `key`, from the built-in table; "" on a
/// miss.  The match is exact and case-sensitive ("j50", "J50 " and old
/// numbers miss).  Never allocates.
std::string_view mapchinesename(std::string_view key);

/// The built-in table, optionally with an organisation's own lists merged
/// over it.
class Gazetteer final : public Names {
 public:
  Gazetteer();  ///< the built-in table alone

  /// Merges the KEY<TAB>NAME file at `path` over the table; its rows win.
  /// Returns "" on success, else "FILE:LINE: reason" (or "FILE: reason"),
  /// and then leaves the table as it was.
  std::string merge(const std::string& path);

  /// The name of the sheet with this number, as `mapchinesename`, with the
  /// merged rows first.  Never allocates.
  std::string_view name(std::string_view key) const;
  /// The name of a sheet; "" for the scales that carry none.  Never
  /// allocates.
  std::string_view name(const Sheet& s) const override;

 private:
  std::vector<std::pair<std::uint64_t, std::string>> extra_;  // sorted by sheet key
};

/// The built-in table alone, shared by everything that merges no list.
const Gazetteer& builtingazetteer();

}  // namespace tufu
