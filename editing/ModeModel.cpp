#include "editing/ModeModel.h"

#include <algorithm>

#include "mode/ByteCodec.h"

namespace vel {

ModeModel::ModeModel(ModeDocument& doc, QObject* parent) : QAbstractTableModel(parent), doc_(doc) {}

int ModeModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : doc_.table.ClauseCount();
}

int ModeModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant ModeModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return BytesToQString(doc_.table.Cell(index.row() + 1, index.column()));
        case Qt::FontRole:
            return ColumnFont(index.column());
        case Qt::TextAlignmentRole:
            return int(Qt::AlignHCenter | Qt::AlignTop);
        default:
            return {};
    }
}

QVariant ModeModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal) {
        if (role == Qt::DisplayRole && section >= 0 && section < kColumnCount)
            return QString::fromLatin1(kColumnCaptions[section]);
        if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
        return {};
    }
    if (role == Qt::DisplayRole) return section + 1;
    return {};
}

void ModeModel::SetFonts(const QFont& roman, const QFont& tengwar) {
    romanFont_ = roman;
    tengwarFont_ = tengwar;
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1), {Qt::FontRole});
}

const QFont& ModeModel::ColumnFont(int col) const {
    return (col == ColRoman || col == ColIfNextRoman) ? romanFont_ : tengwarFont_;
}

void ModeModel::InsertRow(const std::string& rowText, int p) {
    InsertClauses({ParseRowText(rowText)}, p);
}

void ModeModel::InsertClauses(std::vector<Clause> clauses, int p) {
    if (clauses.empty()) return;
    const int n = doc_.table.ClauseCount();
    p = std::clamp(p, 1, n + 1);
    beginInsertRows({}, p - 1, p - 1 + int(clauses.size()) - 1);
    doc_.table.InsertClauses(std::move(clauses), p);
    endInsertRows();
    emit rowsChangedByCommand();
}

bool ModeModel::DeleteRow(int r) {
    if (r < 1 || r > doc_.table.ClauseCount()) return false;
    beginRemoveRows({}, r - 1, r - 1);
    doc_.table.DeleteRow(r);
    endRemoveRows();
    emit rowsChangedByCommand();
    return true;
}

void ModeModel::SetCell(int row, int col, std::string text) {
    if (row < 1 || row > doc_.table.ClauseCount()) return;
    doc_.table.SetCell(row, col, std::move(text));
    const QModelIndex i = index(row - 1, col);
    emit dataChanged(i, i, {Qt::DisplayRole, Qt::EditRole});
}

void ModeModel::SetRowCount(int n) {
    const int old = doc_.table.RowCount();
    n = std::max(n, 1);
    if (n > old) {
        beginInsertRows({}, old - 1, n - 2);
        doc_.table.SetRowCount(n);
        endInsertRows();
    } else if (n < old) {
        beginRemoveRows({}, n - 1, old - 2);
        doc_.table.SetRowCount(n);
        endRemoveRows();
    } else {
        return;
    }
    emit rowsChangedByCommand();
}

void ModeModel::Reset(const std::function<void(ModeDocument&)>& fn) {
    beginResetModel();
    fn(doc_);
    endResetModel();
    emit rowsChangedByCommand();
}

}  // namespace vel
