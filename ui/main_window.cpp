#include "ui/main_window.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <new>
#include <utility>

#ifdef Q_OS_WIN
#include <windows.h>

#include <QProcess>
#endif

#include "build_info.h"
#include "calendar/bazi_report.h"
#include "embedded/norlune_icon_png.h"
#include "engine/name_report.h"
#include "search/name_list_file.h"
#include "search/name_sheet.h"
#include "sound/sound_analysis.h"
#include "textio/file_writer.h"
#include "textio/visible_text.h"
#include "ui/fonts.h"
#include "ui/help_window.h"
#include "ui/qt_text.h"
#include "ui/user_interaction.h"

namespace norlune::ui {
namespace {

// The layout is given in twips; 15 twips make one pixel at 96 dots per inch.
constexpr int px(int twips) {
    return (twips + 7) / 15;
}

template <class Widget>
Widget* place(QWidget* parent, const char* name, int left, int top, int width, int height) {
    auto* widget = new Widget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(px(left), px(top), px(width), px(height));
    return widget;
}

// A read-only box with the button-face colour as its background.
void makeDisplayBox(QWidget* box) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    box->setPalette(palette);
}

QPlainTextEdit* reportBox(QWidget* parent, const char* name, int left, int top, int width,
                          int height) {
    auto* box = place<QPlainTextEdit>(parent, name, left, top, width, height);
    box->setReadOnly(true);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    makeDisplayBox(box);
    return box;
}

// The label of the current name: its font (35 pixels) is taller than the label (33 pixels), so the
// glyphs are centred by their ink rather than by the font's line box, which would cut them off.
class InkCentredLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setFont(font());
        painter.setPen(palette().color(foregroundRole()));
        const QRectF ink = QFontMetricsF(font()).tightBoundingRect(text());
        const double baseline = (height() - ink.height()) / 2.0 - ink.top();
        painter.drawText(QPointF(0.0, baseline), text());
    }
};

QString listNumText(int listNum) {
    return qs("列出") + QString::number(listNum) + qs("个优选名字");
}

QDate qdate(const std::chrono::year_month_day& ymd) {
    return QDate(static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
                 static_cast<int>(static_cast<unsigned>(ymd.day())));
}

}  // namespace

std::shared_ptr<const ReferenceTables> fillReferenceTables() {
    auto tables = std::make_shared<ReferenceTables>(ReferenceTables{
        FillCalendarTables(), FillElementLists(), FillNameTables(), SoundTables::builtIn()});
    return tables;
}

QString aboutText() {
    return qs("诺伦取名（Norlune）\n版本 ") + QString::fromLatin1(build::kVersion) +
           qs("\n按五格数理评判姓名，并排八字。");
}

QString nameListFileFilter() {
    return QStringLiteral("*.txt (*.txt)");
}

QString tableFileFilter() {
    return QStringLiteral("*.csv (*.csv)");
}

