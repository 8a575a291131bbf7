#include "ui/user_interaction.h"

#include <QFileDialog>
#include <QMessageBox>

#include "ui/birth_time_dialog.h"

namespace norlune::ui {

QString messageTitle() {
    return QStringLiteral("Norlune");
}

void QtUserInteraction::showMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, messageTitle(), text, QMessageBox::Ok, parent);
    box.exec();
}

QString QtUserInteraction::saveFileName(QWidget* parent, const QString& filter) {
    return QFileDialog::getSaveFileName(parent, QString(), QString(), filter);
}

QString QtUserInteraction::openFileName(QWidget* parent, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
}

void QtUserInteraction::runBirthTimeDialog(BirthTimeDialog& dialog) {
    dialog.exec();
}

}  // namespace norlune::ui
