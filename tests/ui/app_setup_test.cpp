// Qt's own texts in Chinese and one font family for every window.
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>

#include "ui/app_setup.h"
#include "ui/fonts.h"
#include "ui_fixture.h"

namespace norlune::ui::testing {
namespace {

TEST(QtCatalogueTest, TraditionalChineseLocalesGetTheTaiwanCatalogue) {
    const std::pair<QLocale, const char*> rows[] = {
        {QLocale(QLocale::Chinese, QLocale::China), "qt_zh_CN"},
        {QLocale(QLocale::Chinese, QLocale::Singapore), "qt_zh_CN"},
        {QLocale(QLocale::Chinese, QLocale::Taiwan), "qt_zh_TW"},
        {QLocale(QLocale::Chinese, QLocale::HongKong), "qt_zh_TW"},
        {QLocale(QLocale::Chinese, QLocale::TraditionalChineseScript, QLocale::AnyTerritory),
         "qt_zh_TW"},
        // The program speaks Chinese whatever the system's language.
        {QLocale(QLocale::English, QLocale::UnitedStates), "qt_zh_CN"},
        {QLocale(QLocale::German, QLocale::Germany), "qt_zh_CN"},
    };
    for (const auto& [locale, name] : rows) {
        EXPECT_EQ(qtCatalogueName(locale), QString::fromLatin1(name))
            << locale.name().toStdString();
    }
}

TEST(QtTranslationsTest, StandardButtonsAndTheFileDialogSpeakChinese) {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    ASSERT_TRUE(installQtTranslations(*app, QLocale(QLocale::English, QLocale::UnitedStates)));
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Ok)->text().remove(QLatin1Char('&')), qs("确定"));
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')),
              qs("取消"));
    // The program's save dialog: Qt's own, with Chinese captions and the suggested name.
    QFileDialog dialog;
    prepareFileDialog(dialog, true, tableFileFilter(), qs("赵_20261207.csv"));
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
    QStringList captions;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        captions << label->text();
    }
    EXPECT_TRUE(captions.join(QLatin1Char('|')).contains(qs("文件名")))
        << captions.join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(captions.join(QLatin1Char('|')).contains(QStringLiteral("File name")));
    EXPECT_EQ(dialog.nameFilters(), QStringList{QStringLiteral("*.csv (*.csv)")});
    EXPECT_TRUE(dialog.selectedFiles().value(0).endsWith(qs("赵_20261207.csv")))
        << dialog.selectedFiles().value(0).toStdString();
}

TEST(ProgramFontTest, EveryWindowUsesTheOneFamily) {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    const QFont before = QApplication::font();
    applyProgramFont(*app);
    const QString family = pickSongtiFamily(QFontDatabase::families());
    ASSERT_FALSE(family.isEmpty());
    EXPECT_EQ(QApplication::font().families().value(0), family);
    QPushButton button;
    EXPECT_EQ(button.font().families().value(0), family);
    QApplication::setFont(before);
}

}  // namespace
}  // namespace norlune::ui::testing
