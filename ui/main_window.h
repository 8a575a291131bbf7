#pragma once
// The main window: the search settings, the run display and commands, the name list, the two
// report boxes and the menus. It owns the search state and the birth moment and calls the
// libraries; every modal interaction goes through the UserInteraction it is given. Its panels
// (settings, results, BaZi, report) only hold and lay out the controls.
#include <QDateTime>
#include <QLocale>
#include <QMainWindow>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "calendar/calendar_tables.h"
#include "engine/element_lists.h"
#include "engine/name_engine.h"
#include "names/name_meanings.h"
#include "search/name_search.h"
#include "search/shortlist_file.h"
#include "sound/sound_tables.h"
#include "ui/avoid_dialog.h"
#include "ui/birth_time_dialog.h"
#include "ui/favourable_dialog.h"
#include "ui/help_window.h"
#include "ui/interface_script.h"
#include "ui/shortlist_window.h"
#include "ui/twins_dialog.h"

class QAction;
class QMenu;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSettings;

namespace norlune::ui {

class BaziPanel;
class FitLabel;
class ReportView;
class ResultsPanel;
class SettingsPanel;
class UserInteraction;

// Every reference table of the program; read-only once filled.
struct ReferenceTables {
    CalendarTables calendar;
    ElementCharacterLists elements;
    NameTables names;
    SoundTables sound;
    NameMeanings meanings;
};

// Fills the tables: the name tables (with the traditional pairs, which every other table then
// uses), calendar tables, element lists, the sound data, then the meanings and sources of names.
std::shared_ptr<const ReferenceTables> fillReferenceTables();

struct MainWindowDeps {
    UserInteraction* interaction = nullptr;  // must outlive the window
    std::string candidateDirectory;          // where M.dat and F.dat lie
    BirthTimeDialog::Clock now;              // the local date and time
    QLocale locale;                          // the date formats of Text6
    // Shared tables; when empty the window fills its own at start-up.
    std::shared_ptr<const ReferenceTables> tables;
    // Milliseconds on a steady clock, read once per candidate to pace the run display; when empty
    // the window uses its own.
    std::function<std::int64_t()> frameClock;
    // Where the window keeps its size and place and the user's "以后不再提示"; nothing is kept
    // without one. Must outlive the window.
    QSettings* settings = nullptr;
    // The script of the window: the libraries' texts are shown converted to it (the window's own
    // strings come translated from the catalogue installed at start-up). 简体 by default.
    InterfaceText text;
};

// The run display is refreshed at most once per frame: about sixty times a second.
inline constexpr std::int64_t kFrameMilliseconds = 16;

// The client area of the layout, 11910 × 7515 twips: the smallest size the window opens at.
inline constexpr int kClientWidth = 794;
inline constexpr int kClientHeight = 501;

// Settings keys.
inline constexpr const char* kGeometryKey = "window/geometry";
inline constexpr const char* kHideCompletionKey = "messages/hideSearchComplete";

// A moment as the general date format writes it: date and time, the date alone at 00:00.
QString generalDateText(const QLocale& locale, const norlune::BirthMoment& moment);

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(MainWindowDeps deps, QWidget* parent = nullptr);
    ~MainWindow() override;

    const SearchState& state() const { return search_.state(); }
    int ListNum() const { return search_.ListNum(); }
    const BirthTimeStore& birthTime() const { return birthTime_; }
    bool running() const { return running_; }
    HelpWindow* helpWindow() const { return helpWindow_; }
    int varietyLimit() const { return search_.varietyLimit(); }
    const std::vector<ShortlistEntry>& shortlist() const { return shortlist_; }
    const AvoidChoice& avoidChoice() const { return avoid_; }
    const FavourableChoice& favourableChoice() const { return favourable_; }
    ShortlistWindow* shortlistWindow() const { return shortlistWindow_; }
    // Why the settings cannot start a run now; empty when they can.
    QString inputProblem() const { return inputProblem_; }

