// The "选项" menu: scores in the list, best first, and the variety limit of a run.
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

#include "engine/utf8.h"
#include "search/name_search.h"
#include "sound/sound_analysis.h"
#include "tests/search/linear_table.h"
#include "ui_fixture.h"

namespace norlune::ui::testing {
namespace {

// Given names of which many share their stroke counts (so their scores tie) and their first or
// last character (so that the variety limit bites).
const std::vector<std::string> kCandidates = {
    "子涵", "浩然", "宇轩", "梓睿", "博文", "天佑", "俊杰", "思远", "志强", "建国", "皓轩",
    "雨泽", "鹏飞", "子轩", "子墨", "子豪", "浩宇", "浩轩", "宇航", "宇泽", "博涛", "天宇",
};

class OptionsTest : public WindowTest {
protected:
    QPushButton* start() const { return control<QPushButton>("Command1"); }

    // What a run keeps, judged as the window judges, in slot order (fewer than ListNum names).
    std::vector<KeptName> judged(const std::string& surname) const {
        const auto tables = sharedTables();
        const NameEngine engine(tables->names, tables->elements);
        std::vector<KeptName> kept;
        for (const std::string& name : kCandidates) {
            const Score score = engine.scoreName(surname, name, {false, false, {}, false});
            if (score.value() >= 70.0) {
                kept.push_back({surname + name, score, static_cast<int>(kept.size()) + 1});
            }
        }
        return kept;
    }

    // The list's entries: with scores, a name from the classics ends with the mark.
    static QStringList entries(const std::vector<KeptName>& names, bool scored,
                               const std::string& surname = "赵") {
        const auto tables = sharedTables();
        QStringList out;
        for (const KeptName& name : names) {
            std::string entry = scored ? scoredEntry(name) : name.fullName;
            if (scored &&
                tables->meanings.hasClassicalSource(name.fullName.substr(surname.size()))) {
                entry += "※";
            }
            out << qs(entry);
        }
        return out;
    }

    void clickEntry(int row) {
        auto* list = control<QListWidget>("List1");
        QListWidgetItem* item = list->item(row);
        ASSERT_NE(item, nullptr);
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(item).center());
    }
};

TEST_F(OptionsTest, OptionsMenuStandsBetweenFileAndHelp) {
    QStringList titles;
    for (QAction* menu : window->menuBar()->actions()) {
        titles << menu->text();
    }
    ASSERT_GE(titles.size(), 3);
    EXPECT_EQ(titles.mid(0, 2), (QStringList{qs("文件"), qs("选项")}));
    EXPECT_EQ(titles.last(), qs("帮助"));
    auto* options = window->findChild<QMenu*>(QStringLiteral("optionsmenu"));
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->actions().value(0), action("sortbyscore"));
    EXPECT_EQ(options->actions().value(1), action("varietylimit"));
    EXPECT_EQ(action("sortbyscore")->text(), qs("按得分排序并显示分数"));
    EXPECT_TRUE(action("sortbyscore")->isCheckable());
    EXPECT_FALSE(action("sortbyscore")->isChecked());
    EXPECT_EQ(action("varietylimit")->text(), qs("同一首字最多：不限"));
}

TEST_F(OptionsTest, ScoresBestFirstAndSwitchingResortsWithoutARun) {
    writeCandidates("M.dat", kCandidates);
    const std::vector<KeptName> slotOrder = judged("赵");
    std::vector<KeptName> best = slotOrder;
    std::stable_sort(best.begin(), best.end(),
                     [](const KeptName& a, const KeptName& b) { return a.score > b.score; });
    // Equal scores must occur, or the order of ties is not put to the test.
    ASSERT_NE(
        std::adjacent_find(best.begin(), best.end(),
                           [](const KeptName& a, const KeptName& b) { return a.score == b.score; }),
        best.end());
    ASSERT_NE(entries(best, false), entries(slotOrder, false));

    action("sortbyscore")->trigger();
    start()->click();
    EXPECT_EQ(listEntries(), entries(best, true));
    EXPECT_TRUE(listEntries().front().contains(QLatin1Char('=')));

    fake.messages.clear();
    action("sortbyscore")->trigger();  // off: the plain list of today, at once
    EXPECT_EQ(listEntries(), entries(slotOrder, false));
    action("sortbyscore")->trigger();  // on again
    EXPECT_EQ(listEntries(), entries(best, true));
    // No run took place: nothing was read and no completion message was shown.
    EXPECT_TRUE(fake.messages.isEmpty());
    EXPECT_EQ(window->state().TestNum, static_cast<long long>(kCandidates.size()));
}

TEST_F(OptionsTest, ResortingKeepsTheSelectedNameSelected) {
    writeCandidates("M.dat", kCandidates);
    start()->click();
    clickEntry(3);
    const QString chosen = listEntries().at(3);
    const QString report = control<QPlainTextEdit>("Text2")->toPlainText();
    action("sortbyscore")->trigger();
    auto* list = control<QListWidget>("List1");
    ASSERT_NE(list->currentItem(), nullptr);
    EXPECT_TRUE(list->currentItem()->text().startsWith(chosen + QLatin1Char('=')));
    EXPECT_EQ(control<QPlainTextEdit>("Text2")->toPlainText(), report);
}

