#pragma once
// The one open mode and what the windows share about it: the table, the
// two flags and the current mode's name and file.
#include <string>

#include "mode/ModeTable.h"

namespace vel {

struct ModeDocument {
    ModeTable table;
    bool boolChanged = false;    // unsaved changes in the clause table
    bool boolOptimized = false;  // Optimize ran since the last add, move or sort
    std::string strModeName;     // file title without ".mod"; empty for a new mode
    std::string strModeFile;     // full path; empty for a new mode

    // Empties the mode: comment, case flag, clause rows, and the change flag.
    // Leaves boolOptimized, the name and the file alone.
    void ClearMode() {
        table.Clear();
        boolChanged = false;
    }
};

}  // namespace vel
