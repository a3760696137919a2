// The compiled-in name table, generated at build time from names.tsv.
#pragma once

#include <cstddef>
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

/// The slot of `id` in a hash table of 2^bits slots.
inline std::size_t namehash(std::uint64_t id, int bits) {
  return static_cast<std::size_t>((id * 0x9E3779B97F4A7C15u) >> (64 - bits));
}

/// An open-addressing hash of the rows' ids: 2^bits slots, each the index
/// of a row or -1; a row sits at its slot or in the next ones (linear
/// probing), and every run of slots ends at an empty one.
struct NameHash {
  const std::int16_t* slots;
  int bits;
};
NameHash builtinhash();

}  // namespace tufu
