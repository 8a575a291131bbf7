#include "sound/sound_analysis.h"

#include <algorithm>
#include <array>

#include "engine/name_report.h"
#include "engine/utf8.h"
#include "sound/pinyin.h"

namespace norlune {
namespace {

// The most characters a name may have for the homophone search; longer names are searched in
// their first characters only.
constexpr std::size_t kMaxPositions = 8;

struct Span {
    std::uint8_t start = 0;
    std::uint8_t length = 0;
};

// Calls visit(start, length, word, kind) for every bad word that a span of the name spells, the
// spans in the order whole name, given name, adjacent pairs from the left, each span once; within a
// span the shown readings come first, so the first visit of a word is its closest one. Only a
// strong word is visited with other tones or other readings. `options` holds the readings each
// character may take (the shown one first; none for an unknown character). Stops and returns true
// as soon as visit returns true.
template <class Visit>
bool forEachHomophone(const SoundTables& tables, std::span<const std::span<const Reading>> options,
                      std::size_t surnameLength, Visit&& visit) {
    const std::size_t n = std::min(options.size(), kMaxPositions);
    std::array<Span, kMaxPositions + 2> spans{};
    std::size_t spanCount = 0;
    auto addSpan = [&](std::size_t start, std::size_t length) {
        if (length < 2 || length > SoundTables::kMaxWordLength || start + length > n) {
            return;
        }
        for (std::size_t i = 0; i < spanCount; ++i) {
            if (spans[i].start == start && spans[i].length == length) {
                return;
            }
        }
        spans[spanCount++] = {static_cast<std::uint8_t>(start), static_cast<std::uint8_t>(length)};
    };
    addSpan(0, n);
    if (surnameLength < n) {
        addSpan(surnameLength, n - surnameLength);
    }
    for (std::size_t i = 0; i + 1 < n; ++i) {
        addSpan(i, 2);
    }

    for (std::size_t s = 0; s < spanCount; ++s) {
        const Span span = spans[s];
        const auto* pos = options.data() + span.start;
        bool known = true;
        for (std::size_t k = 0; k < span.length; ++k) {
            known = known && !pos[k].empty();
        }
        if (!known) {
            continue;
        }
        // An odometer over the readings of the span's characters, shown readings first.
        std::array<std::uint8_t, SoundTables::kMaxWordLength> choice{};
        std::array<std::uint16_t, SoundTables::kMaxWordLength> ids{};
        for (;;) {
            if (tables.mayBeginWord(pos[0][choice[0]].syllable, pos[1][choice[1]].syllable)) {
                bool shown = true;
                for (std::size_t k = 0; k < span.length; ++k) {
                    ids[k] = pos[k][choice[k]].syllable;
                    shown = shown && choice[k] == 0;
                }
                for (std::uint32_t w : tables.wordsSpelling(std::span(ids.data(), span.length))) {
                    const BadWord& word = tables.badWords()[w];
                    HomophoneKind kind = HomophoneKind::OtherReading;
                    if (shown) {
                        bool sameTones = true;
                        for (std::size_t k = 0; k < span.length; ++k) {
                            sameTones = sameTones && pos[k][0].tone == word.readings[k].tone;
                        }
                        kind = sameTones ? HomophoneKind::Exact : HomophoneKind::Toneless;
                    }
                    // An ordinary word is heard only on the shown readings with its own tones.
                    if (kind != HomophoneKind::Exact && !word.strong) {
                        continue;
                    }
                    if (visit(span.start, span.length, w, kind)) {
                        return true;
                    }
                }
            }
            // Next combination: the last character's reading turns fastest.
            std::size_t k = span.length;
            bool advanced = false;
            while (k > 0 && !advanced) {
                --k;
                advanced = ++choice[k] < pos[k].size();
                if (!advanced) {
                    choice[k] = 0;
                }
            }
            if (!advanced) {
                break;
            }
        }
    }
    return false;
}

// Gives the given name's characters that form a listed word (朝阳) the word's readings, from the
// left; `chars` and `options` hold the whole name, the given name from `begin` on.
void applyNameWords(const SoundTables& tables, std::span<const char32_t> chars,
                    std::span<std::span<const Reading>> options, std::size_t begin) {
    for (std::size_t i = begin; i + 1 < chars.size() && i + 1 < options.size(); ++i) {
        if (tables.nameWordReadings(chars[i], chars[i + 1], options[i], options[i + 1])) {
            ++i;
        }
    }
}

// Whether two adjacent syllables are hard to say one after the other; fills the clash if so.
bool clashes(const SoundTables& tables, Reading r1, Reading r2, Clash& clash) {
    const std::string_view l1 = tables.letters(r1.syllable);
    const std::string_view l2 = tables.letters(r2.syllable);
    const std::string_view initial = spokenInitial(l1);
    if (initial.empty() || initial != spokenInitial(l2)) {
        return false;
    }
    clash.initial = initial;
    if (const std::string final = spokenFinal(l1); final == spokenFinal(l2)) {
        clash.final = final;
        return true;
    }
    if (r1.tone == r2.tone) {
        clash.tone = r1.tone;
        return true;
    }
    return false;
}

ToneJudgement judgeTones(const std::vector<std::optional<Reading>>& readings) {
    if (readings.empty() ||
        std::any_of(readings.begin(), readings.end(), [](const auto& r) { return !r; })) {
        return ToneJudgement::Unknown;
    }
    const std::size_t n = readings.size();
    if (std::all_of(readings.begin(), readings.end(),
                    [&](const auto& r) { return r->tone == readings[0]->tone; })) {
        return ToneJudgement::Flat;
    }
    if (n >= 3 && !isLevelTone(readings[n - 1]->tone) && !isLevelTone(readings[n - 2]->tone) &&
        !isLevelTone(readings[n - 3]->tone)) {
        return ToneJudgement::FallingEnd;
    }
    for (std::size_t i = 0; i + 1 < n; ++i) {
        if (isLevelTone(readings[i]->tone) == isLevelTone(readings[i + 1]->tone)) {
            return ToneJudgement::Acceptable;
        }
    }
    return ToneJudgement::Alternating;
}

std::string character(char32_t ch) {
    std::string out;
    appendUtf8(out, ch);
    return out;
}

std::string quoted(std::u32string_view text) {
    return "“" + u32ToUtf8(text) + "”";
}

}  // namespace

SoundAnalysis analyzeSound(const SoundTables& tables, std::string_view surname,
                           std::string_view givenName) {
    SoundAnalysis a;
    const std::u32string s = utf8ToU32(surname);
    a.name = s + utf8ToU32(givenName);
    a.surnameLength = s.size();

    std::vector<std::span<const Reading>> options = tables.surnameReadings(s);
    for (std::size_t i = s.size(); i < a.name.size(); ++i) {
        options.push_back(tables.readings(a.name[i]));
    }
    applyNameWords(tables, a.name, options, s.size());
    for (const auto& o : options) {
        a.readings.push_back(o.empty() ? std::nullopt : std::optional<Reading>(o[0]));
    }
    a.judgement = judgeTones(a.readings);

    for (std::size_t i = 0; i + 1 < a.readings.size(); ++i) {
        if (!a.readings[i] || !a.readings[i + 1]) {
            continue;
        }
        // a given name that repeats a character (娜娜) is said so on purpose
        if (i >= a.surnameLength && a.name[i] == a.name[i + 1]) {
            continue;
        }
        Clash clash{i, {}, {}, 0};
        if (clashes(tables, *a.readings[i], *a.readings[i + 1], clash)) {
            a.clashes.push_back(std::move(clash));
        }
    }

    forEachHomophone(tables, options, a.surnameLength,
                     [&](std::size_t start, std::size_t length, std::uint32_t w, HomophoneKind k) {
                         const bool seen = std::any_of(
                             a.homophones.begin(), a.homophones.end(), [&](const Homophone& h) {
                                 return h.start == start && h.length == length && h.word == w;
                             });
                         if (!seen) {
                             a.homophones.push_back({start, length, w, k});
                         }
                         return false;
                     });

    a.famous = tables.isFamous(std::string(surname) + std::string(givenName));
    for (char32_t ch : a.name) {
        if (tables.standardLevel(ch) == 0 && a.outsideStandard.find(ch) == std::u32string::npos) {
            a.outsideStandard.push_back(ch);
        }
        if (!tables.inGb2312(ch) && a.outsideGb2312.find(ch) == std::u32string::npos) {
            a.outsideGb2312.push_back(ch);
        }
    }
    return a;
}

std::vector<std::string> soundLines(const SoundTables& tables, const SoundAnalysis& a,
                                    ZhuyinOrder order) {
    std::string pinyin = "拼音：";
    std::string zhuyin = "注音：";
    std::string toneNames;
    std::string pattern;
    for (std::size_t i = 0; i < a.name.size(); ++i) {
        if (i > 0) {
            pinyin += ' ';
            zhuyin += ' ';
            toneNames += ' ';
        }
        const auto& r = a.readings[i];
        const std::string_view bopomofo = r ? tables.zhuyin(r->syllable) : std::string_view();
        if (r) {
            pinyin += toneMarked(tables.letters(r->syllable), r->tone);
            toneNames += toneName(r->tone);
            pattern += isLevelTone(r->tone) ? "平" : "仄";
        } else {
            pinyin += character(a.name[i]) + "（读音不明）";
            toneNames += "不明";
            pattern += "？";
        }
        zhuyin += bopomofo.empty() ? character(a.name[i]) + "（读音不明）"
                                   : zhuyinWithTone(bopomofo, r->tone);
    }

    std::string tones = "声调：" + toneNames + "（" + pattern + "），";
    switch (a.judgement) {
        case ToneJudgement::Flat:
            tones += "声调相同，读来平板";
            break;
        case ToneJudgement::FallingEnd:
            tones += "末尾三字皆为仄声，读来沉闷拗口";
            break;
        case ToneJudgement::Alternating:
            tones += "平仄相间，读来抑扬顿挫";
            break;
        case ToneJudgement::Acceptable:
            tones += "平仄尚可";
            break;
        case ToneJudgement::Unknown:
            tones += "有字读音不明，无法判断";
            break;
    }

    std::string clashes = "声韵：";
    if (a.clashes.empty()) {
        clashes += "相邻两字连读顺口";
    }
    for (std::size_t i = 0; i < a.clashes.size(); ++i) {
        const Clash& c = a.clashes[i];
        if (i > 0) {
            clashes += "；";
        }
        clashes += quoted(std::u32string_view(a.name).substr(c.first, 2)) + "声母同为" + c.initial;
        if (!c.final.empty()) {
            clashes += "、韵母同为" + toneMarked(c.final, 5);
        } else {
            clashes += "、声调同为" + std::string(toneName(c.tone));
        }
    }
    if (!a.clashes.empty()) {
        clashes += "，连读拗口";
    }

    std::string homophones = "谐音：";
    if (a.homophones.empty()) {
        homophones += "无";
    }
    for (std::size_t i = 0; i < a.homophones.size(); ++i) {
        const Homophone& h = a.homophones[i];
        if (i > 0) {
            homophones += "；";
        }
        const std::u32string_view span = std::u32string_view(a.name).substr(h.start, h.length);
        const std::string& word = tables.badWords()[h.word].word;
        if (u32ToUtf8(span) == word) {
            // the name holds the word itself
            homophones += "名中含“" + word + "”一词";
            continue;
        }
        homophones += quoted(span) + "与“" + word + "”";
        switch (h.kind) {
            case HomophoneKind::Exact:
                homophones += "同音";
                break;
            case HomophoneKind::Toneless:
                homophones += "音近";
                break;
            case HomophoneKind::OtherReading:
                homophones += "另读音近";
                break;
        }
    }

    std::string usage = "用字：";
    if (a.outsideStandard.empty()) {
        usage += "均为通用规范汉字";
    }
    for (std::size_t i = 0; i < a.outsideStandard.size(); ++i) {
        usage += (i > 0 ? "、" : "") + character(a.outsideStandard[i]);
    }
    if (!a.outsideStandard.empty()) {
        usage += "不在通用规范汉字表内，户籍、银行、票务系统可能无法录入";
    }
    if (!a.outsideGb2312.empty()) {
        usage += "；";
        for (std::size_t i = 0; i < a.outsideGb2312.size(); ++i) {
            usage += (i > 0 ? "、" : "") + character(a.outsideGb2312[i]);
        }
        usage += "不在GB 2312内，部分旧系统无法显示";
    }
    std::vector<std::string> out =
        order == ZhuyinOrder::AfterPinyin
            ? std::vector<std::string>{pinyin, zhuyin, tones, clashes, homophones, usage}
            : std::vector<std::string>{zhuyin, pinyin, tones, clashes, homophones, usage};
    if (a.famous) {
        out.push_back("与名人同名：" + u32ToUtf8(a.name));
    }
    return out;
}

void appendSoundSection(const SoundTables& tables, std::string_view surname,
                        std::string_view givenName, std::string& report, ZhuyinOrder order) {
    const std::string rule(17, '-');
    Adds(rule + "音形分析" + rule, report);
    for (const std::string& line :
         soundLines(tables, analyzeSound(tables, surname, givenName), order)) {
        Adds(line, report);
    }
}

namespace {

// A byte of a given name's length and last two bytes, for the quick test of famous names.
std::uint8_t famousKey(std::string_view given) {
    const std::size_t n = given.size();
    const auto last = static_cast<unsigned char>(n > 0 ? given[n - 1] : 0);
    const auto before = static_cast<unsigned char>(n > 1 ? given[n - 2] : 0);
    return static_cast<std::uint8_t>(n * 31U + last * 7U + before);
}

}  // namespace

SoundFilter::SoundFilter(const SoundTables& tables, std::string_view surname, bool cleanSound,
                         bool standardOnly)
    : tables_(tables),
      surname_(tables.surnameReadings(utf8ToU32(surname))),
      cleanSound_(cleanSound),
      standardOnly_(standardOnly) {
    if (surname_.size() > kMaxPositions - 2) {
        surname_.resize(kMaxPositions - 2);
    }
    if (cleanSound_ && !surname.empty()) {
        for (const std::string& full : tables.famousNames()) {
            if (full.size() > surname.size() && full.starts_with(surname)) {
                const std::string_view given = std::string_view(full).substr(surname.size());
                famousGiven_.insert(given);
                const std::uint8_t k = famousKey(given);
                famousKeys_[k / 64] |= std::uint64_t{1} << (k % 64);
            }
        }
    }
}

bool SoundFilter::accepts(std::string_view givenName) const {
    std::array<std::span<const Reading>, kMaxPositions> options;
    std::array<char32_t, kMaxPositions> chars{};
    std::copy(surname_.begin(), surname_.end(), options.begin());
    std::size_t n = surname_.size();
    std::size_t pos = 0;
    while (pos < givenName.size()) {
        const char32_t ch = nextCodePoint(givenName, pos);
        if (standardOnly_ && tables_.standardLevel(ch) == 0) {
            return false;
        }
        if (n < kMaxPositions) {
            chars[n] = ch;
            options[n++] = tables_.readings(ch);
        }
    }
    if (!cleanSound_) {
        return true;
    }
    if (const std::uint8_t k = famousKey(givenName);
        ((famousKeys_[k / 64] >> (k % 64)) & 1U) != 0 && famousGiven_.contains(givenName)) {
        return false;
    }
    applyNameWords(tables_, std::span(chars.data(), n), std::span(options.data(), n),
                   surname_.size());
    return !forEachHomophone(
        tables_, std::span(options.data(), n), surname_.size(),
        [](std::size_t, std::size_t, std::uint32_t, HomophoneKind) { return true; });
}

}  // namespace norlune
