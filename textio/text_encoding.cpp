#include "search/text_file.h"

#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <utility>

#include "engine/utf8.h"

namespace norlune {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr std::string_view kGb18030Mark = "\x84\x31\x95\x33";  // U+FEFF in GB18030
constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";
constexpr char32_t kReplacement = 0xFFFD;
constexpr std::size_t kPieceBytes = std::size_t{1} << 16;

iconv_t noIconv() {
    return reinterpret_cast<iconv_t>(-1);
}

// Opening a converter costs far more than converting a short text, and every file read opens one or
// two: each thread keeps one spare converter per direction for the next user.
class ConverterCache {
public:
    ~ConverterCache() {
        for (iconv_t cd : spare_) {
            if (cd != noIconv()) {
                iconv_close(cd);
            }
        }
    }
    // A converter in its initial state, or noIconv() when the conversion is not available.
    iconv_t take(std::size_t slot, const char* to, const char* from) {
        const iconv_t cd = std::exchange(spare_[slot], noIconv());
        if (cd != noIconv()) {
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            return cd;
        }
        return iconv_open(to, from);
    }
    void give(std::size_t slot, iconv_t cd) {
        if (spare_[slot] == noIconv()) {
            spare_[slot] = cd;
        } else {
            iconv_close(cd);
        }
    }

private:
    std::array<iconv_t, 5> spare_{noIconv(), noIconv(), noIconv(), noIconv(), noIconv()};
};

thread_local ConverterCache converters;

constexpr std::size_t kEncoderSlot = 4;

std::size_t decoderSlot(TextEncoding encoding) {
    return static_cast<std::size_t>(encoding);
}

const char* iconvName(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Gb18030:
            return "GB18030";
        case TextEncoding::Utf16Le:
            return "UTF-16LE";
        case TextEncoding::Utf16Be:
            return "UTF-16BE";
        case TextEncoding::Utf8:
            break;
    }
    return "UTF-8";
}

// Where a piece of UTF-8 must be cut so that a sequence begun at its end is left for the next
// piece: the start of that sequence, or the piece's size when it ends on a whole character.
std::size_t utf8CutPoint(std::string_view bytes) {
    const std::size_t n = bytes.size();
    for (std::size_t back = 1; back <= 4 && back <= n; ++back) {
        const auto b = static_cast<unsigned char>(bytes[n - back]);
        if ((b & 0xC0) == 0x80) {
            continue;  // a continuation byte: its lead lies further back
        }
        std::size_t needed = 1;
        if (b >= 0xC2 && b <= 0xDF) {
            needed = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            needed = 3;
        } else if (b >= 0xF0 && b <= 0xF4) {
            needed = 4;
        }
        return back < needed ? n - back : n;
    }
    return n;
}

// Characters that Chinese text is made of beside ASCII: Han characters, CJK punctuation, full-width
// forms and the general punctuation that Chinese uses (dashes, quotes, ellipsis).
bool isChineseCharacter(char32_t c) {
    return (c >= 0x3000 && c <= 0x303F) || (c >= 0x3400 && c <= 0x4DBF) ||
           (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x3FFFF) ||
           (c >= 0x2010 && c <= 0x206F);
}

// Symbols that GBK has and Chinese text may hold (arrows, mathematical signs, circled numbers, box
// drawing): they count neither for nor against a reading. Latin-1 letters and signs (·, ×, §) do
// count against one: GBK bytes of many common characters read as UTF-8 give them.
bool isNeutralSymbol(char32_t c) {
    return (c >= 0x2100 && c <= 0x22FF) || (c >= 0x2460 && c <= 0x27BF);
}

