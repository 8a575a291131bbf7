#pragma once
// Runs norlune-cli in-process and keeps what it wrote, for the command-line tests.
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

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

}  // namespace norlune::cli::cli_test
