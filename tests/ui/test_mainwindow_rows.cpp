// Whole-clause commands of the main window: moves, the row number box,
// remove, cut, copy and paste through the clipboard, and the two orders.
#include <QAction>
#include <QMenu>
#include <QToolBar>

#include "editing/RowOperations.h"
#include "test_mainwindow_kit.h"

using namespace vel;
using namespace vel::test;

class TestMainWindowRows : public QObject {
    Q_OBJECT
private slots:
    void readNumber_data();
    void readNumber();
    void roundHalfEven();
    void clipboardClauses();
    void relativeMovesStopAtTheEnds();
    void moveToRowAsksUntilInRange();
    void moveToRowPlacesTheClause();
    void copyCutPasteThroughTheClipboard();
    void pasteIntoEmptyMode();
    void removeTakesTheLastClauseToo();
    void optimizeAndSortReorderEveryClause();
};

void TestMainWindowRows::readNumber_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("number");
    QTest::newRow("plain") << QByteArray("3") << 3.0;
    QTest::newRow("leading blank") << QByteArray(" 3") << 3.0;
    QTest::newRow("blanks, tabs, LF inside") << QByteArray("\t1 2\n") << 12.0;
    QTest::newRow("stops at letter") << QByteArray("3x") << 3.0;
    QTest::newRow("letter first") << QByteArray("x3") << 0.0;
    QTest::newRow("fraction") << QByteArray("2.5") << 2.5;
    QTest::newRow("sign") << QByteArray("-2") << -2.0;
    QTest::newRow("exponent") << QByteArray("1e2") << 100.0;
    QTest::newRow("bare exponent") << QByteArray("2e") << 2.0;
    QTest::newRow("nothing") << QByteArray("") << 0.0;
}

void TestMainWindowRows::readNumber() {
    QFETCH(QByteArray, text);
    QFETCH(double, number);
    QCOMPARE(ReadNumber(text.toStdString()), number);
}

void TestMainWindowRows::roundHalfEven() {
    const std::pair<double, double> cases[] = {{1.5, 2}, {2.5, 2}, {2.6, 3}, {0.5, 0}, {3.5, 4}, {4.4, 4}, {7, 7}};
    for (auto [in, out] : cases) QCOMPARE(RoundHalfEven(in), out);
}

void TestMainWindowRows::clipboardClauses() {
    QVERIFY(ClipboardClauses("x").empty());
    QVERIFY(ClipboardClauses("a\nb\r\n").empty());
    // One line is one row text, as it is; the marker in a field stays.
    auto one = ClipboardClauses("s\tX\t\r\t\t");
    QCOMPARE(one.size(), size_t(1));
    QCOMPARE(one[0], MakeClause("s", "X", "\r"));
    // Several lines: CR LF ends a line; lines without a TAB are skipped.
    auto many = ClipboardClauses("a\tA\r\nheading\nb\tB\t\t\r\t\r\n\n");
    QCOMPARE(many.size(), size_t(2));
    QCOMPARE(many[0], MakeClause("a", "A"));
    QCOMPARE(many[1], MakeClause("b", "B", "", "\r"));
}

