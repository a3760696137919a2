// The compiled-in name table, generated at build time from names.tsv.
#pragma once

#include <span>
#include <string_view>

namespace tufu {

struct NameEntry {
  std::string_view key;
  std::string_view name;
};

/// The built-in rows, sorted by key (byte order), each key once.
std::span<const NameEntry> builtinnames();

}  // namespace tufu
