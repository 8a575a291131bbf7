// The shortlist "备选名单" and the table export "导出表格…".
#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <algorithm>

#include "engine/utf8.h"
#include "search/name_list_file.h"
#include "search/name_sheet.h"
#include "ui/help_window.h"
#include "ui_fixture.h"

namespace norlune::ui::testing {
namespace {

const std::vector<std::string> kCandidates = {"子涵", "浩然", "宇轩", "梓睿", "博文", "天佑",
                                              "俊杰", "思远", "志强", "建国", "皓轩", "鹏飞"};

class ShortlistTest : public WindowTest {
protected:
    void runSearch(const char* surname) {
        writeCandidates("M.dat", kCandidates);
        control<QLineEdit>("Text1")->setText(qs(surname));
        control<QPushButton>("Command1")->click();
        ASSERT_GE(listEntries().size(), 4);
        fake.messages.clear();  // the completion message
    }

    // A right-click on an entry of the list, as the mouse gives it.
    void rightClick(int row) {
        auto* list = control<QListWidget>("List1");
        const QPoint pos = list->visualItemRect(list->item(row)).center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, list->viewport()->mapToGlobal(pos));
        QApplication::sendEvent(list->viewport(), &event);
    }

    std::vector<std::string> shortlisted() const {
        std::vector<std::string> names;
        for (const ShortlistEntry& entry : window->shortlist()) {
            names.push_back(entry.fullName);
        }
        return names;
    }

    QStringList tableColumn(int column) const {
        QStringList cells;
        QTableWidget* table = window->shortlistWindow()->table();
        for (int r = 0; r < table->rowCount(); ++r) {
            cells << table->item(r, column)->text();
        }
        return cells;
    }

    static QByteArray readAll(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << utf8(path);
        return file.readAll();
    }

    // The CSV rows of a file written by the table export (no field here needs quotes).
    static std::vector<std::vector<std::string>> csvRows(const QByteArray& bytes) {
        std::vector<std::vector<std::string>> rows;
        const std::string text = bytes.toStdString();
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t end = text.find("\r\n", start);
            EXPECT_NE(end, std::string::npos);
            std::vector<std::string> fields;
            std::string line = text.substr(start, end - start);
            std::size_t from = 0;
            for (std::size_t comma; (comma = line.find(',', from)) != std::string::npos;) {
                fields.push_back(line.substr(from, comma - from));
                from = comma + 1;
            }
            fields.push_back(line.substr(from));
            rows.push_back(fields);
            start = end + 2;
        }
        return rows;
    }
};

TEST_F(ShortlistTest, RightClickAndInsertAddOnceAndShowTheWindow) {
    runSearch("赵");
    const QStringList entries = listEntries();
    EXPECT_EQ(window->shortlistWindow(), nullptr);
    rightClick(1);
    ASSERT_NE(window->shortlistWindow(), nullptr);
    EXPECT_TRUE(window->shortlistWindow()->isVisible());
    EXPECT_EQ(window->shortlistWindow()->windowTitle(), qs("备选名单"));
    EXPECT_EQ(shortlisted(), std::vector<std::string>{utf8(entries[1])});

    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto* list = control<QListWidget>("List1");
    list->setFocus();
    list->setCurrentRow(3);
    QTest::keyClick(list, Qt::Key_Insert);
    rightClick(1);  // already there: not added twice
    EXPECT_EQ(shortlisted(), (std::vector<std::string>{utf8(entries[1]), utf8(entries[3])}));

    // Side by side: name, score, five grids with grades, three-talent key.
    const auto tables = sharedTables();
    const NameEngine engine(tables->names, tables->elements);
    const std::string given = utf8(entries[3]).substr(std::string("赵").size());
    const NameSheetRow row = judgeNameRow(engine, "赵", given, {});
    EXPECT_EQ(tableColumn(0), (QStringList{entries[1], entries[3]}));
    EXPECT_EQ(tableColumn(1)[1], qs(row.score.toString()));
    EXPECT_EQ(tableColumn(2)[1], qs(gridWithGrade(row.grids[0], row.grades[0])));
    EXPECT_EQ(tableColumn(6)[1], qs(gridWithGrade(row.grids[4], row.grades[4])));
    EXPECT_EQ(tableColumn(7)[1], qs(row.threeTalentKey + "(" + row.threeTalentGrade + ")"));
    window->close();
    EXPECT_FALSE(window->shortlistWindow()->isVisible());
}

