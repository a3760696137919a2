// The C interface: arguments checked and converted, then handed to the
// core.  No rule is decided here; every answer is the core's.
#include "tufu/tufu.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "bridge.h"
#include "core/fields.h"
#include "textcolumn.h"

struct tufu_names {
  tufu::Gazetteer gazetteer;
};

namespace {

using namespace tufu;
using namespace tufu::capi;

// Runs `body`, turning any exception into a status: nothing thrown
// crosses the interface.
template <typename Body>
tufu_status guarded(Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return TUFU_E_MEMORY;
  } catch (...) {
    return TUFU_E_INTERNAL;
  }
}

// The same for a batch: the count of good elements, or 0 after a fault
// (when every status left unwritten says so).
template <typename Body>
std::size_t guardedbatch(std::size_t n, tufu_status* status, Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    if (status != nullptr)
      for (std::size_t i = 0; i < n; ++i) status[i] = TUFU_E_MEMORY;
    return 0;
  }
}

void setstatus(tufu_status* status, std::size_t i, tufu_status v) {
  if (status != nullptr) status[i] = v;
}

tufu_sheet tosheet(const Sheet& s) { return {indexof(*s.scale), s.x, s.y}; }

constexpr tufu_sheet kNoSheet{-1, 0, 0};

std::optional<Sheet> fromsheet(const tufu_sheet* s) {
  if (s == nullptr) return std::nullopt;
  return sheetof(s->scale, s->x, s->y);
}

// A C buffer filled as the header promises: at most cap − 1 bytes, cut at a
// character boundary, then NUL.  Returns the whole length.
std::size_t copyout(std::string_view text, char* buf, std::size_t cap) {
  if (buf != nullptr && cap > 0) {
    std::size_t n = std::min(text.size(), cap - 1);
    while (n > 0 && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    std::memcpy(buf, text.data(), n);
    buf[n] = '\0';
  }
  return text.size();
}

const Names& namesof(const tufu_names* names) {
  return names != nullptr ? static_cast<const Names&>(names->gazetteer)
                          : static_cast<const Names&>(builtingazetteer());
}

// A block named by the caller, as the core's block, when it is one.
std::optional<Block> fromblock(const tufu_block* b) {
  if (b == nullptr || b->rows <= 0 || b->cols <= 0) return std::nullopt;
  const auto sw = sheetof(b->scale, b->x, b->y);
  if (!sw) return std::nullopt;
  const std::int64_t nex = std::int64_t{b->x} + b->cols - 1, ney = std::int64_t{b->y} + b->rows - 1;
  if (nex > INT32_MAX || ney > INT32_MAX) return std::nullopt;
  const auto ne = sheetof(b->scale, static_cast<int>(nex), static_cast<int>(ney));
  if (!ne) return std::nullopt;
  return blockof(*sw, *ne);
}

tufu_status toblock(const std::optional<Block>& b, tufu_block* out) {
  if (!b || b->empty()) return TUFU_E_BLOCK;
  const Sheet sw = b->bottomleft();
  *out = {indexof(*b->scale), sw.x, sw.y, b->blockrows, b->blockcols};
  return TUFU_OK;
}

// The status of a check that refused a point or bounds.
tufu_status statusof(InputFault f) {
  switch (f) {
    case InputFault::None: return TUFU_OK;
    case InputFault::Longitude: return TUFU_E_LONGITUDE;
    case InputFault::Latitude: return TUFU_E_LATITUDE;
    case InputFault::EastWest: return TUFU_E_EASTWEST;
    case InputFault::NorthSouth: return TUFU_E_NORTHSOUTH;
  }
  return TUFU_E_INTERNAL;
}

// The block of checked bounds, or the check that refused them.
tufu_status blockfrom(const Scale& scale, const BoundsInput& in, tufu_block* out) {
  if (!in.bounds) return statusof(in.fault);
  return toblock(blockcovering(scale, *in.bounds).block, out);
}

const char* message(tufu_status code) {
  switch (code) {
    case TUFU_OK: return "";
    case TUFU_E_ARGUMENT: return "参数无效";
    case TUFU_E_EDITION: return "版本应为1992或2012";
    case TUFU_E_SCALE: return "无法识别的比例尺";
    case TUFU_E_MEMORY: return "内存不足";
    case TUFU_E_INTERNAL: return "内部错误";
    case TUFU_E_TOOSMALL: return "缓冲区太小";
    case TUFU_E_MISSING: return "缺少输入";
    case TUFU_E_STOPPED: return "已中止";
    case TUFU_E_LONGITUDE: return kLonRefused.data();
    case TUFU_E_LATITUDE: return kLatRefused.data();
    case TUFU_E_EASTWEST: return kEastNotAboveWest.data();
    case TUFU_E_NORTHSOUTH: return kNorthNotAboveSouth.data();
    case TUFU_E_BLOCK: return kNoBlock.data();
    case TUFU_E_REGION: return "没有这个名称的地区";
    case TUFU_E_NEST: return "图幅不能整齐地嵌套";
    case TUFU_E_NOSHEET: return "无";
    case TUFU_E_NAMEFILE: return "无法合并图名文件";
    case TUFU_E_EMPTY: return "图幅编号为空";
    case TUFU_E_NEW_LENGTH: return "新图幅编号的位数不对";
    case TUFU_E_NEW_ROW: return "新图幅编号的行号不对";
    case TUFU_E_NEW_ZONE: return "新图幅编号的列号不对";
    case TUFU_E_NEW_CODE: return "新图幅编号的比例尺代码不对";
    case TUFU_E_NEW_DIGITS: return "新图幅编号的行列号应为数字";
    case TUFU_E_NEW_SHEETROW: return "新图幅编号的图幅行号超出范围";
    case TUFU_E_NEW_SHEETCOL: return "新图幅编号的图幅列号超出范围";
    case TUFU_E_OLD_DASH: return "旧图幅编号不能以“-”开头或结尾";
    case TUFU_E_OLD_FIELDS: return "旧图幅编号的段数不对";
    case TUFU_E_OLD_ROW: return "行号应为A至O的一个字母";
    case TUFU_E_OLD_ZONE: return "旧图幅编号的列号不对";
    case TUFU_E_OLD_INDEX: return "旧图幅编号的图号不对";
    case TUFU_E_NUMBER: return "图幅编号无效";
    default: return "未知错误";
  }
}

}  // namespace

