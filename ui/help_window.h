#pragma once
// The help window: the program's own help text, built into the program, in a browser window.
#include <QTextBrowser>
#include <string_view>

namespace norlune::ui {

// The help text (HTML) that ships with the program, as written.
std::string_view helpText();
QString helpHtml();

class HelpWindow : public QTextBrowser {
    Q_OBJECT
public:
    // Shows `html`: by default the help that ships with the program.
    explicit HelpWindow(QWidget* parent = nullptr, const QString& html = helpHtml());
};

}  // namespace norlune::ui