TEST_F(ShortlistTest, ScoredEntryAddsThePlainName) {
    action("sortbyscore")->trigger();
    runSearch("欧阳");
    ASSERT_TRUE(listEntries().front().contains(QLatin1Char('=')));
    rightClick(0);
    const std::string entry = utf8(listEntries().front());
    EXPECT_EQ(shortlisted(), std::vector<std::string>{entry.substr(0, entry.find('='))});
    EXPECT_EQ(window->shortlist().front().surname, "欧阳");
}

TEST_F(ShortlistTest, MarkedEntriesGoToTheShortlistAndTheListFileWithoutTheMark) {
    action("sortbyscore")->trigger();
    runSearch("赵");
    QStringList plain;
    int marked = -1;
    for (int row = 0; row < listEntries().size(); ++row) {
        const QString entry = listEntries().at(row);
        if (entry.endsWith(qs("※")) && marked < 0) {
            marked = row;
        }
        plain << entry.chopped(entry.endsWith(qs("※")) ? 1 : 0);
    }
    ASSERT_GE(marked, 0) << "no name from the classics among the candidates";
    rightClick(marked);
    const QString entry = plain.at(marked);
    EXPECT_EQ(shortlisted(),
              std::vector<std::string>{utf8(entry.left(entry.indexOf(QLatin1Char('='))))});
    const QString path = folder.filePath(QStringLiteral("名单.txt"));
    fake.saveAnswers << path;
    action("outputnamefile")->trigger();
    const NameListImport list = importNameList(utf8(path));
    ASSERT_TRUE(list.list.has_value());
    std::vector<std::string> expected;
    for (const QString& e : plain) {
        expected.push_back(utf8(e));
    }
    EXPECT_EQ(list.list->entries, expected);
}

TEST_F(ShortlistTest, SourceAndMeaningColumnsFollowTheThreeTalents) {
    runSearch("赵");
    const auto tables = sharedTables();
    // Every name of the list onto the shortlist: classical names and plain ones alike.
    for (int row = 0; row < listEntries().size(); ++row) {
        rightClick(row);
    }
    QTableWidget* table = window->shortlistWindow()->table();
    ASSERT_EQ(table->columnCount(), 10);
    EXPECT_EQ(table->horizontalHeaderItem(8)->text(), qs("出处"));
    EXPECT_EQ(table->horizontalHeaderItem(9)->text(), qs("字义"));
    int withSource = 0;
    int withoutSource = 0;
    for (int r = 0; r < table->rowCount(); ++r) {
        const std::string given = utf8(tableColumn(0)[r]).substr(std::string("赵").size());
        const MeaningCells cells = meaningCells(tables->meanings, given);
        EXPECT_EQ(tableColumn(8)[r], qs(cells.sources)) << given;
        EXPECT_EQ(tableColumn(9)[r], qs(cells.meanings)) << given;
        EXPECT_FALSE(cells.meanings.empty()) << given;
        (cells.sources.empty() ? withoutSource : withSource) += 1;
        if (!cells.sources.empty()) {
            // The clause is quoted whole; the cell's tooltip holds it for a narrow column.
            EXPECT_EQ(table->item(r, 8)->toolTip(), qs(cells.sources));
            EXPECT_TRUE(tableColumn(8)[r].startsWith(qs("《"))) << given;
        }
    }
    EXPECT_GT(withSource, 0);
    EXPECT_GT(withoutSource, 0);
    // Removing a row takes its meanings along: the rows stay paired.
    table->selectRow(0);
    window->shortlistWindow()->removeButton()->click();
    const std::string first = utf8(tableColumn(0)[0]).substr(std::string("赵").size());
    EXPECT_EQ(tableColumn(9)[0], qs(meaningCells(tables->meanings, first).meanings));
}

