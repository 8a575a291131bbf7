#include "ui/interface_script.h"

#include <QApplication>
#include <QLocale>
#include <QSettings>
#include <QTranslator>
#include <cstdlib>

#include "embedded/norlune_zh_Hant_qm.h"
#include "engine/utf8.h"
#include "textio/visible_text.h"
#include "ui/app_setup.h"
#include "ui/qt_text.h"

namespace norlune::ui {

Script scriptFromEnvironment() {
    return scriptFromLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

Script keptScript(const QSettings* settings, Script fallback) {
    if (settings == nullptr) {
        return fallback;
    }
    const QString kept = settings->value(QString::fromLatin1(kInterfaceScriptKey)).toString();
    if (kept == QStringLiteral("hans")) {
        return Script::Hans;
    }
    if (kept == QStringLiteral("hant")) {
        return Script::Hant;
    }
    return fallback;
}

void keepScript(QSettings& settings, Script script) {
    settings.setValue(QString::fromLatin1(kInterfaceScriptKey),
                      script == Script::Hant ? QStringLiteral("hant") : QStringLiteral("hans"));
}

QString traditionalCatalogueName() {
    return QStringLiteral("norlune_zh_Hant");
}

bool installInterfaceTranslations(QApplication& app, Script script) {
    const QLocale qtLocale =
        script == Script::Hant
            ? QLocale(QLocale::Chinese, QLocale::TraditionalChineseScript, QLocale::Taiwan)
            : QLocale(QLocale::Chinese, QLocale::China);
    bool ok = installQtTranslations(app, qtLocale);
    if (script == Script::Hant) {
        auto* own = new QTranslator(&app);
        // The catalogue lies in the program's constant data for as long as the program runs.
        if (own->load(reinterpret_cast<const uchar*>(embedded::kNorluneZhHantQm.data()),
                      static_cast<int>(embedded::kNorluneZhHantQm.size()))) {
            ok = QApplication::installTranslator(own) && ok;
        } else {
            delete own;
            ok = false;
        }
    }
    return ok;
}

InterfaceText::InterfaceText(Script script, const ScriptConverter* converter)
    : script_(converter != nullptr ? script : Script::Hans), converter_(converter) {}

std::string InterfaceText::convert(std::string_view text,
                                   std::span<const std::string_view> keep) const {
    if (script_ == Script::Hans) {
        return std::string(text);
    }
    return present(*converter_, script_, text, keep);
}

std::string InterfaceText::convert(std::string_view text,
                                   const std::vector<std::string>& keep) const {
    if (script_ == Script::Hans) {
        return std::string(text);
    }
    const std::vector<std::string_view> views(keep.begin(), keep.end());
    return convert(text, std::span<const std::string_view>(views));
}

QString InterfaceText::operator()(std::string_view text,
                                  std::span<const std::string_view> keep) const {
    return qs(convert(text, keep));
}

QString InterfaceText::operator()(std::string_view text,
                                  const std::vector<std::string>& keep) const {
    return qs(convert(text, keep));
}

std::vector<std::string> nameKeeps(std::string_view surname, std::string_view given) {
    std::vector<std::string> keep = {std::string(surname) + std::string(given)};
    for (const std::string_view part : {surname, given}) {
        if (!isValidUtf8(part)) {
            keep.emplace_back(part);
            continue;
        }
        if (codePointCount(part) > 1) {
            keep.emplace_back(part);
        }
        // A single character of the name stays as typed where it stands for itself (the meaning
        // line "华：…", a quoted piece "“华”"), not in every word of the texts (才华 of a meaning).
        for (const char32_t ch : utf8ToU32(part)) {
            const std::string one = u32ToUtf8(std::u32string(1, ch));
            keep.push_back(one + "：");
            keep.push_back("“" + one + "”");
        }
    }
    std::erase_if(keep, [](const std::string& k) { return k.empty(); });
    return keep;
}

std::vector<std::string> pathKeeps(std::initializer_list<std::string_view> paths) {
    std::vector<std::string> keep;
    for (const std::string_view path : paths) {
        if (!path.empty()) {
            keep.push_back(visibleText(path));
        }
    }
    return keep;
}

}  // namespace norlune::ui
