#include "preview/SamplesPanel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include "dialogs/ByteLineEdit.h"
#include "preview/SamplesModel.h"

namespace vel {

namespace {

// Samples are edited in the program's own text field, in the column's font.
class SampleFieldDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override {
        auto* editor = new ByteLineEdit(parent);
        editor->setMaxLength(32767);
        editor->setFrame(false);
        if (const QVariant font = index.data(Qt::FontRole); font.isValid()) editor->setFont(font.value<QFont>());
        return editor;
    }
};

}  // namespace

SamplesPanel::SamplesPanel(SamplesModel* model, QWidget* parent) : QWidget(parent), model_(model) {
    auto* caption = new QLabel(QStringLiteral("Samp&les:"), this);
    view_ = new QTableView(this);
    view_->setObjectName(QStringLiteral("lstSamples"));
    view_->setModel(model_);
    view_->setItemDelegate(new SampleFieldDelegate(view_));
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    view_->setTabKeyNavigation(false);
    view_->setShowGrid(false);
    view_->setWordWrap(false);
    view_->verticalHeader()->hide();
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->horizontalHeader()->setStretchLastSection(true);
    view_->horizontalHeader()->setHighlightSections(false);
    caption->setBuddy(view_);

    add_ = new QPushButton(QStringLiteral("Add as sa&mple"), this);
    add_->setObjectName(QStringLiteral("cmdAddSample"));
    add_->setToolTip(QStringLiteral("Keep the text typed above, with what the mode writes for it now, as a sample"));
    remove_ = new QPushButton(QStringLiteral("Rem&ove"), this);
    remove_->setObjectName(QStringLiteral("cmdRemoveSample"));
    accept_ = new QPushButton(QStringLiteral("Accept o&utput"), this);
    accept_->setObjectName(QStringLiteral("cmdAcceptSample"));
    accept_->setToolTip(QStringLiteral("Expect what the mode writes now for the chosen sample"));
    for (QPushButton* b : {add_, remove_, accept_}) b->setAutoDefault(false);
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("lblSamplesSummary"));
    summary_->setWordWrap(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add_);
    buttons->addWidget(remove_);
    buttons->addWidget(accept_);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption);
    layout->addWidget(view_, 1);
    layout->addLayout(buttons);
    layout->addWidget(summary_);

    connect(add_, &QPushButton::clicked, this, &SamplesPanel::AddCandidate);
    connect(remove_, &QPushButton::clicked, this, &SamplesPanel::RemoveChosen);
    connect(accept_, &QPushButton::clicked, this, &SamplesPanel::AcceptChosen);
    connect(model_, &SamplesModel::samplesChanged, this, &SamplesPanel::UpdateState);
    // A sample chosen by keys or by a click, even the one already current.
    auto choose = [this](const QModelIndex& current) {
        UpdateState();
        if (current.isValid() && current.row() < model_->SampleCount())
            emit sampleChosen(model_->File().samples[size_t(current.row())].roman);
    };
    connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, choose);
    connect(view_, &QAbstractItemView::clicked, this, choose);
    UpdateState();
}

void SamplesPanel::SetCandidate(std::string roman, std::string output) {
    roman_ = std::move(roman);
    output_ = std::move(output);
    add_->setEnabled(!roman_.empty());
}

void SamplesPanel::ChooseSample(int i) {
    if (i < 0 || i >= model_->SampleCount()) return;
    view_->setCurrentIndex(model_->index(i, SamplesModel::ColRoman));
    view_->scrollTo(view_->currentIndex());
}

int SamplesPanel::ChosenSample() const {
    const QModelIndex current = view_->currentIndex();
    return current.isValid() && current.row() < model_->SampleCount() ? current.row() : -1;
}

void SamplesPanel::AddCandidate() {
    if (roman_.empty()) return;
    ChooseSample(model_->Add({roman_, output_, 0}));
}

void SamplesPanel::RemoveChosen() {
    const int i = ChosenSample();
    if (i < 0) return;
    model_->Remove(i);
    ChooseSample(std::min(i, model_->SampleCount() - 1));
}

void SamplesPanel::AcceptChosen() { model_->AcceptActual(ChosenSample()); }

void SamplesPanel::UpdateState() {
    const int chosen = ChosenSample();
    remove_->setEnabled(chosen >= 0);
    accept_->setEnabled(chosen >= 0 && !model_->Passes(chosen));
    add_->setEnabled(!roman_.empty());

    const int count = model_->SampleCount();
    const int pass = model_->PassCount();
    QString text;
    if (count == 0)
        text = QStringLiteral("No samples.");
    else if (pass == count)
        text = count == 1 ? QStringLiteral("The sample passes.") : QStringLiteral("All %1 samples pass.").arg(count);
    else
        text = QStringLiteral("%1 of %2 samples fail.").arg(count - pass).arg(count);
    if (const int bad = model_->BadLineCount(); bad > 0)
        text += bad == 1 ? QStringLiteral(" 1 line of the samples file could not be read; it is kept as it is.")
                         : QStringLiteral(" %1 lines of the samples file could not be read; they are kept as they are.")
                               .arg(bad);
    if (model_->Changed()) text += QStringLiteral(" Not saved yet.");
    summary_->setText(text);
}

}  // namespace vel
