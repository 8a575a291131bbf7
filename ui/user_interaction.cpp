#include "ui/user_interaction.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QStandardPaths>

#include "ui/birth_time_dialog.h"
#include "ui/qt_text.h"

namespace norlune::ui {
namespace {

QString runFileDialog(QWidget* parent, bool save, const QString& filter,
                      const QString& suggestedName) {
    QFileDialog dialog(parent);
    prepareFileDialog(dialog, save, filter, suggestedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().front();
}

}  // namespace

void prepareFileDialog(QFileDialog& dialog, bool save, const QString& filter,
                       const QString& suggestedName) {
    dialog.setObjectName(QStringLiteral("fileDialog"));
    // Qt's own file dialog rather than the desktop's: it speaks the program's language (Qt's
    // Chinese translation) and looks the same everywhere.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(filter);
    dialog.setWindowTitle(save ? WindowText::tr("保存") : WindowText::tr("打开"));
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    dialog.setDirectory(QDir(documents).exists() ? documents : QDir::homePath());
    if (!suggestedName.isEmpty()) {
        dialog.selectFile(suggestedName);
    }
}

QString messageTitle() {
    return QStringLiteral("Norlune");
}

QString dontShowAgainText() {
    return WindowText::tr("以后不再提示");
}

void QtUserInteraction::showMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, messageTitle(), text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtUserInteraction::showOptionalMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, messageTitle(), text, QMessageBox::Ok, parent);
    auto* dontShow = new QCheckBox(dontShowAgainText(), &box);
    box.setCheckBox(dontShow);
    box.exec();
    return dontShow->isChecked();
}

QString QtUserInteraction::saveFileName(QWidget* parent, const QString& filter,
                                        const QString& suggestedName) {
    return runFileDialog(parent, true, filter, suggestedName);
}

QString QtUserInteraction::openFileName(QWidget* parent, const QString& filter) {
    return runFileDialog(parent, false, filter, {});
}

void QtUserInteraction::runBirthTimeDialog(BirthTimeDialog& dialog) {
    dialog.exec();
}

void QtUserInteraction::runDialog(QDialog& dialog) {
    dialog.exec();
}

std::optional<int> QtUserInteraction::askNumber(QWidget* parent, const QString& prompt, int value,
                                                int minimum, int maximum) {
    bool ok = false;
    const int number =
        QInputDialog::getInt(parent, messageTitle(), prompt, value, minimum, maximum, 1, &ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

std::optional<int> QtUserInteraction::askChoice(QWidget* parent, const QString& prompt,
                                                const QStringList& choices) {
    bool ok = false;
    const QString chosen =
        QInputDialog::getItem(parent, messageTitle(), prompt, choices, 0, false, &ok);
    const qsizetype index = choices.indexOf(chosen);
    return ok && index >= 0 ? std::optional<int>(static_cast<int>(index)) : std::nullopt;
}

}  // namespace norlune::ui
