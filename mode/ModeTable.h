#pragma once
// The open mode as data: clause rows 1 to N under the header row 0, the
// mode-level comment and case flag, and the cursor the grid shows. The
// table sets no flag and shows nothing; the commands that call it do that.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "mode/Clause.h"

namespace vel {

class ModeTable {
public:
    // Rows including the header: N + 1, at least 1.
    int RowCount() const { return int(rows_.size()) + 1; }
    // Cuts the table to n rows or adds empty rows at the end up to n.
    void SetRowCount(int n);
    int ClauseCount() const { return int(rows_.size()); }

    // Row 0 reads the captions; writes to it are ignored. Rows beyond the
    // table read as empty.
    std::string_view Cell(int row, int col) const;
    void SetCell(int row, int col, std::string_view text);

    std::string RowText(int row) const;  // empty for a row that is not a clause
    const Clause& ClauseAt(int row) const { return rows_[size_t(row - 1)]; }

    // p from 1 to N + 1; the rows from p down move one lower.
    void InsertRow(std::string_view rowText, int p);
    void InsertClause(Clause clause, int p);
    // Inserts clauses[0] at p, clauses[1] at p + 1 and so on, in one pass.
    void InsertClauses(std::vector<Clause> clauses, int p);
    void AppendRow(std::string_view rowText);
    void AppendClause(Clause clause);
    void AppendClauses(std::vector<Clause> clauses);
    // Room for n clauses in all, so that inserting up to there cannot fail
    // half-way; throws std::bad_alloc when there is no room.
    void Reserve(size_t n) { rows_.reserve(n); }
    // False when r is not a clause row.
    bool DeleteRow(int r);

    const std::string& Comment() const { return comment_; }
    void SetComment(std::string comment) { comment_ = std::move(comment); }
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool on) { caseSensitive_ = on; }

    int CurrentRow() const { return currentRow_; }
    void SetCurrentRow(int row);
    int CurrentCol() const { return currentCol_; }
    void SetCurrentCol(int col);
    int SelectionEndCol() const { return selectionEndCol_; }
    void SetSelectionEndCol(int col);

    // Empties comment, case flag and clause rows; the document's ClearMode
    // adds the flag and the view's refresh.
    void Clear();

    const std::vector<Clause>& Clauses() const { return rows_; }
    void ReplaceClauses(std::vector<Clause> clauses);

    // The primitives that the edit layer undoes and redoes with.
    // Moves count rows from first on out of the table, in order.
    std::vector<Clause> TakeRows(int first, int count);
    // The clause of row `from` becomes row `to`; the rows between shift by one.
    void MoveRow(int from, int to);
    void SwapClause(int row, Clause& other);
    void SwapClauses(std::vector<Clause>& other);
    // Row i of the result is old row order[i] + 1 (order is a permutation
    // of 0 .. N - 1); Scatter undoes Gather with the same order.
    void Gather(const std::vector<uint32_t>& order);
    void Scatter(const std::vector<uint32_t>& order);

private:
    // Applies the cursor rule after the row count changed from oldCount.
    void FixCursor(int oldCount);

    std::vector<Clause> rows_;
    std::string comment_;
    bool caseSensitive_ = false;
    int currentRow_ = 0;
    int currentCol_ = 0;
    int selectionEndCol_ = 0;
};

}  // namespace vel
