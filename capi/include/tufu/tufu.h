/*
 * libtufu: the sheet numbers of China's national basic-scale topographic
 * maps (GB/T 13989, 1992 and 2012 editions) through a C interface.
 *
 * The same answers as `tufu-cli`, for callers in any language: the scale
 * table; the sheet that holds a point; new and old numbers read, checked
 * and written; bounds, edge and size texts and place names; containing
 * sheets, contained blocks and neighbours; blocks of sheets enumerated in
 * pages or through a callback; the sheets a line or polygon touches (their
 * candidates, and the rule that decides among them).
 *
 * General rules
 * -------------
 * - C99.  Every function is safe to call from several threads at once.  The
 *   library keeps no global state; the only objects it creates are name sets
 *   (`tufu_names`), which the caller creates and frees.  A name set may be
 *   read by many threads at once, but must not be merged into while another
 *   thread uses it.
 * - No function aborts, throws or longjmps.  Failure is a status code.
 * - Batch functions take arrays of `n` inputs and write into arrays that the
 *   caller owns and sizes for `n` results; they allocate nothing per element
 *   and keep no pointer after they return.  Each element gets its own status
 *   (`TUFU_OK` or a `TUFU_E_*` code); a batch never fails as a whole because
 *   of a bad element.  A status array may be NULL when the caller does not
 *   want it.  A batch returns the number of elements whose status is
 *   `TUFU_OK`.  With n = 0 every pointer may be NULL.
 * - Strings returned as `const char *` without a caller's buffer (version,
 *   scale labels, size texts, messages, region names) are static: valid for
 *   the life of the process, never to be freed or modified.
 * - Texts are UTF-8 unless a text column says otherwise.  Messages are in
 *   Chinese, exactly as `tufu-cli` writes them.
 *
 * Sheets
 * ------
 * A sheet is an integer position (`tufu_sheet`): its scale, and the number
 * of sheet columns between 0° E and its west edge (x) and of sheet rows
 * between the equator and its south edge (y).  Its edges are x × width,
 * (x + 1) × width, y × height and (y + 1) × height of its scale.  Edges are
 * half-open: a point on a parallel belongs to the sheet north of it, a point
 * on a meridian to the sheet east of it, at every scale.  The position is the
 * same in both editions; only which scales exist and how an 'I' in a typed
 * new number is read depend on the edition.
 *
 * LEGAL typed numbers (1992):  J50  j50c001002  J50I006006  K-49  K-049
 *   J-50-C  J-50-9  L-51-[16]  I-48-XXXV  I-49-144  I-48-20-B  M-47-2-(64)
 *   L-48-14-C-03  D-45-48-(26)-C
 * LEGAL in the 2012 edition also:  J50I576576  J50J00010001  J50K23042304
 * ILLEGAL:  ""  J5  J50C00100  J50A001001  J30  J61C001001  J50B003001
 *   "J50C001002 " (a blank)  J50J00010001 (1992)  Z-49  K-49X  K-490
 *   I-48-IIII  J-50-145  L-51-[17]  M-47-2-(65)  L-48-14-C-5  -K-49  K--49
 */
#ifndef TUFU_TUFU_H
#define TUFU_TUFU_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32) && !defined(TUFU_STATIC)
#  if defined(TUFU_BUILDING)
#    define TUFU_API __declspec(dllexport)
#  else
#    define TUFU_API __declspec(dllimport)
#  endif
#elif defined(__GNUC__)
#  define TUFU_API __attribute__((visibility("default")))
#else
#  define TUFU_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ------------------------------------------------------------ version */

/* TUFU_VERSION_MAJOR, _MINOR, _PATCH, TUFU_VERSION_STRING ("0.2.0") and
 * TUFU_VERSION_NUMBER (major × 10000 + minor × 100 + patch), from the
 * project's version at build time. */
#include "tufu/tufu_version.h"

/** The version of the library that is running, e.g. "0.2.0" (static). */
TUFU_API const char *tufu_version(void);
/** The same as a number, as TUFU_VERSION_NUMBER: compare it with the macro
 *  to find a library older than the header a program was built with. */
