#include "script/interface_script.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace norlune {
namespace {

const ScriptConverter& converter() {
    return ScriptConverter::builtIn();
}

TEST(ScriptFromLocale, TheFirstSetVariableDecides) {
    struct Row {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        Script want;
    };
    const Row rows[] = {
        {nullptr, nullptr, nullptr, Script::Hans},
        {"", "", "", Script::Hans},
        {nullptr, nullptr, "C", Script::Hans},
        {nullptr, nullptr, "POSIX", Script::Hans},
        {nullptr, nullptr, "C.UTF-8", Script::Hans},
        {nullptr, nullptr, "en_US.UTF-8", Script::Hans},
        {nullptr, nullptr, "zh_CN.UTF-8", Script::Hans},
        {nullptr, nullptr, "zh_SG.UTF-8", Script::Hans},
        {nullptr, nullptr, "zh", Script::Hans},
        {nullptr, nullptr, "zh_TW.UTF-8", Script::Hant},
        {nullptr, nullptr, "zh_TW", Script::Hant},
        {nullptr, nullptr, "zh_HK.UTF-8", Script::Hant},
        {nullptr, nullptr, "zh_HK.Big5-HKSCS", Script::Hant},
        {nullptr, nullptr, "zh_MO.UTF-8", Script::Hant},
        {nullptr, nullptr, "zh_TW@euro", Script::Hant},
        {nullptr, nullptr, "zh_Hant", Script::Hant},
        {nullptr, nullptr, "zh_Hant.UTF-8", Script::Hant},
        {nullptr, nullptr, "zh-Hant-TW", Script::Hant},
        {nullptr, nullptr, "zh_Hans_HK", Script::Hans},  // the script named outright decides
        {nullptr, nullptr, "zh_Hant_CN", Script::Hant},
        {nullptr, nullptr, "zh_tw.utf8", Script::Hant},
        {nullptr, nullptr, "en_TW.UTF-8", Script::Hans},  // Taiwan, but not Chinese
        {nullptr, nullptr, "zhx_TW", Script::Hans},
        {nullptr, nullptr, "TW", Script::Hans},
        // LC_ALL over LC_MESSAGES over LANG; an empty one counts as unset.
        {"zh_TW.UTF-8", "zh_CN.UTF-8", "C", Script::Hant},
        {"zh_CN.UTF-8", "zh_TW.UTF-8", "zh_TW.UTF-8", Script::Hans},
        {"C", nullptr, "zh_TW.UTF-8", Script::Hans},
        {"", "zh_HK.UTF-8", "C", Script::Hant},
        {nullptr, "C", "zh_HK.UTF-8", Script::Hans},
        {"", "", "zh_MO", Script::Hant},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(scriptFromLocale(row.lcAll, row.lcMessages, row.lang), row.want)
            << (row.lcAll ? row.lcAll : "null") << " / "
            << (row.lcMessages ? row.lcMessages : "null") << " / "
            << (row.lang ? row.lang : "null");
    }
}

// Words of the interface whose characters convert differently by context, and the terms of the
// field that the reviewed corrections fix.
TEST(ScriptConverter, ConvertsTheTrickyCharactersByContext) {
    struct Row {
        std::string_view from;
        std::string_view to;
    };
    const Row rows[] = {
        // the stems and branches
        {"天干地支", "天干地支"},
        {"地支藏干", "地支藏干"},
        {"日干", "日干"},
        {"流年干支", "流年干支"},
        {"乙丑年丑时", "乙丑年丑時"},
        {"丑", "丑"},
        {"丑陋", "醜陋"},
        {"才干出众", "才幹出眾"},
        {"外强中干", "外強中乾"},
        {"干燥", "乾燥"},
        {"干扰", "干擾"},
        // the elements overcome one another with 剋 throughout; 克 keeps its form in 克服
        {"相克", "相剋"},
        {"人格之火克天格之金", "人格之火剋天格之金"},
        {"五行相生相克", "五行相生相剋"},
        {"克服困难", "克服困難"},
        {"相冲", "相沖"},
        {"发生冲突", "發生衝突"},
        {"无大冲突", "無大衝突"},
        // 发 后 余 里 只 台 系 复 历 面 准 松 几
        {"发展", "發展"},
        {"毛发", "毛髮"},
        {"生发无穷", "生發無窮"},
        {"以后", "以後"},
        {"后羿", "后羿"},
        {"留有余地", "留有餘地"},
        {"心里", "心裡"},
        {"千里", "千里"},
        {"只能", "只能"},
        {"最多只保留", "最多只保留"},
        {"船只", "船隻"},
        {"台湾省", "臺灣省"},
        {"台州市", "台州市"},
        {"关系", "關係"},
        {"联系", "聯繫"},
        {"消化系统", "消化系統"},
        {"复杂", "複雜"},
        {"恢复", "恢復"},
        {"反复无常", "反覆無常"},
        {"农历日期", "農曆日期"},
        {"历史", "歷史"},
        {"面", "面"},
        {"标准时间", "標準時間"},
        {"放松", "放鬆"},
        {"古松立鹤", "古松立鶴"},
        {"几个", "幾個"},
        {"喜欢表现", "喜歡表現"},
        {"钟表", "鐘錶"},
        {"文件是只读的", "文件是唯讀的"},
        // the numbers, the three talents, the report's headings
        {"（太极之数）", "（太極之數）"},
        {"大吉", "大吉"},
        {"半凶", "半凶"},
        {"三才", "三才"},
        {"天格 人格 地格 总格 外格", "天格 人格 地格 總格 外格"},
        {"八字", "八字"},
        {"五行", "五行"},
        {"旭日升天", "旭日昇天"},
        {"音形分析", "音形分析"},
        {"字义出处", "字義出處"},
        // text that is not Chinese stays as it is
        {"norlune-cli --help 12:30 ABC", "norlune-cli --help 12:30 ABC"},
        {"", ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(converter().toHant(row.from), row.to) << row.from;
    }
}

TEST(ScriptConverter, KeptStringsStayAsGiven) {
    const std::array<std::string_view, 2> names = {"张", "伟"};
    EXPECT_EQ(converter().toHant("姓名：张伟，发展", names), "姓名：张伟，發展");
    // A kept string is kept wherever it stands, also inside a word the table would convert.
    const std::array<std::string_view, 1> given = {"晓东"};
    EXPECT_EQ(converter().toHant("刘晓东的晓东", given), "劉晓东的晓东");
    // A phrase that would swallow the start of a kept string is not taken: 复 alone is 復.
    const std::array<std::string_view, 1> za = {"杂"};
    EXPECT_EQ(converter().toHant("复杂", za), "復杂");
    // The longest kept string wins where several start.
    const std::array<std::string_view, 3> nested = {"欧", "欧阳", "阳"};
    EXPECT_EQ(converter().toHant("欧阳娜与欧", nested), "欧阳娜與欧");
    // An empty kept string is no string.
    const std::array<std::string_view, 1> empty = {""};
    EXPECT_EQ(converter().toHant("发", empty), "發");
}

TEST(ScriptConverter, BytesThatAreNotUtf8AreCopied) {
    const std::string text = std::string("发\xFF\xC3") + "发";
    EXPECT_EQ(converter().toHant(text), std::string("發\xFF\xC3") + "發");
    EXPECT_EQ(converter().toHant("\xEF\xBF\xBD"), "\xEF\xBF\xBD");
}

TEST(ScriptConverter, PresentLeavesSimplifiedTextByteForByte) {
    const std::string_view text = "用法：norlune-cli 命令 参数…\n\xFF 发展";
    EXPECT_EQ(present(converter(), Script::Hans, text), text);
    EXPECT_EQ(present(converter(), Script::Hant, "参数发展"), "參數發展");
    const std::array<std::string_view, 1> keep = {"参"};
    EXPECT_EQ(present(converter(), Script::Hant, "参数", keep), "参數");
}

TEST(ScriptConverter, SimplifiedOnlyCharactersAreThoseWithoutATraditionalUse) {
    for (char32_t ch : std::u32string_view(U"发这们张伟刘晓东陈华")) {
        EXPECT_TRUE(converter().isSimplifiedOnly(ch)) << static_cast<std::uint32_t>(ch);
        EXPECT_NE(converter().toHant(ch), ch);
        EXPECT_FALSE(converter().isSimplifiedOnly(converter().toHant(ch)));
    }
    // Traditional forms themselves, and characters that are both.
    for (char32_t ch : std::u32string_view(U"干台余后里只系松面几發髮王小明天")) {
        EXPECT_FALSE(converter().isSimplifiedOnly(ch)) << static_cast<std::uint32_t>(ch);
    }
    EXPECT_GT(converter().characterCount(), 2000U);
    EXPECT_GT(converter().phraseCount(), 100U);
}

TEST(ScriptConverter, ATableTextGivesItsRows) {
    const ScriptConverter table(
        "# comment\n"
        "c\t发\t發\n"
        "c\t后\t後\n"
        "p\t后羿\t后羿\n"
        "p\t头发\t頭髮\n"
        "p\t头发长\t頭髮長\n"
        "s\t发\n");
    EXPECT_EQ(table.toHant("后来后羿头发长头发发"), "後来后羿頭髮長頭髮發");
    EXPECT_TRUE(table.isSimplifiedOnly(U'发'));
    EXPECT_FALSE(table.isSimplifiedOnly(U'后'));
    EXPECT_EQ(table.characterCount(), 2U);
    EXPECT_EQ(table.phraseCount(), 3U);
}

TEST(ScriptConverter, AMalformedTableIsRefused) {
    for (std::string_view text : {"x\t发\t發\n", "c\t发\n", "c\t发发\t發\n", "p\t头发\t頭\n",
                                  "p\t发\t發\n", "c\t发\t發\textra\n", "s\n", "c\t\xFF\t發\n"}) {
        EXPECT_THROW(ScriptConverter{text}, std::runtime_error) << text;
    }
}

}  // namespace
}  // namespace norlune

namespace norlune {
namespace {

// Every reviewed correction of tools/hant/overrides.txt holds in the table, standing alone and
// inside a sentence.
TEST(ScriptConverter, EveryOverrideHolds) {
    std::ifstream in(std::string(NORLUNE_SOURCE_DIR) + "/tools/hant/overrides.txt");
    ASSERT_TRUE(in);
    std::string line;
    int rows = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const std::size_t tab = line.find('\t');
        const std::size_t reason = line.find('\t', tab + 1);
        ASSERT_NE(reason, std::string::npos) << line;
        const std::string from = line.substr(0, tab);
        const std::string to = line.substr(tab + 1, reason - tab - 1);
        EXPECT_EQ(ScriptConverter::builtIn().toHant(from), to) << line;
        EXPECT_EQ(ScriptConverter::builtIn().toHant("。" + from + "，"), "。" + to + "，") << line;
        ++rows;
    }
    EXPECT_GE(rows, 40);
}

}  // namespace
}  // namespace norlune
