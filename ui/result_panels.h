#pragma once
// The three panels of the main window below and beside the settings: the name list with its
// shortlist button, the BaZi box with the birth-time row above it, and the name report. Each is a
// plain widget with its controls (named as in the layout) and a few calls to fill it; the main
// window decides what they show.
#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace norlune::ui {

// A read-only box with the button-face colour as its background and a vertical scroll bar.
QPlainTextEdit* makeReportBox(QWidget* parent, const char* name);

class ResultsPanel : public QWidget {
    Q_OBJECT
public:
    explicit ResultsPanel(QWidget* parent = nullptr);

    QListWidget* List1;
    QPushButton* addButton;  // "加入备选": the selected name onto the shortlist
};

class BaziPanel : public QWidget {
    Q_OBJECT
public:
    explicit BaziPanel(QWidget* parent = nullptr);

    // Today's date while no birth time is confirmed: shown greyed, with a tooltip saying so.
    void showUnconfirmedDate(const QString& date);
    // The confirmed birth moment.
    void showBirthMoment(const QString& moment);
    bool birthMomentShown() const;

    QPushButton* Command4;  // "选择出生时间"
    QLineEdit* Text6;       // the birth date
    QLabel* Label8;         // the sex of the person
    QPlainTextEdit* Text3;  // the BaZi report
};

// The name report, with its summary block on top.
class ReportView : public QWidget {
    Q_OBJECT
public:
    explicit ReportView(QWidget* parent = nullptr);

    // Shows the summary block (already ended by its empty line) followed by the report; both with
    // CR LF line ends.
    void showReport(std::string_view summary, std::string_view report);
    void clear();

    QPlainTextEdit* Text2;
};

// The tooltip of the date box while no birth time is confirmed.
QString unconfirmedDateTip();

}  // namespace norlune::ui
