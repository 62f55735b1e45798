#pragma once
// The mode check: what the reading of the mode proves about its clauses
// before the transcriber ever sees them: clauses that can never be used,
// conditions that can never hold, capitals that never match, rows that will
// not be saved or will not come back, and clauses that write nothing.
#include <string>
#include <string_view>
#include <vector>

#include "mode/ModeTable.h"

namespace vel {

// In the order the findings of one row are listed.
enum class FindingKind {
    Unsaved,       // left out of the file, or refused by Save
    Case,          // capitals in a mode that is not case sensitive
    NeverUsed,     // an earlier clause applies wherever this one would
    NeverHolds,    // an If previous ID that no usable clause leaves
    EmptyTengwar,  // writes nothing
};
inline constexpr int kFindingKindCount = 5;

// Stable names for scripts: "unsaved", "case", "never-used", "never-holds",
// "empty-tengwar".
const char* KindName(FindingKind kind);
bool KindFromName(std::string_view name, FindingKind& kind);

struct Finding {
    FindingKind kind = FindingKind::Unsaved;
    // The row the finding is about first, then the rows its sentence names;
    // empty for the comment.
    std::vector<int> rows;
    // Windows-1252 text; bytes that cannot be shown are written \xHH.
    std::string sentence;
};

// Every finding, ordered by row (the comment first), then by kind.
std::vector<Finding> CheckMode(const ModeTable& table);

}  // namespace vel
