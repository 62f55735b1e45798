#pragma once
// The preview pane: a Roman text, what the open mode writes for it in the
// Tengwar font, the trace of which clause wrote what, and the mode's sample
// texts with pass or fail. The output follows every keystroke and every
// change of the table. The reading index is rebuilt lazily: a change of the
// table only marks it stale (and, while the pane is shown, starts a short
// pause), so the table's commands never wait for it; the next transcription
// after the change, or the end of the pause, rebuilds it.
#include <QFont>
#include <QTimer>
#include <QWidget>
#include <string>

#include "preview/Reading.h"

class QLabel;
class QSpinBox;
class QSplitter;
class QTableView;
class QTextEdit;

namespace vel {

class ByteLineEdit;
class ModeModel;
class SamplesModel;
class SamplesPanel;
class TraceModel;

class PreviewPane : public QWidget {
    Q_OBJECT
public:
    // The output's size at a zoom of 100 %.
    static constexpr qreal kOutputPoints = 24.0;
    static constexpr int kPauseMs = 150;

    PreviewPane(ModeModel& model, QWidget* parent = nullptr);

    // The grid's display fonts: Roman for the input, the trace's input and
    // the samples' Roman texts; Tengwar for what the trace and samples show
    // written. The output takes the Tengwar font at kOutputPoints times the
    // zoom, enlarged as the grid enlarges it over the Roman font.
    void SetFonts(const QFont& roman, const QFont& tengwar);
    // In percent of kOutputPoints.
    void SetZoom(int percent);
    int Zoom() const;

    SamplesModel& Samples() { return *samples_; }
    const Transcription& Current() const;

    ByteLineEdit* Input() const { return input_; }
    QTextEdit* Output() const { return output_; }
    QTableView* TraceView() const { return trace_; }
    SamplesPanel* SamplesList() const { return samplesPanel_; }
    QLabel* Note() const { return note_; }
    QLabel* Marks() const { return marks_; }
    QSpinBox* ZoomBox() const { return zoom_; }

    // Transcribes the input again now (rebuilding the index first when the
    // table changed); the pane calls it itself on each keystroke and after
    // the pause that follows a change of the table.
    void Refresh();

signals:
    // A trace line asks for its clause's row to become the grid's current row.
    void rowRequested(int row);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void TableChanged();
    const ReadingIndex& Index();
    void ShowOutput();
    void HighlightStep(int step);

    ModeModel& model_;
    ReadingIndex index_;
    bool stale_ = true;
    QTimer pause_;

    QSplitter* split_;
    bool splitSized_ = false;
    QLabel* note_;
    QSpinBox* zoom_;
    ByteLineEdit* input_;
    QTextEdit* output_;
    QLabel* marks_;
    QTableView* trace_;
    TraceModel* traceModel_;
    SamplesModel* samples_;
    SamplesPanel* samplesPanel_;
    QFont roman_;
    QFont tengwar_;
};

}  // namespace vel
