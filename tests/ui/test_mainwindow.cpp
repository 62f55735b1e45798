// The main window as a user meets it: entry fields, Add, the status bar,
// the menus and toolbars, and the Edit commands routed by the focus.
#include <QAction>
#include <QCheckBox>
#include <QInputMethodEvent>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>

#include "test_mainwindow_kit.h"

using namespace vel;
using namespace vel::test;

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void emptyModeWakesUpOnTheFirstAdd();
    void fieldsTakeOnlyWhatTheUserMeans();
    void commentAndCaseMirrorTheTable();
    void addInsertsAtCurrentRow();
    void gridMovesTheCursorAndLoadsFields();
    void editCommandsFollowTheFocus();
};





void TestMainWindow::emptyModeWakesUpOnTheFirstAdd() {
    ShownWindow w;
    auto clauseCommandsOn = [&](bool on) {
        QCOMPARE(w->mnuRows->menuAction()->isEnabled(), on);
        QCOMPARE(w->mnuEFind->isEnabled(), on);
        QCOMPARE(w->ToolbarButton("Find")->isEnabled(), on);
        for (QAction* a : w->tlbGridControls->actions()) QVERIFY(a->isSeparator() || a->isEnabled() == on);
    };
    clauseCommandsOn(false);
    QCOMPARE(w.Status("SelectedRow"), QString());
    // The first Add also makes the empty row below the clause.
    QTest::keyClicks(w->txtEditField[0], QStringLiteral("a"));
    QTest::mouseClick(w->cmdAdd, Qt::LeftButton);
    QCOMPARE(w.Romans(), std::string("a_"));
    QCOMPARE(w.Status("SelectedRow"), QStringLiteral("#1"));
    clauseCommandsOn(true);
    // Without an icon theme the bundled images show.
    for (QAction* a : w->Toolbar1->actions()) QVERIFY(a->isSeparator() || !a->icon().isNull());
}

