#include "mode/ModeModel.h"

#include "mode/ByteCodec.h"
#include "mode/ModeFile.h"

namespace vel {

ModeModel::ModeModel(QObject* parent) : QAbstractTableModel(parent) { doc_.SetObserver(this); }

ModeModel::~ModeModel() { doc_.SetObserver(nullptr); }

int ModeModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : doc_.Table().ClauseCount(); }

int ModeModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant ModeModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return BytesToQString(doc_.Table().Cell(index.row() + 1, index.column()));
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

ModeResult ModeModel::Load(const std::string& path, bool boolAppend) { return LoadMode(doc_, path, boolAppend); }

ModeResult ModeModel::Save(const std::string& path) {
    const ModeResult result = SaveMode(doc_, path);
    emit modeChanged();  // the change flag may have cleared
    return result;
}

void ModeModel::MoveCursor(const Cursor& cursor) {
    doc_.SetCursor(cursor);
    emit cursorMoved();
}

void ModeModel::RowsAboutToChange(const RowChange& change) {
    using Kind = RowChange::Kind;
    switch (change.kind) {
        case Kind::Inserted:
            beginInsertRows({}, change.first - 1, change.first + change.count - 2);
            break;
        case Kind::Removed:
            beginRemoveRows({}, change.first - 1, change.first + change.count - 2);
            break;
        case Kind::Moved: {
            // Qt names the row before which the clause goes, counted before the move.
            const int destination = change.to > change.first ? change.to : change.to - 1;
            moving_ = beginMoveRows({}, change.first - 1, change.first - 1, {}, destination);
            if (!moving_) beginResetModel();
            break;
        }
        case Kind::Changed:
            break;
        case Kind::Reset:
            beginResetModel();
            break;
    }
}

void ModeModel::RowsChanged(const RowChange& change) {
    using Kind = RowChange::Kind;
    switch (change.kind) {
        case Kind::Inserted:
            endInsertRows();
            break;
        case Kind::Removed:
            endRemoveRows();
            break;
        case Kind::Moved:
            if (moving_)
                endMoveRows();
            else
                endResetModel();
            moving_ = false;
            break;
        case Kind::Changed:
            emit dataChanged(index(change.first - 1, 0), index(change.first + change.count - 2, kColumnCount - 1));
            break;
        case Kind::Reset:
            endResetModel();
            break;
    }
}

}  // namespace vel
