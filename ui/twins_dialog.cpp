#include "ui/twins_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/qt_text.h"

namespace norlune::ui {

TwinsDialog::TwinsDialog(const QString& surname, TwinSexes chosenSexes, Finder find, AddPair add,
                         QWidget* parent)
    : QDialog(parent), find_(std::move(find)), add_(std::move(add)) {
    setObjectName(QStringLiteral("twinsDialog"));
    setWindowTitle(tr("双胞胎起名（姓") + surname + tr("）"));
    sexes = new QComboBox(this);
    sexes->setObjectName(QStringLiteral("twinSexes"));
    sexes->addItems({tr("两个男孩"), tr("两个女孩"), tr("一男一女")});
    sexes->setCurrentIndex(static_cast<int>(chosenSexes));
    share = new QComboBox(this);
    share->setObjectName(QStringLiteral("twinShare"));
    share->addItems({tr("首字相同"), tr("末字相同"), tr("任一字相同")});
    auto* find_button = new QPushButton(tr("查找"), this);
    find_button->setObjectName(QStringLiteral("twinFind"));
    auto* top = new QHBoxLayout;
    top->addWidget(sexes);
    top->addWidget(share);
    top->addWidget(find_button);
    top->addStretch();
    table = new QTableWidget(0, 5, this);
    table->setObjectName(QStringLiteral("twinTable"));
    table->setHorizontalHeaderLabels(
        {tr("名字一"), tr("得分"), tr("名字二"), tr("得分"), tr("同出一句")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->setVisible(false);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    status = new QLabel(this);
    status->setObjectName(QStringLiteral("twinStatus"));
    addButton = new QPushButton(tr("加入备选"), this);
    addButton->setObjectName(QStringLiteral("twinAdd"));
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    close->button(QDialogButtonBox::Close)->setText(tr("关闭"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(status, 1);
    bottom->addWidget(addButton);
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(table, 1);
    layout->addLayout(bottom);
    resize(640, 360);
    connect(find_button, &QPushButton::clicked, this, &TwinsDialog::search);
    connect(addButton, &QPushButton::clicked, this, &TwinsDialog::addSelected);
    connect(table, &QTableWidget::activated, this, &TwinsDialog::addSelected);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    search();
}

void TwinsDialog::search() {
    QString problem;
    rows_ = find_(static_cast<TwinSexes>(sexes->currentIndex()),
                  static_cast<TwinShare>(share->currentIndex()), problem);
    table->clearContents();
    table->setRowCount(static_cast<int>(rows_.size()));
    for (int r = 0; r < static_cast<int>(rows_.size()); ++r) {
        const TwinRow& row = rows_[static_cast<std::size_t>(r)];
        const QStringList cells = {qs(row.first.fullName), qs(row.firstScore),
                                   qs(row.second.fullName), qs(row.secondScore), qs(row.clause)};
        for (int c = 0; c < static_cast<int>(cells.size()); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c == 4 && !cells[c].isEmpty()) {
                item->setToolTip(cells[c]);
            }
            table->setItem(r, c, item);
        }
    }
    status->setText(!problem.isEmpty() ? problem
                    : rows_.empty()    ? tr("没有找到合适的名字组合")
                                       : tr("共 ") + QString::number(rows_.size()) +
                                          tr(" 对，选中一对后可加入备选名单"));
    addButton->setEnabled(!rows_.empty());
}

void TwinsDialog::addSelected() {
    const int row = table->currentRow();
    if (row < 0 || row >= static_cast<int>(rows_.size())) {
        return;
    }
    add_(rows_[static_cast<std::size_t>(row)]);
    status->setText(tr("已加入备选名单：") +
                    qs(rows_[static_cast<std::size_t>(row)].first.fullName) + tr("、") +
                    qs(rows_[static_cast<std::size_t>(row)].second.fullName));
}

}  // namespace norlune::ui