extern "C" {

const char* tufu_version(void) { return TUFU_VERSION_STRING; }
int tufu_version_number(void) { return TUFU_VERSION_NUMBER; }

const char* tufu_status_message(tufu_status code) { return message(code); }

// ---------------------------------------------------------------- scales

int tufu_scale_count(int edition) {
  const auto e = editionof(edition);
  return e ? scalecount(*e) : 0;
}

tufu_status tufu_scale_get(int index, tufu_scale_info* out) {
  if (out == nullptr) return TUFU_E_ARGUMENT;
  const Scale* s = scaleat(index);
  if (s == nullptr) return TUFU_E_SCALE;
  // The labels and size texts are literals of the scale table: each a
  // NUL-terminated constant.
  *out = tufu_scale_info{};
  out->index = indexof(*s);
  out->label = s->label.data();
  out->denominator = s->denominator;
  out->code = s->code;
  out->digits = s->digits;
  out->rows = s->rows;
  out->width_units = s->lonsize;
  out->height_units = s->latsize;
  out->width = static_cast<double>(s->lonsize) / static_cast<double>(kDegree);
  out->height = static_cast<double>(s->latsize) / static_cast<double>(kDegree);
  out->lonsize = s->jchatext.data();
  out->latsize = s->wchatext.data();
  out->shows_new = s->shownew ? 1 : 0;
  out->has_old = s->hasold ? 1 : 0;
  out->named = s->named ? 1 : 0;
  out->parent = s->parent;
  out->since = yearof(s->since);
  out->suffix = s->suffix.data();
  return TUFU_OK;
}

const char* tufu_annotate_column(int index, int field) {
  const Scale* s = scaleat(index);
  if (s == nullptr || (field != TUFU_FIELD_NEW && field != TUFU_FIELD_OLD)) return nullptr;
  const std::string_view name = annotatecolumn(*s, field == TUFU_FIELD_OLD);
  return name.empty() ? nullptr : name.data();
}

int tufu_scale_parse(int edition, const char* text, size_t len) {
  const auto e = editionof(edition);
  if (!e || (text == nullptr && len > 0)) return -1;
  try {
    const Scale* s = parsescale(std::string_view(text, len), *e);
    return s != nullptr ? indexof(*s) : -1;
  } catch (...) {
    return -1;
  }
}

// ---------------------------------------------------------------- points

size_t tufu_sheet_at(int edition, int scale, size_t n, const double* lon, const double* lat,
                     tufu_sheet* out, tufu_status* status) {
  if (n == 0) return 0;
  const auto e = editionof(edition);
  const Scale* sc = e ? scaleat(scale, *e) : nullptr;
  if (lon == nullptr || lat == nullptr || out == nullptr || sc == nullptr) {
    const tufu_status why = !e ? TUFU_E_EDITION : sc == nullptr ? TUFU_E_SCALE : TUFU_E_ARGUMENT;
    if (out != nullptr)
      for (std::size_t i = 0; i < n; ++i) out[i] = kNoSheet;
    if (status != nullptr)
      for (std::size_t i = 0; i < n; ++i) status[i] = why;
    return 0;
  }
  std::size_t good = 0;
  const tufu_sheet bad = kNoSheet;
  for (std::size_t i = 0; i < n; ++i) {
    const auto x = unitsofdegrees(lon[i], kLonLimit);
    const auto y = unitsofdegrees(lat[i], kLatLimit);
    if (!x || !y) {
      out[i] = bad;
      setstatus(status, i, !x ? TUFU_E_LONGITUDE : TUFU_E_LATITUDE);
      continue;
    }
    const auto s = sheetat(*sc, *x, *y);
    if (!s) {
      out[i] = bad;
      setstatus(status, i, TUFU_E_LONGITUDE);
      continue;
    }
    out[i] = tosheet(*s);
    setstatus(status, i, TUFU_OK);
    ++good;
  }
  return good;
}

size_t tufu_sheet_at_text(int edition, int scale, size_t n, const tufu_text_column* lon,
                          const tufu_text_column* lat, tufu_sheet* out, tufu_status* status) {
  if (n == 0) return 0;
  return guardedbatch(n, status, [&]() -> std::size_t {
    const auto e = editionof(edition);
    const Scale* sc = e ? scaleat(scale, *e) : nullptr;
    if (!validinput(lon) || !validinput(lat) || out == nullptr || sc == nullptr) {
      const tufu_status why = !e ? TUFU_E_EDITION : sc == nullptr ? TUFU_E_SCALE : TUFU_E_ARGUMENT;
      for (std::size_t i = 0; i < n; ++i) {
        if (out != nullptr) out[i] = kNoSheet;
        setstatus(status, i, why);
      }
      return 0;
    }
    TextReader lons(*lon), lats(*lat);
    const tufu_sheet bad = kNoSheet;
    std::size_t good = 0;
    for (std::size_t i = 0; i < n; ++i) {
      out[i] = bad;
      const auto lontext = lons.read(i);
      const auto lattext = lats.read(i);
      if (!lontext || !lattext) {
        setstatus(status, i, TUFU_E_MISSING);
        continue;
      }
      const PointInput p = readpoint(*lontext, *lattext);
      if (!p.point) {
        setstatus(status, i, statusof(p.fault));
        continue;
      }
      const auto s = sheetat(*sc, p.point->lon, p.point->lat);
      if (!s) {
        setstatus(status, i, TUFU_E_LONGITUDE);
        continue;
      }
      out[i] = tosheet(*s);
      setstatus(status, i, TUFU_OK);
      ++good;
    }
    return good;
  });
}

// ------------------------------------------------------------ numbers

size_t tufu_recognize(int edition, size_t n, const tufu_text_column* numbers, tufu_sheet* out,
                      tufu_status* status, int32_t* position, int32_t* numbering) {
  if (n == 0) return 0;
  return guardedbatch(n, status, [&]() -> std::size_t {
    const auto e = editionof(edition);
    if (!e || !validinput(numbers) || out == nullptr) {
      for (std::size_t i = 0; i < n; ++i) {
        if (out != nullptr) out[i] = kNoSheet;
        setstatus(status, i, !e ? TUFU_E_EDITION : TUFU_E_ARGUMENT);
        if (position != nullptr) position[i] = 0;
        if (numbering != nullptr) numbering[i] = 0;
      }
      return 0;
    }
    TextReader reader(*numbers);
    std::size_t good = 0;
    for (std::size_t i = 0; i < n; ++i) {
      out[i] = kNoSheet;
      if (position != nullptr) position[i] = 0;
      const auto text = reader.read(i);
      if (!text) {
        setstatus(status, i, TUFU_E_MISSING);
        if (numbering != nullptr) numbering[i] = 0;
        continue;
      }
      if (numbering != nullptr) numbering[i] = isneworold(*text) ? 1 : 2;
      const Parsed p = recognize(*text, *e);
      if (!p.sheet) {
        setstatus(status, i, statusof(p.fault));
        if (position != nullptr) position[i] = p.position;
        continue;
      }
      out[i] = tosheet(*p.sheet);
      setstatus(status, i, TUFU_OK);
      ++good;
    }
    return good;
  });
}

size_t tufu_reason(int edition, const char* text, size_t len, char* buf, size_t cap) {
  try {
    const auto e = editionof(edition);
    if (!e || (text == nullptr && len > 0)) return copyout(message(TUFU_E_ARGUMENT), buf, cap);
    const std::string why = whyrefused(std::string_view(text, len), *e);
    return copyout(why, buf, cap);
  } catch (...) {
    return copyout(message(TUFU_E_MEMORY), buf, cap);
  }
}

// ------------------------------------------------------------ sheet texts

}  // extern "C"

