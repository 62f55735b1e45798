#include "mode/ModeModel.h"

#include <algorithm>

#include "mode/ByteCodec.h"
#include "mode/ModeFile.h"

namespace vel {

ModeModel::ModeModel(QObject* parent) : QAbstractTableModel(parent) { doc_.SetObserver(this); }

ModeModel::~ModeModel() { doc_.SetObserver(nullptr); }

int ModeModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : doc_.Table().ClauseCount(); }

int ModeModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant ModeModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const std::string_view cell = doc_.Table().Cell(index.row() + 1, index.column());
    switch (role) {
        case Qt::DisplayRole:
            // Control bytes (the marker above all) would show as nothing.
            return VisibleText(cell);
        case Qt::EditRole:
            return BytesToQString(cell);
        case Qt::FontRole:
            return ColumnFont(index.column());
        case Qt::TextAlignmentRole:
            return int(Qt::AlignHCenter | Qt::AlignTop);
        case Qt::ForegroundRole:
            // A sign alone is drawn muted, so it does not read as a glyph.
            if (!cell.empty() && std::all_of(cell.begin(), cell.end(), [](char b) {
                    return static_cast<unsigned char>(b) < 0x20 || b == 0x7F;
                }))
                return mutedText_;
            return {};
        case Qt::ToolTipRole:
            if (cell == std::string_view(&kNonAlphanumeric, 1)) return QStringLiteral("Non-alphanumeric");
            return {};
        default:
            return {};
    }
}

Qt::ItemFlags ModeModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    return index.isValid() ? f | Qt::ItemIsEditable : f;
}

bool ModeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    std::string text = QStringToBytes(value.toString());
    if (text == doc_.Table().Cell(index.row() + 1, index.column())) return false;  // nothing edited: no step
    doc_.EditCell(index.row() + 1, index.column(), std::move(text));
    return true;
}

QVariant ModeModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal) {
        if (role == Qt::DisplayRole && section >= 0 && section < kColumnCount)
            return QString::fromLatin1(kColumnCaptions[section]);
        if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
        if (role == Qt::FontRole) return romanFont_;
        return {};
    }
    if (role == Qt::DisplayRole) return section + 1;
    return {};
}

void ModeModel::SetFonts(const QFont& roman, const QFont& tengwar) {
    romanFont_ = roman;
    tengwarFont_ = tengwar;
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1), {Qt::FontRole});
    emit headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
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
