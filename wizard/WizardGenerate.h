#pragma once
// The wizard's Create Mode: a fixed expansion of the field set through the
// glyph tables into clauses, and their addition to the open mode as the
// main window's Add would do it one clause at a time.
#include <vector>

#include "mode/Clause.h"
#include "mode/ModeDocument.h"
#include "wizard/WizardFields.h"

namespace vel {

// The most clauses one run can give: 63 + 640 + 10 + 51 + 61.
inline constexpr int kMaxGeneratedClauses = 825;

// Every clause the field set calls for, in the order of the Add calls:
// plain tengwar, tehtar (with their carriers), long carriers, s-curls,
// under-bars. Each field is cut to its entry field's length, keeping its
// first characters. A TAB cannot be part of a clause field, so wizard texts
// are read without their TABs (a text of TABs alone counts as blank).
std::vector<Clause> GenerateClauses(const WizardFields& fields);

// Cuts each field to the length its entry field takes (14, 14, 1, 1, 1).
void CutToEntryFields(Clause& clause);

// Adds clauses to the mode exactly as a run of Add calls at the current row
// would leave it: in an empty mode the first Add's empty row comes first;
// the clauses stand above the formerly current clause in the reverse of the
// list's order; the cursor is on the last one added, in column 4; the mode
// is marked changed and not optimized. One insertion, one pass over the
// table. An empty list changes nothing. Returns the number of clauses added.
int AddClausesAsRun(ModeDocument& doc, std::vector<Clause> clauses);

// Create Mode: GenerateClauses, then AddClausesAsRun.
int CreateMode(ModeDocument& doc, const WizardFields& fields);

}  // namespace vel
