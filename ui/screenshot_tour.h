#pragma once
// A development aid: runs the window through a search, a list click and a birth-time choice with
// scripted answers to every dialog, and saves pictures of the window and its dialogs as PNG files.
#include <QString>
#include <string>

#include "ui/interface_script.h"

namespace norlune::ui {

// Writes main_start.png, main_search.png, report_summary.png, main_sound.png, main_scores.png,
// shortlist.png, birth_dialog.png, main_bazi.png, main_rerun.png, report_summary_bazi.png,
// main_maximised.png, options_menu.png,
// file_dialog.png, message_box.png and help.png into `directory`, each name after `prefix`, with
// the window in the script of `text`; returns 0 on success.
int runScreenshotTour(const QString& directory, const QString& prefix,
                      const std::string& candidateDirectory, const InterfaceText& text);

}  // namespace norlune::ui
