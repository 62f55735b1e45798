#pragma once
// The two orders of the clause rows: the transcriber's order (Optimize)
// and the reading order (SortAlphabetically). Both sort whole rows 1 to N
// and never touch the header; rows that compare equal keep their order.
#include "mode/Clause.h"
#include "mode/ModeTable.h"

namespace vel {

// -1 when a goes before b, 1 when after, 0 when neither: longer Roman text
// first, then more filled fields among Tengwar, IfNextRoman, IfPreviousID
// and ID, then Roman text by byte value.
int CompareClauses(const Clause& a, const Clause& b);

// Reorder the clause rows; the cursor keeps its row number.
void OptimizeOrder(ModeTable& table);
void AlphabeticalOrder(ModeTable& table);

}  // namespace vel