QString generalDateText(const QLocale& locale, const norlune::BirthMoment& moment) {
    const QString date = locale.toString(qdate(moment.date()), QLocale::ShortFormat);
    if (moment.hour() == 0 && moment.minute() == 0) {
        return date;
    }
    return date + QLatin1Char(' ') +
           locale.toString(QTime(moment.hour(), moment.minute()), QLocale::ShortFormat);
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
    // The layout was measured with 宋体 9 point as the window's font.
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
    client->setFixedSize(px(11910), px(7515));
    setCentralWidget(client);

    // Created in tab order: the name list first.
    List1 = place<QListWidget>(client, "List1", 120, 3120, 6735, 4230);
    List1->setFont(songtiFont(10.5));
    List1->setSortingEnabled(false);
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    // A right-click or the Insert key puts the entry on the shortlist.
    List1->setContextMenuPolicy(Qt::CustomContextMenu);
    addtoshortlist = new QAction(qs("加入备选名单"), List1);
    addtoshortlist->setObjectName(QStringLiteral("addtoshortlist"));
    addtoshortlist->setShortcut(QKeySequence(Qt::Key_Insert));
    addtoshortlist->setShortcutContext(Qt::WidgetShortcut);
    List1->addAction(addtoshortlist);

    Frame5 = place<QGroupBox>(client, "Frame5", 120, 120, 3735, 735);
    Label2 = place<QLabel>(Frame5, "Label2", 240, 255, 375, 255);
    Label2->setText(qs("姓氏"));
    Text1 = place<QLineEdit>(Frame5, "Text1", 960, 240, 735, 270);
    Option7 = place<QRadioButton>(Frame5, "Option7", 1800, 240, 735, 255);
    Option7->setText(qs("男性"));
    Option7->setChecked(true);
    Option8 = place<QRadioButton>(Frame5, "Option8", 2520, 240, 735, 255);
    Option8->setText(qs("女性"));

    Frame4 = place<QGroupBox>(client, "Frame4", 120, 960, 3735, 735);
    Label4 = place<QLabel>(Frame4, "Label4", 240, 240, 855, 255);
    Label4->setText(qs("姓名字数"));
    Option6 = place<QRadioButton>(Frame4, "Option6", 1080, 240, 735, 255);
    Option6->setText(qs("不限"));
    Option6->setChecked(true);
    Option5 = place<QRadioButton>(Frame4, "Option5", 1800, 240, 735, 255);
    Option5->setText(qs("单字"));
    Option4 = place<QRadioButton>(Frame4, "Option4", 2520, 240, 735, 255);
    Option4->setText(qs("双字"));

    Frame3 = place<QGroupBox>(client, "Frame3", 120, 1800, 3735, 1215);
    Label7 = place<QLabel>(Frame3, "Label7", 240, 375, 1575, 255);
    Label7->setText(qs("指定名字"));
    Text4 = place<QLineEdit>(Frame3, "Text4", 960, 360, 375, 270);
    Text5 = place<QLineEdit>(Frame3, "Text5", 1320, 360, 375, 270);
    Label3 = place<QLabel>(Frame3, "Label3", 1800, 375, 1815, 255);
    Label3->setText(qs("(可指定名字中左右字)"));
    Check1 = place<QCheckBox>(Frame3, "Check1", 240, 720, 2895, 255);
    Check1->setText(qs("或名字中包含左右字中任意一字"));

    Frame6 = place<QGroupBox>(client, "Frame6", 3960, 120, 2895, 1575);
    Label1 = place<InkCentredLabel>(Frame6, "Label1", 240, 120, 2535, 495);
    Label1->setFont(songtiFont(26.25));
    Label5 = place<QLabel>(Frame6, "Label5", 240, 720, 2535, 255);
    Label5->setText(qs("已测算0个姓名"));
    Command1 = place<QPushButton>(Frame6, "Command1", 120, 960, 1215, 375);
    Command1->setText(qs("开始测算"));
    Command2 = place<QPushButton>(Frame6, "Command2", 1560, 960, 1215, 375);
    Command2->setText(qs("停止测算"));
    Command2->setEnabled(false);
    ProgressBar1 = place<QProgressBar>(Frame6, "ProgressBar1", 120, 1365, 2655, 135);
    ProgressBar1->setRange(0, 1000);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);

    Frame7 = place<QGroupBox>(client, "Frame7", 3960, 1800, 2895, 1215);
    Frame7->setTitle(qs("高级设置"));
    Label6 = place<QLabel>(Frame7, "Label6", 120, 240, 2535, 255);
    Label6->setText(qs("显示前"));
    HScroll1 = place<QScrollBar>(Frame7, "HScroll1", 120, 480, 2535, 255);
    HScroll1->setOrientation(Qt::Horizontal);
    HScroll1->setRange(1, 100);
    HScroll1->setValue(1);
    HScroll1->setSingleStep(1);
    HScroll1->setPageStep(1);
    // The change event comes once the value has settled; dragging the thumb only scrolls.
    HScroll1->setTracking(false);
    Check2 = place<QCheckBox>(Frame7, "Check2", 120, 840, 2535, 255);
    Check2->setText(qs("配合生辰八字取名"));

    Command4 = place<QPushButton>(client, "Command4", 6960, 240, 1335, 375);
    Command4->setText(qs("选择出生时间"));
    Text6 = place<QLineEdit>(client, "Text6", 8400, 360, 2295, 315);
    Text6->setReadOnly(true);
    Text6->setFocusPolicy(Qt::NoFocus);
    makeDisplayBox(Text6);
    Label8 = place<QLabel>(client, "Label8", 10920, 360, 735, 255);
    Text3 = reportBox(client, "Text3", 6960, 720, 4815, 2295);
    Text2 = reportBox(client, "Text2", 6960, 3120, 4815, 4215);

    for (QPushButton* button : {Command1, Command2, Command4}) {
        button->setAutoDefault(false);
    }
    for (QLineEdit* box : {Text1, Text4, Text5}) {
        box->installEventFilter(this);
        // 18 pixels were measured for a 12-pixel bitmap font; a CJK outline font needs the
        // frame's inner margin to show its full line height.
        box->setTextMargins(0, -3, 0, -3);
    }
    // A frame with a caption draws its border through the middle of the caption line, the caption
    // on top of it; a frame without one borders its whole area.
    client->setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); margin-top: 0px; }"
        "QGroupBox#Frame7 { margin-top: 7px; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
        " left: 6px; padding: 0px 2px; }"));
}

