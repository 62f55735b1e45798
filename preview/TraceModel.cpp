#include "preview/TraceModel.h"

#include <string_view>

#include "mode/ByteCodec.h"

namespace vel {

QColor UnreadMarkColor() { return QColor(255, 205, 205); }

void TraceModel::SetTrace(std::string input, Transcription transcription) {
    beginResetModel();
    input_ = std::move(input);
    transcription_ = std::move(transcription);
    endResetModel();
}

int TraceModel::RowOfStep(int step) const {
    if (step < 0 || size_t(step) >= transcription_.steps.size()) return 0;
    return transcription_.steps[size_t(step)].row;
}

void TraceModel::SetFonts(const QFont& roman, const QFont& tengwar) {
    roman_ = roman;
    tengwar_ = tengwar;
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, ColCount - 1), {Qt::FontRole});
}

int TraceModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(transcription_.steps.size());
}

int TraceModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColCount; }

QVariant TraceModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || size_t(index.row()) >= transcription_.steps.size()) return {};
    const TraceStep& step = transcription_.steps[size_t(index.row())];
    switch (role) {
        case Qt::DisplayRole:
            switch (index.column()) {
                case ColAt:
                    return step.length > 1 ? QStringLiteral("%1-%2").arg(step.start + 1).arg(step.start + step.length)
                                           : QString::number(step.start + 1);
                case ColInput:
                    return BytesToQString(std::string_view(input_).substr(step.start, step.length));
                case ColRow:
                    return step.row > 0 ? QString::number(step.row) : QStringLiteral("none");
                case ColTengwar:
                    return BytesToQString(step.written);
                case ColId:
                    return BytesToQString(step.id);
                default:
                    return {};
            }
        case Qt::FontRole:
            if (index.column() == ColInput) return roman_;
            if (index.column() == ColTengwar || index.column() == ColId) return tengwar_;
            return {};
        case Qt::BackgroundRole:
            if (step.row == 0) return UnreadMarkColor();
            return {};
        case Qt::ForegroundRole:
            if (step.row == 0) return QColor(Qt::black);
            return {};
        case Qt::ToolTipRole:
            return step.row > 0 ? QStringLiteral("Written by row %1").arg(step.row)
                                : QStringLiteral("No clause applies here: written as typed");
        case Qt::TextAlignmentRole:
            return index.column() == ColAt || index.column() == ColRow ? int(Qt::AlignRight | Qt::AlignVCenter)
                                                                       : int(Qt::AlignLeft | Qt::AlignVCenter);
        default:
            return {};
    }
}

QVariant TraceModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const char* const kCaptions[ColCount] = {"At", "Input", "Row", "Tengwar", "ID"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColCount) return {};
    return QString::fromLatin1(kCaptions[section]);
}

}  // namespace vel