TUFU_API int tufu_version_number(void);

/* ------------------------------------------------------------- status */

/** Status of a call or of one element of a batch.  The values are stable:
 *  new codes may be added, none is renumbered. */
enum tufu_status_code {
  TUFU_OK = 0,
  /* Arguments. */
  TUFU_E_ARGUMENT = 1,   /**< a NULL pointer or a value no call accepts */
  TUFU_E_EDITION = 2,    /**< an edition other than 1992 and 2012 */
  TUFU_E_SCALE = 3,      /**< no such scale, or not in the edition */
  TUFU_E_MEMORY = 4,     /**< out of memory */
  TUFU_E_INTERNAL = 5,   /**< a fault inside the library (report it) */
  TUFU_E_TOOSMALL = 6,   /**< a text did not fit its record or buffer */
  TUFU_E_MISSING = 7,    /**< a NULL element in a column of pointers */
  TUFU_E_STOPPED = 8,    /**< a callback asked to stop */
  /* Points and bounds. */
  TUFU_E_LONGITUDE = 10, /**< "经度应为0至180度的度,分,秒或十进制度" */
  TUFU_E_LATITUDE = 11,  /**< "纬度应为0至60度的度,分,秒或十进制度" */
  TUFU_E_EASTWEST = 12,  /**< "东界应大于西界" */
  TUFU_E_NORTHSOUTH = 13,/**< "北界应大于南界" */
  TUFU_E_BLOCK = 14,     /**< "区块无效" */
  TUFU_E_REGION = 15,    /**< no region of that name */
  TUFU_E_NEST = 16,      /**< the target scale does not nest in the sheet's;
                              tufu_nest_reason() gives the full text */
  TUFU_E_NOSHEET = 17,   /**< no sheet there (a neighbour beyond 180° E, 60° N,
                              the equator or 0° E) */
  TUFU_E_NAMEFILE = 18,  /**< a name file could not be read or merged */
  /* A sheet number refused; tufu_reason() gives the full Chinese text. */
  TUFU_E_EMPTY = 30,        /**< "图幅编号为空" */
  TUFU_E_NEW_LENGTH = 31,   /**< a new number of the wrong length */
  TUFU_E_NEW_ROW = 32,      /**< character 1: the row letter */
  TUFU_E_NEW_ZONE = 33,     /**< characters 2 and 3: the zone */
  TUFU_E_NEW_CODE = 34,     /**< character 4: the scale code */
  TUFU_E_NEW_DIGITS = 35,   /**< row and column not all digits */
  TUFU_E_NEW_SHEETROW = 36, /**< the sheet row out of range */
  TUFU_E_NEW_SHEETCOL = 37, /**< the sheet column out of range */
  TUFU_E_OLD_DASH = 40,     /**< "-" at the start or the end */
  TUFU_E_OLD_FIELDS = 41,   /**< too many, empty, or the wrong number of fields */
  TUFU_E_OLD_ROW = 42,      /**< field 1: the row letter */
  TUFU_E_OLD_ZONE = 43,     /**< field 2: the zone */
  TUFU_E_OLD_INDEX = 44,    /**< a later field: the sheet's index */
  TUFU_E_NUMBER = 49        /**< refused for another reason */
};
typedef int32_t tufu_status;

/** A short Chinese description of a status code, e.g. the messages above
 *  (static; "" for TUFU_OK, "未知错误" for an unknown code).  For refused
 *  sheet numbers, tufu_reason() names the characters concerned. */
TUFU_API const char *tufu_status_message(tufu_status code);

/** Whether a status is a refused sheet number (codes 30..49). */
#define TUFU_IS_NUMBER_ERROR(code) ((code) >= 30 && (code) <= 49)

/* ------------------------------------------------------------- scales */

/** Editions of the numbering, by year. */
#define TUFU_1992 1992 /**< nine scales, 1:100万 to 1:5000 */
#define TUFU_2012 2012 /**< those and 1:2000, 1:1000, 1:500 */

