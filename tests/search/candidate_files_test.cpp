// The candidate files data/M.dat and data/F.dat as tools/candidates/generate.py writes them: the
// invariants the search run and the window rely on, checked on the files in the source tree so that
// a regenerated file that breaks one fails here.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "engine/element_lists.h"
#include "engine/stroke_dictionary.h"
#include "engine/traditional_map.h"
#include "engine/utf8.h"
#include "textio/text_encoding.h"

namespace norlune {
namespace {

std::string sourceFile(const std::string& relative) {
    return std::string(NORLUNE_SOURCE_DIR) + "/" + relative;
}

std::string readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << path;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The characters of a curated list of the generator: everything but blanks and "#" comments.
std::set<char32_t> curatedCharacters(const std::string& relative) {
    std::set<char32_t> chars;
    std::istringstream lines(readWholeFile(sourceFile(relative)));
    std::string line;
    while (std::getline(lines, line)) {
        for (char32_t c : utf8ToU32(line.substr(0, line.find('#')))) {
            if (c != U' ' && c != U'\t' && c != U'\r') {
                chars.insert(c);
            }
        }
    }
    return chars;
}

// The characters of the lines of tools/candidates/chars_classics.txt that start with `label`
// ("male:" or "female:"): the name characters that the names from the classics brought in.
std::set<char32_t> classicsCharacters(const std::string& label) {
    std::set<char32_t> chars;
    std::istringstream lines(readWholeFile(sourceFile("tools/candidates/chars_classics.txt")));
    std::string line;
    while (std::getline(lines, line)) {
        line = line.substr(0, line.find('#'));
        if (line.rfind(label, 0) != 0) {
            continue;
        }
        for (char32_t c : utf8ToU32(line.substr(label.size()))) {
            if (c != U' ' && c != U'\t' && c != U'\r') {
                chars.insert(c);
            }
        }
    }
    return chars;
}

struct CandidateFile {
    std::string bytes;
    std::string header;
    std::vector<std::u32string> names;
};

// Splits on CR LF only: any other line end is left inside a line, where the checks find it.
CandidateFile loadCandidates(const std::string& name) {
    CandidateFile file;
    file.bytes = readWholeFile(sourceFile("data/" + name));
    const DecodedText decoded = decodeText(file.bytes);
    EXPECT_FALSE(decoded.hadInvalidBytes) << name;
    std::string_view rest = decoded.utf8;
    bool first = true;
    while (!rest.empty()) {
        const std::size_t end = rest.find("\r\n");
        EXPECT_NE(end, std::string_view::npos) << name << ": the last line lacks its CR LF";
        const std::string_view line = rest.substr(0, end);
        if (first) {
            file.header = std::string(line);
            first = false;
        } else {
            file.names.push_back(utf8ToU32(line));
        }
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 2);
    }
    return file;
}

class CandidateFilesTest : public ::testing::TestWithParam<const char*> {
protected:
    static void SetUpTestSuite() {
        files_ = new std::vector<CandidateFile>{loadCandidates("M.dat"), loadCandidates("F.dat")};
    }
    static void TearDownTestSuite() {
        delete files_;
        files_ = nullptr;
    }
    static const CandidateFile& file(std::string_view name) {
        return name == "M.dat" ? (*files_)[0] : (*files_)[1];
    }
    const CandidateFile& current() const { return file(GetParam()); }

private:
    static std::vector<CandidateFile>* files_;
};

std::vector<CandidateFile>* CandidateFilesTest::files_ = nullptr;

TEST_P(CandidateFilesTest, IsGbkWithCrLfThatTheSearchReadsAsGbk) {
    const CandidateFile& f = current();
    ASSERT_FALSE(f.bytes.empty());
    // Valid UTF-8 would be read as UTF-8, not as the GBK the file is written in.
    EXPECT_FALSE(isValidUtf8(f.bytes));
    // Every CR belongs to a CR LF and every LF follows a CR.
    for (std::size_t i = 0; i < f.bytes.size(); ++i) {
        if (f.bytes[i] == '\r') {
            ASSERT_TRUE(i + 1 < f.bytes.size() && f.bytes[i + 1] == '\n') << "lone CR at " << i;
        } else if (f.bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && f.bytes[i - 1] == '\r') << "lone LF at " << i;
        }
    }
    // Writing the decoded text again gives the same bytes, so decoding replaced nothing.
    // (Compared as a flag: a failing string comparison of the whole file would print it twice.)
    EXPECT_TRUE(encodeGb18030(decodeText(f.bytes).utf8) == f.bytes);
    // Only one- and two-byte sequences: GB18030 writes characters outside GBK with four bytes,
    // whose second byte is a digit.
    for (std::size_t i = 0; i < f.bytes.size(); ++i) {
        const auto lead = static_cast<unsigned char>(f.bytes[i]);
        if (lead >= 0x80) {
            ASSERT_LT(i + 1, f.bytes.size());
            const auto trail = static_cast<unsigned char>(f.bytes[i + 1]);
            ASSERT_FALSE(trail >= '0' && trail <= '9') << "four-byte sequence at " << i;
            ++i;
        }
    }
}

