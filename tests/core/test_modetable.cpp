// The table's row operations, its cursor rule, the row text and the two
// orders.
#include <QTest>

#include "editing/Ordering.h"
#include "mode/ModeDocument.h"

using namespace vel;

namespace {
std::string Romans(const ModeTable& t) {
    std::string s;
    for (int r = 1; r < t.RowCount(); ++r) s += std::string(t.Cell(r, ColRoman)) + (r + 1 < t.RowCount() ? "," : "");
    return s;
}
ModeTable Table(std::initializer_list<const char*> rows) {
    ModeTable t;
    for (const char* r : rows) t.AppendRow(r);
    return t;
}
}  // namespace

class TestModeTable : public QObject {
    Q_OBJECT
private slots:
    void rowTextSplitsAndJoins() {
        const Clause c = ParseRowText("a\tE\t\t\t");
        QCOMPARE(c, MakeClause("a", "E"));
        QCOMPARE(RowText(c), std::string("a\tE\t\t\t"));
        // Fewer fields leave the rest empty; more are dropped, never kept with a TAB.
        QCOMPARE(ParseRowText("x\ty"), MakeClause("x", "y"));
        QCOMPARE(ParseRowText("1\t2\t3\t4\t5\t6\t7"), MakeClause("1", "2", "3", "4", "5"));
        QCOMPARE(ParseRowText(""), Clause{});

        // Fields share one buffer: growing, emptying and cutting one field
        // (from its own text) leaves the others whole.
        Clause e = MakeClause("ab", "cd", "\r", "", "x");
        e.SetField(ColTengwar, "longer text");
        e.SetField(ColRoman, "");
        e.SetField(ColIfPreviousID, "q");
        e.SetField(ColTengwar, e.Tengwar().substr(0, 3));
        QCOMPARE(RowText(e), std::string("\tlon\t\r\tq\tx"));
        QCOMPARE(e, MakeClause("", "lon", "\r", "q", "x"));
    }

    void headerAndEmptyTable() {
        ModeTable t;
        QCOMPARE(t.RowCount(), 1);
        QCOMPARE(t.CurrentRow(), 0);
        QCOMPARE(t.Cell(0, 0), std::string("Roman"));
        QCOMPARE(t.Cell(0, 2), std::string("If next roman"));
        QCOMPARE(t.Cell(0, 4), std::string("ID"));
        QVERIFY(!t.DeleteRow(1));
        t.SetCell(0, 0, "changed");
        QCOMPARE(t.Cell(0, 0), std::string("Roman"));
    }

    void insertDeleteAndTheCursorRule() {
        ModeTable t;
        t.InsertRow("b\t\t\t\t", 1);  // rows appear: the cursor goes to 1
        QCOMPARE(t.CurrentRow(), 1);
        t.InsertRow("a\t\t\t\t", 1);
        QCOMPARE(Romans(t), std::string("a,b"));
        QCOMPARE(t.CurrentRow(), 1);  // keeps its number: now on the new clause
        t.InsertRow("c\t\t\t\t", 3);  // N + 1 is the same as an append
        ModeTable u = Table({"a", "b"});
        u.AppendRow("c\t\t\t\t");
        QCOMPARE(t.Clauses(), u.Clauses());

        t.SetCurrentRow(3);
        QVERIFY(t.DeleteRow(3));
        QCOMPARE(t.CurrentRow(), 2);  // beyond the last row becomes the last row
        t.SetRowCount(5);
        QCOMPARE(t.RowCount(), 5);
        QCOMPARE(t.CurrentRow(), 2);
        QCOMPARE(t.Cell(4, 0), std::string());
        t.SetRowCount(1);
        QCOMPARE(t.CurrentRow(), 0);
        t.SetRowCount(2);  // as Add does in an empty mode
        QCOMPARE(t.CurrentRow(), 1);
        t.SetCurrentRow(99);
        QCOMPARE(t.CurrentRow(), 1);
        t.SetCurrentCol(7);
        QCOMPARE(t.CurrentCol(), 4);

        ModeTable bulk = Table({"x", "y"});
        bulk.SetCurrentRow(2);
        bulk.InsertClauses({MakeClause("p"), MakeClause("q")}, 2);
        QCOMPARE(Romans(bulk), std::string("x,p,q,y"));
        QCOMPARE(bulk.CurrentRow(), 2);
    }


    void compareClausesLevels() {
        QCOMPARE(CompareClauses(MakeClause("ab"), MakeClause("z", "x", "x", "x", "x")), -1);
        QCOMPARE(CompareClauses(MakeClause("a", "x", "\r"), MakeClause("a", "x")), -1);  // the marker counts
        QCOMPARE(CompareClauses(MakeClause("a"), MakeClause("a", "E")), 1);
        QCOMPARE(CompareClauses(MakeClause("A", "#"), MakeClause("a", "E")), -1);  // 65 before 97
        QCOMPARE(CompareClauses(MakeClause("a", "E"), MakeClause("a", "x")), 0);
        // Byte order, not signed char order: 0xE9 sorts after 'z'.
        QCOMPARE(CompareClauses(MakeClause("z"), MakeClause("\xe9")), -1);
    }

    void optimizeWorkedExample() {
        ModeTable t = Table({"b\tw", "a\tE", "ch\td", "A\t#", "c\ta\th", "sh\td", "a\tE\t\t\t1", "c\ta"});
        t.SetCurrentRow(5);
        OptimizeOrder(t);
        const char* expected[] = {"ch\td\t\t\t", "sh\td\t\t\t", "a\tE\t\t\t1", "c\ta\th\t\t",
                                  "A\t#\t\t\t",  "a\tE\t\t\t",  "b\tw\t\t\t", "c\ta\t\t\t"};
        for (int r = 1; r <= 8; ++r) QCOMPARE(t.RowText(r), std::string(expected[r - 1]));
        QCOMPARE(t.CurrentRow(), 5);

        const auto once = t.Clauses();
        OptimizeOrder(t);
        QCOMPARE(t.Clauses(), once);

        AlphabeticalOrder(t);
        QCOMPARE(Romans(t), std::string("A,a,a,b,c,c,ch,sh"));
        // Equal Roman texts keep their previous order.
        QCOMPARE(t.RowText(2), std::string("a\tE\t\t\t1"));
    }
};

QTEST_GUILESS_MAIN(TestModeTable)
#include "test_modetable.moc"
