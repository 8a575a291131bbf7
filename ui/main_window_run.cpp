// The search run as the main window drives it: start, one candidate per pass, the end of the run.
#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalBlocker>
#include <QStatusBar>
#include <new>

#include "engine/name_report.h"
#include "search/candidate_file.h"
#include "ui/fit_label.h"
#include "ui/input_check.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/result_panels.h"
#include "ui/settings_panel.h"
#include "ui/user_interaction.h"

namespace norlune::ui {
namespace {

constexpr const char* kOutOfMemory =
    QT_TRANSLATE_NOOP("norlune::ui::MainWindow", "内存不足，操作未能完成");

QString secondsText(std::int64_t milliseconds) {
    return QString::number(static_cast<double>(milliseconds) / 1000.0, 'f', 1);
}

}  // namespace

std::string runListEntry(const KeptName& name, std::string_view surname, bool scored,
                         const NameMeanings& meanings) {
    if (!scored) {
        return name.fullName;
    }
    std::string entry = scoredEntry(name);
    const std::optional<std::string> given = givenNameFromListEntry(name.fullName, surname);
    if (given && !given->empty() && meanings.hasClassicalSource(*given)) {
        entry += kClassicalMark;
    }
    return entry;
}

std::string entryWithoutMark(const QString& entry) {
    std::string text = utf8(entry);
    if (text.ends_with(kClassicalMark)) {
        text.resize(text.size() - kClassicalMark.size());
    }
    return text;
}

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
        message(tr(kOutOfMemory));
    }
}

