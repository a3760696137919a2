#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/recognize.h"
#include "gazetteer/gazetteer.h"

namespace {

using tufu::Gazetteer;
using tufu::mapchinesename;

struct Row {
  std::string_view key;
  std::string_view name;
};

// Characters of a well-formed UTF-8 text: bytes that are not continuation bytes.
int characters(std::string_view s) {
  int n = 0;
  for (char c : s) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

// ---------------------------------------------------------------- data file

struct DataLine {
  int line;
  std::string key;
  std::string name;
};

std::vector<DataLine> readdata() {
  std::ifstream in(TUFU_NAMES_FILE, std::ios::binary);
  EXPECT_TRUE(in) << TUFU_NAMES_FILE;
  std::vector<DataLine> rows;
  std::string text;
  int lineno = 0;
  while (std::getline(in, text)) {
    ++lineno;
    if (text.starts_with('#')) continue;
    const std::size_t tab = text.find('\t');
    EXPECT_NE(tab, std::string::npos) << "line " << lineno << ": " << text;
    EXPECT_EQ(text.find('\t', tab + 1), std::string::npos) << "line " << lineno;
    if (tab == std::string::npos) continue;
    rows.push_back({lineno, text.substr(0, tab), text.substr(tab + 1)});
  }
  return rows;
}

TEST(GazetteerData, KeysSortedUniqueAndValidNamesShort) {
  const std::vector<DataLine> rows = readdata();
  ASSERT_FALSE(rows.empty());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const DataLine& r = rows[i];
    SCOPED_TRACE("line " + std::to_string(r.line) + ": " + r.key);
    if (i > 0) {
      EXPECT_LT(rows[i - 1].key, r.key) << "keys must be sorted and unique";
    }

    // An upper-case new number of 1:100万 .. 1:5万, or an internal 1:20万 code.
    EXPECT_TRUE(tufu::teststr(r.key));
    EXPECT_TRUE(tufu::isneworold(r.key));
    EXPECT_EQ(r.key.find_first_of("abcdefghijklmnopqrstuvwxyz"), std::string::npos);
    EXPECT_TRUE(r.key.size() == 3 ||
                (r.key.size() == 10 && std::string_view("BCIDE").find(r.key[3]) !=
                                           std::string_view::npos));

    EXPECT_GE(characters(r.name), 1);
    EXPECT_LE(characters(r.name), 15);
    EXPECT_EQ(r.name.find_first_of("\r\t"), std::string::npos);
  }
}

// Every row of the data file is in the compiled table, byte for byte.
TEST(GazetteerData, CompiledTableMatchesDataFile) {
  for (const DataLine& r : readdata()) {
    EXPECT_EQ(mapchinesename(r.key), r.name) << "line " << r.line;
  }
}

// ---------------------------------------------------------------- lookup

constexpr Row kMillionNames[] = {
    {"A49", "曾母暗沙"}, {"B49", "南通礁"}, {"B50", "安渡滩"}, {"C49", "南威岛"},
    {"C50", "太平岛"}, {"D49", "中建岛"}, {"D50", "黄岩岛"}, {"F47", "景洪"},
    {"F48", "凭祥"}, {"F49", "广州"}, {"F50", "香港"}, {"F51", "高雄"},
    {"G45", "亚东"}, {"G46", "错那"}, {"G47", "大理"}, {"G48", "昆明"},
    {"G49", "衡阳"}, {"G50", "福州"}, {"G51", "台北"}, {"H44", "普兰"},
    {"H45", "日喀则"}, {"H46", "拉萨"}, {"H47", "昌都"}, {"H48", "成都"},
    {"H49", "长沙"}, {"H50", "武汉"}, {"H51", "上海"}, {"H54", "大阪市"},
    {"I43", "乔戈里峰"}, {"I44", "噶尔"}, {"I45", "改则"}, {"I46", "安多"},
    {"I47", "玉树"}, {"I48", "宝鸡"}, {"I49", "西安"}, {"I50", "南京"},
    {"I51", "南通"}, {"I53", "大阪市"}, {"I54", "东京市"}, {"J43", "喀什"},
    {"J44", "和田"}, {"J45", "且末"}, {"J46", "格尔木"}, {"J47", "西宁"},
    {"J48", "兰州"}, {"J49", "太原"}, {"J50", "北京"}, {"J51", "大连"},
    {"K42", "塔什干"}, {"K43", "吐尔尕特山口"}, {"K44", "伊宁"}, {"K45", "乌鲁木齐"},
    {"K46", "哈密"}, {"K47", "额尔纳旗"}, {"K48", "临河"}, {"K49", "呼和浩特"},
    {"K50", "张家口"}, {"K51", "沈阳"}, {"K52", "吉林"}, {"K53", "苏昌"},
    {"K54", "函馆市"}, {"K55", "钏路市"}, {"L44", "塔城"}, {"L45", "克拉玛依"},
    {"L46", "青河"}, {"L47", "巴彦洪古尔"}, {"L48", "乌兰巴托"}, {"L49", "巴彦乌拉"},
    {"L50", "西乌珠穆沁旗"}, {"L51", "齐齐哈尔"}, {"L52", "哈尔滨"}, {"L53", "虎林"},
    {"L54", "稚内市"}, {"L55", "择捉岛"}, {"L56", "锡木施尔岛"}, {"M45", "哈巴河"},
    {"M50", "满洲里"}, {"M51", "嫩江"}, {"M52", "黑河"}, {"M53", "抚远"},
    {"M54", "苏维埃港"}, {"M55", "捷尔彼尼耶半岛"}, {"M56", "奥涅科坦岛"},
    {"M57", "北库里耳斯克"}, {"M60", "阿姆奇特卡岛"}, {"N51", "漠河"}, {"N52", "新民"},
};
static_assert(std::size(kMillionNames) == 87);

constexpr Row kSheetNames[] = {
    {"J50B001001", "北京市"},                       // 1:50万
    {"J50C001001", "蔚县"},                         // 1:25万
    {"J50D001001", "广灵县"},                       // 1:10万
    {"J50E001001", "一斗泉"},                       // 1:5万
    {"H54D001004", "别尧奈斯列岩"},
    {"I48I001001", "循化"},                         // internal 1:20万 code
    {"J53D009012", "[]鱼川市"},                     // empty brackets kept
    {"L52E017022", "八五一○农场"},                 // ○ as zero
    {"M51E012001", "拉布大林农牧场一一○生产队"},   // 13 characters
    {"F47E004016", "双江拉祜族佤族布朗族傣族自治县"},  // 15 characters
    {"B49B002001", "-93高地"},                      // spot height
};

TEST(Mapchinesename, FindsEveryMillionSheetAndNamedSheet) {
  const Gazetteer gazetteer;
  for (const std::span<const Row> table : {std::span<const Row>(kMillionNames),
                                           std::span<const Row>(kSheetNames)}) {
    for (const Row& r : table) {
      SCOPED_TRACE(r.key);
      EXPECT_EQ(mapchinesename(r.key), r.name);
      EXPECT_EQ(gazetteer.name(r.key), r.name);
    }
  }
}

TEST(Mapchinesename, MissesGiveEmptyText) {
  constexpr std::string_view kMisses[] = {
      "E47",          // its row has names, the 1:100万 sheet itself none
      "H53", "H53D001001", "H53E012012",  // no names in H53
      "G44", "O50", "L57", "M46",
      "J50F001001", "J50G001001", "J50H001001",  // 1:2.5万, 1:1万, 1:5000
      "J50F001002", "J50G012034", "J50H100100",
      "j50", "j50b001001", "J50 ", " J50", "J50B001001 ",
      "J-50", "J-50-C", "I-48-XXXV",  // old numbers
      "",
      "J5", "J50B00100", "J50B0010010",  // prefixes and extensions of keys
      std::string_view("J50\0", 4),
      "J50B001002",   // a valid number without a name
  };
  const Gazetteer gazetteer;
  for (std::string_view key : kMisses) {
    SCOPED_TRACE(::testing::Message() << '"' << key << '"');
    EXPECT_EQ(mapchinesename(key), "");
    EXPECT_EQ(gazetteer.name(key), "");
  }
}

// ---------------------------------------------------------------- merge

class GazetteerMerge : public ::testing::Test {
 protected:
  void TearDown() override {
    for (const std::string& p : written_) std::filesystem::remove(p);
  }

