// The provinces and regions of the block query list, each with the bounds
// of longitude and latitude that cover it, written as angle texts exactly
// as the four bound fields receive them.
#pragma once

#include <string>
#include <string_view>

namespace tufu {

/// A region of the block query list, with its bounds exactly as the four
/// bound fields receive them.
struct Region {
  std::string_view name;
  std::string_view west, east, south, north;
};

/// In the order of the block query's list.
inline constexpr Region kRegions[] = {
    {"黑龙江", "120", "136,30", "43", "54"},
    {"吉林", "121,30", "132", "40", "47"},
    {"辽宁", "118,30", "126", "38", "44"},
    {"北京", "114,30", "118", "39", "41,30"},
    {"天津", "116", "118,30", "38", "41"},
    {"山东", "114", "123", "34", "39"},
    {"河北", "112,30", "118,30", "36", "43"},
    {"山西", "109,30", "115,30", "34", "41"},
    {"河南", "109,30", "117", "31", "36,30"},
    {"安徽", "114,30", "120", "29", "35"},
    {"江苏", "116", "123", "30", "36"},
    {"浙江", "117,30", "123", "27", "31,30"},
    {"湖北", "108", "117", "29", "33,30"},
    {"湖南", "108,30", "115", "24", "30,30"},
    {"江西", "113", "118,30", "24", "30,30"},
    {"贵州", "103,30", "110", "24,30", "29,30"},
    {"广西", "104", "112,30", "21", "26,30"},
    {"广东", "109,30", "117,30", "20", "26"},
    {"四川", "97", "109", "26", "34,30"},
    {"重庆", "105", "110,30", "28", "32,30"},
    {"云南", "97,30", "106,30", "21", "29,30"},
    {"内蒙古", "96,30", "126,30", "37", "53,30"},
    {"陕西", "105", "111,30", "31,30", "40"},
    {"甘肃", "93", "109,30", "32", "43"},
    {"宁夏", "103,30", "108", "35", "39,30"},
    {"新疆", "72", "97,30", "34", "50"},
    {"西藏", "78", "99,30", "26", "36,30"},
    {"青海", "89", "103", "31", "39,30"},
    {"台湾", "118,30", "123", "21", "26"},
    {"南海诸岛", "110", "118,30", "3", "18"},
    {"福建", "115,30", "121,30", "23", "28,30"},
    {"上海", "120", "122", "31", "32"},
    {"海南", "108", "111,30", "18", "20,20"},
};

/// The refusal of a name that is no region's, with the names there are:
///   "没有名为 北平 的地区 (可用 北京、天津、…)"
inline std::string unknownregion(std::string_view name) {
  std::string why = "没有名为 ";
  why += name;
  why += " 的地区 (可用 ";
  for (const Region& r : kRegions) {
    if (&r != &kRegions[0]) why += "、";
    why += r.name;
  }
  return why + ")";
}

/// The region named `name`, exactly as listed.
inline const Region* regionnamed(std::string_view name) {
  for (const Region& r : kRegions)
    if (r.name == name) return &r;
  return nullptr;
}

}  // namespace tufu
