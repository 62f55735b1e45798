#pragma once
// frmReplace, the "Find & Replace" window. It reads its controls into the
// search options, lets Search decide, and applies what Search plans through
// the main window's model: so the grid follows every search and change, each
// change is one undo step and sets the change flag. Modeless and owned by
// the main window, above which it stays; it keeps its keys to itself, so a
// key pressed here never starts a command of the main window.
#include <QDialog>
#include <array>

#include "find/Search.h"
#include "mode/Clause.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QPushButton;

namespace vel {

class ByteLineEdit;
class ModeModel;
struct SharedVariables;

class FindWindow : public QDialog {
    Q_OBJECT
public:
    // Applies the shared fonts by tag; owner is the main window.
    FindWindow(ModeModel& model, const SharedVariables& shared, QWidget* owner);

    // The commands, as their buttons start them.
    void FindNext();
    // "Re&place": the found clause is changed (or copied, or deleted), then
    // the next one is searched.
    void Replace();
    void ReplaceAll();
    // "&Special char..." and Ctrl+Ins: the picker for the focused field,
    // only while a field has the focus.
    void SpecialChar();

    const Search& State() const { return search_; }
    SearchOptions Options() const;

    // The controls, under their names, by column where they come in fives.
    QGroupBox* fraFind = nullptr;
    std::array<QCheckBox*, kColumnCount> chkFind{};
    std::array<ByteLineEdit*, kColumnCount> txtFind{};
    QCheckBox* chkWord = nullptr;
    QGroupBox* fraReplace = nullptr;
    std::array<QCheckBox*, kColumnCount> chkReplace{};
    std::array<ByteLineEdit*, kColumnCount> txtReplace{};
    QCheckBox* chkDeleteFound = nullptr;
    QCheckBox* chkDuplicate = nullptr;
    QPushButton* cmdFind = nullptr;
    QPushButton* cmdReplace = nullptr;
    QPushButton* cmdReplaceAll = nullptr;
    QPushButton* cmdSpecialChar = nullptr;
    QPushButton* cmdClose = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    void PlaceControls();
    void ConnectControls();
    void ShowCursor(int row, int col);
    ByteLineEdit* FocusedField() const;
    // Beside the main window when the screen has room, else Qt's place.
    void PlaceBesideOwner();

    ModeModel& model_;
    Search search_;
    QAction* specialCharKey_ = nullptr;
    bool placed_ = false;
};

}  // namespace vel
