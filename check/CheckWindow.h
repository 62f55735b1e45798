#pragma once
// The mode check's findings list: one line per finding, its kind shown by
// an icon, double-click or Enter asks for the finding's row to become the
// grid's current row. While it is open it checks the mode again after each
// change of the table, once the changes pause, so the table's commands never
// wait for the check.
#include <QTimer>
#include <QWidget>
#include <vector>

#include "check/CheckMode.h"

class QIcon;
class QLabel;
class QTreeView;

namespace vel {

class FindingsModel;
class ModeModel;

// The icon of a kind of finding, and its name for people.
QIcon FindingIcon(FindingKind kind);
QString FindingKindCaption(FindingKind kind);

class CheckWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPauseMs = 300;

    // A window of its own, kept above parent and closed with it.
    CheckWindow(ModeModel& model, QWidget* parent);

    // Checks the mode now.
    void Refresh();
    const std::vector<Finding>& Findings() const;

    QTreeView* List() const { return list_; }
    QLabel* Summary() const { return summary_; }

signals:
    // The finding's first row, to become the grid's current row.
    void rowRequested(int row);

private:
    void Activate(int i);

    ModeModel& model_;
    FindingsModel* findings_;
    QTreeView* list_;
    QLabel* summary_;
    QTimer pause_;
};

}  // namespace vel
