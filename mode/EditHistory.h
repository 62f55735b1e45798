#pragma once
// The undo history of the open mode: each entry is one command's step, made
// of parts that know what they changed, so undoing a step costs no more
// than doing it. A part that moved clauses out of the table holds them; a
// reorder holds only its permutation; a whole-table replacement holds the
// other table and swaps it back.
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "mode/Clause.h"

namespace vel {

struct Cursor {
    int row = 0;
    int col = 0;
    int endCol = 0;
    bool operator==(const Cursor&) const = default;
};

struct EditPart {
    enum class Kind { Insert, Remove, Move, Clause, Reorder, Swap, Comment, Case };
    Kind kind = Kind::Insert;
    int first = 0;  // table row
    int count = 0;  // rows inserted or removed
    int to = 0;     // Move: where the clause of row `first` goes
    // Insert: the rows while undone; Remove: the rows while done; Clause:
    // the other version of row `first`; Swap: the other table.
    std::vector<Clause> clauses;
    std::vector<uint32_t> order;  // Reorder: row i + 1 came from row order[i] + 1
    std::string text;             // Comment: the other text
    bool flag = false;            // Case: the other value
};

struct EditStep {
    std::string name;  // the command's name: "Add", "Remove", "Optimize"...
    std::vector<EditPart> parts;  // done in order, undone in reverse
    Cursor before, after;
    bool optimizedBefore = false;
    bool optimizedAfter = false;
    bool typing = false;  // a comment edit that further typing joins
    size_t bytes = 0;     // what the step holds, for the budget
};

class EditHistory {
public:
    // Bounded by both: the oldest steps go first. The newest step always
    // stays, however large, so the last command can be undone.
    static constexpr size_t kMaxSteps = 1000;
    static constexpr size_t kByteBudget = size_t(64) << 20;

    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const { return done_ < steps_.size(); }
    const std::string& UndoName() const;
    const std::string& RedoName() const;

    // A new step: the steps that could be redone are gone.
    void Push(EditStep step);
    // The step the next typing may join: the last one done, while it is a
    // typing step and nothing can be redone; null otherwise.
    EditStep* OpenTyping();
    void CloseTyping();

    EditStep& NextUndo() { return steps_[done_ - 1]; }
    EditStep& NextRedo() { return steps_[done_]; }
    void Undone();
    void Redone();

    // Where the mode was last loaded, started or saved.
    void MarkClean() { clean_ = long(done_); }
    bool AtClean() const { return clean_ == long(done_); }
    void Clear();

    size_t Count() const { return steps_.size(); }
    size_t Bytes() const;

    // What a step holds, by the clauses' memory.
    static size_t BytesOf(const EditStep& step);

private:
    void Trim();

    std::deque<EditStep> steps_;
    size_t done_ = 0;  // steps_[0 .. done_) are done
    long clean_ = 0;   // -1 once the clean step fell off the history
};

}  // namespace vel
