// The birth-time dialog, the BaZi display of the main window and the BaZi option.
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "calendar/bazi_report.h"
#include "ui_fixture.h"

namespace norlune::ui::testing {
namespace {

struct ChoiceRow {
    int year, month, day;
    const char* hour;
    const char* minute;
    const char* message;   // empty when accepted
    const char* expected;  // the stored moment, "YYYY-MM-DD HH:MM"
};

TEST(CheckBirthChoice, AcceptsTheYearRangeAndPadsTheHour) {
    const ChoiceRow rows[] = {
        {1985, 2, 4, "9", "05", "", "1985-02-04 09:05"},
        {1985, 2, 4, "7", "03", "", "1985-02-04 07:03"},
        {1921, 1, 1, "0", "00", "", "1921-01-01 00:00"},
        {2019, 12, 31, "23", "59", "", "2019-12-31 23:59"},
        {2020, 1, 1, "12", "00", "", "2020-01-01 12:00"},
        {2026, 3, 1, "8", "00", "", "2026-03-01 08:00"},
        {2100, 12, 31, "23", "59", "", "2100-12-31 23:59"},
        {1920, 12, 31, "12", "00", "出生时间限1921年到2100年之间", ""},
        {2101, 1, 1, "0", "00", "出生时间限1921年到2100年之间", ""},
        {2000, 5, 0, "12", "00", "请指定出生日期！", ""},
        // No day selected wins over a year out of range.
        {2101, 5, 0, "12", "00", "请指定出生日期！", ""},
    };
    for (const ChoiceRow& r : rows) {
        SCOPED_TRACE(std::to_string(r.year) + "-" + std::to_string(r.month) + "-" +
                     std::to_string(r.day));
        const BirthChoice choice =
            checkBirthChoice(r.year, r.month, r.day, qs(r.hour), qs(r.minute));
        EXPECT_EQ(choice.message, qs(r.message));
        if (*r.expected != '\0') {
            EXPECT_EQ(choice.moment, parseBirthMoment(r.expected));
            ASSERT_TRUE(choice.moment.has_value());
        } else {
            EXPECT_FALSE(choice.moment.has_value());
        }
    }
}

class BirthDialogTest : public WindowTest {
protected:
    QPlainTextEdit* text3() const { return control<QPlainTextEdit>("Text3"); }
    QLineEdit* text6() const { return control<QLineEdit>("Text6"); }

    // The dialog as it opens now, seen through the window's button.
    void openAndLook(QDate& date, QString& hour, QString& minute) {
        fake.birthDialogScript = [&](BirthTimeDialog& dialog) {
            date = dialog.Calendar1->selectedDate();
            hour = dialog.Combo1->currentText();
            minute = dialog.Combo2->currentText();
            dialog.Command1->click();
        };
        control<QPushButton>("Command4")->click();
    }