TEST_F(ShortlistTest, RemoveTakesOutTheSelectedRows) {
    runSearch("赵");
    for (int row : {0, 1, 2, 3}) {
        rightClick(row);
    }
    const std::vector<std::string> all = shortlisted();
    QTableWidget* table = window->shortlistWindow()->table();
    table->selectRow(1);
    table->selectionModel()->select(table->model()->index(3, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    window->shortlistWindow()->removeButton()->click();
    EXPECT_EQ(shortlisted(), (std::vector<std::string>{all[0], all[2]}));
    EXPECT_EQ(table->rowCount(), 2);
    EXPECT_EQ(tableColumn(0), (QStringList{qs(all[0]), qs(all[2])}));
    // Nothing selected: nothing removed.
    table->clearSelection();
    window->shortlistWindow()->removeButton()->click();
    EXPECT_EQ(shortlisted().size(), 2u);
}

TEST_F(ShortlistTest, SurvivesANewRunWithAnotherSurname) {
    runSearch("赵");
    rightClick(0);
    const std::vector<ShortlistEntry> before = window->shortlist();
    runSearch("欧阳");
    EXPECT_EQ(window->shortlist(), before);
    EXPECT_EQ(tableColumn(0), QStringList{qs(before.front().fullName)});
    rightClick(0);
    ASSERT_EQ(window->shortlist().size(), 2u);
    EXPECT_EQ(window->shortlist()[1].surname, "欧阳");
}

TEST_F(ShortlistTest, SavedWithTheListAndImportedBack) {
    runSearch("赵");
    rightClick(2);
    rightClick(0);
    const std::vector<ShortlistEntry> saved = window->shortlist();
    const QString path = folder.filePath(QStringLiteral("名单.txt"));
    fake.saveAnswers << path;
    action("outputnamefile")->trigger();
    EXPECT_TRUE(fake.messages.isEmpty()) << utf8(fake.messages.join(QLatin1Char('|')));
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("名单.备选名单.txt"))));
    // The list file itself has the form it always had.
    const NameListImport list = importNameList(utf8(path));
    ASSERT_TRUE(list.list.has_value());
    EXPECT_EQ(list.list->entries.size(), static_cast<std::size_t>(listEntries().size()));

    window->shortlistWindow()->table()->selectAll();
    window->shortlistWindow()->removeButton()->click();
    ASSERT_TRUE(window->shortlist().empty());
    fake.openAnswers << path;
    action("inputnamefile")->trigger();
    EXPECT_EQ(window->shortlist(), saved);
    EXPECT_TRUE(window->shortlistWindow()->isVisible());
    // Importing again adds nothing twice.
    fake.openAnswers << path;
    action("inputnamefile")->trigger();
    EXPECT_EQ(window->shortlist(), saved);
}

TEST_F(ShortlistTest, ListFileOfTheEarlierProgramStillImports) {
    runSearch("赵");
    rightClick(0);
    const std::vector<ShortlistEntry> before = window->shortlist();
    fake.openAnswers << QString::fromUtf8(NORLUNE_TEST_DATA_DIR "/list_before_shortlist.txt");
    action("inputnamefile")->trigger();
    EXPECT_TRUE(fake.messages.filter(qs("备选")).isEmpty());
    EXPECT_EQ(listEntries(), (QStringList{qs("欧阳子文"), qs("欧阳明"), qs("欧阳志远")}));
    EXPECT_EQ(window->state().Gxing, "欧阳");
    EXPECT_EQ(window->shortlist(), before);
}

