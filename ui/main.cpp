#include <QApplication>
#include <QSettings>
#include <QStringList>

#include "search/data_folder.h"
#include "ui/app_setup.h"
#include "ui/interface_script.h"
#include "ui/main_window.h"
#include "ui/screenshot_tour.h"
#include "ui/user_interaction.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Norlune"));
    QApplication::setApplicationName(QStringLiteral("norlune"));
    // The script of the interface: the one chosen in 选项 > 界面文字, else the locale's.
    QSettings settings;
    const norlune::Script script =
        norlune::ui::keptScript(&settings, norlune::ui::scriptFromEnvironment());
    norlune::ui::installInterfaceTranslations(app, script);
    const norlune::ui::InterfaceText text(script, &norlune::ScriptConverter::builtIn());
    norlune::ui::applyProgramFont(app);
    const std::string candidateFolder =
        norlune::candidateFolder(QCoreApplication::applicationDirPath().toStdString());
    const QStringList args = QCoreApplication::arguments();
    // Development aid, not for users: pictures of the window for review.
    if ((args.size() == 3 || args.size() == 4) && args.at(1) == QStringLiteral("--screenshot")) {
        return norlune::ui::runScreenshotTour(args.at(2), args.value(3), candidateFolder, text);
    }
    norlune::ui::QtUserInteraction interaction;
    norlune::ui::MainWindowDeps deps;
    deps.interaction = &interaction;
    deps.candidateDirectory = candidateFolder;
    deps.now = [] { return QDateTime::currentDateTime(); };
    // The system's date formats, as long as they write dates in Chinese; else those of the script.
    deps.locale = QLocale::system().language() == QLocale::Chinese
                      ? QLocale::system()
                      : QLocale(QLocale::Chinese,
                                script == norlune::Script::Hant ? QLocale::Taiwan : QLocale::China);
    deps.settings = &settings;
    deps.text = text;
    norlune::ui::MainWindow window(deps);
    window.show();
    return app.exec();
}