TEST_P(CandidateFilesTest, HeaderCountsTheNamesThatFollow) {
    const CandidateFile& f = current();
    ASSERT_FALSE(f.header.empty());
    for (char c : f.header) {
        ASSERT_TRUE(c >= '0' && c <= '9') << "header \"" << f.header << "\"";
    }
    EXPECT_EQ(std::stoul(f.header), f.names.size());
    // Only names every reading kept ship: at least 3,000 per file (the generator's floor).
    EXPECT_GE(f.names.size(), 3000u);
    EXPECT_LE(f.names.size(), 30000u);
}

TEST_P(CandidateFilesTest, NamesAreOneOrTwoHanCharactersWithoutRepeats) {
    const CandidateFile& f = current();
    std::unordered_set<std::u32string> seen;
    std::size_t single = 0;
    for (const std::u32string& name : f.names) {
        ASSERT_TRUE(name.size() == 1 || name.size() == 2) << "\"" << u32ToUtf8(name) << "\"";
        for (char32_t c : name) {
            ASSERT_TRUE(c >= 0x4E00 && c <= 0x9FFF) << "\"" << u32ToUtf8(name) << "\"";
        }
        EXPECT_TRUE(seen.insert(name).second) << u32ToUtf8(name) << " listed twice";
        single += name.size() == 1 ? 1 : 0;
    }
    // Both lengths are offered, and a two-character search has the bulk of the file.
    EXPECT_GT(single, 50u);
    EXPECT_GT(f.names.size() - single, f.names.size() * 9 / 10);
}

TEST_P(CandidateFilesTest, EveryCharacterHasStrokesAnElementAndItsSimplifiedForm) {
    const CandidateFile& f = current();
    const StrokeDictionary strokes = StrokeDictionary::builtIn();
    const ElementCharacterLists elements = ElementCharacterLists::builtIn();
    const TraditionalMap pairs = TraditionalMap::builtIn();
    std::set<std::u32string> simplified(pairs.simplified().begin(), pairs.simplified().end());
    std::set<char32_t> traditionalOnly;
    for (const std::u32string& t : pairs.traditional()) {
        if (!simplified.count(t)) {
            traditionalOnly.insert(t.front());
        }
    }
    ASSERT_FALSE(traditionalOnly.empty());
    for (const std::u32string& name : f.names) {
        for (char32_t c : name) {
            const std::string text = u32ToUtf8(name);
            ASSERT_TRUE(strokes.getnum(c).has_value()) << text << ": no stroke count";
            ASSERT_NE(elements.codeOf(c), 0) << text << ": no element";
            ASSERT_FALSE(traditionalOnly.count(c)) << text << ": traditional form";
        }
    }
}

TEST_P(CandidateFilesTest, NoCharacterOfTheExclusionList) {
    const std::set<char32_t> excluded = curatedCharacters("tools/candidates/excluded_chars.txt");
    ASSERT_GT(excluded.size(), 100u);
    ASSERT_TRUE(excluded.count(U'死'));
    for (const std::u32string& name : current().names) {
        for (char32_t c : name) {
            ASSERT_FALSE(excluded.count(c)) << u32ToUtf8(name);
        }
    }
}

TEST_P(CandidateFilesTest, NoCharacterThatMarksTheOtherSex) {
    const bool boys = std::string_view(GetParam()) == "M.dat";
    std::set<char32_t> other = curatedCharacters(boys ? "tools/candidates/chars_female.txt"
                                                      : "tools/candidates/chars_male.txt");
    ASSERT_GT(other.size(), 100u);
    const std::set<char32_t> more = classicsCharacters(boys ? "female:" : "male:");
    ASSERT_FALSE(more.empty());
    other.insert(more.begin(), more.end());
    for (const std::u32string& name : current().names) {
        for (char32_t c : name) {
            ASSERT_FALSE(other.count(c)) << GetParam() << ": " << u32ToUtf8(name);
        }
    }
}

