#include "search/data_folder.h"

#include <filesystem>
#include <system_error>

#include "build_info.h"

namespace norlune {

std::vector<std::string> candidateFolderChoices(const std::string& programFolder) {
    namespace fs = std::filesystem;
    const fs::path relative = fs::path(programFolder) / build::kDataFolderFromPrograms;
    return {programFolder, relative.lexically_normal().string(), build::kInstalledDataFolder};
}

std::string firstFolderWithCandidates(const std::vector<std::string>& folders) {
    namespace fs = std::filesystem;
    for (const std::string& folder : folders) {
        std::error_code ec;
        if (fs::is_regular_file(fs::path(folder) / "M.dat", ec) ||
            fs::is_regular_file(fs::path(folder) / "F.dat", ec)) {
            return folder;
        }
    }
    return folders.empty() ? std::string() : folders.front();
}

std::string candidateFolder(const std::string& programFolder) {
    return firstFolderWithCandidates(candidateFolderChoices(programFolder));
}

}  // namespace norlune