void MainWindow::buildMenus() {
    QMenu* fileMenu = menuBar()->addMenu(qs("文件"));
    fileMenu->setObjectName(QStringLiteral("filemenu"));
    outputnamefile = fileMenu->addAction(qs("导出姓名列表"));
    outputnamefile->setObjectName(QStringLiteral("outputnamefile"));
    inputnamefile = fileMenu->addAction(qs("导入姓名列表"));
    inputnamefile->setObjectName(QStringLiteral("inputnamefile"));
    outputtable = fileMenu->addAction(qs("导出表格…"));
    outputtable->setObjectName(QStringLiteral("outputtable"));
    optionsMenu = menuBar()->addMenu(qs("选项"));
    optionsMenu->setObjectName(QStringLiteral("optionsmenu"));
    sortbyscore = optionsMenu->addAction(qs("按得分排序并显示分数"));
    sortbyscore->setObjectName(QStringLiteral("sortbyscore"));
    sortbyscore->setCheckable(true);
    varietylimit = optionsMenu->addAction(qs("同一首字最多…"));
    varietylimit->setObjectName(QStringLiteral("varietylimit"));
    // The sound options; both start off, so that a search lists what it always listed.
    cleansound = optionsMenu->addAction(qs("避开不雅谐音"));
    cleansound->setObjectName(QStringLiteral("cleansound"));
    cleansound->setCheckable(true);
    standardchars = optionsMenu->addAction(qs("只用通用规范字"));
    standardchars->setObjectName(QStringLiteral("standardchars"));
    standardchars->setCheckable(true);
    QMenu* helpMenu = menuBar()->addMenu(qs("帮助"));
    helpMenu->setObjectName(QStringLiteral("helpmenu"));
    help1 = helpMenu->addAction(qs("帮助"));
    help1->setObjectName(QStringLiteral("help1"));
    // The window sees F1 before any of its controls does.
    help1->setShortcut(QKeySequence(Qt::Key_F1));
    help1->setShortcutContext(Qt::WindowShortcut);
    about1 = helpMenu->addAction(qs("关于"));
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
    connect(List1, &QListWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { addToShortlist(List1->itemAt(pos)); });
    connect(addtoshortlist, &QAction::triggered, this,
            [this] { addToShortlist(List1->currentItem()); });
    connect(about1, &QAction::triggered, this, &MainWindow::about1_Click);
}

void MainWindow::load() {
    Text1->setText(qs("赵"));
    const QDateTime now = deps_.now ? deps_.now() : QDateTime::currentDateTime();
    Text6->setText(deps_.locale.toString(now.date(), QLocale::ShortFormat));
    setWindowTitle(QStringLiteral("NorluneV1.0"));
    search_.setListNum(100);
    showListNum(search_.ListNum());
    Option7_Click();
    setFixedSize(px(11910), px(7515) + menuBar()->sizeHint().height());
    List1->setFocus();
}

