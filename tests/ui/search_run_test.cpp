// The start and stop commands and the run as the window drives it: one candidate per pass, one
// pass of the event loop between passes.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

#include "search/name_search.h"
#include "sound/sound_analysis.h"
#include "ui_fixture.h"

namespace norlune::ui::testing {
namespace {

// Two-character and one-character given names; enough of both kinds score 70 or more with 赵 and
// enough stay below.
const std::vector<std::string> kCandidates = {
    "子涵", "浩然", "一", "宇轩", "明",   "梓睿", "博文", "天佑", "俊杰", "嘉懿",
    "文",   "思远", "乐", "志强", "建国", "晨",   "皓轩", "雨泽", "涛",   "鹏飞",
};

class SearchRunTest : public WindowTest {
protected:
    // The full names that score at least 70, in file order, judged as the run judges them.
    QStringList qualifying(const std::string& surname, const std::vector<std::string>& names,
                           bool female) const {
        const auto tables = sharedTables();
        const NameEngine engine(tables->names, tables->elements);
        QStringList kept;
        for (const std::string& name : names) {
            if (engine.scoreName(surname, name, {female, false, {}, false}).value() >= 70.0) {
                kept << qs(surname + name);
            }
        }
        return kept;
    }

    QPushButton* start() const { return control<QPushButton>("Command1"); }
    QPushButton* stop() const { return control<QPushButton>("Command2"); }
};

// Candidates with control characters are skipped: never in a label or the list, counted in the
// completion message.
TEST_F(SearchRunTest, ControlCharactersNeverReachTheWindow) {
    std::vector<std::string> lines = kCandidates;
    lines.insert(lines.begin() + 3, "\x1B[31m浩然");
    lines.push_back("子涵\t");
    writeCandidates("M.dat", lines);
    QStringList labels;
    auto* label1 = control<QLabel>("Label1");
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, label1,
                     [&labels, label1] { labels << label1->text(); });
    watcher.start(0);
    start()->click();
    EXPECT_EQ(listEntries(), qualifying("赵", kCandidates, false));
    EXPECT_EQ(fake.messages, QStringList{qs(std::string(kSearchCompleteMessage) +
                                            "（已跳过 2 行含控制字符或过长的候选名字）")});
    for (const QString& text : labels + listEntries()) {
        for (QChar c : text) {
            EXPECT_FALSE(c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0))
                << text.toStdString();
        }
    }
}

TEST_F(SearchRunTest, WholeRunFillsTheListInSlotOrder) {
    writeCandidates("M.dat", kCandidates);
    const QStringList expected = qualifying("赵", kCandidates, false);
    // The file must exercise both outcomes for this test to mean anything.
    ASSERT_GT(expected.size(), 0);
    ASSERT_LT(expected.size(), static_cast<qsizetype>(kCandidates.size()));

    std::vector<int> progress;
    auto* bar = control<QProgressBar>("ProgressBar1");
    QObject::connect(bar, &QProgressBar::valueChanged, bar,
                     [&progress](int value) { progress.push_back(value); });
    start()->click();

    EXPECT_EQ(listEntries(), expected);
    // Every line moves the bar by 50 per mille.
    std::vector<int> expectedProgress;
    for (int line = 1; line <= 20; ++line) {
        expectedProgress.push_back(line * 50);
    }
    EXPECT_EQ(progress, expectedProgress);
    EXPECT_EQ(fake.messages, QStringList{qs(kSearchCompleteMessage)});
    EXPECT_EQ(control<QProgressBar>("ProgressBar1")->value(), 1000);
    // 不限 without designated characters accepts every line: the count follows each one.
    EXPECT_EQ(control<QLabel>("Label5")->text(), qs("已测算:20个"));
    // The run ends on its first name, selected with its report as a click would show them.
    EXPECT_EQ(control<QLabel>("Label1")->text(), expected.front());
    EXPECT_EQ(control<QListWidget>("List1")->currentRow(), 0);
    EXPECT_TRUE(start()->isEnabled());
    EXPECT_FALSE(stop()->isEnabled());
    EXPECT_TRUE(control<QListWidget>("List1")->isEnabled());
    EXPECT_FALSE(window->running());
    EXPECT_EQ(window->state().Gxing, "赵");
    EXPECT_EQ(window->state().TestNum, 20);
    const auto tables = sharedTables();
    const NameEngine engine(tables->names, tables->elements);
    const std::string given = utf8(expected.front()).substr(std::string("赵").size());
    std::string report = engine.AnalyzeName("赵", given, {false, false, {}, true}).report;
    appendSoundSection(tables->sound, "赵", given, report);
    appendMeaningSection(tables->meanings, given, report);
    EXPECT_EQ(reportBody(control<QPlainTextEdit>("Text2")->toPlainText()), reportText(report));
}

