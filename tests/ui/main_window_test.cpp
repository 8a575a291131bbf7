// The main window as it opens, its layout, and the input rules of the settings controls.
#include <QAction>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>

#include "ui_fixture.h"

namespace norlune::ui::testing {
namespace {

using MainWindowTest = WindowTest;

TEST_F(MainWindowTest, StartsWithTheDefaultSettings) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("NorluneV1.0"));
    EXPECT_EQ(control<QLineEdit>("Text1")->text(), qs("赵"));
    EXPECT_TRUE(control<QRadioButton>("Option7")->isChecked());
    EXPECT_FALSE(control<QRadioButton>("Option8")->isChecked());
    EXPECT_TRUE(control<QRadioButton>("Option6")->isChecked());
    EXPECT_FALSE(control<QRadioButton>("Option5")->isChecked());
    EXPECT_FALSE(control<QRadioButton>("Option4")->isChecked());
    EXPECT_FALSE(control<QCheckBox>("Check1")->isChecked());
    EXPECT_FALSE(control<QCheckBox>("Check2")->isChecked());
    EXPECT_EQ(control<QLabel>("Label6")->text(), qs("列出100个优选名字"));
    EXPECT_EQ(window->ListNum(), 100);
    EXPECT_EQ(control<QLabel>("Label8")->text(), qs("男性"));
    // Today's date in the short format, from the window's clock.
    EXPECT_EQ(control<QLineEdit>("Text6")->text(), QStringLiteral("2026/12/7"));
    EXPECT_TRUE(control<QPushButton>("Command1")->isEnabled());
    EXPECT_FALSE(control<QPushButton>("Command2")->isEnabled());
    EXPECT_EQ(control<QLabel>("Label5")->text(), qs("已测算0个姓名"));
    EXPECT_TRUE(control<QLabel>("Label1")->text().isEmpty());
    EXPECT_EQ(control<QProgressBar>("ProgressBar1")->minimum(), 0);
    EXPECT_EQ(control<QProgressBar>("ProgressBar1")->maximum(), 1000);
    EXPECT_EQ(control<QListWidget>("List1")->count(), 0);
    EXPECT_TRUE(control<QPlainTextEdit>("Text3")->toPlainText().isEmpty());
    EXPECT_FALSE(window->birthTime().BirthMomentSet);
    EXPECT_TRUE(window->state().Gxiyong.empty());
    EXPECT_FALSE(window->windowIcon().isNull());
}

TEST_F(MainWindowTest, ShowsTheFixedCaptionsAndMenus) {
    const std::vector<std::pair<const char*, const char*>> captions = {
        {"Label2", "姓氏"},
        {"Option7", "男性"},
        {"Option8", "女性"},
        {"Label4", "姓名字数"},
        {"Option6", "不限"},
        {"Option5", "单字"},
        {"Option4", "双字"},
        {"Label7", "指定名字"},
        {"Label3", "(可指定名字中左右字)"},
        {"Check1", "或名字中包含左右字中任意一字"},
        {"Command1", "开始测算"},
        {"Command2", "停止测算"},
        {"Check2", "配合生辰八字取名"},
        {"Command4", "选择出生时间"},
    };
    for (const auto& [name, caption] : captions) {
        auto* widget = window->findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(widget, nullptr) << name;
        QString text;
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            text = label->text();
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            text = button->text();
        }
        EXPECT_EQ(text, qs(caption)) << name;
    }
    EXPECT_EQ(control<QGroupBox>("Frame7")->title(), qs("高级设置"));
    for (const char* frame : {"Frame3", "Frame4", "Frame5", "Frame6"}) {
        EXPECT_TRUE(control<QGroupBox>(frame)->title().isEmpty()) << frame;
    }
    EXPECT_EQ(action("outputnamefile")->text(), qs("导出姓名列表"));
    EXPECT_EQ(action("inputnamefile")->text(), qs("导入姓名列表"));
    EXPECT_EQ(action("help1")->text(), qs("帮助"));
    EXPECT_EQ(action("help1")->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(action("cleansound")->text(), qs("避开不雅谐音"));
    EXPECT_EQ(action("standardchars")->text(), qs("只用通用规范字"));
    // 选项 stands between 文件 and 帮助.
    QStringList menus;
    for (QAction* menu : window->menuBar()->actions()) {
        menus << menu->text();
    }
    EXPECT_EQ(menus, (QStringList{qs("文件"), qs("选项"), qs("帮助")}));
    EXPECT_NE(window->findChild<QMenu*>(QStringLiteral("optionsmenu")), nullptr);
}