void TestMainWindow::fieldsTakeOnlyWhatTheUserMeans() {
    ShownWindow w;
    // Typing lowers in the Roman fields; Ctrl+Shift+Enter puts the marker in fields 2 and 3.
    for (int i = 0; i < 5; ++i) {
        ByteLineEdit* field = w->txtEditField[i];
        const QString typed = (i == 0 || i == 2) ? QStringLiteral("a") : QStringLiteral("A");
        QTest::keyClicks(field, QStringLiteral("A"));
        QCOMPARE(field->text(), typed);
        QTest::keyClick(field, Qt::Key_Return, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(field->text(), (i == 2 || i == 3) ? QStringLiteral("\r") : typed);
    }
    // Only that chord, on either Enter key; the marker reaches the table as byte 13.
    ByteLineEdit* next = w->txtEditField[2];
    next->setText(QStringLiteral("x"));
    QTest::keyClick(next, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClick(next, Qt::Key_Return, Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    QCOMPARE(next->text(), QStringLiteral("x"));
    QTest::keyClick(next, Qt::Key_Enter, Qt::ControlModifier | Qt::ShiftModifier | Qt::KeypadModifier);
    QTest::mouseClick(w->cmdAdd, Qt::LeftButton);
    QCOMPARE(w->Table().RowText(1), std::string("a\tA\t\r\t\r\tA"));

    // Accented capitals are lowered, composed ones too; TAB, CR and LF never
    // get in; pasted capitals stay; a character the code page lacks is '?'.
    ByteLineEdit* roman = w->txtEditField[0];
    roman->setFocus();
    TypeText(roman, QString::fromUtf8("ÉŠ"));
    QInputMethodEvent composed;
    composed.setCommitString(QString::fromUtf8("\tÄ\n"));
    QApplication::sendEvent(roman, &composed);
    Clipboard()->setText(QString::fromUtf8("B\tC\r\n\u0416"));
    QTest::keyClick(roman, Qt::Key_V, Qt::ControlModifier);     // the Edit menu's Paste
    QTest::keyClick(roman, Qt::Key_Insert, Qt::ShiftModifier);  // the field's own paste
    QCOMPARE(roman->text(), QString::fromUtf8("éšäBC?BC?"));
    // A pasted line break does not use up a one-character field.
    Clipboard()->setText(QStringLiteral("\nq"));
    w->txtEditField[4]->setFocus();
    QTest::keyClick(w->txtEditField[4], Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w->txtEditField[4]->text(), QStringLiteral("q"));
    // Text the program sets stays whole, and a user edit keeps it.
    roman->setText(QStringLiteral("a\rb"));
    QTest::keyClicks(roman, QStringLiteral("c"));
    QCOMPARE(roman->text(), QStringLiteral("a\rbc"));
}

void TestMainWindow::commentAndCaseMirrorTheTable() {
    ShownWindow w;
    QTest::keyClicks(w->txtComment, QStringLiteral("Quenya"));
    QTest::mouseClick(w->chkCaseSensitive, Qt::LeftButton);
    QCOMPARE(w->Table().Comment(), std::string("Quenya"));
    QVERIFY(w->Table().CaseSensitive());
    QTest::keyClicks(w->txtEditField[0], QStringLiteral("Q"));  // a case-sensitive mode lowers nothing
    QCOMPARE(w->txtEditField[0]->text(), QStringLiteral("Q"));
    // A load refills both controls.
    w->Model().LoadClauses({});
    QCOMPARE(w->txtComment->text(), QString());
    QVERIFY(!w->chkCaseSensitive->isChecked());
}

void TestMainWindow::addInsertsAtCurrentRow() {
    ShownWindow w;
    w.LoadLetters("abc");
    w.SetCursor(2);
    QTest::keyClicks(w->txtEditField[0], QStringLiteral("X"));
    QTest::keyClick(w->txtEditField[0], Qt::Key_Return);  // Enter does not add
    QCOMPARE(w->Table().RowCount(), 4);
    QTest::keyClick(w->txtEditField[0], Qt::Key_A, Qt::AltModifier);  // the access key clicks Add
    QTRY_COMPARE(w.Romans(), std::string("axbc"));
    QCOMPARE(w.Status("SelectedRow"), QStringLiteral("#2"));
    QVERIFY(w->Model().Document().Changed());
    for (ByteLineEdit* field : w->txtEditField) QVERIFY(field->text().isEmpty());
    QVERIFY(!w->cmdAdd->isEnabled());
    QCOMPARE(QApplication::focusWidget(), w->txtEditField[0]);

    // Adds without moving stack up, the last on top; an add clears Optimized.
    w.Optimized();
    for (const char* roman : {"p", "q"}) {
        w->txtEditField[0]->setText(QString::fromLatin1(roman));
        w->AddRow();
    }
    QCOMPARE(w.Romans(), std::string("aqpbcx"));  // Optimize put the Roman-only x last
    QVERIFY(!w->Model().Document().Optimized());
    // A single blank is a Roman text; no trimming.
    QTest::keyClicks(w->txtEditField[0], QStringLiteral(" "));
    QTest::mouseClick(w->cmdAdd, Qt::LeftButton);
    QCOMPARE(w->Table().Cell(2, 0), std::string(" "));
}



void TestMainWindow::gridMovesTheCursorAndLoadsFields() {
    ShownWindow w;
    w.Load({MakeClause("abcdefghijklmnopqrst", "T", "", "\r", "1"), MakeClause("b", "B")});
    QTest::mouseClick(w->grdMode->viewport(), Qt::LeftButton, {},
                      w->grdMode->visualRect(w->Model().index(1, 1)).center());
    QCOMPARE(w.Status("SelectedRow"), QStringLiteral("#2"));
    QTest::mouseClick(w->grdMode->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      w->grdMode->visualRect(w->Model().index(1, 3)).center());
    QCOMPARE(w->Table().CurrentCol(), 3);
    QCOMPARE(w->Table().SelectionEndCol(), 1);

    // A double-click anywhere on a row loads it, cut to the field limits.
    const QRect cell = w->grdMode->visualRect(w->Model().index(0, 2));
    QTest::mouseDClick(w->grdMode->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(w->txtEditField[0]->text(), QStringLiteral("abcdefghijklmn"));
    QCOMPARE(w->txtEditField[3]->text(), QStringLiteral("\r"));
    QCOMPARE(QApplication::focusWidget(), w->txtEditField[0]);
    QCOMPARE(w->txtEditField[0]->selectedText(), w->txtEditField[0]->text());  // focus selects all
    QCOMPARE(w->Table().RowCount(), 3);  // the row stays
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
        w->txtEditField[1]->clear();
        w.SetCursor(2);
        w.FocusGrid();
        QTest::keyClick(w->grdMode, key);
        QCOMPARE(w->txtEditField[1]->text(), QStringLiteral("B"));
    }
    // With no clauses, only the focus moves.
    w.Load({});
    w.FocusGrid();
    QTest::keyClick(w->grdMode, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), w->txtEditField[0]);
}

void TestMainWindow::editCommandsFollowTheFocus() {
    ShownWindow w;
    w.LoadLetters("abc");
    ByteLineEdit* field = w->txtEditField[1];
    field->setText(QStringLiteral("abc"));
    field->setFocus();
    field->setSelection(1, 1);
    QTest::keyClick(field, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(Clipboard()->text(), QStringLiteral("b"));
    // Copy without a selection leaves the clipboard; Del takes the next character.
    QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    QCOMPARE(field->text(), QStringLiteral("a"));
    QCOMPARE(Clipboard()->text(), QStringLiteral("b"));
    // Ctrl+D, which a plain line edit takes as Delete, belongs to the Clause menu.
    w.SetCursor(1);
    QTest::keyClick(field, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(field->text(), QStringLiteral("a"));
    QCOMPARE(w.Romans(), std::string("bac"));

    // On the grid the same commands work on whole clauses.
    w.SetCursor(1);
    w.FocusGrid();
    w->ToolbarButton("Cut")->trigger();
    QCOMPARE(Clipboard()->text(), QStringLiteral("b\tB\t\t\t"));
    QTest::keyClick(w->grdMode, Qt::Key_Delete);
    QCOMPARE(w.Romans(), std::string("c"));

    // The check box gives them nothing to work on; Ctrl+Ins is the special
    // character entry, for text fields only, not their copy key.
    w->chkCaseSensitive->setFocus();
    QTest::keyClick(w->chkCaseSensitive, Qt::Key_Delete);
    QCOMPARE(w.Romans(), std::string("c"));
    QVERIFY(!w->mnuInsertSpecialCharacter->isEnabled());
    int picks = 0;
    QObject::connect(w->mnuInsertSpecialCharacter, &QAction::triggered, [&] { ++picks; });
    field->setFocus();
    // The entry opens the modal picker: close it once it shows.
    QTimer::singleShot(0, qApp, [] {
        if (QWidget* picker = QApplication::activeModalWidget()) picker->close();
    });
    QTest::keyClick(field, Qt::Key_Insert, Qt::ControlModifier);
    QCOMPARE(picks, 1);
    QCOMPARE(Clipboard()->text(), QStringLiteral("b\tB\t\t\t"));
}

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