// The 3755 most common Han characters: the first level of GB 2312 (GBK rows B0 to D7). Text in
// either encoding is mostly made of them, while the other encoding's bytes read as GBK or UTF-8
// give rarer characters.
const std::vector<bool>& commonHanCharacters() {
    static const std::vector<bool> common = [] {
        std::vector<bool> set(0x10000, false);
        std::string bytes;
        for (int lead = 0xB0; lead <= 0xD7; ++lead) {
            for (int trail = 0xA1; trail <= (lead == 0xD7 ? 0xF9 : 0xFE); ++trail) {
                bytes.push_back(static_cast<char>(lead));
                bytes.push_back(static_cast<char>(trail));
            }
        }
        TextDecoder decoder(TextEncoding::Gb18030);
        std::string utf8;
        decoder.decode(bytes, true, utf8);
        std::size_t pos = 0;
        while (pos < utf8.size()) {
            const char32_t c = nextCodePoint(utf8, pos);
            if (c < set.size() && c != kReplacement) {
                set[c] = true;
            }
        }
        return set;
    }();
    return common;
}

struct ReadingJudgement {
    long long bad = 0;     // undecodable bytes and letters of other scripts
    long long common = 0;  // common Han characters
    long long rare =
        0;  // Han characters beyond the first plane (GBK pairs read as UTF-8 give them)
    char32_t previous = 0;
};

bool isAsciiLetterOrDigit(char32_t c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

void judgeCharacter(char32_t c, ReadingJudgement& j) {
    const char32_t previous = std::exchange(j.previous, c);
    if (c < 0x80) {
        // The second byte of many GBK characters is an ASCII letter: read as UTF-8, such text
        // shows letters glued to the character before them.
        if (previous >= 0x80 && isAsciiLetterOrDigit(c)) {
            ++j.bad;
        }
        return;
    }
    if (isNeutralSymbol(c)) {
        return;
    }
    if (!isChineseCharacter(c)) {
        ++j.bad;
    } else if (c >= 0x10000) {
        ++j.rare;
    } else if (commonHanCharacters()[c]) {
        ++j.common;
    }
}

ReadingJudgement judgeUtf8(std::string_view bytes) {
    ReadingJudgement j;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t start = pos;
        const char32_t c = nextCodePoint(bytes, pos);
        if (c == kReplacement && pos - start == 1) {
            ++j.bad;
            j.previous = c;
        } else {
            judgeCharacter(c, j);
        }
    }
    return j;
}

ReadingJudgement judgeDecoded(TextEncoding encoding, std::string_view bytes, bool complete) {
    TextDecoder decoder(encoding);
    std::string utf8;
    decoder.decode(bytes, complete, utf8);
    ReadingJudgement j;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t c = nextCodePoint(utf8, pos);
        if (c != kReplacement) {
            judgeCharacter(c, j);
        } else {
            j.previous = c;
        }
    }
    j.bad += static_cast<long long>(decoder.invalidBytes());
    return j;
}

class FileSource : public ByteSource {
public:
    explicit FileSource(int fd) : fd_(fd) {}
    ~FileSource() override { ::close(fd_); }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    std::size_t read(char* buffer, std::size_t size) override {
        for (;;) {
            const ssize_t n = ::pread(fd_, buffer, size, offset_);
            if (n >= 0) {
                offset_ += n;
                return static_cast<std::size_t>(n);
            }
            if (errno != EINTR) {
                error_ = errno;
                return 0;
            }
        }
    }

    std::unique_ptr<ByteSource> fromStart() const override {
        const int fd = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
        if (fd < 0) {
            return nullptr;
        }
        return std::make_unique<FileSource>(fd);
    }

private:
    int fd_;
    off_t offset_ = 0;
};

class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::shared_ptr<const std::string> bytes) : bytes_(std::move(bytes)) {}

    std::size_t read(char* buffer, std::size_t size) override {
        const std::size_t n = std::min(size, bytes_->size() - offset_);
        bytes_->copy(buffer, n, offset_);
        offset_ += n;
        return n;
    }

    std::unique_ptr<ByteSource> fromStart() const override {
        return std::make_unique<MemorySource>(bytes_);
    }

private:
    std::shared_ptr<const std::string> bytes_;
    std::size_t offset_ = 0;
};