void MainWindow::message(const QString& text) {
    deps_.interaction->showMessage(this, text);
}

void MainWindow::message(std::string_view text) {
    message(qs(text));
}

std::optional<ReadOnlyTarget> MainWindow::askBeforeReadOnly(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        if (isReadOnlyFile(path)) {
            const std::optional<int> choice = deps_.interaction->askChoice(
                this, qs("文件“" + visibleText(path) + "”是只读的，要替换它吗？"),
                {qs("替换"), qs("取消")});
            if (choice != 0) {
                return std::nullopt;
            }
            return ReadOnlyTarget::Replace;
        }
    }
    return ReadOnlyTarget::Refuse;
}

void MainWindow::updateCommands() {
    Command1->setEnabled(surnameValid_ && !running_);
    // A run in progress keeps its surname: no import, and no export under the new surname.
    outputnamefile->setEnabled(!running_);
    inputnamefile->setEnabled(!running_);
    outputtable->setEnabled(!running_);
    // The options are those of the run: they stay as they are until it ends.
    optionsMenu->menuAction()->setEnabled(!running_);
    for (QAction* item : optionsMenu->actions()) {
        item->setEnabled(!running_);
    }
}

void MainWindow::showListNum(int listNum) {
    Label6->setText(listNumText(listNum));
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
    const qsizetype length = characterCount(text);
    if (length == 0 || length > 2) {
        if (length > 2) {
            message(std::string_view("姓名字数不能超过2个"));
            // The cut raises this rule again for the short text; the start command stays
            // disabled all the same until the next edit.
            Text1->setText(leftCharacters(text, 2));
        }
        surnameValid_ = false;
    } else {
        surnameValid_ = true;
    }
    updateCommands();
}

void MainWindow::Text4_Change() {
    const QString text = Text4->text();
    if (characterCount(text) > 1) {
        Text5->setText(characterAt(text, 1));
        Text4->setText(characterAt(text, 0));
        Text5->setFocus();
    }
}

void MainWindow::Text5_Change() {
    const QString text = Text5->text();
    if (characterCount(text) > 1) {
        message(std::string_view("限一个字！"));
        Text5->setText(characterAt(text, 0));
    }
}

void MainWindow::Option7_Click() {
    Label8->setText(Option7->isChecked() ? qs("男性") : qs("女性"));
    BaZhiCal();
}

void MainWindow::HScroll1_Change(int value) {
    search_.setListNum(value * 100);
    showListNum(search_.ListNum());
}

void MainWindow::HScroll1_Scroll(int value) {
    showListNum(value * 100);
}

void MainWindow::Check2_Click() {
    SearchState& state = search_.state();
    state.bShenChen = Check2->isChecked();
    if (state.bShenChen && state.Gxiyong.empty()) {
        message(std::string_view("请指定出生时间！"));
        Command4_Click();
    }
}

void MainWindow::Command4_Click() {
    BirthTimeDialog dialog(birthTime_, *deps_.interaction, deps_.now, tables_->calendar.places,
                           this);
    deps_.interaction->runBirthTimeDialog(dialog);
    BaZhiCal();
}

void MainWindow::BaZhiCal() {
    if (!birthTime_.BirthMomentSet || !birthTime_.BirthMoment) {
        return;
    }
    const norlune::BirthMoment moment = *birthMomentWithPlace(birthTime_);
    Text6->setText(generalDateText(deps_.locale, moment));
    const int sexCode = Option7->isChecked() ? kSexMale : kSexFemale;
    const BaZiReport report = BuildBaZiReport(tables_->calendar, moment, sexCode);
    Text3->setPlainText(reportText(report.text));
    search_.state().Gxiyong = report.favourable;
}

namespace {

constexpr std::string_view kOutOfMemory = "内存不足，操作未能完成";

}  // namespace

void MainWindow::Command1_Click() {
    try {
        startSearch();
    } catch (const std::bad_alloc&) {
        // The run ends as after a stop, without its list, so that the window stays usable.
        if (search_.running()) {
            search_.finish();
        }
        running_ = false;
        List1->setEnabled(true);
        Command2->setEnabled(false);
        updateCommands();
        message(kOutOfMemory);
    }
}

