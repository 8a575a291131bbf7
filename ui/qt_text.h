#pragma once
// The border between the program's UTF-8 texts and Qt's QString. A "character" is one code point,
// as everywhere else in the program, so a character outside the BMP counts once.
#include <QCoreApplication>
#include <QString>
#include <string>
#include <string_view>

namespace norlune::ui {

// The translation context of the window's texts that no window class shows: WindowText::tr("…").
class WindowText {
    Q_DECLARE_TR_FUNCTIONS(norlune::ui::WindowText)
};

inline QString qs(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::string utf8(const QString& text) {
    return text.toStdString();
}

// Number of characters (code points).
qsizetype characterCount(const QString& text);
// The first n characters; the whole text when it is shorter.
QString leftCharacters(const QString& text, qsizetype n);
// The character at a position counted in characters; empty when there is none.
QString characterAt(const QString& text, qsizetype index);

// A report built with CR LF line ends as a multi-line box shows it.
QString reportText(std::string_view crlfText);

}  // namespace norlune::ui
