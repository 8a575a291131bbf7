// Every text the programs show, converted to the traditional interface, holds no character that
// only simplified text uses, except inside the names it keeps as given. The texts are gathered as
// the table's generator gathers them: the Chinese string literals of the sources and the data files
// whose text is shown.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/text_lines.h"
#include "engine/utf8.h"
#include "script/interface_script.h"
#include "textio/test_files.h"

namespace norlune {
namespace {

using testing_support::readExistingFile;

const std::filesystem::path kRoot = NORLUNE_SOURCE_DIR;

// The string literals of a C++ source, comments and character literals skipped.
std::vector<std::string> literals(std::string_view source) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < source.size()) {
        if (source.substr(i, 2) == "//") {
            i = std::min(source.find('\n', i), source.size());
        } else if (source.substr(i, 2) == "/*") {
            const std::size_t end = source.find("*/", i + 2);
            i = end == std::string_view::npos ? source.size() : end + 2;
        } else if (source[i] == '\'' || source[i] == '"') {
            const char quote = source[i];
            std::size_t j = i + 1;
            while (j < source.size() && source[j] != quote) {
                j += source[j] == '\\' ? 2 : 1;
            }
            if (quote == '"') {
                out.emplace_back(source.substr(i + 1, j - i - 1));
            }
            i = j + 1;
        } else {
            ++i;
        }
    }
    return out;
}

bool hasHan(std::string_view text) {
    const std::u32string chars = utf8ToU32(text);
    return std::any_of(chars.begin(), chars.end(), isHanCharacter);
}

struct Text {
    std::string where;
    std::string text;
    std::vector<std::string> keep;
};

std::vector<Text> corpus() {
    std::vector<Text> texts;
    for (const char* folder :
         {"cli", "engine", "calendar", "sound", "names", "search", "textio", "ui"}) {
        for (const auto& entry : std::filesystem::directory_iterator(kRoot / folder)) {
            const std::string ext = entry.path().extension().string();
            if (ext != ".cpp" && ext != ".h") {
                continue;
            }
            for (std::string& literal : literals(readExistingFile(entry.path()))) {
                if (hasHan(literal)) {
                    texts.push_back({entry.path().filename().string(), std::move(literal), {}});
                }
            }
        }
    }
    for (const char* file : {"data/numerology.txt", "data/sancai.txt", "data/help.html",
                             "data/bad_words.txt", "data/strong_words.txt", "data/places.txt"}) {
        texts.push_back({file, readExistingFile(kRoot / file), {}});
    }
    // The meaning of each name character, and the works and lines the names come from: the name's
    // characters are kept as the user gave them.
    const std::string meanings = readExistingFile(kRoot / "data/char_meanings.tsv");
    for (std::string_view line : splitLines(meanings)) {
        const auto fields = splitFields(line, '\t');
        if (fields.size() >= 2) {
            texts.push_back(
                {"data/char_meanings.tsv", std::string(line), {std::string(fields[0])}});
        }
    }
    const std::string names = readExistingFile(kRoot / "data/names.tsv");
    for (std::string_view line : splitLines(names)) {
        const auto fields = splitFields(line, '\t');
        std::vector<std::string> keep;
        for (char32_t ch : utf8ToU32(fields[0])) {
            keep.push_back(u32ToUtf8(std::u32string(1, ch)));
        }
        texts.push_back({"data/names.tsv", std::string(line), keep});
    }
    return texts;
}

TEST(InterfaceCorpus, NoSimplifiedOnlyCharacterIsLeftOutsideTheKeptNames) {
    const ScriptConverter& converter = ScriptConverter::builtIn();
    const std::vector<Text> texts = corpus();
    ASSERT_GT(texts.size(), 1000U);
    std::size_t simplifiedBefore = 0;
    std::size_t failures = 0;
    for (const Text& t : texts) {
        const std::vector<std::string_view> keep(t.keep.begin(), t.keep.end());
        const std::string converted = converter.toHant(t.text, keep);
        // The kept characters are taken out before looking: they may be simplified-only.
        std::u32string rest = utf8ToU32(converted);
        std::u32string before = utf8ToU32(t.text);
        for (const std::string& k : t.keep) {
            const char32_t kept = utf8ToU32(k)[0];
            std::erase(rest, kept);
            std::erase(before, kept);
        }
        simplifiedBefore +=
            static_cast<std::size_t>(std::count_if(before.begin(), before.end(), [&](char32_t ch) {
                return converter.isSimplifiedOnly(ch);
            }));
        for (char32_t ch : rest) {
            if (converter.isSimplifiedOnly(ch) && ++failures <= 20) {
                ADD_FAILURE() << t.where << ": " << u32ToUtf8(std::u32string(1, ch)) << " left in "
                              << converted.substr(0, 300);
            }
        }
        // The conversion keeps every line: line ends and ASCII stay where they were.
        EXPECT_EQ(std::count(converted.begin(), converted.end(), '\n'),
                  std::count(t.text.begin(), t.text.end(), '\n'))
            << t.where;
    }
    EXPECT_EQ(failures, 0U);
    // The texts are written in simplified characters: the check has something to find.
    EXPECT_GT(simplifiedBefore, 10000U);
}

TEST(InterfaceCorpus, KeptNamesStayAsGivenInTheirLines) {
    const ScriptConverter& converter = ScriptConverter::builtIn();
    for (const Text& t : corpus()) {
        if (t.keep.empty()) {
            continue;
        }
        const std::vector<std::string_view> keep(t.keep.begin(), t.keep.end());
        const std::u32string before = utf8ToU32(t.text);
        const std::u32string after = utf8ToU32(converter.toHant(t.text, keep));
        ASSERT_EQ(before.size(), after.size()) << t.text;
        for (std::size_t i = 0; i < before.size(); ++i) {
            if (std::find(t.keep.begin(), t.keep.end(), u32ToUtf8(std::u32string(1, before[i]))) !=
                t.keep.end()) {
                ASSERT_EQ(after[i], before[i]) << t.text;
            }
        }
    }
}

}  // namespace
}  // namespace norlune
