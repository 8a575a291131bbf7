#include "search/name_search.h"

#include <algorithm>
#include <cmath>

#include "engine/utf8.h"
#include "textio/text_reader.h"

namespace norlune {
namespace {

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

// The first and the last character of a non-empty UTF-8 text, as byte ranges.
std::string_view firstCharacter(std::string_view text) {
    std::size_t pos = 0;
    nextCodePoint(text, pos);
    return text.substr(0, pos);
}

std::string_view lastCharacter(std::string_view text) {
    std::size_t start = text.size();
    do {
        --start;
    } while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80);
    return text.substr(start);
}

// A candidate line holds a name when, trimmed, it is one or two Chinese characters: the rule of the
// command line's name arguments.
bool isGivenName(std::string_view trimmed) {
    const std::size_t length = codePointCount(trimmed);
    return length >= 1 && length <= 2 && isHanText(trimmed);
}

}  // namespace

void NameSearch::setListNum(int listNum) {
    listNum_ = std::clamp(listNum, 1, BestNameTable::kMaxSlots);
}

void NameSearch::setVarietyLimit(int limit) {
    varietyLimit_ = std::clamp(limit, 0, BestNameTable::kMaxVariety);
}

void NameSearch::Restart() {
    state_.bCancle = false;
    state_.bShowInfo = false;
    state_.TestNum = 0;
    state_.ModKong = 1;
    state_.bFamale = false;
    best_.clear(varietyLimit_);
}

std::string NameSearch::countText(long long count) {
    return "已测算:" + std::to_string(count) + "个";
}

bool NameSearch::checkCandidate(std::string_view& name) const {
    name = trimBlanks(name);
    if (name.empty()) {
        return false;
    }
    if (state_.MingZhishu == 1 || state_.MingZhishu == 2) {
        if (codePointCount(name) != static_cast<std::size_t>(state_.MingZhishu)) {
            return false;
        }
    }
    bool designated = true;
    switch (state_.KeywordOption) {
        case 1:
            designated = name.find(state_.KeyWords) != std::string_view::npos ||
                         name.find(state_.KeyWords2) != std::string_view::npos;
            break;
        case 2:
            designated = firstCharacter(name) == state_.KeyWords;
            break;
        case 3:
            designated = lastCharacter(name) == state_.KeyWords2;
            break;
        default:
            break;
    }
    return designated && (!soundFilter_ || soundFilter_->accepts(name));
}

bool NameSearch::CheckName(std::string& name) const {
    std::string_view view = name;
    const bool accepted = !hasControlCharacters(name) && checkCandidate(view) && isGivenName(view);
    name = std::string(view);
    return accepted;
}

NameSearch::StartResult NameSearch::start(const SearchSettings& settings,
                                          const std::string& candidateDirectory,
                                          const std::optional<std::string>& candidatePath) {
    return startWith(settings, [&](StartResult& result) {
        const std::string path =
            candidatePath ? *candidatePath : candidateFilePath(candidateDirectory, settings.female);
        return CandidateFile::open(path, result.message, result.warning);
    });
}

NameSearch::StartResult NameSearch::startOnBytes(const SearchSettings& settings,
                                                 std::string candidateBytes) {
    return startWith(settings, [&](StartResult& result) {
        std::optional<CandidateFile> file = CandidateFile::fromBytes(std::move(candidateBytes));
        if (!file) {
            result.message = "候选名字文件是空的，没有标题行";
        }
        return file;
    });
}

NameSearch::StartResult NameSearch::startWith(
    const SearchSettings& settings,
    const std::function<std::optional<CandidateFile>(StartResult&)>& openFile) {
    StartResult result;
    if (running()) {
        result.kind = StartResult::Kind::Refused;
        return result;
    }
    Restart();
    state_.Gxing = settings.surname;
    state_.sNeedWx = state_.Gxiyong;
    if (settings.female) {
        state_.bFamale = true;
    }
    state_.KeyWords = settings.left;
    state_.KeyWords2 = settings.right;
    state_.KeywordOption = 0;
    const bool hasLeft = !settings.left.empty();
    const bool hasRight = !settings.right.empty();
    int designated = 0;
    if (!settings.either) {
        if (hasLeft && hasRight) {
            designated = 2;
        } else if (hasLeft) {
            state_.KeywordOption = 2;
            designated = 1;
        } else if (hasRight) {
            state_.KeywordOption = 3;
            designated = 1;
        }
    } else if (hasLeft || hasRight) {
        state_.KeywordOption = 1;
        designated = 1;
        if (!hasRight) {
            state_.KeyWords2 = state_.KeyWords;
        } else if (!hasLeft) {
            state_.KeyWords = state_.KeyWords2;
        }
    }

    if (designated == 2 || (designated >= 1 && settings.nameLength == 1)) {
        const std::string given = settings.left + settings.right;
        state_.bShowInfo = true;
        const NameAnalysis analysis = engine_.AnalyzeName(
            state_.Gxing, given,
            {state_.bFamale, state_.bShenChen, state_.sNeedWx, state_.bShowInfo});
        state_.Fbadn = analysis.Fbadn;
        result.kind = StartResult::Kind::Direct;
        result.fullName = state_.Gxing + given;
        result.report = analysis.report;
        result.score = analysis.score;
        return result;
    }

    state_.MingZhishu = std::clamp(settings.nameLength, 0, 2);
    soundFilter_.reset();
    if (sound_ != nullptr && (settings.cleanSound || settings.standardChars)) {
        soundFilter_.emplace(*sound_, state_.Gxing, settings.cleanSound, settings.standardChars);
    }
    avoidFilter_.reset();
    if (!settings.avoid.empty()) {
        avoidFilter_.emplace(settings.avoid, sound_, settings.avoidSound);
    }
    file_ = openFile(result);
    if (!file_) {
        result.kind = StartResult::Kind::Failed;
        return result;
    }
    linesRead_ = 0;
    namesRead_ = 0;
    lastProgress_ = 0;
    skipped_ = 0;
    avoided_ = 0;
    notNames_ = 0;
    uncounted_ = 0;
    endNotes_.clear();
    // A header of 0 or no number cannot measure progress; the real number of candidate lines,
    // counted in a first pass over the file, stands in for it then.
    total_ = file_->header() > 0 ? file_->header() : static_cast<double>(file_->countCandidates());
    result.kind = StartResult::Kind::Searching;
    return result;
}

