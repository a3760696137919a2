#include "gazetteer/namefile.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>
#include <unordered_map>

#include "core/sheet.h"

namespace tufu {

namespace {

constexpr int kMaxNameLength = 15;  // two lines of the sheet table: 7 + 8

std::string quoted(std::string_view s) {
  std::string out = "\"";
  out += s;
  out += '"';
  return out;
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

std::string located(const std::string& file, int line, const std::string& reason) {
  return file + ":" + std::to_string(line) + ": " + reason;
}

}  // namespace

bool isnamekey(std::string_view key) {
  for (char c : key)
    if (c >= 'a' && c <= 'z') return false;
  // 1:2.5万, 1:1万 and 1:5000 sheets carry no names.
  const auto s = parsenew(key, Edition::k1992, Reading::Typed).sheet;
  return s && s->scale->named;
}

std::optional<int> utf8length(std::string_view s) {
  int count = 0;
  std::size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t more = 0;
    char32_t cp = 0;
    char32_t least = 0;
    if (b < 0x80) {
      cp = b;
    } else if ((b & 0xE0) == 0xC0) {
      more = 1; cp = b & 0x1Fu; least = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
      more = 2; cp = b & 0x0Fu; least = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
      more = 3; cp = b & 0x07u; least = 0x10000;
    } else {
      return std::nullopt;  // stray continuation byte or invalid lead byte
    }
    if (s.size() - i - 1 < more) return std::nullopt;
    for (std::size_t k = 1; k <= more; ++k) {
      const auto c = static_cast<unsigned char>(s[i + k]);
      if ((c & 0xC0) != 0x80) return std::nullopt;
      cp = (cp << 6) | (c & 0x3Fu);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      return std::nullopt;  // overlong form, beyond Unicode, or a surrogate
    }
    i += more + 1;
    ++count;
  }
  return count;
}

std::string whybadname(std::string_view name) {
  if (name.empty()) return "empty name";
  const std::optional<int> length = utf8length(name);
  if (!length) return "name is not valid UTF-8";
  for (char c : name) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F) return "name contains a control character";
  }
  if (*length > kMaxNameLength) {
    return "name " + quoted(name) + " has " + std::to_string(*length) +
           " characters, at most " + std::to_string(kMaxNameLength) + " are allowed";
  }
  return "";
}

NameFile parsenames(std::string_view text, const std::string& file) {
  NameFile result;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::unordered_map<std::string_view, int> seen;  // key -> line
  int lineno = 0;
  while (!text.empty()) {
    ++lineno;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;

    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) {
      result.error = located(file, lineno, "expected KEY<TAB>NAME, found no tab");
      break;
    }
    if (line.find('\t', tab + 1) != std::string_view::npos) {
      result.error = located(file, lineno, "expected KEY<TAB>NAME, found more than one tab");
      break;
    }
    const std::string_view key = line.substr(0, tab);
    const std::string_view name = line.substr(tab + 1);
    if (!isnamekey(key)) {
      result.error = located(file, lineno,
                             "key " + quoted(key) +
                                 " is not an upper-case new sheet number of 1:100万 to "
                                 "1:5万 or a 1:20万 code");
      break;
    }
    if (const std::string why = whybadname(name); !why.empty()) {
      result.error = located(file, lineno, why);
      break;
    }
    if (const auto [it, fresh] = seen.emplace(key, lineno); !fresh) {
      result.error = located(file, lineno,
                             "key " + std::string(key) + " repeats line " +
                                 std::to_string(it->second));
      break;
    }
    result.rows.push_back({std::string(key), std::string(name), lineno});
  }
  if (!result.error.empty()) result.rows.clear();
  return result;
}

NameFile readnamefile(const std::string& path) {
  NameFile result;
  const std::unique_ptr<std::FILE, FileCloser> f(std::fopen(path.c_str(), "rb"));
  if (!f) {
    result.error = path + ": cannot open: " + std::generic_category().message(errno);
    return result;
  }
  std::string text;
  char buffer[65536];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, f.get())) > 0) text.append(buffer, got);
  if (std::ferror(f.get())) {
    result.error = path + ": cannot read: " + std::generic_category().message(errno);
    return result;
  }
  return parsenames(text, path);
}

}  // namespace tufu
