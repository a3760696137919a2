// The values that the main window keeps for all its panels.
#pragma once

#include <optional>

#include "core/block.h"
#include "core/scale.h"

namespace tufu {

/// The mode in view, chosen by the buttons along the top of the window.
enum Mode { kCoordinates = 1, kSheetNumbers = 2, kAbout = 3 };

struct FormState {
  /// The block last listed by the hierarchy or the block query; what
  /// "输出" shows.
  std::optional<Block> block;

  /// Number of the scale button pressed last: 7..13, 15 and 28..30
  /// (hierarchy), 17..25 and 31..33 (block query).  Switching to a mode
  /// presses it again when it belongs to that mode's panel.
  int lastscalebtn = 17;
  /// Whether the block query's four bounds form a block.
  bool blockvalid = false;
  /// The chosen position of the point query's scale list.
  int scaletag = 0;
  Mode mode = kCoordinates;
  /// The edition of the numbering in use.
  Edition edition = Edition::k1992;
};

}  // namespace tufu
