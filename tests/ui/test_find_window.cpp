// The find and replace window over the real main window: how it opens, its
// controls and fields, and that its searches and changes reach the grid
// through the model, one undo step each. The search rules themselves are
// tested in the core.
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <cmath>
#include <cstring>

#include <QTimer>

#include "find/FindWindow.h"
#include "test_mainwindow_kit.h"

using namespace vel;
using namespace vel::test;

namespace {

FindWindow* Opened(ShownWindow& w) { return w->findChild<FindWindow*>(); }

FindWindow* Open(ShownWindow& w) {
    w->EditFind();
    FindWindow* f = Opened(w);
    // The window handle is active before the application follows.
    if (f && !QTest::qWaitFor([f] { return QApplication::activeWindow() == f; })) qWarning("find window not active");
    return f;
}

void Type(QWidget* field, const char* text) {
    field->setFocus();
    QTest::keyClicks(field, QString::fromLatin1(text));
}

}  // namespace

class TestFindWindow : public QObject {
    Q_OBJECT
private slots:
    void opensOnlyWithClausesAndEscCloses();
    void controlsLayoutAndTabOrder();
    void fieldsLowerAndTakeTheMarker();
    void boxesFollowFieldsAndDeleteLine();
    void specialCharFollowsTheFieldFocus();
    void keysStayInTheWindow();
    void searchMovesAndScrollsTheGrid();
    void changesAreOneUndoStepEach();
    void deletingTheOnlyClause();
};

void TestFindWindow::opensOnlyWithClausesAndEscCloses() {
    ShownWindow w;
    QVERIFY(!w->ToolbarButton("Find")->isEnabled());
    QTest::keyClick(w.w.get(), Qt::Key_F3);
    w->EditFind();
    QVERIFY(!Opened(w));

    w.LoadLetters("ab");
    QVERIFY(w->ToolbarButton("Find")->isEnabled());
    QTest::keyClick(w->grdMode, Qt::Key_F3);
    FindWindow* f = Opened(w);
    QVERIFY(f && f->isVisible() && !f->isModal());
    QCOMPARE(f->windowTitle(), QStringLiteral("Find & Replace"));
    QCOMPARE(f->parentWidget(), w.w.get());
    Type(f->txtFind[0], "a");
    w->mnuEFind->trigger();
    w->ToolbarButton("Find")->trigger();  // the same window, as it was
    QCOMPARE(w->findChildren<FindWindow*>().size(), qsizetype(1));
    QCOMPARE(f->txtFind[0]->text(), QStringLiteral("a"));

    QTest::keyClick(f->txtFind[0], Qt::Key_Escape);
    QTRY_VERIFY(!Opened(w));
    w->ToolbarButton("Find")->trigger();  // afresh
    QTRY_VERIFY(Opened(w) && Opened(w)->txtFind[0]->text().isEmpty());
}

void TestFindWindow::controlsLayoutAndTabOrder() {
    ShownWindow w;
    w.LoadLetters("a");
    FindWindow* f = Open(w);
    for (size_t i = 0; i < kColumnCount; ++i) {
        for (ByteLineEdit* field : {f->txtFind[i], f->txtReplace[i]}) {
            QCOMPARE(field->maxLength(), kFieldLimits[i]);
            QCOMPARE(field->property("fontTag").toString(), QString::fromLatin1(i == 0 || i == 2 ? "text" : "tengwar"));
            QCOMPARE(field->toolTip().isEmpty(), i != 2 && i != 3);
        }
        QCOMPARE(f->chkReplace[i]->text(), f->chkFind[i]->text());
    }
    QCOMPARE(f->chkFind[4]->text(), QStringLiteral("This ID"));
    QVERIFY(f->cmdFind->isDefault());
    QCOMPARE(f->cmdSpecialChar->toolTip(), QStringLiteral("Ctrl+Ins"));
    QCOMPARE(f->cmdClose->property("fontTag").toString(), QStringLiteral("text"));

    // Twips at the screen's twips per pixel (15 at 96 dots per inch).
    const double tpp = 1440.0 / f->logicalDpiX();
    QCOMPARE(f->size(), QSize(int(std::lround(7695 / tpp)), int(std::lround(3495 / tpp))));
    QCOMPARE(f->cmdClose->geometry().right() + 1, f->fraFind->geometry().right() + 1);
    QCOMPARE(f->txtReplace[4]->pos(), QPoint(int(std::lround(5880 / tpp)), int(std::lround(510 / tpp))));

    QStringList order;
    QWidget* at = f->chkFind[0];
    do {
        if (at->focusPolicy() & Qt::TabFocus) order << at->objectName();
        at = at->nextInFocusChain();
    } while (at != f->chkFind[0]);
    QCOMPARE(order.join(u' '), QStringLiteral("chkFind0 txtFind0 chkFind1 txtFind1 chkFind2 txtFind2 chkFind3 txtFind3 "
                                              "chkFind4 txtFind4 chkWord chkReplace0 txtReplace0 chkReplace1 "
                                              "txtReplace1 chkReplace2 txtReplace2 chkReplace3 txtReplace3 chkReplace4 "
                                              "txtReplace4 chkDeleteFound chkDuplicate cmdFind cmdReplace "
                                              "cmdReplaceAll cmdSpecialChar cmdClose"));
}