std::string fileLetter(const ::testing::TestParamInfo<const char*>& param) {
    return std::string(param.param).substr(0, 1);
}

INSTANTIATE_TEST_SUITE_P(BothFiles, CandidateFilesTest, ::testing::Values("M.dat", "F.dat"),
                         fileLetter);

// Samples that fix the order and the split: names graded good come first and the dated names of
// the fifties to the eighties last, names that read as one sex stand only in that sex's file, and
// names for either sex stand in both.
TEST(CandidateFilesSampleTest, GoodNamesFirstAndEachSexInItsFile) {
    const CandidateFile boys = loadCandidates("M.dat");
    const CandidateFile girls = loadCandidates("F.dat");
    auto position = [](const CandidateFile& f, const std::u32string& name) {
        for (std::size_t i = 0; i < f.names.size(); ++i) {
            if (f.names[i] == name) {
                return static_cast<long>(i);
            }
        }
        return -1L;
    };
    // Good names of today and from the classics near the top.
    for (const std::u32string& name : {std::u32string(U"浩然"), std::u32string(U"子昂")}) {
        EXPECT_GE(position(boys, name), 0) << u32ToUtf8(name);
        EXPECT_LT(position(boys, name), 100) << u32ToUtf8(name);
        EXPECT_EQ(position(girls, name), -1) << u32ToUtf8(name);
    }
    for (const std::u32string& name : {std::u32string(U"采薇"), std::u32string(U"清漪")}) {
        EXPECT_GE(position(girls, name), 0) << u32ToUtf8(name);
        EXPECT_LT(position(girls, name), 100) << u32ToUtf8(name);
        EXPECT_EQ(position(boys, name), -1) << u32ToUtf8(name);
    }
    // Names typical of the fifties to the eighties do not ship (a high score would put them at the
    // head of a list, wherever they stood in the file).
    for (const std::u32string& name :
         {std::u32string(U"建国"), std::u32string(U"丽华"), std::u32string(U"国华"),
          std::u32string(U"秀英"), std::u32string(U"志强")}) {
        EXPECT_EQ(position(boys, name), -1) << u32ToUtf8(name);
        EXPECT_EQ(position(girls, name), -1) << u32ToUtf8(name);
    }
    // 文 and 安 suit either sex.
    for (const std::u32string& name : {std::u32string(U"文"), std::u32string(U"安")}) {
        EXPECT_GE(position(boys, name), 0) << u32ToUtf8(name);
        EXPECT_GE(position(girls, name), 0) << u32ToUtf8(name);
    }
    // Two-character names come first, ahead of every one-character one.
    EXPECT_EQ(boys.names.front().size(), 2u);
    EXPECT_EQ(girls.names.front().size(), 2u);
}

// Popular name characters that the character data once lacked stand in the files of their sex.
TEST(CandidateFilesSampleTest, PopularNameCharactersAreUsed) {
    const CandidateFile boys = loadCandidates("M.dat");
    const CandidateFile girls = loadCandidates("F.dat");
    auto used = [](const CandidateFile& f, char32_t c) {
        for (const std::u32string& name : f.names) {
            if (name.find(c) != std::u32string::npos) {
                return true;
            }
        }
        return false;
    };
    for (char32_t c : std::u32string(U"婷萱怡妍雯倩媛薇瑾芸晗")) {
        EXPECT_TRUE(used(girls, c)) << u32ToUtf8(std::u32string(1, c));
        EXPECT_FALSE(used(boys, c)) << u32ToUtf8(std::u32string(1, c));
    }
    for (char32_t c : std::u32string(U"昊皓宸铭琛晟烨翊")) {
        EXPECT_TRUE(used(boys, c)) << u32ToUtf8(std::u32string(1, c));
        EXPECT_FALSE(used(girls, c)) << u32ToUtf8(std::u32string(1, c));
    }
    for (char32_t c : std::u32string(U"梓昕淼")) {
        EXPECT_TRUE(used(boys, c)) << u32ToUtf8(std::u32string(1, c));
        EXPECT_TRUE(used(girls, c)) << u32ToUtf8(std::u32string(1, c));
    }
}

}  // namespace
}  // namespace norlune
