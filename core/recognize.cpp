#include "core/recognize.h"

#include "core/oldnumber.h"
#include "core/parse.h"

namespace tufu {
namespace {

bool isdigit_(char c) { return c >= '0' && c <= '9'; }

bool alldigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (!isdigit_(c)) return false;
  return true;
}

// Decimal value of an all-digit text, leading zeros allowed; anything above
// 99999 reads as 99999, which every range check refuses.
int value(std::string_view s) {
  int v = 0;
  for (char c : s) {
    v = v * 10 + (c - '0');
    if (v > 99999) return 99999;
  }
  return v;
}

std::string upper(std::string_view s) {
  std::string t(s);
  for (char& c : t)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return t;
}

Parsed refuse(std::string why) { return Parsed{std::nullopt, std::move(why)}; }

Parsed accept(char rowletter, int zone, char code, int row, int col) {
  SheetRef s;
  s.rowletter = rowletter;
  s.zone = zone;
  s.scale = bycode(code);
  s.row = row;
  s.col = col;
  return Parsed{s, {}};
}

// Row and column of child `index` (from 1, counted row by row from the
// north-west) of a k × k grid inside the parent at (prow, pcol).
std::pair<int, int> childof(int prow, int pcol, int index, int k) {
  return {(prow - 1) * k + (index - 1) / k + 1, (pcol - 1) * k + (index - 1) % k + 1};
}

// One letter "A".."D": its index 1..4, else 0.
int quarter(std::string_view f) {
  return f.size() == 1 && f[0] >= 'A' && f[0] <= 'D' ? f[0] - 'A' + 1 : 0;
}

// "(m)" with m 1..64 (the digits after "(" up to the next "(" or ")"): m, else 0.
int parens(std::string_view f) {
  if (f.size() < 2 || f.front() != '(' || f.back() != ')') return 0;
  std::string_view inner = f.substr(1);
  inner = inner.substr(0, inner.find_first_of("()"));
  if (!alldigits(inner)) return 0;
  int m = value(inner);
  return m >= 1 && m <= 64 ? m : 0;
}

}  // namespace

Parsed parsenew(std::string_view text) {
  std::string t = upper(text);
  if (t.size() != 3 && t.size() != 10)
    return refuse("新图幅编号应为3位(如J50)或10位(如J50C001002)");
  if (t[0] < 'A' || t[0] > 'O') return refuse("第1位行号应为A至O的字母");
  if (!isdigit_(t[1]) || !isdigit_(t[2])) return refuse("第2、3位列号应为数字");
  int zone = value(t.substr(1, 2));
  if (zone < 31 || zone > 60) return refuse("第2、3位列号应在31至60之间");
  if (t.size() == 3) return accept(t[0], zone, 'A', 1, 1);
  const Scale* scale = bycode(t[3]);
  if (scale == nullptr || scale->code == 'A')
    return refuse("第4位比例尺代码应为B至I的字母");
  if (!alldigits(t.substr(4))) return refuse("第5至10位行列号应为数字");
  int row = value(t.substr(4, 3)), col = value(t.substr(7, 3));
  if (row < 1 || row > scale->rows)
    return refuse("第5至7位图幅行号应在1至" + std::to_string(scale->rows) + "之间");
  if (col < 1 || col > scale->rows)
    return refuse("第8至10位图幅列号应在1至" + std::to_string(scale->rows) + "之间");
  return accept(t[0], zone, scale->code, row, col);
}

