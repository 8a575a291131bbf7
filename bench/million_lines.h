#pragma once
// The candidate file that the search benchmarks run over: one million one- and two-character
// names made from the stroke dictionary's characters, as GBK (GB18030) with CR LF.
#include <cstddef>
#include <string>

#include "engine/name_engine.h"

namespace norlune::bench {

inline constexpr std::size_t kMillionLines = 1000000;

// The file's bytes: the header line, then kMillionLines names.
std::string millionLineCandidates(const NameTables& tables);

// Writes those bytes to `path` and returns it.
std::string writeMillionLineCandidates(const NameTables& tables, const std::string& path);

}  // namespace norlune::bench
