// The birthplace row and the summer-time check box of the birth-time dialog, and what the main
// window shows for them.
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <vector>

#include "calendar/bazi_report.h"
#include "calendar/four_pillars.h"
#include "ui_fixture.h"

namespace norlune::ui::testing {
namespace {

class BirthPlaceDialogTest : public WindowTest {
protected:
    QString text3() const { return control<QPlainTextEdit>("Text3")->toPlainText(); }

    // A date and time, a place ("" for none) and the summer-time box, then "确定".
    void choose(QDate date, int hour, int minute, const char* province, const char* city,
                bool summerTime) {
        fake.birthDialogScript = [=](BirthTimeDialog& dialog) {
            dialog.Combo3->setCurrentIndex(
                *province == '\0' ? 0 : dialog.Combo3->findText(qs(province)));
            if (*city != '\0') {
                dialog.Combo4->setCurrentIndex(dialog.Combo4->findText(qs(city)));
            }
            dialog.Check1->setChecked(summerTime);
            chooseBirthTime(date, hour, minute)(dialog);
        };
        control<QPushButton>("Command4")->click();
    }

    struct Shown {
        QString province, city;
        bool cityEnabled = false;
        bool summerTime = false;
        int provinces = 0;
        int cities = 0;
    };
    // The place row and the box as the dialog opens now; then "取消".
    Shown look() {
        Shown shown;
        fake.birthDialogScript = [&](BirthTimeDialog& dialog) {
            shown = {dialog.Combo3->currentText(), dialog.Combo4->currentText(),
                     dialog.Combo4->isEnabled(),   dialog.Check1->isChecked(),
                     dialog.Combo3->count(),       dialog.Combo4->count()};
            dialog.Command1->click();
        };
        control<QPushButton>("Command4")->click();
        return shown;
    }

