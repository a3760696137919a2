// The controls of the main window: captions, places and sizes in twips.
//
// Each panel is a frame; the tables name the frame a control stands in and
// its position inside that frame.  The containing table of the sheet-number
// query stands in a frame of its own (`kTableBox`) that takes the place of
// the hierarchy panel when that panel is not chosen; the adjoining-sheet
// diagram (Frame9) takes the same place when it is chosen.  The strip along
// the bottom of the window (Frame8) holds the choice of the edition of the
// numbering and a line for messages.
//
// The 2012 edition's three larger scales need three more scale buttons in
// the hierarchy and block panels and three more rows in the containing
// table: in that edition the panels and the window grow by `kLargeRoom`,
// and the controls that stand at the bottom of a growing frame move down
// with it (`kLargeMoves`).  The 1992 edition keeps the places below.
#pragma once

#include <string_view>

namespace tufu::layout {

/// Where a control stands: the form itself, one of the frames Frame1..Frame9,
/// or the box of the containing table.
inline constexpr int kForm = 0;
inline constexpr int kTableBox = 10;
inline constexpr int kFrameCount = 11;

/// Client area of the window: the panels, and below them the edition strip.
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

struct Place {
  int frame;
  int left, top, width, height;
};

struct FramePlace {
  int number;
  Place place;
  bool boxed;  ///< drawn with a border
};

inline constexpr FramePlace kFrames[] = {
    {1, {kForm, kPanelLeft, kPanelTop, kPanelWidth, kPanelHeight}, false},
    {2, {kForm, kPanelAwayLeft, kPanelTop, kPanelWidth, kPanelHeight}, false},
    {3, {kForm, kPanelAwayLeft, kPanelTop, kPanelWidth, kPanelHeight}, false},
    {6, {1, 120, 720, 4095, 5040}, false},
    {7, {6, 120, 2100, 3855, 2820}, true},
    {4, {2, 120, 3210, 4095, 2430}, false},
    {5, {4, 675, 330, 3420, 2085}, true},
    {kTableBox, {2, 120, 3210, 4095, 2430}, false},
    {9, {2, 120, 3210, 4095, 2430}, false},
    {8, {kForm, 0, kStripTop, kClientWidth, kStripHeight}, false},
};

/// How a caption is set in its label.
enum LabelStyle : unsigned {
  kLeft = 0,
  kRight = 1u << 0,
  kCentre = 1u << 1,
  kWrap = 1u << 2,     ///< several lines, broken at blanks and between characters
  kBottom = 1u << 3,   ///< lines kept at the bottom edge
  kBoxed = 1u << 4,    ///< a cell of the containing table
  kBordered = 1u << 5, ///< bordered by design; the start-up removes the border
  kOpaque = 1u << 6,   ///< hides what lies under it (old numbers over new ones)
  kMiddle = 1u << 7,   ///< several lines kept in the middle
  kHatched = 1u << 8,  ///< shaded: the sheet itself in the adjoining-sheet diagram
};

struct LabelPlace {
  int number;
  std::string_view caption;
  Place place;
  unsigned style;
};

inline constexpr std::string_view kLabel60 =
    "我国图幅范围:经度72°-138°                   纬度0-56°";
inline constexpr std::string_view kLabel89 =
    "格式:45度5分30秒应输入45,5,30  我国图幅范围:经度72°-138°                   纬度0-56°";

/// The point query's controls in single-point mode (Frame1); the query mode
/// list puts them here for "单点查询" and takes them away otherwise.
inline constexpr LabelPlace kPointLabels[] = {
    {2, "经度:", {1, 600, 1230, 480, 255}, kLeft},
    {3, "纬度:", {1, 2280, 1230, 480, 255}, kLeft},
    {4, "格式:45度5分30秒应输入45,5,30", {1, 1080, 1560, 3000, 255}, kLeft},
    {60, kLabel60, {1, 1080, 1800, 2700, 480}, kWrap},
    {5, "请选择比例尺:", {1, 360, 2340, 1320, 255}, kLeft},
    {6, "图幅编号:", {1, 360, 2880, 1200, 255}, kLeft},
    {7, "新图幅编号:", {1, 600, 3240, 1080, 255}, kLeft},
    {9, "", {1, 1680, 3240, 2175, 255}, kLeft},
    {8, "旧图幅编号:", {1, 600, 3600, 1080, 255}, kLeft},
    {10, "", {1, 1680, 3600, 2175, 255}, kLeft},
    {11, "图幅范围:", {1, 360, 3960, 1200, 255}, kLeft},
    {12, "经度:", {1, 600, 4320, 480, 255}, kLeft},
    {14, "", {1, 1080, 4320, 2775, 255}, kLeft},
    {13, "纬度:", {1, 600, 4680, 480, 255}, kLeft},
    {15, "", {1, 1080, 4680, 2775, 255}, kLeft},
    {16, "经差:", {1, 600, 5040, 480, 255}, kLeft},
    {18, "", {1, 1080, 5040, 1095, 255}, kLeft},
    {17, "纬差:", {1, 2280, 5040, 480, 255}, kLeft},
    {19, "", {1, 2760, 5040, 1095, 255}, kLeft},
    {110, "图幅名称:", {1, 360, 5400, 840, 255}, kLeft},
    {109, "", {1, 1200, 5400, 2775, 255}, kLeft},
};

inline constexpr Place kText1 = {1, 1080, 1200, 1095, 300};
inline constexpr Place kText2 = {1, 2760, 1200, 1095, 300};
inline constexpr Place kCombo1 = {1, 1680, 2280, 2175, 315};
inline constexpr Place kCombo4 = {1, 1320, 270, 2175, 315};

/// Block query (Frame6, Frame7).
inline constexpr Place kText3 = {6, 600, 120, 1095, 300};
inline constexpr Place kText4 = {6, 2160, 120, 1095, 300};
inline constexpr Place kText5 = {6, 600, 540, 1095, 300};
inline constexpr Place kText6 = {6, 2160, 540, 1095, 300};

/// Sheet-number query (Frame2).
inline constexpr Place kCombo2 = {2, 1080, 240, 3135, 315};
inline constexpr Place kCombo3 = {2, 1080, 2790, 3135, 315};

/// The edition strip (Frame8): two lines for the reason an input is refused
/// across its width, the edition chooser below on the right.
inline constexpr Place kCombo5 = {8, 2670, 570, 1905, 315};

/// The adjoining-sheet diagram (Frame9): 3 × 3 cells, neighbouring cells
/// sharing one pixel of border, the sheet itself in the middle.
inline constexpr int kDiagramTop = 120;
inline constexpr int kDiagramCellWidth = 1365;
inline constexpr int kDiagramCellHeight = 780;

constexpr Place diagramcell(int row, int col) {
  return {9, col * (kDiagramCellWidth - 15), kDiagramTop + row * (kDiagramCellHeight - 15),
          kDiagramCellWidth, kDiagramCellHeight};
}
inline constexpr unsigned kDiagramCell = kBoxed | kCentre | kWrap | kMiddle;

inline constexpr int kCellLeft = 1080;   // new-number column of the containing table
inline constexpr int kCellLeft2 = 2580;  // old-number column
inline constexpr int kRowStep = 255;
inline constexpr int kRowHeight = 270;   // rows overlap by one pixel: one shared border

constexpr Place tablecell(int column, int row) {
  const int lefts[3] = {0, kCellLeft, kCellLeft2};
  const int widths[3] = {kCellLeft + 15, kCellLeft2 - kCellLeft + 15, 4095 - kCellLeft2};
  return {kTableBox, lefts[column], row * kRowStep, widths[column], kRowHeight};
}

/// Every other label.
inline constexpr LabelPlace kLabels[] = {
    {1, "查询方式:", {1, 360, 330, 960, 255}, kLeft},
    {89, kLabel89, {6, 120, 960, 2775, 750}, kWrap},
    // Block query (Frame6)
    {85, "经度:", {6, 120, 150, 480, 255}, kLeft},
    {86, "至", {6, 1815, 150, 240, 255}, kLeft},
    {87, "纬度:", {6, 120, 570, 480, 255}, kLeft},
    {88, "至", {6, 1815, 570, 240, 255}, kLeft},
    {99, "该区块所含图幅编号:", {6, 120, 1800, 2400, 255}, kLeft},
    // Block results (Frame7): corners of a square, count in the middle.
    {90, "", {7, 780, 420, 1470, 255}, kBordered},
    {95, "", {7, 780, 420, 1470, 255}, kBordered | kOpaque},
    {100, "", {7, 780, 690, 1470, 450}, kWrap},
    {92, "", {7, 2250, 420, 1500, 255}, kRight | kBordered},
    {97, "", {7, 2250, 420, 1500, 255}, kRight | kBordered | kOpaque},
    {101, "", {7, 2250, 690, 1500, 450}, kRight | kWrap},
    {94, "", {7, 1515, 1470, 1500, 255}, kCentre | kBordered},
    {102, "", {7, 780, 1965, 1470, 450}, kWrap | kBottom},
    {91, "", {7, 780, 2430, 1470, 255}, kBordered},
    {96, "", {7, 780, 2430, 1470, 255}, kBordered | kOpaque},
    {103, "", {7, 2250, 1965, 1500, 450}, kRight | kWrap | kBottom},
    {93, "", {7, 2250, 2430, 1500, 255}, kRight | kBordered},
    {98, "", {7, 2250, 2430, 1500, 255}, kRight | kBordered | kOpaque},
    // Sheet-number query (Frame2)
    {20, "图幅编号:", {2, 120, 300, 960, 255}, kLeft},
    {21, "该编号为  图幅编号", {2, 120, 660, 2280, 255}, kLeft},
    {26, "比例尺:", {2, 2520, 660, 720, 255}, kLeft},
    {27, "", {2, 3240, 660, 975, 255}, kLeft},
    {22, "对应  编号为:", {2, 120, 960, 1320, 255}, kLeft},
    {23, "", {2, 1440, 960, 2775, 255}, kLeft},
    {28, "图幅范围:", {2, 120, 1260, 1200, 255}, kLeft},
    {29, "经度:", {2, 360, 1560, 480, 255}, kLeft},
    {31, "", {2, 840, 1560, 3375, 255}, kLeft},
    {30, "纬度:", {2, 360, 1860, 480, 255}, kLeft},
    {32, "", {2, 840, 1860, 3375, 255}, kLeft},
    {33, "经差:", {2, 360, 2160, 480, 255}, kLeft},
    {36, "", {2, 840, 2160, 1095, 255}, kLeft},
    {35, "纬差:", {2, 2160, 2160, 480, 255}, kLeft},
    {34, "", {2, 2640, 2160, 1095, 255}, kLeft},
    {104, "图幅名称:", {2, 120, 2460, 960, 255}, kLeft},
    {105, "", {2, 1080, 2460, 3135, 255}, kLeft},
    {74, "行列关系:", {2, 120, 2850, 960, 255}, kLeft},
    // Containing table
    {59, " 比例尺", tablecell(0, 0), kBoxed},
    {43, "新图幅编号", tablecell(1, 0), kBoxed},
    {44, "旧图幅编号", tablecell(2, 0), kBoxed},
    {25, " 1:100万", tablecell(0, 1), kBoxed},
    {45, "", tablecell(1, 1), kBoxed},
    {46, "", tablecell(2, 1), kBoxed},
    {37, " 1:50万", tablecell(0, 2), kBoxed},
    {47, "", tablecell(1, 2), kBoxed},
    {48, "", tablecell(2, 2), kBoxed},
    {42, " 1:25万", tablecell(0, 3), kBoxed},
    {49, "", tablecell(1, 3), kBoxed},
    {50, "", tablecell(2, 3), kBoxed},
    {82, " 1:20万", tablecell(0, 4), kBoxed},
    {83, "", tablecell(1, 4), kBoxed},
    {84, "", tablecell(2, 4), kBoxed},
    {38, " 1:10万", tablecell(0, 5), kBoxed},
    {51, "", tablecell(1, 5), kBoxed},
    {52, "", tablecell(2, 5), kBoxed},
    {39, " 1:5万", tablecell(0, 6), kBoxed},
    {53, "", tablecell(1, 6), kBoxed},
    {54, "", tablecell(2, 6), kBoxed},
    {40, " 1:2.5万", tablecell(0, 7), kBoxed},
    {55, "", tablecell(1, 7), kBoxed},
    {56, "", tablecell(2, 7), kBoxed},
    {41, " 1:1万", tablecell(0, 8), kBoxed},
    {57, "", tablecell(1, 8), kBoxed},
    {58, "", tablecell(2, 8), kBoxed},
    // Rows of the 2012 edition's containing table
    {113, " 1:5000", tablecell(0, 9), kBoxed},
    {114, "", tablecell(1, 9), kBoxed},
    {115, "", tablecell(2, 9), kBoxed},
    {116, " 1:2000", tablecell(0, 10), kBoxed},
    {117, "", tablecell(1, 10), kBoxed},
    {118, "", tablecell(2, 10), kBoxed},
    {119, " 1:1000", tablecell(0, 11), kBoxed},
    {120, "", tablecell(1, 11), kBoxed},
    {121, "", tablecell(2, 11), kBoxed},
    // Adjoining-sheet diagram (Frame9): NW, N, NE; W, the sheet, E; SW, S, SE
    {122, "", diagramcell(0, 0), kDiagramCell},
    {123, "", diagramcell(0, 1), kDiagramCell},
    {124, "", diagramcell(0, 2), kDiagramCell},
    {125, "", diagramcell(1, 0), kDiagramCell},
    {126, "", diagramcell(1, 1), kDiagramCell | kHatched},
    {127, "", diagramcell(1, 2), kDiagramCell},
    {128, "", diagramcell(2, 0), kDiagramCell},
    {129, "", diagramcell(2, 1), kDiagramCell},
    {130, "", diagramcell(2, 2), kDiagramCell},
    // Edition strip (Frame8)
    {112, "", {8, 240, 45, 4335, 480}, kWrap | kMiddle},
    {111, "编号标准:", {8, 1770, 600, 870, 255}, kRight},
    // Hierarchy results (Frame5)
    {65, "", {5, 60, 60, 1650, 255}, kBordered},
    {78, "", {5, 60, 60, 1650, 255}, kBordered | kOpaque},
    {70, "", {5, 60, 330, 1650, 450}, kWrap},
    {67, "", {5, 1710, 60, 1650, 255}, kRight | kBordered},
    {80, "", {5, 1710, 60, 1650, 255}, kRight | kBordered | kOpaque},
    {72, "", {5, 1710, 330, 1650, 450}, kRight | kWrap},
    {69, "", {5, 960, 915, 1500, 255}, kCentre | kBordered},
    {71, "", {5, 60, 1305, 1650, 450}, kWrap | kBottom},
    {66, "", {5, 60, 1770, 1650, 255}, kBordered},
    {79, "", {5, 60, 1770, 1650, 255}, kBordered | kOpaque},
    {73, "", {5, 1710, 1305, 1650, 450}, kRight | kWrap | kBottom},
    {68, "", {5, 1710, 1770, 1650, 255}, kRight | kBordered},
    {81, "", {5, 1710, 1770, 1650, 255}, kRight | kBordered | kOpaque},
};

/// The about panel (Frame3).
inline constexpr Place kImage1 = {3, 240, 240, 960, 960};
inline constexpr LabelPlace kAboutLabels[] = {
    {61, "tufu 图幅编号计算器", {3, 1440, 540, 2640, 300}, kLeft},
    {62,
     "本程序按照国家标准 GB/T 13989-92《国家基本比例尺地形图分幅和编号》"
     "的规定，以及此前使用的旧分幅和编号规则，计算各比例尺地形图的新旧图幅编号；"
     "在窗口下方的“编号标准”中选用 2012 年版时，还可计算 1:2000、1:1000 和 1:500 图幅的编号。"
     "如发现计算错误或操作不便之处，敬请反馈，以便改进。",
     {3, 240, 1440, 3855, 1740}, kWrap},
    {63, "作者：tufu 项目开发者", {3, 240, 3300, 3855, 255}, kLeft},
    {64, "联系：请在 tufu 项目的问题列表中报告错误", {3, 240, 3660, 3855, 255}, kLeft},
    {75, "单位：tufu 开源项目", {3, 240, 4020, 3855, 255}, kLeft},
    // Filled in at start: the version, the licence and the name folder.
    {131, "", {3, 240, 4380, 3855, 255}, kLeft},
    {132, "许可：MIT 许可证 (见随程序的 LICENSE 文件)", {3, 240, 4740, 3855, 255}, kLeft},
    {133, "", {3, 240, 5100, 3855, 510}, kWrap},
};

struct ButtonPlace {
  int number;
  std::string_view caption;
  Place place;
};

inline constexpr int kButtonWidth = 615;
inline constexpr int kButtonHeight = 255;
inline constexpr int kButtonStep = 270;

inline constexpr ButtonPlace kButtons[] = {
    {1, "经纬度求图幅编号", {kForm, 240, kModeButtonTop, 1695, 375}},
    {2, "新旧图幅编号转换", {kForm, 1920, kModeButtonTop, 1695, 375}},
    {3, "关于", {kForm, 3600, kModeButtonTop, 975, 375}},
    // Hierarchy panel (Frame4): "输出" above the eight scales.
    {14, "输出", {4, 0, 0 * kButtonStep, kButtonWidth, kButtonHeight}},
    {7, "50万", {4, 0, 1 * kButtonStep, kButtonWidth, kButtonHeight}},
    {8, "25万", {4, 0, 2 * kButtonStep, kButtonWidth, kButtonHeight}},
    {15, "20万", {4, 0, 3 * kButtonStep, kButtonWidth, kButtonHeight}},
    {9, "10万", {4, 0, 4 * kButtonStep, kButtonWidth, kButtonHeight}},
    {10, "5万", {4, 0, 5 * kButtonStep, kButtonWidth, kButtonHeight}},
    {11, "2.5万", {4, 0, 6 * kButtonStep, kButtonWidth, kButtonHeight}},
    {12, "1万", {4, 0, 7 * kButtonStep, kButtonWidth, kButtonHeight}},
    {13, "5000", {4, 0, 8 * kButtonStep, kButtonWidth, kButtonHeight}},
    {28, "2000", {4, 0, 9 * kButtonStep, kButtonWidth, kButtonHeight}},
    {29, "1000", {4, 0, 10 * kButtonStep, kButtonWidth, kButtonHeight}},
    {30, "500", {4, 0, 11 * kButtonStep, kButtonWidth, kButtonHeight}},
    {5, "新图幅编号", {4, 675, 0, 1245, kButtonHeight}},
    {6, "旧图幅编号", {4, 1980, 0, 1245, kButtonHeight}},
    // Block query (Frame7): "输出" above the nine scales.
    {16, "输出", {7, 60, 60 + 0 * kButtonStep, kButtonWidth, kButtonHeight}},
    {17, "100万", {7, 60, 60 + 1 * kButtonStep, kButtonWidth, kButtonHeight}},
    {18, "50万", {7, 60, 60 + 2 * kButtonStep, kButtonWidth, kButtonHeight}},
    {19, "25万", {7, 60, 60 + 3 * kButtonStep, kButtonWidth, kButtonHeight}},
    {20, "20万", {7, 60, 60 + 4 * kButtonStep, kButtonWidth, kButtonHeight}},
    {21, "10万", {7, 60, 60 + 5 * kButtonStep, kButtonWidth, kButtonHeight}},
    {22, "5万", {7, 60, 60 + 6 * kButtonStep, kButtonWidth, kButtonHeight}},
    {23, "2.5万", {7, 60, 60 + 7 * kButtonStep, kButtonWidth, kButtonHeight}},
    {24, "1万", {7, 60, 60 + 8 * kButtonStep, kButtonWidth, kButtonHeight}},
    {25, "5千", {7, 60, 60 + 9 * kButtonStep, kButtonWidth, kButtonHeight}},
    {31, "2千", {7, 60, 60 + 10 * kButtonStep, kButtonWidth, kButtonHeight}},
    {32, "1千", {7, 60, 60 + 11 * kButtonStep, kButtonWidth, kButtonHeight}},
    {33, "500", {7, 60, 60 + 12 * kButtonStep, kButtonWidth, kButtonHeight}},
    {26, "新图幅编号", {7, 735, 60, 1245, kButtonHeight}},
    {27, "旧图幅编号", {7, 2040, 60, 1245, kButtonHeight}},
    // The refresh of the sheet-number query; never shown.
    {4, "", {2, 0, 0, kButtonWidth, kButtonHeight}},
};

/// What the 2012 edition changes: the window, the three mode panels, the
/// block and hierarchy frames and the containing table grow by `kLargeRoom`
/// (three scale buttons); the edition strip, the bottom corners of the two
/// result squares and their middle texts move down.
inline constexpr int kLargeRoom = 3 * kButtonStep;

enum class Kind { Frame, Label };
struct LargeMove {
  Kind kind;
  int number;
  int down;  ///< twips the control moves down
  int grow;  ///< twips it grows
};

inline constexpr LargeMove kLargeMoves[] = {
    {Kind::Frame, 1, 0, kLargeRoom},
    {Kind::Frame, 2, 0, kLargeRoom},
    {Kind::Frame, 3, 0, kLargeRoom},
    {Kind::Frame, 6, 0, kLargeRoom},
    {Kind::Frame, 7, 0, kLargeRoom},
    {Kind::Frame, 4, 0, kLargeRoom},
    {Kind::Frame, 5, 0, kLargeRoom},
    {Kind::Frame, kTableBox, 0, kLargeRoom},
    {Kind::Frame, 8, kLargeRoom, 0},
    // Hierarchy square (Frame5): bottom corners, their names, the relation.
    {Kind::Label, 66, kLargeRoom, 0},
    {Kind::Label, 79, kLargeRoom, 0},
    {Kind::Label, 68, kLargeRoom, 0},
    {Kind::Label, 81, kLargeRoom, 0},
    {Kind::Label, 71, kLargeRoom, 0},
    {Kind::Label, 73, kLargeRoom, 0},
    {Kind::Label, 69, kLargeRoom / 2, 0},
    // Block square (Frame7): the same.
    {Kind::Label, 91, kLargeRoom, 0},
    {Kind::Label, 96, kLargeRoom, 0},
    {Kind::Label, 93, kLargeRoom, 0},
    {Kind::Label, 98, kLargeRoom, 0},
    {Kind::Label, 102, kLargeRoom, 0},
    {Kind::Label, 103, kLargeRoom, 0},
    {Kind::Label, 94, kLargeRoom / 2, 0},
};

}  // namespace tufu::layout
