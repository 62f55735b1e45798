#pragma once
// Velloran's reading of a mode: how the clause table turns Roman text into
// Tengwar. The transcriber is a separate program whose matching we do not
// know; this is the plain reading that the table's columns, the Optimize
// order and the wizard's clauses imply, used by the preview and by the mode
// check alike.
//
// 1. While the mode is not case sensitive the input is lower-cased by the
//    Windows-1252 rules; clause fields are compared as stored.
// 2. At each position the clauses are tried in table order, rows without
//    Roman letters skipped. The first that applies is used: its Roman text
//    stands at the position, its If next roman holds for what follows that
//    text and its If previous ID holds for the step before.
// 3. The clause used writes its Tengwar, leaves its ID and the scan moves
//    past its Roman text.
// 4. Where none applies, the character is written as typed, the ID left is
//    empty and the scan moves one character on.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "mode/Clause.h"
#include "mode/ModeTable.h"

namespace vel {

// The condition rules, written once. A condition field that is exactly the
// marker byte 13 is the marker; any other value is literal text.
inline bool IsMarker(std::string_view condition) { return condition.size() == 1 && condition[0] == kNonAlphanumeric; }

// If next roman: empty always holds; the marker holds when the text after
// the clause's Roman text is empty or does not begin with a letter or digit;
// any other value holds when that text begins with it.
bool NextRomanHolds(std::string_view condition, std::string_view following);

// If previous ID: empty always holds; the marker holds when the character
// before the position is not a letter or digit, or there is none; any other
// value holds when the ID left by the step before equals it.
bool PreviousIdHolds(std::string_view condition, std::string_view idLeft, bool afterNonAlphanumeric);

// Whether the clause applies at pos of the (already case-folded) text.
bool ClauseApplies(const Clause& clause, std::string_view text, size_t pos, std::string_view idLeft,
                   bool afterNonAlphanumeric);

// The clauses of a table grouped by the first byte of their Roman text and
// by their If previous ID (none, or one group per one-byte value; longer
// values share groups by a hash), each group in table order, so that a step looks only at clauses that can apply there.
// Each entry carries the first bytes of the clause's Roman text and If previous ID, so most clauses are turned down
// without reading the table. Built once per change of the table; it keeps row numbers, so it goes with the table it was
// built from.
class ReadingIndex {
public:
    struct Entry {
        uint64_t roman8;        // the first up to 8 bytes, zero-padded, in memory order
        uint64_t previous8;     // the same of the If previous ID
        uint32_t row;           // 1-based table row
        uint16_t romanSize;     // capped; above 8 the clause itself is compared
        uint16_t previousSize;  // kMarkerSize for the marker
    };
    static constexpr uint16_t kMarkerSize = 0xFFFF;
    static constexpr int kNoPrevious = 256;

    ReadingIndex() = default;
    static ReadingIndex Build(const ModeTable& table);

    int ClauseCount() const { return clauseCount_; }

    // The group of an If previous ID (or of an ID left, which it must equal).
    static int PreviousKey(std::string_view previous);
    // The entries whose Roman text begins with romanFirst and whose If
    // previous ID has the group previousKey, in table order.
    const Entry* Begin(unsigned char romanFirst, int previousKey) const;
    const Entry* End(unsigned char romanFirst, int previousKey) const;

private:
    static constexpr size_t kKeys = 257;
    static size_t Bucket(unsigned char romanFirst, int previousKey) {
        return size_t(romanFirst) * kKeys + size_t(previousKey);
    }

    std::vector<uint32_t> start_;  // 256 * 257 + 1 offsets into entries_
    std::vector<Entry> entries_;
    int clauseCount_ = 0;
};

// One step of a transcription.
struct TraceStep {
    size_t start = 0;     // byte offset in the input
    size_t length = 0;    // input bytes read
    int row = 0;          // table row of the clause used; 0 when none applied
    std::string written;  // output bytes of this step
    std::string id;       // ID left for the next step
};

struct Transcription {
    std::string output;
    std::vector<TraceStep> steps;
};

// Transcribes text through table, using an index built from that same table
// (an index of another clause count is rebuilt here rather than trusted).
Transcription Transcribe(const ReadingIndex& index, const ModeTable& table, std::string_view text);
Transcription Transcribe(const ModeTable& table, std::string_view text);

}  // namespace vel
