#include "ui/birth_time_dialog.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "calendar/minguo.h"
#include "ui/qt_text.h"
#include "ui/user_interaction.h"

namespace norlune::ui {
namespace {

QString twoDigits(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// The minutes with two digits, as the minute list of the layout wrote them.
class MinuteBox : public QSpinBox {
public:
    using QSpinBox::QSpinBox;

protected:
    QString textFromValue(int value) const override { return twoDigits(value); }
};

// The hour list's entries read "9 时 · 巳时" when the list is open; the item itself stays "9".
class HourDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->text =
            index.data().toString() + WindowText::tr(" 时 · ") + shichenName(index.row());
    }
};

}  // namespace

QString shichenName(int hour) {
    static const char* const kBranches[] = {"子", "丑", "寅", "卯", "辰", "巳",
                                            "午", "未", "申", "酉", "戌", "亥"};
    return qs(kBranches[((hour + 1) / 2) % 12]) + WindowText::tr("时");
}

std::optional<BirthMoment> birthMomentWithPlace(const BirthTimeStore& store) {
    std::optional<BirthMoment> moment = store.BirthMoment;
    if (moment) {
        moment->place = store.BirthPlace;
        moment->summerTime = store.SummerTime;
    }
    return moment;
}

BirthChoice checkBirthChoice(int year, int month, int day, const QString& hourItem,
                             const QString& minuteItem, const InterfaceText& script) {
    QString hour = hourItem;
    if (hour.size() < 2) {
        hour.prepend(QLatin1Char('0'));
    }
    BirthChoice choice;
    if (day == 0) {
        choice.message = WindowText::tr(kNoBirthDateMessage);
        return choice;
    }
    if (year > kLastBirthYear || year < kFirstBirthYear) {
        choice.message = script(kBirthYearRangeMessage);
        return choice;
    }
    const QString text =
        QStringLiteral("%1-%2-%3 %4:%5").arg(year).arg(month).arg(day).arg(hour, minuteItem);
    choice.moment = parseBirthMoment(utf8(text));
    if (!choice.moment) {
        // The lists and the calendar offer only real dates and times; anything else is no date.
        choice.message = WindowText::tr(kNoBirthDateMessage);
    }
    return choice;
}