TEST_F(MainWindowTest, ReportBoxesAreReadOnlyAndTheDateBoxIsNoTabStop) {
    for (const char* name : {"Text2", "Text3"}) {
        auto* box = control<QPlainTextEdit>(name);
        EXPECT_TRUE(box->isReadOnly()) << name;
        EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn) << name;
    }
    EXPECT_TRUE(control<QLineEdit>("Text6")->isReadOnly());
    EXPECT_EQ(control<QLineEdit>("Text6")->focusPolicy(), Qt::NoFocus);
    EXPECT_FALSE(control<QListWidget>("List1")->isSortingEnabled());
}

TEST_F(MainWindowTest, ChineseTextHasGlyphsInTheNamedFonts) {
    auto* label1 = control<QLabel>("Label1");
    auto* list1 = control<QListWidget>("List1");
    EXPECT_DOUBLE_EQ(label1->font().pointSizeF(), 26.25);
    EXPECT_DOUBLE_EQ(list1->font().pointSizeF(), 10.5);
    // 赵 and 测 must come out of the chosen fonts, not as empty boxes.
    for (const QFont& font : {label1->font(), list1->font(), window->font()}) {
        const QFontMetrics metrics(font);
        EXPECT_TRUE(metrics.inFontUcs4(0x8D75)) << font.family().toStdString();
        EXPECT_TRUE(metrics.inFontUcs4(0x6D4B)) << font.family().toStdString();
    }
}

TEST_F(MainWindowTest, SurnameRuleCutsAThirdCharacterAndDisablesStart) {
    auto* text1 = control<QLineEdit>("Text1");
    auto* start = control<QPushButton>("Command1");
    text1->setText(qs("欧阳"));
    EXPECT_TRUE(start->isEnabled());
    text1->end(false);
    typeText(text1, qs("修"));
    EXPECT_EQ(fake.messages, QStringList{qs("姓名字数不能超过2个")});
    EXPECT_EQ(text1->text(), qs("欧阳"));
    EXPECT_FALSE(start->isEnabled());
    // The next edit that leaves one or two characters enables the start command again.
    text1->setText(qs("欧"));
    EXPECT_TRUE(start->isEnabled());
    EXPECT_EQ(fake.messages.size(), 1);
}

TEST_F(MainWindowTest, EmptySurnameDisablesStartWithoutMessage) {
    auto* text1 = control<QLineEdit>("Text1");
    auto* start = control<QPushButton>("Command1");
    text1->clear();
    EXPECT_FALSE(start->isEnabled());
    typeText(text1, qs("李"));
    EXPECT_TRUE(start->isEnabled());
    EXPECT_TRUE(fake.messages.isEmpty());
}

TEST_F(MainWindowTest, SurnameRuleCountsCharactersNotUtf16Units) {
    auto* text1 = control<QLineEdit>("Text1");
    // Two characters outside the Basic Multilingual Plane are still two characters: no message
    // box, only the status line naming the one without stroke data.
    text1->setText(QString::fromUcs4(U"\U00020000\U00020001"));
    EXPECT_TRUE(fake.messages.isEmpty());
    EXPECT_TRUE(window->inputProblem().contains(QString::fromUcs4(U"\U00020000")))
        << window->inputProblem().toStdString();
    text1->setText(QString::fromUcs4(U"\U00020000\U00020001\U00020002"));
    EXPECT_EQ(fake.messages, QStringList{qs("姓名字数不能超过2个")});
    EXPECT_EQ(text1->text(), QString::fromUcs4(U"\U00020000\U00020001"));
    EXPECT_FALSE(control<QPushButton>("Command1")->isEnabled());
}

TEST_F(MainWindowTest, TwoCharactersInTheLeftBoxFillBothBoxes) {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->activateWindow();
    auto* text4 = control<QLineEdit>("Text4");
    auto* text5 = control<QLineEdit>("Text5");
    text4->setFocus();
    typeText(text4, qs("小明"));
    EXPECT_EQ(text4->text(), qs("小"));
    EXPECT_EQ(text5->text(), qs("明"));
    EXPECT_TRUE(text5->hasFocus());
    EXPECT_TRUE(fake.messages.isEmpty());
}