TEST_F(SearchRunTest, GirlsNamesComeFromTheirOwnFileAndAreJudgedAsGirls) {
    writeCandidates("M.dat", {"浩然"});
    writeCandidates("F.dat", kCandidates);
    control<QRadioButton>("Option8")->click();
    start()->click();
    EXPECT_EQ(listEntries(), qualifying("赵", kCandidates, true));
    EXPECT_TRUE(window->state().bFamale);
    EXPECT_EQ(window->state().TestNum, 20);
}

TEST_F(SearchRunTest, LengthAndDesignatedCharacterFilterTheCandidates) {
    writeCandidates("M.dat", kCandidates);
    control<QRadioButton>("Option4")->click();  // 双字
    control<QLineEdit>("Text5")->setText(qs("轩"));
    start()->click();
    EXPECT_EQ(listEntries(), qualifying("赵", {"宇轩", "皓轩"}, false));
    EXPECT_EQ(window->state().KeywordOption, 3);
    EXPECT_EQ(window->state().MingZhishu, 2);
}

TEST_F(SearchRunTest, RejectedCandidatesRefreshTheCountOnlyEvery1234) {
    // One-character names under 双字: every line is rejected.
    writeCandidates("M.dat", std::vector<std::string>(1300, "明"));
    control<QRadioButton>("Option4")->click();
    start()->click();
    EXPECT_EQ(control<QLabel>("Label5")->text(), qs("已测算:1234个"));
    EXPECT_EQ(window->state().TestNum, 1300);
    EXPECT_TRUE(listEntries().isEmpty());
    EXPECT_EQ(fake.messages, QStringList{qs(kSearchCompleteMessage)});
}

TEST_F(SearchRunTest, ProgressStopsShortWhenTheHeaderPromisesMore) {
    writeCandidates("M.dat", kCandidates, "40");
    start()->click();
    EXPECT_EQ(control<QProgressBar>("ProgressBar1")->value(), 500);
    EXPECT_EQ(fake.messages, QStringList{qs(kSearchCompleteMessage)});
}

TEST_F(SearchRunTest, StopEndsTheRunAfterThePassWithoutMessage) {
    writeCandidates("M.dat", kCandidates);
    // Runs in the event pass that follows the first candidate.
    QTimer::singleShot(0, stop(), [this] { stop()->click(); });
    start()->click();
    EXPECT_TRUE(fake.messages.isEmpty());
    EXPECT_EQ(window->state().TestNum, 1);
    EXPECT_EQ(control<QLabel>("Label5")->text(), qs("已测算:1个"));
    EXPECT_EQ(listEntries(), qualifying("赵", {kCandidates.front()}, false));
    EXPECT_TRUE(start()->isEnabled());
    EXPECT_FALSE(stop()->isEnabled());
    EXPECT_TRUE(control<QListWidget>("List1")->isEnabled());
    EXPECT_FALSE(window->running());
}