BirthTimeDialog::BirthTimeDialog(BirthTimeStore& store, UserInteraction& interaction,
                                 const Clock& now, const PlaceTable& places,
                                 const InterfaceText& text, QWidget* parent)
    : QDialog(parent),
      store_(store),
      interaction_(interaction),
      places_(places),
      text_(text),
      traditional_(text.script() == Script::Hant) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(tr("选择出生时间"));
    setModal(true);

    Calendar1 = new QCalendarWidget(this);
    Calendar1->setObjectName(QStringLiteral("Calendar1"));
    Calendar1->setLocale(
        text_.script() == Script::Hant
            ? QLocale(QLocale::Chinese, QLocale::TraditionalChineseScript, QLocale::Taiwan)
            : QLocale(QLocale::Chinese, QLocale::China));
    Calendar1->setGridVisible(true);
    Calendar1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    // Only the dates the BaZi tables cover can be picked.
    Calendar1->setDateRange(QDate(kFirstBirthYear, 1, 1), QDate(kLastBirthYear, 12, 31));
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setItemDelegate(new HourDelegate(Combo1));
    Combo1->setMaxVisibleItems(12);
    Label1 = new QLabel(tr("时"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label4 = new QLabel(this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setMinimumWidth(QFontMetrics(Label4->font()).horizontalAdvance(tr("（子时）")));
    Combo2 = new MinuteBox(this);
    Combo2->setObjectName(QStringLiteral("Combo2"));
    Combo2->setRange(0, 59);
    Combo2->setWrapping(true);
    Combo2->setAlignment(Qt::AlignRight);
    Label2 = new QLabel(tr("分"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Command2 = new QPushButton(tr("确定"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setAutoDefault(false);
    Command1 = new QPushButton(tr("取消"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAutoDefault(false);

    Label3 = new QLabel(tr("出生地点"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Combo3 = new QComboBox(this);
    Combo3->setObjectName(QStringLiteral("Combo3"));
    Combo3->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    Combo4 = new QComboBox(this);
    Combo4->setObjectName(QStringLiteral("Combo4"));
    // Wide enough for the longest place name, so the row keeps its width whatever is chosen.
    Combo4->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Combo4->setMinimumContentsLength(11);
    Check1 = new QCheckBox(WindowText::tr(kSummerTimeText), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Label5 = new QLabel(this);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->hide();

    auto* placeRow = new QHBoxLayout;
    placeRow->addWidget(Label3);
    placeRow->addWidget(Combo3);
    placeRow->addWidget(Combo4, 1);
    auto* row = new QHBoxLayout;
    row->addWidget(Combo1);
    row->addWidget(Label1);
    row->addWidget(Label4);
    row->addSpacing(8);
    row->addWidget(Combo2);
    row->addWidget(Label2);
    row->addStretch(1);
    row->addWidget(Command2);
    row->addWidget(Command1);
    auto* column = new QVBoxLayout(this);
    column->addWidget(Calendar1);
    column->addWidget(Label5);
    column->addLayout(placeRow);
    column->addWidget(Check1);
    column->addLayout(row);
    column->setSizeConstraint(QLayout::SetMinimumSize);

    // Opening: a fresh hour list, the first hour and minute chosen, then the stored moment (or
    // now) shown.
    Combo1->clear();
    for (int h = 0; h < 24; ++h) {
        Combo1->addItem(QString::number(h));
    }
    Combo1->setCurrentIndex(0);
    Combo2->setValue(0);
    const auto showShichen = [this] {
        Label4->setText(tr("（") + shichenName(std::max(0, Combo1->currentIndex())) + tr("）"));
    };
    connect(Combo1, &QComboBox::currentIndexChanged, this, showShichen);
    showShichen();
    Combo3->addItem(WindowText::tr(kNoBirthplaceItem));
    for (const std::string& province : places_.provinces()) {
        Combo3->addItem(text_(province), qs(province));
    }
    if (!store_.BirthMoment) {
        const QDateTime current = now();
        store_.BirthMoment =
            makeBirthMoment(current.date().year(), static_cast<unsigned>(current.date().month()),
                            static_cast<unsigned>(current.date().day()), current.time().hour(),
                            current.time().minute());
    }
    if (store_.BirthMoment) {
        const std::chrono::year_month_day ymd = store_.BirthMoment->date();
        Calendar1->setSelectedDate(QDate(static_cast<int>(ymd.year()),
                                         static_cast<int>(static_cast<unsigned>(ymd.month())),
                                         static_cast<int>(static_cast<unsigned>(ymd.day()))));
        Combo1->setCurrentIndex(Combo1->findText(QString::number(store_.BirthMoment->hour())));
        Combo2->setValue(store_.BirthMoment->minute());
    }
    const std::optional<BirthPlace>& place = store_.BirthPlace;
    Combo3->setCurrentIndex(place ? std::max(0, Combo3->findData(qs(place->province))) : 0);
    Combo3_Change();
    if (place && Combo3->currentIndex() > 0) {
        Combo4->setCurrentIndex(std::max(0, Combo4->findData(qs(place->city))));
    }
    Check1->setChecked(store_.SummerTime);
    connect(Combo3, &QComboBox::currentIndexChanged, this, &BirthTimeDialog::Combo3_Change);
    connect(Combo4, &QComboBox::currentIndexChanged, this, &BirthTimeDialog::showMinguoYear);
    connect(Calendar1, &QCalendarWidget::selectionChanged, this, &BirthTimeDialog::showMinguoYear);

    connect(Command2, &QPushButton::clicked, this, &BirthTimeDialog::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &BirthTimeDialog::Command1_Click);
}

void BirthTimeDialog::Combo3_Change() {
    Combo4->clear();
    if (Combo3->currentIndex() > 0) {
        for (const BirthPlace* place : places_.placesOf(utf8(Combo3->currentData().toString()))) {
            Combo4->addItem(text_(place->city), qs(place->city));
        }
    }
    Combo4->setEnabled(Combo4->count() > 0);
}

std::optional<BirthPlace> BirthTimeDialog::chosenPlace() const {
    if (Combo3->currentIndex() <= 0) {
        return std::nullopt;
    }
    const std::string province = utf8(Combo3->currentData().toString());
    const std::string city = utf8(Combo4->currentData().toString());
    for (const BirthPlace* place : places_.placesOf(province)) {
        if (place->city == city) {
            return *place;
        }
    }
    return std::nullopt;
}

void BirthTimeDialog::setTraditionalInterface(bool traditional) {
    traditional_ = traditional;
    showMinguoYear();
}

void BirthTimeDialog::showMinguoYear() {
    const std::optional<BirthPlace> place = chosenPlace();
    const QDate date = Calendar1->selectedDate();
    const bool shown = traditional_ && place && inTaiwan(*place) && date.isValid();
    if (shown) {
        Label5->setText(QString::number(date.year()) + qs("年（") +
                        qs(minguoYearText(date.year())) + qs("）"));
    }
    Label5->setVisible(shown);
}

int BirthTimeDialog::selectedDay() const {
    const QDate date = Calendar1->selectedDate();
    return date.isValid() ? date.day() : 0;
}

void BirthTimeDialog::Command2_Click() {
    const QDate date = Calendar1->selectedDate();
    const BirthChoice choice =
        checkBirthChoice(date.year(), date.month(), selectedDay(), Combo1->currentText(),
                         twoDigits(Combo2->value()), text_);
    if (!choice.moment) {
        interaction_.showMessage(this, choice.message);
        return;
    }
    store_.BirthMoment = choice.moment;
    store_.BirthPlace = chosenPlace();
    store_.SummerTime = Check1->isChecked();
    store_.BirthMomentSet = true;
    accept();
}

void BirthTimeDialog::Command1_Click() {
    store_.BirthMomentSet = false;
    reject();
}

}  // namespace norlune::ui
