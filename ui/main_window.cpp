#include "ui/main_window.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <utility>

#ifdef Q_OS_WIN
#include <windows.h>

#include <QProcess>
#endif

#include "build_info.h"
#include "calendar/bazi_report.h"
#include "embedded/norlune_icon_png.h"
#include "engine/name_report.h"
#include "search/name_sheet.h"
#include "sound/sound_analysis.h"
#include "ui/fit_label.h"
#include "ui/fonts.h"
#include "ui/input_check.h"
#include "ui/qt_text.h"
#include "ui/report_summary.h"
#include "ui/result_panels.h"
#include "ui/settings_panel.h"
#include "ui/user_interaction.h"

namespace norlune::ui {
namespace {

QString listNumText(int listNum) {
    return WindowText::tr("列出") + QString::number(listNum) + WindowText::tr("个优选名字");
}

QDate qdate(const std::chrono::year_month_day& ymd) {
    return QDate(static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
                 static_cast<int>(static_cast<unsigned>(ymd.day())));
}

}  // namespace

std::shared_ptr<const ReferenceTables> fillReferenceTables() {
    // The traditional pairs are read once, with the name tables, and serve every other table.
    NameTables names = FillNameTables();
    CalendarTables calendar = FillCalendarTables();
    ElementCharacterLists elements = FillElementLists(names.traditional);
    SoundTables sound = SoundTables::builtIn(names.traditional);
    NameMeanings meanings = NameMeanings::builtIn(names.traditional);
    return std::make_shared<ReferenceTables>(
        ReferenceTables{std::move(calendar), std::move(elements), std::move(names),
                        std::move(sound), std::move(meanings)});
}

QString aboutText() {
    return WindowText::tr("诺伦取名（Norlune）\n版本 ") + QString::fromLatin1(build::kVersion) +
           WindowText::tr("\n按五格数理评判姓名，并排八字。");
}

QString varietyItemText(int limit) {
    return WindowText::tr("同一首字最多：") +
           (limit == 0 ? WindowText::tr("不限") : QString::number(limit) + WindowText::tr("个"));
}

QString generalDateText(const QLocale& locale, const norlune::BirthMoment& moment) {
    const QString date = locale.toString(qdate(moment.date()), QLocale::ShortFormat);
    if (moment.hour() == 0 && moment.minute() == 0) {
        return date;
    }
    // Taiwan's short format names the half of the day with CLDR's "B", which Qt does not read
    // (it would print the letter): "AP" writes the same 上午 and 下午.
    QString format = locale.timeFormat(QLocale::ShortFormat);
    format.replace(QLatin1Char('B'), QStringLiteral("AP"));
    return date + QLatin1Char(' ') + locale.toString(QTime(moment.hour(), moment.minute()), format);
}

MainWindow::MainWindow(MainWindowDeps deps, QWidget* parent)
    : QMainWindow(parent),
      deps_(std::move(deps)),
      // The load step: every reference table is filled before anything else happens.
      tables_(deps_.tables ? deps_.tables : fillReferenceTables()),
      engine_(tables_->names, tables_->elements),
      search_(engine_, &tables_->sound) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("Norlune"));
    QPixmap icon;
    icon.loadFromData(reinterpret_cast<const uchar*>(embedded::kNorluneIconPng.data()),
                      static_cast<uint>(embedded::kNorluneIconPng.size()), "PNG");
    setWindowIcon(QIcon(icon));
    // 宋体 names the window's own font as well as the list's and the name label's.
    setFont(songtiFont(9));
    buildControls();
    buildMenus();
    connectHandlers();
    load();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    // Created in tab order: the name list first.
    results_ = new ResultsPanel(client);
    settings_ = new SettingsPanel(client);
    bazi_ = new BaziPanel(client);
    report_ = new ReportView(client);
    // The arrangement of the layout: settings and run display above the name list, the birth
    // time and BaZi box above the report. Extra room goes mostly to the list and the report.
    auto* grid = new QGridLayout(client);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setHorizontalSpacing(7);
    grid->setVerticalSpacing(7);
    grid->addWidget(settings_, 0, 0);
    grid->addWidget(bazi_, 0, 1);
    grid->addWidget(results_, 1, 0);
    grid->addWidget(report_, 1, 1);
    grid->setRowStretch(0, 1);
    grid->setRowStretch(1, 2);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 3);

    Text1 = settings_->Text1;
    Option7 = settings_->Option7;
    Option8 = settings_->Option8;
    Text4 = settings_->Text4;
    Text5 = settings_->Text5;
    Check1 = settings_->Check1;
    Label1 = settings_->Label1;
    Label5 = settings_->Label5;
    Command1 = settings_->Command1;
    Command2 = settings_->Command2;
    ProgressBar1 = settings_->ProgressBar1;
    Label6 = settings_->Label6;
    HScroll1 = settings_->HScroll1;
    Check2 = settings_->Check2;
    Command4 = bazi_->Command4;
    Label8 = bazi_->Label8;
    Text3 = bazi_->Text3;
    List1 = results_->List1;

    // A right-click, the Insert key or the button puts the entry on the shortlist.
    List1->setContextMenuPolicy(Qt::CustomContextMenu);
    addtoshortlist = new QAction(tr("加入备选名单"), List1);
    addtoshortlist->setObjectName(QStringLiteral("addtoshortlist"));
    addtoshortlist->setShortcut(QKeySequence(Qt::Key_Insert));
    addtoshortlist->setShortcutContext(Qt::WidgetShortcut);
    List1->addAction(addtoshortlist);

    for (QLineEdit* box : {Text1, Text4, Text5}) {
        box->installEventFilter(this);
    }
    // A frame with a caption draws its border through the middle of the caption line, the caption
    // on top of it; a frame without one borders its whole area.
    client->setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); margin-top: 0px; }"
        "QGroupBox#Frame7 { margin-top: 0.6em; padding-top: 0.4em; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
        " left: 6px; padding: 0px 2px; }"));

    inputStatus_ = new QLabel(this);
    inputStatus_->setObjectName(QStringLiteral("inputStatus"));
    statusBar()->addWidget(inputStatus_, 1);
    rerun_ = new QPushButton(tr("按新设置重新测算"), this);
    rerun_->setObjectName(QStringLiteral("rerunButton"));
    rerun_->setAutoDefault(false);
    rerun_->setToolTip(tr("出生时间或“配合生辰八字取名”已改，列表仍是按原来的设置测算的"));
    rerun_->hide();
    statusBar()->addPermanentWidget(rerun_);
}

