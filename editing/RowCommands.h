#pragma once
// The commands on the current clause as a whole and on the order of all
// clauses: move, remove, cut, copy, paste, Optimize and the alphabetical
// sort. They change the mode through the model only; the window refreshes
// its status after every change the model announces.
#include <QObject>

namespace vel {

class ModeModel;
class Prompter;

class RowCommands : public QObject {
    Q_OBJECT
public:
    RowCommands(ModeModel& model, Prompter& prompter, QObject* parent = nullptr);

    // Moves the current clause by intPosition rows, or, with boolDialog, to a
    // row number asked from the user (written back into intPosition).
    void MoveRow(int& intPosition, bool boolDialog = false);
    void MoveRowBy(int delta) { MoveRow(delta, false); }
    void RemoveRow();
    void CutRow();
    void CopyRow();
    void PasteRow();

    void Optimize();
    void SortAlphabetically();

private:
    // Puts one clause's row text on the clipboard; false when it did not take.
    bool PutRowOnClipboard(int row);

    ModeModel& model_;
    Prompter& prompter_;
};

}  // namespace vel