/** Scales, by their position in the list (stable). */
enum tufu_scale_index {
  TUFU_SCALE_1M = 0,    /**< 1:100万 */
  TUFU_SCALE_500K = 1,  /**< 1:50万 */
  TUFU_SCALE_250K = 2,  /**< 1:25万 */
  TUFU_SCALE_200K = 3,  /**< 1:20万, old numbering only */
  TUFU_SCALE_100K = 4,  /**< 1:10万 */
  TUFU_SCALE_50K = 5,   /**< 1:5万 */
  TUFU_SCALE_25K = 6,   /**< 1:2.5万 */
  TUFU_SCALE_10K = 7,   /**< 1:1万 */
  TUFU_SCALE_5K = 8,    /**< 1:5000 */
  TUFU_SCALE_2K = 9,    /**< 1:2000, 2012 edition */
  TUFU_SCALE_1K = 10,   /**< 1:1000, 2012 edition */
  TUFU_SCALE_500 = 11   /**< 1:500, 2012 edition */
};
#define TUFU_SCALE_COUNT 12

/** Angles inside the library are whole fortieths of an arc-second; every
 *  sheet edge is one.  A degree holds this many. */
#define TUFU_UNITS_PER_DEGREE 144000

/** One row of the scale table.  Pointers are static.  New fields are
 *  added at the end only. */
typedef struct tufu_scale_info {
  int32_t index;        /**< TUFU_SCALE_*: position in the list */
  const char *label;    /**< "1:5万" */
  int32_t denominator;  /**< 50000 */
  char code;            /**< letter in new numbers: 'E'; at 1:20万 the internal 'I' */
  int32_t digits;       /**< digits of the sheet row and column in a new number */
  int32_t rows;         /**< sheets along each side of a 1:100万 sheet */
  int64_t width_units;  /**< a sheet's longitude extent in TUFU_UNITS_PER_DEGREE */
  int64_t height_units; /**< a sheet's latitude extent */
  double width;         /**< the same in degrees */
  double height;
  const char *lonsize;  /**< longitude size text, "15′" */
  const char *latsize;  /**< latitude size text, "10′" */
  int32_t shows_new;    /**< 1 when its sheets show a new number (0 at 1:20万) */
  int32_t has_old;      /**< 1 when its sheets have an old number */
  int32_t named;        /**< 1 when its sheets can carry place names */
  int32_t parent;       /**< the next smaller scale that holds its sheets; -1 */
  int32_t since;        /**< first edition that has it: 1992 or 2012 */
  const char *suffix;   /**< the scale in the column names `tufu-cli annotate`
                             adds, new_<suffix> and old_<suffix>: "5w" (the
                             denominator in 万), "25k" (in thousands), "500" */
} tufu_scale_info;

/** The number of scales of an edition (9 or 12); 0 for another edition.
 *  The scales of an edition are indexes 0 .. count − 1. */
TUFU_API int tufu_scale_count(int edition);

/** Fills `*out` with the row of scale `index`.
 *  TUFU_E_SCALE for an index outside 0..11; TUFU_E_ARGUMENT for out = NULL. */
TUFU_API tufu_status tufu_scale_get(int index, tufu_scale_info *out);

/** The column that `tufu-cli annotate` adds for `field` (TUFU_FIELD_NEW or
 *  TUFU_FIELD_OLD) of scale `index`: "new_5w", "old_25k" (static text).
 *  NULL when the scale has no such number (1:20万 has no new column, 1:2000
 *  and larger no old one), and for any other field or index.
 *    LEGAL:   (TUFU_SCALE_50K, TUFU_FIELD_NEW) → "new_5w"
 *    ILLEGAL: (TUFU_SCALE_200K, TUFU_FIELD_NEW) (TUFU_SCALE_2K, TUFU_FIELD_OLD) */
TUFU_API const char *tufu_annotate_column(int index, int field);

