// The mode check's findings list as the main window opens it: one line per
// finding with its kind's icon, the way into the grid, and the refresh after
// changes of the table.
#include <QLabel>
#include <QTreeView>

#include "check/CheckWindow.h"
#include "test_mainwindow_kit.h"

using namespace vel;
using namespace vel::test;

namespace {

// Row 2 can never be used (row 1 applies first) and row 3 writes nothing.
std::vector<Clause> FlawedMode() { return {MakeClause("n", "5"), MakeClause("nd", "2"), MakeClause("x")}; }

CheckWindow* OpenCheck(ShownWindow& w) {
    QTest::keyClick(w.w.get(), Qt::Key_F7);
    CheckWindow* check = w->ModeCheck();
    if (check && !QTest::qWaitForWindowExposed(check)) qWarning("check window not exposed");
    return check;
}

QString Cell(CheckWindow* check, int line, int col) {
    return check->List()->model()->index(line, col).data().toString();
}

}  // namespace

class TestCheckWindow : public QObject {
    Q_OBJECT
private slots:
    void listsEveryFindingWithItsKind();
    void enterAndDoubleClickGoToTheRow();
    void refreshesAfterThePause();
};

void TestCheckWindow::listsEveryFindingWithItsKind() {
    ShownWindow w;
    w.Load(FlawedMode());
    CheckWindow* check = OpenCheck(w);
    QVERIFY(check);
    QVERIFY(check->isWindow());
    QCOMPARE(check->parentWidget(), w.w.get());
    QCOMPARE(check->List()->model()->rowCount(), 2);
    QCOMPARE(Cell(check, 0, 0), QString("2"));
    QCOMPARE(Cell(check, 0, 1), QString("Never used"));
    QCOMPARE(Cell(check, 0, 2), QString("Row 2 (nd) can never be used: row 1 (n) always applies first."));
    QCOMPARE(Cell(check, 1, 1), QString("Writes nothing"));
    for (int line = 0; line < 2; ++line)
        QVERIFY(!check->List()->model()->index(line, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
    QVERIFY(check->Summary()->text().startsWith("2 findings."));

    // F7 again brings the same window forward.
    QTest::keyClick(w.w.get(), Qt::Key_F7);
    QCOMPARE(w->ModeCheck(), check);
    check->close();
    QTRY_VERIFY(!w->ModeCheck());
}

void TestCheckWindow::enterAndDoubleClickGoToTheRow() {
    ShownWindow w;
    w.Load(FlawedMode());
    CheckWindow* check = OpenCheck(w);
    QTreeView* list = check->List();
    list->setCurrentIndex(list->model()->index(1, 0));
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(w->Table().CurrentRow(), 3);
    QCOMPARE(w.Status("SelectedRow"), QString("#3"));
    QCOMPARE(w->grdMode->currentIndex().row(), 2);

    const QPoint first = list->visualRect(list->model()->index(0, 2)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first);  // the view wants the press first
    QCOMPARE(w->Table().CurrentRow(), 3);                            // a click alone does not go
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first);
    QCOMPARE(w->Table().CurrentRow(), 2);
    check->close();
}

void TestCheckWindow::refreshesAfterThePause() {
    ShownWindow w;
    w.Load(FlawedMode());
    CheckWindow* check = OpenCheck(w);
    w->Model().RemoveRow(2, "Remove");
    QCOMPARE(check->List()->model()->rowCount(), 2);  // the command does not wait for the check
    QTRY_COMPARE(check->List()->model()->rowCount(), 1);
    w->Model().ReplaceClause(2, MakeClause("x", "X"), false, 0, "Replace");
    QTRY_COMPARE(check->Summary()->text(), QString("No findings."));
    QCOMPARE(check->List()->model()->rowCount(), 0);
    check->close();
}

QTEST_MAIN(TestCheckWindow)
#include "test_check_window.moc"
