// The compiled-in name table, generated at build time from names.tsv.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace tufu {

struct NameEntry {
  std::uint64_t id;       ///< `sheetkey` of the sheet
  std::string_view key;   ///< its number as written in the data file
  std::string_view name;
};

/// The built-in rows, sorted by id, each sheet once.
std::span<const NameEntry> builtinnames();

}  // namespace tufu
