#include "cli/commands.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "angles/angle.h"
#include "core/block.h"
#include "core/describe.h"
#include "core/fields.h"
#include "core/inputs.h"
#include "core/neighbours.h"
#include "core/oldnumber.h"
#include "core/recognize.h"
#include "core/sheet.h"

namespace tufu::cli {

namespace {

void boundsjson(Buffer& out, DegreeTexts& degrees, const Bounds& b) {
  out += '[';
  degrees.write(out, b.west);
  out += ',';
  degrees.write(out, b.south);
  out += ',';
  degrees.write(out, b.east);
  out += ',';
  degrees.write(out, b.north);
  out += ']';
}

// ------------------------------------------------------------------- text

// "1:5万 J50E001010 J-50-5-B 经度116°15′-116°30′ 纬度39°50′-40°0′ 经差15′ 纬差10′ 名称"
void sheettext(Buffer& out, const SheetInfo& d) {
  out += d.sheet.scale->label;
  for (std::string_view no : {d.newno.view(), d.oldno.view()}) {
    if (no.empty()) continue;
    out += ' ';
    out += no;
  }
  out += " 经度";
  out += d.west;
  out += '-';
  out += d.east;
  out += " 纬度";
  out += d.south;
  out += '-';
  out += d.north;
  out += " 经差";
  out += d.lonsize;
  out += " 纬差";
  out += d.latsize;
  if (!d.name.empty()) {
    out += ' ';
    out += d.name;
  }
}

// "J50G033017 J-50-51-(1) 名称": the numbers a sheet has, then its name.
void cornertext(Buffer& out, const SheetInfo& d) {
  bool any = false;
  for (std::string_view part : {d.newno.view(), d.oldno.view(), d.name}) {
    if (part.empty()) continue;
    if (any) out += ' ';
    out += part;
    any = true;
  }
}

// ": 左上 …, 左下 …, …": the corner sheets of a block, in the given order.
struct Corner {
  std::string_view caption;
  const SheetInfo& sheet;
};
void cornerstext(Buffer& out, std::initializer_list<Corner> corners) {
  bool first = true;
  for (const Corner& c : corners) {
    out += first ? ": " : ", ";
    out += c.caption;
    out += ' ';
    cornertext(out, c.sheet);
    first = false;
  }
}

// "J50B001001/J-50-A": the numbers of a containing sheet.
void numberstext(Buffer& out, const SheetInfo& d) {
  out += d.newno;
  if (!d.newno.empty() && !d.oldno.empty()) out += '/';
  out += d.oldno;
}

// ------------------------------------------------------------------- JSON

// The fields of a sheet that `output` writes, as members of the open object.
void sheetfields(Json& j, DegreeTexts& degrees, const SheetInfo& d, Output output) {
  for (const SheetField* f : fieldsof(output)) {
    switch (f->type) {
      case FieldType::Text:
        if (f->formed)
          j.own(f->key, f->text(d));
        else
          j.str(f->key, f->text(d));
        break;
      case FieldType::Integer: j.num(f->key, f->integer(d)); break;
      case FieldType::Degrees:
        j.key(f->key);
        degrees.write(j.out(), f->angle(d));
        break;
      case FieldType::Bounds:
        j.key(f->key);
        boundsjson(j.out(), degrees, d.bounds);
        break;
    }
  }
}

// A sheet as an object of its own.
void sheetjson(Json& j, DegreeTexts& degrees, const SheetInfo& d, Output output) {
  j.open();
  sheetfields(j, degrees, d, output);
  j.close();
}

void cornerjson(Json& j, DegreeTexts& degrees, std::string_view key, const SheetInfo& d) {
  j.key(key);
  sheetjson(j, degrees, d, Output::Brief);
}

// -------------------------------------------------------------------- CSV

void csvsheet(Buffer& out, DegreeTexts& degrees, const SheetInfo& d) {
  for (const SheetField* f : fieldsof(Output::Csv)) {
    out += ',';
    switch (f->type) {
      case FieldType::Text: csvfield(out, f->text(d)); break;
      case FieldType::Integer: number(out, f->integer(d)); break;
      case FieldType::Degrees: degrees.write(out, f->angle(d)); break;
      case FieldType::Bounds: break;  // no CSV column holds all four
    }
  }
}

// The columns that every CSV row starts with.
void csvhead(Buffer& out, const Input& in, bool valid, std::string_view error) {
  csvfield(out, in.text);
  out += valid ? ",true," : ",false,";
  csvfield(out, error);
}

// The columns of each command's rows before the sheet's own.
constexpr std::string_view kPointColumns = "lon,lat";
constexpr std::string_view kSheetColumns = "numbering";
constexpr std::string_view kNeighbourColumns = "place";
constexpr std::string_view kBlockColumns = "west_in,east_in,south_in,north_in,row,col";

// A refused input's row: the columns after "error" left empty, those of
// the command (commas + 1 of them) and those of a sheet.
std::string padding(std::string_view columns) {
  const auto own = static_cast<std::size_t>(std::count(columns.begin(), columns.end(), ',')) + 1;
  return std::string(own + fieldsof(Output::Csv).size(), ',');
}
const std::string kPointPad = padding(kPointColumns);
const std::string kSheetPad = padding(kSheetColumns);
const std::string kBlockPad = padding(kBlockColumns);

// ------------------------------------------------------------- refusals

// Records a refused input: an error line, a JSON record or a CSV row.
// `known` writes the record's own fields that precede "valid".
template <typename Fields>
void refuse(Context& ctx, const Input& in, std::string_view why, std::string_view csvpad,
            Fields known) {
  ctx.failed = true;
  Buffer& out = ctx.out.buffer();
  switch (ctx.format) {
    case Format::Text:
      out += "错误: ";
      textsafe(out, in.text);
      out += ": ";
      out += why;
      break;
    case Format::Json: {
      Json j(out);
      j.open().str("input", in.text);
      known(j);
      j.boolean("valid", false).str("error", why).close();
      break;
    }
    case Format::Csv:
      csvhead(out, in, false, why);
      out += csvpad;
      break;
  }
  ctx.out.endline(ctx.format == Format::Csv ? "\r\n" : "\n");
}

void refuse(Context& ctx, const Input& in, std::string_view why, std::string_view csvpad) {
  refuse(ctx, in, why, csvpad, [](Json&) {});
}

void endline(Context& ctx) { ctx.out.endline(ctx.format == Format::Csv ? "\r\n" : "\n"); }

// ---------------------------------------------------------------- point

void point(Context& ctx, const Input& in) {
  const std::string_view kPad = kPointPad;
  const auto& f = in.fields;
  if (f.size() != 2) return refuse(ctx, in, "应输入经度和纬度两项", kPad);
  auto known = [&f](Json& j) { j.str("lon", f[0]).str("lat", f[1]); };
  const PointInput p = readpoint(f[0], f[1]);
  if (!p.point) return refuse(ctx, in, p.error, kPad, known);

  Buffer& out = ctx.out.buffer();
  Json j(out);
  if (ctx.format == Format::Json) {
    j.open().str("input", in.text);
    known(j);
    j.boolean("valid", true).key("sheets").openarray();
  }
  bool first = true;
  for (const Scale& sc : scales(ctx.edition)) {
    if (ctx.scale != nullptr && ctx.scale != &sc) continue;
    const SheetInfo d = describe(*sheetat(sc, p.point->lon, p.point->lat), &ctx.names);
    switch (ctx.format) {
      case Format::Text:
        if (!first) out += " | ";
        sheettext(out, d);
        break;
      case Format::Json:
        j.item();
        sheetjson(j, ctx.degrees, d, Output::Json);
        break;
      case Format::Csv:
        csvhead(out, in, true, "");
        out += ',';
        csvfield(out, f[0]);
        out += ',';
        csvfield(out, f[1]);
        csvsheet(out, ctx.degrees, d);
        endline(ctx);
        break;
    }
    first = false;
  }
  if (ctx.format == Format::Csv) return;
  if (ctx.format == Format::Json) j.closearray().close();
  endline(ctx);
}

// ---------------------------------------------------------------- sheets

// The sheet that a one-field input names in either numbering, or nothing
// after its refusal has been written.
std::optional<Sheet> typedsheet(Context& ctx, const Input& in, std::string_view csvpad) {
  if (in.fields.size() != 1) {
    refuse(ctx, in, "应输入一个图幅编号", csvpad);
    return std::nullopt;
  }
  Parsed p = recognize(in.fields[0], ctx.edition);
  if (!p.sheet) refuse(ctx, in, p.error, csvpad);
  return p.sheet;
}

void sheet(Context& ctx, const Input& in) {
  const std::string_view kPad = kSheetPad;
  const auto s = typedsheet(ctx, in, kPad);
  if (!s) return;
  const bool isnew = isneworold(in.fields[0]);
  const SheetInfo d = describe(*s, &ctx.names);
  const std::vector<Sheet> up = containing(*s);
  Buffer& out = ctx.out.buffer();
  switch (ctx.format) {
    case Format::Text:
      out += isnew ? "新编号 " : "旧编号 ";
      sheettext(out, d);
      if (!up.empty()) {
        out += " 所属:";
        for (const Sheet& c : up) {
          out += ' ';
          out += c.scale->label;
          out += ' ';
          numberstext(out, brief(c, nullptr));
        }
      }
      break;
    case Format::Json: {
      Json j(out);
      j.open()
          .str("input", in.text)
          .boolean("valid", true)
          .str("numbering", isnew ? "new" : "old");
      sheetfields(j, ctx.degrees, d, Output::Json);
      j.key("containing").openarray();
      for (const Sheet& c : up) {
        j.item();
        sheetjson(j, ctx.degrees, brief(c, nullptr), Output::Containing);
      }
      j.closearray().close();
      break;
    }
    case Format::Csv:
      csvhead(out, in, true, "");
      out += isnew ? ",new" : ",old";
      csvsheet(out, ctx.degrees, d);
      break;
  }
  endline(ctx);
}

void contains(Context& ctx, const Input& in) {
  const auto s = typedsheet(ctx, in, "");
  if (!s) return;
  const BlockAnswer a = containedblock(*s, *ctx.scale);
  if (!a.block) return refuse(ctx, in, a.error, "");
  const Block* h = &*a.block;
  const SheetInfo tl = brief(h->topleft(), &ctx.names), bl = brief(h->bottomleft(), &ctx.names),
                  tr = brief(h->topright(), &ctx.names), br = brief(h->bottomright(), &ctx.names);
  Buffer& out = ctx.out.buffer();
  if (ctx.format == Format::Json) {
    Json j(out);
    j.open()
        .str("input", in.text)
        .boolean("valid", true)
        .str("scale", s->scale->label)
        .str("target", ctx.scale->label)
        .str("relation", h->counttext())
        .num("rows", h->blockrows)
        .num("cols", h->blockcols);
    cornerjson(j, ctx.degrees, "topleft", tl);
    cornerjson(j, ctx.degrees, "bottomleft", bl);
    cornerjson(j, ctx.degrees, "topright", tr);
    cornerjson(j, ctx.degrees, "bottomright", br);
    j.close();
  } else {
    const SheetInfo own = brief(*s, nullptr);
    out += s->scale->label;
    out += ' ';
    out += own.oldno.empty() ? own.newno.view() : own.oldno.view();
    out += " 含 ";
    out += ctx.scale->label;
    out += ' ';
    out += h->counttext();
    cornerstext(out, {{"左上", tl}, {"左下", bl}, {"右上", tr}, {"右下", br}});
  }
  endline(ctx);
}

// ----------------------------------------------------------- neighbours

// Directions of the adjoining-sheet diagram, row by row from the north-west.
constexpr std::string_view kPlaces[3][3] = {
    {"nw", "n", "ne"}, {"w", "self", "e"}, {"sw", "s", "se"}};
constexpr std::string_view kPlaceNames[3][3] = {
    {"西北", "北", "东北"}, {"西", "本幅", "东"}, {"西南", "南", "东南"}};

void neighbours(Context& ctx, const Input& in) {
  const std::string_view kPad = kSheetPad;
  const auto s = typedsheet(ctx, in, kPad);
  if (!s) return;
  const NeighbourGrid grid = tufu::neighbours(*s);
  Buffer& out = ctx.out.buffer();
  switch (ctx.format) {
    case Format::Text: {
      const SheetInfo self = brief(*s, &ctx.names);
      out += s->scale->label;
      out += ' ';
      cornertext(out, self);
      out += " 接图表:";
      for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
          if (r == 1 && c == 1) continue;
          out += (r == 0 && c == 0) ? " " : " | ";
          out += kPlaceNames[r][c];
          out += ' ';
          if (const auto& cell = grid[r][c])
            cornertext(out, brief(*cell, &ctx.names));
          else
            out += "无";
        }
      break;
    }
    case Format::Json: {
      Json j(out);
      j.open()
          .str("input", in.text)
          .boolean("valid", true)
          .str("scale", s->scale->label)
          .key("grid")
          .openarray();
      for (const auto& row : grid) {
        j.item().openarray();
        for (const auto& cell : row) {
          j.item();
          if (!cell) {
            j.raw("null");
            continue;
          }
          sheetjson(j, ctx.degrees, brief(*cell, &ctx.names), Output::Brief);
        }
        j.closearray();
      }
      j.closearray().close();
      break;
    }
    case Format::Csv:
      for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
          if (!grid[r][c]) continue;
          csvhead(out, in, true, "");
          out += ',';
          out += kPlaces[r][c];
          csvsheet(out, ctx.degrees, describe(*grid[r][c], &ctx.names));
          endline(ctx);
        }
      return;
  }
  endline(ctx);
}

