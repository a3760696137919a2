#include "core/hierarchy.h"

#include "core/block.h"
#include "core/scale.h"
#include "core/sheet.h"

namespace tufu {

std::optional<Hierarchy> hl(std::string_view sa, std::string_view sb, int sc) {
  const Scale* own = bylabel(sb);
  const Scale* target = sc >= 2 ? byrows(sc) : nullptr;
  const auto sheet = readnew(sa);
  if (own == nullptr || target == nullptr || !sheet || sheet->scale != own) return std::nullopt;
  const auto block = contained(*sheet, *target);
  if (!block) return std::nullopt;
  Hierarchy h;
  h.ratio = block->blockrows;
  h.relation = block->counttext();
  h.topleft = sheetnumber(block->topleft());
  h.bottomleft = sheetnumber(block->bottomleft());
  h.topright = sheetnumber(block->topright());
  h.bottomright = sheetnumber(block->bottomright());
  return h;
}

}  // namespace tufu