void TestMainWindowRows::relativeMovesStopAtTheEnds() {
    ShownWindow w;
    w.LoadLetters("abcd");
    w.SetCursor(1);
    w.FocusGrid();
    QTest::keyClick(w->grdMode, Qt::Key_U, Qt::ControlModifier);
    QCOMPARE(w.Romans(), std::string("abcd"));
    QVERIFY(!w->Document().boolChanged);
    w.SetCursor(4);
    w->Document().boolOptimized = true;
    w->ToolbarButton("Down")->trigger();
    QCOMPARE(w.Romans(), std::string("abcd"));
    QVERIFY(!w->Document().boolChanged);
    QVERIFY(w->Document().boolOptimized);

    w->ToolbarButton("Up")->trigger();
    QCOMPARE(w.Romans(), std::string("abdc"));
    QCOMPARE(w.Status("SelectedRow"), QStringLiteral("#3"));
    QVERIFY(w->Document().boolChanged);
    QVERIFY(!w->Document().boolOptimized);

    // Repeated moves carry the same clause along.
    w.SetCursor(1);
    QTest::keyClick(w->grdMode, Qt::Key_D, Qt::ControlModifier);
    QTest::keyClick(w->grdMode, Qt::Key_D, Qt::ControlModifier);
    QTest::keyClick(w->grdMode, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(w.Romans(), std::string("bdca"));
    QCOMPARE(w->Table().CurrentRow(), 4);
    QCOMPARE(w->grdMode->currentIndex().row(), 3);
    QCOMPARE(w->grdMode->currentIndex().column(), 4);
}

void TestMainWindowRows::moveToRowAsksUntilInRange() {
    ShownWindow w;
    w.LoadLetters("abcde");
    w.SetCursor(1);
    for (const char* answer : {"0", "6", "x3", "0.6", "5.4", " "}) w.prompter.AnswerInput(QString::fromLatin1(answer));
    w.prompter.AnswerInput(QStringLiteral("5"));
    w->mnuRMoveToRow->trigger();
    QCOMPARE(w.Romans(), std::string("bcdea"));
    QCOMPARE(w.prompter.Count("input"), 7);
    QCOMPARE(w.prompter.Count("tell"), 6);
    const ScriptedPrompter::Call& input = w.prompter.calls.front();
    QCOMPARE(input.title, QStringLiteral("Move Clause to Row"));
    QCOMPARE(input.text, QStringLiteral("Specify new row number for clause"));
    const ScriptedPrompter::Call& message = w.prompter.calls[1];
    QCOMPARE(message.title, QStringLiteral("Invalid Row Number"));
    QCOMPARE(message.text, QStringLiteral("You must specify a number between 1 and 5."));
    QCOMPARE(message.icon, Prompter::Icon::Critical);
    QVERIFY(w.prompter.Exhausted());

    // An empty answer and Cancel move nothing and leave the flags.
    w->Document().boolChanged = false;
    w->Document().boolOptimized = true;
    w.prompter.AnswerInput(QString());
    w.prompter.AnswerInput(std::nullopt);
    int position = 7;
    w->MoveRow(position, true);
    w->MoveRow(position, true);
    QCOMPARE(w.Romans(), std::string("bcdea"));
    QCOMPARE(position, 7);
    QVERIFY(!w->Document().boolChanged);
    QVERIFY(w->Document().boolOptimized);
}

void TestMainWindowRows::moveToRowPlacesTheClause() {
    ShownWindow w;
    w.LoadLetters("abcdef");
    w.SetCursor(2);
    w.prompter.AnswerInput(QStringLiteral("5"));
    int position = 0;
    w->MoveRow(position, true);
    QCOMPARE(position, 5);
    QCOMPARE(w.Romans(), std::string("acdebf"));
    QCOMPARE(w->Table().CurrentRow(), 5);
    QCOMPARE(w.Status("SelectedRow"), QStringLiteral("#5"));

    // Halves go to the even row; the own row re-inserts but flags the change.
    w.SetCursor(1);
    w.prompter.AnswerInput(QStringLiteral("1.5"));
    w->MoveRow(position, true);
    QCOMPARE(position, 2);
    QCOMPARE(w.Romans(), std::string("cadebf"));
    w->Document().boolChanged = false;
    w->Document().boolOptimized = true;
    w.prompter.AnswerInput(QStringLiteral("2"));
    w->MoveRow(position, true);
    QCOMPARE(w.Romans(), std::string("cadebf"));
    QVERIFY(w->Document().boolChanged);
    QVERIFY(!w->Document().boolOptimized);

}

void TestMainWindowRows::copyCutPasteThroughTheClipboard() {
    ShownWindow w;
    w.Load({MakeClause("a", "E"), MakeClause("s", "\x80", "\r"), MakeClause("c", "C")});
    w.SetCursor(2);
    w.FocusGrid();
    // The clause travels as its row text; byte 0x80 is the euro sign of the code page.
    QTest::keyClick(w->grdMode, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(Clipboard()->text(), QString::fromUtf8("s\t\u20AC\t\r\t\t"));
    QVERIFY(!w->Document().boolChanged);
    QTest::keyClick(w->grdMode, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.Romans(), std::string("assc"));
    QCOMPARE(w->Table().ClauseAt(2), MakeClause("s", "\x80", "\r"));
    QCOMPARE(w->Table().CurrentRow(), 2);
    QCOMPARE(w->grdMode->currentIndex().column(), 4);
    QVERIFY(w->Document().boolChanged);

    // Cut here, paste there: a move.
    w->Document().boolOptimized = true;
    w.SetCursor(1);
    w->mnuECut->trigger();
    QCOMPARE(w.Romans(), std::string("ssc"));
    w.SetCursor(3);
    w->mnuEPaste->trigger();
    QCOMPARE(w.Romans(), std::string("ssac"));
    QVERIFY(w->Document().boolOptimized);  // only adds, moves and sorts clear it

    // Text from elsewhere: without a TAB nothing, with one a clause.
    Clipboard()->setText(QStringLiteral("x"));
    w->PasteRow();
    QCOMPARE(w.Romans(), std::string("ssac"));
    Clipboard()->setText(QStringLiteral("x\ty"));
    w->PasteRow();
    QCOMPARE(w->Table().ClauseAt(3), MakeClause("x", "y"));
    QCOMPARE(w.Status("TotalRows"), QStringLiteral("Rows: 5"));
}

void TestMainWindowRows::pasteIntoEmptyMode() {
    ShownWindow w;
    Clipboard()->setText(QStringLiteral("k\tK\t\t\t"));
    w.FocusGrid();
    QTest::keyClick(w->grdMode, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.Romans(), std::string("k_"));
    QVERIFY(w->mnuRows->menuAction()->isEnabled());

    // Copy and cut with no clause leave the clipboard; an empty-mode paste of
    // nothing still leaves the empty row.
    w.Load({});
    Clipboard()->setText(QStringLiteral("keep"));
    w->CopyRow();
    w->CutRow();
    QCOMPARE(Clipboard()->text(), QStringLiteral("keep"));
    w->PasteRow();
    QCOMPARE(w->Table().RowCount(), 2);
}

void TestMainWindowRows::removeTakesTheLastClauseToo() {
    ShownWindow w;
    w.LoadLetters("ab");
    w.SetCursor(2);
    w.FocusGrid();
    QTest::keyClick(w->grdMode, Qt::Key_Delete);
    QCOMPARE(w.Romans(), std::string("a"));
    QCOMPARE(w->Table().CurrentRow(), 1);
    QCOMPARE(w.Status("SelectedRow"), QStringLiteral("#1"));
    QTest::keyClick(w->grdMode, Qt::Key_Delete);
    QCOMPARE(w->Table().RowCount(), 1);
    QCOMPARE(w.Status("TotalRows"), QStringLiteral("Rows: 0"));
    QCOMPARE(w.Status("SelectedRow"), QString());
    QVERIFY(!w->mnuRows->menuAction()->isEnabled());
    QVERIFY(w->Document().boolChanged);
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
    QCOMPARE(w->Table().ClauseAt(3), MakeClause("a", "E", "", "", "1"));
    QCOMPARE(w->Table().ClauseAt(4), MakeClause("c", "a", "h"));
    QVERIFY(w->Document().boolChanged);
    QVERIFY(w->Document().boolOptimized);
    QCOMPARE(w->Table().CurrentCol(), 0);
    QCOMPARE(w->grdMode->currentIndex(), w->Model().index(2, 0));
    QCOMPARE(w.Status("SelectedRow"), QStringLiteral("#3"));
    QCOMPARE(QApplication::overrideCursor(), nullptr);

    w->ToolbarButton("Alphabetically")->trigger();
    QCOMPARE(w.Romans(), std::string("Aaabccchsh"));
    QVERIFY(!w->Document().boolOptimized);

    // One clause: nothing moves, both flags are set.
    w.LoadLetters("q");
    w->Document().boolChanged = false;
    w->ToolbarButton("Optimize")->trigger();
    QVERIFY(w->Document().boolChanged);
    QVERIFY(w->Document().boolOptimized);
}

QTEST_MAIN(TestMainWindowRows)
#include "test_mainwindow_rows.moc"
