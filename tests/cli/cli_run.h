#pragma once
// Runs norlune-cli in-process and keeps what it wrote, for the command-line tests.
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "engine/utf8.h"

namespace norlune::cli::cli_test {

struct Result {
    int code;
    std::string out;
    std::string err;
};

// `exeDir` stands for the folder of the executable, where the candidate files are looked for.
inline Result runCliIn(const std::string& exeDir, const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    Io io{out, err, false, exeDir};
    const int code = run(args, io);
    return {code, out.str(), err.str()};
}

// What the name report prints after its numerology part: the sound section with the lines of
// `sound`, then the section of meanings and sources with the lines of `meaning`, or, when those
// know nothing of the name, one line that says so.
inline std::string reportTail(const std::string& surname, const std::string& given) {
    const std::string sound = runCliIn("", {"sound", surname, given}).out;
    const std::string meaning = runCliIn("", {"meaning", surname, given}).out;
    std::string unknown;
    for (char32_t ch : utf8ToU32(given)) {
        // One line per character of the given name ("字：暂无释义"), nothing else.
        appendUtf8(unknown, ch);
        unknown += "：暂无释义\n";
    }
    return "-----------------音形分析-----------------\n" + sound +
           "-----------------字义出处-----------------\n" +
           (meaning == unknown ? std::string("此名暂无字义与出处可查\n") : meaning);
}

}  // namespace norlune::cli::cli_test