std::string notRegularReason(mode_t mode) {
    if (S_ISDIR(mode)) {
        return "这是一个文件夹，不是普通文件";
    }
    if (S_ISFIFO(mode)) {
        return "这是一个管道，不是普通文件";
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return "这是一个设备，不是普通文件";
    }
    if (S_ISSOCK(mode)) {
        return "这是一个套接字，不是普通文件";
    }
    return "不是普通文件";
}

}  // namespace

EncodingChoice judgeEncoding(std::string_view sample, bool complete) {
    if (sample.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
        return {TextEncoding::Utf8, kUtf8Mark.size()};
    }
    if (sample.substr(0, kUtf16LeMark.size()) == kUtf16LeMark) {
        return {TextEncoding::Utf16Le, kUtf16LeMark.size()};
    }
    if (sample.substr(0, kUtf16BeMark.size()) == kUtf16BeMark) {
        return {TextEncoding::Utf16Be, kUtf16BeMark.size()};
    }
    if (sample.substr(0, kGb18030Mark.size()) == kGb18030Mark) {
        return {TextEncoding::Gb18030, kGb18030Mark.size()};
    }
    const ReadingJudgement utf8 =
        judgeUtf8(complete ? sample : sample.substr(0, utf8CutPoint(sample)));
    if (utf8.bad == 0 && utf8.rare == 0) {
        return {TextEncoding::Utf8, 0};
    }
    const ReadingJudgement gb = judgeDecoded(TextEncoding::Gb18030, sample, complete);
    if (gb.bad == 0) {
        return {TextEncoding::Gb18030, 0};
    }
    // Both readings have bad characters: common characters count for a reading, bad ones against.
    const bool utf8Wins = utf8.common - utf8.bad >= gb.common - gb.bad;
    return {utf8Wins ? TextEncoding::Utf8 : TextEncoding::Gb18030, 0};
}

TextDecoder::TextDecoder(TextEncoding encoding) : encoding_(encoding) {}

TextDecoder::~TextDecoder() {
    if (iconv_ != nullptr) {
        converters.give(decoderSlot(encoding_), static_cast<iconv_t>(iconv_));
    }
}

void TextDecoder::decode(std::string_view bytes, bool last, std::string& out) {
    if (!carry_.empty()) {
        work_.assign(carry_);
        work_.append(bytes);
        carry_.clear();
        bytes = work_;
    }
    if (encoding_ == TextEncoding::Utf8) {
        decodeUtf8(bytes, last, out);
    } else {
        decodeWithIconv(bytes, last, out);
    }
}

void TextDecoder::decodeUtf8(std::string_view bytes, bool last, std::string& out) {
    const std::size_t cut = last ? bytes.size() : utf8CutPoint(bytes);
    const std::string_view whole = bytes.substr(0, cut);
    if (isValidUtf8(whole)) {
        out.append(whole);
    } else {
        std::size_t pos = 0;
        while (pos < whole.size()) {
            const std::size_t start = pos;
            const char32_t c = nextCodePoint(whole, pos);
            if (c == kReplacement && pos - start == 1) {
                ++invalid_;
                out.append(kReplacementUtf8);
            } else {
                out.append(whole.substr(start, pos - start));
            }
        }
    }
    carry_.assign(bytes.substr(cut));
}

void TextDecoder::decodeWithIconv(std::string_view bytes, bool last, std::string& out) {
    if (iconv_ == nullptr && !iconvFailed_) {
        const iconv_t cd = converters.take(decoderSlot(encoding_), "UTF-8", iconvName(encoding_));
        if (cd == noIconv()) {
            iconvFailed_ = true;
        } else {
            iconv_ = cd;
        }
    }
    if (iconvFailed_) {
        // Without the converter only ASCII can be read.
        for (char c : bytes) {
            if (static_cast<unsigned char>(c) < 0x80) {
                out.push_back(c);
            } else {
                ++invalid_;
                out.append(kReplacementUtf8);
            }
        }
        return;
    }
    const auto cd = static_cast<iconv_t>(iconv_);
    const std::size_t unit =
        encoding_ == TextEncoding::Utf16Le || encoding_ == TextEncoding::Utf16Be ? 2 : 1;
    char* inPtr = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char buffer[16384];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (r != static_cast<std::size_t>(-1)) {
            continue;
        }
        if (errno == E2BIG) {
            continue;
        }
        if (errno == EINVAL && !last) {
            // A sequence that the next piece completes.
            carry_.assign(inPtr, inLeft);
            return;
        }
        // EILSEQ, or a sequence cut off at the very end: replace one unit and go on.
        const std::size_t skip = std::min(unit, inLeft);
        out.append(kReplacementUtf8);
        invalid_ += skip;
        inPtr += skip;
        inLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
}