  // Writes `content` to a fresh file and returns its path.
  std::string file(std::string_view content) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string path = ::testing::TempDir() + "gazetteer_" + info->name() + "_" +
                       std::to_string(written_.size()) + ".tsv";
    std::ofstream(path, std::ios::binary) << content;
    written_.push_back(path);
    return path;
  }

  Gazetteer gazetteer_;

 private:
  std::vector<std::string> written_;
};

TEST_F(GazetteerMerge, FileRowsWinAndAddNewKeys) {
  const std::string path = file(
      "# an organisation's list, unsorted\n"
      "J50C001002\t张北\n"
      "J50\t北京市区\n");
  ASSERT_EQ(gazetteer_.merge(path), "");
  EXPECT_EQ(gazetteer_.name("J50"), "北京市区");       // overrides the built-in row
  EXPECT_EQ(gazetteer_.name("J50C001002"), "张北");    // new key
  EXPECT_EQ(gazetteer_.name("K42"), "塔什干");         // built-in rows stay
  EXPECT_EQ(gazetteer_.name("E47"), "");
  EXPECT_EQ(mapchinesename("J50"), "北京");            // the built-in table itself is fixed
  EXPECT_EQ(mapchinesename("J50C001002"), "");
}

TEST_F(GazetteerMerge, AcceptsWindowsTextFiles) {
  const std::string path = file(
      "\xEF\xBB\xBF# list\r\n"
      "J50\t北京市区\r\n"
      "\r\n"
      "F47E004016\t双江拉祜族佤族布朗族傣族自治县\r\n"
      "I48I001002\t同仁 县");  // no final newline; inner blank kept
  ASSERT_EQ(gazetteer_.merge(path), "");
  EXPECT_EQ(gazetteer_.name("J50"), "北京市区");
  EXPECT_EQ(gazetteer_.name("F47E004016"), "双江拉祜族佤族布朗族傣族自治县");
  EXPECT_EQ(gazetteer_.name("I48I001002"), "同仁 县");
}

