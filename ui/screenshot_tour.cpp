#include "ui/screenshot_tour.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextStream>
#include <algorithm>

#include "ui/help_window.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/user_interaction.h"

namespace norlune::ui {
namespace {

class TourInteraction final : public UserInteraction {
public:
    explicit TourInteraction(QString directory) : directory_(std::move(directory)) {}

    void showMessage(QWidget*, const QString& text) override {
        QTextStream(stderr) << "message: " << text << '\n';
    }
    QString saveFileName(QWidget*, const QString&) override { return {}; }
    QString openFileName(QWidget*, const QString&) override { return {}; }
    std::optional<int> askNumber(QWidget*, const QString&, int value, int, int) override {
        return value;
    }
    std::optional<int> askChoice(QWidget*, const QString&, const QStringList&) override {
        return 0;
    }
    void runBirthTimeDialog(BirthTimeDialog& dialog) override {
        dialog.show();
        dialog.Calendar1->setSelectedDate(QDate(1985, 2, 4));
        dialog.Combo1->setCurrentIndex(dialog.Combo1->findText(QStringLiteral("9")));
        dialog.Combo2->setCurrentIndex(dialog.Combo2->findText(QStringLiteral("05")));
        dialog.Combo3->setCurrentIndex(dialog.Combo3->findText(qs("新疆维吾尔自治区")));
        dialog.Combo4->setCurrentIndex(dialog.Combo4->findText(qs("乌鲁木齐市")));
        QApplication::processEvents();
        saved_ = saved_ &&
                 dialog.grab().save(QDir(directory_).filePath(QStringLiteral("birth_dialog.png")));
        dialog.Command2->click();
    }

    bool saved() const { return saved_; }

private:
    QString directory_;
    bool saved_ = true;
};

bool save(QWidget& widget, const QString& directory, const char* name) {
    QApplication::processEvents();
    return widget.grab().save(QDir(directory).filePath(QString::fromLatin1(name)));
}

}  // namespace

int runScreenshotTour(const QString& directory, const std::string& candidateDirectory) {
    QDir().mkpath(directory);
    TourInteraction interaction(directory);
    MainWindowDeps deps;
    deps.interaction = &interaction;
    deps.candidateDirectory = candidateDirectory;
    deps.now = [] { return QDateTime::currentDateTime(); };
    deps.locale = QLocale(QLocale::Chinese, QLocale::China);
    MainWindow window(deps);
    window.show();
    bool ok = save(window, directory, "main_start.png");

    // A search with the window's own settings, then the first listed name.
    window.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    auto* list = window.findChild<QListWidget*>(QStringLiteral("List1"));
    if (list->count() > 0) {
        list->setCurrentRow(0);
    }
    ok = save(window, directory, "main_search.png") && ok;
    // The end of that name's report: its sound section.
    if (auto* report = window.findChild<QPlainTextEdit*>(QStringLiteral("Text2"))) {
        report->verticalScrollBar()->setValue(report->verticalScrollBar()->maximum());
        ok = save(window, directory, "main_sound.png") && ok;
        report->verticalScrollBar()->setValue(0);
    }

    // Scores in the list, best first; the first four names on the shortlist.
    window.findChild<QAction*>(QStringLiteral("sortbyscore"))->trigger();
    if (list->count() > 0) {
        list->setCurrentRow(0);
    }
    ok = save(window, directory, "main_scores.png") && ok;
    auto* add = window.findChild<QAction*>(QStringLiteral("addtoshortlist"));
    for (int row = 0; row < std::min(4, list->count()); ++row) {
        list->setCurrentRow(row);
        add->trigger();
    }
    if (window.shortlistWindow() != nullptr) {
        ok = save(*window.shortlistWindow(), directory, "shortlist.png") && ok;
    }

    window.findChild<QPushButton*>(QStringLiteral("Command4"))->click();
    ok = interaction.saved() && ok;
    ok = save(window, directory, "main_bazi.png") && ok;

    HelpWindow help;
    help.show();
    ok = save(help, directory, "help.png") && ok;
    QTextStream(stderr) << (ok ? "screenshots saved in " : "could not save screenshots in ")
                        << directory << '\n';
    return ok ? 0 : 1;
}

}  // namespace norlune::ui
