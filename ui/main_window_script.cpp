// The main window's 选项 > 界面文字: the script of the interface, 简体 or 繁體.
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QSettings>

#include "ui/main_window.h"
#include "ui/qt_text.h"

namespace norlune::ui {

void MainWindow::buildScriptMenu() {
    QMenu* scriptMenu = optionsMenu->addMenu(tr("界面文字"));
    scriptMenu->setObjectName(QStringLiteral("scriptmenu"));
    auto* group = new QActionGroup(scriptMenu);
    group->setExclusive(true);
    // Each script is named in its own characters, so that whoever cannot read the other finds it.
    scriptHans = scriptMenu->addAction(qs("简体"));
    scriptHans->setObjectName(QStringLiteral("scriptHans"));
    scriptHant = scriptMenu->addAction(qs("繁體"));
    scriptHant->setObjectName(QStringLiteral("scriptHant"));
    for (QAction* item : {scriptHans, scriptHant}) {
        item->setCheckable(true);
        group->addAction(item);
    }
    // The kept choice, which may wait for the next start; else the script the window shows.
    const Script chosen = keptScript(deps_.settings, deps_.text.script());
    (chosen == Script::Hant ? scriptHant : scriptHans)->setChecked(true);
    connect(scriptHans, &QAction::triggered, this, [this] { interfaceScript_Click(Script::Hans); });
    connect(scriptHant, &QAction::triggered, this, [this] { interfaceScript_Click(Script::Hant); });
}

void MainWindow::interfaceScript_Click(Script script) {
    const Script before = keptScript(deps_.settings, deps_.text.script());
    if (script == before) {
        return;
    }
    if (deps_.settings != nullptr) {
        keepScript(*deps_.settings, script);
    }
    if (script == deps_.text.script()) {
        message(tr("界面文字仍为当前的文字。"));
        return;
    }
    message(script == Script::Hant ? tr("界面文字将改为繁體，下次启动本程序时生效。")
                                   : tr("界面文字将改为简体，下次启动本程序时生效。"));
}

}  // namespace norlune::ui