void MainWindow::buildMenus() {
    QMenu* fileMenu = menuBar()->addMenu(tr("文件"));
    fileMenu->setObjectName(QStringLiteral("filemenu"));
    outputnamefile = fileMenu->addAction(tr("导出姓名列表"));
    outputnamefile->setObjectName(QStringLiteral("outputnamefile"));
    inputnamefile = fileMenu->addAction(tr("导入姓名列表"));
    inputnamefile->setObjectName(QStringLiteral("inputnamefile"));
    outputtable = fileMenu->addAction(tr("导出表格…"));
    outputtable->setObjectName(QStringLiteral("outputtable"));
    fileMenu->addSeparator();
    showshortlist = fileMenu->addAction(tr("备选名单…"));
    showshortlist->setObjectName(QStringLiteral("showshortlist"));
    optionsMenu = menuBar()->addMenu(tr("选项"));
    optionsMenu->setObjectName(QStringLiteral("optionsmenu"));
    sortbyscore = optionsMenu->addAction(tr("按得分排序并显示分数"));
    sortbyscore->setObjectName(QStringLiteral("sortbyscore"));
    sortbyscore->setCheckable(true);
    varietylimit = optionsMenu->addAction(varietyItemText(0));
    varietylimit->setObjectName(QStringLiteral("varietylimit"));
    // The sound options; both start off, so that a search lists what it always listed.
    cleansound = optionsMenu->addAction(tr("避开不雅谐音"));
    cleansound->setObjectName(QStringLiteral("cleansound"));
    cleansound->setCheckable(true);
    standardchars = optionsMenu->addAction(tr("只用通用规范字"));
    standardchars->setObjectName(QStringLiteral("standardchars"));
    standardchars->setCheckable(true);
    // Naming within a family: characters of elders' names to avoid.
    optionsMenu->addSeparator();
    avoidchars = optionsMenu->addAction(tr("避讳用字…"));
    avoidchars->setObjectName(QStringLiteral("avoidchars"));
    favourable = optionsMenu->addAction(tr("喜用五行…"));
    favourable->setObjectName(QStringLiteral("favourable"));
    twins = optionsMenu->addAction(tr("双胞胎起名…"));
    twins->setObjectName(QStringLiteral("twins"));
    buildScriptMenu();
    QMenu* helpMenu = menuBar()->addMenu(tr("帮助"));
    helpMenu->setObjectName(QStringLiteral("helpmenu"));
    help1 = helpMenu->addAction(tr("帮助"));
    help1->setObjectName(QStringLiteral("help1"));
    // The window sees F1 before any of its controls does.
    help1->setShortcut(QKeySequence(Qt::Key_F1));
    help1->setShortcutContext(Qt::WindowShortcut);
    about1 = helpMenu->addAction(tr("关于"));
    about1->setObjectName(QStringLiteral("about1"));
}

