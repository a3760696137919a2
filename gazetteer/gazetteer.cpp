#include "gazetteer/gazetteer.h"

#include <map>

#include "gazetteer/builtin.h"
#include "gazetteer/namefile.h"

namespace tufu {

namespace {

// Binary search without branches on the comparisons: the entry with the
// largest id not above `id`, or the first.
template <typename Entry, typename Id>
const Entry* floorentry(const Entry* base, std::size_t n, std::uint64_t id, Id idof) {
  while (n > 1) {
    const std::size_t half = n / 2;
    base = idof(base[half]) <= id ? base + half : base;
    n -= half;
  }
  return base;
}

std::string_view builtin(std::uint64_t id) {
  static const NameEntry* const rows = builtinnames().data();
  static const NameHash hash = builtinhash();
  const std::size_t mask = (std::size_t{1} << hash.bits) - 1;
  for (std::size_t h = namehash(id, hash.bits);; h = (h + 1) & mask) {
    const int i = hash.slots[h];
    if (i < 0) return {};
    if (rows[i].id == id) return rows[i].name;
  }
}

// The sheet that `key` names when it is written exactly as the program
// writes that sheet's number.
std::optional<Sheet> exactly(std::string_view key) {
  const auto s = parsenew(key, Edition::k1992, Reading::Formed).sheet;
  if (!s || !s->scale->named || newnumber(*s).view() != key) return std::nullopt;
  return s;
}

}  // namespace

std::string_view mapchinesename(std::string_view key) {
  const auto s = exactly(key);
  return s ? builtin(sheetkey(*s)) : std::string_view();
}

Gazetteer::Gazetteer() = default;

const Gazetteer& builtingazetteer() {
  static const Gazetteer builtin;
  return builtin;
}

std::string Gazetteer::merge(const std::string& path) {
  NameFile file = readnamefile(path);
  if (!file.error.empty()) return file.error;

  // Rows of this file first, then the earlier merged rows they do not replace.
  std::map<std::uint64_t, std::string> rows;
  for (NameRow& row : file.rows) rows.emplace(sheetkey(*exactly(row.key)), std::move(row.name));
  for (auto& [id, name] : extra_) rows.emplace(id, name);
  extra_.assign(std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
  return "";
}

std::string_view Gazetteer::name(std::string_view key) const {
  const auto s = exactly(key);
  return s ? name(*s) : std::string_view();
}

std::string_view Gazetteer::name(const Sheet& s) const {
  if (!s.scale->named) return {};
  const std::uint64_t id = sheetkey(s);
  if (!extra_.empty()) {
    const auto* e = floorentry(extra_.data(), extra_.size(), id,
                               [](const std::pair<std::uint64_t, std::string>& x) { return x.first; });
    if (e->first == id) return e->second;
  }
  return builtin(id);
}

}  // namespace tufu
