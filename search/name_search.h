#pragma once
// The search: the main window's state members, the start sequence, the filter, the loop as a run
// that advances one candidate per step, and the end of the run. The window owns one NameSearch,
// drives it and lets its event loop run once between two steps.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/name_engine.h"
#include "search/avoid_filter.h"
#include "search/best_names.h"
#include "search/candidate_file.h"
#include "sound/sound_analysis.h"

namespace norlune {

// The main window's state members that the search, the engine and the BaZi side share.
struct SearchState {
    bool bShowInfo = false;  // AnalyzeName writes the name report
    bool bCancle = false;    // stop request of the running search
    std::string Gxing;       // surname of the current name list
    int MingZhishu = 0;      // given-name length of the run: 0 any, 1, 2
    long long TestNum = 0;   // candidates read in the current run
    std::string KeyWords;    // left designated character of the run
    std::string KeyWords2;   // right designated character of the run
    int KeywordOption = 0;   // designated-character mode 0..3
    int ModKong = 1;         // refresh divisor of the count label: 1 or 1234
    bool bFamale = false;    // the run judges girls' names
    int Fbadn = 0;           // unfavourable grids of the name last analysed
    std::string sNeedWx;     // favourable elements copied from Gxiyong when a run starts
    bool bShenChen = false;  // the BaZi option is on
    std::string Gxiyong;     // favourable elements left by the BaZi computation
};

// The settings controls as they stand when the start command is given.
struct SearchSettings {
    std::string surname;  // Text1
    bool female = false;  // Option8 selected (else Option7)
    int nameLength = 0;   // Option6 0 (不限), Option5 1 (单字), Option4 2 (双字)
    std::string left;     // Text4
    std::string right;    // Text5
    bool either = false;  // Check1
    // The sound options of the 选项 menu; both off by default. They drop, in the filter step, the
    // candidates that sound like a bad word (避开不雅谐音) or hold a character outside the general
    // standard table (只用通用规范字).
    bool cleanSound = false;     // cleansound
    bool standardChars = false;  // standardchars
    // 避讳用字: candidates with one of these characters are skipped (empty: none); with
    // avoidSound also those with a character of the same syllable, tones aside.
    std::string avoid;
    bool avoidSound = false;
};

inline constexpr const char* kSearchCompleteMessage =
    "测算完成，请点击姓名列表中名字查看其详细理数！";

class NameSearch {
public:
    static constexpr int kModKongRejected = 1234;

    // The engine (and the sound tables, which the sound options need) must outlive the search.
    explicit NameSearch(const NameEngine& engine, const SoundTables* sound = nullptr)
        : engine_(engine), sound_(sound) {}

    SearchState& state() { return state_; }
    const SearchState& state() const { return state_; }

    // ListNum: names to keep and list, 100..10000; may change while a run is in progress.
    int ListNum() const { return listNum_; }
    void setListNum(int listNum);
    // How many names of one first character, and how many of one last character, of the given
    // name a run keeps (0: no limit, up to 10); read when a run starts.
    int varietyLimit() const { return varietyLimit_; }
    void setVarietyLimit(int limit);

    // Resets the run state and clears the table of best names.
    void Restart();

    // The filter; trims blanks around the name in place. Only one or two Chinese characters pass.
    bool CheckName(std::string& name) const;

    struct StartResult {
        enum class Kind {
            Direct,     // the designated characters fix the name: no file is read
            Searching,  // the run is in progress: call step() until it is done
            Failed,     // the candidate file could not be used; `message` says why
            Refused,    // a run is already in progress
        };
        Kind kind = Kind::Failed;
        std::string message;   // for Failed
        std::string warning;   // the candidate file had undecodable bytes (the run goes on)
        std::string fullName;  // for Direct: Gxing + given name (Label1 and the only list entry)
        std::string report;    // for Direct: the name report for Text2
        Score score;           // for Direct: the score of that name
    };
    // The start command: Restart, the settings into the state members, then the direct case or the
    // opening of the candidate file of the chosen sex in `candidateDirectory` (or `candidatePath`,
    // when given, whatever the sex).
    StartResult start(const SearchSettings& settings, const std::string& candidateDirectory,
                      const std::optional<std::string>& candidatePath = std::nullopt);
    // The same over candidate-file bytes held in memory instead of a file.
    StartResult startOnBytes(const SearchSettings& settings, std::string candidateBytes);

    bool running() const { return file_.has_value(); }

    // What one pass of the loop changed for the window.
    struct Step {
        bool endOfFile = false;             // nothing was read: show `message` and finish()
        std::string message;                // at the end of the file: the completion message
        std::optional<std::string> label1;  // the current full name (accepted candidates)
        std::optional<std::string> label5;  // the count text, by the ModKong rule
        std::optional<int> progress;        // 0..1000, only when it changed
    };
    // One pass: end-of-file test, read, progress, filter, judge and keep, count.
    Step step();
    // The stop command.
    void requestStop() { state_.bCancle = true; }
    // The end of the run (after end of file or a stop): closes the file and returns the list
    // entries, the kept full names of slots 1..ListNum in slot order.
    std::vector<std::string> finish();
    // The kept names of slots 1..ListNum with their unrounded scores, in slot order.
    std::vector<KeptName> kept() const { return best_.kept(listNum_); }

    const BestNameTable& bestNames() const { return best_; }

    // Candidate lines of the current or last run that held a name (not blank), accepted or not.
    long long namesRead() const { return namesRead_; }

    // The count label text: "已测算:" + count + "个".
    static std::string countText(long long count);
    // Candidate lines of the current or last run that held control characters or were longer
    // than any name: rejected by the filter and never shown.
    long long skippedLines() const { return skipped_; }
    // Candidate lines of the current or last run that were no name (not one or two Chinese
    // characters after trimming): skipped, never scored.
    long long notNameLines() const { return notNames_; }
    // Candidate lines of the current or last run that were names with a character the stroke
    // dictionary cannot count: skipped, never scored.
    long long uncountedLines() const { return uncounted_; }
    // What the completion message of the last run added to kSearchCompleteMessage: empty when
    // every line was clean and read.
    const std::string& endNotes() const { return endNotes_; }
    // Candidates of the current or last run left out for a character to avoid.
    long long avoidedNames() const { return avoided_; }

private:
    StartResult startWith(
        const SearchSettings& settings,
        const std::function<std::optional<CandidateFile>(StartResult&)>& openFile);
    // The filter on a view into the candidate text (trims the view).
    bool checkCandidate(std::string_view& name) const;
    // What the run skipped or could not decode or read, for the end of the completion message.
    std::string notesOnTheFile() const;

    const NameEngine& engine_;
    const SoundTables* sound_;
    std::optional<SoundFilter> soundFilter_;  // set up by start() when a sound option is on
    std::optional<AvoidFilter> avoidFilter_;  // set up by start() when characters are avoided
    SearchState state_;
    int listNum_ = 100;
    int varietyLimit_ = 0;
    BestNameTable best_;
    std::optional<CandidateFile> file_;
    long long linesRead_ = 0;
    long long namesRead_ = 0;
    double total_ = 0;
    int lastProgress_ = -1;
    std::string fullName_;   // reused for every candidate
    std::string candidate_;  // the line just read, reused for every candidate
    long long skipped_ = 0;
    long long avoided_ = 0;
    long long notNames_ = 0;
    long long uncounted_ = 0;
    std::string endNotes_;
};

}  // namespace norlune
