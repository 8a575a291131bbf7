// The birth-time dialog, the BaZi display of the main window and the BaZi option.
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyledItemDelegate>

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
            minute = dialog.Combo2->text();
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
    std::pair<int, int> minuteRange;
    QStringList firstAndLast;
    QString title;
    QDate date;
    QString hour;
    QString minute;
    QString shichen;
    std::pair<QDate, QDate> dateRange;
    fake.birthDialogScript = [&](BirthTimeDialog& dialog) {
        hours = dialog.Combo1->count();
        minuteRange = {dialog.Combo2->minimum(), dialog.Combo2->maximum()};
        firstAndLast << dialog.Combo1->itemText(0) << dialog.Combo1->itemText(23);
        for (const int m : {0, 7, 59}) {
            dialog.Combo2->setValue(m);
            firstAndLast << dialog.Combo2->text();
        }
        title = dialog.Label1->text() + dialog.Label2->text() + dialog.Command2->text() +
                dialog.Command1->text();
        date = dialog.Calendar1->selectedDate();
        hour = dialog.Combo1->currentText();
        shichen = dialog.Label4->text();
        dateRange = {dialog.Calendar1->minimumDate(), dialog.Calendar1->maximumDate()};
        dialog.Combo2->setValue(30);
        minute = dialog.Combo2->text();
        dialog.Command1->click();
    };
    control<QPushButton>("Command4")->click();
    EXPECT_EQ(hours, 24);
    EXPECT_EQ(minuteRange, (std::pair<int, int>{0, 59}));
    EXPECT_EQ(firstAndLast,
              (QStringList{QStringLiteral("0"), QStringLiteral("23"), QStringLiteral("00"),
                           QStringLiteral("07"), QStringLiteral("59")}));
    EXPECT_EQ(title, qs("时分确定取消"));
    EXPECT_EQ(date, QDate(2026, 12, 7));
    EXPECT_EQ(hour, QStringLiteral("10"));
    EXPECT_EQ(shichen, qs("（巳时）"));
    EXPECT_EQ(minute, QStringLiteral("30"));
    // Only dates that the BaZi side covers can be picked.
    EXPECT_EQ(dateRange, (std::pair<QDate, QDate>{QDate(1921, 1, 1), QDate(2100, 12, 31)}));
    // "取消" on the first opening: no moment confirmed, but now presets the next opening.
    EXPECT_FALSE(window->birthTime().BirthMomentSet);
    EXPECT_EQ(window->birthTime().BirthMoment, parseBirthMoment("2026-12-07 10:30"));
    EXPECT_TRUE(text3()->toPlainText().isEmpty());
    EXPECT_EQ(text6()->text(), QStringLiteral("2026/12/7"));
}

TEST(ShichenTest, EveryHourHasItsTwoHourBranch) {
    const std::pair<int, const char*> rows[] = {
        {23, "子时"}, {0, "子时"},  {1, "丑时"},  {2, "丑时"},  {3, "寅时"},  {5, "卯时"},
        {7, "辰时"},  {10, "巳时"}, {11, "午时"}, {12, "午时"}, {13, "未时"}, {15, "申时"},
        {17, "酉时"}, {19, "戌时"}, {21, "亥时"}, {22, "亥时"},
    };
    for (const auto& [hour, name] : rows) {
        EXPECT_EQ(shichenName(hour), qs(name)) << hour;
    }
}