    QString reportFor(const char* clock, const char* city, bool summerTime) const {
        const CalendarTables& tables = sharedTables()->calendar;
        BirthMoment moment = *parseBirthMoment(clock);
        if (*city != '\0') {
            moment.place = *tables.places.find(city);
        }
        moment.summerTime = summerTime;
        return reportText(BuildBaZiReport(tables, moment, kSexMale).text);
    }
};

TEST_F(BirthPlaceDialogTest, FirstOpeningHasNoPlaceAndSummerTimeOn) {
    const Shown shown = look();
    EXPECT_EQ(shown.province, qs(kNoBirthplaceItem));
    EXPECT_TRUE(shown.city.isEmpty());
    EXPECT_FALSE(shown.cityEnabled);
    EXPECT_TRUE(shown.summerTime);
    EXPECT_EQ(shown.provinces,
              1 + static_cast<int>(sharedTables()->calendar.places.provinces().size()));
}

TEST_F(BirthPlaceDialogTest, ChosenPlaceCorrectsTheReportAndPresetsTheNextOpening) {
    choose(QDate(1985, 2, 4), 9, 5, "新疆维吾尔自治区", "乌鲁木齐市", true);
    EXPECT_EQ(text3(), reportFor("1985-02-04 09:05", "乌鲁木齐", true));
    EXPECT_TRUE(text3().startsWith(qs("出生地点经度：新疆维吾尔自治区乌鲁木齐市 东经87°36′")));
    EXPECT_TRUE(text3().contains(qs("命主生辰八字：乙丑 戊寅 甲戌 丁卯")));
    ASSERT_TRUE(window->birthTime().BirthPlace.has_value());
    EXPECT_EQ(window->birthTime().BirthPlace->city, "乌鲁木齐市");

    const Shown shown = look();
    EXPECT_EQ(shown.province, qs("新疆维吾尔自治区"));
    EXPECT_EQ(shown.city, qs("乌鲁木齐市"));
    EXPECT_TRUE(shown.cityEnabled);
    EXPECT_EQ(shown.cities, 14);
    // "取消" withdrew the moment but not the place choice.
    EXPECT_FALSE(window->birthTime().BirthMomentSet);
    EXPECT_TRUE(window->birthTime().BirthPlace.has_value());

    // Back to no place: exactly the report without any correction line.
    choose(QDate(1985, 2, 4), 9, 5, "", "", true);
    EXPECT_EQ(text3(), reportFor("1985-02-04 09:05", "", false));
    EXPECT_FALSE(window->birthTime().BirthPlace.has_value());
}

TEST_F(BirthPlaceDialogTest, SummerTimeBoxDecidesHowASummerClockTimeIsRead) {
    choose(QDate(1988, 7, 1), 13, 10, "", "", true);
    EXPECT_TRUE(text3().startsWith(
        qs("夏令时间校正：1988-07-01 13:10为夏令时，按标准时间1988-07-01 12:10计算")));
    EXPECT_TRUE(text3().contains(qs("命主生辰八字：戊辰 戊午 丁巳 丙午")));
    EXPECT_TRUE(control<QLineEdit>("Text6")->text().contains(QStringLiteral("13:10")));

    choose(QDate(1988, 7, 1), 13, 10, "", "", false);
    EXPECT_EQ(text3(), reportFor("1988-07-01 13:10", "", false));
    EXPECT_FALSE(text3().contains(qs("夏令时")));
    EXPECT_FALSE(look().summerTime);
}

TEST_F(BirthPlaceDialogTest, MinguoYearOnlyForTaiwanWithTraditionalInterface) {
    struct Seen {
        bool shown = false;
        QString text;
    };
    std::vector<Seen> seen;
    fake.birthDialogScript = [&](BirthTimeDialog& dialog) {
        const auto note = [&] {
            seen.push_back({!dialog.Label5->isHidden(), dialog.Label5->text()});
        };
        dialog.Calendar1->setSelectedDate(QDate(1975, 6, 1));
        dialog.Combo3->setCurrentIndex(dialog.Combo3->findText(qs("台湾省")));
        dialog.Combo4->setCurrentIndex(dialog.Combo4->findText(qs("台北市")));
        note();  // 0: simplified interface, as built
        dialog.setTraditionalInterface(true);
        note();                                                // 1: Taipei
        dialog.Calendar1->setSelectedDate(QDate(1921, 3, 1));  // the first year offered
        note();                                                // 2: another year
        dialog.Combo4->setCurrentIndex(dialog.Combo4->findText(qs("金门县")));
        note();  // 3: another place in Taiwan
        dialog.Combo3->setCurrentIndex(dialog.Combo3->findText(qs("香港特别行政区")));
        note();  // 4: Hong Kong
        dialog.Combo3->setCurrentIndex(0);
        note();  // 5: no place
        dialog.Combo3->setCurrentIndex(dialog.Combo3->findText(qs("台湾省")));
        dialog.setTraditionalInterface(false);
        note();  // 6: back to simplified
        dialog.Command1->click();
    };
    control<QPushButton>("Command4")->click();
    ASSERT_EQ(seen.size(), 7U);
    EXPECT_FALSE(seen[0].shown);
    EXPECT_TRUE(seen[1].shown);
    EXPECT_EQ(seen[1].text, qs("1975年（民國64年）"));
    EXPECT_TRUE(seen[2].shown);
    EXPECT_EQ(seen[2].text, qs("1921年（民國10年）"));
    EXPECT_TRUE(seen[3].shown);
    EXPECT_FALSE(seen[4].shown);
    EXPECT_FALSE(seen[5].shown);
    EXPECT_FALSE(seen[6].shown);
}

TEST_F(BirthPlaceDialogTest, PlaceRowAndBoxAreInsideTheDialog) {
    fake.birthDialogScript = [](BirthTimeDialog& dialog) {
        dialog.Combo3->setCurrentIndex(dialog.Combo3->findText(qs("贵州省")));
        dialog.Combo4->setCurrentIndex(dialog.Combo4->findText(qs("黔西南布依族苗族自治州")));
        dialog.show();
        dialog.adjustSize();
        const QRect inside = dialog.rect();
        for (QWidget* widget : std::initializer_list<QWidget*>{
                 dialog.Combo3, dialog.Combo4, dialog.Check1, dialog.Command1, dialog.Calendar1}) {
            const QRect box(widget->mapTo(&dialog, QPoint(0, 0)), widget->size());
            EXPECT_TRUE(inside.contains(box)) << widget->objectName().toStdString();
            EXPECT_GE(widget->width(), widget->minimumSizeHint().width())
                << widget->objectName().toStdString();
        }
        dialog.Command1->click();
    };
    control<QPushButton>("Command4")->click();
    EXPECT_EQ(fake.birthDialogs, 1);
}

}  // namespace
}  // namespace norlune::ui::testing
