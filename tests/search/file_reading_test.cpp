// Reading the files that users exchange: the encoding judged from both readings, the stream of
// lines in bounded pieces, files that are not regular files, and control characters.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <random>
#include <vector>

#include "engine/stroke_dictionary.h"
#include "engine/utf8.h"
#include "search/candidate_file.h"
#include "search/name_list_file.h"
#include "textio/test_files.h"
#include "textio/text_reader.h"

namespace norlune {
namespace {

using namespace testing_support;

std::string shippedFile(const std::string& name) {
    std::ifstream in(std::string(NORLUNE_SOURCE_DIR) + "/data/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The names of a shipped candidate file, as UTF-8.
std::vector<std::string> shippedNames(const std::string& name) {
    const DecodedText text = decodeText(shippedFile(name));
    std::vector<std::string> names;
    for (std::string_view line : splitTextLines(text.utf8)) {
        names.emplace_back(line);
    }
    names.erase(names.begin());  // the header
    return names;
}

std::string utf16(std::u32string_view text, bool littleEndian) {
    std::string out = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
    auto unit = [&](char32_t u) {
        const char hi = static_cast<char>(u >> 8);
        const char lo = static_cast<char>(u & 0xFF);
        out += littleEndian ? std::string{lo, hi} : std::string{hi, lo};
    };
    for (char32_t c : text) {
        if (c >= 0x10000) {
            unit(0xD800 + ((c - 0x10000) >> 10));
            unit(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            unit(c);
        }
    }
    return out;
}

TEST(EncodingJudgementTest, EachReadingIsJudged) {
    struct Row {
        const char* what;
        std::string bytes;
        std::string text;
        bool invalid;
    };
    const std::string gbkZheng = encodeGb18030("郑");  // D6 A3: also valid UTF-8 (U+05A3)
    const Row rows[] = {
        {"GBK that is also valid UTF-8", gbkZheng + "\r\n" + gbkZheng + "\r\n", "郑\r\n郑\r\n",
         false},
        {"GBK 谢 肖 叶 魏", encodeGb18030("谢\r\n肖\r\n叶\r\n魏"), "谢\r\n肖\r\n叶\r\n魏", false},
        {"UTF-8 that is also valid GBK", "1\n\xE6\x98\x8E\xE5\x8D\x8E\n\xE5\x9B\xBD\n",
         "1\n明华\n国\n", false},
        {"UTF-8 with a mark", "\xEF\xBB\xBF郑", "郑", false},
        {"UTF-16 LE with a mark", utf16(U"王明\r\n\U00020000", true), "王明\r\n\U00020000", false},
        {"UTF-16 BE with a mark", utf16(U"王明\r\n", false), "王明\r\n", false},
        {"UTF-16 cut in a unit", utf16(U"王", true) + "\x41", "王\xEF\xBF\xBD", true},
        {"ASCII", "100\r\nabc", "100\r\nabc", false},
        {"UTF-8 with one stray byte", "王小明\n\xFF\n李四\n", "王小明\n\xEF\xBF\xBD\n李四\n", true},
        {"UTF-8 cut at the end", "王小明\n李\xE5\x9B", "王小明\n李\xEF\xBF\xBD\xEF\xBF\xBD", true},
        {"GBK with a stray byte", encodeGb18030("王明") + "\xFF" + encodeGb18030("李"),
         "王明\xEF\xBF\xBD李", true},
        {"empty", "", "", false},
    };
    for (const Row& row : rows) {
        const DecodedText d = decodeText(row.bytes);
        EXPECT_EQ(d.utf8, row.text) << row.what;
        EXPECT_EQ(d.hadInvalidBytes, row.invalid) << row.what;
    }
}

// Every list that export writes reads back as it was: each name of the shipped candidate files in
// a list of the surname 郑 (whose GBK bytes are also UTF-8), and each character of the stroke
// dictionary as a surname with itself and twice itself as entries.
TEST(EncodingJudgementTest, EveryExportedListReadsBackUnchanged) {
    std::vector<NameList> lists;
    for (const char* file : {"M.dat", "F.dat"}) {
        for (const std::string& name : shippedNames(file)) {
            lists.push_back({"郑", {"郑" + name}});
            lists.push_back({name, {name}});
        }
    }
    ASSERT_GT(lists.size(), 10000u);
    const StrokeDictionary strokes = StrokeDictionary::builtIn();
    std::size_t characters = 0;
    for (int k = 1; k <= StrokeDictionary::kListCount; ++k) {
        for (char32_t c : strokes.list(k)) {
            const std::string surname = u32ToUtf8(std::u32string(1, c));
            lists.push_back({surname, {surname, surname + surname}});
            ++characters;
        }
    }
    ASSERT_GT(characters, 4000u);
    std::size_t wrong = 0;
    for (const NameList& list : lists) {
        const NameListImport back =
            readNameList(TextLineReader(memorySource(nameListBytes(list))), "list.txt");
        const bool same = back.list && back.list->Gxing == list.Gxing &&
                          back.list->entries == list.entries && back.message.empty();
        if (!same && ++wrong <= 5) {
            ADD_FAILURE() << list.Gxing << " " << list.entries.front() << " reads back as "
                          << (back.list ? back.list->entries.front() : back.message);
        }
    }
    EXPECT_EQ(wrong, 0u);
    // Text that would be judged UTF-8 after export gets GB18030's mark and still reads back.
    const NameList odd{"", {"\xEF\xBF\xBD\xE8\x8E\xA5\xE5\x9F\x80", "毫h"}};
    const std::string bytes = nameListBytes(odd);
    const NameListImport oddBack = readNameList(TextLineReader(memorySource(bytes)), "odd.txt");
    ASSERT_TRUE(oddBack.list.has_value());
    EXPECT_EQ(oddBack.list->entries, odd.entries);
    // A list that reads back by itself is written without a mark.
    EXPECT_EQ(nameListBytes({"王", {"王明"}}), encodeGb18030("王\r\n王明\r\n"));
    // And through real files, for the surnames whose lists once came back in other scripts.
    TempDir dir;
    for (const char* surname : {"郑", "谢", "肖", "叶", "魏"}) {
        const NameList list{surname, {std::string(surname) + "明"}};
        ASSERT_EQ(exportNameList(dir.file("list.txt"), list), "");
        const NameListImport back = importNameList(dir.file("list.txt"));
        ASSERT_TRUE(back.list.has_value()) << surname;
        EXPECT_EQ(back.list->Gxing, list.Gxing);
        EXPECT_EQ(back.list->entries, list.entries);
    }
}

// A UTF-8 list of every fourth boy's name with one bad byte (of several kinds, at several places)
// stays UTF-8: every other name reads back unchanged and the bad byte is reported.
TEST(EncodingJudgementTest, OneBadByteInUtf8KeepsAllOtherNames) {
    std::vector<std::string> names;
    const std::vector<std::string> all = shippedNames("M.dat");
    for (std::size_t i = 0; i < all.size(); i += 4) {
        names.push_back(all[i]);
    }
    std::string text = "王\n";
    for (const std::string& name : names) {
        text += "王" + name + "\n";
    }
    for (const char* bad : {"\xFF", "\x80", "\xE5", "\xC0\xAF"}) {
        for (const std::size_t line : {std::size_t{0}, names.size() / 2, names.size() - 1}) {
            std::string bytes = text;
            // Inside the entry of `line`, after its surname.
            std::size_t pos = 0;
            for (std::size_t i = 0; i <= line; ++i) {
                pos = bytes.find('\n', pos) + 1;
            }
            bytes.insert(pos + 3, bad);
            const NameListImport back =
                readNameList(TextLineReader(memorySource(bytes)), "list.txt");
            ASSERT_TRUE(back.list.has_value());
            ASSERT_EQ(back.list->entries.size(), names.size());
            EXPECT_NE(back.message, "");
            for (std::size_t i = 0; i < names.size(); ++i) {
                if (i != line) {
                    ASSERT_EQ(back.list->entries[i], "王" + names[i]) << i;
                }
            }
            EXPECT_NE(back.list->entries[line].find("\xEF\xBF\xBD"), std::string::npos);
        }
    }
}

// Hands out its bytes a few at a time, so that every sequence and line end is split somewhere.
class TrickleSource : public ByteSource {
public:
    TrickleSource(std::string bytes, unsigned seed) : bytes_(std::move(bytes)), rng_(seed) {}
    std::size_t read(char* buffer, std::size_t size) override {
        const std::size_t n = std::min({size, bytes_.size() - offset_, 1 + rng_() % 7});
        bytes_.copy(buffer, n, offset_);
        offset_ += n;
        return n;
    }
    std::unique_ptr<ByteSource> fromStart() const override {
        return std::make_unique<TrickleSource>(bytes_, 1);
    }

private:
    std::string bytes_;
    std::mt19937 rng_;
    std::size_t offset_ = 0;
};

std::vector<std::string> readAllLines(TextLineReader reader) {
    std::vector<std::string> lines;
    std::string line;
    while (reader.next(line)) {
        lines.push_back(line);
    }
    EXPECT_TRUE(reader.atEnd());
    return lines;
}

// The stream of lines equals the lines of the whole decoded text, whatever the encoding, the line
// ends and the sizes of the pieces read, also past the bytes the encoding is judged on.
TEST(TextLineReaderTest, StreamEqualsTheWholeText) {
    const std::vector<std::string> names = shippedNames("F.dat");
    std::mt19937 rng(7);
    const char* ends[] = {"\r\n", "\r", "\n"};
    std::string text;
    for (std::size_t i = 0; i < 500; ++i) {
        text += names[rng() % names.size()] + (i % 50 == 0 ? "\U00020000" : "");
        text += ends[rng() % 3];
        if (i % 97 == 0) {
            text += "\r\n";  // an empty line
        }
    }
    text += "末行";  // a last line without its end
    std::vector<std::string> expected;
    for (std::string_view line : splitTextLines(text)) {
        expected.emplace_back(line);
    }
    const std::u32string wide = utf8ToU32(text);
    const std::pair<const char*, std::string> encodings[] = {
        {"UTF-8", text},
        {"UTF-8 with a mark", "\xEF\xBB\xBF" + text},
        {"GB18030", encodeGb18030(text)},
        {"UTF-16 LE", utf16(wide, true)},
        {"UTF-16 BE", utf16(wide, false)},
    };
    for (const auto& [what, bytes] : encodings) {
        for (unsigned seed = 1; seed <= 3; ++seed) {
            EXPECT_EQ(readAllLines(TextLineReader(std::make_unique<TrickleSource>(bytes, seed))),
                      expected)
                << what;
        }
    }
    // Several megabytes of GBK: the judged first bytes and the pieces after them join seamlessly.
    std::string big;
    std::vector<std::string> bigExpected;
    while (big.size() < 3 * kEncodingSampleBytes) {
        const std::string& name = names[rng() % names.size()];
        big += name + "\r\n";
        bigExpected.push_back(name);
    }
    TextLineReader reader(memorySource(encodeGb18030(big)));
    EXPECT_EQ(reader.encoding(), TextEncoding::Gb18030);
    EXPECT_EQ(readAllLines(std::move(reader)), bigExpected);
}

TEST(TextLineReaderTest, OverlongLinesAreCutAndMarked) {
    const std::string longLine(TextLineReader::kMaxLineBytes + 10, 'x');
    TextLineReader reader(memorySource("a\n" + longLine + "\r\nb"));
    std::string line;
    ASSERT_TRUE(reader.next(line));
    EXPECT_FALSE(reader.lastLineTooLong());
    ASSERT_TRUE(reader.next(line));
    EXPECT_TRUE(reader.lastLineTooLong());
    EXPECT_EQ(line.size(), TextLineReader::kMaxLineBytes);
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, "b");
    EXPECT_FALSE(reader.lastLineTooLong());
    EXPECT_FALSE(reader.next(line));
}

TEST(TextLineReaderTest, ControlCharactersAreRecognised) {
    const std::string controls[] = {"\x1B[31m", "a\tb", std::string("a\0b", 3), "\x7F", "\xC2\x85",
                                    "\xC2\x9F", "\x01", std::string("明\0", 4)};
    for (const std::string& text : controls) {
        EXPECT_TRUE(hasControlCharacters(text)) << text;
    }
    for (const char* text : {"王小明", " 明 ", "\xC2\xA0", "\xEF\xBF\xBD", ""}) {
        EXPECT_FALSE(hasControlCharacters(text)) << text;
    }
}

// A short candidate file: the candidates are owned by the file, so moving it (as opening and the
// search do) keeps them intact.
TEST(CandidateFileTest, ShortFilesSurviveMoves) {
    std::optional<CandidateFile> file = CandidateFile::fromBytes("1\n家健\n栩\n");
    ASSERT_TRUE(file.has_value());
    std::vector<CandidateFile> moved;
    moved.push_back(std::move(*file));
    file.reset();
    std::optional<CandidateFile> again = std::move(moved.back());
    moved.clear();
    EXPECT_EQ(again->header(), 1);
    std::string line;
    std::vector<std::string> lines;
    while (again->next(line)) {
        lines.push_back(line);
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"家健", "栩"}));
    EXPECT_EQ(again->countCandidates(), 2u);
    EXPECT_FALSE(CandidateFile::fromBytes("").has_value());
    EXPECT_FALSE(CandidateFile::fromBytes("\xEF\xBB\xBF").has_value());
}

// Paths that are not regular files are refused at once, by every reader, with the reason.
TEST(FileReadingTest, OnlyRegularFilesAreRead) {
    TempDir dir;
    const std::string fifo = dir.file("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    struct Row {
        std::string path;
        const char* reason;
    };
    const Row rows[] = {
        {dir.path().string(), "这是一个文件夹，不是普通文件"},
        {fifo, "这是一个管道，不是普通文件"},
        {"/dev/zero", "这是一个设备，不是普通文件"},
    };
    for (const Row& row : rows) {
        const OpenedFile opened = openForReading(row.path);
        EXPECT_EQ(opened.status, FileStatus::Unreadable) << row.path;
        EXPECT_EQ(opened.reason, row.reason);
        EXPECT_EQ(opened.source, nullptr);
        std::string message;
        std::string warning;
        EXPECT_FALSE(CandidateFile::open(row.path, message, warning).has_value());
        EXPECT_EQ(message, "无法读取候选名字文件：" + row.path + "（" + row.reason + "）");
        const NameListImport imported = importNameList(row.path);
        EXPECT_FALSE(imported.list.has_value());
        EXPECT_NE(imported.message.find(row.reason), std::string::npos);
    }
}

TEST(FileReadingTest, ListLinesWithControlCharactersAreSkippedAndCounted) {
    const std::string longLine(TextLineReader::kMaxLineBytes + 1, 'x');
    const NameListImport a =
        readNameList(TextLineReader(memorySource("王\r\n王明\r\n王\x1B[2J\r\n王\t明\r\n" +
                                                 longLine + "\r\n王小明\r\n")),
                     "list.txt");
    ASSERT_TRUE(a.list.has_value());
    EXPECT_EQ(a.list->entries, (std::vector<std::string>{"王明", "王小明"}));
    EXPECT_EQ(a.message, "已跳过 3 行含控制字符或过长的内容：list.txt");
    const NameListImport b =
        readNameList(TextLineReader(memorySource("\x1B]0;x\a\r\n王明\r\n")), "list.txt");
    EXPECT_FALSE(b.list.has_value());
    EXPECT_NE(b.message, "");
}

}  // namespace
}  // namespace norlune
