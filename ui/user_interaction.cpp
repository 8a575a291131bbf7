#include "ui/user_interaction.h"

#include <QFileDialog>
#include <QInputDialog>
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