TEST_F(SearchRunTest, DuringARunNeitherStartNorTheFileMenuCanBeUsed) {
    writeCandidates("M.dat", kCandidates);
    bool startEnabled = true;
    bool exportEnabled = true;
    bool importEnabled = true;
    bool listEnabled = true;
    bool stopEnabled = false;
    QTimer::singleShot(0, window.get(), [&] {
        stopEnabled = stop()->isEnabled();
        listEnabled = control<QListWidget>("List1")->isEnabled();
        // A surname edit that the rule accepts must not enable a second start.
        control<QLineEdit>("Text1")->setText(qs("李"));
        startEnabled = start()->isEnabled();
        exportEnabled = action("outputnamefile")->isEnabled();
        importEnabled = action("inputnamefile")->isEnabled();
        stop()->click();
    });
    start()->click();
    EXPECT_TRUE(stopEnabled);
    EXPECT_FALSE(listEnabled);
    EXPECT_FALSE(startEnabled);
    EXPECT_FALSE(exportEnabled);
    EXPECT_FALSE(importEnabled);
    // The run kept the surname it started with.
    EXPECT_EQ(window->state().Gxing, "赵");
    EXPECT_TRUE(start()->isEnabled());
    EXPECT_TRUE(action("outputnamefile")->isEnabled());
    EXPECT_TRUE(action("inputnamefile")->isEnabled());
}

TEST_F(SearchRunTest, ListSizeAndBaZiOptionChangeDuringARun) {
    writeCandidates("M.dat", kCandidates);
    QTimer::singleShot(0, window.get(), [&] {
        control<QScrollBar>("HScroll1")->setValue(5);
        fake.birthDialogScript = nullptr;
        control<QCheckBox>("Check2")->click();
    });
    start()->click();
    EXPECT_EQ(window->ListNum(), 500);
    EXPECT_TRUE(window->state().bShenChen);
    // Checking the option without a birth moment asked for one in the middle of the run.
    EXPECT_EQ(fake.birthDialogs, 1);
    EXPECT_EQ(fake.messages, (QStringList{qs("请指定出生时间！"), qs(kSearchCompleteMessage)}));
    EXPECT_EQ(window->state().TestNum, 20);
}

TEST_F(SearchRunTest, OldListStaysVisibleAndDisabledDuringTheNextRun) {
    writeCandidates("M.dat", kCandidates);
    start()->click();
    const QStringList first = listEntries();
    ASSERT_FALSE(first.isEmpty());
    control<QLineEdit>("Text1")->setText(qs("王"));
    QStringList during;
    QTimer::singleShot(0, window.get(), [&] { during = listEntries(); });
    start()->click();
    EXPECT_EQ(during, first);
    EXPECT_EQ(listEntries(), qualifying("王", kCandidates, false));
}

TEST_F(SearchRunTest, ClosingTheWindowDuringARunEndsItSilently) {
    writeCandidates("M.dat", kCandidates);
    window->show();
    QTimer::singleShot(0, window.get(), [this] { window->close(); });
    start()->click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->running());
    EXPECT_TRUE(fake.messages.isEmpty());
    EXPECT_EQ(window->state().TestNum, 1);
    // Nothing more happens: the list is not filled.
    EXPECT_TRUE(listEntries().isEmpty());
}

TEST_F(SearchRunTest, MissingCandidateFileEndsCleanlyWithMessage) {
    start()->click();
    ASSERT_EQ(fake.messages.size(), 1);
    EXPECT_TRUE(fake.messages.front().contains(QStringLiteral("M.dat")));
    EXPECT_TRUE(start()->isEnabled());
    EXPECT_FALSE(stop()->isEnabled());
    EXPECT_FALSE(window->running());
}

// The run display paced by frames: whatever the frame clock says, every pass runs the event loop,
// the widgets get the latest values when a frame is due, and the final values when the run ends.
struct PacedRun {
    std::int64_t frameStep;    // milliseconds the frame clock advances per reading
    std::vector<int> shownAt;  // the candidates after which a frame shows the display
};

void PrintTo(const PacedRun& run, std::ostream* os) {
    *os << "frame step " << run.frameStep << " ms";
}

