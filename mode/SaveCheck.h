#pragma once
// What a save would lose: every reason why the comment or a clause row
// would not come back whole from the mode file. Save refuses on any of
// them, and the mode check reports them, from this one list.
#include <string>
#include <vector>

#include "mode/ModeTable.h"

namespace vel {

struct SaveProblem {
    int row = 0;  // table row; 0 for the comment
    std::string sentence;
};

// In row order, the comment first; empty when everything comes back.
std::vector<SaveProblem> FindSaveProblems(const ModeTable& table);

// The sentences alone.
std::vector<std::string> FindUnsavableRows(const ModeTable& table);

}  // namespace vel
