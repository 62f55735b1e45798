#pragma once
// The sample texts of the open mode as a list: each sample's Roman text,
// the Tengwar expected and, when they differ, what the mode writes now. It
// holds the samples file as it was read (comment and unreadable lines are
// kept in place for writing back), knows whether the samples changed since
// they were read or written, and reads and writes the file beside a mode
// file. Results come from a transcriber the pane hands in, so every sample
// runs through the pane's one reading index.
#include <QAbstractTableModel>
#include <QFont>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "preview/Samples.h"

namespace vel {

class SamplesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ColResult, ColRoman, ColExpected, ColActual, ColCount };
    using Transcriber = std::function<std::string(const std::string& roman)>;

    explicit SamplesModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void SetTranscriber(Transcriber transcriber) { transcriber_ = std::move(transcriber); }
    // Runs every sample again (after a change of the table).
    void Rerun();

    const SamplesFile& File() const { return file_; }
    int SampleCount() const { return int(file_.samples.size()); }
    int PassCount() const;
    bool Passes(int i) const { return i >= 0 && size_t(i) < results_.size() && results_[size_t(i)].pass; }
    const std::string& Actual(int i) const { return results_.at(size_t(i)).actual; }

    // The samples changed since they were read or last written.
    bool Changed() const { return changed_; }

    // Adds a sample after the last; returns its index.
    int Add(Sample sample);
    void Remove(int i);
    // The sample's expected Tengwar becomes what the mode writes now.
    void AcceptActual(int i);

    // The samples file beside modeFile: read when it exists, no samples
    // otherwise (and for an empty name). Returns the message of a file that
    // is there but cannot be read.
    QString ReadFor(const QString& modeFile);
    // Writes the samples file beside modeFile when there is something to
    // keep: samples or kept lines, or removals since the file was read (so a
    // removal sticks). Returns the message of a failed write.
    QString WriteFor(const QString& modeFile);
    // Lines of the file read that are neither samples nor comments.
    int BadLineCount() const { return int(file_.bad.size()); }

    void SetFonts(const QFont& roman, const QFont& tengwar);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    // After every change of the samples or their results.
    void samplesChanged();

private:
    SampleResult Run(const Sample& sample) const;
    void Replace(SamplesFile file);

    SamplesFile file_;
    std::vector<SampleResult> results_;
    Transcriber transcriber_;
    bool changed_ = false;
    QFont roman_;
    QFont tengwar_;
};

}  // namespace vel
