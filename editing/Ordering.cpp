#include "editing/Ordering.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace vel {

namespace {

int FilledFields(const Clause& c) {
    int n = 0;
    for (int col = ColTengwar; col < kColumnCount; ++col) n += c.fields[size_t(col)].empty() ? 0 : 1;
    return n;
}

// Sorting an index array and moving each row once is much cheaper than
// letting the sort shuffle five strings per swap.
template <typename Less>
void ReorderRows(ModeTable& table, Less less) {
    std::vector<Clause>& rows = table.Clauses();
    std::vector<unsigned> order(rows.size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(), [&](unsigned a, unsigned b) {
        if (less(a, b)) return true;
        if (less(b, a)) return false;
        return a < b;  // equal rows keep their order
    });
    std::vector<Clause> sorted;
    sorted.reserve(rows.size());
    for (unsigned i : order) sorted.push_back(std::move(rows[i]));
    rows.swap(sorted);
}

}  // namespace

int CompareClauses(const Clause& a, const Clause& b) {
    const size_t la = a.Roman().size(), lb = b.Roman().size();
    if (la != lb) return la > lb ? -1 : 1;
    const int fa = FilledFields(a), fb = FilledFields(b);
    if (fa != fb) return fa > fb ? -1 : 1;
    const int cmp = a.Roman().compare(b.Roman());  // byte order: char_traits compares as unsigned
    return cmp < 0 ? -1 : (cmp > 0 ? 1 : 0);
}

void OptimizeOrder(ModeTable& table) {
    const std::vector<Clause>& rows = table.Clauses();
    struct Key {
        unsigned length;
        unsigned filled;
    };
    std::vector<Key> keys(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        keys[i] = {unsigned(rows[i].Roman().size()), unsigned(FilledFields(rows[i]))};
    ReorderRows(table, [&](unsigned a, unsigned b) {
        if (keys[a].length != keys[b].length) return keys[a].length > keys[b].length;
        if (keys[a].filled != keys[b].filled) return keys[a].filled > keys[b].filled;
        return rows[a].Roman() < rows[b].Roman();
    });
}

void AlphabeticalOrder(ModeTable& table) {
    const std::vector<Clause>& rows = table.Clauses();
    ReorderRows(table, [&](unsigned a, unsigned b) { return rows[a].Roman() < rows[b].Roman(); });
}

}  // namespace vel
