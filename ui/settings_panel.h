#pragma once
// The upper left of the main window: the search settings (surname and sex, name length, designated
// characters, 高级设置) and the run display with the start and stop commands. The widgets carry
// the control names; the main window connects to them and owns what they mean.
#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace norlune::ui {

class FitLabel;

class SettingsPanel : public QWidget {
    Q_OBJECT
public:
    explicit SettingsPanel(QWidget* parent = nullptr);

    // 0 for 不限, 1 for 单字, 2 for 双字.
    int nameLength() const;

    QGroupBox* Frame5;  // surname and sex
    QLabel* Label2;
    QLineEdit* Text1;
    QRadioButton* Option7;
    QRadioButton* Option8;
    QGroupBox* Frame4;  // name length
    QLabel* Label4;
    QRadioButton* Option6;
    QRadioButton* Option5;
    QRadioButton* Option4;
    QGroupBox* Frame3;  // designated characters
    QLabel* Label7;
    QLineEdit* Text4;
    QLineEdit* Text5;
    QLabel* Label3;
    QCheckBox* Check1;
    QGroupBox* Frame6;  // run display and commands
    FitLabel* Label1;
    QLabel* Label5;
    QPushButton* Command1;
    QPushButton* Command2;
    QProgressBar* ProgressBar1;
    QGroupBox* Frame7;  // 高级设置
    QLabel* Label6;
    QScrollBar* HScroll1;
    QCheckBox* Check2;
};

}  // namespace norlune::ui
