#include "gazetteer/gazetteer.h"

#include <algorithm>
#include <map>

#include "gazetteer/builtin.h"
#include "gazetteer/namefile.h"

namespace tufu {

namespace {

std::string_view builtin(std::uint64_t id) {
  const std::span<const NameEntry> table = builtinnames();
  const auto it = std::lower_bound(table.begin(), table.end(), id,
                                   [](const NameEntry& e, std::uint64_t k) { return e.id < k; });
  if (it == table.end() || it->id != id) return {};
  return it->name;
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
    const auto it = std::lower_bound(
        extra_.begin(), extra_.end(), id,
        [](const std::pair<std::uint64_t, std::string>& e, std::uint64_t k) { return e.first < k; });
    if (it != extra_.end() && it->first == id) return it->second;
  }
  return builtin(id);
}

}  // namespace tufu
