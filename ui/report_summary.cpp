#include "ui/report_summary.h"

namespace norlune::ui {

std::string soundVerdict(const SoundAnalysis& analysis) {
    std::string text;
    switch (analysis.judgement) {
        case ToneJudgement::Alternating:
            text = "平仄相间，抑扬顿挫";
            break;
        case ToneJudgement::Acceptable:
            text = "声调尚可";
            break;
        case ToneJudgement::Flat:
            text = "各字同调，读来平板";
            break;
        case ToneJudgement::FallingEnd:
            text = "末尾连用仄声，拗口";
            break;
        case ToneJudgement::Unknown:
            text = "有字查不到读音，未判声调";
            break;
    }
    text += analysis.clashes.empty() ? "；无同声同韵相连" : "；有同声或同韵相连";
    text += analysis.homophones.empty() ? "；无不雅谐音" : "；有不雅谐音（见音形分析）";
    return text;
}

std::vector<std::string> summaryLines(const ReportSummary& summary) {
    const std::string rule(17, '-');
    std::vector<std::string> lines = {rule + "概要" + rule, "得分：" + summary.score.toString()};
    if (summary.meetsFavourable) {
        std::string line = "八字：名字五行为" + summary.givenElements;
        const std::string elements =
            summary.favourable + (summary.favourableByHand ? "，自行指定" : "");
        line += *summary.meetsFavourable ? "，合喜用五行（" + elements + "）"
                                         : "，不合喜用五行（" + elements + "），已减30分";
        lines.push_back(line);
    }
    lines.push_back("音律：" + summary.sound);
    if (!summary.source.empty()) {
        lines.push_back("出处：" + summary.source);
    }
    return lines;
}

std::string summaryText(const ReportSummary& summary) {
    std::string text;
    for (const std::string& line : summaryLines(summary)) {
        text += line + "\r\n";
    }
    return text + "\r\n";
}

}  // namespace norlune::ui