void MainWindow::startSearch() {
    if (running_ || search_.running()) {
        return;
    }
    Command1->setEnabled(false);
    Command2->setEnabled(true);
    SearchSettings settings;
    settings.surname = utf8(Text1->text());
    settings.female = Option8->isChecked();
    settings.nameLength = Option5->isChecked() ? 1 : (Option4->isChecked() ? 2 : 0);
    settings.left = utf8(Text4->text());
    settings.right = utf8(Text5->text());
    settings.either = Check1->isChecked();
    settings.cleanSound = cleansound->isChecked();
    settings.standardChars = standardchars->isChecked();
    const NameSearch::StartResult start = search_.start(settings, deps_.candidateDirectory);
    switch (start.kind) {
        case NameSearch::StartResult::Kind::Direct: {
            std::string report = start.report;
            appendSoundSection(tables_->sound, settings.surname, settings.left + settings.right,
                               report);
            Text2->setPlainText(reportText(report));
            Label1->setText(qs(start.fullName));
            runNames_ = {KeptName{start.fullName, start.score, 1}};
            showRunList(false);
            Command2->setEnabled(false);
            updateCommands();
            return;
        }
        case NameSearch::StartResult::Kind::Failed:
            Command2->setEnabled(false);
            updateCommands();
            message(start.message);
            return;
        case NameSearch::StartResult::Kind::Refused:
            return;
        case NameSearch::StartResult::Kind::Searching:
            break;
    }
    running_ = true;
    updateCommands();
    List1->setEnabled(false);
    if (!start.warning.empty()) {
        message(start.warning);
    }
    runSearch();
}

void MainWindow::runSearch() {
    // Every pass lets the user interface run, so the stop command and closing the window act
    // within one candidate. The widgets, though, are only given the latest texts once per frame:
    // each change would otherwise be painted, tens of thousands of frames that no eye sees.
    QElapsedTimer steady;
    steady.start();
    const auto now = [&]() -> std::int64_t {
        return deps_.frameClock ? deps_.frameClock() : steady.elapsed();
    };
    // The first candidate is shown at once.
    std::int64_t lastFrame = now() - kFrameMilliseconds;
    PendingDisplay pending;
    while (true) {
        NameSearch::Step step = search_.step();
        if (step.endOfFile) {
            showPending(pending);
            message(step.message);
            break;
        }
        if (step.progress) {
            pending.progress = step.progress;
        }
        if (step.label1) {
            pending.label1 = std::move(step.label1);
        }
        if (step.label5) {
            pending.label5 = std::move(step.label5);
        }
        const std::int64_t time = now();
        if (time - lastFrame >= kFrameMilliseconds) {
            showPending(pending);
            lastFrame = time;
        }
        QCoreApplication::processEvents();
        if (closing_) {
            // The window was closed in the middle of the run: the program ends, nothing is shown.
            search_.finish();
            running_ = false;
            return;
        }
        if (search_.state().bCancle) {
            showPending(pending);
            break;
        }
    }
    search_.finish();
    runNames_ = search_.kept();
    showRunList(false);
    List1->setEnabled(true);
    Command2->setEnabled(false);
    running_ = false;
    updateCommands();
}

void MainWindow::showRunList(bool keepSelection) {
    runList_ = true;
    std::vector<KeptName> names = runNames_;
    const bool scored = sortbyscore->isChecked();
    if (scored) {
        sortBestFirst(names);
    }
    // The selected name (whatever form its entry has) is selected again in the new order, without
    // judging it again.
    std::optional<int> selectedSlot;
    if (const QListWidgetItem* item = List1->currentItem();
        keepSelection && item != nullptr && item->isSelected()) {
        selectedSlot = item->data(Qt::UserRole).isValid()
                           ? std::optional<int>(item->data(Qt::UserRole).toInt())
                           : std::nullopt;
    }
    const QSignalBlocker blocker(List1);
    List1->clear();
    for (const KeptName& name : names) {
        auto* item = new QListWidgetItem(qs(scored ? scoredEntry(name) : name.fullName), List1);
        item->setData(Qt::UserRole, name.slot);
        if (selectedSlot && *selectedSlot == name.slot) {
            List1->setCurrentItem(item);
            List1->scrollToItem(item);
        }
    }
}

