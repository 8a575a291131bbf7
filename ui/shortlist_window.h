#pragma once
// The shortlist window "备选名单": the shortlisted names side by side with their score, five grids,
// three-talent key, sources and character meanings. Not modal; the main window owns the names and
// fills the table, and shows the report of a row that is double-clicked.
#include <QList>
#include <QWidget>
#include <vector>

#include "names/name_meanings.h"
#include "search/name_sheet.h"

class QPushButton;
class QTableWidget;

namespace norlune::ui {

class ShortlistWindow : public QWidget {
    Q_OBJECT
public:
    explicit ShortlistWindow(QWidget* parent = nullptr);

    // One row per shortlisted name, in the order given; the meanings row by row (a row without
    // one shows empty cells for 出处 and 字义).
    void setRows(const std::vector<NameSheetRow>& rows,
                 const std::vector<MeaningCells>& meanings = {});

    QTableWidget* table() const { return table_; }
    QPushButton* removeButton() const { return remove_; }

signals:
    // The user asked to remove these rows (ascending, no repeats).
    void removeRequested(const QList<int>& rows);
    // The user double-clicked a row (or pressed Enter on it) to see that name's report.
    void rowActivated(int row);

private:
    void requestRemoval();

    QTableWidget* table_ = nullptr;
    QPushButton* remove_ = nullptr;
};

// The column captions of the shortlist table.
QStringList shortlistColumns();

}  // namespace norlune::ui
