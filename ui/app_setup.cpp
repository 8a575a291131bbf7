#include "ui/app_setup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "ui/fonts.h"

namespace norlune::ui {

QString qtCatalogueName(const QLocale& locale) {
    const bool traditional =
        locale.language() == QLocale::Chinese &&
        (locale.script() == QLocale::TraditionalChineseScript ||
         locale.territory() == QLocale::Taiwan || locale.territory() == QLocale::HongKong ||
         locale.territory() == QLocale::Macao);
    return traditional ? QStringLiteral("qt_zh_TW") : QStringLiteral("qt_zh_CN");
}

bool installQtTranslations(QApplication& app, const QLocale& locale) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto* translator = new QTranslator(&app);
    if (!translator->load(qtCatalogueName(locale), folder) &&
        !translator->load(QStringLiteral("qt_zh_CN"), folder)) {
        delete translator;
        return false;
    }
    return QApplication::installTranslator(translator);
}

void applyProgramFont(QApplication&) {
    QApplication::setFont(songtiFont(9));
}

}  // namespace norlune::ui
