#pragma once
// The short block at the top of a name report in the window: what a parent wants to know first,
// before the long texts. Qt-free.
#include <optional>
#include <string>
#include <vector>

#include "engine/score.h"
#include "sound/sound_analysis.h"

namespace norlune::ui {

struct ReportSummary {
    Score score;
    // Whether the given name meets the favourable elements: only while the BaZi option is on and a
    // birth moment gave favourable elements.
    std::optional<bool> meetsFavourable;
    std::string favourable;  // the favourable elements, 金木水火土 as the BaZi report gives them
    bool favourableByHand = false;  // chosen by hand rather than computed from the BaZi
    std::string givenElements;      // the element of each given-name character, "-" for none
    std::string sound;              // the sound verdict in one line (soundVerdict)
    // Where the name comes from (a classical line with its work); the line is left out while empty.
    std::string source;
};

// The sound judgement of a name in one line: tones, clashes of initials or finals, homophones.
std::string soundVerdict(const SoundAnalysis& analysis);

// The lines of the block: a caption line, then 得分, 八字 (when judged), 音律 and 出处 (when
// known).
std::vector<std::string> summaryLines(const ReportSummary& summary);

// The block as the report box shows it: the lines, each ended by CR LF, then one empty line.
std::string summaryText(const ReportSummary& summary);

}  // namespace norlune::ui