TEST_F(BirthDialogTest, HourListNamesEachHoursShichenAndTheLabelFollows) {
    QString shown;
    QString label;
    fake.birthDialogScript = [&](BirthTimeDialog& dialog) {
        dialog.Combo1->setCurrentIndex(23);
        label = dialog.Label4->text();
        // What the open list shows for the item "23".
        QStyleOptionViewItem option;
        const QModelIndex index = dialog.Combo1->model()->index(23, 0);
        auto* delegate = qobject_cast<QStyledItemDelegate*>(dialog.Combo1->itemDelegate());
        ASSERT_NE(delegate, nullptr);
        const QSize hint = delegate->sizeHint(option, index);
        EXPECT_GT(hint.width(),
                  QFontMetrics(dialog.Combo1->font()).horizontalAdvance(qs("23 子时")));
        shown = dialog.Combo1->currentText();
        dialog.Command1->click();
    };
    control<QPushButton>("Command4")->click();
    EXPECT_EQ(label, qs("（子时）"));
    // The item itself stays the plain hour that "确定" reads.
    EXPECT_EQ(shown, QStringLiteral("23"));
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

TEST_F(BirthDialogTest, CalendarCannotLeaveTheSupportedYears) {
    QDate afterLate;
    QDate afterEarly;
    fake.birthDialogScript = [&](BirthTimeDialog& dialog) {
        dialog.Calendar1->setSelectedDate(QDate(2019, 3, 1));
        dialog.Calendar1->setSelectedDate(QDate(2101, 3, 1));
        afterLate = dialog.Calendar1->selectedDate();
        dialog.Calendar1->setSelectedDate(QDate(1920, 12, 31));
        afterEarly = dialog.Calendar1->selectedDate();
        dialog.Calendar1->setSelectedDate(QDate(2019, 3, 1));
        dialog.Combo1->setCurrentIndex(0);
        dialog.Combo2->setValue(0);
        dialog.Command2->click();
    };
    control<QPushButton>("Command4")->click();
    // Dates outside 1921 to 2100 cannot be picked at all, so "确定" has nothing to refuse.
    EXPECT_EQ(afterLate, QDate(2100, 12, 31));
    EXPECT_EQ(afterEarly, QDate(1921, 1, 1));
    EXPECT_TRUE(fake.messages.isEmpty());
    EXPECT_EQ(window->birthTime().BirthMoment, parseBirthMoment("2019-03-01 00:00"));
    // Exactly midnight: the date alone.
    EXPECT_EQ(text6()->text(), QStringLiteral("2019/3/1"));
}

TEST_F(BirthDialogTest, BirthOfThisYearGetsItsReport) {
    fake.birthDialogScript = [&](BirthTimeDialog& dialog) {
        dialog.Calendar1->setSelectedDate(QDate(2026, 3, 1));
        dialog.Combo1->setCurrentIndex(dialog.Combo1->findText(QStringLiteral("8")));
        dialog.Combo2->setValue(0);
        dialog.Command2->click();
    };
    control<QPushButton>("Command4")->click();
    EXPECT_TRUE(fake.messages.isEmpty());
    EXPECT_EQ(window->birthTime().BirthMoment, parseBirthMoment("2026-03-01 08:00"));
    EXPECT_TRUE(text3()->toPlainText().startsWith(
        qs("农历出生时间：丙午年正月十三日辰时(男性)\n命主生辰八字：丙午 庚寅 甲戌 戊辰\n")))
        << utf8(text3()->toPlainText());
    EXPECT_EQ(text3()->toPlainText().count(QLatin1Char('\n')), 21);
}

TEST_F(BirthDialogTest, DateBoxIsGreyedUntilABirthTimeIsConfirmed) {
    // Today's date at start-up, greyed, with the reason as its tooltip.
    EXPECT_EQ(text6()->text(), QStringLiteral("2026/12/7"));
    EXPECT_FALSE(text6()->isEnabled());
    EXPECT_EQ(text6()->toolTip(), qs("尚未选择出生时间"));
    fake.birthDialogScript = chooseBirthTime(QDate(1985, 2, 4), 9, 5);
    control<QPushButton>("Command4")->click();
    EXPECT_TRUE(text6()->isEnabled());
    EXPECT_TRUE(text6()->toolTip().isEmpty());
    // 取消 withdraws it again: greyed today's date.
    fake.birthDialogScript = [](BirthTimeDialog& dialog) { dialog.Command1->click(); };
    control<QPushButton>("Command4")->click();
    EXPECT_EQ(text6()->text(), QStringLiteral("2026/12/7"));
    EXPECT_FALSE(text6()->isEnabled());
    EXPECT_EQ(text6()->toolTip(), qs("尚未选择出生时间"));
}

// 取消 does what the help says: the birth time is withdrawn, on the screen and for the next run.
TEST_F(BirthDialogTest, CancelWithdrawsTheMomentItsReportAndItsElements) {
    fake.birthDialogScript = chooseBirthTime(QDate(1984, 2, 10), 12, 0);
    control<QPushButton>("Command4")->click();
    ASSERT_FALSE(text3()->toPlainText().isEmpty());
    ASSERT_FALSE(window->state().Gxiyong.empty());

    fake.birthDialogScript = [](BirthTimeDialog& dialog) { dialog.Command1->click(); };
    control<QPushButton>("Command4")->click();
    EXPECT_FALSE(window->birthTime().BirthMomentSet);
    // The value stays to preset the next opening.
    EXPECT_EQ(window->birthTime().BirthMoment, parseBirthMoment("1984-02-10 12:00"));
    EXPECT_TRUE(text3()->toPlainText().isEmpty());
    EXPECT_TRUE(window->state().Gxiyong.empty());
    // Without a confirmed moment a sex change computes nothing.
    control<QRadioButton>("Option8")->click();
    EXPECT_TRUE(text3()->toPlainText().isEmpty());
    // The BaZi option now asks for a birth time again.
    fake.birthDialogScript = nullptr;
    control<QCheckBox>("Check2")->click();
    EXPECT_EQ(fake.messages, QStringList{qs("请指定出生时间！")});
    // A run with the option on judges by no favourable elements.
    writeCandidates("M.dat", {"明"});
    control<QPushButton>("Command1")->click();
    EXPECT_TRUE(window->state().sNeedWx.empty());
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