DecodedText decodeText(std::string_view bytes) {
    const EncodingChoice choice =
        judgeEncoding(bytes.substr(0, kEncodingSampleBytes), bytes.size() <= kEncodingSampleBytes);
    TextDecoder decoder(choice.encoding);
    DecodedText result;
    result.utf8.reserve(bytes.size() * 3 / 2 + 16);
    decoder.decode(bytes.substr(choice.markLength), true, result.utf8);
    result.hadInvalidBytes = decoder.invalidBytes() > 0;
    return result;
}

std::string encodeGb18030(std::string_view utf8) {
    const iconv_t cd = converters.take(kEncoderSlot, "GB18030", "UTF-8");
    if (cd == noIconv()) {
        return std::string(utf8);
    }
    std::string out;
    out.reserve(utf8.size());
    char* inPtr = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char buffer[16384];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // Input comes from our own UTF-8 texts; a stray bad byte is written as "?".
            out.push_back('?');
            ++inPtr;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    converters.give(kEncoderSlot, cd);
    return out;
}

std::vector<std::string_view> splitTextLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(text.substr(start, i - start));
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

bool hasControlCharacters(std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x20 || b == 0x7F) {
            return true;
        }
        // C1 controls U+0080..U+009F are C2 80..C2 9F in UTF-8.
        if (b == 0xC2 && i + 1 < utf8.size()) {
            const auto next = static_cast<unsigned char>(utf8[i + 1]);
            if (next >= 0x80 && next <= 0x9F) {
                return true;
            }
        }
    }
    return false;
}

std::unique_ptr<ByteSource> memorySource(std::string bytes) {
    return std::make_unique<MemorySource>(std::make_shared<const std::string>(std::move(bytes)));
}

OpenedFile openForReading(const std::string& path) {
    OpenedFile result;
    // Non-blocking, so that opening a pipe without a writer returns at once; regular files ignore
    // it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const int error = errno;
        result.status =
            error == ENOENT || error == ENOTDIR ? FileStatus::NotFound : FileStatus::Unreadable;
        result.reason = fileErrorReason(error, false);
        return result;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        result.status = FileStatus::Unreadable;
        result.reason = notRegularReason(st.st_mode);
        ::close(fd);
        return result;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) {
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    }
    result.source = std::make_unique<FileSource>(fd);
    return result;
}

TextLineReader::TextLineReader(std::unique_ptr<ByteSource> source) : source_(std::move(source)) {
    std::size_t filled = 0;
    while (filled < kEncodingSampleBytes) {
        raw_.resize(std::min(kEncodingSampleBytes, filled + (filled == 0 ? 4096 : kPieceBytes)));
        const std::size_t n = source_->read(raw_.data() + filled, raw_.size() - filled);
        if (n == 0) {
            sourceDone_ = true;
            break;
        }
        filled += n;
    }
    raw_.resize(filled);
    choice_ = judgeEncoding(raw_, sourceDone_);
    decoder_ = std::make_unique<TextDecoder>(choice_.encoding);
    const std::string_view text = std::string_view(raw_).substr(choice_.markLength);
    pending_.reserve(text.size() + text.size() / 2 + 16);
    decoder_->decode(text, sourceDone_, pending_);
    decoderDone_ = sourceDone_;
    invalidInSample_ = decoder_->invalidBytes();
    raw_.clear();
    raw_.shrink_to_fit();
}

TextLineReader::TextLineReader(TextLineReader&&) noexcept = default;
TextLineReader& TextLineReader::operator=(TextLineReader&&) noexcept = default;
TextLineReader::~TextLineReader() = default;

