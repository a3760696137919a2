#include "core/describe.h"

namespace tufu {

SheetInfo brief(const Sheet& s, const Names* names) {
  SheetInfo d;
  d.sheet = s;
  const Scale& sc = *s.scale;
  if (sc.shownew) d.newno.end(writenew(d.newno.begin(), s));
  d.oldno.end(writeold(d.oldno.begin(), s));
  d.lonsize = sc.jchatext;
  d.latsize = sc.wchatext;
  if (names != nullptr && sc.named) d.name = names->name(s);
  d.bounds = boundsof(s);
  return d;
}

SheetInfo describe(const Sheet& s, const Names* names) {
  SheetInfo d = brief(s, names);
  const int parts = s.scale->parts;
  d.west.end(writeangle(d.west.begin(), d.bounds.west, parts, true));
  d.east.end(writeangle(d.east.begin(), d.bounds.east, parts, true));
  d.south.end(writeangle(d.south.begin(), d.bounds.south, parts, true));
  d.north.end(writeangle(d.north.begin(), d.bounds.north, parts, true));
  return d;
}

std::string_view nameornumber(const SheetInfo& info) {
  if (!info.name.empty()) return info.name;
  if (!info.newno.empty()) return info.newno;
  return info.oldno;
}

}  // namespace tufu
