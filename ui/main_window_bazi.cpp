// The main window's BaZi side: the birth-time dialog, the BaZi box and the BaZi option, and the
// offer to run again when they change what a finished run was judged by.
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStatusBar>

#include "calendar/bazi_report.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/result_panels.h"
#include "ui/user_interaction.h"

namespace norlune::ui {

void MainWindow::Check2_Click() {
    SearchState& state = search_.state();
    state.bShenChen = Check2->isChecked();
    if (state.bShenChen && state.Gxiyong.empty()) {
        message(tr("请指定出生时间！"));
        Command4_Click();
    }
    offerRerun();
}

void MainWindow::Command4_Click() {
    const std::string favourableBefore = search_.state().Gxiyong;
    BirthTimeDialog dialog(birthTime_, *deps_.interaction, deps_.now, tables_->calendar.places,
                           deps_.text, this);
    deps_.interaction->runBirthTimeDialog(dialog);
    BaZhiCal();
    if (search_.state().bShenChen && search_.state().Gxiyong != favourableBefore) {
        offerRerun();
    }
}

void MainWindow::BaZhiCal() {
    SearchState& state = search_.state();
    if (!birthTime_.BirthMomentSet || !birthTime_.BirthMoment) {
        // No moment, or one withdrawn with 取消: nothing of it stays on the screen or in the
        // favourable elements that the next run would judge by.
        if (bazi_->birthMomentShown()) {
            const QDateTime now = deps_.now ? deps_.now() : QDateTime::currentDateTime();
            bazi_->showUnconfirmedDate(deps_.locale.toString(now.date(), QLocale::ShortFormat));
        }
        Text3->clear();
        state.Gxiyong.clear();
        applyFavourableByHand();
        return;
    }
    const norlune::BirthMoment moment = *birthMomentWithPlace(birthTime_);
    bazi_->showBirthMoment(generalDateText(deps_.locale, moment));
    const int sexCode = Option7->isChecked() ? kSexMale : kSexFemale;
    const BaZiReportOptions options{
        showsMinguoYear(moment, deps_.text.script() == norlune::Script::Hant)};
    const BaZiReport report = BuildBaZiReport(tables_->calendar, moment, sexCode, options);
    Text3->setPlainText(reportText(deps_.text.convert(report.text)));
    state.Gxiyong = report.favourable;
    applyFavourableByHand();
}

void MainWindow::applyFavourableByHand() {
    if (!favourable_.byHand) {
        return;
    }
    search_.state().Gxiyong = utf8(favourable_.elements);
    Text3->appendPlainText(tr("喜用五行（自行指定）：") + favourable_.elements);
}

void MainWindow::favourable_Click() {
    FavourableDialog dialog(favourable_, this);
    deps_.interaction->runDialog(dialog);
    if (dialog.result() != QDialog::Accepted || dialog.choice() == favourable_) {
        return;
    }
    favourable_ = dialog.choice();
    if (deps_.settings != nullptr) {
        deps_.settings->setValue(QString::fromLatin1(kFavourableByHandKey), favourable_.byHand);
        deps_.settings->setValue(QString::fromLatin1(kFavourableElementsKey), favourable_.elements);
    }
    const std::string favourableBefore = search_.state().Gxiyong;
    BaZhiCal();
    if (search_.state().bShenChen && search_.state().Gxiyong != favourableBefore) {
        offerRerun();
    }
}

void MainWindow::offerRerun() {
    if (hadRun_ && !running_) {
        rerun_->show();
        statusBar()->showMessage(tr("八字设置已改，当前列表仍按原设置测算；可按右侧按钮重新测算"));
    }
}

}  // namespace norlune::ui
