#include "check/CoverIndex.h"

#include <string>

#include "mode/Cp1252.h"
#include "preview/Reading.h"

namespace vel {

namespace {
// Key fields: 24 bits of group, 20 of each code. Texts beyond that many are
// not indexed, which can only hide a cover, never invent one.
constexpr uint32_t kGroupLimit = 1u << 24;
constexpr uint32_t kCodeLimit = 1u << 20;
constexpr uint32_t kMarkerCode = 1 + uint32_t(static_cast<unsigned char>(kNonAlphanumeric));

// FNV-1a, one byte at a time, so the prefixes of a text hash in one pass.
constexpr uint64_t kHashStart = 0xCBF29CE484222325ull;
uint64_t HashStep(uint64_t h, char c) { return (h ^ static_cast<unsigned char>(c)) * 0x100000001B3ull; }

uint64_t Mix(uint64_t k) {
    k ^= k >> 31;
    k *= 0x9E3779B97F4A7C15ull;
    k ^= k >> 29;
    return k;
}
}  // namespace

uint64_t CoverIndex::Key(uint32_t group, uint32_t previous, uint32_t next) {
    return (uint64_t(group) << 40) | (uint64_t(previous) << 20) | uint64_t(next);
}

uint32_t CoverIndex::Code(std::string_view text) const {
    if (text.empty()) return 0;
    if (text.size() == 1) return 1 + uint32_t(static_cast<unsigned char>(text[0]));
    const auto it = codes_.find(text);
    return it == codes_.end() ? kNoCode : it->second;
}

uint32_t CoverIndex::Intern(std::string_view text) {
    const uint32_t code = Code(text);
    if (code != kNoCode) return code;
    if (nextCode_ >= kCodeLimit) return kNoCode;
    codes_.emplace(text, nextCode_);
    return nextCode_++;
}

void CoverIndex::Insert(uint64_t key, uint32_t row) {
    for (uint64_t slot = Mix(key) & mask_;; slot = (slot + 1) & mask_) {
        RowSlot& s = rowSlots_[slot];
        if (s.row == 0) {
            s = {key, row};
            return;
        }
        if (s.key == key) return;  // an earlier row holds it already
    }
}

uint32_t CoverIndex::FirstRow(uint32_t group, uint32_t previous, uint32_t next) const {
    if (previous == kNoCode || next == kNoCode) return 0;
    const uint64_t key = Key(group, previous, next);
    for (uint64_t slot = Mix(key) & mask_;; slot = (slot + 1) & mask_) {
        const RowSlot& s = rowSlots_[slot];
        if (s.row == 0) return 0;
        if (s.key == key) return s.row;
    }
}

uint32_t CoverIndex::FindGroup(std::string_view text, uint64_t hash) const {
    for (uint64_t slot = hash & mask_;; slot = (slot + 1) & mask_) {
        const GroupSlot& s = groupSlots_[slot];
        if (s.group == kNoCode) return kNoCode;
        if (s.hash == hash && groupTexts_[s.group] == text) return s.group;
    }
}

uint32_t CoverIndex::AddGroup(std::string_view text, uint64_t hash) {
    for (uint64_t slot = hash & mask_;; slot = (slot + 1) & mask_) {
        GroupSlot& s = groupSlots_[slot];
        if (s.group == kNoCode) {
            s = {hash, uint32_t(groupTexts_.size())};
            groupTexts_.push_back(text);
            return s.group;
        }
        if (s.hash == hash && groupTexts_[s.group] == text) return s.group;
    }
}

CoverIndex::CoverIndex(const ModeTable& table, const std::vector<bool>& usable) : table_(table) {
    const int n = table.ClauseCount();
    size_t slots = 16;
    while (slots < size_t(n) * 2) slots *= 2;
    groupSlots_.assign(slots, {});
    rowSlots_.assign(slots, {});
    mask_ = slots - 1;
    groupTexts_.reserve(size_t(n));
    for (int row = 1; row <= n; ++row) {
        const Clause& c = table.ClauseAt(row);
        if (c.Roman().empty() || !usable[size_t(row - 1)]) continue;
        uint64_t hash = kHashStart;
        for (char ch : c.Roman()) hash = HashStep(hash, ch);
        const uint32_t group = AddGroup(c.Roman(), Mix(hash));
        const uint32_t previous = Intern(c.IfPreviousID());
        const uint32_t next = Intern(c.IfNextRoman());
        Intern(c.ID());
        if (group >= kGroupLimit || previous == kNoCode || next == kNoCode) continue;
        Insert(Key(group, previous, next), uint32_t(row));
    }
}

int CoverIndex::FindCover(int row) const {
    const Clause& late = table_.ClauseAt(row);
    if (late.Roman().empty()) return 0;
    // The text that stands wherever the clause applies: its Roman text and,
    // when its If next roman is a text, that text too. The marker promises
    // only what the next character is not.
    const std::string_view lateNext = late.IfNextRoman();
    const bool lateMarker = IsMarker(lateNext);
    std::string known(late.Roman());
    if (!lateMarker) known += lateNext;
    const std::string_view s = known;

    // An earlier clause's If previous ID must hold wherever this one's does:
    // empty, or the same.
    uint32_t previous[2] = {0, kNoCode};
    if (!late.IfPreviousID().empty()) previous[1] = Code(late.IfPreviousID());

    uint32_t best = 0;
    auto consider = [&](uint32_t group, uint32_t next) {
        for (uint32_t p : previous) {
            const uint32_t r = FirstRow(group, p, next);
            if (r != 0 && r < uint32_t(row) && (best == 0 || r < best)) best = r;
        }
    };
    uint64_t hash = kHashStart;
    for (size_t k = 1; k <= s.size(); ++k) {
        hash = HashStep(hash, s[k - 1]);
        const uint32_t g = FindGroup(s.substr(0, k), Mix(hash));
        if (g == kNoCode) continue;
        consider(g, 0);
        if (k < s.size()) {
            // The earlier clause's If next roman must hold for the known rest.
            const std::string_view rest = s.substr(k);
            if (NextRomanHolds(std::string_view(&kNonAlphanumeric, 1), rest)) consider(g, kMarkerCode);
            // Values longer than one byte are rare; skip the lookups when
            // the table holds none.
            const size_t longest = codes_.empty() ? 1 : rest.size();
            for (size_t j = 1; j <= longest; ++j) {
                const uint32_t code = Code(rest.substr(0, j));
                if (code != kMarkerCode) consider(g, code);
            }
        } else if (lateMarker) {
            consider(g, kMarkerCode);
        }
    }
    return int(best);
}

}  // namespace vel