TEST_F(OptionsTest, ScoredEntryJudgesTheNameBeforeTheEqualsSign) {
    writeCandidates("M.dat", kCandidates);
    control<QLineEdit>("Text1")->setText(qs("欧阳"));
    action("sortbyscore")->trigger();
    start()->click();
    ASSERT_GT(listEntries().size(), 2);
    const auto tables = sharedTables();
    const NameEngine engine(tables->names, tables->elements);
    for (int row : {0, 2}) {
        const std::string entry = utf8(listEntries().at(row));
        const std::size_t equals = entry.find('=');
        ASSERT_NE(equals, std::string::npos);
        const std::string given = entry.substr(std::string("欧阳").size(), equals - 6);
        clickEntry(row);
        EXPECT_EQ(control<QLabel>("Label1")->text(), qs(entry));
        // The numerology report, then the sound section and the meanings and sources.
        std::string report = engine.AnalyzeName("欧阳", given, {false, false, {}, true}).report;
        appendSoundSection(tables->sound, "欧阳", given, report);
        appendMeaningSection(tables->meanings, given, report);
        EXPECT_EQ(reportBody(control<QPlainTextEdit>("Text2")->toPlainText()), reportText(report))
            << entry;
        // The score shown after "=" is the one the report gives, then the mark of a name from
        // the classics.
        const std::string mark = tables->meanings.hasClassicalSource(given) ? "※" : "";
        EXPECT_EQ(entry.substr(equals + 1),
                  engine.scoreName("欧阳", given, {false, false, {}, false}).toString() + mark);
    }
}

TEST_F(OptionsTest, NamesFromTheClassicsAreMarkedOnlyWithScores) {
    writeCandidates("M.dat", kCandidates);
    const auto tables = sharedTables();
    const std::vector<KeptName> kept = judged("欧阳");
    // Both kinds of names must be kept, or the mark is not put to the test.
    const auto classical = [&](const KeptName& name) {
        return tables->meanings.hasClassicalSource(
            name.fullName.substr(std::string("欧阳").size()));
    };
    ASSERT_TRUE(std::any_of(kept.begin(), kept.end(), classical));
    ASSERT_FALSE(std::all_of(kept.begin(), kept.end(), classical));
    control<QLineEdit>("Text1")->setText(qs("欧阳"));
    start()->click();
    for (const QString& entry : listEntries()) {
        EXPECT_FALSE(entry.contains(qs("※"))) << entry.toStdString();
    }
    action("sortbyscore")->trigger();
    int marked = 0;
    for (int row = 0; row < listEntries().size(); ++row) {
        const QString entry = listEntries().at(row);
        const std::string name = utf8(entry.left(entry.indexOf(QLatin1Char('='))));
        const std::string given = name.substr(std::string("欧阳").size());
        EXPECT_EQ(entry.endsWith(qs("※")), tables->meanings.hasClassicalSource(given))
            << entry.toStdString();
        if (!entry.endsWith(qs("※"))) {
            continue;
        }
        ++marked;
        // A click on a marked entry judges the given name alone: the report ends with its source.
        clickEntry(row);
        const QString report = control<QPlainTextEdit>("Text2")->toPlainText();
        const std::vector<NameSource> sources = tables->meanings.sources(given);
        ASSERT_FALSE(sources.empty());
        EXPECT_TRUE(report.contains(qs("出处：" + std::string(sources.front().work)))) << name;
        EXPECT_EQ(control<QLabel>("Label1")->text(), entry);
    }
    EXPECT_GT(marked, 0);
}

TEST_F(OptionsTest, DirectNameShowsItsScoreToo) {
    action("sortbyscore")->trigger();
    control<QLineEdit>("Text4")->setText(qs("小"));
    control<QLineEdit>("Text5")->setText(qs("明"));
    control<QLineEdit>("Text1")->setText(qs("王"));
    start()->click();
    const auto tables = sharedTables();
    const NameEngine engine(tables->names, tables->elements);
    EXPECT_EQ(
        listEntries(),
        QStringList{qs("王小明=") +
                    qs(engine.scoreName("王", "小明", {false, false, {}, false}).toString())});
    action("sortbyscore")->trigger();
    EXPECT_EQ(listEntries(), QStringList{qs("王小明")});
}

