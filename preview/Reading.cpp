#include "preview/Reading.h"

#include <algorithm>
#include <cstring>

#include "mode/Cp1252.h"

namespace vel {

bool NextRomanHolds(std::string_view condition, std::string_view following) {
    if (condition.empty()) return true;
    if (IsMarker(condition)) return following.empty() || !IsCp1252Alnum(static_cast<unsigned char>(following[0]));
    return following.substr(0, condition.size()) == condition;
}

bool PreviousIdHolds(std::string_view condition, std::string_view idLeft, bool afterNonAlphanumeric) {
    if (condition.empty()) return true;
    if (IsMarker(condition)) return afterNonAlphanumeric;
    return idLeft == condition;
}

bool ClauseApplies(const Clause& clause, std::string_view text, size_t pos, std::string_view idLeft,
                   bool afterNonAlphanumeric) {
    const std::string_view roman = clause.Roman();
    if (roman.empty() || text.size() - pos < roman.size() || text.compare(pos, roman.size(), roman) != 0) return false;
    return NextRomanHolds(clause.IfNextRoman(), text.substr(pos + roman.size())) &&
           PreviousIdHolds(clause.IfPreviousID(), idLeft, afterNonAlphanumeric);
}

namespace {

// The first up to 8 bytes of a text as one word, zero-padded, in memory
// order, so that a word loaded from the text compares with it directly.
uint64_t Word8(std::string_view text) {
    unsigned char bytes[8] = {};
    if (!text.empty()) std::memcpy(bytes, text.data(), std::min<size_t>(text.size(), 8));
    uint64_t w;
    std::memcpy(&w, bytes, 8);
    return w;
}

// Sizes are kept in 16 bits; a longer one is kept as kLongest and the clause
// itself decides.
constexpr uint16_t kLongest = ReadingIndex::kMarkerSize - 1;
uint16_t Capped(size_t n) { return uint16_t(std::min<size_t>(n, kLongest)); }

}  // namespace

ReadingIndex ReadingIndex::Build(const ModeTable& table) {
    // A counting sort: one pass counts each bucket, a second drops the rows
    // in, so each bucket keeps table order.
    ReadingIndex index;
    index.clauseCount_ = table.ClauseCount();
    index.start_.assign(256 * kKeys + 1, 0);
    const std::vector<Clause>& rows = table.Clauses();
    for (const Clause& c : rows)
        if (!c.Roman().empty())
            ++index.start_[Bucket(static_cast<unsigned char>(c.Roman()[0]), PreviousKey(c.IfPreviousID())) + 1];
    for (size_t b = 1; b < index.start_.size(); ++b) index.start_[b] += index.start_[b - 1];
    index.entries_.resize(index.start_.back());
    std::vector<uint32_t> fill(index.start_.begin(), index.start_.end() - 1);
    for (size_t i = 0; i < rows.size(); ++i) {
        const Clause& c = rows[i];
        if (c.Roman().empty()) continue;
        const std::string_view prev = c.IfPreviousID();
        Entry& e =
            index.entries_[fill[Bucket(static_cast<unsigned char>(c.Roman()[0]), PreviousKey(c.IfPreviousID()))]++];
        e.roman8 = Word8(c.Roman());
        e.previous8 = Word8(prev);
        e.row = uint32_t(i + 1);
        e.romanSize = Capped(c.Roman().size());
        e.previousSize = IsMarker(prev) ? kMarkerSize : Capped(prev.size());
    }
    return index;
}

int ReadingIndex::PreviousKey(std::string_view previous) {
    if (previous.empty()) return kNoPrevious;
    if (previous.size() == 1) return static_cast<unsigned char>(previous[0]);
    uint32_t h = 0;
    for (char c : previous) h = h * 131 + static_cast<unsigned char>(c);
    return int((h ^ (h >> 8) ^ (h >> 16)) & 0xFF);
}

const ReadingIndex::Entry* ReadingIndex::Begin(unsigned char romanFirst, int previousKey) const {
    if (start_.empty()) return nullptr;
    return entries_.data() + start_[Bucket(romanFirst, previousKey)];
}

const ReadingIndex::Entry* ReadingIndex::End(unsigned char romanFirst, int previousKey) const {
    if (start_.empty()) return nullptr;
    return entries_.data() + start_[Bucket(romanFirst, previousKey) + 1];
}

Transcription Transcribe(const ReadingIndex& index, const ModeTable& table, std::string_view text) {
    if (index.ClauseCount() != table.ClauseCount()) return Transcribe(ReadingIndex::Build(table), table, text);

    std::string folded = table.CaseSensitive() ? std::string(text) : LowerCp1252(text);
    folded.append(8, '\0');  // so a word can be loaded at any position
    const std::string_view input = std::string_view(folded).substr(0, text.size());
    // mask[n]: the word whose first n bytes are all ones.
    uint64_t mask[9];
    for (size_t n = 0; n <= 8; ++n) mask[n] = Word8(std::string_view("\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF", n));
    Transcription result;
    result.output.reserve(text.size() * 2);
    result.steps.reserve(text.size());
    std::string idLeft;
    uint64_t id8 = 0;
    size_t pos = 0;
    while (pos < input.size()) {
        const auto first = static_cast<unsigned char>(input[pos]);
        const bool afterNonAlnum = pos == 0 || !IsCp1252Alnum(static_cast<unsigned char>(input[pos - 1]));
        const size_t remaining = input.size() - pos;
        uint64_t text8;
        std::memcpy(&text8, folded.data() + pos, 8);
        // Only three groups can hold a clause that applies here: no If
        // previous ID, the marker's (when it holds) and the ID left's. Each
        // is in row order, so each is read up to its first clause that
        // applies, or to the best row found so far.
        uint32_t best = UINT32_MAX;
        auto scan = [&](int key) {
            const ReadingIndex::Entry* end = index.End(first, key);
            for (const ReadingIndex::Entry* e = index.Begin(first, key); e != end && e->row < best; ++e) {
                // Turned down on what the entry holds; the clause is read
                // only for what is left: longer texts and If next roman.
                if (e->romanSize > remaining || (text8 & mask[std::min<size_t>(e->romanSize, 8)]) != e->roman8)
                    continue;
                if (e->previousSize == ReadingIndex::kMarkerSize) {
                    if (!afterNonAlnum) continue;
                } else if (e->previousSize != 0 &&
                           (e->previous8 != id8 || (e->previousSize != idLeft.size() && e->previousSize < kLongest))) {
                    continue;
                }
                if (ClauseApplies(table.ClauseAt(int(e->row)), input, pos, idLeft, afterNonAlnum)) {
                    best = e->row;
                    return;
                }
            }
        };
        const int markerKey = static_cast<unsigned char>(kNonAlphanumeric);
        const int idKey = idLeft.empty() ? -1 : ReadingIndex::PreviousKey(idLeft);
        scan(ReadingIndex::kNoPrevious);
        if (afterNonAlnum || idKey == markerKey) scan(markerKey);
        if (idKey >= 0 && idKey != markerKey) scan(idKey);
        const int used = best == UINT32_MAX ? 0 : int(best);

        TraceStep step;
        step.start = pos;
        step.row = used;
        if (used > 0) {
            const Clause& clause = table.ClauseAt(used);
            step.length = clause.Roman().size();
            step.written = clause.Tengwar();
            step.id = clause.ID();
        } else {
            step.length = 1;
            step.written = text.substr(pos, 1);  // as typed, not lowered
        }
        result.output += step.written;
        idLeft = step.id;
        id8 = Word8(idLeft);
        pos += step.length;
        result.steps.push_back(std::move(step));
    }
    return result;
}

Transcription Transcribe(const ModeTable& table, std::string_view text) {
    return Transcribe(ReadingIndex::Build(table), table, text);
}

}  // namespace vel