// ---------------------------------------------------------------- block

void block(Context& ctx, const Input& in) {
  const std::string_view kPad = kBlockPad;
  const auto& f = in.fields;
  if (f.size() != 4) return refuse(ctx, in, "应输入西、东、南、北四个界限", kPad);
  auto known = [&f](Json& j) {
    j.str("west", f[0]).str("east", f[1]).str("south", f[2]).str("north", f[3]);
  };
  const BlockAnswer a = readblock(*ctx.scale, f[0], f[1], f[2], f[3]);
  if (!a.block) return refuse(ctx, in, a.error, kPad, known);
  const Block* b = &*a.block;
  if ((ctx.list || ctx.format == Format::Csv) && b->sheetcount() > kManySheets && !ctx.force)
    return refuse(ctx, in, manysheets(b->sheetcount()) + ", 不逐幅列出 (确要列出请加 --force)",
                  kPad, known);

  Buffer& out = ctx.out.buffer();
  if (ctx.format == Format::Csv) {
    for (int r = 0; r < b->blockrows; ++r)
      for (int c = 0; c < b->blockcols; ++c) {
        csvhead(out, in, true, "");
        for (std::string_view v : f) {
          out += ',';
          csvfield(out, v);
        }
        out += ',';
        number(out, std::int64_t{r + 1});
        out += ',';
        number(out, std::int64_t{c + 1});
        csvsheet(out, ctx.degrees, describe(b->sheet(r, c), &ctx.names));
        endline(ctx);
      }
    return;
  }

  const SheetInfo bl = brief(b->bottomleft(), &ctx.names), tl = brief(b->topleft(), &ctx.names),
                  tr = brief(b->topright(), &ctx.names), br = brief(b->bottomright(), &ctx.names);
  if (ctx.format == Format::Text) {
    out += ctx.scale->label;
    out += ' ';
    out += b->counttext();
    cornerstext(out, {{"左下", bl}, {"左上", tl}, {"右上", tr}, {"右下", br}});
    endline(ctx);
    if (!ctx.list) return;
    for (int r = 0; r < b->blockrows; ++r)
      for (int c = 0; c < b->blockcols; ++c) {
        out += "  ";
        sheettext(out, describe(b->sheet(r, c), &ctx.names));
        endline(ctx);
      }
    return;
  }

  Json j(out);
  j.open().str("input", in.text);
  known(j);
  j.boolean("valid", true)
      .str("scale", ctx.scale->label)
      .str("count", b->counttext())
      .num("rows", b->blockrows)
      .num("cols", b->blockcols);
  cornerjson(j, ctx.degrees, "bottomleft", bl);
  cornerjson(j, ctx.degrees, "topleft", tl);
  cornerjson(j, ctx.degrees, "topright", tr);
  cornerjson(j, ctx.degrees, "bottomright", br);
  if (ctx.list) {
    j.key("sheets").openarray();
    for (int r = 0; r < b->blockrows; ++r)
      for (int c = 0; c < b->blockcols; ++c) {
        j.item();
        sheetjson(j, ctx.degrees, describe(b->sheet(r, c), &ctx.names), Output::Listed);
        // A long list goes out as it is formed.
        if (out.size() >= (1u << 16)) ctx.out.flush();
      }
    j.closearray();
  }
  j.close();
  endline(ctx);
}

}  // namespace

