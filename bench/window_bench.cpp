// The real main window, driven offscreen: a search with the default settings over the shipped
// M.dat and over a generated file of one million lines, each started by a click on the start
// command and timed until the list is filled; and the start-up, from filling the reference tables
// to the first frame of the shown window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "bench/million_lines.h"
#include "engine/utf8.h"
#include "textio/text_encoding.h"
#include "ui/main_window.h"
#include "ui/user_interaction.h"

namespace {

using namespace norlune;
using namespace norlune::ui;

// Answers every message at once, as a user pressing OK without delay would.
class SilentInteraction final : public UserInteraction {
public:
    void showMessage(QWidget*, const QString&) override { ++messages; }
    bool showOptionalMessage(QWidget*, const QString&) override {
        ++messages;
        return false;
    }
    QString saveFileName(QWidget*, const QString&, const QString&) override { return {}; }
    QString openFileName(QWidget*, const QString&) override { return {}; }
    void runBirthTimeDialog(BirthTimeDialog&) override {}
    void runDialog(QDialog&) override {}
    std::optional<int> askNumber(QWidget*, const QString&, int, int, int) override { return {}; }
    std::optional<int> askChoice(QWidget*, const QString&, const QStringList&) override {
        return {};
    }
    int messages = 0;
};

MainWindowDeps windowDeps(UserInteraction& interaction, const std::string& candidateDirectory,
                          std::shared_ptr<const ReferenceTables> tables) {
    MainWindowDeps deps;
    deps.interaction = &interaction;
    deps.candidateDirectory = candidateDirectory;
    deps.now = [] { return QDateTime(QDate(2026, 12, 7), QTime(10, 30)); };
    deps.locale = QLocale(QLocale::Chinese, QLocale::China);
    deps.tables = std::move(tables);
    return deps;
}

// Notes when a widget is painted.
class PaintWatch final : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted = true;
        }
        return false;
    }
};

void runSearches(benchmark::State& state, const std::string& candidateDirectory, long long lines) {
    SilentInteraction interaction;
    MainWindow window(windowDeps(interaction, candidateDirectory, fillReferenceTables()));
    window.show();
    QCoreApplication::processEvents();
    auto* start = window.findChild<QPushButton*>(QStringLiteral("Command1"));
    for (auto _ : state) {
        // The click returns when the run has ended and the list is filled.
        start->click();
    }
    if (window.state().TestNum != lines || interaction.messages != state.iterations()) {
        state.SkipWithError("the run did not read the whole file");
    }
    state.SetItemsProcessed(state.iterations() * lines);
}

// The shipped M.dat lies beside this program.
void BM_WindowSearchShippedCandidates(benchmark::State& state) {
    const std::string directory = QCoreApplication::applicationDirPath().toStdString();
    std::ifstream file(directory + "/M.dat", std::ios::binary);
    std::string header;
    std::getline(file, header);
    long long lines = 0;
    for (std::string line; std::getline(file, line);) {
        ++lines;
    }
    runSearches(state, directory, lines);
}

// A GBK candidate file of one million one- and two-character names from the dictionary's
// characters, named M.dat in a folder of its own.
void BM_WindowSearchMillionLines(benchmark::State& state) {
    QTemporaryDir folder;
    bench::writeMillionLineCandidates(FillNameTables(),
                                      folder.filePath(QStringLiteral("M.dat")).toStdString());
    runSearches(state, folder.path().toStdString(), static_cast<long long>(bench::kMillionLines));
}

// From the start of the program's load step to the first painted frame of the shown window. The
// first window of a process also pays for loading the fonts: that is the figure a user waits for.
void BM_WindowStartUp(benchmark::State& state) {
    SilentInteraction interaction;
    const std::string directory = QCoreApplication::applicationDirPath().toStdString();
    for (auto _ : state) {
        MainWindow window(windowDeps(interaction, directory, nullptr));
        PaintWatch watch;
        window.installEventFilter(&watch);
        window.show();
        while (!watch.painted) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        state.PauseTiming();
        window.close();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

// Registered first, so that it meets the process as a freshly started program does.
BENCHMARK(BM_WindowStartUp)
    ->Name("BM_WindowStartUpFirst")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(BM_WindowSearchShippedCandidates)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_WindowSearchMillionLines)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_WindowStartUp)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    // Headless unless told otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