    // Shows the BaZi report of the confirmed birth moment for the selected sex.
    void BaZhiCal();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void connectHandlers();
    void load();

    void Text1_Change();
    void Text4_Change();
    void Text5_Change();
    void Option7_Click();
    void HScroll1_Change(int value);
    void HScroll1_Scroll(int value);
    void Check2_Click();
    void Command1_Click();
    void Command2_Click();
    void Command4_Click();
    void List1_Click();
    void outputnamefile_Click();
    void inputnamefile_Click();
    void help1_Click();
    void sortbyscore_Click();
    void varietylimit_Click();
    void outputtable_Click();
    // 选项 > 避讳用字…: the dialog, then the choice kept for the next run and the next opening.
    void avoidchars_Click();
    // 选项 > 喜用五行…: computed from the BaZi or chosen by hand, kept for the next opening.
    void favourable_Click();
    // 选项 > 双胞胎起名…: pairs of names for the surname typed, a pair onto the shortlist.
    void twins_Click();
    std::vector<TwinRow> twinRows(const std::string& surname, TwinSexes sexes, TwinShare share,
                                  QString& problem) const;
    // The family choices kept in the settings (characters to avoid, favourable elements by hand),
    // read at start-up.
    void loadFamilyChoices();
    // With favourable elements chosen by hand: they replace the computed ones, and the BaZi box
    // ends with a line that says so.
    void applyFavourableByHand();
    // Adds the name of a list entry to the shortlist and shows the shortlist window.
    void addToShortlist(const QListWidgetItem* item);
    void removeFromShortlist(const QList<int>& rows);
    void showShortlist();
    // Shows the report of a shortlisted name (a row of the shortlist window) in the main window.
    void showShortlistedName(int row);
    NameSheetRow shortlistRow(const ShortlistEntry& entry) const;
    void about1_Click();
    // 选项 > 界面文字: 简体 or 繁體, kept in the settings; the window shows it from its next start.
    void buildScriptMenu();
    void interfaceScript_Click(Script script);

    // The search loop: one candidate per pass, one pass of the event loop between two passes.
    void runSearch();
    // What the passes since the last frame left for the run display: the latest of each.
    struct PendingDisplay {
        std::optional<int> progress;
        std::optional<std::string> label1;
        std::optional<std::string> label5;
    };
    // Puts the pending values into Label1, Label5 and ProgressBar1 and clears them.
    void showPending(PendingDisplay& pending);
    void startSearch();
    // The end of a run: the list, the first name selected with its report, the messages.
    void finishSearch(const std::string& completion, std::int64_t milliseconds);
    void outputNamesFile();
    void inputNamesFile();
    // Checks the settings as typed; the start command follows the result, except while a run is
    // in progress, and the status line says what is wrong.
    void checkInput();
    void updateCommands();
    void showListNum(int listNum);
    void showVarietyLimit();
    // Fills List1 with the names of the last run: in slot order, or best first with their scores
    // when "按得分排序并显示分数" is on; with keepSelection the selected name stays selected.
    void showRunList(bool keepSelection);
    // Label1 and the report box for a full name; the report judged with the list's options.
    // Whether every character of the name has a stroke count; else says which have none in a
    // message box.
    bool countable(const std::string& surname, const std::string& given);
    void showNameReport(const std::string& surname, const std::string& given, bool female,
                        const std::string& shownName);
    // After a finished run: the birth time or the BaZi option changed what the list was judged by.
    void offerRerun();
    void message(const QString& text);
    // A message of the libraries, in the window's script; the `keep` texts (names, paths) as they
    // are.
    void message(std::string_view text, const std::vector<std::string>& keep = {});
    // Before a write replaces one of `paths` that is a read-only file, asks whether to replace it:
    // how the write treats read-only files, or nothing when the user declines.
    std::optional<ReadOnlyTarget> askBeforeReadOnly(const std::vector<std::string>& paths);