std::vector<int> everyNth(int first, int stride, int last) {
    std::vector<int> shown;
    for (int i = first; i <= last; i += stride) {
        shown.push_back(i);
    }
    return shown;
}

class PacedRunTest : public SearchRunTest, public ::testing::WithParamInterface<PacedRun> {
protected:
    // 100 accepted candidates: the bar moves by 10 per mille and both labels change on each.
    static std::vector<std::string> hundredNames() {
        std::vector<std::string> names;
        for (int i = 0; i < 5; ++i) {
            names.insert(names.end(), kCandidates.begin(), kCandidates.end());
        }
        return names;
    }
};

TEST_P(PacedRunTest, FramesShowTheLatestValuesAndTheEndShowsTheFinalOnes) {
    const std::vector<std::string> names = hundredNames();
    writeCandidates("M.dat", names);
    frameStep = GetParam().frameStep;
    auto* bar = control<QProgressBar>("ProgressBar1");
    auto* label1 = control<QLabel>("Label1");
    auto* label5 = control<QLabel>("Label5");
    std::vector<int> progress;
    QObject::connect(bar, &QProgressBar::valueChanged, bar,
                     [&progress](int value) { progress.push_back(value); });
    // What the window shows at every reading of its clock, once per candidate.
    QStringList seen1{label1->text()};
    QStringList seen5{label5->text()};
    onFrameClock = [&] {
        if (seen1.back() != label1->text()) {
            seen1 << label1->text();
        }
        if (seen5.back() != label5->text()) {
            seen5 << label5->text();
        }
    };
    start()->click();
    onFrameClock();  // the final values

    std::vector<int> shown = GetParam().shownAt;
    if (shown.back() != 100) {
        shown.push_back(100);
    }
    std::vector<int> expectedProgress;
    QStringList expected1{QString()};
    QStringList expected5{qs("已测算0个姓名")};
    for (const int candidate : shown) {
        expectedProgress.push_back(candidate * 10);
        expected1 << qs("赵" + names[static_cast<std::size_t>(candidate - 1)]);
        expected5 << qs(NameSearch::countText(candidate));
    }
    // At the end the label leaves the last candidate checked for the first name kept, before a
    // reading of the clock could see the last candidate.
    expected1.removeLast();
    const QString firstKept = qualifying("赵", names, false).value(0);
    if (expected1.back() != firstKept) {
        expected1 << firstKept;
    }
    EXPECT_EQ(progress, expectedProgress);
    EXPECT_EQ(seen1, expected1);
    EXPECT_EQ(seen5, expected5);
    EXPECT_EQ(bar->value(), 1000);
    EXPECT_EQ(label5->text(), qs("已测算:100个"));
    EXPECT_EQ(listEntries(), qualifying("赵", names, false));
    EXPECT_EQ(fake.messages, QStringList{qs(kSearchCompleteMessage)});
}

TEST_P(PacedRunTest, StopAndCloseActWithinOneCandidateWhateverTheFrames) {
    for (const bool closeWindow : {false, true}) {
        SCOPED_TRACE(closeWindow ? "close" : "stop");
        const std::vector<std::string> names = hundredNames();
        writeCandidates("M.dat", names);
        fake.messages.clear();
        frameStep = GetParam().frameStep;
        window->show();
        int readings = 0;
        // The first reading starts the run; reading k comes in the pass of candidate k.
        onFrameClock = [&] {
            if (++readings == 11) {
                closeWindow ? static_cast<void>(window->close()) : stop()->click();
            }
        };
        start()->click();
        onFrameClock = nullptr;
        EXPECT_EQ(window->state().TestNum, 10);
        EXPECT_FALSE(window->running());
        EXPECT_TRUE(fake.messages.isEmpty());
        if (closeWindow) {
            EXPECT_FALSE(window->isVisible());
            continue;
        }
        // The stopped run shows where it stopped, even between two frames.
        EXPECT_EQ(control<QLabel>("Label5")->text(), qs("已测算:10个"));
        // It ends on the first name kept, not on the last candidate checked.
        const std::vector<std::string> checked(names.begin(), names.begin() + 10);
        EXPECT_EQ(control<QLabel>("Label1")->text(), qualifying("赵", checked, false).value(0));
        EXPECT_EQ(control<QProgressBar>("ProgressBar1")->value(), 100);
        const std::vector<std::string> firstTen(names.begin(), names.begin() + 10);
        EXPECT_EQ(listEntries(), qualifying("赵", firstTen, false));
    }
}

