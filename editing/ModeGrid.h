#pragma once
// The clause grid. Only the keys the window gives it act on it: Enter,
// Space and double-click ask to load the current row into the entry fields,
// F2 edits the current cell in place, the arrow and page keys move the
// cursor, Tab moves the focus on. The view's own extras are off: no search
// by typed letters, no copy of one cell (Ctrl+C and Ctrl+Ins belong to the
// window's commands), no Tab walk through the cells, and a click beside
// the rows does not drop the current clause's highlight.
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>

namespace vel {

class ModeGrid : public QTableView {
    Q_OBJECT
public:
    explicit ModeGrid(QWidget* parent = nullptr);

    void keyboardSearch(const QString&) override {}

signals:
    void loadRequested();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
};

// The editor of a cell: a text field with the rules of the entry field of
// its column (length limit, lower-casing while the mode is not case
// sensitive, the marker key). Enter commits, Esc cancels, Tab commits.
class CellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    CellDelegate(std::function<bool()> lowerTyped, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* editor, QEvent* event) override;

private:
    std::function<bool()> lowerTyped_;
};

}  // namespace vel