namespace {

// The text of `field` of sheet `s`, a field other than the numbers (which
// putfield forms), written at `buf` when it is an edge.
std::string_view fieldtext(const Sheet& s, int field, const Names& gazetteer, char* buf) {
  const Scale& sc = *s.scale;
  switch (field) {
    case TUFU_FIELD_NAME: return sc.named ? gazetteer.name(s) : std::string_view();
    case TUFU_FIELD_LONSIZE: return sc.jchatext;
    case TUFU_FIELD_LATSIZE: return sc.wchatext;
    case TUFU_FIELD_SCALE: return sc.label;
    default: {
      const Bounds b = boundsof(s);
      const Angle a = field == TUFU_FIELD_WEST    ? b.west
                      : field == TUFU_FIELD_EAST  ? b.east
                      : field == TUFU_FIELD_SOUTH ? b.south
                                                  : b.north;
      return std::string_view(buf, static_cast<std::size_t>(writeangle(buf, a, sc.parts, true) - buf));
    }
  }
}

constexpr std::size_t kFieldBuffer = kAngleTextMax;

// Refuses a whole batch of texts: every row of `out` (when it can be
// written) left empty, every status `why`.  Returns the good count, 0.
std::size_t refusetexts(const tufu_text_column* out, std::size_t n, tufu_status* status,
                        tufu_status why) {
  if (validoutput(out)) {
    TextWriter w(*out);
    for (std::size_t i = 0; i < n; ++i) w.clear(i);
  }
  for (std::size_t i = 0; i < n; ++i) setstatus(status, i, why);
  return 0;
}

// Writes `field` of sheet `s` as row `i`, and its status: whether it
// fitted.  Numbers, ASCII, are formed in a zeroed buffer and copied whole.
bool putfield(TextWriter& writer, std::size_t i, const Sheet& s, int field, const Names& gazetteer,
              char* buf, tufu_status* status) {
  bool fits;
  if (field == TUFU_FIELD_NEW || field == TUFU_FIELD_OLD || field == TUFU_FIELD_CODE) {
    static_assert(kNewNumberMax < TextWriter::kPadded && kOldNumberMax < TextWriter::kPadded);
    char number[TextWriter::kPadded] = {};
    const char* end = field == TUFU_FIELD_NEW && !s.scale->shownew ? number
                      : field == TUFU_FIELD_OLD                   ? writeold(number, s)
                                                                  : writenew(number, s);
    fits = writer.writeascii(i, number, static_cast<std::size_t>(end - number));
  } else {
    fits = writer.write(i, fieldtext(s, field, gazetteer, buf));
  }
  setstatus(status, i, fits ? TUFU_OK : TUFU_E_TOOSMALL);
  return fits;
}

}  // namespace