TEST_F(GazetteerMerge, LaterMergeWinsAndFailedMergeKeepsEarlierRows) {
  ASSERT_EQ(gazetteer_.merge(file("J50\t甲\nJ50C001002\t乙\n")), "");
  ASSERT_EQ(gazetteer_.merge(file("J50\t丙\n")), "");
  EXPECT_EQ(gazetteer_.name("J50"), "丙");
  EXPECT_EQ(gazetteer_.name("J50C001002"), "乙");

  EXPECT_NE(gazetteer_.merge(file("J50\t丁\nK42\n")), "");
  EXPECT_EQ(gazetteer_.name("J50"), "丙");
  EXPECT_EQ(gazetteer_.name("J50C001002"), "乙");
}

TEST_F(GazetteerMerge, MalformedLineReportedWithFileAndLineTableUnchanged) {
  struct Case {
    std::string_view content;
    int line;
  };
  const Case cases[] = {
      {"J50\t新北京\nK42 塔什干\n", 2},                  // no tab
      {"J50\t新北京\nK42\t塔什干\t备注\n", 2},           // two tabs
      {"# list\n\nJ50\t新北京\nj51\t大连\n", 4},         // lower case; comments count
      {"J50\t新北京\nJ-50\t北京\n", 2},                  // old number
      {"J50\t新北京\nJ50 \t北京\n", 2},                  // blank after the key
      {"J50\t新北京\n\tK42\n", 2},                       // no key
      {"J50\t新北京\nJ50F001001\t某地\n", 2},            // 1:2.5万 carries no names
      {"J50\t新北京\nJ50G001001\t某地\n", 2},            // 1:1万
      {"J50\t新北京\nJ50C005001\t某地\n", 2},            // row beyond 1:25万 sheets
      {"J50\t新北京\nJ50I001007\t某地\n", 2},            // column beyond 1:20万 codes
      {"J50\t新北京\nJ50A001001\t某地\n", 2},            // 1:100万 in 10 characters
      {"J50\t新北京\nK42\t\n", 2},                       // empty name
      {"J50\t新北京\nK42\t双江拉祜族佤族布朗族傣族自治县县\n", 2},  // 16 characters
      {"J50\t新北京\nK42\t塔\xE4\xBB\n", 2},             // broken UTF-8
      {"J50\t新北京\nK42\t\xC0\xAF\n", 2},               // overlong UTF-8
      {"J50\t新北京\r\nK42\t塔\x01什干\r\n", 2},         // control character
      {"J50\t新北京\nK42\t塔什干\nJ50\t旧北京\n", 3},    // repeated key
      {"J50\t新北京\nK42", 2},                           // last line without a name
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.content));
    const std::string path = file(c.content);
    const std::string error = gazetteer_.merge(path);
    EXPECT_TRUE(error.starts_with(path + ":" + std::to_string(c.line) + ": ")) << error;
    EXPECT_GT(error.size(), path.size() + 4) << "a reason follows the place";
    EXPECT_EQ(gazetteer_.name("J50"), "北京");
    EXPECT_EQ(gazetteer_.name("K42"), "塔什干");
  }
}

TEST_F(GazetteerMerge, UnreadableFileReported) {
  const std::string missing = ::testing::TempDir() + "gazetteer_no_such_file.tsv";
  std::filesystem::remove(missing);
  const std::string directory = ::testing::TempDir();
  for (const std::string& path : {missing, directory}) {
    SCOPED_TRACE(path);
    const std::string error = gazetteer_.merge(path);
    EXPECT_TRUE(error.starts_with(path + ": ")) << error;
    EXPECT_EQ(gazetteer_.name("J50"), "北京");
  }
}

TEST_F(GazetteerMerge, EmptyFileChangesNothing) {
  ASSERT_EQ(gazetteer_.merge(file("# nothing yet\n")), "");
  EXPECT_EQ(gazetteer_.name("J50"), "北京");
  EXPECT_EQ(gazetteer_.name("J50C001002"), "");
}

}  // namespace
