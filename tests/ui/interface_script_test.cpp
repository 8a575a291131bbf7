// The script of the interface: 选项 > 界面文字, the choice kept and its default from the locale,
// and the window in 繁體 with every text traditional except the names, which stay as typed.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTranslator>
#include <cstdlib>

#include "engine/utf8.h"
#include "ui/birth_time_dialog.h"
#include "ui/interface_script.h"
#include "ui_fixture.h"

namespace norlune::ui::testing {
namespace {

InterfaceText hantText() {
    return InterfaceText(Script::Hant, &ScriptConverter::builtIn());
}

// The simplified-only characters of `text` once the names in it are taken out: none is left in a
// text of the traditional interface.
QString simplifiedCharacters(const QString& text, const std::vector<std::string>& names = {}) {
    std::string rest = utf8(text);
    std::vector<std::string> sorted = names;
    std::sort(sorted.begin(), sorted.end(),
              [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    for (const std::string& name : sorted) {
        for (std::size_t at = rest.find(name); at != std::string::npos; at = rest.find(name, at)) {
            rest.replace(at, name.size(), " ");
        }
    }
    QString found;
    for (const char32_t ch : utf8ToU32(rest)) {
        const QString one = qs(u32ToUtf8(std::u32string(1, ch)));
        if (ScriptConverter::builtIn().isSimplifiedOnly(ch) && !found.contains(one)) {
            found += one;
        }
    }
    return found;
}

// Every text a widget shows, with where it was found; the boxes that hold names are left out.
QStringList shownTexts(QWidget& top) {
    static const QStringList kNameHolders = {QStringLiteral("Text1"), QStringLiteral("Text4"),
                                             QStringLiteral("Text5"), QStringLiteral("Label1"),
                                             QStringLiteral("List1")};
    QStringList texts;
    QList<QWidget*> widgets = top.findChildren<QWidget*>();
    widgets.prepend(&top);
    for (QWidget* widget : widgets) {
        if (kNameHolders.contains(widget->objectName())) {
            continue;
        }
        const QString where = widget->objectName() + QStringLiteral(": ");
        texts << where + widget->windowTitle() << where + widget->toolTip();
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            texts << where + label->text();
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            texts << where + button->text();
        } else if (auto* box = qobject_cast<QGroupBox*>(widget)) {
            texts << where + box->title();
        } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
            texts << where + line->text() << where + line->placeholderText();
        } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
            texts << where + plain->toPlainText();
        } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            for (int i = 0; i < combo->count(); ++i) {
                texts << where + combo->itemText(i);
            }
        } else if (auto* bar = qobject_cast<QStatusBar*>(widget)) {
            texts << where + bar->currentMessage();
        }
    }
    for (QAction* action : top.findChildren<QAction*>()) {
        // 简体 names itself in its own characters.
        if (action->objectName() != QStringLiteral("scriptHans")) {
            texts << action->objectName() + QStringLiteral(": ") + action->text();
        }
    }
    return texts;
}

// Texts of `texts` that hold a character of the simplified script, with those characters.
QStringList untranslated(const QStringList& texts, const std::vector<std::string>& names = {}) {
    QStringList bad;
    for (const QString& text : texts) {
        if (const QString found = simplifiedCharacters(text, names); !found.isEmpty()) {
            bad << text + QStringLiteral("  [") + found + QStringLiteral("]");
        }
    }
    return bad;
}

// The window as the program builds it when the interface is 繁體: the catalogues installed, then
// the window with the traditional texts.
class TraditionalWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
        ASSERT_NE(app, nullptr);
        const QList<QTranslator*> before = app->findChildren<QTranslator*>();
        ASSERT_TRUE(installInterfaceTranslations(*app, Script::Hant));
        for (QTranslator* translator : app->findChildren<QTranslator*>()) {
            if (!before.contains(translator)) {
                installed_ << translator;
            }
        }
        window.reset();
        window = std::make_unique<MainWindow>(deps());
    }
    void TearDown() override {
        WindowTest::TearDown();
        for (QTranslator* translator : installed_) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
    MainWindowDeps deps() {
        MainWindowDeps d = WindowTest::deps();
        d.text = hantText();
        return d;
    }
    void reopen() {
        window.reset();
        window = std::make_unique<MainWindow>(deps());
    }

private:
    QList<QTranslator*> installed_;
};