TEST_F(MainWindowTest, RightBoxKeepsOneCharacterWithMessage) {
    auto* text5 = control<QLineEdit>("Text5");
    text5->insert(qs("明亮"));
    EXPECT_EQ(fake.messages, QStringList{qs("限一个字！")});
    EXPECT_EQ(text5->text(), qs("明"));
    EXPECT_TRUE(control<QLineEdit>("Text4")->text().isEmpty());
}

TEST_F(MainWindowTest, FocusSelectsTheWholeText) {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->activateWindow();
    control<QLineEdit>("Text4")->setText(qs("小"));
    for (const char* name : {"Text1", "Text4"}) {
        auto* box = control<QLineEdit>(name);
        box->deselect();
        control<QListWidget>("List1")->setFocus();
        box->setFocus();
        QCoreApplication::processEvents();
        EXPECT_EQ(box->selectedText(), box->text()) << name;
        EXPECT_FALSE(box->text().isEmpty()) << name;
    }
}

TEST_F(MainWindowTest, ScrollBarChangeSetsListNumAndScrollOnlyTheCaption) {
    auto* scroll = control<QScrollBar>("HScroll1");
    auto* label6 = control<QLabel>("Label6");
    EXPECT_EQ(scroll->minimum(), 1);
    EXPECT_EQ(scroll->maximum(), 100);
    EXPECT_EQ(scroll->value(), 1);

    scroll->setValue(100);
    EXPECT_EQ(window->ListNum(), 10000);
    EXPECT_EQ(label6->text(), qs("列出10000个优选名字"));

    // Dragging the thumb shows the number but keeps ListNum until the value settles.
    scroll->setSliderDown(true);
    scroll->setSliderPosition(3);
    EXPECT_EQ(label6->text(), qs("列出300个优选名字"));
    EXPECT_EQ(window->ListNum(), 10000);
    scroll->setSliderDown(false);
    EXPECT_EQ(window->ListNum(), 300);
    EXPECT_EQ(label6->text(), qs("列出300个优选名字"));

    // A click on the arrow changes the value at once.
    scroll->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(window->ListNum(), 400);
    EXPECT_EQ(label6->text(), qs("列出400个优选名字"));
}

TEST_F(MainWindowTest, SexOptionsChangeTheSexLabelAtOnce) {
    control<QRadioButton>("Option8")->click();
    EXPECT_EQ(control<QLabel>("Label8")->text(), qs("女性"));
    control<QRadioButton>("Option7")->click();
    EXPECT_EQ(control<QLabel>("Label8")->text(), qs("男性"));
    // No birth moment yet: the BaZi box stays empty.
    EXPECT_TRUE(control<QPlainTextEdit>("Text3")->toPlainText().isEmpty());
}

TEST_F(MainWindowTest, F1FromAnyControlOpensTheHelpLikeTheMenu) {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto* text1 = control<QLineEdit>("Text1");
    text1->setFocus();
    EXPECT_EQ(window->helpWindow(), nullptr);
    QTest::keyClick(text1, Qt::Key_F1);
    ASSERT_NE(window->helpWindow(), nullptr);
    EXPECT_TRUE(window->helpWindow()->isVisible());
    EXPECT_TRUE(window->helpWindow()->toPlainText().contains(qs("三才")));
    EXPECT_TRUE(window->helpWindow()->toPlainText().contains(qs("五格")));
    // The surname box did not take the key as text.
    EXPECT_EQ(text1->text(), qs("赵"));

    window->helpWindow()->close();
    action("help1")->trigger();
    EXPECT_TRUE(window->helpWindow()->isVisible());
    window->close();
    EXPECT_FALSE(window->helpWindow()->isVisible());
}

TEST_F(MainWindowTest, AboutShowsNameAndVersionInAMessageBox) {
    EXPECT_EQ(action("about1")->text(), qs("关于"));
    action("about1")->trigger();
    ASSERT_EQ(fake.messages.size(), 1);
    const QString text = fake.messages.front();
    EXPECT_TRUE(text.contains(qs("诺伦取名"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(qs("版本 [0-9]+\\.[0-9]+"))))
        << text.toStdString();
    // Nothing else happened: no help window, no change to the settings.
    EXPECT_EQ(window->helpWindow(), nullptr);
    EXPECT_FALSE(window->running());
}

}  // namespace
}  // namespace norlune::ui::testing
