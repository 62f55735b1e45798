#pragma once
// Find and replace over the clause table, without a window. The search
// never changes the table: it reads it and hands back the cursor to show
// and plans of the change, which the find window applies through the main
// window's edits, so undo and the grid follow.
//
// The cursor. A search makes every row it examines current, and every
// checked column it tests in a row the current column; a replacement makes
// every column it replaces current. Only where that leaves the cursor is
// handed back, since the grid shows nothing in between:
// - a search that finds a clause: its row, the last checked column;
// - a search that finds nothing: the table's last row, the column whose
//   test failed there (the columns are tested in order, up to the first
//   that fails); in a table without clauses row 0, the first checked column;
// - a search that does not run (no checked column, or the first checked
//   one's find text empty): the row stays, the first checked column becomes
//   current (if there is one);
// - a replacement: the found clause's row (one lower after a duplicate),
//   the last replaced column, or the column as it was when none is
//   replaced; after "Delete line" the clause that followed the deleted one
//   (the new last row when it was the last, 0 when no clause is left).
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "mode/Clause.h"
#include "mode/ModeTable.h"

namespace vel {

// What the find window's controls say; indexes are columns.
struct SearchOptions {
    std::array<bool, kColumnCount> findOn{};            // chkFind
    std::array<std::string, kColumnCount> findText;     // txtFind
    bool exact = false;                                 // chkWord, "Exact matching"
    std::array<bool, kColumnCount> replaceOn{};         // chkReplace
    std::array<std::string, kColumnCount> replaceText;  // txtReplace
    bool deleteLine = false;                            // chkDeleteFound, "Delete line"
    bool duplicate = false;                             // chkDuplicate; has no effect while deleteLine is on
};

// One column's test, case-sensitive and byte by byte whatever the mode's
// case flag. Exact: the cell equals the text (an empty text passes only an
// empty cell). Otherwise the cell contains the text: an empty text passes
// every cell, an empty cell fails every other text.
bool ColumnPasses(std::string_view cell, std::string_view findText, bool exact);

// The cell after a replacement in its column. Exact: the replacement text
// as a whole. Otherwise the first occurrence of the find text becomes the
// replacement text; an empty find text puts it in front of the cell; a
// find text that does not occur leaves the cell as it is.
std::string ReplacedCell(std::string_view cell, std::string_view findText, std::string_view replaceText, bool exact);

struct FindOutcome {
    bool searched = false;  // false: nothing was searched and nothing changed but the column
    bool found = false;
    int row = 0;  // the cursor the grid shows afterwards
    int col = 0;
};

enum class ReplaceAction {
    None,                // no clause found: the table stays and the note too
    Change,              // the found clause takes `clause`
    DuplicateAndChange,  // an unchanged copy goes in at `row`; the found clause, now row + 1, takes `clause`
    Delete,              // the found clause is removed, also when it is the only one
};

struct ReplacePlan {
    ReplaceAction action = ReplaceAction::None;
    int row = 0;               // the found clause's row before the change
    Clause clause;             // Change, DuplicateAndChange: the found clause's new fields
    bool wasLastRow = false;   // Delete: no clause followed the deleted one
    bool setsChanged = false;  // the replacement sets boolChanged; false: nothing to apply
    int cursorRow = 0;         // the cursor after the plan is applied
    int cursorCol = 0;
};

struct ReplaceAllResult {
    bool changed = false;         // boolChanged is set; only then does `clauses` hold the new table
    std::vector<Clause> clauses;  // the whole clause table after the pass
    int row = 0;                  // the cursor after the pass
    int col = 0;
    int matched = 0;     // clauses found and handled
    int duplicated = 0;  // copies inserted
    int deleted = 0;     // clauses removed
};

// The find window's search state: whether the last search found a clause,
// and whether a replacement since then deleted it. Create one when the
// window opens; every operation takes the table as it is at that moment,
// so the user may move the cursor or edit between calls.
class Search {
public:
    // "Find next" from the table's cursor. A search that finds nothing
    // leaves boolFound false, so the next one starts again at row 1; one
    // call never runs past the last row.
    FindOutcome FindNext(const ModeTable& table, const SearchOptions& options);

    // The replacement of the current row, the found clause. "Re&place" is:
    // PlanReplace, apply it when setsChanged, NoteApplied, then FindNext on
    // the changed table.
    ReplacePlan PlanReplace(const ModeTable& table, const SearchOptions& options) const;
    // Records what the applied replacement did, for where the next search
    // starts (at the clause that followed a deleted one).
    void NoteApplied(const ReplacePlan& plan);

    // "Replace &all": from row 1, each matching clause is found and replaced
    // once, top to bottom; copies it inserts are not examined. The result
    // is what the searches and replacements one by one would leave, made in
    // one pass over the clauses. Updates this state as they would.
    ReplaceAllResult ReplaceAll(const ModeTable& table, const SearchOptions& options);

    bool boolFound() const { return found_; }
    bool LastReplaceDeleted() const { return deleted_; }

private:
    int StartRow(const ModeTable& table) const;

    bool found_ = false;
    // A replacement since the last search deleted the found clause, and
    // whether that clause was the last row.
    bool deleted_ = false;
    bool deletedLast_ = false;
};

}  // namespace vel