void TestFindWindow::fieldsLowerAndTakeTheMarker() {
    ShownWindow w;
    w.LoadLetters("a");
    FindWindow* f = Open(w);
    Type(f->txtFind[0], "R");
    Type(f->txtFind[1], "R");
    Type(f->txtReplace[2], "N");
    QCOMPARE(f->txtFind[0]->text() + f->txtFind[1]->text() + f->txtReplace[2]->text(), QStringLiteral("rRn"));
    w->Model().SetCaseSensitive(true);
    Type(f->txtReplace[0], "R");
    QCOMPARE(f->txtReplace[0]->text(), QStringLiteral("R"));

    const auto marker = [](ByteLineEdit* field) {
        field->setText(QStringLiteral("x"));
        QTest::keyClick(field, Qt::Key_Return, Qt::ControlModifier | Qt::ShiftModifier);
        return field->text();
    };
    QCOMPARE(marker(f->txtFind[4]), QStringLiteral("x"));
    QCOMPARE(marker(f->txtFind[2]), QString(QChar(13)));
    QCOMPARE(marker(f->txtReplace[3]), QString(QChar(13)));
    QCOMPARE(marker(f->txtReplace[0]), QStringLiteral("x"));
}

void TestFindWindow::boxesFollowFieldsAndDeleteLine() {
    ShownWindow w;
    w.LoadLetters("a");
    FindWindow* f = Open(w);
    Type(f->txtFind[1], "a");
    QVERIFY(f->chkFind[1]->isChecked() && f->chkReplace[1]->isChecked());
    QTest::keyClick(f->txtFind[1], Qt::Key_Backspace);
    QVERIFY(!f->chkFind[1]->isChecked() && !f->chkReplace[1]->isChecked());
    Type(f->txtReplace[3], "b");
    QVERIFY(f->chkReplace[3]->isChecked() && !f->chkFind[3]->isChecked());
    QTest::mouseClick(f->chkFind[2], Qt::LeftButton);
    QVERIFY(f->chkReplace[2]->isChecked());
    QTest::mouseClick(f->chkReplace[2], Qt::LeftButton);
    QVERIFY(f->chkFind[2]->isChecked() && !f->chkReplace[2]->isChecked());

    // Delete line: no replace field, no duplicate; untick gives back the
    // fields of the searched columns only.
    QTest::mouseClick(f->chkFind[2], Qt::LeftButton);
    Type(f->txtFind[0], "a");
    QTest::mouseClick(f->chkDeleteFound, Qt::LeftButton);
    for (ByteLineEdit* field : f->txtReplace) QVERIFY(!field->isEnabled());
    QVERIFY(!f->chkDuplicate->isEnabled());
    QTest::mouseClick(f->chkDeleteFound, Qt::LeftButton);
    for (size_t i = 0; i < kColumnCount; ++i) QCOMPARE(f->txtReplace[i]->isEnabled(), i == 0);
    QVERIFY(f->chkDuplicate->isEnabled());
}

void TestFindWindow::specialCharFollowsTheFieldFocus() {
    ShownWindow w;
    w.LoadLetters("a");
    FindWindow* f = Open(w);
    f->chkWord->setFocus();
    QVERIFY(!f->cmdSpecialChar->isEnabled());
    f->txtReplace[4]->setFocus();
    QVERIFY(f->cmdSpecialChar->isEnabled());
    QTest::keyClick(f->txtReplace[4], Qt::Key_Tab, Qt::ShiftModifier);
    QVERIFY(f->chkReplace[4]->hasFocus() && !f->cmdSpecialChar->isEnabled());
    // Tab into a field selects its text.
    f->txtFind[1]->setText(QStringLiteral("abc"));
    f->chkFind[1]->setFocus();
    QTest::keyClick(f->chkFind[1], Qt::Key_Tab);
    QCOMPARE(f->txtFind[1]->selectedText(), QStringLiteral("abc"));

    // A click keeps the field's focus, so the button stays for it; Ctrl+Ins
    // is the button's, not the field's Copy. Each opens the picker, which is
    // cancelled at once.
    int pickers = 0;
    auto cancelPicker = [&pickers] {
        QTimer::singleShot(0, qApp, [&pickers] {
            if (QWidget* picker = QApplication::activeModalWidget()) {
                ++pickers;
                picker->close();
            }
        });
    };
    cancelPicker();
    QTest::mouseClick(f->cmdSpecialChar, Qt::LeftButton);
    QCOMPARE(f->focusWidget(), f->txtFind[1]);
    f->activateWindow();  // offscreen gives the activation back to no one
    QTRY_VERIFY(f->txtFind[1]->hasFocus());
    QVERIFY(f->cmdSpecialChar->isEnabled());
    Clipboard()->setText(QStringLiteral("kept"));
    cancelPicker();
    QTest::keyClick(f->txtFind[1], Qt::Key_Insert, Qt::ControlModifier);
    QCOMPARE(Clipboard()->text(), QStringLiteral("kept"));
    QCOMPARE(pickers, 2);
}