/** The scale a user names ("1:5万", "5万", "1:50000", "50000", "5千" ...),
 *  in the edition; -1 when the text names none.  `len` bytes of `text` are
 *  read (no NUL needed).
 *    LEGAL:   "1:5万" "5万" "50000" "1:500" (2012)
 *    ILLEGAL: "1:5万 " "1:3万" "1:500" (1992) "" */
TUFU_API int tufu_scale_parse(int edition, const char *text, size_t len);

/* ------------------------------------------------------------- sheets */

typedef struct tufu_sheet {
  int32_t scale; /**< TUFU_SCALE_* */
  int32_t x;     /**< sheet columns between 0° E and its west edge */
  int32_t y;     /**< sheet rows between the equator and its south edge */
} tufu_sheet;

/* A column of texts: how a batch receives or writes many texts at once.
 * Fixed-width records (RECORDS encodings) suit numpy's 'S' and 'U' arrays;
 * a column of pointers suits C callers with their own strings. */
enum tufu_text_encoding {
  /** `data` holds n records of `width` bytes, UTF-8.  On input a record ends
   *  at its first NUL byte or after `width` bytes.  On output a text of at
   *  most `width` bytes is written and the rest of the record set to NUL; a
   *  longer text gives TUFU_E_TOOSMALL and a record of NUL bytes. */
  TUFU_UTF8 = 1,
  /** `data` holds n records of `width` uint32_t code points (UTF-32 in the
   *  machine's byte order, as numpy's 'U' dtype); otherwise as TUFU_UTF8.
   *  On input a code point that is not a Unicode scalar value refuses the
   *  element as the CLI refuses a bad byte. */
  TUFU_UTF32 = 2,
  /** Input only: `data` is a `const char *const *`, n NUL-terminated UTF-8
   *  strings; a NULL element gets TUFU_E_MISSING.  `width` is not used. */
  TUFU_POINTERS = 3
};

typedef struct tufu_text_column {
  void *data;       /**< owned by the caller; see tufu_text_encoding */
  size_t width;     /**< units per record (bytes or code points) */
  int32_t encoding; /**< TUFU_UTF8, TUFU_UTF32 or TUFU_POINTERS */
} tufu_text_column;

/** The sheets of scale `scale` that hold the points (lon[i], lat[i]), in
 *  decimal degrees, 0 ≤ lon ≤ 180 and 0 ≤ lat ≤ 60, both limits included.
 *  A point on a sheet edge is in the sheet north or east of it.  A value
 *  within 10^-6 units (1 unit = 1/144000°) of a whole unit lies on it,
 *  so that the double nearest to an edge (39.833333333333336 for 39°50′)
 *  is on that edge, as the CLI reads the text "39,50"; any other value is
 *  taken to the unit below it, which keeps the point in the sheet that
 *  holds it.  NaN, infinities and values outside the range give
 *  TUFU_E_LONGITUDE or TUFU_E_LATITUDE (longitude is checked first) and the
 *  sheet {-1, 0, 0}, which every later call refuses.  An edition without the scale gives TUFU_E_SCALE for
 *  every element.
 *    LEGAL:   (116.25, 39.8333333333333) (0, 0) (180, 60)
 *    ILLEGAL: (-0.5, 30) (116, 60.0000001) (NaN, 30) (116, INFINITY) */
TUFU_API size_t tufu_sheet_at(int edition, int scale, size_t n, const double *lon,
                              const double *lat, tufu_sheet *out, tufu_status *status);

/** The same for points given as angle texts, read exactly as `tufu-cli point`
 *  reads them: "116,23,30", "116,23,30.5", "116.391667", "116°23′30″".
 *    LEGAL:   116,23,30  116  136,30  116,23,30.5  116.391667  116°23'30"
 *    ILLEGAL: 180.00001  -1.5  1e2  116,23.5,0  " 116"  116°23″5′ */
TUFU_API size_t tufu_sheet_at_text(int edition, int scale, size_t n,
                                   const tufu_text_column *lon,
                                   const tufu_text_column *lat, tufu_sheet *out,
                                   tufu_status *status);

