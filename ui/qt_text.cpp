#include "ui/qt_text.h"

#include <QList>

namespace norlune::ui {
namespace {

// Index in UTF-16 units where character `n` starts; the text's size when it has fewer.
qsizetype unitIndexOfCharacter(const QString& text, qsizetype n) {
    qsizetype unit = 0;
    for (qsizetype i = 0; i < n && unit < text.size(); ++i) {
        const bool pair = text.at(unit).isHighSurrogate() && unit + 1 < text.size() &&
                          text.at(unit + 1).isLowSurrogate();
        unit += pair ? 2 : 1;
    }
    return unit;
}

}  // namespace

qsizetype characterCount(const QString& text) {
    return static_cast<qsizetype>(text.toUcs4().size());
}

QString leftCharacters(const QString& text, qsizetype n) {
    return text.left(unitIndexOfCharacter(text, n));
}

QString characterAt(const QString& text, qsizetype index) {
    const qsizetype start = unitIndexOfCharacter(text, index);
    const qsizetype end = unitIndexOfCharacter(text, index + 1);
    return text.mid(start, end - start);
}

QString reportText(std::string_view crlfText) {
    QString text = qs(crlfText);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

}  // namespace norlune::ui
