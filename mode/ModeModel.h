#pragma once
// The grid's view of the one open mode, and the only door to the document
// in the windows: it owns the document, hands it out for reading, and
// forwards every edit to it. The document announces each change of rows
// before and after, which the model passes on as Qt's insert, remove, move
// and reset signals, so the grid always follows. Model row i is table row
// i + 1; the header row is the view's header.
#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <string>
#include <vector>

#include "mode/ModeDocument.h"

namespace vel {

struct ModeResult;

class ModeModel : public QAbstractTableModel, private ModeObserver {
    Q_OBJECT
public:
    explicit ModeModel(QObject* parent = nullptr);
    ~ModeModel() override;

    const ModeDocument& Document() const { return doc_; }
    const ModeTable& Table() const { return doc_.Table(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // Cells are edited in place (F2 on the grid): one step of the history.
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // The display fonts: Roman for columns 0 and 2 and the header, Tengwar
    // for 1, 3 and 4; and the colour of a cell that holds only signs for
    // control bytes.
    void SetFonts(const QFont& roman, const QFont& tengwar);
    void SetMutedText(const QColor& color) { mutedText_ = color; }
    const QFont& ColumnFont(int col) const;

    // ---- The document's edits (see ModeDocument), in table rows 1 to N.
    void AddClauses(std::vector<Clause> clauses, const std::string& name) { doc_.AddClauses(std::move(clauses), name); }
    void PasteClauses(std::vector<Clause> clauses) { doc_.PasteClauses(std::move(clauses)); }
    void RemoveRow(int r, const std::string& name) { doc_.RemoveRow(r, name); }
    void MoveRow(int from, int to, const std::string& name) { doc_.MoveRow(from, to, name); }
    void Reorder(std::vector<uint32_t> order, bool optimized, const std::string& name) {
        doc_.Reorder(std::move(order), optimized, name);
    }
    void ReplaceClause(int r, Clause clause, bool keepCopy, int col, const std::string& name) {
        doc_.ReplaceClause(r, std::move(clause), keepCopy, col, name);
    }
    void EditCell(int r, int col, std::string text) { doc_.EditCell(r, col, std::move(text)); }
    void ReplaceAllClauses(std::vector<Clause> clauses, const Cursor& after, const std::string& name) {
        doc_.ReplaceAllClauses(std::move(clauses), after, name);
    }
    void SetComment(std::string comment) { doc_.SetComment(std::move(comment)); }
    void EndTyping() { doc_.EndTyping(); }
    void SetCaseSensitive(bool on) { doc_.SetCaseSensitive(on); }
    void ClearMode() { doc_.ClearMode(); }
    void LoadClauses(std::vector<Clause> clauses) { doc_.LoadClauses({}, false, true, std::move(clauses), true); }
    bool Undo() { return doc_.Undo(); }
    bool Redo() { return doc_.Redo(); }

    // The mode file: LoadMode and SaveMode on the document.
    ModeResult Load(const std::string& path, bool boolAppend);
    ModeResult Save(const std::string& path);
    void SetModeFile(std::string name, std::string file) { doc_.SetModeFile(std::move(name), std::move(file)); }

    // A cursor move that is no edit (a search, a click in a list): the grid
    // shows it and scrolls to it.
    void MoveCursor(const Cursor& cursor);
    // The grid's own cursor moves; the grid already shows them.
    void SetCursorFromView(const Cursor& cursor) { doc_.SetCursor(cursor); }

signals:
    // After every operation of the document: rows, comment, case flag,
    // flags, cursor or history may have changed.
    void modeChanged();
    // The cursor moved by MoveCursor.
    void cursorMoved();

private:
    void RowsAboutToChange(const RowChange& change) override;
    void RowsChanged(const RowChange& change) override;
    void ModeChanged() override { emit modeChanged(); }

    ModeDocument doc_;
    QFont romanFont_;
    QFont tengwarFont_;
    QColor mutedText_ = Qt::gray;
    bool moving_ = false;  // a move the view could take as one
};

}  // namespace vel
