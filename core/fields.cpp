#include "core/fields.h"

#include <array>
#include <string>

namespace tufu {

namespace {

using T = FieldType;

constexpr std::size_t kFields = 16;

// name: key, CSV column, GIS attribute; type, formed; places in the outputs
// (json, listed, brief, containing, csv, gis); width, precision; the value.
constexpr std::array<SheetField, kFields> kTable{{
    {"scale", "scale", "scale", T::Text, true, {1, 0, 0, 1, 1, 3}, 16, 0,
     [](const SheetInfo& d) { return d.sheet.scale->label; }},
    {"new", "new", "new_no", T::Text, true, {2, 1, 1, 2, 2, 1}, static_cast<int>(kNewNumberMax), 0,
     [](const SheetInfo& d) { return d.newno.view(); }},
    {"old", "old", "old_no", T::Text, true, {3, 2, 2, 3, 3, 2}, static_cast<int>(kOldNumberMax), 0,
     [](const SheetInfo& d) { return d.oldno.view(); }},
    {"denom", "denom", "denom", T::Integer, true, {0, 0, 0, 0, 0, 4}, 7, 0, nullptr,
     [](const SheetInfo& d) { return std::int64_t{d.sheet.scale->denominator}; }},
    {"name", "name", "name", T::Text, false, {10, 3, 3, 0, 4, 5}, 254, 0,
     [](const SheetInfo& d) { return d.name; }},
    {"west", "west", "", T::Text, true, {4, 4, 0, 0, 5, 0}, 0, 0,
     [](const SheetInfo& d) { return d.west.view(); }},
    {"east", "east", "", T::Text, true, {5, 5, 0, 0, 6, 0}, 0, 0,
     [](const SheetInfo& d) { return d.east.view(); }},
    {"south", "south", "", T::Text, true, {6, 6, 0, 0, 7, 0}, 0, 0,
     [](const SheetInfo& d) { return d.south.view(); }},
    {"north", "north", "", T::Text, true, {7, 7, 0, 0, 8, 0}, 0, 0,
     [](const SheetInfo& d) { return d.north.view(); }},
    {"lonsize", "lonsize", "", T::Text, true, {8, 0, 0, 0, 9, 0}, 0, 0,
     [](const SheetInfo& d) { return d.lonsize; }},
    {"latsize", "latsize", "", T::Text, true, {9, 0, 0, 0, 10, 0}, 0, 0,
     [](const SheetInfo& d) { return d.latsize; }},
    {"bounds", "", "", T::Bounds, true, {11, 8, 0, 0, 0, 0}},
    {"", "west_deg", "west", T::Degrees, true, {0, 0, 0, 0, 11, 6}, 24, 15, nullptr, nullptr,
     [](const SheetInfo& d) { return d.bounds.west; }},
    {"", "south_deg", "south", T::Degrees, true, {0, 0, 0, 0, 12, 7}, 24, 15, nullptr, nullptr,
     [](const SheetInfo& d) { return d.bounds.south; }},
    {"", "east_deg", "east", T::Degrees, true, {0, 0, 0, 0, 13, 8}, 24, 15, nullptr, nullptr,
     [](const SheetInfo& d) { return d.bounds.east; }},
    {"", "north_deg", "north", T::Degrees, true, {0, 0, 0, 0, 14, 9}, 24, 15, nullptr, nullptr,
     [](const SheetInfo& d) { return d.bounds.north; }},
}};

constexpr Output kOutputs[] = {Output::Json, Output::Listed,     Output::Brief,
                               Output::Containing, Output::Csv, Output::Gis};

// The fields of an output, in order.
struct Order {
  std::array<const SheetField*, kFields> fields{};
  std::size_t count = 0;
};

constexpr Order orderof(Output o) {
  Order order;
  for (const SheetField& f : kTable)
    if (f.at.in(o) > 0) ++order.count;
  for (const SheetField& f : kTable)
    if (const int at = f.at.in(o); at > 0) order.fields[static_cast<std::size_t>(at - 1)] = &f;
  return order;
}

// Every output numbers its fields 1..n without a gap or a place twice, and
// every field has the value its type reads and a name for each output.
constexpr bool consistent() {
  for (Output o : kOutputs) {
    const Order order = orderof(o);
    for (std::size_t i = 0; i < order.count; ++i) {
      const SheetField* f = order.fields[i];
      if (f == nullptr) return false;
      int times = 0;
      for (const SheetField& g : kTable) times += g.at.in(o) == static_cast<int>(i + 1) ? 1 : 0;
      if (times != 1) return false;
      const std::string_view name =
          o == Output::Csv ? f->csv : o == Output::Gis ? f->gis : f->key;
      if (name.empty()) return false;
      if (o == Output::Gis && f->type == T::Bounds) return false;
    }
  }
  for (const SheetField& f : kTable) {
    if (f.type == T::Text && f.text == nullptr) return false;
    if (f.type == T::Integer && f.integer == nullptr) return false;
    if (f.type == T::Degrees && f.angle == nullptr) return false;
    if (f.type == T::Bounds && f.at.csv != 0) return false;
  }
  return true;
}
static_assert(consistent());

constexpr std::array<Order, std::size(kOutputs)> kOrders = [] {
  std::array<Order, std::size(kOutputs)> all{};
  for (std::size_t i = 0; i < all.size(); ++i) all[i] = orderof(kOutputs[i]);
  return all;
}();

}  // namespace

std::string_view annotatecolumn(const Scale& s, bool old) {
  if (old ? !s.hasold : !s.shownew) return {};
  // Formed once, read only after.
  static const auto kNames = [] {
    std::array<std::array<std::string, 2>, kAllScales.size()> names;
    for (const Scale& c : kAllScales) {
      names[static_cast<std::size_t>(c.id)][0] = "new_" + std::string(c.suffix);
      names[static_cast<std::size_t>(c.id)][1] = "old_" + std::string(c.suffix);
    }
    return names;
  }();
  return kNames[static_cast<std::size_t>(s.id)][old ? 1 : 0];
}

std::span<const SheetField* const> fieldsof(Output o) {
  const Order& order = kOrders[static_cast<std::size_t>(o)];
  return {order.fields.data(), order.count};
}

}  // namespace tufu
