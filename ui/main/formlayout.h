// Every caption of the main window, and where each control stands: left,
// top, width and height in twips inside the panel (or frame) that holds it.
// To change what a control says, change it here; each panel builds its
// controls from its own section below, and form1.cpp builds and wires the
// panels.
//
// The 2012 edition's three larger scales need three more scale buttons in
// the hierarchy and block panels and three more rows in the containing
// table: in that edition the panels and the window grow by `kLargeRoom`,
// and what stands at the bottom of a growing frame moves down with it.
// The places below are those of the 1992 edition.
#pragma once

#include <string_view>

namespace tufu::layout {

struct Place {
  int left, top, width, height;
};

/// How a caption is set in its label.
enum LabelStyle : unsigned {
  kLeft = 0,
  kRight = 1u << 0,
  kCentre = 1u << 1,
  kWrap = 1u << 2,     ///< several lines, broken at blanks and between characters
  kBottom = 1u << 3,   ///< lines kept at the bottom edge
  kBoxed = 1u << 4,    ///< a cell of the containing table
  kOpaque = 1u << 5,   ///< hides what lies under it (old numbers over new ones)
  kMiddle = 1u << 6,   ///< several lines kept in the middle
  kHatched = 1u << 7,  ///< shaded: the sheet itself in the adjoining-sheet diagram
  kCopy = 1u << 8,     ///< a result: its text can be selected and copied
};

/// A label: its objectName, its caption ("" for a result) and its place.
struct Label {
  std::string_view name;
  std::string_view caption;
  Place place;
  unsigned style = kLeft;
};

/// A field, a list or a frame: its objectName and place.
struct Control {
  std::string_view name;
  Place place;
};

struct Button {
  std::string_view name;
  std::string_view caption;
  Place place;
};

/// A scale button of the hierarchy or block panel: the number in its name
/// (CommandN), which is also the code the window remembers as the scale
/// button pressed last, its caption and the id of the scale it lists.
struct ScaleButton {
  int number;
  std::string_view caption;
  int scale;
};

// ---------------------------------------------------------------------------
// The window

/// Client area: the mode panels, and below them the edition strip.
inline constexpr int kClientWidth = 4815;
inline constexpr int kStripTop = 6300;
inline constexpr int kStripHeight = 960;
inline constexpr int kClientHeight = kStripTop + kStripHeight;

/// Mode panels (Frame1..Frame3): the place of the panel in view, and the
/// place a panel out of view is moved to.
inline constexpr int kPanelLeft = 240;
inline constexpr int kPanelTop = 500;
inline constexpr int kPanelAwayLeft = 8000;
inline constexpr int kPanelWidth = 4335;
inline constexpr int kPanelHeight = 5775;

/// Mode buttons: the top of the current mode's button and of the others.
inline constexpr int kModeButtonRaised = 210;
inline constexpr int kModeButtonTop = 240;

inline constexpr Button kCoordinatesButton = {"Command1", "经纬度求图幅编号",
                                              {240, kModeButtonTop, 1695, 375}};
inline constexpr Button kSheetNumbersButton = {"Command2", "新旧图幅编号转换",
                                               {1920, kModeButtonTop, 1695, 375}};
inline constexpr Button kAboutButton = {"Command3", "关于", {3600, kModeButtonTop, 975, 375}};

inline constexpr int kButtonWidth = 615;
inline constexpr int kButtonHeight = 255;
inline constexpr int kButtonStep = 270;

/// What the 2012 edition adds to the height of the window, the mode panels,
/// the hierarchy and block frames and the containing table: three scale
/// buttons.
inline constexpr int kLargeRoom = 3 * kButtonStep;

// ---------------------------------------------------------------------------
// Point query (Frame1).  The query kind list stands above it; the block
// query (Frame6) takes the point query's place for every other kind.
namespace point {

inline constexpr Control kFrame = {"Frame1", {kPanelLeft, kPanelTop, kPanelWidth, kPanelHeight}};
inline constexpr Label kKindCaption = {"Label1", "查询方式:", {360, 330, 960, 255}};
inline constexpr Control kKind = {"Combo4", {1320, 270, 2175, 315}};
inline constexpr std::string_view kSinglePoint = "单点查询";
inline constexpr std::string_view kBlockQuery = "区块查询";

inline constexpr Label kLonCaption = {"Label2", "经度:", {600, 1230, 480, 255}};
inline constexpr Control kLon = {"Text1", {1080, 1200, 1095, 300}};
inline constexpr Label kLatCaption = {"Label3", "纬度:", {2280, 1230, 480, 255}};
inline constexpr Control kLat = {"Text2", {2760, 1200, 1095, 300}};
inline constexpr Label kFormat = {"Label4", "格式:45度5分30秒应输入45,5,30", {1080, 1560, 3000, 255}};
inline constexpr Label kArea = {"Label60", "我国图幅范围:经度72°-138°                   纬度0-56°",
                                {1080, 1800, 2700, 480}, kWrap};
inline constexpr Label kScaleCaption = {"Label5", "请选择比例尺:", {360, 2340, 1320, 255}};
inline constexpr Control kScale = {"Combo1", {1680, 2280, 2175, 315}};
inline constexpr Label kNumbersHeading = {"Label6", "图幅编号:", {360, 2880, 1200, 255}};
inline constexpr Label kNewCaption = {"Label7", "新图幅编号:", {600, 3240, 1080, 255}};
inline constexpr Label kNew = {"Label9", "", {1680, 3240, 2175, 255}, kCopy};
inline constexpr Label kOldCaption = {"Label8", "旧图幅编号:", {600, 3600, 1080, 255}};
inline constexpr Label kOld = {"Label10", "", {1680, 3600, 2175, 255}, kCopy};
inline constexpr Label kRangeHeading = {"Label11", "图幅范围:", {360, 3960, 1200, 255}};
inline constexpr Label kLonRangeCaption = {"Label12", "经度:", {600, 4320, 480, 255}};
inline constexpr Label kLonRange = {"Label14", "", {1080, 4320, 2775, 255}, kCopy};
inline constexpr Label kLatRangeCaption = {"Label13", "纬度:", {600, 4680, 480, 255}};
inline constexpr Label kLatRange = {"Label15", "", {1080, 4680, 2775, 255}, kCopy};
inline constexpr Label kLonSizeCaption = {"Label16", "经差:", {600, 5040, 480, 255}};
inline constexpr Label kLonSize = {"Label18", "", {1080, 5040, 1095, 255}, kCopy};
inline constexpr Label kLatSizeCaption = {"Label17", "纬差:", {2280, 5040, 480, 255}};
inline constexpr Label kLatSize = {"Label19", "", {2760, 5040, 1095, 255}, kCopy};
inline constexpr Label kNameCaption = {"Label110", "图幅名称:", {360, 5400, 840, 255}};
inline constexpr Label kName = {"Label109", "", {1200, 5400, 2775, 255}, kCopy};

}  // namespace point

// ---------------------------------------------------------------------------
// The four-corner view of the hierarchy and block panels: at each corner a
// new-number field and an old-number field in one place, the place name on
// the side of the middle, and a text in the middle.
struct CornerFields {
  Label newno, oldno, name;
};
struct CornerLayout {
  Control frame;
  bool boxed;
  CornerFields topleft, topright, bottomleft, bottomright;
  Label middle;
};

// ---------------------------------------------------------------------------
// Block query (Frame6, in Frame1): the four bounds and, in Frame7, the
// scale buttons and the corners of the block.
namespace block {

inline constexpr Control kFrame = {"Frame6", {120, 720, 4095, 5040}};
inline constexpr Label kLonCaption = {"Label85", "经度:", {120, 150, 480, 255}};
inline constexpr Control kWest = {"Text3", {600, 120, 1095, 300}};
inline constexpr Label kLonTo = {"Label86", "至", {1815, 150, 240, 255}};
inline constexpr Control kEast = {"Text4", {2160, 120, 1095, 300}};
inline constexpr Label kLatCaption = {"Label87", "纬度:", {120, 570, 480, 255}};
inline constexpr Control kSouth = {"Text5", {600, 540, 1095, 300}};
inline constexpr Label kLatTo = {"Label88", "至", {1815, 570, 240, 255}};
inline constexpr Control kNorth = {"Text6", {2160, 540, 1095, 300}};
inline constexpr Label kHint = {
    "Label89",
    "格式:45度5分30秒应输入45,5,30  我国图幅范围:经度72°-138°                   纬度0-56°",
    {120, 960, 2775, 750},
    kWrap};
inline constexpr Label kHeading = {"Label99", "该区块所含图幅编号:", {120, 1800, 2400, 255}};

/// The result frame, boxed.
inline constexpr Control kResults = {"Frame7", {120, 2100, 3855, 2820}};
/// "输出" above the scale buttons, from the top.
inline constexpr Button kOutput = {"Command16", "输出", {60, 60, kButtonWidth, kButtonHeight}};
inline constexpr int kScaleTop = 60 + kButtonStep;
inline constexpr ScaleButton kScales[] = {
    {17, "100万", 0}, {18, "50万", 1}, {19, "25万", 2}, {20, "20万", 3},
    {21, "10万", 4},  {22, "5万", 5},  {23, "2.5万", 6}, {24, "1万", 7},
    {25, "5千", 8},   {31, "2千", 9},  {32, "1千", 10},  {33, "500", 11},
};
inline constexpr Button kNewView = {"Command26", "新图幅编号", {735, 60, 1245, kButtonHeight}};
inline constexpr Button kOldView = {"Command27", "旧图幅编号", {2040, 60, 1245, kButtonHeight}};

/// The corners, in a frame of their own inside Frame7 at (720, 360).
inline constexpr CornerLayout kCorners = {
    {"BlockCorners", {720, 360, 3090, 2385}},
    false,
    {{"Label90", "", {60, 60, 1470, 255}},
     {"Label95", "", {60, 60, 1470, 255}, kOpaque},
     {"Label100", "", {60, 330, 1470, 450}, kWrap}},
    {{"Label92", "", {1530, 60, 1500, 255}, kRight},
     {"Label97", "", {1530, 60, 1500, 255}, kRight | kOpaque},
     {"Label101", "", {1530, 330, 1500, 450}, kRight | kWrap}},
    {{"Label91", "", {60, 2070, 1470, 255}},
     {"Label96", "", {60, 2070, 1470, 255}, kOpaque},
     {"Label102", "", {60, 1605, 1470, 450}, kWrap | kBottom}},
    {{"Label93", "", {1530, 2070, 1500, 255}, kRight},
     {"Label98", "", {1530, 2070, 1500, 255}, kRight | kOpaque},
     {"Label103", "", {1530, 1605, 1500, 450}, kRight | kWrap | kBottom}},
    {"Label94", "", {795, 1110, 1500, 255}, kCentre},
};

}  // namespace block

// ---------------------------------------------------------------------------
// Sheet-number query (Frame2).  Below its lines the view chooser puts one of
// three in the same place: the containing table, the hierarchy panel
// (Frame4) or the adjoining-sheet diagram (Frame9).
namespace sheet {

inline constexpr Control kFrame = {"Frame2", {kPanelAwayLeft, kPanelTop, kPanelWidth, kPanelHeight}};
inline constexpr Label kEntryCaption = {"Label20", "图幅编号:", {120, 300, 960, 255}};
inline constexpr Control kEntry = {"Combo2", {1080, 240, 3135, 315}};
inline constexpr Label kKind = {"Label21", "该编号为  图幅编号", {120, 660, 2280, 255}, kCopy};
inline constexpr Label kScaleCaption = {"Label26", "比例尺:", {2520, 660, 720, 255}};
inline constexpr Label kScale = {"Label27", "", {3240, 660, 975, 255}, kCopy};
inline constexpr Label kCounterpartCaption = {"Label22", "对应  编号为:", {120, 960, 1320, 255}};
inline constexpr Label kCounterpart = {"Label23", "", {1440, 960, 2775, 255}, kCopy};
inline constexpr Label kRangeHeading = {"Label28", "图幅范围:", {120, 1260, 1200, 255}};
inline constexpr Label kLonRangeCaption = {"Label29", "经度:", {360, 1560, 480, 255}};
inline constexpr Label kLonRange = {"Label31", "", {840, 1560, 3375, 255}, kCopy};
inline constexpr Label kLatRangeCaption = {"Label30", "纬度:", {360, 1860, 480, 255}};
inline constexpr Label kLatRange = {"Label32", "", {840, 1860, 3375, 255}, kCopy};
inline constexpr Label kLonSizeCaption = {"Label33", "经差:", {360, 2160, 480, 255}};
inline constexpr Label kLonSize = {"Label36", "", {840, 2160, 1095, 255}, kCopy};
inline constexpr Label kLatSizeCaption = {"Label35", "纬差:", {2160, 2160, 480, 255}};
inline constexpr Label kLatSize = {"Label34", "", {2640, 2160, 1095, 255}, kCopy};
inline constexpr Label kNameCaption = {"Label104", "图幅名称:", {120, 2460, 960, 255}};
inline constexpr Label kName = {"Label105", "", {1080, 2460, 3135, 255}, kCopy};
inline constexpr Label kViewCaption = {"Label74", "行列关系:", {120, 2850, 960, 255}};
inline constexpr Control kView = {"Combo3", {1080, 2790, 3135, 315}};
/// The refresh after a click on a cell of the containing table; never shown.
inline constexpr Button kRefresh = {"Command4", "", {0, 0, kButtonWidth, kButtonHeight}};

/// Where the containing table, the hierarchy panel and the diagram stand.
inline constexpr Place kViewPlace = {120, 3210, 4095, 2430};

/// The containing table: a header and a row per scale whose sheets can
/// contain another; neighbouring cells share one pixel of border.
inline constexpr std::string_view kTableName = "ContainingTable";
inline constexpr int kCellLeft = 1080;   // new-number column
inline constexpr int kCellLeft2 = 2580;  // old-number column
inline constexpr int kRowStep = 255;
inline constexpr int kRowHeight = 270;   // rows overlap by one pixel: one shared border

constexpr Place tablecell(int column, int row) {
  const int lefts[3] = {0, kCellLeft, kCellLeft2};
  const int widths[3] = {kCellLeft + 15, kCellLeft2 - kCellLeft + 15, 4095 - kCellLeft2};
  return {lefts[column], row * kRowStep, widths[column], kRowHeight};
}

inline constexpr Label kHeader[] = {
    {"Label59", " 比例尺", tablecell(0, 0), kBoxed},
    {"Label43", "新图幅编号", tablecell(1, 0), kBoxed},
    {"Label44", "旧图幅编号", tablecell(2, 0), kBoxed},
};

/// A row of the containing table: the id of the scale of its sheets, its
/// caption and the names of its caption, new-number and old-number cells.
/// The rows from 1:5000 on belong to the 2012 edition.
struct Row {
  int scale;
  std::string_view caption;
  std::string_view captionname, newname, oldname;
};
inline constexpr Row kRows[] = {
    {0, " 1:100万", "Label25", "Label45", "Label46"},
    {1, " 1:50万", "Label37", "Label47", "Label48"},
    {2, " 1:25万", "Label42", "Label49", "Label50"},
    {3, " 1:20万", "Label82", "Label83", "Label84"},
    {4, " 1:10万", "Label38", "Label51", "Label52"},
    {5, " 1:5万", "Label39", "Label53", "Label54"},
    {6, " 1:2.5万", "Label40", "Label55", "Label56"},
    {7, " 1:1万", "Label41", "Label57", "Label58"},
    {8, " 1:5000", "Label113", "Label114", "Label115"},
    {9, " 1:2000", "Label116", "Label117", "Label118"},
    {10, " 1:1000", "Label119", "Label120", "Label121"},
};

}  // namespace sheet

// ---------------------------------------------------------------------------
// Hierarchy panel (Frame4, in Frame2): "输出" above the scale buttons, the
// view buttons, and the corners in the boxed square Frame5.
namespace hierarchy {

inline constexpr std::string_view kFrameName = "Frame4";
inline constexpr Button kOutput = {"Command14", "输出", {0, 0, kButtonWidth, kButtonHeight}};
inline constexpr int kScaleTop = kButtonStep;
inline constexpr ScaleButton kScales[] = {
    {7, "50万", 1},  {8, "25万", 2},  {15, "20万", 3}, {9, "10万", 4},
    {10, "5万", 5},  {11, "2.5万", 6}, {12, "1万", 7}, {13, "5000", 8},
    {28, "2000", 9}, {29, "1000", 10}, {30, "500", 11},
};
inline constexpr Button kNewView = {"Command5", "新图幅编号", {675, 0, 1245, kButtonHeight}};
inline constexpr Button kOldView = {"Command6", "旧图幅编号", {1980, 0, 1245, kButtonHeight}};

inline constexpr CornerLayout kCorners = {
    {"Frame5", {675, 330, 3420, 2085}},
    true,
    {{"Label65", "", {60, 60, 1650, 255}},
     {"Label78", "", {60, 60, 1650, 255}, kOpaque},
     {"Label70", "", {60, 330, 1650, 450}, kWrap}},
    {{"Label67", "", {1710, 60, 1650, 255}, kRight},
     {"Label80", "", {1710, 60, 1650, 255}, kRight | kOpaque},
     {"Label72", "", {1710, 330, 1650, 450}, kRight | kWrap}},
    {{"Label66", "", {60, 1770, 1650, 255}},
     {"Label79", "", {60, 1770, 1650, 255}, kOpaque},
     {"Label71", "", {60, 1305, 1650, 450}, kWrap | kBottom}},
    {{"Label68", "", {1710, 1770, 1650, 255}, kRight},
     {"Label81", "", {1710, 1770, 1650, 255}, kRight | kOpaque},
     {"Label73", "", {1710, 1305, 1650, 450}, kRight | kWrap | kBottom}},
    {"Label69", "", {960, 915, 1500, 255}, kCentre},
};

}  // namespace hierarchy

// ---------------------------------------------------------------------------
// Adjoining-sheet diagram (Frame9, in Frame2): 3 × 3 cells, neighbouring
// cells sharing one pixel of border, the sheet itself in the middle.
namespace neighbours {

inline constexpr std::string_view kFrameName = "Frame9";
inline constexpr int kTop = 120;
inline constexpr int kCellWidth = 1365;
inline constexpr int kCellHeight = 780;

constexpr Place cell(int row, int col) {
  return {col * (kCellWidth - 15), kTop + row * (kCellHeight - 15), kCellWidth, kCellHeight};
}
inline constexpr unsigned kCell = kBoxed | kCentre | kWrap | kMiddle;

/// North-west, north, north-east; west, the sheet, east; south-west, south,
/// south-east.
inline constexpr std::string_view kCells[3][3] = {
    {"Label122", "Label123", "Label124"},
    {"Label125", "Label126", "Label127"},
    {"Label128", "Label129", "Label130"},
};

}  // namespace neighbours

// ---------------------------------------------------------------------------
// About panel (Frame3).
namespace about {

inline constexpr Control kFrame = {"Frame3", {kPanelAwayLeft, kPanelTop, kPanelWidth, kPanelHeight}};
inline constexpr Control kImage = {"Image1", {240, 240, 960, 960}};
inline constexpr Label kTitle = {"Label61", "tufu 图幅编号计算器", {1440, 540, 2640, 300}};
inline constexpr Label kText = {
    "Label62",
    "本程序按照国家标准 GB/T 13989-92《国家基本比例尺地形图分幅和编号》"
    "的规定，以及此前使用的旧分幅和编号规则，计算各比例尺地形图的新旧图幅编号；"
    "在窗口下方的“编号标准”中选用 2012 年版时，还可计算 1:2000、1:1000 和 1:500 图幅的编号。"
    "如发现计算错误或操作不便之处，敬请反馈，以便改进。",
    {240, 1440, 3855, 1740},
    kWrap};
inline constexpr Label kAuthors = {"Label63", "作者：tufu 项目开发者", {240, 3300, 3855, 255}};
inline constexpr Label kContact = {"Label64", "联系：请在 tufu 项目的问题列表中报告错误",
                                   {240, 3660, 3855, 255}};
inline constexpr Label kOrganisation = {"Label75", "单位：tufu 开源项目", {240, 4020, 3855, 255}};
/// "%1" is the version.
inline constexpr Label kVersion = {"Label131", "版本：%1", {240, 4380, 3855, 255}};
inline constexpr Label kLicence = {"Label132", "许可：MIT 许可证 (见随程序的 LICENSE 文件)",
                                   {240, 4740, 3855, 255}};
/// "%1" is the folder of name lists.
inline constexpr Label kNameFolder = {
    "Label133", "图名文件夹：%1 (其中每个 .tsv 文件在启动时合并)", {240, 5100, 3855, 510}, kWrap | kCopy};

}  // namespace about

// ---------------------------------------------------------------------------
// The edition strip (Frame8) along the bottom: two lines for the reason an
// input is refused across its width, the edition chooser below on the
// right.
namespace strip {

inline constexpr Control kFrame = {"Frame8", {0, kStripTop, kClientWidth, kStripHeight}};
inline constexpr Label kStatus = {"Label112", "", {240, 45, 4335, 480}, kWrap | kMiddle | kCopy};
inline constexpr Label kEditionCaption = {"Label111", "编号标准:", {1770, 600, 870, 255}, kRight};
inline constexpr Control kEdition = {"Combo5", {2670, 570, 1905, 315}};

}  // namespace strip

}  // namespace tufu::layout