bool TextLineReader::fill() {
    if (decoderDone_) {
        return false;
    }
    if (pendingPos_ > 0) {
        pending_.erase(0, pendingPos_);
        pendingPos_ = 0;
    }
    raw_.resize(kPieceBytes);
    const std::size_t n = source_->read(raw_.data(), raw_.size());
    raw_.resize(n);
    sourceDone_ = n == 0;
    decoder_->decode(raw_, sourceDone_, pending_);
    decoderDone_ = sourceDone_;
    return true;
}

bool TextLineReader::atEnd() {
    for (;;) {
        if (skipLf_ && pendingPos_ < pending_.size()) {
            if (pending_[pendingPos_] == '\n') {
                ++pendingPos_;
            }
            skipLf_ = false;
        }
        if (pendingPos_ < pending_.size()) {
            return false;
        }
        if (!fill()) {
            return true;
        }
    }
}

bool TextLineReader::next(std::string& line) {
    line.clear();
    lastTooLong_ = false;
    if (atEnd()) {
        return false;
    }
    for (;;) {
        const char* begin = pending_.data() + pendingPos_;
        const char* end = pending_.data() + pending_.size();
        const char* p = begin;
        while (p != end && *p != '\r' && *p != '\n') {
            ++p;
        }
        const auto length = static_cast<std::size_t>(p - begin);
        const std::size_t room = kMaxLineBytes - line.size();
        if (length > room) {
            lastTooLong_ = true;
        }
        line.append(begin, std::min(length, room));
        pendingPos_ += length;
        if (p != end) {
            skipLf_ = *p == '\r';
            ++pendingPos_;
            return true;
        }
        if (!fill()) {
            return true;  // a last line without a line end
        }
    }
}

std::size_t TextLineReader::invalidBytes() const {
    return decoder_->invalidBytes();
}

int TextLineReader::readError() const {
    return source_->error();
}

std::unique_ptr<TextLineReader> TextLineReader::fromStart() const {
    std::unique_ptr<ByteSource> source = source_->fromStart();
    if (!source) {
        return nullptr;
    }
    return std::make_unique<TextLineReader>(std::move(source));
}

TextFileRead readTextFile(const std::string& path) {
    TextFileRead result;
    OpenedFile file = openForReading(path);
    result.status = file.status;
    result.reason = file.reason;
    if (file.status != FileStatus::Ok) {
        return result;
    }
    std::string bytes;
    char buffer[kPieceBytes];
    while (const std::size_t n = file.source->read(buffer, sizeof buffer)) {
        bytes.append(buffer, n);
    }
    if (file.source->error() != 0) {
        result.status = FileStatus::Unreadable;
        result.reason = fileErrorReason(file.source->error(), false);
        return result;
    }
    result.text = decodeText(bytes);
    return result;
}

std::string fileErrorReason(int error, bool writing) {
    switch (error) {
        case ENOENT:
            return writing ? "文件夹不存在" : "文件不存在";
        case EACCES:
        case EPERM:
            return writing ? "没有写入权限" : "没有读取权限";
        case EROFS:
            return "只读文件系统";
        case ENOSPC:
            return "磁盘已满";
        case EDQUOT:
            return "超出磁盘配额";
        case EISDIR:
            return "这是一个文件夹";
        case ENOTDIR:
            return "路径中有一项不是文件夹";
        case ENAMETOOLONG:
            return "文件名太长";
        case ELOOP:
            return "符号链接太多或成环";
        case EIO:
            return "磁盘读写出错";
        case EMFILE:
        case ENFILE:
            return "打开的文件太多";
        case EFBIG:
            return "文件太大";
        case ENOMEM:
            return "内存不足";
        case EEXIST:
            return "临时文件名都已被占用";
        case EBUSY:
        case ETXTBSY:
            return "文件正被占用";
        case EXDEV:
            return "不能跨文件系统替换文件";
        default:
            return "系统错误代码 " + std::to_string(error);
    }
}