void TestFindWindow::keysStayInTheWindow() {
    // The main window's keys (Del removes the clause, Alt+P its If previous
    // field) do not act while the find window is active.
    ShownWindow w;
    w.LoadLetters("ab");
    w.FocusGrid();
    FindWindow* f = Open(w);
    Type(f->txtFind[0], "a");
    Type(f->txtReplace[0], "x");
    f->chkWord->setFocus();
    QTest::keyClick(f->chkWord, Qt::Key_Delete);
    QCOMPARE(w.Romans(), std::string("ab"));
    QTest::keyClick(f->chkWord, Qt::Key_Return);  // Find next
    QTest::keyClick(f->chkWord, Qt::Key_P, Qt::AltModifier);
    QTRY_COMPARE(w.Romans(), std::string("xb"));
}

void TestFindWindow::searchMovesAndScrollsTheGrid() {
    ShownWindow w;
    std::vector<Clause> clauses(300, MakeClause("b", "B"));
    clauses[249] = MakeClause("cab", "C", "", "", "z");
    w.Load(clauses);
    FindWindow* f = Open(w);
    Type(f->txtFind[0], "a");
    Type(f->txtFind[4], "z");
    QTest::keyClick(f->txtFind[4], Qt::Key_Return);
    const QModelIndex found = w->Model().index(249, 4);
    QCOMPARE(w->grdMode->currentIndex(), found);
    QVERIFY(w->grdMode->viewport()->rect().contains(w->grdMode->visualRect(found)));
    QCOMPARE(w.Status("SelectedRow"), QStringLiteral("#250"));
}

void TestFindWindow::changesAreOneUndoStepEach() {
    ShownWindow w;
    w.LoadLetters("abca");
    FindWindow* f = Open(w);
    Type(f->txtFind[0], "a");
    Type(f->txtReplace[0], "x");
    // From the last row every search starts again at row 1.
    const auto once = [&](QPushButton* button, const char* romans, int rowAfter) {
        w.SetCursor(4);
        f->cmdFind->click();
        button->click();
        QCOMPARE(w.Romans(), std::string(romans));
        QCOMPARE(w->grdMode->currentIndex().row() + 1, rowAfter);
        QCOMPARE(w->grdMode->model()->rowCount(), int(std::strlen(romans)));
        const EditHistory& history = w->Model().Document().History();
        QVERIFY(w->Model().Document().Changed());
        QCOMPARE(history.UndoName(), std::string(button == f->cmdReplaceAll       ? "Replace all"
                                                 : f->chkDeleteFound->isChecked() ? "Delete line"
                                                                                  : "Replace"));
        QVERIFY(w->Model().Undo());
        QCOMPARE(w.Romans(), std::string("abca"));
        QVERIFY(!history.CanUndo() && !w->Model().Document().Changed());
    };
    once(f->cmdReplace, "xbca", 4);  // and the next one is found
    once(f->cmdReplaceAll, "xbcx", 4);
    f->chkDuplicate->click();
    once(f->cmdReplace, "axbca", 5);
    once(f->cmdReplaceAll, "axbcax", 6);
    f->chkDeleteFound->click();
    once(f->cmdReplace, "bca", 3);
    once(f->cmdReplaceAll, "bc", 2);
}

void TestFindWindow::deletingTheOnlyClause() {
    ShownWindow w;
    w.LoadLetters("a");
    FindWindow* f = Open(w);
    Type(f->txtFind[0], "a");
    f->chkDeleteFound->click();
    f->cmdFind->click();
    f->cmdReplace->click();
    QCOMPARE(w->Table().ClauseCount(), 0);
    QCOMPARE(w.Status("TotalRows"), QStringLiteral("Rows: 0"));
    QVERIFY(!w->ToolbarButton("Find")->isEnabled() && f->isVisible());
    f->cmdFind->click();  // nothing to search
    QVERIFY(w->Model().Undo());
    QCOMPARE(w.Romans(), std::string("a"));
}

QTEST_MAIN(TestFindWindow)
#include "test_find_window.moc"