extern "C" {

size_t tufu_sheet_at_texts(const tufu_names* names, int edition, int scale, int field, size_t n,
                           const double* lon, const double* lat, const tufu_text_column* out,
                           tufu_status* status) {
  return tufu_sheet_at_columns(names, edition, 1, &scale, &field, n, lon, lat, out, status);
}

size_t tufu_sheet_at_columns(const tufu_names* names, int edition, size_t count, const int* scales,
                             const int* fields, size_t n, const double* lon, const double* lat,
                             const tufu_text_column* out, tufu_status* status) {
  if (n == 0 || count == 0 || count > SIZE_MAX / n) return 0;
  if (scales == nullptr || fields == nullptr) {
    if (status != nullptr)
      for (std::size_t k = 0; k < count * n; ++k) status[k] = TUFU_E_ARGUMENT;
    return 0;
  }
  const auto columnstatus = [&](std::size_t j) { return status ? status + j * n : nullptr; };
  return guardedbatch(count * n, status, [&]() -> std::size_t {
    const auto e = editionof(edition);
    // The columns that can be written; the others are refused whole.
    std::vector<std::size_t> columns;
    std::vector<const Scale*> scaleof(count, nullptr);
    for (std::size_t j = 0; j < count; ++j) {
      const Scale* sc = e ? scaleat(scales[j], *e) : nullptr;
      const tufu_text_column* column = out != nullptr ? &out[j] : nullptr;
      if (lon == nullptr || lat == nullptr || !validoutput(column) || sc == nullptr ||
          fields[j] < TUFU_FIELD_NEW || fields[j] > TUFU_FIELD_CODE) {
        refusetexts(column, n, columnstatus(j),
                    !e ? TUFU_E_EDITION : sc == nullptr ? TUFU_E_SCALE : TUFU_E_ARGUMENT);
        continue;
      }
      scaleof[j] = sc;
      columns.push_back(j);
    }
    if (columns.empty()) return 0;
    const Names& gazetteer = namesof(names);
    std::vector<TextWriter> writers;
    writers.reserve(count);
    for (std::size_t j = 0; j < count; ++j) writers.emplace_back(out[j]);

    // The points a block at a time: converted once, then each column's
    // sheets in a tight loop of one scale.
    constexpr std::size_t kBlock = 256;
    Angle xs[kBlock], ys[kBlock];
    tufu_status why[kBlock];
    char buf[kFieldBuffer];
    std::size_t good = 0;
    for (std::size_t first = 0; first < n; first += kBlock) {
      const std::size_t m = std::min(kBlock, n - first);
      for (std::size_t k = 0; k < m; ++k) {
        const auto x = unitsofdegrees(lon[first + k], kLonLimit);
        const auto y = unitsofdegrees(lat[first + k], kLatLimit);
        why[k] = !x ? TUFU_E_LONGITUDE : !y ? TUFU_E_LATITUDE : TUFU_OK;
        xs[k] = x.value_or(0);
        ys[k] = y.value_or(0);
      }
      for (std::size_t j : columns) {
        TextWriter& writer = writers[j];
        tufu_status* st = columnstatus(j);
        const int field = fields[j];
        for (std::size_t k = 0; k < m; ++k) {
          const std::size_t i = first + k;
          const auto s = why[k] == TUFU_OK ? sheetat(*scaleof[j], xs[k], ys[k]) : std::nullopt;
          if (!s) {
            writer.clear(i);
            setstatus(st, i, why[k] == TUFU_OK ? TUFU_E_LONGITUDE : why[k]);
            continue;
          }
          if (putfield(writer, i, *s, field, gazetteer, buf, st)) ++good;
        }
      }
    }
    return good;
  });
}

size_t tufu_sheet_texts(const tufu_names* names, int field, size_t n, const tufu_sheet* sheets,
                        const tufu_text_column* out, tufu_status* status) {
  if (n == 0) return 0;
  return guardedbatch(n, status, [&]() -> std::size_t {
    if (sheets == nullptr || !validoutput(out) || field < TUFU_FIELD_NEW ||
        field > TUFU_FIELD_CODE) {
      return refusetexts(out, n, status, TUFU_E_ARGUMENT);
    }
    const Names& gazetteer = namesof(names);
    TextWriter writer(*out);
    std::size_t good = 0;
    char buf[kFieldBuffer];
    for (std::size_t i = 0; i < n; ++i) {
      const auto s = fromsheet(&sheets[i]);
      if (!s) {
        writer.clear(i);
        setstatus(status, i, scaleat(sheets[i].scale) == nullptr ? TUFU_E_SCALE : TUFU_E_NOSHEET);
        continue;
      }
      if (putfield(writer, i, *s, field, gazetteer, buf, status)) ++good;
    }
    return good;
  });
}

size_t tufu_sheet_bounds(size_t n, const tufu_sheet* sheets, double* out, tufu_status* status) {
  if (n == 0) return 0;
  if (sheets == nullptr || out == nullptr) {
    for (std::size_t i = 0; i < n; ++i) setstatus(status, i, TUFU_E_ARGUMENT);
    return 0;
  }
  constexpr double kPerDegree = static_cast<double>(kDegree);
  std::size_t good = 0;
  for (std::size_t i = 0; i < n; ++i) {
    double* o = out + 4 * i;
    const auto s = fromsheet(&sheets[i]);
    if (!s) {
      o[0] = o[1] = o[2] = o[3] = NAN;
      setstatus(status, i, scaleat(sheets[i].scale) == nullptr ? TUFU_E_SCALE : TUFU_E_NOSHEET);
      continue;
    }
    const Bounds b = boundsof(*s);
    o[0] = static_cast<double>(b.west) / kPerDegree;
    o[1] = static_cast<double>(b.south) / kPerDegree;
    o[2] = static_cast<double>(b.east) / kPerDegree;
    o[3] = static_cast<double>(b.north) / kPerDegree;
    setstatus(status, i, TUFU_OK);
    ++good;
  }
  return good;
}

tufu_status tufu_sheet_grid(const tufu_sheet* sheet, char* rowletter, int32_t* zone,
                            int32_t* row, int32_t* col) {
  const auto s = fromsheet(sheet);
  if (!s) return sheet == nullptr ? TUFU_E_ARGUMENT
                                  : scaleat(sheet->scale) == nullptr ? TUFU_E_SCALE : TUFU_E_NOSHEET;
  if (rowletter != nullptr) *rowletter = s->rowletter();
  if (zone != nullptr) *zone = s->zone();
  if (row != nullptr) *row = s->row();
  if (col != nullptr) *col = s->col();
  return TUFU_OK;
}

// ------------------------------------------------- containing, neighbours

size_t tufu_containing(const tufu_sheet* sheet, tufu_sheet* out, size_t cap) {
  try {
    const auto s = fromsheet(sheet);
    if (!s || (out == nullptr && cap > 0)) return 0;
    const std::vector<Sheet> up = containing(*s);
    for (std::size_t i = 0; i < up.size() && i < cap; ++i) out[i] = tosheet(up[i]);
    return up.size();
  } catch (...) {
    return 0;
  }
}

size_t tufu_neighbours(size_t n, const tufu_sheet* sheets, tufu_sheet* out,
                       tufu_status* cell_status, tufu_status* status) {
  if (n == 0) return 0;
  if (sheets == nullptr || out == nullptr) {
    for (std::size_t i = 0; i < n; ++i) setstatus(status, i, TUFU_E_ARGUMENT);
    return 0;
  }
  std::size_t good = 0;
  for (std::size_t i = 0; i < n; ++i) {
    tufu_sheet* o = out + 9 * i;
    const auto s = fromsheet(&sheets[i]);
    if (!s) {
      for (int k = 0; k < 9; ++k) {
        o[k] = kNoSheet;
        setstatus(cell_status, 9 * i + k, TUFU_E_NOSHEET);
      }
      setstatus(status, i, scaleat(sheets[i].scale) == nullptr ? TUFU_E_SCALE : TUFU_E_NOSHEET);
      continue;
    }
    const NeighbourGrid grid = neighbours(*s);
    for (std::size_t r = 0; r < 3; ++r)
      for (std::size_t c = 0; c < 3; ++c) {
        const auto& cell = grid[r][c];
        o[3 * r + c] = cell ? tosheet(*cell) : kNoSheet;
        setstatus(cell_status, 9 * i + 3 * r + c, cell ? TUFU_OK : TUFU_E_NOSHEET);
      }
    setstatus(status, i, TUFU_OK);
    ++good;
  }
  return good;
}

// ---------------------------------------------------------------- blocks

int64_t tufu_block_count(const tufu_block* block) {
  const auto b = fromblock(block);
  return b ? b->sheetcount() : 0;
}

tufu_status tufu_block_bounds(int edition, int scale, double west, double east, double south,
                              double north, tufu_block* out) {
  if (out == nullptr) return TUFU_E_ARGUMENT;
  *out = tufu_block{};
  const auto e = editionof(edition);
  if (!e) return TUFU_E_EDITION;
  const Scale* sc = scaleat(scale, *e);
  if (sc == nullptr) return TUFU_E_SCALE;
  return guarded([&]() -> tufu_status {
    return blockfrom(*sc,
                     checkbounds(unitsofdegrees(west, kLonLimit), unitsofdegrees(east, kLonLimit),
                                 unitsofdegrees(south, kLatLimit), unitsofdegrees(north, kLatLimit)),
                     out);
  });
}

tufu_status tufu_block_bounds_text(int edition, int scale, const char* west, const char* east,
                                   const char* south, const char* north, tufu_block* out) {
  if (out == nullptr) return TUFU_E_ARGUMENT;
  *out = tufu_block{};
  if (west == nullptr || east == nullptr || south == nullptr || north == nullptr)
    return TUFU_E_ARGUMENT;
  return guarded([&]() -> tufu_status {
    const auto e = editionof(edition);
    if (!e) return TUFU_E_EDITION;
    const Scale* sc = scaleat(scale, *e);
    if (sc == nullptr) return TUFU_E_SCALE;
    return blockfrom(*sc, readbounds(west, east, south, north), out);
  });
}

size_t tufu_bounds_reason(int edition, int scale, const char* west, const char* east,
                          const char* south, const char* north, char* buf, size_t cap) {
  try {
    const auto e = editionof(edition);
    if (!e) return copyout(message(TUFU_E_EDITION), buf, cap);
    const Scale* sc = scaleat(scale, *e);
    if (sc == nullptr) return copyout(message(TUFU_E_SCALE), buf, cap);
    if (west == nullptr || east == nullptr || south == nullptr || north == nullptr)
      return copyout(message(TUFU_E_ARGUMENT), buf, cap);
    return copyout(readblock(*sc, west, east, south, north).error, buf, cap);
  } catch (...) {
    return copyout(message(TUFU_E_MEMORY), buf, cap);
  }
}

tufu_status tufu_block_touching(int edition, int scale, double west, double east, double south,
                                double north, tufu_block* out) {
  if (out == nullptr) return TUFU_E_ARGUMENT;
  *out = tufu_block{};
  const auto e = editionof(edition);
  if (!e) return TUFU_E_EDITION;
  const Scale* sc = scaleat(scale, *e);
  if (sc == nullptr) return TUFU_E_SCALE;
  const auto w = unitsofdegrees(west, kLonLimit), ea = unitsofdegrees(east, kLonLimit);
  const auto s = unitsofdegrees(south, kLatLimit), n = unitsofdegrees(north, kLatLimit);
  if (!w || !ea) return TUFU_E_LONGITUDE;
  if (!s || !n) return TUFU_E_LATITUDE;
  if (*ea < *w) return TUFU_E_EASTWEST;
  if (*n < *s) return TUFU_E_NORTHSOUTH;
  return toblock(blockholding(*sc, *w, *ea, *s, *n), out);
}

int tufu_region_count(void) { return static_cast<int>(std::size(kRegions)); }

const char* tufu_region_name(int i) {
  if (i < 0 || i >= tufu_region_count()) return nullptr;
  return kRegions[i].name.data();
}

tufu_status tufu_block_region(int edition, int scale, const char* name, tufu_block* out) {
  if (out == nullptr || name == nullptr) return TUFU_E_ARGUMENT;
  *out = tufu_block{};
  return guarded([&]() -> tufu_status {
    const auto e = editionof(edition);
    if (!e) return TUFU_E_EDITION;
    const Scale* sc = scaleat(scale, *e);
    if (sc == nullptr) return TUFU_E_SCALE;
    const Region* r = regionnamed(name);
    if (r == nullptr) return TUFU_E_REGION;
    return blockfrom(*sc, readbounds(r->west, r->east, r->south, r->north), out);
  });
}

size_t tufu_region_reason(const char* name, char* buf, size_t cap) {
  if (name == nullptr) return copyout(message(TUFU_E_ARGUMENT), buf, cap);
  try {
    return copyout(regionnamed(name) != nullptr ? std::string() : unknownregion(name), buf, cap);
  } catch (...) {
    return copyout(message(TUFU_E_MEMORY), buf, cap);
  }
}

tufu_status tufu_block_contained(int edition, const tufu_sheet* sheet, int target,
                                 tufu_block* out) {
  if (out == nullptr || sheet == nullptr) return TUFU_E_ARGUMENT;
  *out = tufu_block{};
  const auto e = editionof(edition);
  if (!e) return TUFU_E_EDITION;
  const Scale* sc = scaleat(target, *e);
  if (sc == nullptr || scaleat(sheet->scale, *e) == nullptr) return TUFU_E_SCALE;
  const auto s = fromsheet(sheet);
  if (!s) return TUFU_E_NOSHEET;
  const auto b = contained(*s, *sc);
  if (!b) return TUFU_E_NEST;
  return toblock(b, out);
}

size_t tufu_nest_reason(int edition, const tufu_sheet* sheet, int target, char* buf, size_t cap) {
  try {
    const auto e = editionof(edition);
    if (!e) return copyout(message(TUFU_E_EDITION), buf, cap);
    const Scale* sc = scaleat(target, *e);
    if (sc == nullptr || sheet == nullptr || scaleat(sheet->scale, *e) == nullptr)
      return copyout(message(sheet == nullptr ? TUFU_E_ARGUMENT : TUFU_E_SCALE), buf, cap);
    const auto s = fromsheet(sheet);
    if (!s) return copyout(message(TUFU_E_NOSHEET), buf, cap);
    return copyout(containedblock(*s, *sc).error, buf, cap);
  } catch (...) {
    return copyout(message(TUFU_E_MEMORY), buf, cap);
  }
}

size_t tufu_block_sheets(const tufu_block* block, int64_t first, tufu_sheet* out, size_t cap) {
  const auto b = fromblock(block);
  if (!b || out == nullptr || first < 0) return 0;
  const std::int64_t count = b->sheetcount();
  if (first >= count) return 0;
  const std::int64_t last = std::min<std::int64_t>(count, first + static_cast<std::int64_t>(
                                                                      std::min<size_t>(cap, INT64_MAX / 2)));
  const int cols = b->blockcols;
  std::size_t k = 0;
  for (std::int64_t i = first; i < last; ++i, ++k)
    out[k] = tosheet(b->sheet(static_cast<int>(i / cols), static_cast<int>(i % cols)));
  return k;
}

tufu_status tufu_block_foreach(const tufu_block* block, size_t batch,
                               tufu_sheet_callback callback, void* user) {
  if (callback == nullptr) return TUFU_E_ARGUMENT;
  const auto b = fromblock(block);
  if (!b) return TUFU_E_BLOCK;
  if (batch == 0) batch = 4096;
  batch = std::min<size_t>(batch, 65536);
  return guarded([&]() -> tufu_status {
    std::vector<tufu_sheet> run(batch);
    const std::int64_t count = b->sheetcount();
    for (std::int64_t first = 0; first < count;) {
      const std::size_t k = tufu_block_sheets(block, first, run.data(), batch);
      if (callback(user, first, run.data(), k) != 0) return TUFU_E_STOPPED;
      first += static_cast<std::int64_t>(k);
    }
    return TUFU_OK;
  });
}

// ------------------------------------------------------------- name sets

tufu_names* tufu_names_new(void) { return new (std::nothrow) tufu_names{}; }

tufu_names* tufu_names_copy(const tufu_names* names) {
  if (names == nullptr) return tufu_names_new();
  try {
    return new tufu_names{*names};
  } catch (...) {
    return nullptr;
  }
}

void tufu_names_free(tufu_names* names) { delete names; }

tufu_status tufu_names_merge(tufu_names* names, const char* path, char* error, size_t cap) {
  copyout("", error, cap);
  if (names == nullptr || path == nullptr) {
    copyout(message(TUFU_E_ARGUMENT), error, cap);
    return TUFU_E_ARGUMENT;
  }
  const tufu_status st = guarded([&]() -> tufu_status {
    const std::string why = names->gazetteer.merge(path);
    if (why.empty()) return TUFU_OK;
    copyout(why, error, cap);
    return TUFU_E_NAMEFILE;
  });
  if (st == TUFU_E_MEMORY || st == TUFU_E_INTERNAL) copyout(message(st), error, cap);
  return st;
}

size_t tufu_name_of(const tufu_names* names, const tufu_sheet* sheet, char* buf, size_t cap) {
  const auto s = fromsheet(sheet);
  if (!s) return copyout("", buf, cap);
  return copyout(s->scale->named ? namesof(names).name(*s) : std::string_view(), buf, cap);
}

}  // extern "C"