void MainWindow::connectHandlers() {
    connect(Text1, &QLineEdit::textChanged, this, &MainWindow::Text1_Change);
    connect(Text4, &QLineEdit::textChanged, this, &MainWindow::Text4_Change);
    connect(Text5, &QLineEdit::textChanged, this, &MainWindow::Text5_Change);
    connect(Option7, &QRadioButton::clicked, this, &MainWindow::Option7_Click);
    connect(Option8, &QRadioButton::clicked, this, &MainWindow::Option7_Click);
    connect(HScroll1, &QScrollBar::valueChanged, this, &MainWindow::HScroll1_Change);
    connect(HScroll1, &QScrollBar::sliderMoved, this, &MainWindow::HScroll1_Scroll);
    connect(Check2, &QCheckBox::clicked, this, &MainWindow::Check2_Click);
    connect(Command1, &QPushButton::clicked, this, &MainWindow::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &MainWindow::Command2_Click);
    connect(Command4, &QPushButton::clicked, this, &MainWindow::Command4_Click);
    connect(List1, &QListWidget::itemSelectionChanged, this, &MainWindow::List1_Click);
    connect(outputnamefile, &QAction::triggered, this, &MainWindow::outputnamefile_Click);
    connect(inputnamefile, &QAction::triggered, this, &MainWindow::inputnamefile_Click);
    connect(help1, &QAction::triggered, this, &MainWindow::help1_Click);
    connect(sortbyscore, &QAction::triggered, this, &MainWindow::sortbyscore_Click);
    connect(varietylimit, &QAction::triggered, this, &MainWindow::varietylimit_Click);
    connect(outputtable, &QAction::triggered, this, &MainWindow::outputtable_Click);
    connect(avoidchars, &QAction::triggered, this, &MainWindow::avoidchars_Click);
    connect(favourable, &QAction::triggered, this, &MainWindow::favourable_Click);
    connect(twins, &QAction::triggered, this, &MainWindow::twins_Click);
    connect(showshortlist, &QAction::triggered, this, &MainWindow::showShortlist);
    connect(List1, &QListWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { addToShortlist(List1->itemAt(pos)); });
    connect(addtoshortlist, &QAction::triggered, this,
            [this] { addToShortlist(List1->currentItem()); });
    connect(results_->addButton, &QPushButton::clicked, this,
            [this] { addToShortlist(List1->currentItem()); });
    connect(rerun_, &QPushButton::clicked, this, &MainWindow::Command1_Click);
    connect(about1, &QAction::triggered, this, &MainWindow::about1_Click);
}

