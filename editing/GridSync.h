#pragma once
// Keeps the grid's current cell and the document's cursor in step. Cursor
// moves of the user in the grid go to the document; after every operation
// of the document (and a search's cursor move) the grid shows the cursor
// again, with the current clause selected and scrolled into view. While the
// model inserts, removes or resets rows, the view's own cursor moves are
// not the user's and stay out of the document.
#include <QObject>

namespace vel {

class ModeGrid;
class ModeModel;

class GridSync : public QObject {
    Q_OBJECT
public:
    GridSync(ModeGrid* grid, ModeModel* model, QObject* parent = nullptr);

    // Shows the document's cursor in the grid.
    void ShowCursor();

signals:
    // The user moved the grid's cursor or selection.
    void cursorChangedByUser();

private:
    void OnViewCursorChanged();

    ModeGrid* grid_;
    ModeModel* model_;
    bool showing_ = false;        // the grid is being moved to the cursor
    bool modelChanging_ = false;  // rows are being inserted, removed, moved or reset
};

}  // namespace vel
