#pragma once
// The window's fonts. The layout names 宋体 for two controls and was measured with 宋体 9 point as
// the window's own font; where that family is missing a Simplified Chinese serif font stands in,
// and failing that any Simplified Chinese font, so that no text shows as empty boxes.
#include <QFont>
#include <QString>
#include <QStringList>

namespace norlune::ui {

// The first family of the preference list that `available` holds; an empty text when none does.
QString pickSongtiFamily(const QStringList& available);

// 宋体 (or its stand-in) at the given size in points.
QFont songtiFont(double pointSize);

}  // namespace norlune::ui