/** Reads typed sheet numbers in either numbering (a text with "-" is an old
 *  number) and either letter case, as `tufu-cli sheet` reads them.  For each
 *  element: the sheet, or a TUFU_E_* number code (30..49) and the sheet
 *  {-1, 0, 0}.  `position` (may be NULL) receives the 1-based character
 *  position where the refused text breaks the rule (0 when the rule concerns
 *  the whole text, e.g. its length), and 0 for an accepted one.  `numbering`
 *  (may be NULL) receives 1 for a new number, 2 for an old number (whether
 *  accepted or not).  Examples of both kinds are at the top of this file. */
TUFU_API size_t tufu_recognize(int edition, size_t n, const tufu_text_column *numbers,
                               tufu_sheet *out, tufu_status *status, int32_t *position,
                               int32_t *numbering);

/** Why `text` (`len` bytes, no NUL needed) is refused as a sheet number of
 *  the edition: the CLI's Chinese reason, written to `buf` (at most `cap`
 *  bytes with the closing NUL; truncated at a character boundary when it
 *  does not fit).  Returns the length of the whole reason without its NUL,
 *  0 when the number is accepted.  `buf` may be NULL when `cap` is 0.
 *    tufu_reason(1992, "J50C00100", 9, buf, 256)
 *      → "新图幅编号应为3位(如J50)或10位(如J50C001002)" */
TUFU_API size_t tufu_reason(int edition, const char *text, size_t len, char *buf,
                            size_t cap);

/* ----------------------------------------------------- sheet texts */

/** The fields of a sheet that tufu_sheet_texts writes. */
enum tufu_field {
  TUFU_FIELD_NEW = 1,     /**< new number to show, "J50E001010"; "" at 1:20万 */
  TUFU_FIELD_OLD = 2,     /**< old number, "J-50-5-B"; "" below 1:5000 */
  TUFU_FIELD_NAME = 3,    /**< place name from the name set; "" when none */
  TUFU_FIELD_WEST = 4,    /**< edge texts as the CLI writes them: "116°15′" */
  TUFU_FIELD_EAST = 5,
  TUFU_FIELD_SOUTH = 6,
  TUFU_FIELD_NORTH = 7,
  TUFU_FIELD_LONSIZE = 8, /**< size texts of the scale: "15′" */
  TUFU_FIELD_LATSIZE = 9,
  TUFU_FIELD_SCALE = 10,  /**< scale label: "1:5万" */
  TUFU_FIELD_CODE = 11    /**< the new-form number the program forms, also at
                               1:20万 (its internal code "J50I001003"); what
                               name files are keyed by */
};

/** Longest texts of the fields, in bytes of UTF-8 (a name: 15 characters). */
#define TUFU_NEW_MAX 12
#define TUFU_OLD_MAX 15
#define TUFU_NAME_MAX 60
#define TUFU_EDGE_MAX 32

typedef struct tufu_names tufu_names;

/** Writes `field` of each sheet into the output column `out` (TUFU_UTF8 or
 *  TUFU_UTF32 records).  Names come from `names`, or the built-in names when
 *  it is NULL.  A sheet outside the numbered grid, or of no scale, gives
 *  TUFU_E_SCALE or TUFU_E_NOSHEET and an empty record. */
TUFU_API size_t tufu_sheet_texts(const tufu_names *names, int field, size_t n,
                                 const tufu_sheet *sheets, const tufu_text_column *out,
                                 tufu_status *status);

/** tufu_sheet_at and tufu_sheet_texts in one pass: `field` of the sheet of
 *  `scale` that holds each point, written into `out`, with no array of
 *  sheets between.  A refused point gives an empty record and its status. */
TUFU_API size_t tufu_sheet_at_texts(const tufu_names *names, int edition, int scale,
                                    int field, size_t n, const double *lon,
                                    const double *lat, const tufu_text_column *out,
                                    tufu_status *status);

