#include "check/CheckWindow.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

#include "mode/ByteCodec.h"
#include "mode/ModeModel.h"

namespace vel {

QIcon FindingIcon(FindingKind kind) {
    // By what the finding costs: a row lost, a clause that does nothing, a
    // clause that writes nothing.
    QStyle::StandardPixmap pixmap = QStyle::SP_MessageBoxWarning;
    switch (kind) {
        case FindingKind::Unsaved:
            pixmap = QStyle::SP_MessageBoxCritical;
            break;
        case FindingKind::Case:
        case FindingKind::NeverUsed:
        case FindingKind::NeverHolds:
            pixmap = QStyle::SP_MessageBoxWarning;
            break;
        case FindingKind::EmptyTengwar:
            pixmap = QStyle::SP_MessageBoxInformation;
            break;
    }
    return QApplication::style()->standardIcon(pixmap);
}

QString FindingKindCaption(FindingKind kind) {
    switch (kind) {
        case FindingKind::Unsaved:
            return QStringLiteral("Will not save");
        case FindingKind::Case:
            return QStringLiteral("Capitals");
        case FindingKind::NeverUsed:
            return QStringLiteral("Never used");
        case FindingKind::NeverHolds:
            return QStringLiteral("Never holds");
        case FindingKind::EmptyTengwar:
            return QStringLiteral("Writes nothing");
    }
    return {};
}

class FindingsModel : public QAbstractTableModel {
public:
    enum Column { ColRow, ColKind, ColSentence, ColCount };
    using QAbstractTableModel::QAbstractTableModel;

    void SetFindings(std::vector<Finding> findings) {
        beginResetModel();
        findings_ = std::move(findings);
        endResetModel();
    }
    const std::vector<Finding>& Findings() const { return findings_; }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(findings_.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : ColCount; }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || size_t(index.row()) >= findings_.size()) return {};
        const Finding& f = findings_[size_t(index.row())];
        if (role == Qt::DisplayRole) {
            switch (index.column()) {
                case ColRow:
                    return f.rows.empty() ? QStringLiteral("comment") : QString::number(f.rows.front());
                case ColKind:
                    return FindingKindCaption(f.kind);
                case ColSentence:
                    return BytesToQString(f.sentence);
                default:
                    return {};
            }
        }
        if (role == Qt::DecorationRole && index.column() == ColRow) return FindingIcon(f.kind);
        if (role == Qt::ToolTipRole) return BytesToQString(f.sentence);
        if (role == Qt::TextAlignmentRole && index.column() == ColRow) return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        static const char* const kCaptions[ColCount] = {"Row", "Kind", "Finding"};
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColCount) return {};
        return QString::fromLatin1(kCaptions[section]);
    }

private:
    std::vector<Finding> findings_;
};

CheckWindow::CheckWindow(ModeModel& model, QWidget* parent) : QWidget(parent, Qt::Window), model_(model) {
    setObjectName(QStringLiteral("frmCheckMode"));
    setWindowTitle(QStringLiteral("Check mode"));
    findings_ = new FindingsModel(this);
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("lblFindings"));
    list_ = new QTreeView(this);
    list_->setObjectName(QStringLiteral("lstFindings"));
    list_->setModel(findings_);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAlternatingRowColors(true);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setWordWrap(false);
    list_->header()->setStretchLastSection(true);
    list_->header()->resizeSection(FindingsModel::ColRow,
                                   fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 24);
    list_->header()->resizeSection(FindingsModel::ColKind,
                                   fontMetrics().horizontalAdvance(QStringLiteral("Writes nothing ")) + 8);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);

    pause_.setSingleShot(true);
    pause_.setInterval(kPauseMs);
    connect(&pause_, &QTimer::timeout, this, &CheckWindow::Refresh);
    // The command that changed the table only restarts the pause.
    connect(&model_, &ModeModel::modeChanged, &pause_, qOverload<>(&QTimer::start));
    connect(list_, &QAbstractItemView::activated, this, [this](const QModelIndex& index) { Activate(index.row()); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);

    resize(760, 340);
    Refresh();
}

const std::vector<Finding>& CheckWindow::Findings() const { return findings_->Findings(); }

void CheckWindow::Refresh() {
    pause_.stop();
    // The same line stays chosen, as far as the list still reaches.
    const int current = list_->currentIndex().isValid() ? list_->currentIndex().row() : 0;
    findings_->SetFindings(CheckMode(model_.Table()));
    const int count = findings_->rowCount();
    if (count == 0) {
        summary_->setText(QStringLiteral("No findings."));
    } else {
        summary_->setText((count == 1 ? QStringLiteral("1 finding.") : QStringLiteral("%1 findings.").arg(count)) +
                          QStringLiteral(" Double-click a finding or press Enter to go to its row."));
        list_->setCurrentIndex(findings_->index(std::min(current, count - 1), 0));
    }
}

void CheckWindow::Activate(int i) {
    const std::vector<Finding>& all = findings_->Findings();
    if (i < 0 || size_t(i) >= all.size() || all[size_t(i)].rows.empty()) return;
    emit rowRequested(all[size_t(i)].rows.front());
}

}  // namespace vel
