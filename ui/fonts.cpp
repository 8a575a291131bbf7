#include "ui/fonts.h"

#include <QFontDatabase>

namespace norlune::ui {

QString pickSongtiFamily(const QStringList& available) {
    // Serif faces first (宋体 is a serif face), then sans faces that cover Simplified Chinese.
    static const char* const kPreferred[] = {
        "宋体",
        "SimSun",
        "NSimSun",
        "Noto Serif CJK SC",
        "Source Han Serif SC",
        "AR PL UMing CN",
        "Noto Sans CJK SC",
        "Source Han Sans SC",
        "WenQuanYi Micro Hei",
        "WenQuanYi Zen Hei",
        "Droid Sans Fallback",
    };
    for (const char* family : kPreferred) {
        const QString name = QString::fromUtf8(family);
        if (available.contains(name, Qt::CaseInsensitive)) {
            return name;
        }
    }
    return {};
}

QFont songtiFont(double pointSize) {
    QFont font;
    const QString family = pickSongtiFamily(QFontDatabase::families());
    if (!family.isEmpty()) {
        font.setFamilies({family});
    }
    font.setPointSizeF(pointSize);
    return font;
}

}  // namespace norlune::ui
