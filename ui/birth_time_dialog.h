#pragma once
// The birth-time dialog (Form2): a month calendar with an hour list (each hour with its 时辰) and a
// minute box. "确定" checks the choice and stores it as the birth moment, "取消" withdraws a stored
// one: the main window then shows no birth time and judges no name by it.
#include <QDateTime>
#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

#include "calendar/birth_moment.h"
#include "ui/interface_script.h"

class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace norlune::ui {

class UserInteraction;

// The birth moment shared by the dialog and the main window for the whole run of the program.
struct BirthTimeStore {
    // Unset until the dialog first opens; then it presets every opening.
    std::optional<norlune::BirthMoment> BirthMoment;
    // The birthplace and the summer-time choice confirmed with the moment; they too preset every
    // opening. No place: the clock's meridian, 120° east.
    std::optional<norlune::BirthPlace> BirthPlace;
    bool SummerTime = true;
    // A moment was confirmed with "确定" and not withdrawn since.
    bool BirthMomentSet = false;
};

inline constexpr const char* kNoBirthDateMessage =
    QT_TRANSLATE_NOOP("norlune::ui::WindowText", "请指定出生日期！");
// The first item of the province list: no birthplace, the clock's own meridian.
inline constexpr const char* kNoBirthplaceItem =
    QT_TRANSLATE_NOOP("norlune::ui::WindowText", "不指定（按东经120°）");
inline constexpr const char* kSummerTimeText = QT_TRANSLATE_NOOP(
    "norlune::ui::WindowText", "1986年至1991年夏令时期间的时间按夏令时计（减一小时）");

// The moment as the BaZi side takes it: the stored moment with the stored place and summer-time
// choice; nothing while no moment is stored.
std::optional<norlune::BirthMoment> birthMomentWithPlace(const BirthTimeStore& store);

struct BirthChoice {
    std::optional<norlune::BirthMoment> moment;  // the confirmed moment
    QString message;                             // or why the choice is refused
};

// The 时辰 of an hour 0 to 23: 子时 from 23 to 1 o'clock, 丑时 from 1 to 3, and so on.
QString shichenName(int hour);

// The check of "确定": `day` is 0 while the calendar has no selected day; the hour item is "0" to
// "23", the minute text "00" to "59". The messages in `script`.
BirthChoice checkBirthChoice(int year, int month, int day, const QString& hourItem,
                             const QString& minuteItem, const InterfaceText& script = {});

class BirthTimeDialog : public QDialog {
    Q_OBJECT
public:
    using Clock = std::function<QDateTime()>;

    // Built afresh for every opening: fills the lists and shows the stored moment (or now). The
    // calendar, the places and the messages in the script of `text`.
    BirthTimeDialog(BirthTimeStore& store, UserInteraction& interaction, const Clock& now,
                    const PlaceTable& places, const InterfaceText& text, QWidget* parent = nullptr);

    void Command2_Click();  // 确定
    void Command1_Click();  // 取消

    // With a traditional-character interface the dialog shows the 民國 year of the chosen date
    // beside its Gregorian year while the chosen place is in Taiwan (Label5); off as built.
    void setTraditionalInterface(bool traditional);

    QCalendarWidget* Calendar1;
    QComboBox* Combo1;  // hours "0" to "23"; the list names each hour's 时辰
    QLabel* Label1;     // "时"
    QLabel* Label4;     // the 时辰 of the chosen hour: "巳时"
    QSpinBox* Combo2;   // minutes, shown with two digits
    QLabel* Label2;     // "分"
    QPushButton* Command2;
    QPushButton* Command1;
    QLabel* Label3;     // "出生地点"
    QComboBox* Combo3;  // provinces, after kNoBirthplaceItem; each item's data is its table name
    QComboBox* Combo4;  // the places of the chosen province, their table names as data
    QCheckBox* Check1;  // read summer-time clock readings as summer time
    QLabel* Label5;     // "1975年（民國64年）"; hidden unless setTraditionalInterface applies

private:
    // Fills the place list for the province list's current item.
    void Combo3_Change();
    // The chosen birthplace; none for kNoBirthplaceItem.
    std::optional<BirthPlace> chosenPlace() const;

    // The calendar's day, 0 when it has none selected.
    int selectedDay() const;
    // Shows or hides Label5 for the chosen date and place.
    void showMinguoYear();

    BirthTimeStore& store_;
    UserInteraction& interaction_;
    const PlaceTable& places_;
    InterfaceText text_;
    bool traditional_ = false;
};

}  // namespace norlune::ui
