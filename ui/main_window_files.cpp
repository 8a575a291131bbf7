// The main window's files and shortlist: exporting and importing name lists, the table export and
// the shortlist window.
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableWidget>
#include <algorithm>
#include <new>

#include "engine/name_report.h"
#include "engine/utf8.h"
#include "search/candidate_file.h"
#include "search/name_list_file.h"
#include "search/name_sheet.h"
#include "textio/file_writer.h"
#include "textio/visible_text.h"
#include "ui/fit_label.h"
#include "ui/input_check.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/result_panels.h"
#include "ui/user_interaction.h"

namespace norlune::ui {
namespace {

constexpr const char* kOutOfMemory =
    QT_TRANSLATE_NOOP("norlune::ui::MainWindow", "内存不足，操作未能完成");

}  // namespace

QString nameListFileFilter() {
    return QStringLiteral("*.txt (*.txt)");
}

QString tableFileFilter() {
    return QStringLiteral("*.csv (*.csv)");
}

QString suggestedTableName(const std::string& surname, const QDate& date) {
    const QString name = surname.empty() ? WindowText::tr("名单") : qs(surname);
    return name + QLatin1Char('_') + date.toString(QStringLiteral("yyyyMMdd")) +
           QStringLiteral(".csv");
}

QString withCsvSuffix(const QString& path) {
    if (path.isEmpty() || path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive)) {
        return path;
    }
    return path + QStringLiteral(".csv");
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
        givenNameFromListEntry(entryWithoutMark(item->text()), state.Gxing);
    if (!given || given->empty()) {
        return;
    }
    const ShortlistEntry entry{state.Gxing, state.Gxing + *given, state.bFamale};
    if (std::find(shortlist_.begin(), shortlist_.end(), entry) == shortlist_.end()) {
        shortlist_.push_back(entry);
    }
    showShortlist();
}

std::vector<TwinRow> MainWindow::twinRows(const std::string& surname, TwinSexes sexes,
                                          TwinShare share, QString& problem) const {
    TwinQuery query;
    query.share = share;
    query.top = 50;
    std::string message;
    const bool firstFemale = sexes == TwinSexes::Girls;
    std::optional<std::vector<TwinCandidate>> first =
        readTwinCandidates(candidateFilePath(deps_.candidateDirectory, firstFemale), engine_,
                           surname, firstFemale, message);
    std::optional<std::vector<TwinCandidate>> second;
    if (first && sexes == TwinSexes::Mixed) {
        second = readTwinCandidates(candidateFilePath(deps_.candidateDirectory, true), engine_,
                                    surname, true, message);
    }
    if (!first || (sexes == TwinSexes::Mixed && !second)) {
        problem =
            deps_.text(message, pathKeeps({candidateFilePath(deps_.candidateDirectory, false),
                                           candidateFilePath(deps_.candidateDirectory, true)}));
        return {};
    }
    // Names from one classical clause belong together too: each distinct clause gets an id.
    TwinClauses clauses;
    clauses.addSources(*first, tables_->meanings, firstFemale);
    if (second) {
        clauses.addSources(*second, tables_->meanings, true);
    }
    const bool secondFemale = second ? true : firstFemale;
    const std::vector<TwinCandidate>& other = second ? *second : *first;
    std::vector<TwinRow> rows;
    for (const TwinPair& pair : findTwins(*first, second ? &*second : nullptr, query)) {
        const TwinCandidate& a = (*first)[pair.first];
        const TwinCandidate& b = other[pair.second];
        rows.push_back(
            {{surname, surname + u32ToUtf8(a.given), firstFemale},
             a.score.toString(),
             {surname, surname + u32ToUtf8(b.given), secondFemale},
             b.score.toString(),
             pair.fromClause ? deps_.text.convert(clauses.text(pair.clause)) : std::string()});
    }
    return rows;
}

void MainWindow::twins_Click() {
    const std::string surname = trimmedText(utf8(Text1->text()));
    if (surname.empty() || surnameTooLong_) {
        message(tr("请先填写姓氏"));
        return;
    }
    bool added = false;
    TwinsDialog dialog(
        qs(surname), Option8->isChecked() ? TwinSexes::Girls : TwinSexes::Boys,
        [this, surname](TwinSexes sexes, TwinShare share, QString& problem) {
            return twinRows(surname, sexes, share, problem);
        },
        [this, &added](const TwinRow& row) {
            for (const ShortlistEntry& entry : {row.first, row.second}) {
                if (std::find(shortlist_.begin(), shortlist_.end(), entry) == shortlist_.end()) {
                    shortlist_.push_back(entry);
                }
            }
            added = true;
        },
        this);
    deps_.interaction->runDialog(dialog);
    if (added) {
        showShortlist();
    }
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
        connect(shortlistWindow_, &ShortlistWindow::rowActivated, this,
                &MainWindow::showShortlistedName);
    }
    std::vector<NameSheetRow> rows;
    std::vector<MeaningCells> meanings;
    for (const ShortlistEntry& entry : shortlist_) {
        rows.push_back(shortlistRow(entry));
        const std::string_view given =
            std::string_view(entry.fullName).substr(entry.surname.size());
        MeaningCells cells = meaningCells(tables_->meanings, given);
        const std::vector<std::string> keep = nameKeeps(entry.surname, given);
        cells.sources = deps_.text.convert(cells.sources, keep);
        cells.meanings = deps_.text.convert(cells.meanings, keep);
        meanings.push_back(std::move(cells));
    }
    shortlistWindow_->setRows(rows, meanings);
    shortlistWindow_->show();
    shortlistWindow_->raise();
}

