#include "mode/ModeDocument.h"

#include <algorithm>
#include <utility>

namespace vel {

namespace {

using Kind = EditPart::Kind;

EditPart InsertPart(int first, std::vector<Clause> clauses) {
    EditPart part;
    part.kind = Kind::Insert;
    part.first = first;
    part.count = int(clauses.size());
    part.clauses = std::move(clauses);
    return part;
}

// The cell the grid is left on after a row came in from the entry fields,
// the clipboard or a move: its last column.
Cursor LastColumnOf(int row) { return {row, kColumnCount - 1, kColumnCount - 1}; }

}  // namespace

void ModeDocument::SetModeFile(std::string name, std::string file) {
    modeName_ = std::move(name);
    modeFile_ = std::move(file);
}

Cursor ModeDocument::CurrentCursor() const {
    return {table_.CurrentRow(), table_.CurrentCol(), table_.SelectionEndCol()};
}

void ModeDocument::SetCursor(const Cursor& cursor) {
    table_.SetCurrentRow(cursor.row);
    table_.SetCurrentCol(cursor.col);
    table_.SetSelectionEndCol(cursor.endCol);
}

// ---------------------------------------------------------------- edits

EditStep ModeDocument::NewStep(const std::string& name) const {
    EditStep step;
    step.name = name;
    step.before = CurrentCursor();
    step.optimizedBefore = optimized_;
    return step;
}

void ModeDocument::AddClauses(std::vector<Clause> clauses, const std::string& name) {
    if (clauses.empty()) return;
    EditStep step = NewStep(name);
    std::reverse(clauses.begin(), clauses.end());
    int row = table_.CurrentRow();
    if (table_.ClauseCount() == 0) {
        clauses.emplace_back();  // the empty row the first Add makes
        row = 1;
    }
    step.parts.push_back(InsertPart(row, std::move(clauses)));
    Perform(std::move(step), LastColumnOf(row), false);
}

void ModeDocument::PasteClauses(std::vector<Clause> clauses) {
    const bool empty = table_.ClauseCount() == 0;
    if (clauses.empty() && !empty) return;
    EditStep step = NewStep("Paste");
    const int row = empty ? 1 : table_.CurrentRow();
    const bool pasted = !clauses.empty();
    if (empty) clauses.emplace_back();
    step.parts.push_back(InsertPart(row, std::move(clauses)));
    Perform(std::move(step), pasted ? LastColumnOf(row) : Cursor{1, step.before.col, step.before.endCol}, optimized_);
}

void ModeDocument::RemoveRow(int r, const std::string& name) {
    EditStep step = NewStep(name);
    if (r >= 1 && r <= table_.ClauseCount()) {
        EditPart part;
        part.kind = Kind::Remove;
        part.first = r;
        part.count = 1;
        step.parts.push_back(std::move(part));
    }
    // The cursor keeps its number; the table's rule moves it to the new
    // last row when the last one went.
    const int left = table_.ClauseCount() - int(step.parts.size());
    const int row = left == 0 ? 0 : std::min(step.before.row, left);
    Perform(std::move(step), {row, step.before.col, step.before.endCol}, optimized_);
}

void ModeDocument::MoveRow(int from, int to, const std::string& name) {
    const int n = table_.ClauseCount();
    if (from < 1 || from > n || to < 1 || to > n) return;
    EditStep step = NewStep(name);
    EditPart part;
    part.kind = Kind::Move;
    part.first = from;
    part.to = to;
    step.parts.push_back(std::move(part));
    Perform(std::move(step), LastColumnOf(to), false);
}

void ModeDocument::Reorder(std::vector<uint32_t> order, bool optimized, const std::string& name) {
    EditStep step = NewStep(name);
    if (order.size() == size_t(table_.ClauseCount()) && !order.empty()) {
        EditPart part;
        part.kind = Kind::Reorder;
        part.order = std::move(order);
        step.parts.push_back(std::move(part));
    }
    Perform(std::move(step), {step.before.row, 0, 0}, optimized);
}

void ModeDocument::ReplaceClause(int r, Clause clause, bool keepCopy, int col, const std::string& name) {
    if (r < 1 || r > table_.ClauseCount()) return;
    EditStep step = NewStep(name);
    if (keepCopy) step.parts.push_back(InsertPart(r, {table_.ClauseAt(r)}));
    const int row = keepCopy ? r + 1 : r;
    EditPart part;
    part.kind = Kind::Clause;
    part.first = row;
    part.clauses.push_back(std::move(clause));
    step.parts.push_back(std::move(part));
    Perform(std::move(step), {row, col, col}, optimized_);
}

void ModeDocument::EditCell(int r, int col, std::string text) {
    if (r < 1 || r > table_.ClauseCount() || col < 0 || col >= kColumnCount) return;
    EditStep step = NewStep("Edit cell");
    EditPart part;
    part.kind = Kind::Clause;
    part.first = r;
    part.clauses.push_back(table_.ClauseAt(r));
    part.clauses.front().SetField(col, text);
    step.parts.push_back(std::move(part));
    Perform(std::move(step), {r, col, col}, false);
}

void ModeDocument::ReplaceAllClauses(std::vector<Clause> clauses, const Cursor& after, const std::string& name) {
    EditStep step = NewStep(name);
    EditPart part;
    part.kind = Kind::Swap;
    part.clauses = std::move(clauses);
    step.parts.push_back(std::move(part));
    Perform(std::move(step), after, optimized_);
}

void ModeDocument::ImportClauses(std::vector<Clause> clauses, bool whole) {
    const int n = table_.ClauseCount();
    const int added = int(clauses.size());
    Cursor after = CurrentCursor();
    if (whole) after = {n + added > 0 ? 1 : 0, 0, kColumnCount - 1};
    if (added == 0) {
        SetCursor(after);
        Done();
        return;
    }
    if (!whole && n == 0) after.row = 1;
    EditStep step = NewStep("Import");
    step.parts.push_back(InsertPart(n + 1, std::move(clauses)));
    Perform(std::move(step), after, optimized_);
}

void ModeDocument::SetComment(std::string comment) {
    if (comment == table_.Comment()) return;
    if (EditStep* typing = history_.OpenTyping()) {
        // The step keeps the text from before the typing began.
        table_.SetComment(std::move(comment));
        typing->after = CurrentCursor();
        Done();
        return;
    }
    EditStep step = NewStep("Comment");
    step.typing = true;
    EditPart part;
    part.kind = Kind::Comment;
    part.text = std::move(comment);
    step.parts.push_back(std::move(part));
    Perform(std::move(step), step.before, optimized_);
}

void ModeDocument::SetCaseSensitive(bool on) {
    if (on == table_.CaseSensitive()) return;
    EditStep step = NewStep("Case sensitivity");
    EditPart part;
    part.kind = Kind::Case;
    part.flag = on;
    step.parts.push_back(std::move(part));
    Perform(std::move(step), step.before, optimized_);
}

// ---------------------------------------------------------------- whole mode

void ModeDocument::ClearMode() {
    Announce({RowChange::Kind::Reset}, true);
    table_.Clear();
    history_.Clear();
    Announce({RowChange::Kind::Reset}, false);
    Done();
}

void ModeDocument::LoadClauses(std::string comment, bool caseSensitive, bool headerRead, std::vector<Clause> clauses,
                               bool whole) {
    Announce({RowChange::Kind::Reset}, true);
    table_.Clear();
    if (headerRead) {
        table_.SetComment(std::move(comment));
        table_.SetCaseSensitive(caseSensitive);
    }
    table_.AppendClauses(std::move(clauses));
    if (whole) SetCursor({table_.ClauseCount() > 0 ? 1 : 0, 0, kColumnCount - 1});
    history_.Clear();
    Announce({RowChange::Kind::Reset}, false);
    Done();
}

// ---------------------------------------------------------------- history

bool ModeDocument::Undo() {
    if (!history_.CanUndo()) return false;
    history_.CloseTyping();
    EditStep& step = history_.NextUndo();
    for (auto part = step.parts.rbegin(); part != step.parts.rend(); ++part) Apply(*part, false);
    optimized_ = step.optimizedBefore;
    SetCursor(step.before);
    history_.Undone();
    Done();
    return true;
}

bool ModeDocument::Redo() {
    if (!history_.CanRedo()) return false;
    history_.CloseTyping();
    EditStep& step = history_.NextRedo();
    for (EditPart& part : step.parts) Apply(part, true);
    optimized_ = step.optimizedAfter;
    SetCursor(step.after);
    history_.Redone();
    Done();
    return true;
}

void ModeDocument::Perform(EditStep step, const Cursor& after, bool optimizedAfter) {
    history_.CloseTyping();
    for (EditPart& part : step.parts) Apply(part, true);
    optimized_ = optimizedAfter;
    SetCursor(after);
    step.after = CurrentCursor();
    step.optimizedAfter = optimized_;
    history_.Push(std::move(step));
    Done();
}

// Each part swaps the table with what it holds, so the same code does and
// undoes it.
void ModeDocument::Apply(EditPart& part, bool forward) {
    switch (part.kind) {
        case Kind::Insert:
        case Kind::Remove:
            if ((part.kind == Kind::Insert) == forward) {
                InsertRows(part.first, part.clauses);
            } else {
                part.clauses = RemoveRows(part.first, part.count);
            }
            break;
        case Kind::Move: {
            const int from = forward ? part.first : part.to, to = forward ? part.to : part.first;
            if (from == to) {
                AnnounceInPlace({RowChange::Kind::Changed, from, 1});
            } else {
                Announce({RowChange::Kind::Moved, from, 1, to}, true);
                table_.MoveRow(from, to);
                Announce({RowChange::Kind::Moved, from, 1, to}, false);
            }
            break;
        }
        case Kind::Clause:
            table_.SwapClause(part.first, part.clauses.front());
            AnnounceInPlace({RowChange::Kind::Changed, part.first, 1});
            break;
        case Kind::Reorder:
            Announce({RowChange::Kind::Reset}, true);
            if (forward)
                table_.Gather(part.order);
            else
                table_.Scatter(part.order);
            Announce({RowChange::Kind::Reset}, false);
            break;
        case Kind::Swap:
            Announce({RowChange::Kind::Reset}, true);
            table_.SwapClauses(part.clauses);
            Announce({RowChange::Kind::Reset}, false);
            break;
        case Kind::Comment: {
            std::string other = table_.Comment();
            table_.SetComment(std::move(part.text));
            part.text = std::move(other);
            break;
        }
        case Kind::Case: {
            const bool other = table_.CaseSensitive();
            table_.SetCaseSensitive(part.flag);
            part.flag = other;
            break;
        }
    }
}

void ModeDocument::InsertRows(int first, std::vector<Clause>& clauses) {
    if (clauses.empty()) return;
    const int count = int(clauses.size());
    // The room first: running out of memory then changes nothing and
    // announces nothing.
    if (table_.Clauses().size() + clauses.size() > table_.Clauses().capacity())
        table_.Reserve(table_.Clauses().size() + clauses.size() + clauses.size() / 8);
    Announce({RowChange::Kind::Inserted, first, count}, true);
    table_.InsertClauses(std::move(clauses), first);
    clauses.clear();
    Announce({RowChange::Kind::Inserted, first, count}, false);
}

std::vector<Clause> ModeDocument::RemoveRows(int first, int count) {
    Announce({RowChange::Kind::Removed, first, count}, true);
    std::vector<Clause> taken = table_.TakeRows(first, count);
    Announce({RowChange::Kind::Removed, first, count}, false);
    return taken;
}

void ModeDocument::Announce(const RowChange& change, bool before) {
    if (!observer_) return;
    if (before)
        observer_->RowsAboutToChange(change);
    else
        observer_->RowsChanged(change);
}

void ModeDocument::Done() {
    if (observer_) observer_->ModeChanged();
}

}  // namespace vel
