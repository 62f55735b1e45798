#include "editing/Ordering.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vel {

namespace {

int FilledFields(const Clause& c) {
    int n = 0;
    for (int col = ColTengwar; col < kColumnCount; ++col) n += c.FieldSize(col) == 0 ? 0 : 1;
    return n;
}

// Sorting compact keys and moving each row once is much cheaper than letting
// the sort shuffle five strings per swap or chase rows through memory. The
// key holds the first 16 bytes of the Roman text big-endian, so comparing it
// is byte order; equal keys fall back to the whole texts, then to the old
// position, so equal rows keep their order.
struct SortKey {
    uint64_t rank;  // what decides before the text (length and fields for Optimize)
    uint64_t text0;
    uint64_t text1;
    uint32_t index;
};

uint64_t BigEndianPrefix(std::string_view text, size_t from) {
    uint64_t v = 0;
    for (size_t i = 0; i < 8; ++i) {
        const size_t k = from + i;
        v = (v << 8) | (k < text.size() ? static_cast<unsigned char>(text[k]) : 0u);
    }
    return v;
}

template <typename Rank>
std::vector<uint32_t> SortedOrder(const ModeTable& table, Rank rank) {
    const std::vector<Clause>& rows = table.Clauses();
    std::vector<SortKey> keys(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        const std::string_view roman = rows[i].Roman();
        keys[i] = {rank(rows[i]), BigEndianPrefix(roman, 0), BigEndianPrefix(roman, 8), uint32_t(i)};
    }
    std::sort(keys.begin(), keys.end(), [&](const SortKey& a, const SortKey& b) {
        if (a.rank != b.rank) return a.rank < b.rank;
        if (a.text0 != b.text0) return a.text0 < b.text0;
        if (a.text1 != b.text1) return a.text1 < b.text1;
        const int cmp = rows[a.index].Roman().compare(rows[b.index].Roman());
        if (cmp != 0) return cmp < 0;
        return a.index < b.index;
    });
    std::vector<uint32_t> order(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) order[i] = keys[i].index;
    return order;
}

}  // namespace

int CompareClauses(const Clause& a, const Clause& b) {
    const size_t la = a.Roman().size(), lb = b.Roman().size();
    if (la != lb) return la > lb ? -1 : 1;
    const int fa = FilledFields(a), fb = FilledFields(b);
    if (fa != fb) return fa > fb ? -1 : 1;
    const int cmp = a.Roman().compare(b.Roman());  // byte order: char_traits<char> compares as unsigned
    return cmp < 0 ? -1 : (cmp > 0 ? 1 : 0);
}

std::vector<uint32_t> OptimizePermutation(const ModeTable& table) {
    // Longer Roman text first, then more filled fields: both descending, so
    // the rank stores their complements.
    return SortedOrder(table, [](const Clause& c) {
        const uint64_t length = std::min<uint64_t>(c.Roman().size(), 0xFFFFFFFFu);
        return ((0xFFFFFFFFu - length) << 8) | uint64_t(kColumnCount - 1 - FilledFields(c));
    });
}

std::vector<uint32_t> AlphabeticalPermutation(const ModeTable& table) {
    return SortedOrder(table, [](const Clause&) { return uint64_t(0); });
}

void OptimizeOrder(ModeTable& table) { table.Gather(OptimizePermutation(table)); }

void AlphabeticalOrder(ModeTable& table) { table.Gather(AlphabeticalPermutation(table)); }

}  // namespace vel
