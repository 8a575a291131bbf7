#include "bench/million_lines.h"

#include <fstream>

#include "engine/utf8.h"
#include "textio/text_encoding.h"

namespace norlune::bench {

std::string millionLineCandidates(const NameTables& tables) {
    std::u32string pool;
    for (int k = 2; k <= 20; ++k) {
        pool += tables.strokes.list(k);
    }
    std::string text = std::to_string(kMillionLines) + "\r\n";
    text.reserve(kMillionLines * 8);
    std::u32string name;
    for (std::size_t i = 0; i < kMillionLines; ++i) {
        name.assign(1, pool[(i * 7919) % pool.size()]);
        if (i % 4 != 0) {
            name += pool[(i * 104729 + 17) % pool.size()];
        }
        text += u32ToUtf8(name);
        text += "\r\n";
    }
    return encodeGb18030(text);
}

std::string writeMillionLineCandidates(const NameTables& tables, const std::string& path) {
    std::ofstream(path, std::ios::binary) << millionLineCandidates(tables);
    return path;
}

}  // namespace norlune::bench