void MainWindow::load() {
    Text1->setText(qs("赵"));
    const QDateTime now = deps_.now ? deps_.now() : QDateTime::currentDateTime();
    bazi_->showUnconfirmedDate(deps_.locale.toString(now.date(), QLocale::ShortFormat));
    setWindowTitle(QStringLiteral("NorluneV1.0"));
    search_.setListNum(100);
    showListNum(search_.ListNum());
    Option7_Click();
    // The size of the layout is the smallest the window opens at; a size and place the user gave
    // it last time win when they are at least as large.
    const QSize smallest(kClientWidth, kClientHeight + menuBar()->sizeHint().height() +
                                           statusBar()->sizeHint().height());
    resize(smallest.expandedTo(minimumSizeHint()));
    if (deps_.settings != nullptr && deps_.settings->contains(QString::fromLatin1(kGeometryKey))) {
        restoreGeometry(deps_.settings->value(QString::fromLatin1(kGeometryKey)).toByteArray());
        if (!isMaximized() && (width() < smallest.width() || height() < smallest.height())) {
            resize(size().expandedTo(smallest));
        }
    }
    loadFamilyChoices();
    List1->setFocus();
    checkInput();
}

void MainWindow::message(const QString& text) {
    deps_.interaction->showMessage(this, text);
}

void MainWindow::message(std::string_view text, const std::vector<std::string>& keep) {
    message(deps_.text(text, keep));
}

void MainWindow::checkInput() {
    // A problem names the character typed as it was typed.
    inputProblem_ =
        surnameTooLong_
            ? tr("姓名字数不能超过2个")
            : deps_.text(settingsProblem(tables_->names.strokes, utf8(Text1->text()),
                                         utf8(Text4->text()), utf8(Text5->text())),
                         nameKeeps(utf8(Text1->text()), utf8(Text4->text() + Text5->text())));
    inputStatus_->setText(inputProblem_);
    if (!inputProblem_.isEmpty()) {
        // A message of the last run would hide the reason.
        statusBar()->clearMessage();
    }
    updateCommands();
}

void MainWindow::updateCommands() {
    Command1->setEnabled(inputProblem_.isEmpty() && !running_);
    Command1->setToolTip(inputProblem_);
    rerun_->setEnabled(inputProblem_.isEmpty() && !running_);
    // A run in progress keeps its surname: no import, and no export under the new surname.
    outputnamefile->setEnabled(!running_);
    inputnamefile->setEnabled(!running_);
    outputtable->setEnabled(!running_);
    results_->addButton->setEnabled(!running_);
    // The options are those of the run: they stay as they are until it ends.
    optionsMenu->menuAction()->setEnabled(!running_);
    for (QAction* item : optionsMenu->actions()) {
        item->setEnabled(!running_);
    }
}

void MainWindow::showListNum(int listNum) {
    Label6->setText(listNumText(listNum));
}