TEST_F(OptionsTest, SwitchingAfterAnImportLeavesTheImportedList) {
    const QString path = folder.filePath(QStringLiteral("list.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\xcd\xf5\r\n\xcd\xf5\xd0\xa1\xc3\xf7\r\n");  // 王 / 王小明 in GBK
    file.close();
    fake.openAnswers << path;
    action("inputnamefile")->trigger();
    action("sortbyscore")->trigger();
    EXPECT_EQ(listEntries(), QStringList{qs("王小明")});
}

TEST_F(OptionsTest, OptionsAreDisabledDuringARun) {
    writeCandidates("M.dat", kCandidates);
    bool menuEnabled = true;
    bool sortEnabled = true;
    bool varietyEnabled = true;
    auto* options = window->findChild<QMenu*>(QStringLiteral("optionsmenu"));
    QTimer::singleShot(0, window.get(), [&] {
        menuEnabled = options->menuAction()->isEnabled();
        sortEnabled = action("sortbyscore")->isEnabled();
        varietyEnabled = action("varietylimit")->isEnabled();
        start()->click();  // ignored: a run is in progress
        control<QPushButton>("Command2")->click();
    });
    start()->click();
    EXPECT_FALSE(menuEnabled);
    EXPECT_FALSE(sortEnabled);
    EXPECT_FALSE(varietyEnabled);
    EXPECT_TRUE(options->menuAction()->isEnabled());
    EXPECT_TRUE(action("sortbyscore")->isEnabled());
    EXPECT_TRUE(action("varietylimit")->isEnabled());
}

TEST_F(OptionsTest, VarietyLimitAsksForZeroToTenAndHoldsInTheRun) {
    writeCandidates("M.dat", kCandidates);
    start()->click();
    const QStringList unlimited = listEntries();
    // The first or the last character of each given name (after a one-character surname).
    auto characters = [](const QStringList& list, bool last) {
        std::map<std::string, int> counts;
        for (const QString& entry : list) {
            const std::u32string text = utf8ToU32(utf8(entry));
            ++counts[u32ToUtf8(text.substr(last ? text.size() - 1 : 1, 1))];
        }
        return counts;
    };
    ASSERT_GT(characters(unlimited, false).at("子"), 2);
    ASSERT_GT(characters(unlimited, true).at("轩"), 2);

    fake.numberAnswers = {2};
    action("varietylimit")->trigger();
    ASSERT_EQ(fake.numberRanges.size(), 1u);
    EXPECT_EQ(fake.numberRanges[0], (std::pair<int, int>{0, 10}));
    EXPECT_EQ(fake.numberStarts[0], 0);  // no limit until one is chosen
    EXPECT_EQ(window->varietyLimit(), 2);
    // The menu item shows the value chosen.
    EXPECT_EQ(action("varietylimit")->text(), qs("同一首字最多：2个"));
    start()->click();
    const QStringList limited = listEntries();
    for (const bool last : {false, true}) {
        for (const auto& [character, count] : characters(limited, last)) {
            EXPECT_LE(count, 2) << character;
        }
    }
    // Exactly what the plain pass keeps with both counts.
    testing_support::LinearTable reference;
    reference.limit = 2;
    for (const KeptName& name : judged("赵")) {
        const std::u32string given = utf8ToU32(name.fullName).substr(1);
        reference.keep(name.fullName, name.score, 100, given.front(), given.back());
    }
    QStringList expected;
    for (const std::string& name : reference.listed(100)) {
        expected << qs(name);
    }
    EXPECT_EQ(limited, expected);
    // Fewer names compete for the same places: every name kept was kept without the limit too.
    for (const QString& entry : limited) {
        EXPECT_TRUE(unlimited.contains(entry)) << utf8(entry);
    }

    // A cancelled question leaves the limit; 0 lifts it.
    fake.numberAnswers = {std::nullopt, 0};
    action("varietylimit")->trigger();
    EXPECT_EQ(fake.numberStarts[1], 2);
    EXPECT_EQ(window->varietyLimit(), 2);
    // The menu item shows the value chosen.
    EXPECT_EQ(action("varietylimit")->text(), qs("同一首字最多：2个"));
    action("varietylimit")->trigger();
    EXPECT_EQ(window->varietyLimit(), 0);
    start()->click();
    EXPECT_EQ(listEntries(), unlimited);
}

// With the options off the window lists what the command line listed before they existed.
TEST_F(OptionsTest, OptionsOffListsWhatTheProgramListedBefore) {
    std::ifstream sample(std::string(NORLUNE_TEST_DATA_DIR) + "/small.dat", std::ios::binary);
    std::ostringstream bytes;
    bytes << sample.rdbuf();
    QFile file(folder.filePath(QStringLiteral("M.dat")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.str().data(), static_cast<qint64>(bytes.str().size()));
    file.close();
    std::ifstream expected(std::string(NORLUNE_TEST_DATA_DIR) + "/unchanged/small_wu.out");
    QStringList lines;
    for (std::string line; std::getline(expected, line);) {
        lines << qs(line);
    }
    ASSERT_EQ(lines.size(), 100);
    control<QLineEdit>("Text1")->setText(qs("吴"));
    start()->click();
    EXPECT_EQ(listEntries(), lines);
}

}  // namespace
}  // namespace norlune::ui::testing
