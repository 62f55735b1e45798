#pragma once
// The wizard's Create Mode: a fixed expansion of the field set through the
// glyph tables into clauses, in the order of the Add calls. The mode takes
// them as one run of Add (ModeDocument::AddClauses).
#include <vector>

#include "mode/Clause.h"
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

}  // namespace vel
