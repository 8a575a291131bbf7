// Naming within a family in the window: the characters to avoid of the 选项 menu.
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <QTableWidget>
#include "engine/utf8.h"
#include "ui/avoid_dialog.h"
#include "ui/favourable_dialog.h"
#include "ui/twins_dialog.h"
#include "ui_fixture.h"

namespace norlune::ui::testing {
namespace {

// Names with 明, with characters read míng (铭 鸣 茗), and others.
const std::vector<std::string> kCandidates = {"子明", "浩然", "子铭", "思远", "明轩", "一鸣",
                                              "宇轩", "佳茗", "俊杰", "博文", "天佑", "明哲"};

bool usesAny(const std::string& name, const std::u32string& characters) {
    for (const char32_t ch : utf8ToU32(name)) {
        if (characters.find(ch) != std::u32string::npos) {
            return true;
        }
    }
    return false;
}

class FamilyTest : public WindowTest {
protected:
    // Opens 避讳用字…, types the characters, sets the check box and presses the button given.
    void chooseAvoid(const QString& characters, bool bySound,
                     QDialogButtonBox::StandardButton button = QDialogButtonBox::Ok) {
        fake.dialogScript = [=](QDialog& dialog) {
            auto& avoid = dynamic_cast<AvoidDialog&>(dialog);
            avoid.characters->setText(characters);
            avoid.bySound->setChecked(bySound);
            avoid.buttons->button(button)->click();
        };
        action("avoidchars")->trigger();
        fake.dialogScript = nullptr;
    }

