// Whole-clause commands of the main window: moves, the row number box,
// remove, cut, copy and paste through the clipboard, and the two orders.
#include <QAction>
#include <QMenu>
#include <QToolBar>

#include "test_mainwindow_kit.h"

using namespace vel;
using namespace vel::test;

class TestMainWindowRows : public QObject {
    Q_OBJECT
private slots:
    void relativeMovesStopAtTheEnds();
    void moveToRowAsksUntilInRange();
    void copyCutPasteThroughTheClipboard();
    void removeDownToAnEmptyModeAndPasteBack();
    void optimizeAndSortReorderEveryClause();
};

void TestMainWindowRows::relativeMovesStopAtTheEnds() {
    ShownWindow w;
    w.LoadLetters("abcd");
    w.SetCursor(1);
    w.FocusGrid();
    w.Optimized();  // the order stays: the letters are in it already
    const size_t steps = w->Model().Document().History().Count();
    QTest::keyClick(w->grdMode, Qt::Key_U, Qt::ControlModifier);
    w.SetCursor(4);
    w->ToolbarButton("Down")->trigger();
    QCOMPARE(w.Romans(), std::string("abcd"));
    QCOMPARE(w->Model().Document().History().Count(), steps);  // no step, no change
    QVERIFY(w->Model().Document().Optimized());

    w->ToolbarButton("Up")->trigger();
    QCOMPARE(w.Romans(), std::string("abdc"));
    QCOMPARE(w.Status("SelectedRow"), QStringLiteral("#3"));
    QVERIFY(w->Model().Document().Changed() && !w->Model().Document().Optimized());
    // Repeated moves carry the same clause along.
    w.SetCursor(1);
    for (int i = 0; i < 3; ++i) QTest::keyClick(w->grdMode, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(w.Romans(), std::string("bdca"));
    QCOMPARE(w->grdMode->currentIndex(), w->Model().index(3, 4));
}

void TestMainWindowRows::moveToRowAsksUntilInRange() {
    ShownWindow w;
    w.LoadLetters("abcde");
    w.SetCursor(1);
    // Each refused: out of range before or after rounding, or no leading number.
    for (const char* answer : {"0", "6", "x3", "0.6", "5.4", " ", "5"}) w.prompter.AnswerInput(QString::fromLatin1(answer));
    w->mnuRMoveToRow->trigger();
    QCOMPARE(w.Romans(), std::string("bcdea"));
    QCOMPARE(w.prompter.Count("tell"), 6);
    QCOMPARE(w.prompter.calls[1].text, QStringLiteral("You must specify a number between 1 and 5."));

    // Halves go to the even row, written back.
    w.Optimized();  // abcde
    w.SetCursor(1);
    w.prompter.AnswerInput(QStringLiteral("2.5"));
    int position = 0;
    w->Rows().MoveRow(position, true);
    QCOMPARE(position, 2);
    QCOMPARE(w.Romans(), std::string("bacde"));
    QVERIFY(!w->Model().Document().Optimized());

    // An empty answer and Cancel move nothing and leave the flags.
    w.Optimized();
    const size_t steps = w->Model().Document().History().Count();
    w.prompter.AnswerInput(QString());
    w.prompter.AnswerInput(std::nullopt);
    w->Rows().MoveRow(position, true);
    w->Rows().MoveRow(position, true);
    QCOMPARE(w.Romans(), std::string("abcde"));
    QCOMPARE(position, 2);
    QCOMPARE(w->Model().Document().History().Count(), steps);
    QVERIFY(w->Model().Document().Optimized());
    QVERIFY(w.prompter.Exhausted());
}

void TestMainWindowRows::copyCutPasteThroughTheClipboard() {
    ShownWindow w;
    w.Load({MakeClause("a", "E"), MakeClause("s", "\x80", "\r"), MakeClause("c", "C")});
    w.SetCursor(2);
    w.FocusGrid();
    // The clause travels as its row text; byte 0x80 is the euro sign of the code page.
    QTest::keyClick(w->grdMode, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(Clipboard()->text(), QString::fromUtf8("s\t\u20AC\t\r\t\t"));
    QVERIFY(!w->Model().Document().Changed());
    QTest::keyClick(w->grdMode, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.Romans(), std::string("assc"));
    QCOMPARE(w->Table().ClauseAt(2), MakeClause("s", "\x80", "\r"));
    QCOMPARE(w->grdMode->currentIndex(), w->Model().index(1, 4));
    QVERIFY(w->Model().Document().Changed());

    // Cut here, paste there: a move, which keeps Optimized.
    w.Optimized();
    QCOMPARE(w.Romans(), std::string("ssac"));  // more filled fields first
    w.SetCursor(1);
    w->mnuECut->trigger();
    w.SetCursor(3);
    w->mnuEPaste->trigger();
    QCOMPARE(w.Romans(), std::string("sasc"));
    QVERIFY(w->Model().Document().Optimized());

    // Text from elsewhere: several lines, several clauses in order.
    Clipboard()->setText(QStringLiteral("x\ty\r\nz\tZ\r\n"));
    w->Rows().PasteRow();
    QCOMPARE(w.Romans(), std::string("saxzsc"));
}

void TestMainWindowRows::removeDownToAnEmptyModeAndPasteBack() {
    ShownWindow w;
    w.LoadLetters("ab");
    w.SetCursor(2);
    w.FocusGrid();
    QTest::keyClick(w->grdMode, Qt::Key_Delete);
    QCOMPARE(w.Status("SelectedRow"), QStringLiteral("#1"));
    QTest::keyClick(w->grdMode, Qt::Key_Delete);
    QCOMPARE(w.Status("TotalRows"), QStringLiteral("Rows: 0"));
    QCOMPARE(w.Status("SelectedRow"), QString());
    QVERIFY(!w->mnuRows->menuAction()->isEnabled());
    QVERIFY(w->Model().Document().Changed());
    // With no clause, copy and cut leave the clipboard alone; a paste keeps
    // the empty row after the clause.
    Clipboard()->setText(QStringLiteral("k\tK\t\t\t"));
    w->Rows().CopyRow();
    w->Rows().CutRow();
    QTest::keyClick(w->grdMode, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.Romans(), std::string("k_"));
    QVERIFY(w->mnuRows->menuAction()->isEnabled());

    // Cut removes the clause only once the clipboard holds it.
    auto steal = QObject::connect(Clipboard(), &QClipboard::dataChanged, [] {
        if (!Clipboard()->text().isEmpty()) Clipboard()->clear();
    });
    w->Rows().CutRow();
    QObject::disconnect(steal);
    QCOMPARE(w.Romans(), std::string("k_"));
}

void TestMainWindowRows::optimizeAndSortReorderEveryClause() {
    ShownWindow w;
    w.Load({MakeClause("b", "w"), MakeClause("a", "E"), MakeClause("ch", "d"), MakeClause("A", "#"),
            MakeClause("c", "a", "h"), MakeClause("sh", "d"), MakeClause("a", "E", "", "", "1"),
            MakeClause("c", "a")});
    // A selection over several rows and columns does not limit the sort.
    w.SetCursor(3, 2);
    w->grdMode->selectionModel()->select(
        QItemSelection(w->Model().index(1, 1), w->Model().index(5, 3)), QItemSelectionModel::ClearAndSelect);
    w->mnuROptimize->trigger();
    QCOMPARE(w.Romans(), std::string("chshacAabc"));
    QVERIFY(w->Model().Document().Changed() && w->Model().Document().Optimized());
    QCOMPARE(w->grdMode->currentIndex(), w->Model().index(2, 0));
    QCOMPARE(QApplication::overrideCursor(), nullptr);

    w->ToolbarButton("Alphabetically")->trigger();
    QCOMPARE(w.Romans(), std::string("Aaabccchsh"));
    QVERIFY(!w->Model().Document().Optimized());
}

QTEST_MAIN(TestMainWindowRows)
#include "test_mainwindow_rows.moc"
