// What the window accepts as input: the same rules as the command line, and the start command
// disabled with the reason in the status line while they are not met.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>

#include "ui/input_check.h"
#include "ui_fixture.h"

namespace norlune::ui::testing {
namespace {

struct InputRow {
    const char* surname;
    const char* left;
    const char* right;
    const char* problem;  // empty: the settings can start a run
};

TEST(SettingsProblemTest, TheRulesOfTheCommandLine) {
    const StrokeDictionary& strokes = sharedTables()->names.strokes;
    // A Chinese character the stroke dictionary does not hold.
    ASSERT_FALSE(strokes.getnum(U'\U00020000').has_value());
    const InputRow rows[] = {
        {"赵", "", "", ""},
        {"欧阳", "小", "明", ""},
        {" 赵 ", " 小", "明\u3000", ""},
        {"", "", "", "请填写姓氏"},
        {"  ", "", "", "请填写姓氏"},
        {"Li", "", "", "姓氏只能由汉字组成，不能含字母、数字、空白、符号或控制字符"},
        {"1", "", "", "姓氏只能由汉字组成，不能含字母、数字、空白、符号或控制字符"},
        {"李a", "", "", "姓氏只能由汉字组成，不能含字母、数字、空白、符号或控制字符"},
        {"欧 阳", "", "", "姓氏须为一到两个字"},
        {"诸葛亮", "", "", "姓氏须为一到两个字"},
        {"\U00020000", "", "", "无法计算笔画的字：\U00020000"},
        {"\U00020000㐂", "", "", "无法计算笔画的字：\U00020000㐂"},
        {"張", "偉", "", ""},  // typed in traditional characters
        {"赵", " ", "", "指定名字的左字只有空白：请填一个汉字，或者清空"},
        {"赵", "", "\u3000", "指定名字的右字只有空白：请填一个汉字，或者清空"},
        {"赵", "a", "", "指定名字的左字只能是一个汉字，不能是字母、数字、符号或控制字符"},
        {"赵", "", "7", "指定名字的右字只能是一个汉字，不能是字母、数字、符号或控制字符"},
        {"赵", "小明", "", "指定名字的左字只能是一个汉字，不能是字母、数字、符号或控制字符"},
        {"赵", "", "\U00020000", "无法计算笔画的字：\U00020000"},
        // The surname is judged first.
        {"Li", "a", "", "姓氏只能由汉字组成，不能含字母、数字、空白、符号或控制字符"},
    };
    for (const InputRow& r : rows) {
        EXPECT_EQ(settingsProblem(strokes, r.surname, r.left, r.right), r.problem)
            << "[" << r.surname << "][" << r.left << "][" << r.right << "]";
    }
}

TEST(TrimmedTextTest, RemovesWhiteSpaceAroundOnly) {
    EXPECT_EQ(trimmedText(" 赵 "), "赵");
    EXPECT_EQ(trimmedText("\u3000欧 阳\t"), "欧 阳");
    EXPECT_EQ(trimmedText("   "), "");
    EXPECT_EQ(trimmedText(""), "");
}

using InputTest = WindowTest;

TEST_F(InputTest, InvalidInputDisablesStartWithTheReasonInTheStatusLine) {
    auto* start = control<QPushButton>("Command1");
    auto* status = control<QLabel>("inputStatus");
    writeCandidates("M.dat", {"明"});
    const struct {
        const char* box;
        const char* text;
    } cases[] = {{"Text1", "Li"}, {"Text1", "1"}, {"Text4", " "}, {"Text5", "x"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.box) + " " + c.text);
        control<QLineEdit>(c.box)->setText(qs(c.text));
        EXPECT_FALSE(start->isEnabled());
        EXPECT_FALSE(window->inputProblem().isEmpty());
        EXPECT_EQ(status->text(), window->inputProblem());
        // A click cannot start anything.
        start->click();
        EXPECT_EQ(window->state().TestNum, 0);
        EXPECT_TRUE(listEntries().isEmpty());
        control<QLineEdit>(c.box)->setText(std::string_view(c.box) == "Text1" ? qs("赵")
                                                                              : QString());
        EXPECT_TRUE(start->isEnabled());
        EXPECT_TRUE(status->text().isEmpty());
    }
    // No message box for any of this: the status line says it.
    EXPECT_TRUE(fake.messages.isEmpty());
}

TEST_F(InputTest, TheReasonIsNotHiddenByTheMessageOfTheLastRun) {
    writeCandidates("M.dat", {"明", "浩然"});
    control<QPushButton>("Command1")->click();
    ASSERT_FALSE(window->statusBar()->currentMessage().isEmpty());
    control<QLineEdit>("Text1")->setText(qs("Li"));
    EXPECT_TRUE(window->statusBar()->currentMessage().isEmpty());
    EXPECT_FALSE(control<QLabel>("inputStatus")->text().isEmpty());
    EXPECT_TRUE(control<QLabel>("inputStatus")->isVisibleTo(window.get()));
}

TEST_F(InputTest, SpacesAroundNamesAreNotPartOfThem) {
    writeCandidates("M.dat", {"轩"});
    control<QLineEdit>("Text1")->setText(qs(" 王 "));
    EXPECT_TRUE(window->inputProblem().isEmpty());
    // A space before a designated character does not push it out of its box.
    control<QLineEdit>("Text5")->setText(qs(" 轩"));
    EXPECT_EQ(control<QLineEdit>("Text5")->text(), qs("轩"));
    control<QLineEdit>("Text4")->setText(qs("小 "));
    EXPECT_EQ(control<QLineEdit>("Text4")->text(), qs("小"));
    EXPECT_EQ(control<QLineEdit>("Text5")->text(), qs("轩"));
    EXPECT_TRUE(fake.messages.isEmpty());
    control<QPushButton>("Command1")->click();
    // The name fixed by both boxes, judged with the trimmed surname.
    EXPECT_EQ(listEntries(), QStringList{qs("王小轩")});
    EXPECT_EQ(window->state().Gxing, "王");
}

TEST_F(InputTest, ABlankGivenNameIsNeverJudged) {
    // One space in a designated box used to be judged as a given name of its own ("张 =94.1").
    control<QLineEdit>("Text1")->setText(qs("张"));
    control<QLineEdit>("Text4")->setText(qs(" "));
    control<QPushButton>("Command1")->click();
    EXPECT_TRUE(listEntries().isEmpty());
    EXPECT_TRUE(control<QLabel>("Label1")->text().isEmpty());
    EXPECT_TRUE(window->inputProblem().contains(qs("空白")));
}

}  // namespace
}  // namespace norlune::ui::testing