TEST(InterfaceScriptTest, TheLocaleDecidesUnlessAChoiceIsKept) {
    struct Row {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        Script expected;
    };
    const Row rows[] = {
        {nullptr, nullptr, "zh_TW.UTF-8", Script::Hant},
        {nullptr, nullptr, "zh_HK.UTF-8", Script::Hant},
        {nullptr, "zh_MO.UTF-8", "en_US.UTF-8", Script::Hant},
        {"zh_CN.UTF-8", nullptr, "zh_TW.UTF-8", Script::Hans},
        {"", "", "zh_TW.UTF-8", Script::Hant},
        {nullptr, nullptr, "zh_CN.UTF-8", Script::Hans},
        {nullptr, nullptr, nullptr, Script::Hans},
    };
    const char* const names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    std::vector<std::optional<std::string>> saved;
    for (const char* name : names) {
        const char* value = std::getenv(name);
        saved.push_back(value ? std::optional<std::string>(value) : std::nullopt);
    }
    for (const Row& row : rows) {
        const char* values[] = {row.lcAll, row.lcMessages, row.lang};
        for (int i = 0; i < 3; ++i) {
            values[i] ? setenv(names[i], values[i], 1) : unsetenv(names[i]);
        }
        EXPECT_EQ(scriptFromEnvironment(), row.expected)
            << (row.lcAll ? row.lcAll : "-") << ' ' << (row.lcMessages ? row.lcMessages : "-")
            << ' ' << (row.lang ? row.lang : "-");
    }
    for (int i = 0; i < 3; ++i) {
        saved[static_cast<std::size_t>(i)]
            ? setenv(names[i], saved[static_cast<std::size_t>(i)]->c_str(), 1)
            : unsetenv(names[i]);
    }

    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
    EXPECT_EQ(keptScript(nullptr, Script::Hant), Script::Hant);
    EXPECT_EQ(keptScript(&settings, Script::Hant), Script::Hant);
    keepScript(settings, Script::Hans);
    EXPECT_EQ(keptScript(&settings, Script::Hant), Script::Hans);
    keepScript(settings, Script::Hant);
    EXPECT_EQ(keptScript(&settings, Script::Hans), Script::Hant);
    // A value edited by hand into something else counts as no choice.
    settings.setValue(QString::fromLatin1(kInterfaceScriptKey), QStringLiteral("latin"));
    EXPECT_EQ(keptScript(&settings, Script::Hans), Script::Hans);
}

TEST(InterfaceScriptTest, SimplifiedTextsStayByteForByteAndNamesStayAsTyped) {
    const InterfaceText hans;
    const std::string odd = "测算\xff\xfe完成";  // not even UTF-8: passed on as it is
    EXPECT_EQ(hans.convert(odd), odd);
    EXPECT_EQ(hans.convert("总格", nameKeeps("张", "伟")), "总格");

    const InterfaceText hant = hantText();
    EXPECT_EQ(hant.script(), Script::Hant);
    EXPECT_EQ(hant.convert("测算完成：总格"), "測算完成：總格");
    EXPECT_EQ(hant.convert("张伟的总格", nameKeeps("张", "伟")), "张伟的總格");
    // A character of the name stays where it stands for itself (the meanings name each one, the
    // sound section quotes it), not inside the words of the texts.
    EXPECT_EQ(hant.convert("伟：宏大，寓伟岸", nameKeeps("张", "伟")), "伟：宏大，寓偉岸");
    EXPECT_EQ(hant.convert("名中“华”字", nameKeeps("张", "华")), "名中“华”字");
    const std::vector<std::string> keeps = nameKeeps("欧阳", "国华");
    for (const char* part : {"欧阳国华", "欧阳", "国华", "欧：", "“阳”", "国：", "“华”"}) {
        EXPECT_NE(std::find(keeps.begin(), keeps.end(), std::string(part)), keeps.end()) << part;
    }
    // A path in a message is the file's name: it stays.
    EXPECT_EQ(hant.convert("无法写入文件：/tmp/名单.csv（只读）", pathKeeps({"/tmp/名单.csv"})),
              "無法寫入文件：/tmp/名单.csv（唯讀）");
    // Without a converter there is no traditional interface.
    EXPECT_EQ(InterfaceText(Script::Hant, nullptr).script(), Script::Hans);
}