/** Many columns of a table of points in one pass: column out[j] receives
 *  field fields[j] of the sheet of scale scales[j] that holds each point,
 *  for j < count.  Each point is read and converted once, so that the
 *  numbers of every scale cost little more than those of one.  `status`,
 *  when not NULL, holds count × n statuses: status[j * n + i] for point i
 *  in column j.  A refused point gives empty records in every column; a
 *  bad column (a scale the edition lacks, a field outside TUFU_FIELD_*, an
 *  output that cannot be written) refuses that column alone.  Returns the
 *  records written, over all columns.
 *    LEGAL:   count = 2, scales = {5, 5}, fields = {TUFU_FIELD_NEW, TUFU_FIELD_OLD}
 *    ILLEGAL: scales = {99} (TUFU_E_SCALE for its column)
 *             out[j].encoding = TUFU_POINTERS (TUFU_E_ARGUMENT) */
TUFU_API size_t tufu_sheet_at_columns(const tufu_names *names, int edition, size_t count,
                                      const int *scales, const int *fields, size_t n,
                                      const double *lon, const double *lat,
                                      const tufu_text_column *out, tufu_status *status);

/** The edges of each sheet in degrees: out[4i .. 4i+3] = west, south, east,
 *  north (the CLI's "bounds" order).  Bad sheets give four NaN. */
TUFU_API size_t tufu_sheet_bounds(size_t n, const tufu_sheet *sheets, double *out,
                                  tufu_status *status);

/** The 1:100万 sheet and the place of a sheet inside it: row letter 'A'..,
 *  zone 31.., and its row and column from 1 at the north and the west edge
 *  (the digits of its new number).  Any pointer may be NULL. */
TUFU_API tufu_status tufu_sheet_grid(const tufu_sheet *sheet, char *rowletter,
                                     int32_t *zone, int32_t *row, int32_t *col);

/* -------------------------------------------- containing, neighbours */

/** The most containing sheets a sheet has. */
#define TUFU_CONTAINING_MAX 12

/** The sheets of every smaller scale that contain `sheet`, in the order of
 *  `tufu-cli sheet`'s "containing": the chain of parents up to 1:100万, then
 *  the other scales that hold it.  Writes at most `cap` sheets to `out` and
 *  returns how many there are (0 for a 1:100万 sheet or a bad sheet); `out`
 *  may be NULL when `cap` is 0. */
TUFU_API size_t tufu_containing(const tufu_sheet *sheet, tufu_sheet *out, size_t cap);

/** The eight sheets around each sheet, with the sheet itself in the middle:
 *  out[9i .. 9i+8] = NW, N, NE, W, self, E, SW, S, SE, as `tufu-cli
 *  neighbours` lays out its grid.  A place with no sheet (beyond 0°–180° E,
 *  0°–60° N; no wrap at 180°) gets {-1, 0, 0} and TUFU_E_NOSHEET in
 *  `cell_status[9i + k]` (may be NULL).  `status[i]` is the status of the
 *  sheet itself.  Neighbours cross the borders of 1:100万 sheets and zones:
 *  the E of J50C001004 is J51C001001. */
TUFU_API size_t tufu_neighbours(size_t n, const tufu_sheet *sheets, tufu_sheet *out,
                                tufu_status *cell_status, tufu_status *status);

/* ------------------------------------------------------------- blocks */

/** A block: `rows` × `cols` sheets of one scale whose south-west sheet is
 *  {scale, x, y}.  Its sheets are counted row by row from the north-west:
 *  sheet k lies in row k / cols (0 = northernmost) and column k % cols. */
typedef struct tufu_block {
  int32_t scale;
  int32_t x;    /**< of the south-west sheet */
  int32_t y;
  int32_t rows; /**< sheet rows, south to north */
  int32_t cols; /**< sheet columns, west to east */
} tufu_block;

/** The number of sheets of a block (0 for an empty or bad block). */
TUFU_API int64_t tufu_block_count(const tufu_block *block);

/** The sheets of `scale` that cover west..east, south..north (degrees), as
 *  `tufu-cli block` answers: a north or east bound on a sheet edge ends the
 *  block in the sheet south or west of it.  Bounds are read as the points of
 *  tufu_sheet_at.  Errors: TUFU_E_LONGITUDE, TUFU_E_LATITUDE, TUFU_E_EASTWEST,
 *  TUFU_E_NORTHSOUTH, TUFU_E_BLOCK, TUFU_E_SCALE; then *out is zeroed.
 *    北京 (114.5, 118, 39, 41.5) at 1:100万 → J50 K50 K50 J50, 2 × 1 */
