#include "sound/pinyin.h"

#include <array>

namespace norlune {
namespace {

// The marked forms of a e i o u ü for tones 1 to 4.
constexpr std::array<std::array<std::string_view, 4>, 6> kMarked = {{
    {"ā", "á", "ǎ", "à"},
    {"ē", "é", "ě", "è"},
    {"ī", "í", "ǐ", "ì"},
    {"ō", "ó", "ǒ", "ò"},
    {"ū", "ú", "ǔ", "ù"},
    {"ǖ", "ǘ", "ǚ", "ǜ"},
}};
constexpr std::string_view kVowels = "aeiouv";

std::size_t markPosition(std::string_view letters) {
    if (const std::size_t a = letters.find('a'); a != std::string_view::npos) {
        return a;
    }
    if (const std::size_t e = letters.find('e'); e != std::string_view::npos) {
        return e;
    }
    if (const std::size_t ou = letters.find("ou"); ou != std::string_view::npos) {
        return ou;
    }
    return letters.find_last_of(kVowels);
}

}  // namespace

std::string toneMarked(std::string_view letters, int tone) {
    const std::size_t mark = tone >= 1 && tone <= 4 ? markPosition(letters) : std::string::npos;
    std::string out;
    out.reserve(letters.size() + 2);
    for (std::size_t i = 0; i < letters.size(); ++i) {
        const char c = letters[i];
        if (i == mark) {
            out.append(kMarked[kVowels.find(c)][static_cast<std::size_t>(tone - 1)]);
        } else if (c == 'v') {
            out.append("ü");
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::string zhuyinWithTone(std::string_view zhuyin, int tone) {
    static constexpr std::array<std::string_view, 6> kMarks = {"", "", "ˊ", "ˇ", "ˋ", "˙"};
    const std::string_view mark =
        tone >= 1 && tone <= 5 ? kMarks[static_cast<std::size_t>(tone)] : std::string_view();
    std::string out;
    out.reserve(zhuyin.size() + mark.size());
    if (tone == 5) {
        out.append(mark);
    }
    out.append(zhuyin);
    if (tone != 5) {
        out.append(mark);
    }
    return out;
}

std::string_view pinyinInitial(std::string_view letters) {
    if (letters.size() >= 2 && letters[1] == 'h' &&
        (letters[0] == 'z' || letters[0] == 'c' || letters[0] == 's')) {
        return letters.substr(0, 2);
    }
    if (!letters.empty() &&
        std::string_view("bpmfdtnlgkhjqxrzcsyw").find(letters[0]) != std::string_view::npos) {
        return letters.substr(0, 1);
    }
    return {};
}

std::string pinyinFinal(std::string_view letters) {
    const std::string_view initial = pinyinInitial(letters);
    const std::string_view rest = letters.substr(initial.size());
    if (initial == "y") {
        if (rest == "ou") {
            return "iu";
        }
        if (!rest.empty() && (rest[0] == 'i' || rest[0] == 'u')) {
            // yi yin ying keep their i; yu yue yuan yun hide a ü
            return rest[0] == 'u' ? "v" + std::string(rest.substr(1)) : std::string(rest);
        }
        return "i" + std::string(rest);
    }
    if (initial == "w") {
        if (rest == "u") {
            return "u";
        }
        if (rest == "ei") {
            return "ui";
        }
        if (rest == "en") {
            return "un";
        }
        return "u" + std::string(rest);
    }
    if ((initial == "j" || initial == "q" || initial == "x") && !rest.empty() && rest[0] == 'u') {
        return "v" + std::string(rest.substr(1));
    }
    return std::string(rest);
}

std::string_view spokenInitial(std::string_view letters) {
    const std::string_view initial = pinyinInitial(letters);
    return initial == "y" || initial == "w" ? std::string_view() : initial;
}

std::string spokenFinal(std::string_view letters) {
    const std::string_view initial = pinyinInitial(letters);
    if (letters.substr(initial.size()) == "i" &&
        (initial == "zh" || initial == "ch" || initial == "sh" || initial == "r" ||
         initial == "z" || initial == "c" || initial == "s")) {
        return "-i";
    }
    return pinyinFinal(letters);
}

std::string_view toneName(int tone) {
    switch (tone) {
        case 1:
            return "阴平";
        case 2:
            return "阳平";
        case 3:
            return "上声";
        case 4:
            return "去声";
        default:
            return "轻声";
    }
}

bool isLevelTone(int tone) {
    return tone == 1 || tone == 2;
}

}  // namespace norlune
