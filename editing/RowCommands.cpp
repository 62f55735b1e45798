#include "editing/RowCommands.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "dialogs/Prompter.h"
#include "dialogs/WaitCursor.h"
#include "editing/Ordering.h"
#include "editing/RowOperations.h"
#include "mode/ByteCodec.h"
#include "mode/ModeModel.h"
#include "mode/Numbers.h"

namespace vel {

RowCommands::RowCommands(ModeModel& model, Prompter& prompter, QObject* parent)
    : QObject(parent), model_(model), prompter_(prompter) {}

void RowCommands::MoveRow(int& intPosition, bool boolDialog) {
    const ModeTable& t = model_.Table();
    const int r = t.CurrentRow();
    const int n = t.ClauseCount();
    if (r < 1) return;  // no clause to move
    int target = 0;
    if (!boolDialog) {
        target = r + intPosition;
        if (target > n || target < 1) return;
    } else {
        for (;;) {
            const std::optional<QString> answer = prompter_.Input(
                QStringLiteral("Move Clause to Row"), QStringLiteral("Specify new row number for clause"), QString());
            if (!answer || answer->isEmpty()) return;
            const double number = ReadNumber(QStringToBytes(*answer));
            if (number < 1 || number > n) {
                prompter_.Tell(QStringLiteral("Invalid Row Number"),
                               QStringLiteral("You must specify a number between 1 and %1.").arg(n),
                               Prompter::Icon::Critical);
                continue;
            }
            target = int(RoundHalfEven(number));
            intPosition = target;
            break;
        }
    }
    const char* name = !boolDialog ? (intPosition < 0 ? "Move one row up" : "Move one row down") : "Move to row";
    model_.MoveRow(r, target, name);
}

void RowCommands::RemoveRow() { model_.RemoveRow(model_.Table().CurrentRow(), "Remove"); }

bool RowCommands::PutRowOnClipboard(int row) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return false;
    const QString text = BytesToQString(model_.Table().RowText(row));
    clipboard->setText(text);
    return clipboard->text() == text;
}

void RowCommands::CopyRow() {
    if (const int r = model_.Table().CurrentRow(); r > 0) PutRowOnClipboard(r);
}

void RowCommands::CutRow() {
    const int r = model_.Table().CurrentRow();
    // The clause goes only once the clipboard holds it.
    if (r > 0 && PutRowOnClipboard(r)) model_.RemoveRow(r, "Cut");
}

void RowCommands::PasteRow() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* mime = clipboard ? clipboard->mimeData() : nullptr;
    std::vector<Clause> clauses;
    if (mime && mime->hasText()) clauses = ClipboardClauses(QStringToBytes(mime->text()));
    model_.PasteClauses(std::move(clauses));
}

void RowCommands::Optimize() {
    WaitCursor wait;
    model_.Reorder(OptimizePermutation(model_.Table()), true, "Optimize");
}

void RowCommands::SortAlphabetically() {
    WaitCursor wait;
    model_.Reorder(AlphabeticalPermutation(model_.Table()), false, "Sort alphabetically");
}

}  // namespace vel
