#include "mode/ModeTable.h"

#include <algorithm>
#include <iterator>

namespace vel {

namespace {
int ClampCol(int col) { return std::clamp(col, 0, kColumnCount - 1); }
}  // namespace

void ModeTable::SetRowCount(int n) {
    const int old = ClauseCount();
    rows_.resize(size_t(std::max(n, 1) - 1));
    FixCursor(old);
}

std::string_view ModeTable::Cell(int row, int col) const {
    if (col < 0 || col >= kColumnCount) return {};
    if (row <= 0) return kColumnCaptions[col];
    if (row > ClauseCount()) return {};
    return rows_[size_t(row - 1)].Field(col);
}

void ModeTable::SetCell(int row, int col, std::string_view text) {
    if (row <= 0 || row > ClauseCount() || col < 0 || col >= kColumnCount) return;
    rows_[size_t(row - 1)].SetField(col, text);
}

std::string ModeTable::RowText(int row) const {
    if (row < 1 || row > ClauseCount()) return {};
    return vel::RowText(ClauseAt(row));
}

void ModeTable::InsertRow(std::string_view rowText, int p) { InsertClause(ParseRowText(rowText), p); }

void ModeTable::InsertClause(Clause clause, int p) {
    const int old = ClauseCount();
    p = std::clamp(p, 1, old + 1);
    rows_.insert(rows_.begin() + (p - 1), std::move(clause));
    FixCursor(old);
}

void ModeTable::InsertClauses(std::vector<Clause> clauses, int p) {
    if (clauses.empty()) return;
    const int old = ClauseCount();
    p = std::clamp(p, 1, old + 1);
    rows_.insert(rows_.begin() + (p - 1), std::make_move_iterator(clauses.begin()),
                 std::make_move_iterator(clauses.end()));
    FixCursor(old);
}

void ModeTable::AppendRow(std::string_view rowText) { AppendClause(ParseRowText(rowText)); }

void ModeTable::AppendClause(Clause clause) {
    const int old = ClauseCount();
    rows_.push_back(std::move(clause));
    FixCursor(old);
}

void ModeTable::AppendClauses(std::vector<Clause> clauses) {
    if (clauses.empty()) return;
    const int old = ClauseCount();
    if (rows_.empty()) {
        rows_ = std::move(clauses);
    } else {
        rows_.insert(rows_.end(), std::make_move_iterator(clauses.begin()), std::make_move_iterator(clauses.end()));
    }
    FixCursor(old);
}

bool ModeTable::DeleteRow(int r) {
    if (r < 1 || r > ClauseCount()) return false;
    const int old = ClauseCount();
    rows_.erase(rows_.begin() + (r - 1));
    FixCursor(old);
    return true;
}

void ModeTable::SetCurrentRow(int row) {
    currentRow_ = rows_.empty() ? 0 : std::clamp(row, 1, ClauseCount());
}

void ModeTable::SetCurrentCol(int col) { currentCol_ = ClampCol(col); }
void ModeTable::SetSelectionEndCol(int col) { selectionEndCol_ = ClampCol(col); }

void ModeTable::Clear() {
    comment_.clear();
    caseSensitive_ = false;
    SetRowCount(1);
}

void ModeTable::ReplaceClauses(std::vector<Clause> clauses) {
    const int old = ClauseCount();
    rows_ = std::move(clauses);
    FixCursor(old);
}

void ModeTable::FixCursor(int oldCount) {
    const int n = ClauseCount();
    if (n == 0) {
        currentRow_ = 0;
    } else if (oldCount == 0 || currentRow_ < 1) {
        currentRow_ = 1;
    } else if (currentRow_ > n) {
        currentRow_ = n;
    }
}

}  // namespace vel
