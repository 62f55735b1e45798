#pragma once
// The one open mode and the only way to change it. Every edit is a named
// operation that applies the rules for the cursor and both flags in one
// place, tells the observer (the grid's model) before and after it touches
// rows, and is one step of the undo history. Whole-mode replacements (New,
// Open, a start-up load) start a new history.
#include <string>
#include <vector>

#include "mode/EditHistory.h"
#include "mode/ModeTable.h"

namespace vel {

// How the rows change, in table rows (1 to N), for a view to follow.
struct RowChange {
    enum class Kind { Inserted, Removed, Moved, Changed, Reset };
    Kind kind = Kind::Reset;
    int first = 0;
    int count = 0;
    int to = 0;  // Moved: where the clause of row `first` ends up
};

class ModeObserver {
public:
    virtual ~ModeObserver() = default;
    virtual void RowsAboutToChange(const RowChange&) {}
    virtual void RowsChanged(const RowChange&) {}
    // After every operation: comment, case flag, flags, cursor or history
    // may have changed too.
    virtual void ModeChanged() {}
};

class ModeDocument {
public:
    ModeDocument() = default;
    ModeDocument(const ModeDocument&) = delete;
    ModeDocument& operator=(const ModeDocument&) = delete;

    void SetObserver(ModeObserver* observer) { observer_ = observer; }

    const ModeTable& Table() const { return table_; }
    // boolChanged: false exactly while the history stands where the mode was
    // last loaded, started or saved.
    bool Changed() const { return !history_.AtClean(); }
    // boolOptimized: Optimize ran since the last add, move or sort.
    bool Optimized() const { return optimized_; }
    const EditHistory& History() const { return history_; }

    // The current mode's name (file title without ".mod") and full path;
    // both empty for a new mode. Not part of the mode's data.
    const std::string& ModeName() const { return modeName_; }
    const std::string& ModeFile() const { return modeFile_; }
    void SetModeFile(std::string name, std::string file);

    // The cursor the grid shows; kept within the table by its rule.
    Cursor CurrentCursor() const;
    void SetCursor(const Cursor& cursor);

    // ---- Edits: each is one undo step named `name`.

    // Add: the clauses, in the order of the Add calls, go in at the current
    // row as a run of Adds puts them: in a mode without clauses the first Add
    // makes one empty row to stand on; each Add inserts at the same row, so
    // the last one ends up on top; the cursor is on it, column 4. Marks the
    // mode not optimized. An empty list changes nothing.
    void AddClauses(std::vector<Clause> clauses, const std::string& name);
    // Paste: in a mode without clauses, first the empty row (even when
    // nothing is pasted); the clauses go in at the current row in their
    // order; the cursor stays on the row, column 4.
    void PasteClauses(std::vector<Clause> clauses);
    // Remove, Cut, Delete line: row r goes; the cursor keeps its number. A
    // row that is not a clause removes nothing and is still a step.
    void RemoveRow(int r, const std::string& name);
    // The clause of row `from` becomes row `to`, the cursor follows it to
    // column 4; marks the mode not optimized. A move to its own row is a step.
    void MoveRow(int from, int to, const std::string& name);
    // Optimize, Sort alphabetically: row i + 1 becomes old row order[i] + 1;
    // the cursor keeps its row and goes to column 0.
    void Reorder(std::vector<uint32_t> order, bool optimized, const std::string& name);
    // Replace: row r becomes `clause`; with keepCopy an unchanged copy of
    // the old clause goes in above it first. The cursor ends on the changed
    // clause in column col.
    void ReplaceClause(int r, Clause clause, bool keepCopy, int col, const std::string& name);
    // Editing one cell in place; marks the mode not optimized.
    void EditCell(int r, int col, std::string text);
    // Replace all: the whole table at once, one step.
    void ReplaceAllClauses(std::vector<Clause> clauses, const Cursor& after, const std::string& name);
    // Import: the clauses after the existing rows. When the file was read
    // whole the cursor goes to row 1 with the whole row selected, even when
    // no clause came. No step when nothing was added.
    void ImportClauses(std::vector<Clause> clauses, bool whole);
    // Consecutive comment edits are one step until EndTyping (or any other
    // command).
    void SetComment(std::string comment);
    void EndTyping() { history_.CloseTyping(); }
    void SetCaseSensitive(bool on);

    // ---- Whole-mode operations: the history starts again, unchanged.

    // Empties comment, case flag and clause rows; leaves boolOptimized.
    void ClearMode();
    // A load: ClearMode, then the file's comment and flag (when its header
    // was read) and clauses; the cursor on row 1 with the whole row selected
    // when the file was read whole.
    void LoadClauses(std::string comment, bool caseSensitive, bool headerRead, std::vector<Clause> clauses, bool whole);
    // The file now holds the mode: this is the unchanged state.
    void MarkSaved() { history_.MarkClean(); }

    // ---- History. Both restore the table, comment, case flag,
    // boolOptimized and the cursor (as before the step on undo, as after it
    // on redo). False when there is nothing to undo or redo.
    bool Undo();
    bool Redo();

private:
    void Perform(EditStep step, const Cursor& after, bool optimizedAfter);
    void Apply(EditPart& part, bool forward);
    void InsertRows(int first, std::vector<Clause>& clauses);
    std::vector<Clause> RemoveRows(int first, int count);
    void Announce(const RowChange& change, bool before);
    void AnnounceInPlace(const RowChange& change) {
        Announce(change, true);
        Announce(change, false);
    }
    void Done();
    EditStep NewStep(const std::string& name) const;

    ModeTable table_;
    EditHistory history_;
    bool optimized_ = false;
    std::string modeName_;
    std::string modeFile_;
    ModeObserver* observer_ = nullptr;
};

}  // namespace vel