void MainWindow::showVarietyLimit() {
    varietylimit->setText(varietyItemText(search_.varietyLimit()));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (auto* box = qobject_cast<QLineEdit*>(watched)) {
            box->selectAll();
            // A mouse click places the cursor after the focus arrived; select again after it.
            QTimer::singleShot(0, box, [box] { box->selectAll(); });
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::Text1_Change() {
    const QString text = Text1->text();
    // Spaces around a name are no part of it: they neither count nor push a character out.
    if (const QString trimmed = text.trimmed();
        trimmed != text && !trimmed.isEmpty() && characterCount(text) > 2) {
        Text1->setText(trimmed);
        return;
    }
    if (characterCount(text) > 2) {
        message(tr("姓名字数不能超过2个"));
        // The cut raises this rule again for the short text; the start command stays disabled
        // all the same until the next edit.
        Text1->setText(leftCharacters(text, 2));
        surnameTooLong_ = true;
    } else {
        surnameTooLong_ = false;
    }
    checkInput();
}

void MainWindow::Text4_Change() {
    const QString text = Text4->text();
    if (const QString trimmed = text.trimmed();
        trimmed != text && !trimmed.isEmpty() && characterCount(text) > 1) {
        Text4->setText(trimmed);
        return;
    }
    if (characterCount(text) > 1) {
        Text5->setText(characterAt(text, 1));
        Text4->setText(characterAt(text, 0));
        Text5->setFocus();
    }
    checkInput();
}

void MainWindow::Text5_Change() {
    const QString text = Text5->text();
    if (const QString trimmed = text.trimmed();
        trimmed != text && !trimmed.isEmpty() && characterCount(text) > 1) {
        Text5->setText(trimmed);
        return;
    }
    if (characterCount(text) > 1) {
        message(tr("限一个字！"));
        Text5->setText(characterAt(text, 0));
    }
    checkInput();
}

void MainWindow::Option7_Click() {
    Label8->setText(Option7->isChecked() ? tr("男性") : tr("女性"));
    BaZhiCal();
}

void MainWindow::HScroll1_Change(int value) {
    search_.setListNum(value * 100);
    showListNum(search_.ListNum());
}

void MainWindow::HScroll1_Scroll(int value) {
    showListNum(value * 100);
}

void MainWindow::List1_Click() {
    const QList<QListWidgetItem*> selected = List1->selectedItems();
    if (selected.isEmpty()) {
        return;
    }
    SearchState& state = search_.state();
    state.bShowInfo = true;
    const std::string entry = entryWithoutMark(selected.front()->text());
    Label1->setText(selected.front()->text());
    const std::optional<std::string> given = givenNameFromListEntry(entry, state.Gxing);
    if (!given) {
        // An entry shorter than the list's surname holds no given name: no report.
        report_->clear();
        return;
    }
    if (!countable(state.Gxing, *given)) {
        report_->clear();
        return;
    }
    const NameAnalysis analysis = engine_.AnalyzeName(
        state.Gxing, *given, {state.bFamale, state.bShenChen, state.sNeedWx, state.bShowInfo});
    state.Fbadn = analysis.Fbadn;
    showNameReport(state.Gxing, *given, state.bFamale, analysis.report);
}

void MainWindow::showNameReport(const std::string& surname, const std::string& given, bool female,
                                const std::string& numerologyReport) {
    const SearchState& state = search_.state();
    const NameSheetRow row =
        judgeNameRow(engine_, surname, given, {female, state.bShenChen, state.sNeedWx, false});
    ReportSummary summary;
    summary.score = row.score;
    summary.meetsFavourable = state.bShenChen ? row.meetsFavourable : std::nullopt;
    summary.favourable = state.sNeedWx;
    summary.favourableByHand = favourable_.byHand;
    summary.givenElements = row.givenElements;
    summary.sound = soundVerdict(analyzeSound(tables_->sound, surname, given));
    const std::vector<NameSource> sources =
        tables_->meanings.sources(given, female ? NameSex::Female : NameSex::Male);
    if (!sources.empty()) {
        summary.source = std::string(sources.front().work) + std::string(sources.front().clause);
    }
    // The sound section follows everything the numerology report shows, then what the name means.
    std::string report = numerologyReport;
    appendSoundSection(tables_->sound, surname, given, report,
                       deps_.text.script() == norlune::Script::Hant ? ZhuyinOrder::BeforePinyin
                                                                    : ZhuyinOrder::AfterPinyin);
    appendMeaningSection(tables_->meanings, given, report);
    // The report in the window's script; the name in it as it was typed or listed.
    report_->showReport(deps_.text.convert(summaryText(summary)),
                        deps_.text.convert(report, nameKeeps(surname, given)));
}

void MainWindow::help1_Click() {
#ifdef Q_OS_WIN
    QProcess viewer;
    viewer.setProgram(QStringLiteral("hh.exe"));
    viewer.setArguments({QStringLiteral("help.chm")});
    viewer.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments* args) {
        args->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
        args->startupInfo->wShowWindow = SW_SHOWMAXIMIZED;
    });
    // A missing viewer or help file leaves the program running as before.
    viewer.startDetached();
#else
    if (!helpWindow_) {
        helpWindow_ = new HelpWindow(this, deps_.text(helpText()));
    }
    helpWindow_->show();
    helpWindow_->raise();
    helpWindow_->activateWindow();
#endif
}

void MainWindow::about1_Click() {
    message(aboutText());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (running_) {
        closing_ = true;
        search_.requestStop();
    }
    if (deps_.settings != nullptr) {
        deps_.settings->setValue(QString::fromLatin1(kGeometryKey), saveGeometry());
    }
    if (helpWindow_) {
        helpWindow_->close();
    }
    if (shortlistWindow_) {
        shortlistWindow_->close();
    }
    event->accept();
}

}  // namespace norlune::ui
