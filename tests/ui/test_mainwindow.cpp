// The main window as a user meets it: entry fields, Add, the status bar,
// the menus and toolbars, and the Edit commands routed by the focus.
#include <QAction>
#include <QCheckBox>
#include <QInputMethodEvent>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>

#include "test_mainwindow_kit.h"

using namespace vel;
using namespace vel::test;

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void freshWindowHasNothingToActOn();
    void typedLettersAreLoweredInRomanFieldsOnly();
    void ctrlShiftEnterPutsTheMarker();
    void tabsAndLineBreaksNeverEnterFromTheUser();
    void addInsertsAtCurrentRow();
    void gridLoadsFieldsBack();
    void commentAndCaseMirrorTheTable();
    void gridClicksMoveTheTableCursor();
    void editCommandsFollowTheFocus();
    void specialCharacterEntryFollowsFocus();
};

void TestMainWindow::freshWindowHasNothingToActOn() {
    ShownWindow w;
    QVERIFY(!w->cmdAdd->isEnabled());
    QCOMPARE(w.Status("TotalRows"), QStringLiteral("Rows: 0"));
    QCOMPARE(w.Status("SelectedRow"), QString());
    QVERIFY(!w->mnuEFind->isEnabled());
    QVERIFY(!w->ToolbarButton("Find")->isEnabled());
    QVERIFY(!w->mnuRows->menuAction()->isEnabled());
    for (QAction* a : w->tlbGridControls->actions()) QVERIFY(a->isSeparator() || !a->isEnabled());
    // The Clause menu's shortcuts are off with it.
    w.FocusGrid();
    QTest::keyClick(w->grdMode, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(w->Table().RowCount(), 1);

    // F3 does nothing either: Find is for a mode with clauses.
    int finds = 0;
    QObject::connect(w->mnuEFind, &QAction::triggered, [&] { ++finds; });
    QTest::keyClick(w->grdMode, Qt::Key_F3);
    QCOMPARE(finds, 0);

    // Add in an empty mode: the clause and an empty row; the commands wake up.
    QTest::keyClicks(w->txtEditField[0], QStringLiteral("a"));
    QTest::mouseClick(w->cmdAdd, Qt::LeftButton);
    QCOMPARE(w.Romans(), std::string("a_"));
    QCOMPARE(w.Status("TotalRows"), QStringLiteral("Rows: 2"));
    QCOMPARE(w.Status("SelectedRow"), QStringLiteral("#1"));
    QVERIFY(w->mnuRows->menuAction()->isEnabled());
    for (QAction* a : w->tlbGridControls->actions()) QVERIFY(a->isSeparator() || a->isEnabled());
    QTest::keyClick(w->grdMode, Qt::Key_F3);
    w->ToolbarButton("Find")->trigger();  // forwards to the menu entry
    QCOMPARE(finds, 2);
    // Without an icon theme the bundled images show.
    for (QAction* a : w->Toolbar1->actions()) QVERIFY(a->isSeparator() || !a->icon().isNull());
}

void TestMainWindow::typedLettersAreLoweredInRomanFieldsOnly() {
    ShownWindow w;
    for (int i = 0; i < 5; ++i) QTest::keyClicks(w->txtEditField[i], QStringLiteral("A"));
    QCOMPARE(w->txtEditField[0]->text(), QStringLiteral("a"));
    QCOMPARE(w->txtEditField[1]->text(), QStringLiteral("A"));
    QCOMPARE(w->txtEditField[2]->text(), QStringLiteral("a"));
    QCOMPARE(w->txtEditField[3]->text(), QStringLiteral("A"));
    QCOMPARE(w->txtEditField[4]->text(), QStringLiteral("A"));

    // Accented capitals of the code page are lowered too, composed ones as well.
    w->txtEditField[0]->clear();
    w->txtEditField[0]->setFocus();
    TypeText(w->txtEditField[0], QString::fromUtf8("ÉŠ"));
    QInputMethodEvent composed;
    composed.setCommitString(QString::fromUtf8("Ä"));
    QApplication::sendEvent(w->txtEditField[0], &composed);
    QCOMPARE(w->txtEditField[0]->text(), QString::fromUtf8("éšä"));

    // Pasted capitals stay.
    Clipboard()->setText(QStringLiteral("BC"));
    QTest::keyClick(w->txtEditField[0], Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w->txtEditField[0]->text(), QString::fromUtf8("éšäBC"));

    // Once the mode is case sensitive, nothing is lowered.
    QTest::mouseClick(w->chkCaseSensitive, Qt::LeftButton);
    QVERIFY(w->Table().CaseSensitive());
    w->txtEditField[2]->clear();
    QTest::keyClicks(w->txtEditField[2], QStringLiteral("Q"));
    QCOMPARE(w->txtEditField[2]->text(), QStringLiteral("Q"));
    QVERIFY(!w->Document().boolChanged);
}

void TestMainWindow::ctrlShiftEnterPutsTheMarker() {
    ShownWindow w;
    const QString marker(QChar(u'\r'));
    const auto ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    for (int i = 0; i < 5; ++i) {
        ByteLineEdit* field = w->txtEditField[i];
        field->setText(QStringLiteral("x"));
        QTest::keyClick(field, Qt::Key_Return, ctrlShift);
        QCOMPARE(field->text(), (i == 2 || i == 3) ? marker : QStringLiteral("x"));
    }
    w->txtEditField[2]->setText(QStringLiteral("x"));
    QTest::keyClick(w->txtEditField[2], Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClick(w->txtEditField[2], Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClick(w->txtEditField[2], Qt::Key_Return, ctrlShift | Qt::AltModifier);
    QCOMPARE(w->txtEditField[2]->text(), QStringLiteral("x"));
    QTest::keyClick(w->txtEditField[2], Qt::Key_Enter, ctrlShift | Qt::KeypadModifier);
    QCOMPARE(w->txtEditField[2]->text(), marker);

    // The marker reaches the table as the byte 13.
    QTest::keyClicks(w->txtEditField[0], QStringLiteral("s"));
    QTest::mouseClick(w->cmdAdd, Qt::LeftButton);
    QCOMPARE(w->Table().Cell(1, 2), std::string("\r"));
    QCOMPARE(w->Table().Cell(1, 3), std::string("\r"));
}

void TestMainWindow::tabsAndLineBreaksNeverEnterFromTheUser() {
    ShownWindow w;
    Clipboard()->setText(QStringLiteral("a\tb\r\nc"));
    for (ByteLineEdit* field : {w->txtEditField[0], w->txtEditField[1], w->txtComment}) {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);  // through the Edit menu's Paste
        QCOMPARE(field->text(), QStringLiteral("abc"));
        field->clear();
        QTest::keyClick(field, Qt::Key_Insert, Qt::ShiftModifier);  // the field's own paste key
        QCOMPARE(field->text(), QStringLiteral("abc"));
    }
    QCOMPARE(w->Table().Comment(), std::string("abc"));

    // Any other way in (here an input method) is cleaned as well, and a
    // character the code page lacks arrives as '?'.
    ByteLineEdit* roman = w->txtEditField[0];
    roman->clear();
    QInputMethodEvent event;
    event.setCommitString(QString::fromUtf8("x\ty\nz\u0416"));
    QApplication::sendEvent(roman, &event);
    QCOMPARE(roman->text(), QStringLiteral("xyz?"));

    // A line break pasted into a one-character field does not use it up.
    Clipboard()->setText(QStringLiteral("\nq"));
    w->txtEditField[4]->setFocus();
    QTest::keyClick(w->txtEditField[4], Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w->txtEditField[4]->text(), QStringLiteral("q"));

    // Text the program sets stays whole: the wizard puts the marker in.
    w->txtEditField[2]->setText(QStringLiteral("\r"));
    QCOMPARE(w->txtEditField[2]->text(), QStringLiteral("\r"));
    // A user edit elsewhere in a field keeps characters already there.
    roman->setText(QStringLiteral("a\rb"));
    roman->setFocus();
    roman->end(false);
    QTest::keyClicks(roman, QStringLiteral("c"));
    QCOMPARE(roman->text(), QStringLiteral("a\rbc"));
}

void TestMainWindow::addInsertsAtCurrentRow() {
    ShownWindow w;
    w.LoadLetters("abc");
    w.SetCursor(2);
    QTest::keyClicks(w->txtEditField[0], QStringLiteral("X"));
    QTest::keyClicks(w->txtEditField[1], QStringLiteral("Y"));
    QTest::keyClick(w->txtEditField[0], Qt::Key_Return);  // Enter does not add
    QCOMPARE(w->Table().RowCount(), 4);
    QVERIFY(w->cmdAdd->isEnabled());
    QTest::keyClick(w->txtEditField[0], Qt::Key_A, Qt::AltModifier);  // the access key clicks Add
    QTRY_COMPARE(w.Romans(), std::string("axbc"));
    QCOMPARE(w->Table().Cell(2, 1), std::string("Y"));
    QCOMPARE(w.Status("TotalRows"), QStringLiteral("Rows: 4"));
    QCOMPARE(w.Status("SelectedRow"), QStringLiteral("#2"));
    QVERIFY(w->Document().boolChanged);
    QVERIFY(!w->Document().boolOptimized);
    for (ByteLineEdit* field : w->txtEditField) QVERIFY(field->text().isEmpty());
    QVERIFY(!w->cmdAdd->isEnabled());
    QCOMPARE(QApplication::focusWidget(), w->txtEditField[0]);
    // The grid shows the cursor where SetCellFonts leaves it: column 4 of the new clause.
    QCOMPARE(w->grdMode->currentIndex(), w->Model().index(1, 4));

    // Adds without moving go in above one another, the last call on top.
    w->Document().boolOptimized = true;
    w->txtEditField[0]->setText(QStringLiteral("p"));
    w->AddRow();
    w->txtEditField[0]->setText(QStringLiteral("q"));
    w->AddRow();
    QCOMPARE(w.Romans(), std::string("aqpxbc"));
    QVERIFY(!w->Document().boolOptimized);

    // A single blank is a Roman text; no trimming.
    QTest::keyClicks(w->txtEditField[0], QStringLiteral(" "));
    QVERIFY(w->cmdAdd->isEnabled());
    QTest::mouseClick(w->cmdAdd, Qt::LeftButton);
    QCOMPARE(w->Table().Cell(2, 0), std::string(" "));
}

void TestMainWindow::gridLoadsFieldsBack() {
    ShownWindow w;
    w.Load({MakeClause("abcdefghijklmnopqrst", "T", "", "\r", "1"), MakeClause("b", "B")});

    // A double-click anywhere on row 1 loads it.
    const QRect cell = w->grdMode->visualRect(w->Model().index(0, 2));
    QTest::mouseDClick(w->grdMode->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(w->txtEditField[0]->text(), QStringLiteral("abcdefghijklmn"));
    QCOMPARE(w->txtEditField[3]->text(), QStringLiteral("\r"));
    QCOMPARE(w->txtEditField[4]->text(), QStringLiteral("1"));
    QCOMPARE(QApplication::focusWidget(), w->txtEditField[0]);
    QCOMPARE(w->txtEditField[0]->selectedText(), w->txtEditField[0]->text());
    QCOMPARE(w->Table().RowCount(), 3);  // the row stays

    // Adding it back gives the shorter text above the old clause.
    QTest::mouseClick(w->cmdAdd, Qt::LeftButton);
    QCOMPARE(w->Table().Cell(1, 0), std::string("abcdefghijklmn"));
    QCOMPARE(w->Table().Cell(1, 3), std::string("\r"));

    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
        w.SetCursor(3);
        w.FocusGrid();
        QTest::keyClick(w->grdMode, key);
        QCOMPARE(w->txtEditField[0]->text(), QStringLiteral("b"));
        QCOMPARE(w->txtEditField[1]->text(), QStringLiteral("B"));
        for (ByteLineEdit* field : w->txtEditField) field->clear();
    }

    // With no clauses, only the focus moves.
    w.Load({});
    w.FocusGrid();
    QTest::keyClick(w->grdMode, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), w->txtEditField[0]);
    QVERIFY(w->txtEditField[1]->text().isEmpty());
}

void TestMainWindow::commentAndCaseMirrorTheTable() {
    ShownWindow w;
    w->txtComment->setFocus();
    QTest::keyClicks(w->txtComment, QStringLiteral("Quenya mode"));
    QCOMPARE(w->Table().Comment(), std::string("Quenya mode"));
    w->chkCaseSensitive->setChecked(true);
    QVERIFY(w->Table().CaseSensitive());
    QVERIFY(!w->Document().boolChanged);

    // A load refills both controls from the table.
    w->Model().Reset([](ModeDocument& doc) {
        doc.ClearMode();
        doc.table.SetComment("Sindarin");
    });
    QCOMPARE(w->txtComment->text(), QStringLiteral("Sindarin"));
    QVERIFY(!w->chkCaseSensitive->isChecked());
    QVERIFY(!w->Table().CaseSensitive());

    // The comment field selects all on focus.
    w->txtEditField[0]->setFocus();
    w->txtComment->setFocus();
    QCOMPARE(w->txtComment->selectedText(), QStringLiteral("Sindarin"));
}

void TestMainWindow::gridClicksMoveTheTableCursor() {
    ShownWindow w;
    w.LoadLetters("abcd");
    QCOMPARE(w.Status("SelectedRow"), QStringLiteral("#1"));
    QTest::mouseClick(w->grdMode->viewport(), Qt::LeftButton, {},
                      w->grdMode->visualRect(w->Model().index(2, 1)).center());
    QCOMPARE(w->Table().CurrentRow(), 3);
    QCOMPARE(w->Table().CurrentCol(), 1);
    QCOMPARE(w.Status("SelectedRow"), QStringLiteral("#3"));
    QTest::mouseClick(w->grdMode->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      w->grdMode->visualRect(w->Model().index(2, 3)).center());
    QCOMPARE(w->Table().CurrentCol(), 3);
    QCOMPARE(w->Table().SelectionEndCol(), 1);
    QTest::keyClick(w->grdMode, Qt::Key_Down);
    QCOMPARE(w->Table().CurrentRow(), 4);
    QCOMPARE(w.Status("SelectedRow"), QStringLiteral("#4"));
}

void TestMainWindow::editCommandsFollowTheFocus() {
    ShownWindow w;
    w.LoadLetters("abc");
    ByteLineEdit* field = w->txtEditField[1];
    field->setText(QStringLiteral("abc"));
    field->setFocus();
    field->setSelection(1, 1);
    QTest::keyClick(field, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(field->text(), QStringLiteral("ac"));
    QCOMPARE(Clipboard()->text(), QStringLiteral("b"));

    // Copy without a selection leaves the clipboard alone.
    field->setCursorPosition(1);
    QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(Clipboard()->text(), QStringLiteral("b"));

    // Del deletes the character after the caret, nothing at the end.
    QTest::keyClick(field, Qt::Key_Delete);
    QCOMPARE(field->text(), QStringLiteral("a"));
    QTest::keyClick(field, Qt::Key_Delete);
    QCOMPARE(field->text(), QStringLiteral("a"));
    QCOMPARE(w->Table().RowCount(), 4);
    QVERIFY(!w->Document().boolChanged);

    // On the grid the same keys work on whole clauses.
    w.SetCursor(2);
    w.FocusGrid();
    QTest::keyClick(w->grdMode, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(Clipboard()->text(), QStringLiteral("b\tB\t\t\t"));
    QCOMPARE(w.Romans(), std::string("ac"));
    QVERIFY(w->Document().boolChanged);

    Clipboard()->setText(QStringLiteral("x"));
    QTest::keyClick(w->grdMode, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.Romans(), std::string("ac"));
    field->setFocus();
    field->end(false);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(field->text(), QStringLiteral("ax"));

    // The toolbar's Copy works on the focused control too.
    w.FocusGrid();
    w.SetCursor(1);
    w->ToolbarButton("Copy")->trigger();
    QCOMPARE(Clipboard()->text(), QStringLiteral("a\tA\t\t\t"));
    QTest::keyClick(w->grdMode, Qt::Key_Delete);
    QCOMPARE(w.Romans(), std::string("c"));

    // Ctrl+D, which a plain line edit takes as Delete, moves the clause.
    w.SetCursor(1);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(w.Romans(), std::string("c"));  // nowhere to go with one clause
    QCOMPARE(field->text(), QStringLiteral("ax"));

    // On the check box the Edit commands leave clauses and clipboard alone.
    w->chkCaseSensitive->setFocus();
    QTest::keyClick(w->chkCaseSensitive, Qt::Key_Delete);
    QTest::keyClick(w->chkCaseSensitive, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.Romans(), std::string("c"));
    QCOMPARE(Clipboard()->text(), QStringLiteral("a\tA\t\t\t"));
}

void TestMainWindow::specialCharacterEntryFollowsFocus() {
    ShownWindow w;
    w.LoadLetters("a");
    w.FocusGrid();
    emit w->mnuEdit->aboutToShow();
    QVERIFY(!w->mnuInsertSpecialCharacter->isEnabled());
    w->txtComment->setFocus();
    emit w->mnuEdit->aboutToShow();
    QVERIFY(w->mnuInsertSpecialCharacter->isEnabled());
    // Ctrl+Ins in a field reaches the entry, not the field's own copy.
    int picks = 0;
    QObject::connect(w->mnuInsertSpecialCharacter, &QAction::triggered, [&] { ++picks; });
    w->txtEditField[1]->setFocus();
    QTest::keyClick(w->txtEditField[1], Qt::Key_Insert, Qt::ControlModifier);
    QCOMPARE(picks, 1);
    w->chkCaseSensitive->setFocus();
    QVERIFY(!w->mnuInsertSpecialCharacter->isEnabled());
}

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
