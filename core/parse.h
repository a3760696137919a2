// Reading of typed sheet numbers, one check per rule.  Used by the
// recognition functions and the old-to-new conversion.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/sheet.h"

namespace tufu {

/// The sheet a typed number names, or the rule the text broke.
struct Parsed {
  std::optional<SheetRef> sheet;
  std::string error;  ///< empty when `sheet` holds a value
};

/// A typed new number (no "-"): "J50" or "J50C001002", either letter case;
/// rows 'A'..'O', zones 31..60, codes 'B'..'I' with row and column in range.
Parsed parsenew(std::string_view text);

/// A typed old number (with "-"), either letter case.
Parsed parseold(std::string_view text);

}  // namespace tufu