void DegreeTexts::write(Buffer& out, Angle a) {
  // Whole degrees, the edges of the smaller scales, need no floating point.
  if (a % kDegree == 0) {
    number(out, static_cast<std::int64_t>(a / kDegree));
    return;
  }
  Entry& e = entries_[static_cast<std::size_t>(a) * 0x9E3779B1u % kEntries];
  if (e.angle != a) {
    char text[32];
    const char* end =
        std::to_chars(text, text + sizeof text, static_cast<double>(a) / static_cast<double>(kDegree)).ptr;
    const auto size = static_cast<std::size_t>(end - text);
    if (size > sizeof e.text) {
      out.append(text, size);
      return;
    }
    e.angle = a;
    e.size = static_cast<std::uint8_t>(size);
    std::memcpy(e.text, text, size);
  }
  out.append(e.text, e.size);
}

void comment(Context& ctx, std::string_view line, std::string_view header) {
  Buffer& out = ctx.out.buffer();
  switch (ctx.format) {
    case Format::Text: textsafe(out, line); break;
    case Format::Json: Json(out).open().str("input", line).boolean("comment", true).close(); break;
    case Format::Csv:
      csvfield(out, line);
      for (char c : header)
        if (c == ',') out += ',';
      break;
  }
  endline(ctx);
}

Command commandnamed(std::string_view name) {
  if (name == "point") return point;
  if (name == "sheet") return sheet;
  if (name == "contains") return contains;
  if (name == "block") return block;
  if (name == "neighbours") return neighbours;
  return nullptr;
}

bool oneperargument(std::string_view name) {
  return name == "sheet" || name == "contains" || name == "neighbours";
}

std::string csvheader(std::string_view name) {
  std::string_view own;
  if (name == "point")
    own = kPointColumns;
  else if (name == "sheet")
    own = kSheetColumns;
  else if (name == "neighbours")
    own = kNeighbourColumns;
  else if (name == "block")
    own = kBlockColumns;
  else
    return {};
  std::string header = "input,valid,error,";
  header += own;
  for (const SheetField* f : fieldsof(Output::Csv)) {
    header += ',';
    header += f->csv;
  }
  return header;
}

}  // namespace tufu::cli
