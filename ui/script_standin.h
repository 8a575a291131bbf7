#pragma once
// Stand-in for the script library (script/interface_script.h) until it is part of the build: the
// same declarations, the conversion done by OpenCC's Taiwan set at run time. Delete this file and
// script_standin.cpp, include script/interface_script.h in ui/interface_script.h instead and link
// norlune_script.
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace norlune {

enum class Script { Hans, Hant };

Script scriptFromLocale(const char* lcAll, const char* lcMessages, const char* lang);

class ScriptConverter {
public:
    ScriptConverter();
    ~ScriptConverter();
    ScriptConverter(const ScriptConverter&) = delete;
    ScriptConverter& operator=(const ScriptConverter&) = delete;
    std::string toHant(std::string_view text, std::span<const std::string_view> keep = {}) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

std::string present(const ScriptConverter& converter, Script script, std::string_view text,
                    std::span<const std::string_view> keep = {});

}  // namespace norlune
