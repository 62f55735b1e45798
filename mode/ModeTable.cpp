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

std::vector<Clause> ModeTable::TakeRows(int first, int count) {
    const int old = ClauseCount();
    first = std::clamp(first, 1, old + 1);
    count = std::clamp(count, 0, old + 1 - first);
    const auto from = rows_.begin() + (first - 1);
    std::vector<Clause> taken(std::make_move_iterator(from), std::make_move_iterator(from + count));
    rows_.erase(from, from + count);
    FixCursor(old);
    return taken;
}

void ModeTable::MoveRow(int from, int to) {
    const int n = ClauseCount();
    if (from < 1 || from > n || to < 1 || to > n || from == to) return;
    const auto a = rows_.begin() + (from - 1), b = rows_.begin() + (to - 1);
    if (from < to)
        std::rotate(a, a + 1, b + 1);
    else
        std::rotate(b, a, a + 1);
}

void ModeTable::SwapClause(int row, Clause& other) {
    if (row >= 1 && row <= ClauseCount()) std::swap(rows_[size_t(row - 1)], other);
}

void ModeTable::SwapClauses(std::vector<Clause>& other) {
    const int old = ClauseCount();
    rows_.swap(other);
    FixCursor(old);
}

void ModeTable::Gather(const std::vector<uint32_t>& order) {
    if (order.size() != rows_.size()) return;
    // The rows lie scattered in memory and their places are known in
    // advance, so the reads of rows a few steps ahead are started early:
    // waiting for each in turn would dominate.
    std::vector<Clause> sorted;
    sorted.reserve(rows_.capacity());
    constexpr size_t kAhead = 8;
    for (size_t i = 0; i < order.size(); ++i) {
#if defined(__GNUC__) || defined(__clang__)
        if (i + kAhead < order.size()) {
            const char* ahead = reinterpret_cast<const char*>(&rows_[order[i + kAhead]]);
            __builtin_prefetch(ahead);
            __builtin_prefetch(ahead + sizeof(Clause) - 1);
        }
#endif
        sorted.push_back(std::move(rows_[order[i]]));
    }
    rows_.swap(sorted);
}

void ModeTable::Scatter(const std::vector<uint32_t>& order) {
    std::vector<uint32_t> inverse(order.size());
    for (size_t i = 0; i < order.size(); ++i) inverse[order[i]] = uint32_t(i);
    Gather(inverse);
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
