// The block of larger-scale sheets that one sheet contains, as the
// hierarchy panel shows it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tufu {

struct Hierarchy {
  int ratio;             ///< sheets along each side of the block
  std::string relation;  ///< e.g. "8*8"
  std::string topleft, bottomleft, topright, bottomright;  ///< new-form numbers
};

/// `hl`: for the sheet with new number `sa` (or internal 1:20万 code) at the
/// scale labelled `sb`, the block of sheets of the scale with `sc` rows
/// (2, 4, 6, 12, 24, 48, 96 or 192) that covers it.  Nothing when the target
/// does not nest in the sheet's scale (a smaller scale, or 1:20万 against
/// 1:25万 and 1:50万 against 1:20万 where the ratio is not whole), when `sb`
/// names no scale or `sa` no sheet.
///   hl("J50", "1:100万", 2)        → 2*2, J50B001001 J50B002001 J50B001002 J50B002002
///   hl("J50D005003", "1:10万", 96) → 8*8, J50G033017 J50G040017 J50G033024 J50G040024
std::optional<Hierarchy> hl(std::string_view sa, std::string_view sb, int sc);

}  // namespace tufu