TUFU_API tufu_status tufu_block_bounds(int edition, int scale, double west, double east,
                                       double south, double north, tufu_block *out);

/** The same for four angle texts, read as `tufu-cli block` reads them
 *  (NUL-terminated UTF-8). */
TUFU_API tufu_status tufu_block_bounds_text(int edition, int scale, const char *west,
                                            const char *east, const char *south,
                                            const char *north, tufu_block *out);

/** Why tufu_block_bounds_text refuses the four texts: the CLI's Chinese
 *  text (which names an empty bound, "经度不能为空", where the status code
 *  only says TUFU_E_LONGITUDE), written as tufu_reason writes it; returns
 *  its length, 0 when the bounds give a block. */
TUFU_API size_t tufu_bounds_reason(int edition, int scale, const char *west,
                                   const char *east, const char *south, const char *north,
                                   char *buf, size_t cap);

/* ------------------------------------------- sheets a geometry touches
 *
 * The one rule for the sheets of a scale that a geometry (a point, line or
 * polygon, or a collection of them, in degrees) touches; the Python package,
 * the QGIS plugin and the PostgreSQL extension follow it, each with its own
 * geometry engine for the two geometric tests:
 *
 *   1. The candidates are the block tufu_block_touching gives for the
 *      geometry's bounding box.
 *   2. A candidate is touched when the geometry meets the inside of the
 *      sheet (its rectangle without its edges).
 *   3. Only when the geometry meets the inside of no candidate (it lies
 *      wholly on sheet edges: a point on an edge or a corner, a line along
 *      a meridian or a parallel), the touched
 *      sheets are those that hold one of its points, by the rule of
 *      tufu_sheet_at: a point on an edge lies in the sheet north or east of
 *      it (on 180° E and 60° N, in the sheet west or south).
 *   4. The answer is in block order, row by row from the north-west.
 *
 * So a polygon equal to a sheet touches that sheet alone, a polygon along
 * sheet lines the sheets inside it, a line along a meridian that is a sheet
 * edge the sheets east of it, a line through a sheet corner only the sheets
 * whose inside it crosses, and a polygon with a hole that holds a whole
 * sheet every candidate but that sheet.  Step 3 needs only the sheets of
 * step 1 and tufu_sheet_at: a candidate holds a point of the geometry when
 * one of the points of their meeting (a corner, or the middle of a piece of
 * edge, which decides for the whole piece) lies in it by tufu_sheet_at.
 */

/** The candidates of the sheets a geometry whose bounding box is west..east,
 *  south..north (degrees, read as tufu_sheet_at reads points) touches: the
 *  block from the sheet that holds (west, south) to the sheet that holds
 *  (east, north).  Equal bounds are allowed (a point, a line along a
 *  meridian).  Errors: TUFU_E_LONGITUDE, TUFU_E_LATITUDE, TUFU_E_EASTWEST
 *  (east < west), TUFU_E_NORTHSOUTH (north < south), TUFU_E_SCALE,
 *  TUFU_E_EDITION; then *out is zeroed.
 *    J50's edges (114, 120, 36, 40) at 1:100万 → K50 K51 J50 J51, 2 × 2
 *    on the 120° meridian (120, 120, 37, 38) → J51 */
TUFU_API tufu_status tufu_block_touching(int edition, int scale, double west, double east,
                                         double south, double north, tufu_block *out);

/** The number of regions (provinces and regions of the block query). */
TUFU_API int tufu_region_count(void);
/** The name of region `i` (static UTF-8, e.g. "北京"), or NULL. */
TUFU_API const char *tufu_region_name(int i);
/** The block of sheets of `scale` covering the region named `name` (exactly
 *  as tufu_region_name writes it), as `tufu-cli grid --region`. */
