#include "ui/result_panels.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/fonts.h"
#include "ui/qt_text.h"

namespace norlune::ui {
namespace {

void useButtonFace(QWidget* box) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    box->setPalette(palette);
}

}  // namespace

QString unconfirmedDateTip() {
    return WindowText::tr("尚未选择出生时间");
}

QPlainTextEdit* makeReportBox(QWidget* parent, const char* name) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setReadOnly(true);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Small minimum: the layout decides the size, the scroll bar shows the rest.
    box->setMinimumSize(120, 60);
    useButtonFace(box);
    return box;
}

ResultsPanel::ResultsPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("resultsPanel"));
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setFont(songtiFont(10.5));
    List1->setSortingEnabled(false);
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->setMinimumSize(120, 60);
    addButton = new QPushButton(tr("加入备选"), this);
    addButton->setObjectName(QStringLiteral("addToShortlistButton"));
    addButton->setAutoDefault(false);
    addButton->setToolTip(tr("把选中的名字加入备选名单（也可按 Insert 键或单击右键）"));
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addStretch(1);
    buttons->addWidget(addButton);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    column->addWidget(List1, 1);
    column->addLayout(buttons);
}

BaziPanel::BaziPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("baziPanel"));
    Command4 = new QPushButton(tr("选择出生时间"), this);
    Command4->setObjectName(QStringLiteral("Command4"));
    Command4->setAutoDefault(false);
    Text6 = new QLineEdit(this);
    Text6->setObjectName(QStringLiteral("Text6"));
    Text6->setReadOnly(true);
    Text6->setFocusPolicy(Qt::NoFocus);
    Text6->setMinimumWidth(
        QFontMetrics(Text6->font()).horizontalAdvance(QStringLiteral("2026/12/31 23:59")) + 16);
    useButtonFace(Text6);
    Label8 = new QLabel(this);
    Label8->setObjectName(QStringLiteral("Label8"));
    Text3 = makeReportBox(this, "Text3");
    auto* top = new QHBoxLayout;
    top->setSpacing(7);
    top->addWidget(Command4);
    top->addWidget(Text6, 1);
    top->addSpacing(8);
    top->addWidget(Label8);
    top->addSpacing(8);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(7);
    column->addLayout(top);
    column->addWidget(Text3, 1);
}

void BaziPanel::showUnconfirmedDate(const QString& date) {
    Text6->setText(date);
    Text6->setEnabled(false);
    Text6->setToolTip(unconfirmedDateTip());
}

void BaziPanel::showBirthMoment(const QString& moment) {
    Text6->setText(moment);
    Text6->setEnabled(true);
    Text6->setToolTip({});
}

bool BaziPanel::birthMomentShown() const {
    return Text6->isEnabled();
}

ReportView::ReportView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("reportView"));
    Text2 = makeReportBox(this, "Text2");
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(Text2);
}

void ReportView::showReport(std::string_view summary, std::string_view report) {
    Text2->setPlainText(reportText(std::string(summary) + std::string(report)));
}

void ReportView::clear() {
    Text2->clear();
}

}  // namespace norlune::ui
