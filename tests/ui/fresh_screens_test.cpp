// What the window shows around a run: a clean screen when a run starts, the first name at its end,
// the completion message that can be switched off, the offer to run again after a BaZi change,
// and the results' own commands (shortlist button and menu, table export).
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "search/name_search.h"
#include "ui/report_summary.h"
#include "ui_fixture.h"

namespace norlune::ui::testing {
namespace {

const std::vector<std::string> kCandidates = {"子涵", "浩然", "宇轩", "梓睿", "博文", "天佑",
                                              "俊杰", "思远", "志强", "建国", "皓轩", "鹏飞"};

class FreshScreenTest : public WindowTest {
protected:
    QPushButton* start() const { return control<QPushButton>("Command1"); }
    QString label1() const { return control<QLabel>("Label1")->text(); }
    QString label5() const { return control<QLabel>("Label5")->text(); }
    QString text2() const { return control<QPlainTextEdit>("Text2")->toPlainText(); }
    QPushButton* rerun() const { return control<QPushButton>("rerunButton"); }
    QString statusText() const { return window->statusBar()->currentMessage(); }
};

TEST_F(FreshScreenTest, ANewRunClearsTheLastNameItsReportAndTheCount) {
    writeCandidates("M.dat", kCandidates);
    start()->click();
    ASSERT_FALSE(text2().isEmpty());
    // In the first pass of the next run nothing of the last one is left but the list.
    QString reportDuring = qs("not seen");
    QString labelDuring;
    int progressDuring = -1;
    QTimer::singleShot(0, window.get(), [&] {
        reportDuring = text2();
        labelDuring = label1();
        progressDuring = control<QProgressBar>("ProgressBar1")->value();
    });
    start()->click();
    EXPECT_TRUE(reportDuring.isEmpty());
    EXPECT_EQ(labelDuring, qs("赵子涵"));  // the candidate being judged
    EXPECT_EQ(progressDuring, 1000 / static_cast<int>(kCandidates.size()));
}

TEST_F(FreshScreenTest, ARunWithoutResultsLeavesNoNameOnTheScreen) {
    writeCandidates("M.dat", kCandidates);
    start()->click();
    ASSERT_FALSE(label1().isEmpty());
    // Every candidate has two characters: 单字 rejects them all.
    control<QRadioButton>("Option5")->click();
    start()->click();
    EXPECT_TRUE(listEntries().isEmpty());
    EXPECT_TRUE(label1().isEmpty());
    EXPECT_TRUE(text2().isEmpty());
}

TEST_F(FreshScreenTest, WithScoresTheRunEndsOnTheBestName) {
    writeCandidates("M.dat", kCandidates);
    action("sortbyscore")->trigger();
    start()->click();
    ASSERT_FALSE(listEntries().isEmpty());
    EXPECT_EQ(label1(), listEntries().front());
    EXPECT_TRUE(label1().contains(QLatin1Char('=')));
    // The summary's score is the entry's, without the mark of a name from the classics.
    QString score = label1().section(QLatin1Char('='), 1);
    score.remove(qs("※"));
    EXPECT_TRUE(summaryOf(text2()).value(1).endsWith(score));
}

TEST_F(FreshScreenTest, AnImportedListReplacesTheShownNameAndTheOffer) {
    writeCandidates("M.dat", kCandidates);
    start()->click();
    control<QCheckBox>("Check2")->click();  // asks for a birth time, which is closed unchosen
    ASSERT_TRUE(rerun()->isVisibleTo(window.get()));
    const QString path = folder.filePath(QStringLiteral("list.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\xE7\x8E\x8B\r\n\xE7\x8E\x8B\xE5\xB0\x8F\xE6\x98\x8E\r\n");  // 王, 王小明
    file.close();
    fake.openAnswers << path;
    action("inputnamefile")->trigger();
    EXPECT_EQ(listEntries(), QStringList{qs("王小明")});
    EXPECT_TRUE(label1().isEmpty());
    EXPECT_TRUE(text2().isEmpty());
    EXPECT_FALSE(rerun()->isVisibleTo(window.get()));
}

TEST_F(FreshScreenTest, ASingleNameCheckAfterARunResetsTheCount) {
    writeCandidates("M.dat", kCandidates);
    start()->click();
    ASSERT_EQ(label5(), qs("已测算:12个"));
    control<QLineEdit>("Text4")->setText(qs("小"));
    control<QLineEdit>("Text5")->setText(qs("明"));
    start()->click();
    EXPECT_EQ(label5(), qs("已测算0个姓名"));
    EXPECT_EQ(label1(), qs("赵小明"));
    EXPECT_EQ(control<QListWidget>("List1")->currentRow(), 0);
    EXPECT_EQ(control<QProgressBar>("ProgressBar1")->value(), 0);
}

TEST_F(FreshScreenTest, CompletionMessageCanBeSwitchedOffAndTheStatusLineSaysWhatWasFound) {
    writeCandidates("M.dat", kCandidates);
    fake.optOutAnswer = true;
    start()->click();
    EXPECT_EQ(fake.optionalMessages, QStringList{qs(kSearchCompleteMessage)});
    EXPECT_TRUE(settings->value(QString::fromLatin1(kHideCompletionKey)).toBool());
    const QString found = QString::number(listEntries().size());
    EXPECT_TRUE(statusText().startsWith(qs("测算完成：列出 ") + found +
                                        qs(" 个名字（共测算 12 个），用时 ")))
        << statusText().toStdString();
    EXPECT_TRUE(statusText().endsWith(qs(" 秒")));
    // The next run, and the next start of the program, show no box.
    start()->click();
    EXPECT_EQ(fake.messages.size(), 1);
    reopenWindow();
    start()->click();
    EXPECT_EQ(fake.messages.size(), 1);
    EXPECT_FALSE(statusText().isEmpty());
    // A completion message that reports skipped lines is always shown.
    std::vector<std::string> lines = kCandidates;
    lines.push_back("子涵\t");
    writeCandidates("M.dat", lines);
    start()->click();
    ASSERT_EQ(fake.messages.size(), 2);
    EXPECT_TRUE(fake.messages.back().startsWith(qs(kSearchCompleteMessage)));
    EXPECT_EQ(fake.optionalMessages.size(), 1);
}

TEST_F(FreshScreenTest, AStoppedRunSaysSoInTheStatusLine) {
    writeCandidates("M.dat", kCandidates);
    QTimer::singleShot(0, window.get(), [this] { control<QPushButton>("Command2")->click(); });
    start()->click();
    EXPECT_TRUE(statusText().startsWith(qs("测算已停止：列出 "))) << statusText().toStdString();
    EXPECT_TRUE(fake.messages.isEmpty());
}

TEST_F(FreshScreenTest, BaZiChangesAfterARunOfferToRunAgain) {
    writeCandidates("M.dat", kCandidates);
    fake.birthDialogScript = chooseBirthTime(QDate(1985, 2, 4), 9, 5);
    // Before any run nothing is offered.
    control<QCheckBox>("Check2")->click();
    EXPECT_FALSE(rerun()->isVisibleTo(window.get()));
    start()->click();
    const QStringList withBirth = listEntries();
    EXPECT_FALSE(rerun()->isVisibleTo(window.get()));

    // The option switched off: one click runs again with it.
    control<QCheckBox>("Check2")->click();
    ASSERT_TRUE(rerun()->isVisibleTo(window.get()));
    EXPECT_TRUE(rerun()->isEnabled());
    rerun()->click();
    EXPECT_FALSE(rerun()->isVisibleTo(window.get()));
    EXPECT_FALSE(window->state().bShenChen);
    EXPECT_EQ(fake.messages.size(), 3);  // 请指定出生时间！, then the completion of each run

    // Another birth time while the option is on: offered again.
    control<QCheckBox>("Check2")->click();
    start()->click();
    fake.birthDialogScript = chooseBirthTime(QDate(1990, 8, 20), 23, 30);
    control<QPushButton>("Command4")->click();
    ASSERT_NE(window->state().Gxiyong, window->state().sNeedWx);
    EXPECT_TRUE(rerun()->isVisibleTo(window.get()));
    rerun()->click();
    EXPECT_EQ(window->state().sNeedWx, window->state().Gxiyong);

    // A birth time confirmed while the option is off changes no score: nothing to offer.
    control<QCheckBox>("Check2")->click();
    start()->click();
    fake.birthDialogScript = chooseBirthTime(QDate(1970, 1, 5), 6, 0);
    control<QPushButton>("Command4")->click();
    EXPECT_FALSE(rerun()->isVisibleTo(window.get()));
    EXPECT_FALSE(withBirth.isEmpty());
}

TEST_F(FreshScreenTest, SummaryBlockOpensTheReport) {
    writeCandidates("M.dat", kCandidates);
    start()->click();
    const QStringList summary = summaryOf(text2());
    ASSERT_EQ(summary.size(), 3) << text2().toStdString();
    EXPECT_EQ(summary[0], qs("-----------------概要-----------------"));
    const std::string first = utf8(listEntries().front()).substr(std::string("赵").size());
    const auto tables = sharedTables();
    const NameEngine engine(tables->names, tables->elements);
    EXPECT_EQ(summary[1], qs("得分：" + engine.scoreName("赵", first, {}).toString()));
    EXPECT_EQ(summary[2], qs("音律：" + soundVerdict(analyzeSound(tables->sound, "赵", first))));

    // With the BaZi option the block says whether the name meets the favourable elements.
    fake.birthDialogScript = chooseBirthTime(QDate(1985, 2, 4), 9, 5);
    control<QCheckBox>("Check2")->click();
    start()->click();
    const QStringList withBirth = summaryOf(text2());
    ASSERT_EQ(withBirth.size(), 4) << text2().toStdString();
    EXPECT_TRUE(withBirth[2].startsWith(qs("八字：名字五行为"))) << withBirth[2].toStdString();
    EXPECT_TRUE(withBirth[2].contains(qs(window->state().sNeedWx)));
}

TEST(ReportSummaryTest, LinesForEveryCase) {
    ReportSummary s;
    s.score = Score::fromTwentieths(1853);
    s.sound = "声调尚可；无同声同韵相连；无不雅谐音";
    const std::string rule(17, '-');
    EXPECT_EQ(summaryLines(s),
              (std::vector<std::string>{rule + "概要" + rule, "得分：92.65", "音律：" + s.sound}));
    s.meetsFavourable = true;
    s.favourable = "金水";
    s.givenElements = "金水";
    s.source = "《诗经·小雅》";
    EXPECT_EQ(summaryLines(s),
              (std::vector<std::string>{rule + "概要" + rule, "得分：92.65",
                                        "八字：名字五行为金水，合喜用五行（金水）",
                                        "音律：" + s.sound, "出处：《诗经·小雅》"}));
    s.meetsFavourable = false;
    s.givenElements = "火-";
    EXPECT_EQ(summaryLines(s)[2], "八字：名字五行为火-，不合喜用五行（金水），已减30分");
    // Elements chosen by hand say so, met or not.
    s.favourableByHand = true;
    EXPECT_EQ(summaryLines(s)[2], "八字：名字五行为火-，不合喜用五行（金水，自行指定），已减30分");
    s.meetsFavourable = true;
    EXPECT_EQ(summaryLines(s)[2], "八字：名字五行为火-，合喜用五行（金水，自行指定）");
    s.favourableByHand = false;
    // The block ends with an empty line, so that the report follows it apart.
    EXPECT_TRUE(summaryText(s).ends_with("出处：《诗经·小雅》\r\n\r\n"));
}

TEST(ReportSummaryTest, SoundVerdictNamesEachFinding) {
    const SoundTables& sound = sharedTables()->sound;
    // 杜子腾 sounds like 肚子疼.
    EXPECT_TRUE(
        soundVerdict(analyzeSound(sound, "杜", "子腾")).ends_with("有不雅谐音（见音形分析）"));
    EXPECT_TRUE(soundVerdict(analyzeSound(sound, "王", "小明")).ends_with("；无不雅谐音"));
    // 李丽莉: the same initial and final three times.
    EXPECT_NE(soundVerdict(analyzeSound(sound, "李", "丽莉")).find("有同声或同韵相连"),
              std::string::npos);
    SoundAnalysis flat;
    flat.judgement = ToneJudgement::Flat;
    EXPECT_EQ(soundVerdict(flat), "各字同调，读来平板；无同声同韵相连；无不雅谐音");
}

class ResultsCommandsTest : public FreshScreenTest {};

TEST_F(ResultsCommandsTest, ShortlistButtonAndMenuEntry) {
    writeCandidates("M.dat", kCandidates);
    // The menu entry opens the (still empty) shortlist.
    EXPECT_EQ(action("showshortlist")->text(), qs("备选名单…"));
    action("showshortlist")->trigger();
    ASSERT_NE(window->shortlistWindow(), nullptr);
    EXPECT_TRUE(window->shortlistWindow()->isVisible());
    EXPECT_EQ(window->shortlistWindow()->table()->rowCount(), 0);
    window->shortlistWindow()->close();

    start()->click();
    auto* button = control<QPushButton>("addToShortlistButton");
    EXPECT_EQ(button->text(), qs("加入备选"));
    control<QListWidget>("List1")->setCurrentRow(2);
    button->click();
    ASSERT_EQ(window->shortlist().size(), 1u);
    EXPECT_EQ(qs(window->shortlist().front().fullName), listEntries().at(2));
    EXPECT_TRUE(window->shortlistWindow()->isVisible());
    window->shortlistWindow()->close();
    action("showshortlist")->trigger();
    EXPECT_TRUE(window->shortlistWindow()->isVisible());
    EXPECT_EQ(window->shortlistWindow()->table()->rowCount(), 1);
}

TEST_F(ResultsCommandsTest, DoubleClickOnAShortlistRowShowsItsReport) {
    writeCandidates("M.dat", kCandidates);
    start()->click();
    auto* list = control<QListWidget>("List1");
    for (const int row : {3, 1}) {
        list->setCurrentRow(row);
        control<QPushButton>("addToShortlistButton")->click();
    }
    // A new run with another surname: the shortlist keeps its names and their surname.
    control<QLineEdit>("Text1")->setText(qs("王"));
    start()->click();
    ShortlistWindow* shortlist = window->shortlistWindow();
    shortlist->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(shortlist));
    QTableWidget* table = shortlist->table();
    const QRect cell = table->visualRect(table->model()->index(1, 0));
    // A double-click as the mouse gives it: press and release, then the second press.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    // A single click shows nothing yet.
    EXPECT_NE(label1(), qs(window->shortlist().at(1).fullName));
    QTest::mousePress(table->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseRelease(table->viewport(), Qt::LeftButton, {}, cell.center());
    const std::string name = window->shortlist().at(1).fullName;
    EXPECT_EQ(label1(), qs(name));
    const auto tables = sharedTables();
    const NameEngine engine(tables->names, tables->elements);
    const std::string given = name.substr(std::string("赵").size());
    std::string report = engine.AnalyzeName("赵", given, {false, false, {}, true}).report;
    appendSoundSection(tables->sound, "赵", given, report);
    appendMeaningSection(tables->meanings, given, report);
    EXPECT_EQ(reportBody(text2()), reportText(report));
    // The list no longer marks another name.
    EXPECT_TRUE(list->selectedItems().isEmpty());
}

TEST_F(ResultsCommandsTest, TableExportSuggestsANameAddsTheSuffixAndConfirms) {
    writeCandidates("M.dat", kCandidates);
    start()->click();
    const QString typed = folder.filePath(QStringLiteral("名单"));
    fake.saveAnswers << typed;
    action("outputtable")->trigger();
    EXPECT_EQ(fake.suggestions, QStringList{qs("赵_20261207.csv")});
    EXPECT_FALSE(QFile::exists(typed));
    EXPECT_TRUE(QFile::exists(typed + QStringLiteral(".csv")));
    EXPECT_TRUE(statusText().contains(typed + QStringLiteral(".csv")))
        << statusText().toStdString();
    // A name that already ends so keeps it.
    const QString withSuffix = folder.filePath(QStringLiteral("表.CSV"));
    fake.saveAnswers << withSuffix;
    action("outputtable")->trigger();
    EXPECT_TRUE(QFile::exists(withSuffix));
    EXPECT_FALSE(QFile::exists(withSuffix + QStringLiteral(".csv")));
}

TEST(TableNameTest, SuggestionAndSuffix) {
    EXPECT_EQ(suggestedTableName("欧阳", QDate(2026, 1, 5)), qs("欧阳_20260105.csv"));
    EXPECT_EQ(suggestedTableName("", QDate(2026, 1, 5)), qs("名单_20260105.csv"));
    EXPECT_EQ(withCsvSuffix(QStringLiteral("/a/b")), QStringLiteral("/a/b.csv"));
    EXPECT_EQ(withCsvSuffix(QStringLiteral("/a/b.csv")), QStringLiteral("/a/b.csv"));
    EXPECT_EQ(withCsvSuffix(QStringLiteral("/a/b.Csv")), QStringLiteral("/a/b.Csv"));
    EXPECT_EQ(withCsvSuffix(QStringLiteral("/a/b.txt")), QStringLiteral("/a/b.txt.csv"));
    EXPECT_EQ(withCsvSuffix(QString()), QString());
    EXPECT_EQ(varietyItemText(0), qs("同一首字最多：不限"));
    EXPECT_EQ(varietyItemText(2), qs("同一首字最多：2个"));
}

}  // namespace
}  // namespace norlune::ui::testing
