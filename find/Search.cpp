#include "find/Search.h"

#include <algorithm>

namespace vel {

namespace {

int FirstChecked(const std::array<bool, kColumnCount>& on) {
    for (int c = 0; c < kColumnCount; ++c)
        if (on[size_t(c)]) return c;
    return -1;
}

int LastChecked(const std::array<bool, kColumnCount>& on) {
    for (int c = kColumnCount - 1; c >= 0; --c)
        if (on[size_t(c)]) return c;
    return -1;
}

// Tests the checked columns in order up to the first that fails; lastTested
// is left on the last column tested, the one the grid shows.
bool Matches(const Clause& clause, const SearchOptions& options, int& lastTested) {
    for (int c = 0; c < kColumnCount; ++c) {
        if (!options.findOn[size_t(c)]) continue;
        lastTested = c;
        if (!ColumnPasses(clause.Field(c), options.findText[size_t(c)], options.exact)) return false;
    }
    return true;
}

Clause ChangedClause(const Clause& clause, const SearchOptions& options) {
    Clause changed = clause;
    for (int c = 0; c < kColumnCount; ++c) {
        if (!options.replaceOn[size_t(c)]) continue;
        changed.SetField(c, ReplacedCell(clause.Field(c), options.findText[size_t(c)], options.replaceText[size_t(c)],
                                         options.exact));
    }
    return changed;
}

// What a replacement does with these options, the same for every clause.
struct ReplaceMode {
    explicit ReplaceMode(const SearchOptions& options)
        : lastReplaced(LastChecked(options.replaceOn)),
          remove(options.deleteLine && lastReplaced >= 0),
          duplicate(options.duplicate && !options.deleteLine),
          changes(remove || duplicate || lastReplaced >= 0) {}
    int lastReplaced;  // -1: no replace column
    bool remove;       // "Delete line" acts only with a replace column ticked
    bool duplicate;
    bool changes;  // sets boolChanged
};

}  // namespace

bool ColumnPasses(std::string_view cell, std::string_view findText, bool exact) {
    return exact ? cell == findText : cell.find(findText) != std::string_view::npos;
}

std::string ReplacedCell(std::string_view cell, std::string_view findText, std::string_view replaceText, bool exact) {
    if (exact) return std::string(replaceText);
    const size_t at = cell.find(findText);
    // Cutting characters from a cell that does not hold the find text would
    // corrupt the clause, so it stays.
    if (at == std::string_view::npos) return std::string(cell);
    std::string out;
    out.reserve(cell.size() - findText.size() + replaceText.size());
    out.append(cell.substr(0, at)).append(replaceText).append(cell.substr(at + findText.size()));
    return out;
}

int Search::StartRow(const ModeTable& table) const {
    if (!found_) return 1;
    if (deleted_) return deletedLast_ ? 1 : std::max(table.CurrentRow(), 1);
    return table.CurrentRow() >= table.ClauseCount() ? 1 : table.CurrentRow() + 1;
}

FindOutcome Search::FindNext(const ModeTable& table, const SearchOptions& options) {
    FindOutcome out{false, false, table.CurrentRow(), table.CurrentCol()};
    const int first = FirstChecked(options.findOn);
    if (first < 0) return out;
    out.col = first;
    if (options.findText[size_t(first)].empty()) return out;

    out.searched = true;
    const int start = StartRow(table);
    found_ = false;
    // The note served this search's start; a search that found the next
    // clause must move past it, not stay on it.
    deleted_ = false;
    const int n = table.ClauseCount();
    for (int r = start; r <= n; ++r) {
        int lastTested = first;
        const bool match = Matches(table.ClauseAt(r), options, lastTested);
        if (match || r == n) {
            found_ = match;
            out.found = match;
            out.row = r;
            out.col = lastTested;
            break;
        }
    }
    return out;
}

ReplacePlan Search::PlanReplace(const ModeTable& table, const SearchOptions& options) const {
    ReplacePlan plan;
    const int r = table.CurrentRow(), n = table.ClauseCount();
    plan.cursorRow = r;
    plan.cursorCol = table.CurrentCol();
    if (!found_ || r < 1 || r > n) return plan;

    const ReplaceMode mode(options);
    plan.row = r;
    plan.setsChanged = mode.changes;
    if (mode.remove) {
        plan.action = ReplaceAction::Delete;
        plan.wasLastRow = r == n;
        plan.cursorRow = r == n ? n - 1 : r;
        return plan;
    }
    plan.action = mode.duplicate ? ReplaceAction::DuplicateAndChange : ReplaceAction::Change;
    plan.clause = ChangedClause(table.ClauseAt(r), options);
    if (mode.duplicate) plan.cursorRow = r + 1;
    if (mode.lastReplaced >= 0) plan.cursorCol = mode.lastReplaced;
    return plan;
}

void Search::NoteApplied(const ReplacePlan& plan) {
    if (plan.action == ReplaceAction::None) return;
    deleted_ = plan.action == ReplaceAction::Delete;
    deletedLast_ = deleted_ && plan.wasLastRow;
}

ReplaceAllResult Search::ReplaceAll(const ModeTable& table, const SearchOptions& options) {
    ReplaceAllResult res;
    const int n = table.ClauseCount();
    // The pass starts afresh at row 1.
    found_ = false;
    res.row = n > 0 ? 1 : 0;
    res.col = table.CurrentCol();
    const int first = FirstChecked(options.findOn);
    if (first < 0) return res;
    res.col = first;
    if (options.findText[size_t(first)].empty()) return res;

    // One search after another, each starting where the last replacement
    // left off, never wrap: so every clause is examined once, in order, and
    // the new table is the unchanged clauses with the handled ones changed,
    // doubled or left out. The copy starts at the first match.
    const ReplaceMode mode(options);
    std::vector<Clause> out;
    int rows = 0;  // rows of the new table so far
    deleted_ = false;
    for (int r = 1; r <= n; ++r) {
        const Clause& clause = table.ClauseAt(r);
        int col = first;
        if (!Matches(clause, options, col)) {
            if (mode.changes && res.matched > 0) out.push_back(clause);
            ++rows;
            if (r == n) {  // the last search found nothing
                found_ = false;
                res.row = rows;
                res.col = col;
            }
            continue;
        }
        if (mode.changes && res.matched == 0) {
            out.reserve(size_t(mode.duplicate ? 2 * n : n));
            for (int k = 1; k < r; ++k) out.push_back(table.ClauseAt(k));
        }
        ++res.matched;
        found_ = true;
        if (mode.remove) {
            ++res.deleted;
            // Only a deletion of the last row ends the pass with the note
            // standing; otherwise the next search uses and clears it.
            deleted_ = deletedLast_ = r == n;
            res.row = r == n ? rows : rows + 1;
        } else {
            if (mode.duplicate) {
                out.push_back(clause);
                ++rows;
                ++res.duplicated;
            }
            if (mode.changes) out.push_back(ChangedClause(clause, options));
            ++rows;
            res.row = rows;
            if (mode.lastReplaced >= 0) col = mode.lastReplaced;
        }
        res.col = col;
    }
    res.changed = mode.changes && res.matched > 0;
    if (res.changed) res.clauses = std::move(out);
    return res;
}

}  // namespace vel