void MainWindow::startSearch() {
    if (running_ || search_.running() || !inputProblem_.isEmpty()) {
        return;
    }
    Command1->setEnabled(false);
    Command2->setEnabled(true);
    SearchSettings settings;
    settings.surname = trimmedText(utf8(Text1->text()));
    settings.female = Option8->isChecked();
    settings.nameLength = settings_->nameLength();
    settings.left = trimmedText(utf8(Text4->text()));
    settings.right = trimmedText(utf8(Text5->text()));
    settings.either = Check1->isChecked();
    settings.cleanSound = cleansound->isChecked();
    settings.standardChars = standardchars->isChecked();
    settings.avoid = utf8(avoid_.characters);
    settings.avoidSound = avoid_.bySound && !avoid_.characters.isEmpty();
    const NameSearch::StartResult start = search_.start(settings, deps_.candidateDirectory);
    if (start.kind == NameSearch::StartResult::Kind::Refused) {
        return;
    }
    // A new run starts on a clean screen: nothing of the last name or count stays.
    rerun_->hide();
    statusBar()->clearMessage();
    Label1->clear();
    report_->clear();
    Label5->setText(tr("已测算0个姓名"));
    ProgressBar1->setValue(0);
    switch (start.kind) {
        case NameSearch::StartResult::Kind::Direct: {
            Label1->setText(qs(start.fullName));
            showNameReport(settings.surname, settings.left + settings.right, settings.female,
                           start.report);
            runNames_ = {KeptName{start.fullName, start.score, 1}};
            showRunList(false);
            {
                const QSignalBlocker blocker(List1);
                List1->setCurrentRow(0);
            }
            hadRun_ = true;
            Command2->setEnabled(false);
            updateCommands();
            return;
        }
        case NameSearch::StartResult::Kind::Failed:
            Command2->setEnabled(false);
            updateCommands();
            message(start.message, pathKeeps({candidateFilePath(deps_.candidateDirectory, false),
                                              candidateFilePath(deps_.candidateDirectory, true)}));
            return;
        case NameSearch::StartResult::Kind::Refused:
        case NameSearch::StartResult::Kind::Searching:
            break;
    }
    running_ = true;
    updateCommands();
    List1->setEnabled(false);
    if (!start.warning.empty()) {
        message(start.warning, pathKeeps({candidateFilePath(deps_.candidateDirectory, false),
                                          candidateFilePath(deps_.candidateDirectory, true)}));
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
    std::string completion;
    while (true) {
        NameSearch::Step step = search_.step();
        if (step.endOfFile) {
            showPending(pending);
            completion = step.message;
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
    finishSearch(completion, steady.elapsed());
}

void MainWindow::finishSearch(const std::string& completion, std::int64_t milliseconds) {
    if (!completion.empty()) {
        // The plain completion message may be switched off; one that reports skipped lines is
        // always shown.
        const QString hideKey = QString::fromLatin1(kHideCompletionKey);
        if (completion != kSearchCompleteMessage) {
            message(completion);
        } else if (deps_.settings == nullptr || !deps_.settings->value(hideKey, false).toBool()) {
            if (deps_.interaction->showOptionalMessage(this, deps_.text(completion)) &&
                deps_.settings != nullptr) {
                deps_.settings->setValue(hideKey, true);
            }
        }
    }
    search_.finish();
    runNames_ = search_.kept();
    showRunList(false);
    List1->setEnabled(true);
    Command2->setEnabled(false);
    running_ = false;
    hadRun_ = true;
    updateCommands();
    // The label and the report show a result, never the last candidate that was checked: the
    // first name of the list, as a click on it would.
    if (List1->count() > 0) {
        List1->setCurrentRow(0);
    } else {
        Label1->clear();
    }
    const QString found = tr("列出 ") + QString::number(runNames_.size()) + tr(" 个名字（共测算 ") +
                          QString::number(search_.state().TestNum) + tr(" 个），用时 ") +
                          secondsText(milliseconds) + tr(" 秒");
    statusBar()->showMessage(completion.empty() ? tr("测算已停止：") + found
                                                : tr("测算完成：") + found);
}

void MainWindow::showPending(PendingDisplay& pending) {
    if (pending.progress) {
        ProgressBar1->setValue(*pending.progress);
    }
    if (pending.label1) {
        Label1->setText(qs(*pending.label1));
    }
    if (pending.label5) {
        Label5->setText(deps_.text(*pending.label5));
    }
    pending = {};
}

void MainWindow::Command2_Click() {
    search_.requestStop();
    Command2->setEnabled(false);
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
        auto* item = new QListWidgetItem(
            qs(runListEntry(name, search_.state().Gxing, scored, tables_->meanings)), List1);
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

void MainWindow::avoidchars_Click() {
    AvoidDialog dialog(avoid_, this);
    deps_.interaction->runDialog(dialog);
    if (dialog.result() != QDialog::Accepted) {
        return;
    }
    const AvoidChoice chosen = dialog.choice();
    if (chosen == avoid_) {
        return;
    }
    avoid_ = chosen;
    if (deps_.settings != nullptr) {
        deps_.settings->setValue(QString::fromLatin1(kAvoidCharactersKey), avoid_.characters);
        deps_.settings->setValue(QString::fromLatin1(kAvoidSoundKey), avoid_.bySound);
    }
    statusBar()->showMessage(avoid_.characters.isEmpty()
                                 ? tr("已不再避讳用字；下次测算时生效")
                                 : tr("避讳用字：") + avoid_.characters +
                                       (avoid_.bySound ? tr("（同音也避开）") : QString()) +
                                       tr("；下次测算时生效"));
}

void MainWindow::loadFamilyChoices() {
    if (deps_.settings == nullptr) {
        return;
    }
    // A kept text that no longer passes the check (edited by hand) is dropped.
    const QString characters =
        withoutBlanks(deps_.settings->value(QString::fromLatin1(kAvoidCharactersKey)).toString());
    if (avoidCharactersProblem(characters).isEmpty()) {
        avoid_.characters = characters;
        avoid_.bySound = deps_.settings->value(QString::fromLatin1(kAvoidSoundKey), false).toBool();
    }
    const QString elements = orderedElements(
        deps_.settings->value(QString::fromLatin1(kFavourableElementsKey)).toString());
    if (deps_.settings->value(QString::fromLatin1(kFavourableByHandKey), false).toBool() &&
        !elements.isEmpty()) {
        favourable_ = {true, elements};
        BaZhiCal();
    }
}

void MainWindow::varietylimit_Click() {
    const std::optional<int> limit = deps_.interaction->askNumber(
        this, tr("首字相同、末字相同的名字各最多保留几个（0 为不限）："), search_.varietyLimit(), 0,
        BestNameTable::kMaxVariety);
    if (limit) {
        search_.setVarietyLimit(*limit);
        showVarietyLimit();
    }
}

}  // namespace norlune::ui
