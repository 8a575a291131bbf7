#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        exe = std::filesystem::absolute(argv[0], ec);
    }
    norlune::cli::Io io{std::cout, std::cerr, isatty(STDERR_FILENO) != 0,
                        exe.parent_path().string()};
    return norlune::cli::run(args, io);
}
