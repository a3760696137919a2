#include "bridge.h"

#include "tufu/tufu.h"

namespace tufu::capi {
namespace {

bool starts(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }
bool has(std::string_view s, std::string_view p) { return s.find(p) != std::string_view::npos; }

// The character (from 1) that holds byte `offset` of `text`; a byte that is
// not a continuation byte starts a character.
int charat(std::string_view text, std::size_t offset) {
  int n = 1;
  for (std::size_t i = 0; i < offset && i < text.size(); ++i)
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ++n;
  return n;
}

int charcount(std::string_view text) { return charat(text, text.size()) - 1; }

// The number after the first "第" of a reason: "第5至7位" → 5.
int ordinal(std::string_view reason) {
  std::size_t at = reason.find("第");
  if (at == std::string_view::npos) return 0;
  int v = 0;
  for (std::size_t i = at + std::string_view("第").size();
       i < reason.size() && reason[i] >= '0' && reason[i] <= '9'; ++i)
    v = v * 10 + (reason[i] - '0');
  return v;
}

// The character where field `field` (from 1) of an old number starts.
int fieldstart(std::string_view text, int field) {
  std::size_t at = 0;
  for (int f = 1; f < field; ++f) {
    const std::size_t dash = text.find('-', at);
    if (dash == std::string_view::npos) return 0;
    at = dash + 1;
  }
  return charat(text, at);
}

}  // namespace

Refusal refusalof(std::string_view text, std::string_view reason) {
  if (isneworold(text)) {
    if (starts(reason, "新图幅编号应为")) return {TUFU_E_NEW_LENGTH, 0};
    if (starts(reason, "第1位")) return {TUFU_E_NEW_ROW, 1};
    if (starts(reason, "第2、3位")) return {TUFU_E_NEW_ZONE, 2};
    if (starts(reason, "第4位")) return {TUFU_E_NEW_CODE, 4};
    if (has(reason, "行列号应为数字")) {
      for (std::size_t i = 4; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9') return {TUFU_E_NEW_DIGITS, charat(text, i)};
      return {TUFU_E_NEW_DIGITS, 5};
    }
    if (has(reason, "图幅行号")) return {TUFU_E_NEW_SHEETROW, ordinal(reason)};
    if (has(reason, "图幅列号")) return {TUFU_E_NEW_SHEETCOL, ordinal(reason)};
    return {TUFU_E_NUMBER, 0};
  }
  if (starts(reason, "图幅编号为空")) return {TUFU_E_EMPTY, 0};
  if (starts(reason, "旧图幅编号不能以"))
    return {TUFU_E_OLD_DASH, text.front() == '-' ? 1 : charcount(text)};
  if (starts(reason, "旧图幅编号最多")) return {TUFU_E_OLD_FIELDS, fieldstart(text, 6) - 1};
  if (starts(reason, "旧图幅编号不能有空的字段")) {
    const std::size_t at = text.find("--");
    return {TUFU_E_OLD_FIELDS, at == std::string_view::npos ? 0 : charat(text, at + 1)};
  }
  if (starts(reason, "旧图幅编号")) return {TUFU_E_OLD_FIELDS, 0};
  if (starts(reason, "行号")) return {TUFU_E_OLD_ROW, 1};
  if (starts(reason, "列号")) return {TUFU_E_OLD_ZONE, fieldstart(text, 2)};
  if (has(reason, "段应为")) return {TUFU_E_OLD_INDEX, fieldstart(text, ordinal(reason))};
  if (const std::size_t at = reason.find("图号应为"); at != std::string_view::npos) {
    // The last field of that scale's old number: the head's two, then its own.
    if (const Scale* s = bylabel(reason.substr(0, at)))
      return {TUFU_E_OLD_INDEX, fieldstart(text, 2 + s->oldfields)};
    return {TUFU_E_OLD_INDEX, 0};
  }
  return {TUFU_E_NUMBER, 0};
}

}  // namespace tufu::capi
