#include "preview/Reading.h"

#include <algorithm>

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

int PreviousKey(const Clause& clause) {
    const std::string_view prev = clause.IfPreviousID();
    return prev.empty() ? ReadingIndex::kNoPrevious : static_cast<unsigned char>(prev[0]);
}

}  // namespace

ReadingIndex ReadingIndex::Build(const ModeTable& table) {
    // A counting sort: one pass counts each bucket, a second drops the rows
    // in, so each bucket keeps table order.
    ReadingIndex index;
    index.clauseCount_ = table.ClauseCount();
    index.start_.assign(256 * kKeys + 1, 0);
    const std::vector<Clause>& rows = table.Clauses();
    for (const Clause& c : rows)
        if (!c.Roman().empty()) ++index.start_[Bucket(static_cast<unsigned char>(c.Roman()[0]), PreviousKey(c)) + 1];
    for (size_t b = 1; b < index.start_.size(); ++b) index.start_[b] += index.start_[b - 1];
    index.rows_.resize(index.start_.back());
    std::vector<uint32_t> fill(index.start_.begin(), index.start_.end() - 1);
    for (size_t i = 0; i < rows.size(); ++i) {
        const Clause& c = rows[i];
        if (c.Roman().empty()) continue;
        index.rows_[fill[Bucket(static_cast<unsigned char>(c.Roman()[0]), PreviousKey(c))]++] = uint32_t(i + 1);
    }
    return index;
}

const uint32_t* ReadingIndex::RowsBegin(unsigned char romanFirst, int previousKey) const {
    if (start_.empty()) return nullptr;
    return rows_.data() + start_[Bucket(romanFirst, previousKey)];
}

const uint32_t* ReadingIndex::RowsEnd(unsigned char romanFirst, int previousKey) const {
    if (start_.empty()) return nullptr;
    return rows_.data() + start_[Bucket(romanFirst, previousKey) + 1];
}

Transcription Transcribe(const ReadingIndex& index, const ModeTable& table, std::string_view text) {
    if (index.ClauseCount() != table.ClauseCount()) return Transcribe(ReadingIndex::Build(table), table, text);

    const std::string folded = table.CaseSensitive() ? std::string(text) : LowerCp1252(text);
    const std::string_view input = folded;
    Transcription result;
    result.output.reserve(text.size() * 2);
    std::string idLeft;
    size_t pos = 0;
    while (pos < input.size()) {
        const auto first = static_cast<unsigned char>(input[pos]);
        const bool afterNonAlnum = pos == 0 || !IsCp1252Alnum(static_cast<unsigned char>(input[pos - 1]));
        // Only three groups can hold a clause that applies here: no If
        // previous ID, one beginning with the marker byte (when the marker
        // holds or the ID left begins with it), and one beginning with the
        // ID left. They are walked together in row order, so the first clause
        // that applies is the first in the table.
        struct Range {
            int key;
            const uint32_t* it;
            const uint32_t* end;
        } ranges[3];
        int count = 0;
        auto add = [&](int key) {
            for (int k = 0; k < count; ++k)
                if (ranges[k].key == key) return;
            ranges[count++] = {key, index.RowsBegin(first, key), index.RowsEnd(first, key)};
        };
        add(ReadingIndex::kNoPrevious);
        if (afterNonAlnum) add(static_cast<unsigned char>(kNonAlphanumeric));
        if (!idLeft.empty()) add(static_cast<unsigned char>(idLeft[0]));

        int used = 0;
        while (true) {
            int best = -1;
            for (int k = 0; k < count; ++k)
                if (ranges[k].it != ranges[k].end && (best < 0 || *ranges[k].it < *ranges[best].it)) best = k;
            if (best < 0) break;
            const uint32_t row = *ranges[best].it++;
            if (ClauseApplies(table.ClauseAt(int(row)), input, pos, idLeft, afterNonAlnum)) {
                used = int(row);
                break;
            }
        }

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
        pos += step.length;
        result.steps.push_back(std::move(step));
    }
    return result;
}

Transcription Transcribe(const ModeTable& table, std::string_view text) {
    return Transcribe(ReadingIndex::Build(table), table, text);
}

}  // namespace vel
