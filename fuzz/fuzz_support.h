#pragma once
// Small helpers shared by the fuzz targets.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace norlune::fuzz {

// Stops the run with a message: libFuzzer records the input that got here as a finding.
[[noreturn]] inline void fail(const char* what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

inline void check(bool condition, const char* what) {
    if (!condition) {
        fail(what);
    }
}

// A private folder for the files of one fuzz process, made on first use and removed at exit. It
// lies in memory (/dev/shm) unless TMPDIR says otherwise: the file writers sync to disk, which
// would slow a run down to a few dozen executions a second.
inline const std::string& scratchDirectory() {
    static const std::string dir = [] {
        const char* base = std::getenv("TMPDIR");
        std::string root = base != nullptr && *base != '\0' ? base : "";
        if (root.empty()) {
            root = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        }
        std::string pattern = root + "/norlune-fuzz-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) {
            fail("cannot make a scratch folder");
        }
        return pattern;
    }();
    static const bool cleanUp = std::atexit([] {
                                    std::error_code ignored;
                                    std::filesystem::remove_all(dir, ignored);
                                }) == 0;
    (void)cleanUp;
    return dir;
}

// Writes the bytes to a file of the scratch folder and returns its path.
inline std::string writeScratchFile(const std::string& name, std::string_view bytes) {
    const std::string path = scratchDirectory() + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        fail("cannot write a scratch file");
    }
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        fail("cannot write a scratch file");
    }
    std::fclose(file);
    return path;
}

}  // namespace norlune::fuzz
