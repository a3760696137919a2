// Fixed lists of the main window: the regions of the block query, the scale
// buttons of the hierarchy and block panels, the entry list of the
// sheet-number query, the editions, and where each panel puts its results.
#pragma once

#include <string_view>

#include "core/regions.h"

namespace tufu::tables {

/// Items 0 and 1 of the query mode list.
inline constexpr std::string_view kSinglePoint = "单点查询";
inline constexpr std::string_view kBlockQuery = "区块查询";

/// The entry list of the sheet-number query: the input formats.
inline constexpr std::string_view kEntryItems[] = {
    "新图幅编号格式:", "J50C001002", "旧图幅编号格式", "1:100万:", "K-49",
    "1:50万:", "J-50-C", "1:25万:", "L-51-[2]", "1:20万", "I-48-XXXV",
    "1:10万:", "I-49-15", "1:5万:", "I-48-20-B", "1:2.5万:", "L-48-14-C-3",
    "1:1万:", "M-47-2-(14)", "1:5000", "D-45-48-(26)-C", "字母大小写均可",
};

/// Entries of the 2012 edition, put into the entry list after the example
/// of a new number: the forms of its larger scales.
inline constexpr std::string_view kEntryItems2012[] = {
    "1:2000:", "J50I001001", "1:1000:", "J50J00010001", "1:500:", "J50K00010001",
};
inline constexpr int kEntryItems2012At = 2;

/// The views of the hierarchy chooser.
inline constexpr std::string_view kContainingView = "所属小比例尺图幅编号";
inline constexpr std::string_view kContainedView = "所含大比例尺图幅编号";
inline constexpr std::string_view kNeighboursView = "接图表(相邻图幅)";

/// The items of the edition chooser, in the order of `Edition`, and how
/// the choice is remembered between runs.
inline constexpr std::string_view kEditionItems[] = {"GB/T 13989-1992", "GB/T 13989-2012"};
inline constexpr std::string_view kSettingsOrganisation = "tufu";
inline constexpr std::string_view kSettingsApplication = "tufu";
inline constexpr std::string_view kEditionKey = "edition";
inline constexpr std::string_view kEditionValues[] = {"1992", "2012"};

/// A scale button: its number and the id of the scale it lists (its
/// position in the scale table).
struct ScaleButton {
  int number;
  int scale;
};

/// The hierarchy panel's scale buttons, from the smallest scale down:
/// 1:50万, 1:25万, 1:20万, 1:10万, 1:5万, 1:2.5万, 1:1万, 1:5000, and in the
/// 2012 edition 1:2000, 1:1000, 1:500.
inline constexpr ScaleButton kHierarchyButtons[] = {
    {7, 1}, {8, 2}, {15, 3}, {9, 4}, {10, 5}, {11, 6}, {12, 7}, {13, 8},
    {28, 9}, {29, 10}, {30, 11},
};

/// The block query's scale buttons: 1:100万 .. 1:5000, and in the 2012
/// edition 1:2000, 1:1000, 1:500.
inline constexpr ScaleButton kBlockButtons[] = {
    {17, 0}, {18, 1}, {19, 2}, {20, 3}, {21, 4}, {22, 5}, {23, 6}, {24, 7}, {25, 8},
    {31, 9}, {32, 10}, {33, 11},
};

constexpr bool isblockbutton(int number) {
  for (const auto& b : kBlockButtons)
    if (b.number == number) return true;
  return false;
}

constexpr bool ishierarchybutton(int number) {
  for (const auto& b : kHierarchyButtons)
    if (b.number == number) return true;
  return false;
}

/// The result fields of one corner sheet.
struct Corner {
  int newno, oldno, name;
};
/// Hierarchy panel (Frame5) and block query (Frame7) corners.
inline constexpr Corner kHierTopLeft{65, 78, 70}, kHierBottomLeft{66, 79, 71},
    kHierTopRight{67, 80, 72}, kHierBottomRight{68, 81, 73};
inline constexpr int kHierRelation = 69;
inline constexpr Corner kBlockTopLeft{90, 95, 100}, kBlockBottomLeft{91, 96, 102},
    kBlockTopRight{92, 97, 101}, kBlockBottomRight{93, 98, 103};
inline constexpr int kBlockCount = 94;

/// A row of the containing table: the id of the scale of its sheets, the
/// new-number and old-number cells and the row's caption.  A row is shown
/// when the edition has a larger scale whose sheets it can contain: the
/// rows from 1:5000 on belong to the 2012 edition.
struct ContainingRow {
  int scale;
  int newno, oldno;
  int caption;
};
inline constexpr ContainingRow kContainingRows[] = {
    {0, 45, 46, 25},   {1, 47, 48, 37},    {2, 49, 50, 42},    {3, 83, 84, 82},
    {4, 51, 52, 38},   {5, 53, 54, 39},    {6, 55, 56, 40},    {7, 57, 58, 41},
    {8, 114, 115, 113}, {9, 117, 118, 116}, {10, 120, 121, 119},
};

/// The cells of the adjoining-sheet diagram as the sheets lie on a map:
/// north-west, north, north-east; west, the sheet itself, east; south-west,
/// south, south-east.
inline constexpr int kDiagramCells[3][3] = {{122, 123, 124}, {125, 126, 127}, {128, 129, 130}};

/// The labels the start-up empties, in this order.
inline constexpr int kClearedAtStart[] = {
    45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 27, 23, 31, 32, 36, 34, 70, 71,
    72, 105, 73, 69, 65, 66, 67, 68, 78, 79, 80, 81, 83, 84, 90, 91, 92, 93, 94, 95, 96, 97,
    98, 100, 101, 102, 103,
};

/// The grid labels whose border the start-up removes.
inline constexpr int kBorderless[] = {65, 66, 67, 68, 69, 78, 79, 80, 81, 90,
                                      91, 92, 93, 94, 95, 96, 97, 98};

/// Texts of the sheet-number query's captions.
inline constexpr std::string_view kKindNeutral = "该编号为  图幅编号";
inline constexpr std::string_view kKindNew = "该编号为新图幅编号";
inline constexpr std::string_view kKindOld = "该编号为旧图幅编号";
inline constexpr std::string_view kCounterpartNeutral = "对应  编号为:";
inline constexpr std::string_view kCounterpartNew = "对应新编号为:";
inline constexpr std::string_view kCounterpartOld = "对应旧编号为:";

/// The captions that show results: their text can be selected and copied.
inline constexpr int kCopyable[] = {
    9,   10,  14,  15,  18,  19,  109,                          // point query
    21,  23,  27,  31,  32,  34,  36,  105,                     // sheet-number query
    45,  46,  47,  48,  49,  50,  83,  84,  51,  52,  53,  54,  // containing table
    55,  56,  57,  58,  114, 115, 117, 118, 120, 121,           //
    65,  66,  67,  68,  69,  70,  71,  72,  73,  78,  79,  80,  81,  // hierarchy
    90,  91,  92,  93,  94,  95,  96,  97,  98,  100, 101, 102, 103,  // block query
    122, 123, 124, 125, 126, 127, 128, 129, 130,                // adjoining sheets
    112, 133,                                                   // status, name folder
};

/// The title of the output limit's message box (its text: kTableTooLarge).
inline constexpr std::string_view kTooLargeTitle = "错误";

}  // namespace tufu::tables
