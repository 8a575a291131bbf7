#pragma once
// A development aid: runs the window through a search, a list click and a birth-time choice with
// scripted answers to every dialog, and saves pictures of the window and the dialog as PNG files.
#include <QString>
#include <string>

namespace norlune::ui {

// Writes main_start.png, main_search.png, birth_dialog.png, main_bazi.png and help.png into
// `directory`; returns 0 on success.
int runScreenshotTour(const QString& directory, const std::string& candidateDirectory);

}  // namespace norlune::ui
