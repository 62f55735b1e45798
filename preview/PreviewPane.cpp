#include "preview/PreviewPane.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QStyle>
#include <QTableView>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

#include "dialogs/ByteLineEdit.h"
#include "dialogs/FontTags.h"
#include "mode/ByteCodec.h"
#include "mode/ModeModel.h"
#include "preview/SamplesModel.h"
#include "preview/SamplesPanel.h"
#include "preview/TraceModel.h"

namespace vel {

namespace {

// Control bytes would break the output's lines or vanish: their pictures
// stand in for them.
QString Visible(std::string_view bytes) {
    QString text = BytesToQString(bytes);
    for (QChar& ch : text)
        if (ch.unicode() < 0x20) ch = QChar(0x2400 + ch.unicode());
    return text;
}

}  // namespace

PreviewPane::PreviewPane(ModeModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName(QStringLiteral("fraPreview"));
    pause_.setSingleShot(true);
    pause_.setInterval(kPauseMs);
    connect(&pause_, &QTimer::timeout, this, &PreviewPane::Refresh);
    connect(&model_, &ModeModel::modeChanged, this, &PreviewPane::TableChanged);

    note_ = new QLabel(QStringLiteral("Preview: Velloran's reading of the clause table"), this);
    note_->setObjectName(QStringLiteral("lblPreviewNote"));
    note_->setToolTip(QStringLiteral("The transcriber is a separate program and may read a mode differently."));
    zoom_ = new QSpinBox(this);
    zoom_->setObjectName(QStringLiteral("spnZoom"));
    zoom_->setRange(50, 400);
    zoom_->setSingleStep(10);
    zoom_->setSuffix(QStringLiteral(" %"));
    zoom_->setValue(100);
    zoom_->setToolTip(QStringLiteral("Size of the Tengwar output (also Ctrl + mouse wheel over it)"));
    auto* zoomLabel = new QLabel(QStringLiteral("&Zoom:"), this);
    zoomLabel->setBuddy(zoom_);

    input_ = new ByteLineEdit(this);
    input_->setObjectName(QStringLiteral("txtPreviewInput"));
    input_->setMaxLength(32767);
    TagFont(input_, kFontTagText);
    auto* inputLabel = new QLabel(QStringLiteral("Roman te&xt:"), this);
    inputLabel->setBuddy(input_);

    output_ = new QTextEdit(this);
    output_->setObjectName(QStringLiteral("txtPreviewOutput"));
    output_->setReadOnly(true);
    output_->setAcceptRichText(false);
    output_->setTabChangesFocus(true);
    output_->setFocusPolicy(Qt::ClickFocus);
    output_->viewport()->installEventFilter(this);
    marks_ = new QLabel(this);
    marks_->setObjectName(QStringLiteral("lblPreviewMarks"));

    traceModel_ = new TraceModel(this);
    trace_ = new QTableView(this);
    trace_->setObjectName(QStringLiteral("lstTrace"));
    trace_->setModel(traceModel_);
    trace_->setSelectionBehavior(QAbstractItemView::SelectRows);
    trace_->setSelectionMode(QAbstractItemView::SingleSelection);
    trace_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    trace_->setTabKeyNavigation(false);
    trace_->setShowGrid(false);
    trace_->setWordWrap(false);
    trace_->verticalHeader()->hide();
    trace_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    trace_->horizontalHeader()->setSectionResizeMode(TraceModel::ColTengwar, QHeaderView::Stretch);
    trace_->horizontalHeader()->setHighlightSections(false);
    trace_->setToolTip(QStringLiteral("Click a line to go to its clause"));
    auto* traceLabel = new QLabel(QStringLiteral("Trace, &step by step:"), this);
    traceLabel->setBuddy(trace_);

    samples_ = new SamplesModel(this);
    samples_->SetTranscriber(
        [this](const std::string& roman) { return Transcribe(Index(), model_.Table(), roman).output; });
    samplesPanel_ = new SamplesPanel(samples_, this);

    // Layout: the note and the zoom, the input, then the output above the
    // trace and the samples, each pair split so the user can share the room.
    auto* top = new QHBoxLayout;
    top->addWidget(note_, 1);
    top->addWidget(zoomLabel);
    top->addWidget(zoom_);
    auto* inputRow = new QHBoxLayout;
    inputRow->addWidget(inputLabel);
    inputRow->addWidget(input_, 1);

    auto* outputBox = new QWidget(this);
    auto* outputLayout = new QVBoxLayout(outputBox);
    outputLayout->setContentsMargins(0, 0, 0, 0);
    outputLayout->addWidget(output_, 1);
    outputLayout->addWidget(marks_);
    auto* traceBox = new QWidget(this);
    auto* traceLayout = new QVBoxLayout(traceBox);
    traceLayout->setContentsMargins(0, 0, 0, 0);
    traceLayout->addWidget(traceLabel);
    traceLayout->addWidget(trace_, 1);
    auto* lists = new QSplitter(Qt::Horizontal, this);
    lists->setChildrenCollapsible(false);
    lists->addWidget(traceBox);
    lists->addWidget(samplesPanel_);
    lists->setStretchFactor(0, 1);
    lists->setStretchFactor(1, 1);
    split_ = new QSplitter(Qt::Vertical, this);
    QSplitter* split = split_;
    split->setChildrenCollapsible(false);
    split->addWidget(outputBox);
    split->addWidget(lists);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addLayout(top);
    layout->addLayout(inputRow);
    layout->addWidget(split, 1);

    connect(input_, &QLineEdit::textChanged, this, &PreviewPane::Refresh);
    connect(zoom_, &QSpinBox::valueChanged, this, [this] { SetFonts(roman_, tengwar_); });
    auto requestRow = [this](const QModelIndex& index) {
        if (const int row = traceModel_->RowOfStep(index.row()); row > 0) emit rowRequested(row);
    };
    connect(trace_, &QAbstractItemView::clicked, this, requestRow);
    connect(trace_, &QAbstractItemView::activated, this, requestRow);
    connect(trace_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { HighlightStep(current.isValid() ? current.row() : -1); });
    // After Add the next text typed starts afresh.
    connect(samplesPanel_->AddButton(), &QPushButton::clicked, this, [this] {
        if (input_->hasFocus()) input_->selectAll();
    });
    connect(samplesPanel_, &SamplesPanel::sampleChosen, this, [this](const std::string& roman) {
        const QString text = BytesToQString(roman);
        if (input_->text() != text) input_->setText(text);
    });
}

void PreviewPane::SetFonts(const QFont& roman, const QFont& tengwar) {
    roman_ = roman;
    tengwar_ = tengwar;
    input_->setFont(roman);
    // The output keeps the grid's enlargement of a small-drawn Tengwar font.
    const qreal scale = roman.pointSizeF() > 0 && tengwar.pointSizeF() > 0
                            ? std::max(1.0, tengwar.pointSizeF() / roman.pointSizeF())
                            : 1.0;
    QFont big = tengwar;
    big.setPointSizeF(kOutputPoints * scale * zoom_->value() / 100.0);
    output_->setFont(big);
    output_->document()->setDefaultFont(big);
    traceModel_->SetFonts(roman, tengwar);
    samples_->SetFonts(roman, tengwar);
    const int height = std::max(QFontMetrics(roman).height(), QFontMetrics(tengwar).height()) + 4;
    for (QTableView* view : {trace_, samplesPanel_->View()}) {
        view->verticalHeader()->setMinimumSectionSize(1);
        view->verticalHeader()->setDefaultSectionSize(height);
    }
    // Narrow numbers and IDs; the Tengwar written takes what is left.
    QHeaderView* header = trace_->horizontalHeader();
    const QFontMetrics metrics(font());
    const int pad = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 8;
    header->resizeSection(TraceModel::ColAt, metrics.horizontalAdvance(QStringLiteral("0000-0000")) + pad);
    header->resizeSection(TraceModel::ColInput, QFontMetrics(roman).horizontalAdvance(QStringLiteral("mmmmmm")) + pad);
    header->resizeSection(TraceModel::ColRow, metrics.horizontalAdvance(QStringLiteral("000000")) + pad);
    header->resizeSection(TraceModel::ColId, std::max(metrics.horizontalAdvance(QStringLiteral("ID")),
                                                      QFontMetrics(tengwar).horizontalAdvance(QStringLiteral("MM"))) +
                                                 pad);
}

void PreviewPane::SetZoom(int percent) { zoom_->setValue(percent); }

int PreviewPane::Zoom() const { return zoom_->value(); }

const Transcription& PreviewPane::Current() const { return traceModel_->Trace(); }

void PreviewPane::TableChanged() {
    // Nothing here but the mark: the command that changed the table returns at once.
    stale_ = true;
    if (isVisible()) pause_.start();
}

const ReadingIndex& PreviewPane::Index() {
    if (stale_) {
        index_ = ReadingIndex::Build(model_.Table());
        stale_ = false;
        samples_->Rerun();
    }
    return index_;
}

void PreviewPane::Refresh() {
    pause_.stop();
    std::string text = QStringToBytes(input_->text());
    Transcription t = Transcribe(Index(), model_.Table(), text);
    samplesPanel_->SetCandidate(text, t.output);
    traceModel_->SetTrace(std::move(text), std::move(t));
    ShowOutput();
}

void PreviewPane::ShowOutput() {
    const Transcription& t = traceModel_->Trace();
    output_->clear();
    QTextCursor cursor(output_->document());
    QTextCharFormat plain;
    QTextCharFormat marked;
    marked.setBackground(UnreadMarkColor());
    marked.setForeground(QColor(Qt::black));
    marked.setToolTip(QStringLiteral("No clause applies here: written as typed"));
    // Runs of steps alike in marking go in at once.
    std::string run;
    bool runMarked = false;
    size_t unread = 0;
    for (const TraceStep& step : t.steps) {
        const bool m = step.row == 0;
        unread += m ? step.length : 0;
        if (m != runMarked && !run.empty()) {
            cursor.insertText(Visible(run), runMarked ? marked : plain);
            run.clear();
        }
        runMarked = m;
        run += step.written;
    }
    if (!run.empty()) cursor.insertText(Visible(run), runMarked ? marked : plain);

    if (t.steps.empty())
        marks_->clear();
    else if (unread == 0)
        marks_->setText(QStringLiteral("Every character is read by a clause."));
    else
        marks_->setText(
            unread == 1 ? QStringLiteral("Marked: 1 character that no clause reads, written as typed.")
                        : QStringLiteral("Marked: %1 characters that no clause reads, written as typed.").arg(unread));
    HighlightStep(trace_->currentIndex().isValid() ? trace_->currentIndex().row() : -1);
}

void PreviewPane::HighlightStep(int step) {
    const Transcription& t = traceModel_->Trace();
    if (step < 0 || size_t(step) >= t.steps.size()) {
        output_->setExtraSelections({});
        return;
    }
    // One character of the output stands for one byte written.
    size_t from = 0;
    for (int i = 0; i < step; ++i) from += t.steps[size_t(i)].written.size();
    QTextEdit::ExtraSelection selection;
    selection.cursor = QTextCursor(output_->document());
    selection.cursor.setPosition(int(from));
    selection.cursor.setPosition(int(from + t.steps[size_t(step)].written.size()), QTextCursor::KeepAnchor);
    selection.format.setBackground(palette().highlight());
    selection.format.setForeground(palette().highlightedText());
    output_->setExtraSelections({selection});
}

void PreviewPane::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!splitSized_) {
        // Two lines of output at first; the lists take the rest.
        const int output = 2 * QFontMetrics(output_->font()).lineSpacing() + 2 * output_->frameWidth() +
                           marks_->sizeHint().height() + 8;
        split_->setSizes({output, std::max(1, split_->height() - output)});
        splitSized_ = true;
    }
    // Changes made while hidden are read now.
    if (stale_) Refresh();
}

bool PreviewPane::eventFilter(QObject* watched, QEvent* event) {
    // Ctrl + wheel zooms through the zoom box, which keeps the size.
    if (watched == output_->viewport() && event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            const int steps = wheel->angleDelta().y() / 120;
            if (steps != 0) zoom_->stepBy(steps);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace vel
