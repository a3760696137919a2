// The web page's view of tufu: the numbering core, the angle texts and the
// gazetteer, bound to JavaScript with embind.
//
// Every call returns a plain object (or array) built from the core's own
// descriptions of sheets and blocks; the page only shows what it receives
// and hands back what it was given (a scale's id, a block).  One `Tufu`
// holds what a page session changes: the edition and the merged name files.
//
// Sheet objects carry the fields of tufu-cli --json (core/fields.h): "scale"
// (label), "new" (empty at 1:20万), "old" (empty where a scale has none),
// "west", "east", "south", "north" (edge texts), "lonsize", "latsize",
// "name", "bounds" ([W, S, E, N] in degrees), and besides "scaleId" and
// "query" (the number that names the sheet when typed: the new number, or
// the old one at 1:20万).

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "angles/angle.h"
#include "core/block.h"
#include "core/describe.h"
#include "core/fields.h"
#include "core/inputs.h"
#include "core/neighbours.h"
#include "core/oldnumber.h"
#include "core/recognize.h"
#include "core/regions.h"
#include "core/scale.h"
#include "core/sheet.h"
#include "gazetteer/gazetteer.h"
#include "core/table.h"

namespace tufu {
namespace {

using emscripten::val;

val text(std::string_view s) { return val(std::string(s)); }

double degrees(Angle t) { return degreesof(t); }

val boundsarray(const Bounds& b) {
  val a = val::array();
  a.call<void>("push", degrees(b.west), degrees(b.south), degrees(b.east), degrees(b.north));
  return a;
}

// What a failed query returns: {"valid": false, "error": why}.
val refusal(std::string_view why) {
  val r = val::object();
  r.set("valid", false);
  r.set("error", text(why));
  return r;
}

// The number that names `s` when it is typed into the sheet-number query.
std::string_view querynumber(const SheetInfo& d) {
  return d.newno.empty() ? d.oldno.view() : d.newno.view();
}

// "1:5万" -> "5万": the caption of a scale button.
std::string_view shortlabel(const Scale& sc) { return sc.label.substr(2); }

class Tufu {
 public:
  Tufu() = default;

  /// 1992 or 2012; any other year changes nothing and returns false.
  bool setEdition(int year) {
    if (year != 1992 && year != 2012) return false;
    edition_ = year == 2012 ? Edition::k2012 : Edition::k1992;
    return true;
  }
  int edition() const { return edition_ == Edition::k2012 ? 2012 : 1992; }

  /// The scales of the edition in list order.
  val scaleList() const {
    val list = val::array();
    for (const Scale& sc : scales(edition_)) {
      val s = val::object();
      s.set("id", sc.id);
      s.set("label", text(sc.label));
      s.set("short", text(shortlabel(sc)));
      s.set("denom", sc.denominator);
      s.set("lonsize", text(sc.jchatext));
      s.set("latsize", text(sc.wchatext));
      s.set("shownew", sc.shownew);
      s.set("hasold", sc.hasold);
      s.set("named", sc.named);
      list.call<void>("push", s);
    }
    return list;
  }

  /// The regions of the block query, with their bounds as angle texts.
  val regionList() const {
    val list = val::array();
    for (const Region& r : kRegions) {
      val o = val::object();
      o.set("name", text(r.name));
      o.set("west", text(r.west));
      o.set("east", text(r.east));
      o.set("south", text(r.south));
      o.set("north", text(r.north));
      list.call<void>("push", o);
    }
    return list;
  }

  /// The sheet of every scale that holds the point.  Longitude and latitude
  /// as angle texts (116,23,30) or decimal degrees (116.391667).
  val point(const std::string& lontext, const std::string& lattext) const {
    const PointInput p = readpoint(lontext, lattext);
    if (!p.point) return refusal(p.error);
    const Angle lon = p.point->lon, lat = p.point->lat;
    val r = val::object();
    r.set("valid", true);
    r.set("lon", text(dfms(lon)));
    r.set("lat", text(dfms(lat)));
    val sheets = val::array();
    for (const Scale& sc : scales(edition_)) sheets.call<void>("push", full(*sheetat(sc, lon, lat)));
    r.set("sheets", sheets);
    return r;
  }

  /// A typed sheet number in either numbering: the sheet, the sheets that
  /// contain it, its neighbours and the scales whose blocks it contains; or
  /// the rule the text broke.
  val sheet(const std::string& typed) const {
    const Parsed p = recognize(typed, edition_);
    if (!p.sheet) return refusal(p.error);
    const Sheet& s = *p.sheet;
    val r = full(s);
    r.set("valid", true);
    r.set("numbering", isneworold(typed) ? "new" : "old");
    val up = val::array();
    for (const Sheet& c : containing(s)) up.call<void>("push", cell(c));
    r.set("containing", up);
    val grid = val::array();
    for (const auto& row : neighbours(s)) {
      val line = val::array();
      for (const auto& n : row) line.call<void>("push", n ? cell(*n) : val::null());
      grid.call<void>("push", line);
    }
    r.set("neighbours", grid);
    val targets = val::array();
    for (const Scale* t : containedscales(*s.scale, edition_)) targets.call<void>("push", t->id);
    r.set("targets", targets);
    return r;
  }