    QString reportFor(const char* moment, int sexCode) const {
        return reportText(
            BuildBaZiReport(sharedTables()->calendar, *parseBirthMoment(moment), sexCode).text);
    }
};

TEST_F(BirthDialogTest, FirstOpeningShowsNowWithFullLists) {
    int hours = 0;
    int minutes = 0;
    QStringList firstAndLast;
    QString title;
    QDate date;
    QString hour;
    QString minute;
    fake.birthDialogScript = [&](BirthTimeDialog& dialog) {
        hours = dialog.Combo1->count();
        minutes = dialog.Combo2->count();
        firstAndLast << dialog.Combo1->itemText(0) << dialog.Combo1->itemText(23)
                     << dialog.Combo2->itemText(0) << dialog.Combo2->itemText(7)
                     << dialog.Combo2->itemText(59);
        title = dialog.Label1->text() + dialog.Label2->text() + dialog.Command2->text() +
                dialog.Command1->text();
        date = dialog.Calendar1->selectedDate();
        hour = dialog.Combo1->currentText();
        minute = dialog.Combo2->currentText();
        dialog.Command1->click();
    };
    control<QPushButton>("Command4")->click();
    EXPECT_EQ(hours, 24);
    EXPECT_EQ(minutes, 60);
    EXPECT_EQ(firstAndLast,
              (QStringList{QStringLiteral("0"), QStringLiteral("23"), QStringLiteral("00"),
                           QStringLiteral("07"), QStringLiteral("59")}));
    EXPECT_EQ(title, qs("时分确定取消"));
    EXPECT_EQ(date, QDate(2026, 12, 7));
    EXPECT_EQ(hour, QStringLiteral("10"));
    EXPECT_EQ(minute, QStringLiteral("30"));
    // "取消" on the first opening: no moment confirmed, but now presets the next opening.
    EXPECT_FALSE(window->birthTime().BirthMomentSet);
    EXPECT_EQ(window->birthTime().BirthMoment, parseBirthMoment("2026-12-07 10:30"));
    EXPECT_TRUE(text3()->toPlainText().isEmpty());
    EXPECT_EQ(text6()->text(), QStringLiteral("2026/12/7"));
}

TEST_F(BirthDialogTest, ConfirmShowsTheReportAndReopensOnThatMoment) {
    fake.birthDialogScript = chooseBirthTime(QDate(1985, 2, 4), 9, 5);
    control<QPushButton>("Command4")->click();
    EXPECT_TRUE(window->birthTime().BirthMomentSet);
    EXPECT_EQ(window->birthTime().BirthMoment, parseBirthMoment("1985-02-04 09:05"));
    EXPECT_EQ(text6()->text(), QStringLiteral("1985/2/4 09:05"));
    EXPECT_EQ(text3()->toPlainText(), reportFor("1985-02-04 09:05", kSexMale));
    EXPECT_FALSE(window->state().Gxiyong.empty());
    EXPECT_TRUE(fake.messages.isEmpty());

    QDate date;
    QString hour;
    QString minute;
    openAndLook(date, hour, minute);
    EXPECT_EQ(date, QDate(1985, 2, 4));
    EXPECT_EQ(hour, QStringLiteral("9"));
    EXPECT_EQ(minute, QStringLiteral("05"));
}

TEST_F(BirthDialogTest, YearOutsideTheRangeKeepsTheDialogOpen) {
    bool openAfterRefusal = false;
    fake.birthDialogScript = [&](BirthTimeDialog& dialog) {
        dialog.Calendar1->setSelectedDate(QDate(2101, 3, 1));
        dialog.Command2->click();
        openAfterRefusal = dialog.isVisible() && dialog.result() != QDialog::Accepted;
        dialog.Calendar1->setSelectedDate(QDate(2019, 3, 1));
        dialog.Combo1->setCurrentIndex(0);
        dialog.Combo2->setCurrentIndex(0);
        dialog.Command2->click();
    };
    control<QPushButton>("Command4")->click();
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_EQ(fake.messages, QStringList{qs("出生时间限1921年到2100年之间")});
    EXPECT_EQ(window->birthTime().BirthMoment, parseBirthMoment("2019-03-01 00:00"));
    // Exactly midnight: the date alone.
    EXPECT_EQ(text6()->text(), QStringLiteral("2019/3/1"));
}

TEST_F(BirthDialogTest, BirthOfThisYearGetsItsReport) {
    fake.birthDialogScript = [&](BirthTimeDialog& dialog) {
        dialog.Calendar1->setSelectedDate(QDate(1920, 12, 31));
        dialog.Command2->click();
        dialog.Calendar1->setSelectedDate(QDate(2026, 3, 1));
        dialog.Combo1->setCurrentIndex(dialog.Combo1->findText(QStringLiteral("8")));
        dialog.Combo2->setCurrentIndex(0);
        dialog.Command2->click();
    };
    control<QPushButton>("Command4")->click();
    EXPECT_EQ(fake.messages, QStringList{qs("出生时间限1921年到2100年之间")});
    EXPECT_EQ(window->birthTime().BirthMoment, parseBirthMoment("2026-03-01 08:00"));
    EXPECT_TRUE(text3()->toPlainText().startsWith(
        qs("农历出生时间：丙午年正月十三日辰时(男性)\n命主生辰八字：丙午 庚寅 甲戌 戊辰\n")))
        << utf8(text3()->toPlainText());
    EXPECT_EQ(text3()->toPlainText().count(QLatin1Char('\n')), 21);
}

TEST_F(BirthDialogTest, CancelWithdrawsTheMomentButKeepsTheShownReport) {
    fake.birthDialogScript = chooseBirthTime(QDate(1984, 2, 10), 12, 0);
    control<QPushButton>("Command4")->click();
    const QString male = text3()->toPlainText();
    const std::string favourable = window->state().Gxiyong;
    ASSERT_FALSE(male.isEmpty());

    fake.birthDialogScript = [](BirthTimeDialog& dialog) { dialog.Command1->click(); };
    control<QPushButton>("Command4")->click();
    EXPECT_FALSE(window->birthTime().BirthMomentSet);
    EXPECT_EQ(window->birthTime().BirthMoment, parseBirthMoment("1984-02-10 12:00"));
    EXPECT_EQ(text3()->toPlainText(), male);
    EXPECT_EQ(window->state().Gxiyong, favourable);
    // Without a confirmed moment a sex change recomputes nothing.
    control<QRadioButton>("Option8")->click();
    EXPECT_EQ(text3()->toPlainText(), male);
}

TEST_F(BirthDialogTest, ClosingTheDialogOtherwiseChangesNothing) {
    fake.birthDialogScript = chooseBirthTime(QDate(1984, 2, 10), 12, 0);
    control<QPushButton>("Command4")->click();
    fake.birthDialogScript = [](BirthTimeDialog& dialog) {
        dialog.Calendar1->setSelectedDate(QDate(1990, 1, 1));
        dialog.reject();  // the window's close button or Esc
    };
    control<QPushButton>("Command4")->click();
    EXPECT_TRUE(window->birthTime().BirthMomentSet);
    EXPECT_EQ(window->birthTime().BirthMoment, parseBirthMoment("1984-02-10 12:00"));
}

TEST_F(BirthDialogTest, SexChangeRecomputesTheReport) {
    fake.birthDialogScript = chooseBirthTime(QDate(1984, 2, 10), 12, 0);
    control<QPushButton>("Command4")->click();
    const QString male = text3()->toPlainText();
    EXPECT_EQ(male, reportFor("1984-02-10 12:00", kSexMale));
    EXPECT_TRUE(male.contains(qs("大运：丁卯 戊辰 己巳 庚午 辛未 壬申 癸酉 甲戌 ")));

    control<QRadioButton>("Option8")->click();
    const QString female = text3()->toPlainText();
    EXPECT_EQ(female, reportFor("1984-02-10 12:00", kSexFemale));
    EXPECT_TRUE(female.contains(qs("大运：乙丑 甲子 癸亥 壬戌 辛酉 庚申 己未 戊午 ")));
    EXPECT_TRUE(female.startsWith(qs("农历出生时间：")));
    EXPECT_TRUE(female.split(QLatin1Char('\n')).front().endsWith(qs("(女性)")));
    EXPECT_EQ(control<QLabel>("Label8")->text(), qs("女性"));
    EXPECT_EQ(
        window->state().Gxiyong,
        BuildBaZiReport(sharedTables()->calendar, *parseBirthMoment("1984-02-10 12:00"), kSexFemale)
            .favourable);
}

TEST_F(BirthDialogTest, BaZiOptionBeforeAnyMomentAsksForOne) {
    auto* check2 = control<QCheckBox>("Check2");
    fake.birthDialogScript = [](BirthTimeDialog& dialog) { dialog.Command1->click(); };
    check2->click();
    EXPECT_EQ(fake.messages, QStringList{qs("请指定出生时间！")});
    EXPECT_EQ(fake.birthDialogs, 1);
    // Cancelled, yet the option stays on.
    EXPECT_TRUE(check2->isChecked());
    EXPECT_TRUE(window->state().bShenChen);
    EXPECT_TRUE(text3()->toPlainText().isEmpty());

    check2->click();
    EXPECT_FALSE(window->state().bShenChen);
    EXPECT_EQ(fake.birthDialogs, 1);

    // This time a moment is chosen: the report follows at once.
    fake.birthDialogScript = chooseBirthTime(QDate(1985, 2, 4), 9, 5);
    check2->click();
    EXPECT_EQ(fake.birthDialogs, 2);
    EXPECT_EQ(text3()->toPlainText(), reportFor("1985-02-04 09:05", kSexMale));
}

TEST_F(BirthDialogTest, BaZiOptionAfterAMomentAsksNothing) {
    fake.birthDialogScript = chooseBirthTime(QDate(1985, 2, 4), 9, 5);
    control<QPushButton>("Command4")->click();
    control<QCheckBox>("Check2")->click();
    EXPECT_TRUE(fake.messages.isEmpty());
    EXPECT_EQ(fake.birthDialogs, 1);
    EXPECT_TRUE(window->state().bShenChen);
}

TEST_F(BirthDialogTest, SearchTakesTheFavourableElementsWhenItStarts) {
    writeCandidates("M.dat", {"明"});
    fake.birthDialogScript = chooseBirthTime(QDate(1985, 2, 4), 9, 5);
    control<QPushButton>("Command4")->click();
    control<QPushButton>("Command1")->click();
    EXPECT_EQ(window->state().sNeedWx, window->state().Gxiyong);
    EXPECT_FALSE(window->state().sNeedWx.empty());
}

}  // namespace
}  // namespace norlune::ui::testing