void MainWindow::sortbyscore_Click() {
    if (runList_ && !running_) {
        showRunList(true);
    }
}

void MainWindow::varietylimit_Click() {
    const std::optional<int> limit =
        deps_.interaction->askNumber(this, qs("同一首字的名字最多保留几个（0 为不限）："),
                                     search_.varietyLimit(), 0, BestNameTable::kMaxVariety);
    if (limit) {
        search_.setVarietyLimit(*limit);
    }
}

NameSheetRow MainWindow::shortlistRow(const ShortlistEntry& entry) const {
    const SearchState& state = search_.state();
    return judgeNameRow(engine_, entry.surname,
                        std::string_view(entry.fullName).substr(entry.surname.size()),
                        {entry.female, state.bShenChen, state.sNeedWx, false});
}

void MainWindow::addToShortlist(const QListWidgetItem* item) {
    if (item == nullptr || running_) {
        return;
    }
    const SearchState& state = search_.state();
    const std::optional<std::string> given =
        givenNameFromListEntry(utf8(item->text()), state.Gxing);
    if (!given || given->empty()) {
        return;
    }
    const ShortlistEntry entry{state.Gxing, state.Gxing + *given, state.bFamale};
    if (std::find(shortlist_.begin(), shortlist_.end(), entry) == shortlist_.end()) {
        shortlist_.push_back(entry);
    }
    showShortlist();
}

void MainWindow::removeFromShortlist(const QList<int>& rows) {
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        if (*it >= 0 && *it < static_cast<int>(shortlist_.size())) {
            shortlist_.erase(shortlist_.begin() + *it);
        }
    }
    showShortlist();
}

void MainWindow::showShortlist() {
    if (!shortlistWindow_) {
        shortlistWindow_ = new ShortlistWindow(this);
        connect(shortlistWindow_, &ShortlistWindow::removeRequested, this,
                &MainWindow::removeFromShortlist);
    }
    std::vector<NameSheetRow> rows;
    for (const ShortlistEntry& entry : shortlist_) {
        rows.push_back(shortlistRow(entry));
    }
    shortlistWindow_->setRows(rows);
    shortlistWindow_->show();
    shortlistWindow_->raise();
}

void MainWindow::outputtable_Click() {
    bool fromShortlist = false;
    if (!shortlist_.empty()) {
        const std::optional<int> choice = deps_.interaction->askChoice(
            this, qs("导出哪一份名单？"), {qs("当前姓名列表"), qs("备选名单")});
        if (!choice) {
            return;
        }
        fromShortlist = *choice == 1;
    }
    const QString path = deps_.interaction->saveFileName(this, tableFileFilter());
    if (path.isEmpty()) {
        return;
    }
    const SearchState& state = search_.state();
    // With a birth moment the table says whether each name meets its favourable elements.
    const bool withBirth = !state.Gxiyong.empty();
    std::vector<NameSheetRow> rows;
    if (fromShortlist) {
        for (const ShortlistEntry& entry : shortlist_) {
            rows.push_back(
                judgeNameRow(engine_, entry.surname,
                             std::string_view(entry.fullName).substr(entry.surname.size()),
                             {entry.female, state.bShenChen, state.Gxiyong, false}));
        }
    } else {
        for (int i = 0; i < List1->count(); ++i) {
            const std::optional<std::string> given =
                givenNameFromListEntry(utf8(List1->item(i)->text()), state.Gxing);
            if (given && !given->empty()) {
                rows.push_back(
                    judgeNameRow(engine_, state.Gxing, *given,
                                 {state.bFamale, state.bShenChen, state.Gxiyong, false}));
            }
        }
    }
    if (rows.empty()) {
        return;  // like an empty name list: nothing is written
    }
    const std::optional<ReadOnlyTarget> readOnly = askBeforeReadOnly({utf8(path)});
    if (!readOnly) {
        return;
    }
    const std::string problem =
        writeUtf8TextFileAtomically(utf8(path), nameSheetLines(rows, withBirth), *readOnly);
    if (!problem.empty()) {
        message(problem);
    }
}