namespace {

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file that writing to `path` should replace: `path` itself, or, when it is a symbolic link,
// the file at the end of its chain of links (which need not exist yet).
bool resolveLinks(const std::string& path, std::string& target, int& error) {
    target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            return true;
        }
        std::string link(4096, '\0');
        const ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
        if (n < 0 || static_cast<std::size_t>(n) >= link.size()) {
            error = n < 0 ? errno : ENAMETOOLONG;
            return false;
        }
        link.resize(static_cast<std::size_t>(n));
        target = link.front() == '/' ? link : folderOf(target) + "/" + link;
    }
    error = ELOOP;
    return false;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::string joinLinesCrLf(const std::vector<std::string>& lines) {
    std::string content;
    for (const std::string& line : lines) {
        content += line;
        content += "\r\n";
    }
    return content;
}

}  // namespace

std::string textFileBytes(const std::vector<std::string>& lines) {
    std::string bytes = encodeGb18030(joinLinesCrLf(lines));
    // Text whose bytes a reader would take for another encoding (or that starts with a mark of
    // its own) gets GB18030's byte-order mark, so that it always reads back as written; every
    // other text is written without one, as GBK readers expect.
    const EncodingChoice judged =
        judgeEncoding(std::string_view(bytes).substr(0, kEncodingSampleBytes),
                      bytes.size() <= kEncodingSampleBytes);
    if (judged.encoding != TextEncoding::Gb18030 || judged.markLength > 0) {
        bytes.insert(0, kGb18030Mark);
    }
    // The converter has no GB18030 form for a few private-use characters (those that GB18030 later
    // gave to standard characters): text with one of them is written as UTF-8 after its mark,
    // which loses nothing.
    const std::string text = joinLinesCrLf(lines);
    if (decodeText(bytes).utf8 != text) {
        bytes = "\xEF\xBB\xBF" + text;
    }
    return bytes;
}

std::string temporaryPathFor(const std::string& target, unsigned attempt) {
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    // Kept short enough that the suffix never makes the name too long.
    const std::string base =
        target.substr(slash == std::string::npos ? 0 : slash + 1).substr(0, 150);
    return folder + "." + base + ".norlune-" + std::to_string(::getpid()) + "-" +
           std::to_string(attempt) + ".tmp";
}

std::string writeBytesAtomically(const std::string& path, const std::string& bytes) {
    const auto failure = [&](int error) {
        return "无法写入文件：" + path + "（" + fileErrorReason(error, true) + "）";
    };
    std::string target;
    int error = 0;
    if (!resolveLinks(path, target, error)) {
        return failure(error);
    }
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        return failure(EISDIR);
    }
    // The temporary file is created exclusively and never through a link planted at its name.
    std::string temp;
    int fd = -1;
    for (unsigned attempt = 0; attempt < kTemporaryAttempts && fd < 0; ++attempt) {
        temp = temporaryPathFor(target, attempt);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                    exists ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST) {
            return failure(errno);
        }
    }
    if (fd < 0) {
        return failure(EEXIST);
    }
    bool ok = true;
    if (exists) {
        // Same owner and permissions as the file it replaces (the owner only where allowed).
        if (::fchown(fd, existing.st_uid, existing.st_gid) != 0) {
            // Only possible for one's own group or as administrator; the permissions still hold.
        }
        ok = ::fchmod(fd, existing.st_mode & 07777) == 0;
    }
    ok = ok && writeAll(fd, bytes) && ::fsync(fd) == 0;
    error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && std::rename(temp.c_str(), target.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return failure(error);
    }
    // The rename itself is made durable by syncing the folder that holds the name.
    const int folder = ::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return {};
}

std::string writeTextFileAtomically(const std::string& path,
                                    const std::vector<std::string>& lines) {
    return writeBytesAtomically(path, textFileBytes(lines));
}

std::string writeUtf8TextFileAtomically(const std::string& path,
                                        const std::vector<std::string>& lines) {
    return writeBytesAtomically(path, "\xEF\xBB\xBF" + joinLinesCrLf(lines));
}

}  // namespace norlune