  /// The block of sheets of scale `target` that the typed sheet contains.
  val contains(const std::string& typed, int target) const {
    const Parsed p = recognize(typed, edition_);
    if (!p.sheet) return refusal(p.error);
    const Scale* t = scaleof(target);
    if (t == nullptr) return refusal("比例尺无效");
    const BlockAnswer a = containedblock(*p.sheet, *t);
    if (!a.block) return refusal(a.error);
    const Block* b = &*a.block;
    val r = corners(*b);
    r.set("scale", text(p.sheet->scale->label));
    r.set("target", text(t->label));
    r.set("relation", b->counttext());
    return r;
  }

  /// The sheets of scale `target` that cover west..east, south..north (angle
  /// texts or decimal degrees).
  val block(const std::string& west, const std::string& east, const std::string& south,
            const std::string& north, int target) const {
    const Scale* t = scaleof(target);
    if (t == nullptr) return refusal("比例尺无效");
    const BlockAnswer a = readblock(*t, west, east, south, north);
    if (!a.block) return refusal(a.error);
    const Block* b = &*a.block;
    val r = corners(*b);
    r.set("scale", text(t->label));
    r.set("count", b->counttext());
    return r;
  }

  /// What the sheet table of a block shows: the title, the graticule values
  /// with the weight of their lines (parallels north to south, meridians
  /// west to east) and the cells row by row from the north-west.
  val table(const val& handle) const {
    const auto b = blockfrom(handle);
    if (!b) return val::null();
    val r = val::object();
    r.set("rows", b->blockrows);
    r.set("cols", b->blockcols);
    r.set("scale", text(b->scale->label));
    r.set("title", "E" + dfms(b->blockswlon) + "-" + dfms(b->east()) + "  N" +
                       dfms(b->blockswlat) + "-" + dfms(b->north()) +
                       std::string(b->scale->label) + "地形图分幅表");
    val lats = val::array();
    for (int i = 0; i <= b->blockrows; ++i) {
      const Angle lat = b->north() - b->blocklatsize * i;
      val l = val::object();
      l.set("text", text(dfms(lat)));
      l.set("weight", parallelwidth(lat));
      lats.call<void>("push", l);
    }
    r.set("lats", lats);
    val lons = val::array();
    for (int i = 0; i <= b->blockcols; ++i) {
      const Angle lon = b->blockswlon + b->blocklonsize * i;
      val l = val::object();
      l.set("text", text(dfms(lon)));
      l.set("weight", meridianwidth(lon));
      lons.call<void>("push", l);
    }
    r.set("lons", lons);
    val cells = val::array();
    for (int row = 0; row < b->blockrows; ++row)
      for (int col = 0; col < b->blockcols; ++col) cells.call<void>("push", cell(b->sheet(row, col)));
    r.set("cells", cells);
    return r;
  }

  /// Every sheet of a block, row by row from the north-west, with what the
  /// exports write (the attributes of a GIS layer, `exportFields`): numbers,
  /// scale, denominator, name and bounds in degrees.  Null when the block
  /// holds more than `limit` sheets.
  val sheets(const val& handle, double limit) const {
    const auto b = blockfrom(handle);
    if (!b || static_cast<double>(b->sheetcount()) > limit) return val::null();
    val list = val::array();
    for (int row = 0; row < b->blockrows; ++row)
      for (int col = 0; col < b->blockcols; ++col) {
        val f = val::object();
        setfields(f, brief(b->sheet(row, col), &names_), Output::Gis);
        list.call<void>("push", f);
      }
    return list;
  }

  /// The names of the exported fields, in order.
  val exportFields() const {
    val list = val::array();
    for (const SheetField* f : fieldsof(Output::Gis)) list.call<void>("push", text(f->gis));
    return list;
  }

  /// The largest sheet table and the refusal of a larger block:
  /// {"rows": 60, "cols": 48, "refusal": "图幅过大！最大输出60*48"}.
  val tableLimit() const {
    val r = val::object();
    r.set("rows", kTableRows);
    r.set("cols", kTableCols);
    r.set("refusal", text(kTableTooLarge));
    return r;
  }