TEST_P(PacedRunTest, RejectedCandidatesKeepTheCountRuleWhateverTheFrames) {
    writeCandidates("M.dat", std::vector<std::string>(1300, "明"));
    frameStep = GetParam().frameStep;
    control<QRadioButton>("Option4")->click();  // 双字: every line is rejected
    start()->click();
    EXPECT_EQ(control<QLabel>("Label5")->text(), qs("已测算:1234个"));
    EXPECT_EQ(control<QProgressBar>("ProgressBar1")->value(), 1000);
    EXPECT_EQ(control<QLabel>("Label1")->text(), QString());
}

INSTANTIATE_TEST_SUITE_P(
    FrameSteps, PacedRunTest,
    ::testing::Values(PacedRun{kFrameMilliseconds, everyNth(1, 1, 100)},  // one frame per pass
                      PacedRun{5, everyNth(1, 4, 100)},                   // four passes per frame
                      PacedRun{1, everyNth(1, 16, 100)},  // sixteen passes per frame
                      PacedRun{0, {1}}),                  // the run ends within its first frame
    [](const ::testing::TestParamInfo<PacedRun>& param) {
        return "Step" + std::to_string(param.param.frameStep);
    });

struct DirectCase {
    const char* surname;
    const char* left;
    const char* right;
    bool either;
    bool single;  // 单字 selected
    const char* fullName;
    const char* given;
};

TEST_F(SearchRunTest, DesignatedCharactersThatFixTheNameShowItsReportDirectly) {
    const DirectCase cases[] = {
        {"王", "小", "明", false, false, "王小明", "小明"},
        {"王", "明", "", false, true, "王明", "明"},
        {"王", "", "明", false, true, "王明", "明"},
        {"王", "小", "明", true, true, "王小明", "小明"},
        {"欧阳", "明", "", true, true, "欧阳明", "明"},
    };
    const auto tables = sharedTables();
    const NameEngine engine(tables->names, tables->elements);
    for (const DirectCase& c : cases) {
        SCOPED_TRACE(c.fullName);
        fake.messages.clear();
        control<QLineEdit>("Text1")->setText(qs(c.surname));
        control<QLineEdit>("Text4")->setText(qs(c.left));
        control<QLineEdit>("Text5")->setText(qs(c.right));
        control<QCheckBox>("Check1")->setChecked(c.either);
        (c.single ? control<QRadioButton>("Option5") : control<QRadioButton>("Option6"))->click();
        // No candidate file exists: the direct case must not need one.
        start()->click();
        EXPECT_TRUE(fake.messages.isEmpty());
        EXPECT_EQ(listEntries(), QStringList{qs(c.fullName)});
        EXPECT_EQ(control<QLabel>("Label1")->text(), qs(c.fullName));
        std::string report =
            engine.AnalyzeName(c.surname, c.given, {false, false, {}, true}).report;
        appendSoundSection(tables->sound, c.surname, c.given, report);
        appendMeaningSection(tables->meanings, c.given, report);
        EXPECT_EQ(reportBody(control<QPlainTextEdit>("Text2")->toPlainText()), reportText(report));
        EXPECT_TRUE(window->state().bShowInfo);
        EXPECT_TRUE(start()->isEnabled());
        EXPECT_FALSE(stop()->isEnabled());
        EXPECT_EQ(control<QLabel>("Label5")->text(), qs("已测算0个姓名"));
    }
}

