#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QInputMethodEvent>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

#include "ui_fixture.h"

namespace norlune::ui::testing {

void FakeInteraction::showMessage(QWidget*, const QString& text) {
    messages << text;
}

bool FakeInteraction::showOptionalMessage(QWidget*, const QString& text) {
    messages << text;
    optionalMessages << text;
    return optOutAnswer;
}

QString FakeInteraction::saveFileName(QWidget*, const QString& filter,
                                      const QString& suggestedName) {
    ++saveDialogs;
    filters << filter;
    suggestions << suggestedName;
    return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
}

QString FakeInteraction::openFileName(QWidget*, const QString& filter) {
    ++openDialogs;
    filters << filter;
    return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
}

void FakeInteraction::runBirthTimeDialog(BirthTimeDialog& dialog) {
    ++birthDialogs;
    dialog.show();
    if (birthDialogScript) {
        birthDialogScript(dialog);
    }
    if (dialog.isVisible()) {
        dialog.close();
    }
}

void FakeInteraction::runDialog(QDialog& dialog) {
    dialogs << dialog.objectName();
    dialog.show();
    if (dialogScript) {
        dialogScript(dialog);
    }
    if (dialog.isVisible()) {
        dialog.reject();
    }
}

std::optional<int> FakeInteraction::askNumber(QWidget*, const QString& prompt, int value,
                                              int minimum, int maximum) {
    questions << prompt;
    numberRanges.emplace_back(minimum, maximum);
    numberStarts.push_back(value);
    if (numberAnswers.empty()) {
        return std::nullopt;
    }
    const std::optional<int> answer = numberAnswers.front();
    numberAnswers.erase(numberAnswers.begin());
    return answer;
}

std::optional<int> FakeInteraction::askChoice(QWidget*, const QString& prompt,
                                              const QStringList& choices) {
    questions << prompt;
    offeredChoices.push_back(choices);
    if (choiceAnswers.empty()) {
        return std::nullopt;
    }
    const std::optional<int> answer = choiceAnswers.front();
    choiceAnswers.erase(choiceAnswers.begin());
    return answer;
}

std::shared_ptr<const ReferenceTables> sharedTables() {
    static const std::shared_ptr<const ReferenceTables> tables = fillReferenceTables();
    return tables;
}

QDateTime fixedNow() {
    return QDateTime(QDate(2026, 12, 7), QTime(10, 30, 45));
}

void WindowTest::SetUp() {
    ASSERT_TRUE(folder.isValid());
    settings = std::make_unique<QSettings>(folder.filePath(QStringLiteral("settings.ini")),
                                           QSettings::IniFormat);
    window = std::make_unique<MainWindow>(deps());
}

void WindowTest::reopenWindow() {
    window.reset();
    window = std::make_unique<MainWindow>(deps());
}

MainWindowDeps WindowTest::deps() {
    MainWindowDeps deps;
    deps.interaction = &fake;
    deps.settings = settings.get();
    deps.candidateDirectory = folder.path().toStdString();
    deps.now = [] { return fixedNow(); };
    deps.locale = QLocale(QLocale::Chinese, QLocale::China);
    deps.tables = sharedTables();
    deps.frameClock = [this] {
        if (onFrameClock) {
            onFrameClock();
        }
        return frameTime += frameStep;
    };
    return deps;
}

void WindowTest::TearDown() {
    window.reset();
}

std::string WindowTest::folderPath(const char* fileName) const {
    return folder.filePath(QString::fromLatin1(fileName)).toStdString();
}

void WindowTest::writeCandidates(const char* fileName, const std::vector<std::string>& lines,
                                 const std::string& header) {
    std::string text = header.empty() ? std::to_string(lines.size()) : header;
    text += "\r\n";
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    QFile file(folder.filePath(QString::fromLatin1(fileName)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.data(), static_cast<qint64>(text.size()));
}

QAction* WindowTest::action(const char* name) const {
    auto* found = window->findChild<QAction*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

QStringList WindowTest::listEntries() const {
    QStringList entries;
    auto* list = control<QListWidget>("List1");
    for (int i = 0; i < list->count(); ++i) {
        entries << list->item(i)->text();
    }
    return entries;
}

void typeText(QWidget* widget, const QString& text) {
    for (const char32_t ch : text.toUcs4()) {
        QInputMethodEvent event;
        event.setCommitString(QString::fromUcs4(&ch, 1));
        QCoreApplication::sendEvent(widget, &event);
    }
}

QString reportBody(const QString& boxText) {
    const qsizetype end = boxText.indexOf(QStringLiteral("\n\n"));
    EXPECT_TRUE(boxText.startsWith(QStringLiteral("-----------------") + qs("概要")))
        << boxText.left(80).toStdString();
    EXPECT_GE(end, 0);
    return end < 0 ? boxText : boxText.mid(end + 2);
}

QStringList summaryOf(const QString& boxText) {
    const qsizetype end = boxText.indexOf(QStringLiteral("\n\n"));
    return end < 0 ? QStringList() : boxText.left(end).split(QLatin1Char('\n'));
}

std::function<void(BirthTimeDialog&)> chooseBirthTime(QDate date, int hour, int minute) {
    return [=](BirthTimeDialog& dialog) {
        dialog.Calendar1->setSelectedDate(date);
        dialog.Combo1->setCurrentIndex(dialog.Combo1->findText(QString::number(hour)));
        dialog.Combo2->setValue(minute);
        dialog.Command2->click();
    };
}

}  // namespace norlune::ui::testing
