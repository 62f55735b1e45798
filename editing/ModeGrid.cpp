#include "editing/ModeGrid.h"

#include <QKeyEvent>

namespace vel {

void ModeGrid::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            e->accept();
            emit loadRequested();
            return;
        default:
            QTableView::keyPressEvent(e);
    }
}

void ModeGrid::mouseDoubleClickEvent(QMouseEvent* e) {
    QTableView::mouseDoubleClickEvent(e);
    // Also below the last row: the current row is loaded, as a click anywhere
    // on the grid would.
    emit loadRequested();
}

}  // namespace vel