bool MainWindow::countable(const std::string& surname, const std::string& given) {
    // A name from a list file may hold a character without a count: it is refused, not judged
    // on a grid of 0.
    const std::u32string missing = tables_->names.strokes.uncounted(utf8ToU32(surname + given));
    if (missing.empty()) {
        return true;
    }
    message(uncountedMessage(missing));
    return false;
}

void MainWindow::showShortlistedName(int row) {
    if (row < 0 || row >= static_cast<int>(shortlist_.size()) || running_) {
        return;
    }
    const ShortlistEntry& entry = shortlist_[static_cast<std::size_t>(row)];
    const std::string given = entry.fullName.substr(entry.surname.size());
    const SearchState& state = search_.state();
    if (!countable(entry.surname, given)) {
        return;
    }
    const NameAnalysis analysis = engine_.AnalyzeName(
        entry.surname, given, {entry.female, state.bShenChen, state.sNeedWx, true});
    // The list's selection would name another name than the label: it goes.
    List1->clearSelection();
    Label1->setText(qs(entry.fullName));
    showNameReport(entry.surname, given, entry.female, analysis.report);
}

void MainWindow::outputtable_Click() {
    bool fromShortlist = false;
    if (!shortlist_.empty()) {
        const std::optional<int> choice = deps_.interaction->askChoice(
            this, tr("导出哪一份名单？"), {tr("当前姓名列表"), tr("备选名单")});
        if (!choice) {
            return;
        }
        fromShortlist = *choice == 1;
    }
    const SearchState& state = search_.state();
    const QDate today = (deps_.now ? deps_.now() : QDateTime::currentDateTime()).date();
    const std::string& surname =
        fromShortlist && !shortlist_.empty() ? shortlist_.front().surname : state.Gxing;
    const QString path = withCsvSuffix(deps_.interaction->saveFileName(
        this, tableFileFilter(), suggestedTableName(surname, today)));
    if (path.isEmpty()) {
        return;
    }
    // With a birth moment the table says whether each name meets its favourable elements.
    const bool withBirth = !state.Gxiyong.empty();
    std::vector<NameSheetRow> rows;
    // Each row closes with the name's sources and the meanings of its characters.
    auto add = [&](NameSheetRow row, std::string_view given) {
        MeaningCells cells = meaningCells(tables_->meanings, given);
        row.sources = std::move(cells.sources);
        row.meanings = std::move(cells.meanings);
        rows.push_back(std::move(row));
    };
    if (fromShortlist) {
        for (const ShortlistEntry& entry : shortlist_) {
            const std::string_view given =
                std::string_view(entry.fullName).substr(entry.surname.size());
            add(judgeNameRow(engine_, entry.surname, given,
                             {entry.female, state.bShenChen, state.Gxiyong, false}),
                given);
        }
    } else {
        for (int i = 0; i < List1->count(); ++i) {
            const std::optional<std::string> given =
                givenNameFromListEntry(entryWithoutMark(List1->item(i)->text()), state.Gxing);
            if (given && !given->empty()) {
                add(judgeNameRow(engine_, state.Gxing, *given,
                                 {state.bFamale, state.bShenChen, state.Gxiyong, false}),
                    *given);
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
        message(problem, pathKeeps({utf8(path)}));
        return;
    }
    statusBar()->showMessage(tr("表格已导出到 ") + QDir::toNativeSeparators(path));
}

void MainWindow::outputnamefile_Click() {
    try {
        outputNamesFile();
    } catch (const std::bad_alloc&) {
        message(tr(kOutOfMemory));
    }
}

void MainWindow::outputNamesFile() {
    const QString path = deps_.interaction->saveFileName(this, nameListFileFilter(), {});
    if (path.isEmpty() || List1->count() == 0) {
        return;
    }
    NameList list;
    list.Gxing = search_.state().Gxing;
    for (int i = 0; i < List1->count(); ++i) {
        list.entries.push_back(entryWithoutMark(List1->item(i)->text()));
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
        message(problem, pathKeeps({utf8(path), shortlistPathFor(utf8(path))}));
        return;
    }
    statusBar()->showMessage(tr("姓名列表已导出到 ") + QDir::toNativeSeparators(path));
}

void MainWindow::inputnamefile_Click() {
    try {
        inputNamesFile();
    } catch (const std::bad_alloc&) {
        message(tr(kOutOfMemory));
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
        hadRun_ = false;
        rerun_->hide();
        List1->clear();
        // The shown name came from the list that the import replaced.
        Label1->clear();
        report_->clear();
        search_.state().Gxing = imported.list->Gxing;
        for (const std::string& entry : imported.list->entries) {
            List1->addItem(qs(entry));
        }
    }
    if (!imported.message.empty()) {
        message(imported.message, pathKeeps({utf8(path)}));
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
            message(saved.message, pathKeeps({utf8(path), shortlistPathFor(utf8(path))}));
        }
        if (added) {
            showShortlist();
        }
    }
}

std::optional<ReadOnlyTarget> MainWindow::askBeforeReadOnly(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        if (isReadOnlyFile(path)) {
            const std::optional<int> choice = deps_.interaction->askChoice(
                this, tr("文件“%1”是只读的，要替换它吗？").arg(qs(visibleText(path))),
                {tr("替换"), tr("取消")});
            if (choice != 0) {
                return std::nullopt;
            }
            return ReadOnlyTarget::Replace;
        }
    }
    return ReadOnlyTarget::Refuse;
}

}  // namespace norlune::ui