TEST_F(WindowTest, TheOptionsMenuOffersTheScriptAndKeepsTheChoiceForTheNextStart) {
    auto* scripts = window->findChild<QMenu*>(QStringLiteral("scriptmenu"));
    ASSERT_NE(scripts, nullptr);
    EXPECT_EQ(scripts->title(), qs("界面文字"));
    EXPECT_TRUE(window->findChild<QMenu*>(QStringLiteral("optionsmenu"))
                    ->actions()
                    .contains(scripts->menuAction()));
    QAction* hans = action("scriptHans");
    QAction* hant = action("scriptHant");
    EXPECT_EQ(hans->text(), qs("简体"));
    EXPECT_EQ(hant->text(), qs("繁體"));
    EXPECT_TRUE(hans->isChecked());
    EXPECT_FALSE(hant->isChecked());
    // In 简体 the walk of the traditional test finds the captions as written: it can fail.
    EXPECT_GT(untranslated(shownTexts(*window)).size(), 20);

    hant->trigger();
    EXPECT_TRUE(hant->isChecked());
    EXPECT_FALSE(hans->isChecked());
    EXPECT_EQ(settings->value(QString::fromLatin1(kInterfaceScriptKey)).toString(),
              QStringLiteral("hant"));
    ASSERT_EQ(fake.messages.size(), 1);
    EXPECT_EQ(fake.messages.back(), qs("界面文字将改为繁體，下次启动本程序时生效。"));
    // The window itself stays as it is until the next start.
    EXPECT_EQ(control<QPushButton>("Command1")->text(), qs("开始测算"));

    // The next start finds the choice; choosing it again says nothing.
    reopenWindow();
    EXPECT_TRUE(action("scriptHant")->isChecked());
    action("scriptHant")->trigger();
    EXPECT_EQ(fake.messages.size(), 1);
    action("scriptHans")->trigger();
    EXPECT_EQ(settings->value(QString::fromLatin1(kInterfaceScriptKey)).toString(),
              QStringLiteral("hans"));
    EXPECT_EQ(fake.messages.size(), 2);
}

TEST_F(TraditionalWindowTest, EveryCaptionMenuAndButtonIsTraditional) {
    const QStringList texts = shownTexts(*window);
    EXPECT_EQ(untranslated(texts), QStringList())
        << untranslated(texts).join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(control<QPushButton>("Command1")->text(), qs("開始測算"));
    EXPECT_EQ(control<QLabel>("Label6")->text(), qs("列出100個優選名字"));
    EXPECT_EQ(action("showshortlist")->text(), qs("備選名單…"));
    EXPECT_TRUE(action("scriptHant")->isChecked());
    // The default surname is a name: as it is.
    EXPECT_EQ(control<QLineEdit>("Text1")->text(), qs("赵"));
    // Qt's own buttons speak the same script.
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')),
              qs("取消"));
    EXPECT_EQ(buttons.button(QDialogButtonBox::Ok)->text().remove(QLatin1Char('&')), qs("確定"));
}