void MainWindow::showPending(PendingDisplay& pending) {
    if (pending.progress) {
        ProgressBar1->setValue(*pending.progress);
    }
    if (pending.label1) {
        Label1->setText(qs(*pending.label1));
    }
    if (pending.label5) {
        Label5->setText(qs(*pending.label5));
    }
    pending = {};
}

void MainWindow::Command2_Click() {
    search_.requestStop();
    Command2->setEnabled(false);
}

void MainWindow::List1_Click() {
    const QList<QListWidgetItem*> selected = List1->selectedItems();
    if (selected.isEmpty()) {
        return;
    }
    SearchState& state = search_.state();
    state.bShowInfo = true;
    const std::string entry = utf8(selected.front()->text());
    Label1->setText(qs(entry));
    const std::optional<std::string> given = givenNameFromListEntry(entry, state.Gxing);
    if (!given) {
        // An entry shorter than the list's surname holds no given name: no report.
        Text2->clear();
        return;
    }
    const NameAnalysis analysis = engine_.AnalyzeName(
        state.Gxing, *given, {state.bFamale, state.bShenChen, state.sNeedWx, state.bShowInfo});
    state.Fbadn = analysis.Fbadn;
    // The sound section follows everything the numerology report shows.
    std::string report = analysis.report;
    appendSoundSection(tables_->sound, state.Gxing, *given, report);
    Text2->setPlainText(reportText(report));
}

void MainWindow::outputnamefile_Click() {
    try {
        outputNamesFile();
    } catch (const std::bad_alloc&) {
        message(kOutOfMemory);
    }
}

void MainWindow::outputNamesFile() {
    const QString path = deps_.interaction->saveFileName(this, nameListFileFilter());
    if (path.isEmpty() || List1->count() == 0) {
        return;
    }
    NameList list;
    list.Gxing = search_.state().Gxing;
    for (int i = 0; i < List1->count(); ++i) {
        list.entries.push_back(utf8(List1->item(i)->text()));
    }
    const std::optional<ReadOnlyTarget> readOnly =
        askBeforeReadOnly({utf8(path), shortlistPathFor(utf8(path))});
    if (!readOnly) {
        return;
    }
    std::string problem = exportNameList(utf8(path), list, *readOnly);
    if (problem.empty()) {
        problem = saveShortlistFor(utf8(path), shortlist_, *readOnly);
    }
    if (!problem.empty()) {
        message(problem);
    }
}

void MainWindow::inputnamefile_Click() {
    try {
        inputNamesFile();
    } catch (const std::bad_alloc&) {
        message(kOutOfMemory);
    }
}

void MainWindow::inputNamesFile() {
    const QString path = deps_.interaction->openFileName(this, nameListFileFilter());
    if (path.isEmpty()) {
        return;
    }
    const NameListImport imported = importNameList(utf8(path));
    if (imported.list) {
        runList_ = false;
        runNames_.clear();
        List1->clear();
        search_.state().Gxing = imported.list->Gxing;
        for (const std::string& entry : imported.list->entries) {
            List1->addItem(qs(entry));
        }
    }
    if (!imported.message.empty()) {
        message(imported.message);
    }
    if (imported.list) {
        // The shortlist saved with the list joins the one of this session; nothing is lost.
        const ShortlistLoad saved = loadShortlistFor(utf8(path));
        bool added = false;
        for (const ShortlistEntry& entry : saved.names) {
            if (std::find(shortlist_.begin(), shortlist_.end(), entry) == shortlist_.end()) {
                shortlist_.push_back(entry);
                added = true;
            }
        }
        if (!saved.message.empty()) {
            message(saved.message);
        }
        if (added) {
            showShortlist();
        }
    }
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
        helpWindow_ = new HelpWindow(this);
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
    if (helpWindow_) {
        helpWindow_->close();
    }
    if (shortlistWindow_) {
        shortlistWindow_->close();
    }
    event->accept();
}

}  // namespace norlune::ui
