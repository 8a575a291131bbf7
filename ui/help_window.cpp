#include "ui/help_window.h"

#include "embedded/help_html.h"
#include "ui/fonts.h"
#include "ui/qt_text.h"

namespace norlune::ui {

std::string_view helpText() {
    return embedded::kHelpHtml;
}

QString helpHtml() {
    return qs(embedded::kHelpHtml);
}

HelpWindow::HelpWindow(QWidget* parent, const QString& html) : QTextBrowser(parent) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowFlag(Qt::Window);
    setWindowTitle(tr("Norlune 帮助"));
    setOpenLinks(true);
    setOpenExternalLinks(false);
    setFont(songtiFont(11));
    setHtml(html);
    resize(760, 620);
}

}  // namespace norlune::ui