TEST_F(TraditionalWindowTest, TheReportIsTraditionalWithTheNameAsTyped) {
    control<QLineEdit>("Text1")->setText(qs("王"));
    control<QLineEdit>("Text4")->setText(qs("小"));
    control<QLineEdit>("Text5")->setText(qs("明"));
    control<QPushButton>("Command1")->click();
    const QString report = control<QPlainTextEdit>("Text2")->toPlainText();
    EXPECT_EQ(control<QLabel>("Label1")->text(), qs("王小明"));
    EXPECT_TRUE(report.contains(qs("總格:15(土)"))) << report.left(400).toStdString();
    EXPECT_FALSE(report.contains(qs("总格")));
    EXPECT_TRUE(report.contains(qs("王小明")));
    EXPECT_EQ(simplifiedCharacters(report, nameKeeps("王", "小明")), QString());

    // The same report in 简体, converted, is what the window shows, its 注音 line put before the
    // pinyin line: nothing else changes.
    const QString hansReport = [&] {
        MainWindowDeps hansDeps = WindowTest::deps();
        MainWindow hansWindow(hansDeps);
        hansWindow.findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(qs("王"));
        hansWindow.findChild<QLineEdit*>(QStringLiteral("Text4"))->setText(qs("小"));
        hansWindow.findChild<QLineEdit*>(QStringLiteral("Text5"))->setText(qs("明"));
        hansWindow.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        return hansWindow.findChild<QPlainTextEdit*>(QStringLiteral("Text2"))->toPlainText();
    }();
    QStringList hansLines = hansReport.split(QLatin1Char('\n'));
    const qsizetype pinyin = hansLines.indexOf(qs("拼音：wáng xiǎo míng"));
    ASSERT_GE(pinyin, 0) << utf8(hansReport);
    ASSERT_TRUE(hansLines.value(pinyin + 1).startsWith(qs("注音：")));
    hansLines.swapItemsAt(pinyin, pinyin + 1);
    EXPECT_EQ(report, qs(hantText().convert(utf8(hansLines.join(QLatin1Char('\n'))),
                                            nameKeeps("王", "小明"))));
}

TEST_F(TraditionalWindowTest, ASearchListsTheNamesAsTheFileHoldsThem) {
    writeCandidates("M.dat", {"刚", "国华", "志明"});
    control<QLineEdit>("Text1")->setText(qs("张"));
    control<QPushButton>("Command1")->click();
    EXPECT_EQ(listEntries(), (QStringList{qs("张刚"), qs("张国华"), qs("张志明")}));
    // The completion message and the status line in the traditional script.
    ASSERT_FALSE(fake.messages.isEmpty());
    EXPECT_EQ(untranslated(fake.messages), QStringList());
    const QString status = window->statusBar()->currentMessage();
    EXPECT_TRUE(status.startsWith(qs("測算完成"))) << status.toStdString();
    control<QListWidget>("List1")->setCurrentRow(1);
    const QString report = control<QPlainTextEdit>("Text2")->toPlainText();
    EXPECT_TRUE(report.contains(qs("张国华"))) << report.left(200).toStdString();
    EXPECT_EQ(simplifiedCharacters(report, nameKeeps("张", "国华")), QString());

    // On the shortlist: the name as listed, its meanings traditional around its characters.
    control<QPushButton>("addToShortlistButton")->click();
    ASSERT_NE(window->shortlistWindow(), nullptr);
    auto* table = window->shortlistWindow()->findChild<QTableWidget*>();
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rowCount(), 1);
    EXPECT_EQ(table->item(0, 0)->text(), qs("张国华"));
    const QString meanings = table->item(0, table->columnCount() - 1)->text();
    EXPECT_TRUE(meanings.startsWith(qs("国："))) << meanings.toStdString();
    EXPECT_EQ(qs(ScriptConverter::builtIn().toHant("国：国家、邦国，寓胸怀家国",
                                                   std::vector<std::string_view>{"国："})),
              meanings.left(13))
        << meanings.toStdString();
    QStringList cells;
    for (int c = 0; c < table->columnCount(); ++c) {
        cells << table->horizontalHeaderItem(c)->text() << table->item(0, c)->text();
    }
    EXPECT_EQ(untranslated(cells, nameKeeps("张", "国华")), QStringList());
}

