// Fixed lists and texts of the main window: the entry list of the
// sheet-number query, the views of its chooser, the editions and how the
// choice is remembered, and the captions the sheet-number query writes.
#pragma once

#include <string_view>

namespace tufu::tables {

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

/// The views of the sheet-number query's chooser, in its order.
inline constexpr std::string_view kContainingView = "所属小比例尺图幅编号";
inline constexpr std::string_view kContainedView = "所含大比例尺图幅编号";
inline constexpr std::string_view kNeighboursView = "接图表(相邻图幅)";
enum View { kContaining = 0, kContained = 1, kNeighbours = 2 };

/// The items of the edition chooser, in the order of `Edition`, and how
/// the choice is remembered between runs.
// The title of the message box that refuses a block too large for the table.
inline constexpr std::string_view kTooLargeTitle = "错误";

inline constexpr std::string_view kEditionItems[] = {"GB/T 13989-1992", "GB/T 13989-2012"};
inline constexpr std::string_view kSettingsOrganisation = "tufu";
inline constexpr std::string_view kSettingsApplication = "tufu";
inline constexpr std::string_view kEditionKey = "edition";
inline constexpr std::string_view kEditionValues[] = {"1992", "2012"};

/// Texts of the sheet-number query's captions.
inline constexpr std::string_view kKindNeutral = "该编号为  图幅编号";
inline constexpr std::string_view kKindNew = "该编号为新图幅编号";
inline constexpr std::string_view kKindOld = "该编号为旧图幅编号";
inline constexpr std::string_view kCounterpartNeutral = "对应  编号为:";
inline constexpr std::string_view kCounterpartNew = "对应新编号为:";
inline constexpr std::string_view kCounterpartOld = "对应旧编号为:";

}  // namespace tufu::tables