    MainWindowDeps deps_;
    std::shared_ptr<const ReferenceTables> tables_;
    NameEngine engine_;
    NameSearch search_;
    BirthTimeStore birthTime_;
    QString inputProblem_;
    bool surnameTooLong_ = false;
    bool running_ = false;
    bool closing_ = false;
    bool hadRun_ = false;  // a run has filled the list shown
    QPointer<HelpWindow> helpWindow_;
    // The names the last run kept, in slot order; runList_ tells whether List1 shows them (an
    // import replaces them).
    std::vector<KeptName> runNames_;
    bool runList_ = false;
    // Kept across runs and imports while the program runs; saved beside an exported list.
    std::vector<ShortlistEntry> shortlist_;
    QPointer<ShortlistWindow> shortlistWindow_;
    // The characters to avoid in a run's names (none by default).
    AvoidChoice avoid_;
    // The favourable elements, computed from the BaZi unless chosen by hand.
    FavourableChoice favourable_;

    SettingsPanel* settings_ = nullptr;
    ResultsPanel* results_ = nullptr;
    BaziPanel* bazi_ = nullptr;
    ReportView* report_ = nullptr;
    QLabel* inputStatus_ = nullptr;  // the status line's reason why the start is disabled
    QPushButton* rerun_ = nullptr;   // the status line's offer to run again

    // The controls, named as in the layout; they live in the panels.
    QLineEdit* Text1 = nullptr;
    QRadioButton* Option7 = nullptr;
    QRadioButton* Option8 = nullptr;
    QLineEdit* Text4 = nullptr;
    QLineEdit* Text5 = nullptr;
    QCheckBox* Check1 = nullptr;
    FitLabel* Label1 = nullptr;
    QLabel* Label5 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* Label6 = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QCheckBox* Check2 = nullptr;
    QPushButton* Command4 = nullptr;
    QLabel* Label8 = nullptr;
    QPlainTextEdit* Text3 = nullptr;
    QListWidget* List1 = nullptr;
    QAction* outputnamefile = nullptr;
    QAction* inputnamefile = nullptr;
    QAction* help1 = nullptr;
    QMenu* optionsMenu = nullptr;
    QAction* sortbyscore = nullptr;
    QAction* varietylimit = nullptr;
    QAction* outputtable = nullptr;
    QAction* addtoshortlist = nullptr;
    QAction* showshortlist = nullptr;  // 文件 > 备选名单…
    QAction* about1 = nullptr;
    QAction* cleansound = nullptr;     // 选项 > 避开不雅谐音
    QAction* standardchars = nullptr;  // 选项 > 只用通用规范字
    QAction* avoidchars = nullptr;     // 选项 > 避讳用字…
    QAction* favourable = nullptr;     // 选项 > 喜用五行…
    QAction* twins = nullptr;          // 选项 > 双胞胎起名…
    QAction* scriptHans = nullptr;     // 选项 > 界面文字 > 简体
    QAction* scriptHant = nullptr;     // 选项 > 界面文字 > 繁體
};

// The text of the 关于 box: the program's name and version.
QString aboutText();

// The filter of the name-list file dialogs.
QString nameListFileFilter();
// The filter of the table export's save dialog.
QString tableFileFilter();
// The file name the table export suggests: surname, "_", the date as yyyyMMdd, ".csv".
QString suggestedTableName(const std::string& surname, const QDate& date);
// The path with ".csv" added unless it already ends so (in any case).
QString withCsvSuffix(const QString& path);
// The text of the variety item of the 选项 menu for a limit (0: 不限).
QString varietyItemText(int limit);

// The mark a scored entry of the name list ends with when the given name comes from the classics
// ("王子衿=92.5※").
inline constexpr std::string_view kClassicalMark = "※";
// The list entry of a kept name: the full name, or with scores the name, its score and the mark
// of a name from the classics.
std::string runListEntry(const KeptName& name, std::string_view surname, bool scored,
                         const NameMeanings& meanings);
// A list entry as text without the classical mark: what the name files, the shortlist and the
// report read.
std::string entryWithoutMark(const QString& entry);

}  // namespace norlune::ui