  /// Merges a name file (its bytes, as read) over the names for the rest of
  /// the session.  "" on success, else "FILE:LINE: reason"; a refused file
  /// changes nothing.
  std::string mergeNames(const val& bytes, const std::string& filename) {
    std::string data;
    data.resize(bytes["length"].as<std::size_t>());
    val(emscripten::typed_memory_view(data.size(), reinterpret_cast<unsigned char*>(data.data())))
        .call<void>("set", bytes);
    // The file is read through the same reader as tufu-cli --names, from
    // the in-memory file system, under the name the user knows it by.
    std::string path;
    for (char c : filename) path += c == '/' ? '_' : c;
    if (path.empty() || path == "." || path == "..") path = "names.tsv";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return path + ": cannot open";
    const bool written = std::fwrite(data.data(), 1, data.size(), f) == data.size();
    std::fclose(f);
    std::string error = written ? names_.merge(path) : path + ": cannot write";
    std::remove(path.c_str());
    return error;
  }

  /// Back to the built-in names alone.
  void clearNames() { names_ = Gazetteer(); }

 private:
  const Scale* scaleof(int id) const {
    const Scale* sc = byid(id);
    return sc != nullptr && sc->in(edition_) ? sc : nullptr;
  }

  // The fields that `output` writes of a sheet, under their keys (GIS:
  // attribute names).
  static void setfields(val& o, const SheetInfo& d, Output output) {
    for (const SheetField* f : fieldsof(output)) {
      const std::string key(output == Output::Gis ? f->gis : f->key);
      switch (f->type) {
        case FieldType::Text: o.set(key, text(f->text(d))); break;
        case FieldType::Integer: o.set(key, static_cast<double>(f->integer(d))); break;
        case FieldType::Degrees: o.set(key, degrees(f->angle(d))); break;
        case FieldType::Bounds: o.set(key, boundsarray(d.bounds)); break;
      }
    }
  }

  // Everything about a sheet, as tufu-cli --json writes it.
  val full(const Sheet& s) const {
    const SheetInfo d = describe(s, &names_);
    val o = val::object();
    setfields(o, d, Output::Json);
    o.set("scaleId", s.scale->id);
    o.set("query", text(querynumber(d)));
    return o;
  }

  // Numbers and name: a corner, a neighbour, a containing sheet, a cell.
  val cell(const Sheet& s) const {
    const SheetInfo d = brief(s, &names_);
    val o = val::object();
    o.set("scale", text(s.scale->label));
    setfields(o, d, Output::Brief);
    o.set("label", text(nameornumber(d)));
    o.set("query", text(querynumber(d)));
    return o;
  }

  // The corners of a block with its size and the handle that names it.
  val corners(const Block& b) const {
    val r = val::object();
    r.set("valid", true);
    r.set("rows", b.blockrows);
    r.set("cols", b.blockcols);
    r.set("topleft", cell(b.topleft()));
    r.set("bottomleft", cell(b.bottomleft()));
    r.set("topright", cell(b.topright()));
    r.set("bottomright", cell(b.bottomright()));
    val h = val::object();
    const Sheet sw = b.bottomleft();
    h.set("scale", b.scale->id);
    h.set("x", sw.x);
    h.set("y", sw.y);
    h.set("rows", b.blockrows);
    h.set("cols", b.blockcols);
    r.set("block", h);
    return r;
  }

  // The block a handle names, when it is one of this edition's.
  std::optional<Block> blockfrom(const val& h) const {
    if (h.isNull() || h.isUndefined()) return std::nullopt;
    for (const char* key : {"scale", "x", "y", "rows", "cols"})
      if (!h[key].isNumber()) return std::nullopt;
    const Scale* sc = scaleof(h["scale"].as<int>());
    if (sc == nullptr) return std::nullopt;
    const int rows = h["rows"].as<int>(), cols = h["cols"].as<int>();
    const Sheet sw{sc, h["x"].as<int>(), h["y"].as<int>()};
    const Sheet ne{sc, sw.x + cols - 1, sw.y + rows - 1};
    if (rows < 1 || cols < 1 || sw.x < 0 || sw.y < 0 || !ongrid(ne)) return std::nullopt;
    return blockof(sw, ne);
  }

  Edition edition_ = Edition::k1992;
  Gazetteer names_;
};

}  // namespace
}  // namespace tufu

EMSCRIPTEN_BINDINGS(tufu) {
  using tufu::Tufu;
  emscripten::class_<Tufu>("Tufu")
      .constructor<>()
      .function("setEdition", &Tufu::setEdition)
      .function("edition", &Tufu::edition)
      .function("scaleList", &Tufu::scaleList)
      .function("regionList", &Tufu::regionList)
      .function("point", &Tufu::point)
      .function("sheet", &Tufu::sheet)
      .function("contains", &Tufu::contains)
      .function("block", &Tufu::block)
      .function("table", &Tufu::table)
      .function("sheets", &Tufu::sheets)
      .function("exportFields", &Tufu::exportFields)
      .function("tableLimit", &Tufu::tableLimit)
      .function("mergeNames", &Tufu::mergeNames)
      .function("clearNames", &Tufu::clearNames);
}