NameSearch::Step NameSearch::step() {
    Step s;
    if (!file_ || file_->atEnd()) {
        s.endOfFile = true;
        endNotes_ = notesOnTheFile();
        s.message = kSearchCompleteMessage + endNotes_;
        return s;
    }
    file_->next(candidate_);
    std::string_view candidate = candidate_;
    ++linesRead_;
    if (total_ > 0) {
        // The header may be smaller than the real number of lines: the bar stops at its end.
        const int progress = static_cast<int>(std::min<double>(
            1000.0, std::floor(static_cast<double>(linesRead_) * 1000.0 / total_)));
        if (progress != lastProgress_) {
            s.progress = progress;
            lastProgress_ = progress;
        }
    }
    // Control characters (escape sequences, tabs, NUL) must never reach a label or the output.
    const bool unsafe = file_->lastLineTooLong() || hasControlCharacters(candidate);
    if (unsafe) {
        ++skipped_;
    }
    // Lines that are no name (words, letters, signs, undecodable bytes) are never scored.
    const std::string_view trimmed = trimBlanks(candidate);
    const bool notName = !unsafe && !trimmed.empty() && !isGivenName(trimmed);
    if (notName) {
        ++notNames_;
    }
    // A name with a character the dictionary cannot count would be judged on a wrong grid.
    const bool uncounted = !unsafe && !notName && !engine_.tables().strokes.countsAll(trimmed);
    if (uncounted) {
        ++uncounted_;
    }
    bool accepted = !unsafe && !notName && !uncounted && checkCandidate(candidate);
    if (accepted && avoidFilter_ && !avoidFilter_->accepts(candidate)) {
        accepted = false;
        ++avoided_;
    }
    if (unsafe || !candidate.empty()) {
        ++namesRead_;
    }
    if (accepted) {
        const AnalyzeOptions options{state_.bFamale, state_.bShenChen, state_.sNeedWx, false};
        const Score score = engine_.scoreName(state_.Gxing, candidate, options);
        fullName_.assign(state_.Gxing);
        fullName_.append(candidate);
        s.label1 = fullName_;
        state_.ModKong = 1;
        // The variety limit counts the first and the last character of the given name; the
        // one-character names share one last group.
        std::size_t pos = 0;
        const char32_t first = nextCodePoint(candidate, pos);
        char32_t last = BestNameTable::kOneCharacterGroup;
        while (pos < candidate.size()) {
            last = nextCodePoint(candidate, pos);
        }
        best_.keep(fullName_, score, listNum_, first, last);
    } else {
        state_.ModKong = kModKongRejected;
    }
    ++state_.TestNum;
    if (state_.TestNum % state_.ModKong == 0) {
        s.label5 = countText(state_.TestNum);
    }
    return s;
}

std::string NameSearch::notesOnTheFile() const {
    std::string text;
    if (avoidFilter_) {
        text += "（已避开 " + std::to_string(avoided_) + " 个含避讳用字的名字）";
    }
    if (skipped_ > 0) {
        text += "（已跳过 " + std::to_string(skipped_) + " 行含控制字符或过长的候选名字）";
    }
    if (notNames_ > 0) {
        text += "（已跳过 " + std::to_string(notNames_) + " 行：不是一到两个汉字）";
    }
    if (uncounted_ > 0) {
        text += "（已跳过 " + std::to_string(uncounted_) + " 行：含无法计算笔画的字）";
    }
    if (file_) {
        const TextLineReader& reader = file_->reader();
        if (reader.invalidBytes() > reader.invalidBytesInSample()) {
            text += "（候选名字文件后部有无法识别的字符，已用替换符代替）";
        }
        if (reader.readError() != 0) {
            text += "（读取候选名字文件时出错，未能读到文件末尾：" +
                    fileErrorReason(reader.readError(), false) + "）";
        }
    }
    return text;
}

std::vector<std::string> NameSearch::finish() {
    file_.reset();
    return best_.names(listNum_);
}

}  // namespace norlune
