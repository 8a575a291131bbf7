#pragma once
// Where the programs find M.dat and F.dat: beside the executable first (a build, or a copy that
// carries its lists), then the installed data folder, found relative to the executable's folder
// and finally at the path the build was configured to install to.
#include <string>
#include <vector>

namespace norlune {

// The folders to look in, in order, for a program in `programFolder`.
std::vector<std::string> candidateFolderChoices(const std::string& programFolder);

// The first of `folders` that holds M.dat or F.dat; the first folder when none does, so that the
// message about the missing file names the place beside the program.
std::string firstFolderWithCandidates(const std::vector<std::string>& folders);

// Both steps: the folder the programs read M.dat and F.dat from.
std::string candidateFolder(const std::string& programFolder);

}  // namespace norlune
