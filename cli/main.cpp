#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/fd_output.h"
#include "search/data_folder.h"

int main(int argc, char** argv) {
    // A reader that goes away (`norlune-cli … | head -1`) makes the write fail with EPIPE, which
    // run() reports, instead of killing the program without a word.
    std::signal(SIGPIPE, SIG_IGN);
    std::vector<std::string> args(argv + 1, argv + argc);
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        exe = std::filesystem::absolute(argv[0], ec);
    }
    norlune::cli::FdOutputBuffer outBuffer(STDOUT_FILENO);
    std::ostream out(&outBuffer);
    norlune::cli::Io io{out, std::cerr, isatty(STDERR_FILENO) != 0,
                        norlune::candidateFolder(exe.parent_path().string())};
    // The locale chooses the interface's script, as the C library reads it.
    io.script = norlune::scriptFromLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"),
                                          std::getenv("LANG"));
    return norlune::cli::run(args, io);
}
