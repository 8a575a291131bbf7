#include "ui/screenshot_tour.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QTextStream>
#include <QThread>
#include <algorithm>

#include "search/name_search.h"
#include "ui/help_window.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/user_interaction.h"

namespace norlune::ui {
namespace {

class Saver {
public:
    Saver(QString directory, QString prefix)
        : directory_(std::move(directory)), prefix_(std::move(prefix)) {}

    void operator()(QWidget& widget, const char* name) {
        // Let the window system map and paint the widget first.
        for (int i = 0; i < 5; ++i) {
            QApplication::processEvents();
            QThread::msleep(20);
        }
        const QString path = QDir(directory_).filePath(prefix_ + QString::fromLatin1(name));
        ok_ = widget.grab().save(path) && ok_;
    }
    bool ok() const { return ok_; }

private:
    QString directory_;
    QString prefix_;
    bool ok_ = true;
};

class TourInteraction final : public UserInteraction {
public:
    explicit TourInteraction(Saver& save) : save_(save) {}

    void showMessage(QWidget*, const QString& text) override {
        QTextStream(stderr) << "message: " << text << '\n';
    }
    bool showOptionalMessage(QWidget* parent, const QString& text) override {
        showMessage(parent, text);
        return false;
    }
    QString saveFileName(QWidget*, const QString&, const QString&) override { return {}; }
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
        dialog.Combo2->setValue(5);
        dialog.Combo3->setCurrentIndex(dialog.Combo3->findData(qs("新疆维吾尔自治区")));
        dialog.Combo4->setCurrentIndex(dialog.Combo4->findData(qs("乌鲁木齐市")));
        save_(dialog, "birth_dialog.png");
        dialog.Command2->click();
    }
    // The smaller dialogs are pictured as they open and closed unchanged.
    void runDialog(QDialog& dialog) override {
        dialog.show();
        save_(dialog, (dialog.objectName() + QStringLiteral(".png")).toLatin1().constData());
        dialog.reject();
    }

private:
    Saver& save_;
};

}  // namespace

int runScreenshotTour(const QString& directory, const QString& prefix,
                      const std::string& candidateDirectory, const InterfaceText& text) {
    QDir().mkpath(directory);
    Saver save(directory, prefix);
    TourInteraction interaction(save);
    MainWindowDeps deps;
    deps.interaction = &interaction;
    deps.candidateDirectory = candidateDirectory;
    deps.now = [] { return QDateTime::currentDateTime(); };
    deps.locale = text.script() == Script::Hant ? QLocale(QLocale::Chinese, QLocale::Taiwan)
                                                : QLocale(QLocale::Chinese, QLocale::China);
    deps.text = text;
    MainWindow window(deps);
    window.show();
    save(window, "main_start.png");

    // A search with the window's own settings: it ends with the first name and its report.
    window.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    auto* list = window.findChild<QListWidget*>(QStringLiteral("List1"));
    save(window, "main_search.png");
    auto* report = window.findChild<QPlainTextEdit*>(QStringLiteral("Text2"));
    save(*report, "report_summary.png");
    // The end of that name's report: its sound section.
    report->verticalScrollBar()->setValue(report->verticalScrollBar()->maximum());
    save(window, "main_sound.png");
    report->verticalScrollBar()->setValue(0);

    // Scores in the list, best first; the first four names on the shortlist.
    window.findChild<QAction*>(QStringLiteral("sortbyscore"))->trigger();
    if (list->count() > 0) {
        list->setCurrentRow(0);
    }
    save(window, "main_scores.png");
    auto* add = window.findChild<QPushButton*>(QStringLiteral("addToShortlistButton"));
    for (int row = 0; row < std::min(4, list->count()); ++row) {
        list->setCurrentRow(row);
        add->click();
    }
    if (window.shortlistWindow() != nullptr) {
        save(*window.shortlistWindow(), "shortlist.png");
        window.shortlistWindow()->hide();
    }

    // The family dialogs of the 选项 menu, as they open.
    window.findChild<QAction*>(QStringLiteral("avoidchars"))->trigger();
    window.findChild<QAction*>(QStringLiteral("favourable"))->trigger();
    window.findChild<QAction*>(QStringLiteral("twins"))->trigger();

    window.findChild<QPushButton*>(QStringLiteral("Command4"))->click();
    save(window, "main_bazi.png");
    // The BaZi option after the run: the window offers to run again.
    window.findChild<QCheckBox*>(QStringLiteral("Check2"))->click();
    save(window, "main_rerun.png");
    // Run again: the summary now says whether the name meets the favourable elements.
    window.findChild<QPushButton*>(QStringLiteral("rerunButton"))->click();
    save(*report, "report_summary_bazi.png");

    // The whole screen: the list, the BaZi box and the report take the room.
    window.setGeometry(window.screen()->availableGeometry());
    window.showMaximized();
    save(window, "main_maximised.png");
    const int reportHeight = report->height();
    QTextStream(stderr) << "maximised: window " << window.width() << "x" << window.height()
                        << ", report " << report->width() << "x" << reportHeight << '\n';
    window.showNormal();

    // The 选项 menu with its 界面文字 entry open.
    auto* options = window.findChild<QMenu*>(QStringLiteral("optionsmenu"));
    options->popup(window.mapToGlobal(QPoint(40, 20)));
    auto* scripts = window.findChild<QMenu*>(QStringLiteral("scriptmenu"));
    options->setActiveAction(scripts->menuAction());
    scripts->popup(options->geometry().topRight());
    save(*options, "options_menu.png");
    save(*scripts, "script_menu.png");
    scripts->hide();
    options->hide();

    QFileDialog files(&window);
    prepareFileDialog(files, true, tableFileFilter(),
                      suggestedTableName(window.state().Gxing, QDate::currentDate()));
    files.show();
    save(files, "file_dialog.png");
    files.hide();

    QMessageBox box(QMessageBox::NoIcon, messageTitle(), text(kSearchCompleteMessage),
                    QMessageBox::Ok, &window);
    box.setCheckBox(new QCheckBox(dontShowAgainText(), &box));
    box.show();
    save(box, "message_box.png");
    box.hide();

    HelpWindow help(nullptr, text(helpText()));
    help.show();
    save(help, "help.png");
    QTextStream(stderr) << (save.ok() ? "screenshots saved in " : "could not save screenshots in ")
                        << directory << '\n';
    return save.ok() ? 0 : 1;
}

}  // namespace norlune::ui
