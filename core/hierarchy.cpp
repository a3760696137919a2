#include "core/hierarchy.h"

#include "core/scale.h"
#include "core/sheet.h"

namespace tufu {

std::optional<Hierarchy> hl(std::string_view sa, std::string_view sb, int sc) {
  const Scale* own = bylabel(sb);
  const Scale* target = sc >= 2 ? byrows(sc) : nullptr;
  auto sheet = readnew(sa);
  if (own == nullptr || target == nullptr || !sheet || sheet->scale != own) return std::nullopt;
  // Only a scale whose grid refines the sheet's own nests in it.
  if (target->rows % own->rows != 0) return std::nullopt;
  const int ratio = target->rows / own->rows;

  Hierarchy h;
  h.ratio = ratio;
  h.relation = std::to_string(ratio) + "*" + std::to_string(ratio);
  auto corner = [&](int row, int col) {
    SheetRef s = *sheet;
    s.scale = target;
    s.row = row;
    s.col = col;
    return sheetnumber(s);
  };
  const int firstrow = (sheet->row - 1) * ratio + 1, lastrow = sheet->row * ratio;
  const int firstcol = (sheet->col - 1) * ratio + 1, lastcol = sheet->col * ratio;
  h.topleft = corner(firstrow, firstcol);
  h.bottomleft = corner(lastrow, firstcol);
  h.topright = corner(firstrow, lastcol);
  h.bottomright = corner(lastrow, lastcol);
  return h;
}

}  // namespace tufu
