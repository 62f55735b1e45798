#pragma once
// The preview's trace as a list: one line per step of the reading, with the
// characters read and where they stand, the row of the clause used, what it
// wrote and the ID it left. Steps no clause read are marked.
#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <string>

#include "preview/Reading.h"

namespace vel {

// The colour of what no clause wrote, in the output and in the trace.
QColor UnreadMarkColor();

class TraceModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ColAt, ColInput, ColRow, ColTengwar, ColId, ColCount };

    explicit TraceModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    // The input (as typed) and its transcription.
    void SetTrace(std::string input, Transcription transcription);
    const Transcription& Trace() const { return transcription_; }
    // The table row of step i; 0 when no clause read it.
    int RowOfStep(int step) const;

    // Roman for the input, Tengwar for what was written and the ID.
    void SetFonts(const QFont& roman, const QFont& tengwar);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::string input_;
    Transcription transcription_;
    QFont roman_;
    QFont tengwar_;
};

}  // namespace vel
