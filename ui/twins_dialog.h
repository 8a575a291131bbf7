#pragma once
// The dialog "双胞胎起名" of the 选项 menu: pairs of names for twins of the current surname, two
// boys, two girls or a boy and a girl, with both scores and the classical clause they share when
// they come from one; a chosen pair goes to the shortlist.
#include <QDialog>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "search/shortlist_file.h"
#include "search/twins.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace norlune::ui {

// One pair as the table shows it.
struct TwinRow {
    ShortlistEntry first;
    std::string firstScore;
    ShortlistEntry second;
    std::string secondScore;
    std::string clause;  // "《work》clause" when both come from it; else empty
};

// Which twins: two boys, two girls, or a boy and a girl.
enum class TwinSexes { Boys, Girls, Mixed };

class TwinsDialog : public QDialog {
    Q_OBJECT
public:
    // `find` gives the pairs for a choice, or a message in `problem` when the candidates cannot be
    // read.
    using Finder = std::function<std::vector<TwinRow>(TwinSexes, TwinShare, QString& problem)>;
    using AddPair = std::function<void(const TwinRow&)>;
    TwinsDialog(const QString& surname, TwinSexes sexes, Finder find, AddPair add,
                QWidget* parent = nullptr);

    // Fills the table for the chosen sexes and shared place.
    void search();
    // Puts the selected pair onto the shortlist.
    void addSelected();

    const std::vector<TwinRow>& rows() const { return rows_; }

    QComboBox* sexes;
    QComboBox* share;
    QTableWidget* table;
    QLabel* status;
    QPushButton* addButton;

private:
    Finder find_;
    AddPair add_;
    std::vector<TwinRow> rows_;
};

}  // namespace norlune::ui
