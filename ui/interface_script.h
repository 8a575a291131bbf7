#pragma once
// The script of the window's texts: 简体 as the texts are written, or 繁體. The choice of 选项 >
// 界面文字 is kept in the settings; without one the locale decides (LC_ALL, LC_MESSAGES, LANG). The
// window's own strings are translated by Qt's translation system (the generated catalogue
// norlune_zh_Hant); the texts of the libraries are converted as they are shown, the names in them
// kept as typed.
#include <QString>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "script/interface_script.h"

class QApplication;
class QSettings;

namespace norlune::ui {

// Settings key of 选项 > 界面文字: "hans" or "hant".
inline constexpr const char* kInterfaceScriptKey = "interface/script";

// The script the process's locale asks for.
Script scriptFromEnvironment();
// The script kept in the settings; `fallback` when none is kept or the kept value is unknown.
Script keptScript(const QSettings* settings, Script fallback);
void keepScript(QSettings& settings, Script script);

// The name of the program's catalogue for the traditional interface, found by every Chinese
// traditional locale (zh_TW, zh_HK, zh_MO, zh_Hant).
QString traditionalCatalogueName();
// Loads the translations of a script into the application: Qt's own texts (zh_CN or zh_TW) and,
// for 繁體, the program's catalogue built into it. False when one of them is missing.
bool installInterfaceTranslations(QApplication& app, Script script);

// What the window shows of the libraries' texts in its script: 简体 byte for byte as written,
// 繁體 converted with every `keep` text (a name) left as it is.
class InterfaceText {
public:
    InterfaceText() = default;  // 简体
    // `converter` (none: 简体) must outlive the object.
    InterfaceText(Script script, const ScriptConverter* converter);

    Script script() const { return script_; }
    std::string convert(std::string_view text, std::span<const std::string_view> keep = {}) const;
    std::string convert(std::string_view text, const std::vector<std::string>& keep) const;
    QString operator()(std::string_view text, std::span<const std::string_view> keep = {}) const;
    QString operator()(std::string_view text, const std::vector<std::string>& keep) const;

private:
    Script script_ = Script::Hans;
    const ScriptConverter* converter_ = nullptr;
};

// The texts a name keeps unconverted in a report: the full name, its surname and given name, and
// each of their characters where it stands for itself ("华：" of a meaning line, "“华”" quoted).
std::vector<std::string> nameKeeps(std::string_view surname, std::string_view given);
// The texts a file path keeps unconverted in a message: the path as the messages write it.
std::vector<std::string> pathKeeps(std::initializer_list<std::string_view> paths);

}  // namespace norlune::ui
