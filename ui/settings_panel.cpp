#include "ui/settings_panel.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "ui/fit_label.h"
#include "ui/fonts.h"
#include "ui/qt_text.h"

namespace norlune::ui {
namespace {

template <class Widget>
Widget* make(QWidget* parent, const char* name, const QString& text = {}) {
    auto* widget = new Widget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    if constexpr (requires { widget->setText(text); }) {
        if (!text.isEmpty()) {
            widget->setText(text);
        }
    }
    return widget;
}

QGroupBox* frame(QWidget* parent, const char* name) {
    auto* box = make<QGroupBox>(parent, name);
    box->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return box;
}

// A box for a few characters: wide enough for `characters` of them and the frame around them.
void fitCharacters(QLineEdit* box, int characters) {
    const QFontMetrics metrics(box->font());
    box->setFixedWidth(metrics.horizontalAdvance(QString(characters, QChar(0x6D4B))) + 10);
}

QHBoxLayout* row(QGroupBox* box) {
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->setSpacing(6);
    return layout;
}

}  // namespace

SettingsPanel::SettingsPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("settingsPanel"));

    Frame5 = frame(this, "Frame5");
    Label2 = make<QLabel>(Frame5, "Label2", tr("姓氏"));
    Text1 = make<QLineEdit>(Frame5, "Text1");
    fitCharacters(Text1, 3);
    Option7 = make<QRadioButton>(Frame5, "Option7", tr("男性"));
    Option7->setChecked(true);
    Option8 = make<QRadioButton>(Frame5, "Option8", tr("女性"));
    QHBoxLayout* sexRow = row(Frame5);
    sexRow->addWidget(Label2);
    sexRow->addWidget(Text1);
    sexRow->addSpacing(6);
    sexRow->addWidget(Option7);
    sexRow->addWidget(Option8);
    sexRow->addStretch(1);

    Frame4 = frame(this, "Frame4");
    Label4 = make<QLabel>(Frame4, "Label4", tr("姓名字数"));
    Option6 = make<QRadioButton>(Frame4, "Option6", tr("不限"));
    Option6->setChecked(true);
    Option5 = make<QRadioButton>(Frame4, "Option5", tr("单字"));
    Option4 = make<QRadioButton>(Frame4, "Option4", tr("双字"));
    QHBoxLayout* lengthRow = row(Frame4);
    lengthRow->addWidget(Label4);
    lengthRow->addWidget(Option6);
    lengthRow->addWidget(Option5);
    lengthRow->addWidget(Option4);
    lengthRow->addStretch(1);

    Frame3 = frame(this, "Frame3");
    Label7 = make<QLabel>(Frame3, "Label7", tr("指定名字"));
    Text4 = make<QLineEdit>(Frame3, "Text4");
    Text5 = make<QLineEdit>(Frame3, "Text5");
    fitCharacters(Text4, 1);
    fitCharacters(Text5, 1);
    Label3 = make<QLabel>(Frame3, "Label3", tr("(可指定名字中左右字)"));
    Check1 = make<QCheckBox>(Frame3, "Check1", tr("或名字中包含左右字中任意一字"));
    auto* designated = new QGridLayout(Frame3);
    designated->setContentsMargins(8, 6, 8, 6);
    designated->setHorizontalSpacing(6);
    auto* boxes = new QHBoxLayout;
    boxes->setSpacing(0);
    boxes->addWidget(Text4);
    boxes->addWidget(Text5);
    designated->addWidget(Label7, 0, 0);
    designated->addLayout(boxes, 0, 1);
    designated->addWidget(Label3, 0, 2);
    designated->addWidget(Check1, 1, 0, 1, 3);
    designated->setColumnStretch(3, 1);

    Frame6 = frame(this, "Frame6");
    Label1 = make<FitLabel>(Frame6, "Label1");
    Label1->setFont(songtiFont(26.25));
    Label5 = make<QLabel>(Frame6, "Label5", tr("已测算0个姓名"));
    Command1 = make<QPushButton>(Frame6, "Command1", tr("开始测算"));
    Command2 = make<QPushButton>(Frame6, "Command2", tr("停止测算"));
    Command2->setEnabled(false);
    for (QPushButton* button : {Command1, Command2}) {
        button->setAutoDefault(false);
    }
    ProgressBar1 = make<QProgressBar>(Frame6, "ProgressBar1");
    ProgressBar1->setRange(0, 1000);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setFixedHeight(9);
    auto* run = new QVBoxLayout(Frame6);
    run->setContentsMargins(8, 4, 8, 6);
    run->setSpacing(4);
    run->addWidget(Label1);
    run->addWidget(Label5);
    auto* commands = new QHBoxLayout;
    commands->addWidget(Command1);
    commands->addStretch(1);
    commands->addWidget(Command2);
    run->addLayout(commands);
    run->addWidget(ProgressBar1);

    Frame7 = frame(this, "Frame7");
    Frame7->setTitle(tr("高级设置"));
    Label6 = make<QLabel>(Frame7, "Label6", tr("显示前"));
    HScroll1 = make<QScrollBar>(Frame7, "HScroll1");
    HScroll1->setOrientation(Qt::Horizontal);
    HScroll1->setRange(1, 100);
    HScroll1->setValue(1);
    HScroll1->setSingleStep(1);
    HScroll1->setPageStep(1);
    // The change event comes once the value has settled; dragging the thumb only scrolls.
    HScroll1->setTracking(false);
    Check2 = make<QCheckBox>(Frame7, "Check2", tr("配合生辰八字取名"));
    auto* advanced = new QVBoxLayout(Frame7);
    advanced->setContentsMargins(8, 4, 8, 6);
    advanced->setSpacing(4);
    advanced->addWidget(Label6);
    advanced->addWidget(HScroll1);
    advanced->addWidget(Check2);

    // Left the person and the name, right the run and the advanced settings, as the layout has
    // them; extra height goes below the frames.
    auto* left = new QVBoxLayout;
    left->setSpacing(7);
    left->addWidget(Frame5);
    left->addWidget(Frame4);
    left->addWidget(Frame3);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->setSpacing(7);
    right->addWidget(Frame6);
    right->addWidget(Frame7);
    right->addStretch(1);
    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(7);
    columns->addLayout(left, 4);
    columns->addLayout(right, 3);
}

int SettingsPanel::nameLength() const {
    return Option5->isChecked() ? 1 : (Option4->isChecked() ? 2 : 0);
}

}  // namespace norlune::ui
