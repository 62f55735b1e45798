#include "preview/SamplesModel.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QStyle>
#include <algorithm>

#include "mode/ByteCodec.h"
#include "preview/TraceModel.h"

namespace vel {

namespace {

std::string NativePath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

SampleResult SamplesModel::Run(const Sample& sample) const {
    SampleResult r;
    if (transcriber_) r.actual = transcriber_(sample.roman);
    r.pass = r.actual == sample.expected;
    return r;
}

void SamplesModel::Rerun() {
    results_.clear();
    results_.reserve(file_.samples.size());
    for (const Sample& s : file_.samples) results_.push_back(Run(s));
    if (!results_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, ColCount - 1));
    emit samplesChanged();
}

int SamplesModel::PassCount() const {
    return int(std::count_if(results_.begin(), results_.end(), [](const SampleResult& r) { return r.pass; }));
}

void SamplesModel::Replace(SamplesFile file) {
    beginResetModel();
    file_ = std::move(file);
    results_.clear();
    for (const Sample& s : file_.samples) results_.push_back(Run(s));
    changed_ = false;
    endResetModel();
    emit samplesChanged();
}

int SamplesModel::Add(Sample sample) {
    const int at = SampleCount();
    beginInsertRows({}, at, at);
    sample.line = 0;
    results_.push_back(Run(sample));
    file_.InsertSample(size_t(at), std::move(sample));
    changed_ = true;
    endInsertRows();
    emit samplesChanged();
    return at;
}

void SamplesModel::Remove(int i) {
    if (i < 0 || i >= SampleCount()) return;
    beginRemoveRows({}, i, i);
    file_.RemoveSample(size_t(i));
    results_.erase(results_.begin() + i);
    changed_ = true;
    endRemoveRows();
    emit samplesChanged();
}

void SamplesModel::AcceptActual(int i) {
    if (i < 0 || i >= SampleCount() || results_[size_t(i)].pass) return;
    setData(index(i, ColExpected), BytesToQString(results_[size_t(i)].actual));
}

QString SamplesModel::ReadFor(const QString& modeFile) {
    SamplesFile file;
    QString message;
    if (!modeFile.isEmpty()) {
        std::string error;
        if (ReadSamplesFile(SamplesPathFor(NativePath(modeFile)), file, error) == SamplesRead::Failed)
            message = QString::fromLocal8Bit(error);
    }
    Replace(std::move(file));
    return message;
}

QString SamplesModel::WriteFor(const QString& modeFile) {
    const std::string path = SamplesPathFor(NativePath(modeFile));
    const bool nothing = file_.samples.empty() && file_.kept.empty();
    // Samples are what the file is for; without any, it is written only to
    // make a removal stick, and never made from nothing.
    if ((file_.samples.empty() && !changed_) ||
        (nothing && !QFileInfo::exists(QFile::decodeName(QByteArray::fromStdString(path))))) {
        if (changed_) {
            changed_ = false;
            emit samplesChanged();
        }
        return {};
    }
    std::string error;
    if (!WriteSamplesFile(path, file_, error)) {
        // The mode's file has no samples beside it now: they are unsaved.
        changed_ = true;
        emit samplesChanged();
        return QString::fromLocal8Bit(error);
    }
    changed_ = false;
    emit samplesChanged();
    return {};
}

void SamplesModel::SetFonts(const QFont& roman, const QFont& tengwar) {
    roman_ = roman;
    tengwar_ = tengwar;
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, ColCount - 1), {Qt::FontRole});
}

int SamplesModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : SampleCount(); }

int SamplesModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColCount; }

QVariant SamplesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= SampleCount()) return {};
    const Sample& sample = file_.samples[size_t(index.row())];
    const bool pass = Passes(index.row());
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            switch (index.column()) {
                case ColResult:
                    return pass ? QStringLiteral("pass") : QStringLiteral("fail");
                case ColRoman:
                    return BytesToQString(sample.roman);
                case ColExpected:
                    return BytesToQString(sample.expected);
                case ColActual:
                    // What differs is what matters; a passing sample shows nothing here.
                    return pass ? QString() : BytesToQString(Actual(index.row()));
                default:
                    return {};
            }
        case Qt::DecorationRole:
            if (index.column() != ColResult) return {};
            return QApplication::style()->standardIcon(pass ? QStyle::SP_DialogApplyButton
                                                            : QStyle::SP_DialogCancelButton);
        case Qt::FontRole:
            if (index.column() == ColRoman) return roman_;
            if (index.column() == ColExpected || index.column() == ColActual) return tengwar_;
            return {};
        case Qt::BackgroundRole:
            if (!pass && index.column() == ColResult) return UnreadMarkColor();
            return {};
        case Qt::ForegroundRole:
            if (!pass && index.column() == ColResult) return QColor(Qt::black);
            return {};
        case Qt::ToolTipRole:
            if (index.column() == ColRoman || index.column() == ColExpected)
                return QStringLiteral("Double-click or F2 to edit");
            return {};
        default:
            return {};
    }
}

bool SamplesModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.row() >= SampleCount()) return false;
    if (index.column() != ColRoman && index.column() != ColExpected) return false;
    const std::string bytes = QStringToBytes(value.toString());
    Sample& sample = file_.samples[size_t(index.row())];
    std::string& field = index.column() == ColRoman ? sample.roman : sample.expected;
    // A sample needs a Roman text to be one.
    if (field == bytes || (index.column() == ColRoman && bytes.empty())) return false;
    field = bytes;
    results_[size_t(index.row())] = Run(sample);
    changed_ = true;
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), ColCount - 1));
    emit samplesChanged();
    return true;
}

Qt::ItemFlags SamplesModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.column() == ColRoman || index.column() == ColExpected) f |= Qt::ItemIsEditable;
    return f;
}

QVariant SamplesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const char* const kCaptions[ColCount] = {"Result", "Roman", "Expected", "Written now"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColCount) return {};
    return QString::fromLatin1(kCaptions[section]);
}

}  // namespace vel
