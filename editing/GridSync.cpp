#include "editing/GridSync.h"

#include <QItemSelectionModel>
#include <QScopedValueRollback>
#include <algorithm>

#include "editing/ModeGrid.h"
#include "mode/ModeModel.h"

namespace vel {

GridSync::GridSync(ModeGrid* grid, ModeModel* model, QObject* parent)
    : QObject(parent), grid_(grid), model_(model) {
    // These run before the view's own handlers (connected in setModel), so
    // the view's cursor moves during a row change never reach the document.
    auto changing = [this] { modelChanging_ = true; };
    connect(model_, &QAbstractItemModel::rowsAboutToBeInserted, this, changing);
    connect(model_, &QAbstractItemModel::rowsAboutToBeRemoved, this, changing);
    connect(model_, &QAbstractItemModel::rowsAboutToBeMoved, this, changing);
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, changing);
    connect(model_, &ModeModel::modeChanged, this, [this] {
        modelChanging_ = false;
        ShowCursor();
    });
    connect(model_, &ModeModel::cursorMoved, this, &GridSync::ShowCursor);

    grid_->setModel(model_);
    QItemSelectionModel* selection = grid_->selectionModel();
    connect(selection, &QItemSelectionModel::currentChanged, this, &GridSync::OnViewCursorChanged);
    connect(selection, &QItemSelectionModel::selectionChanged, this, &GridSync::OnViewCursorChanged);
}

void GridSync::ShowCursor() {
    QScopedValueRollback guard(showing_, true);
    const Cursor c = model_->Document().CurrentCursor();
    QItemSelectionModel* selection = grid_->selectionModel();
    if (c.row < 1) {
        selection->clear();
        return;
    }
    const int row = c.row - 1;
    const QModelIndex current = model_->index(row, c.col);
    const int from = std::min(c.col, c.endCol), to = std::max(c.col, c.endCol);
    selection->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    selection->select(QItemSelection(model_->index(row, from), model_->index(row, to)),
                      QItemSelectionModel::ClearAndSelect);
    grid_->scrollTo(current);
}

void GridSync::OnViewCursorChanged() {
    if (showing_ || modelChanging_) return;
    QItemSelectionModel* selection = grid_->selectionModel();
    const QModelIndex current = selection->currentIndex();
    if (current.isValid()) {
        int end = current.column();
        for (const QItemSelectionRange& range : selection->selection()) {
            if (range.contains(current)) {
                end = range.left() == current.column() ? range.right() : range.left();
                break;
            }
        }
        model_->SetCursorFromView({current.row() + 1, current.column(), end});
        // However the view came to drop it, the current clause looks selected.
        if (!selection->isSelected(current)) ShowCursor();
    }
    emit cursorChangedByUser();
}

}  // namespace vel
