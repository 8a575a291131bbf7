#pragma once
// Runs the registered benchmarks and then prints, for each pair of a plain and a fast
// implementation, how many times faster the fast one is (by items per second).
#include <string>
#include <utility>
#include <vector>

namespace norlune::bench {

// pairs: {plain benchmark name, fast benchmark name}. Returns the process exit code.
int runWithRatios(int argc, char** argv,
                  const std::vector<std::pair<std::string, std::string>>& pairs);

}  // namespace norlune::bench
