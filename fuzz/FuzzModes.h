#pragma once
// A small mode from fuzz bytes: few letters, the marker and IDs drawn from
// a handful of values, so that clauses overlap, cover each other and chain.
#include "fuzz/FuzzSupport.h"
#include "mode/ModeTable.h"

namespace vel::fuzz {

inline std::string Letters(Bytes& in, size_t max) {
    std::string text = in.Text(max);
    for (char& c : text) c = "abA\r1 \xE9."[static_cast<unsigned char>(c) & 7];
    return text;
}

inline ModeTable FuzzMode(Bytes& in, std::string& text) {
    ModeTable table;
    table.SetCaseSensitive(in.Byte() & 1);
    const int clauses = in.Byte() % 24;
    for (int i = 0; i < clauses && !in.Empty(); ++i) {
        const uint8_t shape = in.Byte();
        const std::string ids = "\rxy";
        auto pick = [&](int bit, char value) { return std::string(shape & (1 << bit) ? 1 : 0, value); };
        table.AppendClause(Clause(Letters(in, 3), Letters(in, 2), pick(0, "\rab"[shape % 3]),
                                  pick(1, ids[(shape >> 4) % 3]), pick(2, ids[(shape >> 6) % 3])));
    }
    text = Letters(in, 64);
    return table;
}

}  // namespace vel::fuzz
