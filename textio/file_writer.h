#pragma once
// Writing the files users exchange, safely: the whole text goes into a new temporary file beside
// the target, which replaces the target only once it is complete and synced. Only a regular file
// (or a missing one) is ever replaced; a read-only file only when the caller says so (the window
// asks first); a file with further hard links is left alone, since replacing one of its names
// would part it from the others.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace norlune {

// What a write does with an existing target that is read-only.
enum class ReadOnlyTarget { Refuse, Replace };

// The reasons of refused writes, inside "无法写入文件：路径（…）".
inline constexpr std::string_view kNotRegularFile = "不是普通文件，未写入";
inline constexpr std::string_view kReadOnlyFile = "文件是只读的，未写入";
inline constexpr std::string_view kHardLinkedFile =
    "此文件还有其他硬链接，替换会使它们仍指向旧内容，未写入";

// The lines as GB18030, each ended by CR LF: what writeTextFileAtomically writes. In the rare case
// that these bytes would be judged another encoding, GB18030's byte-order mark (84 31 95 33) comes
// first; text that GB18030 cannot hold is written as UTF-8 after its mark.
std::string textFileBytes(const std::vector<std::string>& lines);

// Writes the lines as GB18030, each ended by CR LF, into a new temporary file in the target's
// folder that replaces the target only once everything is written and synced; a failure leaves an
// existing file untouched. A symbolic link at `path` is written through to the file it points to.
// The new file keeps an existing target's permissions. Returns an empty text on success, else a
// Chinese message with the reason (the path in it shown with visibleText).
std::string writeTextFileAtomically(const std::string& path, const std::vector<std::string>& lines,
                                    ReadOnlyTarget readOnly = ReadOnlyTarget::Refuse);
// The same in UTF-8 after a byte-order mark (for spreadsheet programs).
std::string writeUtf8TextFileAtomically(const std::string& path,
                                        const std::vector<std::string>& lines,
                                        ReadOnlyTarget readOnly = ReadOnlyTarget::Refuse);
// Writes bytes in the same safe way.
std::string writeBytesAtomically(const std::string& path, const std::string& bytes,
                                 ReadOnlyTarget readOnly = ReadOnlyTarget::Refuse);

// True when `path` (through its symbolic links) is an existing regular file that its permissions
// make read-only for us.
bool isReadOnlyFile(const std::string& path);

// How many temporary names a write tries before it gives up.
inline constexpr unsigned kTemporaryAttempts = 16;
// 64 random bits from the kernel's generator (getrandom) for a temporary name.
std::uint64_t temporaryToken();
// The temporary name for a target made from such bits (a hidden file beside it).
std::string temporaryPathFor(const std::string& target, std::uint64_t token);
// Tests make the random bits predictable with this (an empty function restores getrandom).
void setTemporaryTokensForTesting(std::function<std::uint64_t()> source);

}  // namespace norlune