TEST_F(ShortlistTest, TableOfTheCurrentListWithoutAQuestion) {
    runSearch("赵");
    const QString path = folder.filePath(QStringLiteral("表.csv"));
    fake.saveAnswers << path;
    action("outputtable")->trigger();
    EXPECT_TRUE(fake.questions.isEmpty());  // no shortlist: nothing to choose
    EXPECT_EQ(fake.filters.last(), QStringLiteral("*.csv (*.csv)"));
    const QByteArray bytes = readAll(path);
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const auto rows = csvRows(bytes.mid(3));
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(listEntries().size()) + 1);
    EXPECT_EQ(rows[0].front(), "姓名");
    // No birth moment: no favourable column; the sources and meanings close the line.
    EXPECT_EQ(rows[0][rows[0].size() - 3], "名字五行");
    EXPECT_EQ(rows[0][rows[0].size() - 2], "出处");
    EXPECT_EQ(rows[0].back(), "字义");
    const auto tables = sharedTables();
    const NameEngine engine(tables->names, tables->elements);
    for (std::size_t i = 1; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i][0], utf8(listEntries()[static_cast<int>(i) - 1]));
        const std::string given = rows[i][0].substr(std::string("赵").size());
        EXPECT_EQ(rows[i][2], engine.scoreName("赵", given, {}).toString());
        EXPECT_EQ(rows[i].size(), rows[0].size());
        const MeaningCells cells = meaningCells(tables->meanings, given);
        EXPECT_EQ(rows[i][rows[i].size() - 2], cells.sources);
        EXPECT_EQ(rows[i].back(), cells.meanings);
        EXPECT_FALSE(cells.meanings.empty()) << given;
    }
}

TEST_F(ShortlistTest, TableOfTheShortlistWithTheFavourableColumn) {
    fake.birthDialogScript = chooseBirthTime(QDate(1985, 2, 4), 9, 5);
    control<QPushButton>("Command4")->click();
    ASSERT_FALSE(window->state().Gxiyong.empty());
    runSearch("赵");
    rightClick(3);
    rightClick(1);
    const QString path = folder.filePath(QStringLiteral("备选.csv"));

    fake.choiceAnswers = {std::nullopt};  // the question cancelled: nothing happens
    action("outputtable")->trigger();
    EXPECT_EQ(fake.saveDialogs, 0);

    fake.choiceAnswers = {1};
    fake.saveAnswers << path;
    action("outputtable")->trigger();
    ASSERT_EQ(fake.offeredChoices.size(), 2u);
    EXPECT_EQ(fake.offeredChoices[1], (QStringList{qs("当前姓名列表"), qs("备选名单")}));
    const auto rows = csvRows(readAll(path).mid(3));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][rows[0].size() - 3], "符合喜用五行");
    EXPECT_EQ(rows[1][0], shortlisted()[0]);
    EXPECT_EQ(rows[2][0], shortlisted()[1]);
    const auto tables = sharedTables();
    const NameEngine engine(tables->names, tables->elements);
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const std::string given = rows[i][0].substr(std::string("赵").size());
        const NameSheetRow row =
            judgeNameRow(engine, "赵", given, {false, false, window->state().Gxiyong, false});
        ASSERT_TRUE(row.meetsFavourable.has_value());
        EXPECT_EQ(rows[i][rows[i].size() - 3], *row.meetsFavourable ? "是" : "否");
    }

    // Choosing the current list writes every entry of it.
    fake.choiceAnswers = {0};
    fake.saveAnswers << path;
    action("outputtable")->trigger();
    EXPECT_EQ(csvRows(readAll(path).mid(3)).size(),
              static_cast<std::size_t>(listEntries().size()) + 1);
}

TEST_F(ShortlistTest, EmptyListWritesNoTable) {
    const QString path = folder.filePath(QStringLiteral("empty.csv"));
    fake.saveAnswers << path;
    action("outputtable")->trigger();
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(action("outputtable")->text(), qs("导出表格…"));
}

TEST(ShortlistHelpTest, HelpSaysHowToUseTheNewItems) {
    const QString help = helpHtml();
    for (const char* text :
         {"Insert", "备选名单", "按得分排序并显示分数", "同一首字最多", "导出表格", "--variety"}) {
        EXPECT_TRUE(help.contains(qs(text))) << text;
    }
}

}  // namespace
}  // namespace norlune::ui::testing