    QStringList runList(const char* surname = "赵") {
        writeCandidates("M.dat", kCandidates);
        control<QLineEdit>("Text1")->setText(qs(surname));
        fake.messages.clear();
        control<QPushButton>("Command1")->click();
        return listEntries();
    }
};

TEST(AvoidCharactersCheck, TakesUpToTwentyHanCharactersAndIgnoresBlanks) {
    const QString twenty = qs("一二三四五六七八九十甲乙丙丁戊己庚辛壬癸");
    struct Case {
        QString text;
        bool accepted;
    };
    const std::vector<Case> cases = {
        {QString(), true},
        {qs("建国"), true},
        {qs(" 建 国　秀英 "), true},  // ASCII and full-width blanks
        {twenty, true},
        {twenty + qs("子"), false},
        {qs("建a"), false},
        {qs("建，国"), false},
        {qs("12"), false},
        {QString::fromUtf8("\xF0\xA0\x80\x80"), true},  // a character outside the basic plane
    };
    for (const Case& c : cases) {
        const QString problem = avoidCharactersProblem(c.text);
        EXPECT_EQ(problem.isEmpty(), c.accepted) << utf8(c.text);
        if (!c.accepted) {
            EXPECT_TRUE(problem.startsWith(qs("避讳用字"))) << utf8(problem);
        }
    }
    EXPECT_EQ(withoutBlanks(qs(" 建 国　秀英 ")), qs("建国秀英"));
}

TEST_F(FamilyTest, MenuEntryOpensTheDialogWithTheKeptChoice) {
    ASSERT_NE(action("avoidchars"), nullptr);
    EXPECT_EQ(action("avoidchars")->text(), qs("避讳用字…"));
    auto* options = window->findChild<QMenu*>(QStringLiteral("optionsmenu"));
    EXPECT_TRUE(options->actions().contains(action("avoidchars")));
    // Nothing is avoided until the user says so.
    EXPECT_EQ(window->avoidChoice(), AvoidChoice{});
    chooseAvoid(qs("建 国"), true);
    EXPECT_EQ(fake.dialogs, QStringList{QStringLiteral("avoidDialog")});
    EXPECT_EQ(window->avoidChoice(), (AvoidChoice{qs("建国"), true}));
    // The next opening of the program starts with it, and so does the dialog.
    reopenWindow();
    EXPECT_EQ(window->avoidChoice(), (AvoidChoice{qs("建国"), true}));
    AvoidChoice shown;
    fake.dialogScript = [&](QDialog& dialog) {
        auto& avoid = dynamic_cast<AvoidDialog&>(dialog);
        shown = {avoid.characters->text(), avoid.bySound->isChecked()};
        EXPECT_EQ(avoid.windowTitle(), qs("避讳用字"));
        EXPECT_EQ(avoid.bySound->text(), qs("同音也避开"));
    };
    action("avoidchars")->trigger();
    EXPECT_EQ(shown, (AvoidChoice{qs("建国"), true}));
    // Closed without 确定: the choice stays.
    EXPECT_EQ(window->avoidChoice(), (AvoidChoice{qs("建国"), true}));
}

TEST_F(FamilyTest, BadTextKeepsTheDialogOpenWithTheReason) {
    chooseAvoid(qs("明"), false);
    struct Case {
        QString text;
        const char* reason;
    };
    for (const Case& c : {Case{qs("明a"), "只能填汉字"},
                          Case{qs("一二三四五六七八九十甲乙丙丁戊己庚辛壬癸子"), "最多 20 个"}}) {
        bool stayedOpen = false;
        QString reason;
        fake.dialogScript = [&](QDialog& dialog) {
            auto& avoid = dynamic_cast<AvoidDialog&>(dialog);
            avoid.characters->setText(c.text);
            avoid.buttons->button(QDialogButtonBox::Ok)->click();
            stayedOpen = avoid.isVisible();
            reason = avoid.problem->text();
        };
        action("avoidchars")->trigger();
        EXPECT_TRUE(stayedOpen) << utf8(c.text);
        EXPECT_TRUE(reason.contains(qs(c.reason))) << utf8(reason);
        EXPECT_EQ(window->avoidChoice(), (AvoidChoice{qs("明"), false}));
    }
    // Cancel leaves the kept choice too.
    chooseAvoid(qs("国"), true, QDialogButtonBox::Cancel);
    EXPECT_EQ(window->avoidChoice(), (AvoidChoice{qs("明"), false}));
}

TEST_F(FamilyTest, RunSkipsTheCharactersAndWithSoundTheirSyllables) {
    const QStringList plain = runList();
    // Names of both kinds are kept without the option, or the test proves nothing.
    const auto count = [&](const QStringList& list, const std::u32string& characters) {
        return std::count_if(list.begin(), list.end(), [&](const QString& entry) {
            return usesAny(utf8(entry).substr(std::string("赵").size()), characters);
        });
    };
    ASSERT_GT(count(plain, U"明"), 0);
    ASSERT_GT(count(plain, U"铭鸣茗"), 0);
    EXPECT_TRUE(fake.messages.filter(qs("避讳")).isEmpty());

    struct Case {
        bool bySound;
        std::u32string gone;  // none of these is left
        std::u32string kept;  // some of these stay (empty: no check)
    };
    for (const Case& c : {Case{false, U"明", U"铭鸣茗"}, Case{true, U"明铭鸣茗", U""}}) {
        chooseAvoid(qs("明"), c.bySound);
        const QStringList avoided = runList();
        EXPECT_EQ(count(avoided, c.gone), 0) << c.bySound;
        if (!c.kept.empty()) {
            EXPECT_GT(count(avoided, c.kept), 0);
        }
        // The rest of the list is the list without the option, in its order.
        QStringList expected;
        for (const QString& entry : plain) {
            if (!usesAny(utf8(entry).substr(std::string("赵").size()), c.gone)) {
                expected << entry;
            }
        }
        EXPECT_EQ(avoided, expected);
        // The end message counts every candidate left out, kept by its score or not.
        long long skipped = 0;
        for (const std::string& name : kCandidates) {
            skipped += usesAny(name, c.gone) ? 1 : 0;
        }
        EXPECT_EQ(fake.messages
                      .filter(qs("已避开 ") + QString::number(skipped) + qs(" 个含避讳用字的名字"))
                      .size(),
                  1)
            << utf8(fake.messages.join(QLatin1Char('|')));
    }
    // Emptied: the run lists what it listed without the option, and the message says nothing of it.
    chooseAvoid(QString(), true);
    EXPECT_EQ(runList(), plain);
    EXPECT_TRUE(fake.messages.filter(qs("避讳")).isEmpty());
}

// Chooses the favourable elements in the 喜用五行 dialog: by hand with the elements given (some of
// 金木水火土), or computed when `elements` is null.
void chooseFavourable(FakeInteraction& fake, QAction* action, const char* elements) {
    fake.dialogScript = [=](QDialog& dialog) {
        auto& favourable = dynamic_cast<FavourableDialog&>(dialog);
        (elements == nullptr ? favourable.computed : favourable.byHand)->setChecked(true);
        for (QCheckBox* box : favourable.elements) {
            box->setChecked(elements != nullptr && qs(elements).contains(box->text()));
        }
        favourable.buttons->button(QDialogButtonBox::Ok)->click();
    };
    action->trigger();
    fake.dialogScript = nullptr;
}

TEST(FavourableOrder, ElementsKeepTheDialogsOrderOnce) {
    EXPECT_EQ(orderedElements(qs("土火金火")), qs("金火土"));
    EXPECT_EQ(orderedElements(qs("甲乙")), QString());
    EXPECT_EQ(orderedElements(elementOrder()), qs("金木水火土"));
}

TEST_F(FamilyTest, FavourableByHandReplacesTheComputedOnesInTheRunAndTheReports) {
    writeCandidates("M.dat", kCandidates);
    fake.birthDialogScript = chooseBirthTime(QDate(1985, 2, 4), 9, 5);
    control<QCheckBox>("Check2")->click();
    const std::string computed = window->state().Gxiyong;
    ASSERT_FALSE(computed.empty());
    const QString baziBefore = control<QPlainTextEdit>("Text3")->toPlainText();
    control<QPushButton>("Command1")->click();
    const QStringList computedList = listEntries();
    EXPECT_FALSE(summaryOf(control<QPlainTextEdit>("Text2")->toPlainText())
                     .join(QLatin1Char('|'))
                     .contains(qs("自行指定")));

    // All five: no name loses points, so the list differs from the computed one and is not empty.
    const char* byHand = "金木水火土";
    ASSERT_NE(computed, byHand);
    chooseFavourable(fake, action("favourable"), byHand);
    EXPECT_EQ(window->favourableChoice(), (FavourableChoice{true, qs(byHand)}));
    EXPECT_EQ(window->state().Gxiyong, byHand);
    const QString bazi = control<QPlainTextEdit>("Text3")->toPlainText();
    EXPECT_EQ(bazi, baziBefore + QLatin1Char('\n') + qs("喜用五行（自行指定）：") + qs(byHand));
    control<QPushButton>("Command1")->click();
    EXPECT_EQ(window->state().sNeedWx, byHand);
    EXPECT_NE(listEntries(), computedList);
    const QString summary =
        summaryOf(control<QPlainTextEdit>("Text2")->toPlainText()).join(QLatin1Char('|'));
    EXPECT_TRUE(summary.contains(qs(std::string(byHand) + "，自行指定）")))
        << utf8(summary) << " | " << utf8(control<QLabel>("Label1")->text());

    // Kept for the next opening; without a birth time the box shows the line alone.
    reopenWindow();
    EXPECT_EQ(window->favourableChoice(), (FavourableChoice{true, qs(byHand)}));
    EXPECT_EQ(window->state().Gxiyong, byHand);
    EXPECT_EQ(control<QPlainTextEdit>("Text3")->toPlainText(),
              qs("喜用五行（自行指定）：") + qs(byHand));

    // Back to the computation: the line and the elements go.
    chooseFavourable(fake, action("favourable"), nullptr);
    EXPECT_EQ(window->favourableChoice(), FavourableChoice{});
    EXPECT_TRUE(window->state().Gxiyong.empty());
    EXPECT_TRUE(control<QPlainTextEdit>("Text3")->toPlainText().isEmpty());
}

TEST_F(FamilyTest, FavourableByHandNeedsAnElement) {
    bool stayedOpen = false;
    QString reason;
    fake.dialogScript = [&](QDialog& dialog) {
        auto& favourable = dynamic_cast<FavourableDialog&>(dialog);
        EXPECT_TRUE(favourable.computed->isChecked());
        favourable.byHand->setChecked(true);
        favourable.buttons->button(QDialogButtonBox::Ok)->click();
        stayedOpen = favourable.isVisible();
        reason = favourable.problem->text();
    };
    action("favourable")->trigger();
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(reason, qs("自行指定时请至少选一个五行"));
    EXPECT_EQ(window->favourableChoice(), FavourableChoice{});
}

TEST_F(FamilyTest, TwinsShareTheirFirstCharacterAndAPairGoesToTheShortlist) {
    writeCandidates("M.dat", kCandidates);
    const auto tables = sharedTables();
    const NameEngine engine(tables->names, tables->elements);
    std::vector<TwinRow> shown;
    fake.dialogScript = [&](QDialog& dialog) {
        auto& twins = dynamic_cast<TwinsDialog&>(dialog);
        shown = twins.rows();
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(twins.table->rowCount(), static_cast<int>(shown.size()));
        twins.table->selectRow(0);
        twins.addButton->click();
    };
    action("twins")->trigger();
    fake.dialogScript = nullptr;
    EXPECT_EQ(fake.dialogs, QStringList{QStringLiteral("twinsDialog")});
    for (const TwinRow& row : shown) {
        const std::u32string a = utf8ToU32(row.first.fullName.substr(3));
        const std::u32string b = utf8ToU32(row.second.fullName.substr(3));
        ASSERT_EQ(a.size(), 2u);
        ASSERT_EQ(b.size(), 2u);
        EXPECT_TRUE(a[0] == b[0] || !row.clause.empty()) << row.first.fullName;
        EXPECT_NE(a, b);
        EXPECT_EQ(row.firstScore,
                  engine.scoreName("赵", u32ToUtf8(a), {false, false, {}, false}).toString());
        EXPECT_GE(std::stod(row.secondScore), 70.0);
    }
    // The pair chosen is on the shortlist, and the shortlist window shows it.
    ASSERT_EQ(window->shortlist().size(), 2u);
    EXPECT_EQ(window->shortlist()[0], shown.front().first);
    EXPECT_EQ(window->shortlist()[1], shown.front().second);
    ASSERT_NE(window->shortlistWindow(), nullptr);
    EXPECT_TRUE(window->shortlistWindow()->isVisible());
}

}  // namespace
}  // namespace norlune::ui::testing