TEST_F(SearchRunTest, DirectReportOfTheSampleNameShowsItsGrids) {
    control<QLineEdit>("Text1")->setText(qs("王"));
    control<QLineEdit>("Text4")->setText(qs("小"));
    control<QLineEdit>("Text5")->setText(qs("明"));
    start()->click();
    const QString report = control<QPlainTextEdit>("Text2")->toPlainText();
    for (const char* line :
         {"天格:5(土)", "人格:7(金)", "地格:11(木)", "总格:15(土)", "外格:9(水)", "三才:土金木"}) {
        EXPECT_TRUE(report.split(QLatin1Char('\n')).contains(qs(line))) << line;
    }
    EXPECT_FALSE(report.contains(QLatin1Char('\r')));
}

// A name from the classics shows its verse at the end of the report; a name nothing is known of
// says so in one line.
TEST_F(SearchRunTest, DirectReportEndsWithMeaningsAndSources) {
    const struct {
        const char* surname;
        const char* left;
        const char* right;
        const char* ending;
    } cases[] = {
        {"王", "子", "衿", "\n出处：《诗经·郑风·子衿》青青子衿，悠悠我心"},
        {"欧阳", "知", "新", "\n出处：《中庸》温故而知新，敦厚以崇礼"},
        {"王", "乏", "", "-----------------字义出处-----------------\n此名暂无字义与出处可查"},
    };
    for (const auto& c : cases) {
        control<QLineEdit>("Text1")->setText(qs(c.surname));
        control<QLineEdit>("Text4")->setText(qs(c.left));
        control<QLineEdit>("Text5")->setText(qs(c.right));
        control<QRadioButton>(*c.right == '\0' ? "Option5" : "Option6")->click();
        start()->click();
        const QString report = control<QPlainTextEdit>("Text2")->toPlainText();
        EXPECT_TRUE(report.endsWith(qs(c.ending) + QLatin1Char('\n'))) << utf8(report);
        EXPECT_EQ(report.count(qs("-----------------字义出处-----------------")), 1);
        EXPECT_LT(report.indexOf(qs("音形分析")), report.indexOf(qs("字义出处")));
    }
}

// The two sound options of the 选项 menu start off and, once checked, leave names out of the run.
TEST_F(SearchRunTest, SoundOptionsOfTheOptionsMenu) {
    QAction* clean = action("cleansound");
    QAction* standard = action("standardchars");
    ASSERT_TRUE(clean->isCheckable());
    ASSERT_TRUE(standard->isCheckable());
    EXPECT_FALSE(clean->isChecked());
    EXPECT_FALSE(standard->isChecked());
    // 子腾 with 杜 is 肚子疼, 磺 is outside the general standard table; the rest is plain.
    const std::vector<std::string> names = {"子腾", "小明", "磺明", "子涵", "浩然", "宇轩"};
    writeCandidates("M.dat", names);
    control<QLineEdit>("Text1")->setText(qs("杜"));
    const struct {
        bool clean;
        bool standard;
        std::vector<std::string> dropped;
    } cases[] = {
        {false, false, {}},
        {true, false, {"子腾"}},
        {false, true, {"磺明"}},
        {true, true, {"子腾", "磺明"}},
    };
    for (const auto& c : cases) {
        clean->setChecked(c.clean);
        standard->setChecked(c.standard);
        std::vector<std::string> kept;
        for (const std::string& name : names) {
            if (std::find(c.dropped.begin(), c.dropped.end(), name) == c.dropped.end()) {
                kept.push_back(name);
            }
        }
        fake.messages.clear();
        start()->click();
        EXPECT_EQ(listEntries(), qualifying("杜", kept, false)) << c.clean << c.standard;
    }
    // 杜子腾 itself qualifies, so the first case really lists it.
    EXPECT_TRUE(qualifying("杜", {"子腾"}, false).contains(qs("杜子腾")));
}

}  // namespace
}  // namespace norlune::ui::testing
