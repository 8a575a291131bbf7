#pragma once
// Every modal interaction of the window goes through this interface: message boxes, the file
// dialogs, the birth-time dialog and the smaller dialogs of the 选项 menu. The program uses
// QtUserInteraction; tests put in their own, answer without blocking and record what was asked.
#include <QString>
#include <QStringList>
#include <optional>

class QDialog;
class QFileDialog;
class QWidget;

namespace norlune::ui {

class BirthTimeDialog;

class UserInteraction {
public:
    virtual ~UserInteraction() = default;

    // A message box with an OK button only; returns once it is closed.
    virtual void showMessage(QWidget* parent, const QString& text) = 0;
    // The same with a check box "以后不再提示"; returns whether the user ticked it.
    virtual bool showOptionalMessage(QWidget* parent, const QString& text) = 0;
    // The save and open dialogs with one filter entry; an empty text when cancelled. The save
    // dialog proposes `suggestedName` (a file name without folder) when it is not empty.
    virtual QString saveFileName(QWidget* parent, const QString& filter,
                                 const QString& suggestedName) = 0;
    virtual QString openFileName(QWidget* parent, const QString& filter) = 0;
    // Shows the birth-time dialog modally and returns once it is closed.
    virtual void runBirthTimeDialog(BirthTimeDialog& dialog) = 0;
    // Asks for a whole number from `minimum` to `maximum`, starting at `value`; nothing when
    // cancelled.
    virtual std::optional<int> askNumber(QWidget* parent, const QString& prompt, int value,
                                         int minimum, int maximum) = 0;
    // Lets the user pick one of `choices`; its index, or nothing when cancelled.
    virtual std::optional<int> askChoice(QWidget* parent, const QString& prompt,
                                         const QStringList& choices) = 0;
    // Shows one of the window's smaller dialogs (避讳用字, 双胞胎起名) modally and returns once it
    // is closed; the caller reads its result().
    virtual void runDialog(QDialog& dialog) = 0;
};

class QtUserInteraction final : public UserInteraction {
public:
    void showMessage(QWidget* parent, const QString& text) override;
    bool showOptionalMessage(QWidget* parent, const QString& text) override;
    QString saveFileName(QWidget* parent, const QString& filter,
                         const QString& suggestedName) override;
    QString openFileName(QWidget* parent, const QString& filter) override;
    void runBirthTimeDialog(BirthTimeDialog& dialog) override;
    std::optional<int> askNumber(QWidget* parent, const QString& prompt, int value, int minimum,
                                 int maximum) override;
    std::optional<int> askChoice(QWidget* parent, const QString& prompt,
                                 const QStringList& choices) override;
    void runDialog(QDialog& dialog) override;
};

// The title of the program's message boxes.
QString messageTitle();
// Sets up the program's file dialogs: Qt's own dialog (in the program's language), one filter, the
// documents folder, and the suggested file name of a save dialog.
void prepareFileDialog(QFileDialog& dialog, bool save, const QString& filter,
                       const QString& suggestedName);

// The caption of the check box that switches a message off.
QString dontShowAgainText();

}  // namespace norlune::ui