TEST_F(TraditionalWindowTest, DialogsCalendarPlacesAndBaziAreTraditional) {
    QStringList dialogTexts;
    fake.dialogScript = [&](QDialog& dialog) { dialogTexts << shownTexts(dialog); };
    for (const char* name : {"avoidchars", "favourable", "twins"}) {
        action(name)->trigger();
    }
    EXPECT_EQ(fake.dialogs.size(), 3);
    // The twins dialog names the surname typed.
    EXPECT_EQ(untranslated(dialogTexts, {"赵"}), QStringList())
        << untranslated(dialogTexts, {"赵"}).join(QLatin1Char('\n')).toStdString();

    // A place chosen by its traditional caption is the table's place.
    fake.birthDialogScript = [&](BirthTimeDialog& dialog) {
        EXPECT_EQ(dialog.Calendar1->locale().territory(), QLocale::Taiwan);
        const int province = dialog.Combo3->findData(qs("新疆维吾尔自治区"));
        ASSERT_GT(province, 0);
        EXPECT_EQ(dialog.Combo3->itemText(province), qs("新疆維吾爾自治區"));
        dialog.Combo3->setCurrentIndex(province);
        const int city = dialog.Combo4->findData(qs("乌鲁木齐市"));
        ASSERT_GE(city, 0);
        EXPECT_EQ(dialog.Combo4->itemText(city), qs("烏魯木齊市"));
        dialog.Combo4->setCurrentIndex(city);
        EXPECT_EQ(untranslated(shownTexts(dialog)), QStringList());
        chooseBirthTime(QDate(1985, 2, 4), 9, 5)(dialog);
    };
    control<QPushButton>("Command4")->click();
    ASSERT_TRUE(window->birthTime().BirthPlace.has_value());
    EXPECT_EQ(window->birthTime().BirthPlace->city, "乌鲁木齐市");
    const QString bazi = control<QPlainTextEdit>("Text3")->toPlainText();
    EXPECT_FALSE(bazi.isEmpty());
    EXPECT_EQ(simplifiedCharacters(bazi), QString()) << bazi.toStdString();
}

TEST(TraditionalBirthChoiceTest, TheBirthMomentReadsInTheLocalesOfTheTraditionalInterface) {
    const std::optional<BirthMoment> morning = makeBirthMoment(1985, 2, 4, 9, 5);
    const std::optional<BirthMoment> evening = makeBirthMoment(1985, 2, 4, 21, 5);
    ASSERT_TRUE(morning && evening);
    const struct {
        QLocale locale;
        const char* morning;
        const char* evening;
    } rows[] = {
        {QLocale(QLocale::Chinese, QLocale::China), "1985/2/4 09:05", "1985/2/4 21:05"},
        {QLocale(QLocale::Chinese, QLocale::Taiwan), "1985/2/4 上午9:05", "1985/2/4 下午9:05"},
        {QLocale(QLocale::Chinese, QLocale::HongKong), "4/2/1985 上午9:05", "4/2/1985 下午9:05"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(generalDateText(row.locale, *morning), qs(row.morning)) << row.morning;
        EXPECT_EQ(generalDateText(row.locale, *evening), qs(row.evening)) << row.evening;
    }
}

TEST(TraditionalBirthChoiceTest, TheYearRangeMessageFollowsTheScript) {
    const BirthChoice hans =
        checkBirthChoice(1900, 1, 1, QStringLiteral("0"), QStringLiteral("00"));
    EXPECT_EQ(hans.message, qs(kBirthYearRangeMessage));
    const BirthChoice hant =
        checkBirthChoice(1900, 1, 1, QStringLiteral("0"), QStringLiteral("00"), hantText());
    EXPECT_EQ(hant.message, qs("出生時間限1921年到2100年之間"));
}

}  // namespace
}  // namespace norlune::ui::testing
