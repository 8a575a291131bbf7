#include "ui/help_window.h"

#include "embedded/help_html.h"
#include "ui/fonts.h"
#include "ui/qt_text.h"

namespace norlune::ui {

QString helpHtml() {
    return qs(embedded::kHelpHtml);
}

HelpWindow::HelpWindow(QWidget* parent) : QTextBrowser(parent) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowFlag(Qt::Window);
    setWindowTitle(qs("Norlune 帮助"));
    setOpenLinks(true);
    setOpenExternalLinks(false);
    setFont(songtiFont(11));
    setHtml(helpHtml());
    resize(760, 620);
}

}  // namespace norlune::ui
