#pragma once
// How a name sounds and whether its characters can be used.
//
// Readings: a surname takes its surname reading (单 shàn, 尉迟 yù chí); a given name's two
// characters that form a listed word take the word's readings (朝阳 zhāo yáng, 重阳 chóng yáng);
// every other character its reading in names. All come from the sound data.
//
// Tones: tones 1 and 2 are 平, tones 3 and 4 仄; the neutral tone, short and unstressed, counts as
// 仄 (names hardly ever carry it). The judgement, first rule that holds:
//   1. every syllable on the same tone: reads flat (平板);
//   2. three syllables or more whose last three are all 仄: the name falls at its end and reads
//      heavy (拗口);
//   3. 平 and 仄 alternate from each syllable to the next: reads well (抑扬顿挫);
//   4. otherwise: acceptable (尚可).
// A character without a reading leaves the tones unjudged.
//
// Clashes: two adjacent syllables are hard to say one after the other (李丽莉) when they share
// their initial and either their final or their tone. Initials and finals are the spoken ones: y
// and w are no initials (杨雨 share none), zhi chi shi ri and zi ci si have their own apical
// vowels (施琪: shi and qi share no final), yu yue yuan yun and ju qu xu hold ü. A given name that
// repeats a character (娜娜) is said so on purpose and is no clash.
//
// Homophones: a bad word is found where the whole name, the given name, or two adjacent syllables
// spell its syllables. With every character on its shown reading and the word's tones it is 同音.
// A strong word (an insult, a vulgarity, death, a notorious name) is also found with other tones
// (音近) and through a given-name character's other common reading (另读音近: 乐 lè or yuè); an
// ordinary word only with its own tones, so that 李一鸣 is not taken for 离异. The surname keeps
// its one reading.
//
// Famous names: a full name that is a well-known person's (王菲) is named.
//
// Characters: every character outside the general standard table (通用规范汉字表) is named, and
// every one outside GB 2312, which older systems cannot enter.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "sound/sound_tables.h"

namespace norlune {

enum class ToneJudgement { Flat, FallingEnd, Alternating, Acceptable, Unknown };

enum class HomophoneKind { Exact, Toneless, OtherReading };

struct Homophone {
    std::size_t start = 0;   // first character of the span in the full name
    std::size_t length = 0;  // characters of the span
    std::uint32_t word = 0;  // index into SoundTables::badWords()
    HomophoneKind kind = HomophoneKind::Exact;
};

struct Clash {
    std::size_t first = 0;  // the pair first, first + 1
    std::string initial;    // the shared initial
    std::string final;      // the shared final, or empty when the two share their tone instead
    int tone = 0;           // the shared tone where the finals differ
};

struct SoundAnalysis {
    std::u32string name;  // surname then given name
    std::size_t surnameLength = 0;
    std::vector<std::optional<Reading>> readings;  // the shown reading of each character
    ToneJudgement judgement = ToneJudgement::Unknown;
    std::vector<Clash> clashes;
    std::vector<Homophone> homophones;
    std::u32string outsideStandard;
    std::u32string outsideGb2312;
    bool famous = false;  // the full name is a well-known person's
};

SoundAnalysis analyzeSound(const SoundTables& tables, std::string_view surname,
                           std::string_view givenName);

// Where the 注音 line stands: after the pinyin line, or before it (for readers of traditional
// characters, to whom 注音 comes first).
enum class ZhuyinOrder { AfterPinyin, BeforePinyin };

// The six lines, each with its beginning: "拼音：", "注音：" (the two in the given order),
// "声调：", "声韵：", "谐音：", "用字：", and for a well-known person's full name a seventh,
// "与名人同名：王菲". The 注音 line: "注音：ㄨㄤˊ ㄒㄧㄠˇ ㄇㄧㄥˊ", one syllable a character.
std::vector<std::string> soundLines(const SoundTables& tables, const SoundAnalysis& analysis,
                                    ZhuyinOrder order = ZhuyinOrder::AfterPinyin);

// Appends the section "音形分析" to a name report: a rule line with the title, then the six
// lines, each ended by CR LF.
void appendSoundSection(const SoundTables& tables, std::string_view surname,
                        std::string_view givenName, std::string& report,
                        ZhuyinOrder order = ZhuyinOrder::AfterPinyin);

// The search's sound filter: set up once per run for its surname, then asked once per candidate
// without allocating.
class SoundFilter {
public:
    // The tables must outlive the filter.
    SoundFilter(const SoundTables& tables, std::string_view surname, bool cleanSound,
                bool standardOnly);

    // Whether the given name passes: with cleanSound no bad word in the name (as analyzeSound
    // finds them) and no well-known person's full name, with standardOnly every given-name
    // character in the general standard table.
    bool accepts(std::string_view givenName) const;

private:
    const SoundTables& tables_;
    std::vector<std::span<const Reading>> surname_;
    // the given names that make a well-known person's full name, viewing the tables' strings
    std::unordered_set<std::string_view> famousGiven_;
    // a bit per value of famousKey(): most given names are passed without hashing them
    std::array<std::uint64_t, 4> famousKeys_{};
    bool cleanSound_;
    bool standardOnly_;
};

}  // namespace norlune
