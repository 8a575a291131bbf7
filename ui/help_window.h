#pragma once
// The help window: the program's own help text, built into the program, in a browser window.
#include <QTextBrowser>

namespace norlune::ui {

class HelpWindow : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
};

// The help text (HTML) that ships with the program.
QString helpHtml();

}  // namespace norlune::ui
