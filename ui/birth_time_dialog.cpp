#include "ui/birth_time_dialog.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/qt_text.h"
#include "ui/user_interaction.h"

namespace norlune::ui {
namespace {

QString twoDigits(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

}  // namespace

BirthChoice checkBirthChoice(int year, int month, int day, const QString& hourItem,
                             const QString& minuteItem) {
    QString hour = hourItem;
    if (hour.size() < 2) {
        hour.prepend(QLatin1Char('0'));
    }
    BirthChoice choice;
    if (day == 0) {
        choice.message = qs(kNoBirthDateMessage);
        return choice;
    }
    if (year > kLastBirthYear || year < kFirstBirthYear) {
        choice.message = qs(kBirthYearRangeMessage);
        return choice;
    }
    const QString text =
        QStringLiteral("%1-%2-%3 %4:%5").arg(year).arg(month).arg(day).arg(hour, minuteItem);
    choice.moment = parseBirthMoment(utf8(text));
    if (!choice.moment) {
        // The lists and the calendar offer only real dates and times; anything else is no date.
        choice.message = qs(kNoBirthDateMessage);
    }
    return choice;
}

BirthTimeDialog::BirthTimeDialog(BirthTimeStore& store, UserInteraction& interaction,
                                 const Clock& now, QWidget* parent)
    : QDialog(parent), store_(store), interaction_(interaction) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(qs("选择出生时间"));
    setModal(true);

    Calendar1 = new QCalendarWidget(this);
    Calendar1->setObjectName(QStringLiteral("Calendar1"));
    Calendar1->setLocale(QLocale(QLocale::Chinese, QLocale::China));
    Calendar1->setGridVisible(true);
    Calendar1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Label1 = new QLabel(qs("时"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Combo2 = new QComboBox(this);
    Combo2->setObjectName(QStringLiteral("Combo2"));
    Label2 = new QLabel(qs("分"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Command2 = new QPushButton(qs("确定"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setAutoDefault(false);
    Command1 = new QPushButton(qs("取消"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAutoDefault(false);

    auto* row = new QHBoxLayout;
    row->addWidget(Combo1);
    row->addWidget(Label1);
    row->addSpacing(8);
    row->addWidget(Combo2);
    row->addWidget(Label2);
    row->addStretch(1);
    row->addWidget(Command2);
    row->addWidget(Command1);
    auto* column = new QVBoxLayout(this);
    column->addWidget(Calendar1);
    column->addLayout(row);

    // Opening: fresh lists, the first items selected, then the stored moment (or now) shown.
    Combo1->clear();
    Combo2->clear();
    for (int h = 0; h < 24; ++h) {
        Combo1->addItem(QString::number(h));
    }
    for (int m = 0; m < 60; ++m) {
        Combo2->addItem(twoDigits(m));
    }
    Combo1->setCurrentIndex(0);
    Combo2->setCurrentIndex(0);
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
        Combo2->setCurrentIndex(Combo2->findText(twoDigits(store_.BirthMoment->minute())));
    }

    connect(Command2, &QPushButton::clicked, this, &BirthTimeDialog::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &BirthTimeDialog::Command1_Click);
}

int BirthTimeDialog::selectedDay() const {
    const QDate date = Calendar1->selectedDate();
    return date.isValid() ? date.day() : 0;
}

void BirthTimeDialog::Command2_Click() {
    const QDate date = Calendar1->selectedDate();
    const BirthChoice choice = checkBirthChoice(date.year(), date.month(), selectedDay(),
                                                Combo1->currentText(), Combo2->currentText());
    if (!choice.moment) {
        interaction_.showMessage(this, choice.message);
        return;
    }
    store_.BirthMoment = choice.moment;
    store_.BirthMomentSet = true;
    accept();
}

void BirthTimeDialog::Command1_Click() {
    store_.BirthMomentSet = false;
    reject();
}

}  // namespace norlune::ui
