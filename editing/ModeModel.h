#pragma once
// The grid's view of the one open mode. Every change to the table that the
// windows make goes through here, so the view follows; whole-table work
// (load, sort, clear) is one reset. Rows of the model are clause rows 1 to N
// (model row i is table row i + 1); the header row is the view's header.
#include <QAbstractTableModel>
#include <QFont>
#include <functional>
#include <string>
#include <vector>

#include "mode/ModeDocument.h"

namespace vel {

class ModeModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ModeModel(ModeDocument& doc, QObject* parent = nullptr);

    ModeDocument& Document() { return doc_; }
    ModeTable& Table() { return doc_.table; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The display fonts: Roman for columns 0 and 2, Tengwar for 1, 3 and 4.
    void SetFonts(const QFont& roman, const QFont& tengwar);
    const QFont& ColumnFont(int col) const;

    // Table operations, in table row numbers (1 to N), keeping the view in step.
    void InsertRow(const std::string& rowText, int p);
    void InsertClauses(std::vector<Clause> clauses, int p);
    bool DeleteRow(int r);
    void SetCell(int row, int col, std::string text);
    void SetRowCount(int n);
    // Runs fn on the document as one reset of the view (loads, sorts, clears).
    void Reset(const std::function<void(ModeDocument&)>& fn);

signals:
    // Emitted after any change of the rows (inserted, removed, reset).
    void rowsChangedByCommand();

private:
    ModeDocument& doc_;
    QFont romanFont_;
    QFont tengwarFont_;
};

}  // namespace vel
