#pragma once
// What the program sets up once for all its windows: Qt's own Chinese translations (the standard
// buttons, the file dialog, the calendar) and the one font family of every window.
#include <QLocale>
#include <QString>

class QApplication;

namespace norlune::ui {

// The Qt translation catalogue for a locale: zh_TW for Chinese written in traditional characters
// (Taiwan, Hong Kong, Macau), zh_CN for every other locale.
QString qtCatalogueName(const QLocale& locale);

// Loads Qt's translations from Qt's translation folder into the application; false when they are
// missing (Qt's texts then stay English, nothing else changes).
bool installQtTranslations(QApplication& app, const QLocale& locale);

// The window font (宋体 9 point or its stand-in) for every window and dialog of the application.
void applyProgramFont(QApplication& app);

}  // namespace norlune::ui