TUFU_API tufu_status tufu_block_region(int edition, int scale, const char *name,
                                       tufu_block *out);
/** Why tufu_block_region refuses `name` (NUL-terminated UTF-8): the CLI's
 *  text, which lists the regions there are, written as tufu_reason writes
 *  it; returns its length, 0 for the name of a region.
 *    "北平" → "没有名为 北平 的地区 (可用 北京、天津、…)" */
TUFU_API size_t tufu_region_reason(const char *name, char *buf, size_t cap);

/** The block of sheets of scale `target` that `sheet` contains, as
 *  `tufu-cli contains`; TUFU_E_NEST when the target does not nest in the
 *  sheet's scale (a smaller scale; 1:20万 against 1:25万). */
TUFU_API tufu_status tufu_block_contained(int edition, const tufu_sheet *sheet,
                                          int target, tufu_block *out);

/** Why tufu_block_contained refuses `target` for `sheet`: the CLI's Chinese
 *  text, written to `buf` as tufu_reason writes it; returns its length, 0
 *  when the target nests (a bad edition, scale or sheet gives the text of
 *  its status code).
 *    J50C001001, 1:20万 → "1:20万的图幅不能整齐地嵌套在1:25万图幅之内" */
TUFU_API size_t tufu_nest_reason(int edition, const tufu_sheet *sheet, int target,
                                 char *buf, size_t cap);

/** One page of a block's sheets: sheets first .. first + cap − 1 in block
 *  order into `out`.  Returns how many were written (0 past the end or for
 *  a bad block).  Paging with first = 0, cap, 2 cap, ... visits every sheet
 *  once. */
TUFU_API size_t tufu_block_sheets(const tufu_block *block, int64_t first, tufu_sheet *out,
                                  size_t cap);

/** Called with consecutive runs of a block's sheets, in block order; the
 *  sheets array belongs to the library and is valid only during the call.
 *  `first` is the block index of sheets[0].  Return 0 to go on, anything
 *  else to stop. */
typedef int (*tufu_sheet_callback)(void *user, int64_t first, const tufu_sheet *sheets,
                                   size_t n);

/** Calls `callback` for every sheet of the block, `batch` sheets at a time
 *  (at most 65536; 0 takes 4096), without holding the whole block: a grid
 *  of millions of sheets streams.  TUFU_OK when every sheet was passed,
 *  TUFU_E_STOPPED when the callback stopped it. */
TUFU_API tufu_status tufu_block_foreach(const tufu_block *block, size_t batch,
                                        tufu_sheet_callback callback, void *user);

/* --------------------------------------------------------- name sets */

/** A new name set holding the built-in names.  The caller frees it with
 *  tufu_names_free().  NULL when out of memory. */
TUFU_API tufu_names *tufu_names_new(void);

/** A new name set holding the same names as `names` (NULL: the built-in
 *  names), to be freed with tufu_names_free(); NULL when out of memory.
 *  Merging into a copy while other threads read the original is safe. */
TUFU_API tufu_names *tufu_names_copy(const tufu_names *names);

/** Frees a name set (NULL is allowed).  No call may use it afterwards. */
TUFU_API void tufu_names_free(tufu_names *names);

/** Merges the name file at `path` (KEY<TAB>NAME lines, as `tufu-cli --names`
 *  reads them) over the set; its rows win over earlier ones.  On failure
 *  the set is left as it was, TUFU_E_NAMEFILE is returned and the reason
 *  "FILE:LINE: reason" (or "FILE: reason") is written to `error` (at most
 *  `cap` bytes with the NUL; `error` may be NULL when cap is 0). */
TUFU_API tufu_status tufu_names_merge(tufu_names *names, const char *path, char *error,
                                      size_t cap);

/** The place name of one sheet into `buf` (as tufu_reason writes texts);
 *  returns its length, 0 when it has none.  `names` NULL: built-in names. */
TUFU_API size_t tufu_name_of(const tufu_names *names, const tufu_sheet *sheet, char *buf,
                             size_t cap);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* TUFU_TUFU_H */
