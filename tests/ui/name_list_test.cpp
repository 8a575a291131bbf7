// The click on a list entry, and the export and import of name lists through the file dialogs.
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "search/name_list_file.h"
#include "sound/sound_analysis.h"
#include "ui_fixture.h"

namespace norlune::ui::testing {
namespace {

class NameListTest : public WindowTest {
protected:
    // Imports a list file with the given lines through the open dialog.
    void importLines(const std::vector<std::string>& lines) {
        std::string text;
        for (const std::string& line : lines) {
            text += line + "\r\n";
        }
        const QString path = folder.filePath(QStringLiteral("import.txt"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
        file.close();
        fake.openAnswers << path;
        action("inputnamefile")->trigger();
    }

    // Clicks the entry of the list with the mouse, as the user does.
    void clickEntry(int row) {
        auto* list = control<QListWidget>("List1");
        QListWidgetItem* item = list->item(row);
        ASSERT_NE(item, nullptr);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(item).center());
    }

    QString reportOf(const std::string& surname, const std::string& given) const {
        const auto tables = sharedTables();
        const NameEngine engine(tables->names, tables->elements);
        // The numerology report, then the sound section and the meanings and sources.
        std::string report = engine.AnalyzeName(surname, given, {false, false, {}, true}).report;
        appendSoundSection(tables->sound, surname, given, report);
        appendMeaningSection(tables->meanings, given, report);
        return reportText(report);
    }

    // The report without the summary block that opens it.
    QString text2() const {
        const QString box = control<QPlainTextEdit>("Text2")->toPlainText();
        return box.isEmpty() ? box : reportBody(box);
    }
    QString label1() const { return control<QLabel>("Label1")->text(); }
};

struct ClickCase {
    const char* surname;  // line 1 of the list file: Gxing
    const char* entry;
    const char* judgedSurname;
    const char* judgedGiven;
};

TEST_F(NameListTest, ClickJudgesTheGivenNameByTheSurnameLength) {
    const ClickCase cases[] = {
        {"王", "王小明", "王", "小明"},
        {"欧阳", "王小明", "欧阳", "明"},  // only the surname's length counts
        {"欧阳", "欧阳小明", "欧阳", "小明"},
        {"王", "88)王小明", "王", "小明"},
        {"王", "王小明=88", "王", "小明"},
        {"欧阳", "90.5)欧阳明", "欧阳", "明"},
        {"欧阳", "欧阳明=90.5", "欧阳", "明"},
    };
    window->show();
    for (const ClickCase& c : cases) {
        SCOPED_TRACE(c.entry);
        importLines({c.surname, c.entry});
        ASSERT_EQ(listEntries(), QStringList{qs(c.entry)});
        clickEntry(0);
        EXPECT_EQ(label1(), qs(c.entry));
        EXPECT_EQ(text2(), reportOf(c.judgedSurname, c.judgedGiven));
        EXPECT_TRUE(window->state().bShowInfo);
    }
}

TEST_F(NameListTest, ClickingAnotherEntryReplacesTheReport) {
    window->show();
    importLines({"王", "王小明", "王明"});
    clickEntry(0);
    EXPECT_EQ(text2(), reportOf("王", "小明"));
    clickEntry(1);
    EXPECT_EQ(label1(), qs("王明"));
    EXPECT_EQ(text2(), reportOf("王", "明"));
}

TEST_F(NameListTest, EntryShorterThanTheSurnameShowsNoReport) {
    window->show();
    importLines({"欧阳", "王小明", "王"});
    clickEntry(0);
    ASSERT_FALSE(text2().isEmpty());
    clickEntry(1);
    EXPECT_EQ(label1(), qs("王"));
    EXPECT_TRUE(text2().isEmpty());
}

// A listed name with a character that has no stroke count is refused in a message box that names
// the characters; a name typed in traditional characters is judged as the simplified one.
TEST_F(NameListTest, ClickOnAnUncountableNameSaysWhichCharactersAndShowsNoReport) {
    window->show();
    importLines({"王", "王小明", "王㐂", "王𠀀㐂𠀀", "王偉"});
    clickEntry(0);
    ASSERT_FALSE(text2().isEmpty());
    EXPECT_TRUE(fake.messages.isEmpty());
    const struct {
        int row;
        const char* message;
    } refused[] = {{1, "无法计算笔画的字：㐂"}, {2, "无法计算笔画的字：𠀀㐂"}};
    for (const auto& r : refused) {
        fake.messages.clear();
        clickEntry(r.row);
        EXPECT_EQ(fake.messages, QStringList{qs(r.message)});
        EXPECT_TRUE(text2().isEmpty());
    }
    fake.messages.clear();
    clickEntry(3);
    EXPECT_TRUE(fake.messages.isEmpty());
    EXPECT_EQ(text2(), reportOf("王", "偉"));
    EXPECT_NE(text2().indexOf(qs("人格:15(土)")), -1) << text2().toStdString();
}

TEST_F(NameListTest, ClickLeavesTheBaZiReportAlone) {
    window->show();
    fake.birthDialogScript = chooseBirthTime(QDate(1984, 2, 10), 12, 0);
    control<QPushButton>("Command4")->click();
    const QString bazi = control<QPlainTextEdit>("Text3")->toPlainText();
    ASSERT_FALSE(bazi.isEmpty());
    importLines({"王", "王小明"});
    clickEntry(0);
    EXPECT_EQ(control<QPlainTextEdit>("Text3")->toPlainText(), bazi);
}

TEST_F(NameListTest, ImportReplacesListAndSurnameAndSkipsEmptyLines) {
    importLines({"欧阳", "欧阳小明", "", " 欧阳明 ", "", "欧阳修"});
    EXPECT_EQ(listEntries(), (QStringList{qs("欧阳小明"), qs(" 欧阳明 "), qs("欧阳修")}));
    EXPECT_EQ(window->state().Gxing, "欧阳");
    // The settings controls are not touched.
    EXPECT_EQ(control<QLineEdit>("Text1")->text(), qs("赵"));
    EXPECT_EQ(fake.filters, QStringList{QStringLiteral("*.txt (*.txt)")});
    EXPECT_TRUE(fake.messages.isEmpty());
}

// Lines with control characters never reach the list; the message counts them.
TEST_F(NameListTest, ImportSkipsLinesWithControlCharactersAndSaysHowMany) {
    importLines({"王", "王小明", "王\x1B[31m明", "王\t明", "王明"});
    EXPECT_EQ(listEntries(), (QStringList{qs("王小明"), qs("王明")}));
    ASSERT_EQ(fake.messages.size(), 1);
    EXPECT_TRUE(fake.messages.front().startsWith(qs("已跳过 2 行含控制字符或过长的内容：")));
}

TEST_F(NameListTest, CancelledImportChangesNothing) {
    importLines({"王", "王小明"});
    action("inputnamefile")->trigger();  // no answer queued: cancelled
    EXPECT_EQ(fake.openDialogs, 2);
    EXPECT_EQ(listEntries(), QStringList{qs("王小明")});
    EXPECT_EQ(window->state().Gxing, "王");
}

TEST_F(NameListTest, ImportOfAMissingFileSaysSoAndKeepsTheList) {
    importLines({"王", "王小明"});
    fake.openAnswers << folder.filePath(QStringLiteral("nothing-here.txt"));
    action("inputnamefile")->trigger();
    EXPECT_EQ(fake.messages.size(), 1);
    EXPECT_EQ(listEntries(), QStringList{qs("王小明")});
}

TEST_F(NameListTest, ExportWritesSurnameAndEntriesAndImportReadsThemBack) {
    importLines({"欧阳", "欧阳小明", "欧阳明", "88)欧阳修"});
    const QString path = folder.filePath(QStringLiteral("saved.txt"));
    fake.saveAnswers << path;
    action("outputnamefile")->trigger();
    EXPECT_TRUE(fake.messages.isEmpty());
    const NameListImport written = importNameList(path.toStdString());
    ASSERT_TRUE(written.list.has_value());
    EXPECT_EQ(written.list->Gxing, "欧阳");
    EXPECT_EQ(written.list->entries, (std::vector<std::string>{"欧阳小明", "欧阳明", "88)欧阳修"}));
    // GBK bytes with CR LF: 欧 is C5 B7.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith(QByteArray("\xC5\xB7", 2)));
    EXPECT_TRUE(bytes.contains("\r\n"));

    // Back in through the open dialog: the same list and surname.
    const QStringList before = listEntries();
    importLines({"王", "王小明"});
    fake.openAnswers << path;
    action("inputnamefile")->trigger();
    EXPECT_EQ(listEntries(), before);
    EXPECT_EQ(window->state().Gxing, "欧阳");
}

TEST_F(NameListTest, ExportOfAnEmptyListOrACancelledDialogWritesNothing) {
    const QString path = folder.filePath(QStringLiteral("empty.txt"));
    fake.saveAnswers << path;
    action("outputnamefile")->trigger();
    EXPECT_EQ(fake.saveDialogs, 1);
    EXPECT_FALSE(QFile::exists(path));

    importLines({"王", "王小明"});
    action("outputnamefile")->trigger();  // cancelled
    EXPECT_EQ(fake.saveDialogs, 2);
    // The folder holds only the file that was imported.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files),
              QStringList{QStringLiteral("import.txt")});
    EXPECT_TRUE(fake.messages.isEmpty());
}

TEST_F(NameListTest, ExportAfterASearchUsesTheRunsSurname) {
    writeCandidates("M.dat", {"浩然", "子涵", "明", "博文"});
    control<QLineEdit>("Text1")->setText(qs("王"));
    control<QPushButton>("Command1")->click();
    const QStringList kept = listEntries();
    ASSERT_FALSE(kept.isEmpty());
    // Editing the surname box after the run does not change the list's surname.
    control<QLineEdit>("Text1")->setText(qs("李"));
    const QString path = folder.filePath(QStringLiteral("run.txt"));
    fake.saveAnswers << path;
    action("outputnamefile")->trigger();
    const NameListImport written = importNameList(path.toStdString());
    ASSERT_TRUE(written.list.has_value());
    EXPECT_EQ(written.list->Gxing, "王");
    EXPECT_EQ(written.list->entries.size(), static_cast<std::size_t>(kept.size()));
}

// A read-only list file is replaced only when the user says so in the window; a pipe never.
TEST_F(NameListTest, ExportAsksBeforeReplacingAReadOnlyFile) {
    importLines({"王", "王小明"});
    const QString path = folder.filePath(QStringLiteral("locked.txt"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old");
    }
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    const auto contents = [&] {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    };
    // Declined, then cancelled: the file keeps its text, nothing else is said.
    for (const std::optional<int> answer : {std::optional<int>(1), std::optional<int>()}) {
        fake.saveAnswers << path;
        fake.choiceAnswers.push_back(answer);
        action("outputnamefile")->trigger();
        EXPECT_EQ(contents(), QByteArray("old"));
    }
    ASSERT_EQ(fake.questions.size(), 2);
    EXPECT_EQ(fake.questions.front(), qs("文件“" + path.toStdString() + "”是只读的，要替换它吗？"));
    EXPECT_EQ(fake.offeredChoices.front(), (QStringList{qs("替换"), qs("取消")}));
    EXPECT_TRUE(fake.messages.isEmpty());
    // Agreed: the list is written, and the file stays read-only.
    fake.saveAnswers << path;
    fake.choiceAnswers.push_back(0);
    action("outputnamefile")->trigger();
    EXPECT_TRUE(fake.messages.isEmpty()) << fake.messages.join(u'\n').toStdString();
    const NameListImport written = importNameList(path.toStdString());
    ASSERT_TRUE(written.list.has_value());
    EXPECT_EQ(written.list->entries, std::vector<std::string>{"王小明"});
    EXPECT_FALSE(QFileInfo(path).permission(QFileDevice::WriteOwner));
    // A writable file is replaced without a question.
    const QString plain = folder.filePath(QStringLiteral("plain.txt"));
    fake.saveAnswers << plain;
    action("outputnamefile")->trigger();
    EXPECT_EQ(fake.questions.size(), 3);
    EXPECT_TRUE(QFile::exists(plain));
}

TEST_F(NameListTest, ExportRefusesAPipe) {
    importLines({"王", "王小明"});
    const QString path = folder.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(path.toStdString().c_str(), 0644), 0);
    fake.saveAnswers << path;
    action("outputnamefile")->trigger();
    ASSERT_EQ(fake.messages.size(), 1);
    EXPECT_EQ(fake.messages.front(),
              qs("无法写入文件：" + path.toStdString() + "（不是普通文件，未写入）"));
    EXPECT_TRUE(QFileInfo(path).exists() && !QFileInfo(path).isFile());
}

}  // namespace
}  // namespace norlune::ui::testing