Parsed parseold(std::string_view text) {
  std::string t = upper(text);
  if (t.empty()) return refuse("图幅编号为空");
  if (t.front() == '-' || t.back() == '-') return refuse("旧图幅编号不能以“-”开头或结尾");
  // Fields between the "-".
  std::string_view f[6];
  int d = 0;
  {
    std::string_view rest = t;
    for (;;) {
      std::size_t dash = rest.find('-');
      if (d == 5) return refuse("旧图幅编号最多有4个“-”");
      f[d] = rest.substr(0, dash);
      if (f[d].empty()) return refuse("旧图幅编号不能有空的字段");
      if (dash == std::string_view::npos) break;
      rest.remove_prefix(dash + 1);
      ++d;
    }
  }
  if (d == 0) return refuse("旧图幅编号应含“-”");
  // The 1:100万 sheet, common to every form.
  if (f[0].size() != 1 || f[0][0] < 'A' || f[0][0] > 'O')
    return refuse("行号应为A至O的一个字母");
  if (!alldigits(f[1])) return refuse("列号应为数字");
  const int zone = value(f[1]);
  if (zone < 31 || zone > 60) return refuse("列号应在31至60之间");
  const char L = f[0][0];
  if (d == 1) return accept(L, zone, 'A', 1, 1);

  const std::string_view f2 = f[2];
  if (d == 2) {
    if (auto n = alb(f2)) {
      auto [r, c] = childof(1, 1, *n, 6);
      return accept(L, zone, 'I', r, c);
    }
    if (f2.size() == 1) {
      if (f2[0] >= '1' && f2[0] <= '9') {
        auto [r, c] = childof(1, 1, f2[0] - '0', 12);
        return accept(L, zone, 'D', r, c);
      }
      if (int n = quarter(f2)) {
        auto [r, c] = childof(1, 1, n, 2);
        return accept(L, zone, 'B', r, c);
      }
      return refuse("第3段应为A至D、1至144、[1]至[16]或I至XXXVI");
    }
    if (f2.front() == '[' && f2.back() == ']') {
      std::string_view inner = f2.substr(1);
      inner = inner.substr(0, inner.find(']'));
      if (!alldigits(inner) || value(inner) < 1 || value(inner) > 16)
        return refuse("1:25万图号应为[1]至[16]");
      auto [r, c] = childof(1, 1, value(inner), 4);
      return accept(L, zone, 'C', r, c);
    }
    if (!alldigits(f2) || value(f2) < 1 || value(f2) > 144)
      return refuse("第3段应为A至D、1至144、[1]至[16]或I至XXXVI");
    auto [r, c] = childof(1, 1, value(f2), 12);
    return accept(L, zone, 'D', r, c);
  }

  // d = 3 or 4: a 1:10万 sheet and one or two more fields.
  if (!alldigits(f2) || value(f2) < 1 || value(f2) > 144)
    return refuse("1:10万图号应为1至144");
  const auto [R, C] = childof(1, 1, value(f2), 12);
  const std::string_view f3 = f[3];
  if (d == 3) {
    if (int q = quarter(f3)) {
      auto [r, c] = childof(R, C, q, 2);
      return accept(L, zone, 'E', r, c);
    }
    if (int m = parens(f3)) {
      auto [r, c] = childof(R, C, m, 8);
      return accept(L, zone, 'G', r, c);
    }
    return refuse("第4段应为A至D或(1)至(64)");
  }
  const std::string_view f4 = f[4];
  if (int q5 = quarter(f3)) {
    if (!alldigits(f4) || value(f4) < 1 || value(f4) > 4)
      return refuse("1:2.5万图号的第5段应为1至4");
    auto [r5, c5] = childof(R, C, q5, 2);
    auto [r, c] = childof(r5, c5, value(f4), 2);
    return accept(L, zone, 'F', r, c);
  }
  if (int m = parens(f3)) {
    int q = quarter(f4);
    if (q == 0) return refuse("1:5000图号的第5段应为A至D");
    auto [r1, c1] = childof(R, C, m, 8);
    auto [r, c] = childof(r1, c1, q, 2);
    return accept(L, zone, 'H', r, c);
  }
  return refuse("第4段应为A至D或(1)至(64)");
}

std::string_view readstr(std::string_view s, int i) {
  if (i <= 0 || s.empty()) return {};
  std::size_t k = static_cast<std::size_t>(i);
  if (k > s.size()) k = s.size();
  return s.substr(k - 1, 1);
}

bool isneworold(std::string_view s) { return s.find('-') == std::string_view::npos; }

std::string whyrefused(std::string_view s) {
  return isneworold(s) ? parsenew(s).error : parseold(s).error;
}

bool teststr(std::string_view s) { return whyrefused(s).empty(); }

}  // namespace tufu
