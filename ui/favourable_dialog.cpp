#include "ui/favourable_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/qt_text.h"

namespace norlune::ui {

QString elementOrder() {
    return qs("金木水火土");
}

QString orderedElements(const QString& text) {
    QString out;
    for (const QChar element : elementOrder()) {
        if (text.contains(element)) {
            out += element;
        }
    }
    return out;
}

FavourableDialog::FavourableDialog(const FavourableChoice& current, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("favourableDialog"));
    setWindowTitle(tr("喜用五行"));
    auto* caption = new QLabel(tr("喜用五行："), this);
    computed = new QRadioButton(tr("按八字计算"), this);
    computed->setObjectName(QStringLiteral("favourableComputed"));
    byHand = new QRadioButton(tr("自行指定"), this);
    byHand->setObjectName(QStringLiteral("favourableByHand"));
    (current.byHand ? byHand : computed)->setChecked(true);
    auto* choices = new QHBoxLayout;
    choices->addWidget(caption);
    choices->addWidget(computed);
    choices->addWidget(byHand);
    choices->addStretch();
    auto* boxes = new QHBoxLayout;
    const QString order = elementOrder();
    for (int i = 0; i < 5; ++i) {
        elements[static_cast<std::size_t>(i)] = new QCheckBox(order.at(i), this);
        elements[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("element%1").arg(i));
        elements[static_cast<std::size_t>(i)]->setChecked(current.byHand &&
                                                          current.elements.contains(order.at(i)));
        boxes->addWidget(elements[static_cast<std::size_t>(i)]);
    }
    boxes->addStretch();
    auto* note =
        new QLabel(tr("自行指定时，评分的八字规则用这里选的五行，不用八字算出的五行。"), this);
    note->setWordWrap(true);
    problem = new QLabel(this);
    problem->setObjectName(QStringLiteral("favourableProblem"));
    problem->setStyleSheet(QStringLiteral("color: #b00000;"));
    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("取消"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addLayout(boxes);
    layout->addWidget(note);
    layout->addWidget(problem);
    layout->addWidget(buttons);
    connect(byHand, &QRadioButton::toggled, this, &FavourableDialog::updateBoxes);
    connect(buttons, &QDialogButtonBox::accepted, this, &FavourableDialog::confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    updateBoxes();
}

void FavourableDialog::updateBoxes() {
    for (QCheckBox* box : elements) {
        box->setEnabled(byHand->isChecked());
    }
    problem->clear();
}

FavourableChoice FavourableDialog::choice() const {
    if (!byHand->isChecked()) {
        return {};
    }
    FavourableChoice chosen{true, {}};
    for (QCheckBox* box : elements) {
        if (box->isChecked()) {
            chosen.elements += box->text();
        }
    }
    return chosen;
}

void FavourableDialog::confirm() {
    if (byHand->isChecked() && choice().elements.isEmpty()) {
        problem->setText(tr("自行指定时请至少选一个五行"));
        return;
    }
    accept();
}

}  // namespace norlune::ui
