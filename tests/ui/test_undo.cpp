// Undo and redo in the window: the Edit menu's entries, the Exit question
// following the saved state, Ctrl+Z in a text field undoing its typing,
// and New and Open starting a new history.
#include <QCheckBox>
#include <QTemporaryDir>

#include "settings/FileCommands.h"
#include "test_mainwindow_kit.h"

using namespace vel;
using namespace vel::test;

namespace {

bool ClosingAsks(ShownWindow& w) {
    const int before = w.prompter.Count("ask");
    w.prompter.AnswerAsk(Prompter::No);  // stay, if asked
    const bool closed = w->close();
    if (closed) w->show();
    const bool asked = w.prompter.Count("ask") > before;
    if (!asked) w.prompter = ScriptedPrompter();  // the unused answer goes
    return asked;
}

void SaveAs(ShownWindow& w, const QString& path) {
    w.prompter.AnswerAsk(Prompter::No);  // do not optimize first
    w.prompter.AnswerFile(path);
    w->Files().FileSave(true);
}

}  // namespace

class TestUndo : public QObject {
    Q_OBJECT
private slots:
    void entriesNameTheStep() {
        ShownWindow w;
        QVERIFY(!w->mnuEUndo->isEnabled() && !w->mnuERedo->isEnabled());
        w.LoadLetters("ab");
        w.SetCursor(1);
        w.FocusGrid();
        QTest::keyClick(w->grdMode, Qt::Key_Delete);
        QCOMPARE(w->mnuEUndo->text(), QStringLiteral("&Undo Remove"));
        QTest::keyClick(w->grdMode, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.Romans(), std::string("ab"));
        QCOMPARE(w->mnuERedo->text(), QStringLiteral("Re&do Remove"));
        QVERIFY(!w->mnuEUndo->isEnabled());
        QTest::keyClick(w->grdMode, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w.Romans(), std::string("b"));
        QTest::keyClick(w->grdMode, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(w->grdMode, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(w.Romans(), std::string("b"));
    }

    void exitAsksOnlyAwayFromTheSavedState() {
        QTemporaryDir dir;
        ShownWindow w;
        w.LoadLetters("ab");
        w.SetCursor(1);
        w.FocusGrid();  // Undo acts on the table, not on a field's text
        w->Rows().RemoveRow();  // change, undo: nothing to ask
        w->mnuEUndo->trigger();
        QVERIFY(!ClosingAsks(w));

        SaveAs(w, dir.filePath("m.mod"));  // save, change, undo: nothing to ask
        w->Rows().RemoveRow();
        w.FocusGrid();
        w->mnuEUndo->trigger();
        QVERIFY(!ClosingAsks(w));

        w->Rows().RemoveRow();  // change, save, undo: the saved file differs
        SaveAs(w, dir.filePath("m.mod"));
        w.FocusGrid();
        w->mnuEUndo->trigger();
        QVERIFY(ClosingAsks(w));
    }

    void ctrlZInAFieldUndoesItsTyping() {
        ShownWindow w;
        w.LoadLetters("ab");
        w.SetCursor(1);
        w->Rows().RemoveRow();
        w->txtEditField[1]->setFocus();
        QTest::keyClicks(w->txtEditField[1], QStringLiteral("xy"));
        QTest::keyClick(w->txtEditField[1], Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(w->txtEditField[1]->text().size() < 2);
        QCOMPARE(w.Romans(), std::string("b"));  // the removal stays
    }

    void commentTypingIsOneStep() {
        ShownWindow w;
        QTest::keyClicks(w->txtComment, QStringLiteral("Quenya"));
        QVERIFY(w->Model().Document().Changed());
        w.FocusGrid();  // leaving the box ends the typing; Undo acts on the table
        w->mnuEUndo->trigger();
        QCOMPARE(w->txtComment->text(), QString());
        QVERIFY(!w->Model().Document().Changed());
        QTest::mouseClick(w->chkCaseSensitive, Qt::LeftButton);
        QCOMPARE(w->mnuEUndo->text(), QStringLiteral("&Undo Case sensitivity"));
        w.FocusGrid();
        w->mnuEUndo->trigger();
        QVERIFY(!w->chkCaseSensitive->isChecked());
    }

    void newStartsANewHistory() {
        ShownWindow w;
        w.LoadLetters("ab");
        w.SetCursor(1);
        w->Rows().RemoveRow();
        w.prompter.AnswerAsk(Prompter::Yes);  // discard
        w->mnuFNew->trigger();
        QVERIFY(!w->mnuEUndo->isEnabled());
        QVERIFY(!w->Model().Document().Changed());
    }
};

QTEST_MAIN(TestUndo)
#include "test_undo.moc"
