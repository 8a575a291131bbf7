#pragma once
// What the window tests share: a UserInteraction that answers without blocking and records what
// was asked, and a fixture that builds the main window on a fixed clock and a candidate folder of
// its own.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/user_interaction.h"

namespace norlune::ui::testing {

class FakeInteraction final : public UserInteraction {
public:
    void showMessage(QWidget* parent, const QString& text) override;
    // Recorded in `messages` like any message; answers optOutAnswer.
    bool showOptionalMessage(QWidget* parent, const QString& text) override;
    QString saveFileName(QWidget* parent, const QString& filter,
                         const QString& suggestedName) override;
    QString openFileName(QWidget* parent, const QString& filter) override;
    void runBirthTimeDialog(BirthTimeDialog& dialog) override;
    // Shows the dialog, runs dialogScript on it (none: the dialog is closed unchanged) and
    // records its object name in `dialogs`.
    void runDialog(QDialog& dialog) override;
    std::optional<int> askNumber(QWidget* parent, const QString& prompt, int value, int minimum,
                                 int maximum) override;
    std::optional<int> askChoice(QWidget* parent, const QString& prompt,
                                 const QStringList& choices) override;

    QStringList messages;
    QStringList optionalMessages;  // the messages that offered "以后不再提示"
    bool optOutAnswer = false;
    // Answers of askNumber and askChoice, front first; none left answers "cancelled". Every
    // question is recorded with what it offered.
    std::vector<std::optional<int>> numberAnswers;
    std::vector<std::optional<int>> choiceAnswers;
    QStringList questions;
    std::vector<std::pair<int, int>> numberRanges;
    std::vector<int> numberStarts;
    std::vector<QStringList> offeredChoices;
    QStringList saveAnswers;  // answered front first; an empty list answers "cancelled"
    QStringList openAnswers;
    QStringList filters;      // the filter of every file dialog shown
    QStringList suggestions;  // the file name every save dialog proposed
    int saveDialogs = 0;
    int openDialogs = 0;
    int birthDialogs = 0;
    // What the user does in the birth-time dialog; without a script the dialog is closed by its
    // window's close button, which changes nothing.
    std::function<void(BirthTimeDialog&)> birthDialogScript;
    std::function<void(QDialog&)> dialogScript;
    QStringList dialogs;
};

// The reference tables, filled once for all tests.
std::shared_ptr<const ReferenceTables> sharedTables();

// The local date and time the window's clock reports in these tests.
QDateTime fixedNow();

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A candidate file in the window's candidate folder: the header line, then the lines.
    void writeCandidates(const char* fileName, const std::vector<std::string>& lines,
                         const std::string& header = {});
    std::string folderPath(const char* fileName) const;

    template <class Widget>
    Widget* control(const char* name) const {
        auto* widget = window->findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QAction* action(const char* name) const;
    QStringList listEntries() const;

    FakeInteraction fake;
    QTemporaryDir folder;
    // The window's frame clock: every reading advances it by frameStep milliseconds. A whole frame
    // per reading (the default) shows every candidate; smaller steps let several candidates share
    // one frame. onFrameClock, when set, runs at every reading (once per candidate of a run).
    std::int64_t frameTime = 0;
    std::int64_t frameStep = kFrameMilliseconds;
    std::function<void()> onFrameClock;
    // The window's settings: a file of this test's own.
    std::unique_ptr<QSettings> settings;
    std::unique_ptr<MainWindow> window;

    // A new window on the same settings, as when the program is started again.
    void reopenWindow();
    MainWindowDeps deps();
};

// The report box's text without the summary block that opens it: the report as the engine wrote
// it (and its sound section). Fails the test when the block is missing.
QString reportBody(const QString& boxText);
// The summary block alone, without its closing empty line.
QStringList summaryOf(const QString& boxText);

// Types Chinese text as an input method delivers it: one committed character after another.
void typeText(QWidget* widget, const QString& text);

// A chosen date and time in the birth-time dialog, then "确定".
std::function<void(BirthTimeDialog&)> chooseBirthTime(QDate date, int hour, int minute);

}  // namespace norlune::ui::testing
