// The converting stream of the command line's traditional interface.
#include "cli/script_output.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace norlune::cli {
namespace {

const ScriptConverter& converter() {
    return ScriptConverter::builtIn();
}

TEST(ConvertingBuffer, ALineWrittenInPiecesConvertsAsAWhole) {
    const std::string line = "天干地支，地支藏干，毛发\n";
    for (std::size_t piece : {1U, 2U, 3U, 5U, 64U}) {
        std::ostringstream target;
        std::vector<std::string> kept;
        {
            ConvertingBuffer buffer(target, converter(), kept);
            std::ostream out(&buffer);
            const std::string text = line.substr(0, line.size() - 1);
            for (std::size_t i = 0; i < text.size(); i += piece) {
                out << text.substr(i, piece);  // may cut a character in two
            }
            // Nothing reaches the target before the line ends.
            EXPECT_EQ(target.str(), "") << piece;
            out << '\n';
        }
        EXPECT_EQ(target.str(), "天干地支，地支藏干，毛髮\n") << piece;
    }
}

TEST(ConvertingBuffer, ProgressLinesAndFlushesGoOutAtOnce) {
    std::ostringstream target;
    std::vector<std::string> kept;
    ConvertingBuffer buffer(target, converter(), kept);
    std::ostream out(&buffer);
    out << "\r进度 50.0%  ";
    EXPECT_EQ(target.str(), "\r");
    out << std::flush;
    EXPECT_EQ(target.str(), "\r進度 50.0%  ");
    out << "已测算";
    out.flush();
    EXPECT_EQ(target.str(), "\r進度 50.0%  已測算");
}

TEST(ConvertingBuffer, KeptStringsAndTextsWrittenAsGivenKeepTheirPlace) {
    std::ostringstream target;
    std::vector<std::string> kept;
    {
        ConvertingBuffer buffer(target, converter(), kept);
        std::ostream out(&buffer);
        out << "发展：";
        const std::string_view name[] = {"发"};
        buffer.writeKeeping("发与发展", name);
        kept.push_back("晓东");  // registered after the buffer was made
        out << "，晓东的发展\n";
    }
    EXPECT_EQ(target.str(), "發展：发與发展，晓东的發展\n");
}

TEST(ConvertingBuffer, AFailingTargetFailsTheStream) {
    std::ostringstream target;
    target.setstate(std::ios::badbit);
    std::vector<std::string> kept;
    ConvertingBuffer buffer(target, converter(), kept);
    std::ostream out(&buffer);
    out << "发展\n" << std::flush;
    EXPECT_FALSE(out);
}

}  // namespace
}  // namespace norlune::cli
