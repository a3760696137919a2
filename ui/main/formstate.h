// The values that the main window's handlers share: the last results of the
// numbering operations, the current block and the window-wide counters.
#pragma once

#include <optional>
#include <string>

#include "core/block.h"
#include "core/oldnumber.h"
#include "core/scale.h"
#include "core/sheet.h"

namespace tufu {

struct FormState {
  // Last results of the numbering operations.  A call that yields nothing
  // leaves them as they were; the panels show only what their own call gave.
  std::string newmapno;                        ///< last `newmapna`
  std::string rangewest, rangeeast;            ///< last `maprange`, edge texts
  std::string rangesouth, rangenorth;
  std::string rangewestdms, rangesouthdms;     ///< the same edges as angle texts
  std::string jcha, wcha;                      ///< last `jwcha`
  std::optional<Converted> newoldresult;       ///< last `newold`
  std::optional<Converted> oldnewresult;       ///< last `oldnew`

  /// The block last handed to `outputranges`; what "输出" shows.
  std::optional<Block> block;

  /// Number of the scale button pressed last: 7..13 and 15 (hierarchy),
  /// 17..25 (block query).
  int lastscalebtn = 17;
  /// 1 while the block query's four bounds form a valid block.
  int blockvalid = 0;
  /// The chosen position of the point query's scale list (its tag).
  int scaletag = 0;
  /// The mode in view: 1 coordinates, 2 sheet numbers, 3 about.
  int mode = 1;

  /// The sheet that the sheet-number query shows; nothing while its entry
  /// holds no acceptable number.
  std::optional<Sheet> current;
  /// The edition of the numbering in use.
  Edition edition = Edition::k1992;
};

}  // namespace tufu
