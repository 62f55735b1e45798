#pragma once
// The clause grid: a table view whose Enter, Space and double-click ask the
// window to load the current row into the entry fields.
#include <QTableView>

namespace vel {

class ModeGrid : public QTableView {
    Q_OBJECT
public:
    explicit ModeGrid(QWidget* parent = nullptr) : QTableView(parent) {}

signals:
    void loadRequested();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
};

}  // namespace vel
