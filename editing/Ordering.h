#pragma once
// The two orders of the clause rows: the transcriber's order (Optimize)
// and the reading order (SortAlphabetically). Both sort whole rows 1 to N
// and never touch the header; rows that compare equal keep their order.
#include <cstdint>
#include <vector>

#include "mode/Clause.h"
#include "mode/ModeTable.h"

namespace vel {

// -1 when a goes before b, 1 when after, 0 when neither: longer Roman text
// first, then more filled fields among Tengwar, IfNextRoman, IfPreviousID
// and ID, then Roman text by byte value.
int CompareClauses(const Clause& a, const Clause& b);

// The orders as permutations: row i + 1 of the ordered table is row
// order[i] + 1 of the table now (ModeTable::Gather applies one).
std::vector<uint32_t> OptimizePermutation(const ModeTable& table);
std::vector<uint32_t> AlphabeticalPermutation(const ModeTable& table);

// Reorder the clause rows in place; the cursor keeps its row number.
void OptimizeOrder(ModeTable& table);
void AlphabeticalOrder(ModeTable& table);

}  // namespace vel
