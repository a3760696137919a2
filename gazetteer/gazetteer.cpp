#include "gazetteer/gazetteer.h"

#include <algorithm>
#include <map>

#include "gazetteer/builtin.h"
#include "gazetteer/namefile.h"

namespace tufu {

std::string_view mapchinesename(std::string_view key) {
  const std::span<const NameEntry> table = builtinnames();
  const auto it = std::lower_bound(
      table.begin(), table.end(), key,
      [](const NameEntry& e, std::string_view k) { return e.key < k; });
  if (it == table.end() || it->key != key) return {};
  return it->name;
}

Gazetteer::Gazetteer() = default;

std::string Gazetteer::merge(const std::string& path) {
  NameFile file = readnamefile(path);
  if (!file.error.empty()) return file.error;

  // Rows of this file first, then the earlier merged rows they do not replace.
  std::map<std::string, std::string, std::less<>> rows;
  for (NameRow& row : file.rows) rows.emplace(std::move(row.key), std::move(row.name));
  for (auto& [key, name] : extra_) rows.emplace(key, name);

  std::vector<std::pair<std::string, std::string>> merged;
  merged.reserve(rows.size());
  for (auto& row : rows) merged.emplace_back(row.first, std::move(row.second));
  extra_ = std::move(merged);
  return "";
}

std::string_view Gazetteer::name(std::string_view key) const {
  const auto it = std::lower_bound(
      extra_.begin(), extra_.end(), key,
      [](const std::pair<std::string, std::string>& e, std::string_view k) {
        return std::string_view(e.first) < k;
      });
  if (it != extra_.end() && it->first == key) return it->second;
  return mapchinesename(key);
}

}  // namespace tufu
