#include "editing/ModeGrid.h"

#include <QHeaderView>
#include <QKeyEvent>

#include "dialogs/ByteLineEdit.h"
#include "mode/Clause.h"

namespace vel {

ModeGrid::ModeGrid(QWidget* parent) : QTableView(parent) {
    setTabKeyNavigation(false);
    setEditTriggers(QAbstractItemView::EditKeyPressed);
    // A click on a caption would select a whole column of every clause.
    horizontalHeader()->setSectionsClickable(false);
}

void ModeGrid::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            e->accept();
            emit loadRequested();
            return;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_F2:
            QTableView::keyPressEvent(e);
            return;
        default:
            e->ignore();  // no action of the grid's own
    }
}

void ModeGrid::mousePressEvent(QMouseEvent* e) {
    // Beside the rows there is no cell to make current; the view would
    // clear the selection and leave the current clause looking unselected.
    if (!indexAt(e->position().toPoint()).isValid()) {
        setFocus(Qt::MouseFocusReason);
        e->accept();
        return;
    }
    QTableView::mousePressEvent(e);
}

void ModeGrid::mouseDoubleClickEvent(QMouseEvent* e) {
    if (indexAt(e->position().toPoint()).isValid()) QTableView::mouseDoubleClickEvent(e);
    // Also below the last row: the current row is loaded, as a click anywhere
    // on the grid would.
    emit loadRequested();
}

CellDelegate::CellDelegate(std::function<bool()> lowerTyped, QObject* parent)
    : QStyledItemDelegate(parent), lowerTyped_(std::move(lowerTyped)) {}

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    auto* editor = new ByteLineEdit(parent);
    const int col = index.column();
    editor->setMaxLength(kFieldLimits[col]);
    editor->setFont(option.font);
    editor->setFrame(false);
    if (col == ColRoman || col == ColIfNextRoman) editor->SetLowerTyped(lowerTyped_);
    if (col == ColIfNextRoman || col == ColIfPreviousID) editor->SetMarkerKey(true);
    return editor;
}

bool CellDelegate::eventFilter(QObject* editor, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(editor);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        // Ctrl+Shift+Enter is the marker key of the field, not a commit.
        if (enter && (key->modifiers() & Qt::ControlModifier) && (key->modifiers() & Qt::ShiftModifier))
            return false;
        // Committed here, and the key ends here: passed on, the line edit
        // would let Enter reach the grid, which loads the row into the
        // entry fields.
        if (widget && (enter || key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)) {
            emit commitData(widget);
            emit closeEditor(widget, QAbstractItemDelegate::NoHint);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(editor, event);
}

}  // namespace vel
