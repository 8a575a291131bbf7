#include "ui/shortlist_window.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/qt_text.h"

namespace norlune::ui {

QStringList shortlistColumns() {
    return {WindowText::tr("姓名"), WindowText::tr("得分"), WindowText::tr("天格"),
            WindowText::tr("人格"), WindowText::tr("地格"), WindowText::tr("总格"),
            WindowText::tr("外格"), WindowText::tr("三才"), WindowText::tr("出处"),
            WindowText::tr("字义")};
}

ShortlistWindow::ShortlistWindow(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName(QStringLiteral("shortlistwindow"));
    setWindowTitle(tr("备选名单"));
    table_ = new QTableWidget(0, static_cast<int>(shortlistColumns().size()), this);
    table_->setObjectName(QStringLiteral("shortlistTable"));
    table_->setHorizontalHeaderLabels(shortlistColumns());
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->verticalHeader()->setVisible(false);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    // The source quotes a whole clause: its column keeps a width of its own (the cell's tooltip
    // shows all of it).
    const int sourceColumn = static_cast<int>(shortlistColumns().size()) - 2;
    table_->horizontalHeader()->setSectionResizeMode(sourceColumn, QHeaderView::Interactive);
    table_->setColumnWidth(sourceColumn, 220);
    remove_ = new QPushButton(tr("移除"), this);
    remove_->setObjectName(QStringLiteral("shortlistRemove"));
    auto* removeKey = new QAction(this);
    removeKey->setShortcut(QKeySequence::Delete);
    removeKey->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(removeKey);

    auto* buttons = new QHBoxLayout;
    auto* hint = new QLabel(tr("双击一行可在主窗口查看该名字的报告"), this);
    hint->setObjectName(QStringLiteral("shortlistHint"));
    buttons->addWidget(hint);
    buttons->addStretch();
    buttons->addWidget(remove_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addLayout(buttons);
    resize(900, 300);

    connect(remove_, &QPushButton::clicked, this, &ShortlistWindow::requestRemoval);
    connect(removeKey, &QAction::triggered, this, &ShortlistWindow::requestRemoval);
    connect(table_, &QTableWidget::activated, this,
            [this](const QModelIndex& index) { emit rowActivated(index.row()); });
}

void ShortlistWindow::setRows(const std::vector<NameSheetRow>& rows,
                              const std::vector<MeaningCells>& meanings) {
    table_->clearContents();
    table_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const NameSheetRow& row = rows[static_cast<std::size_t>(r)];
        QStringList cells = {qs(row.fullName), qs(row.score.toString())};
        for (std::size_t g = 0; g < row.grids.size(); ++g) {
            cells << qs(gridWithGrade(row.grids[g], row.grades[g]));
        }
        cells << qs(row.threeTalentKey + "(" + row.threeTalentGrade + ")");
        const MeaningCells meaning = static_cast<std::size_t>(r) < meanings.size()
                                         ? meanings[static_cast<std::size_t>(r)]
                                         : MeaningCells{};
        cells << qs(meaning.sources) << qs(meaning.meanings);
        for (int c = 0; c < static_cast<int>(cells.size()); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c >= static_cast<int>(cells.size()) - 2 && !cells[c].isEmpty()) {
                item->setToolTip(cells[c]);
            }
            table_->setItem(r, c, item);
        }
    }
}

void ShortlistWindow::requestRemoval() {
    QList<int> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
        rows << index.row();
    }
    std::sort(rows.begin(), rows.end());
    if (!rows.isEmpty()) {
        emit removeRequested(rows);
    }
}

}  // namespace norlune::ui
