// The main window's pure parts: the typed row number and its rounding, the
// clipboard text as clauses, and the layout pass in twips.
#include <QTest>

#include "editing/MainLayout.h"
#include "editing/RowOperations.h"
#include "mode/Numbers.h"

using namespace vel;

class TestEditing : public QObject {
    Q_OBJECT
private slots:
    void readsATypedNumber_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("number");
        QTest::newRow("blanks anywhere") << "\t1 2\n" << 12.0;
        QTest::newRow("stops at a letter") << "3x" << 3.0;
        QTest::newRow("no leading number") << "x3" << 0.0;
        QTest::newRow("a fraction") << "2.5" << 2.5;
        QTest::newRow("a sign") << "-2" << -2.0;
        QTest::newRow("an exponent") << "1e2" << 100.0;
        QTest::newRow("an exponent without digits") << "2e" << 2.0;
        QTest::newRow("nothing") << "" << 0.0;
    }
    void readsATypedNumber() {
        QFETCH(QString, typed);
        QFETCH(double, number);
        QCOMPARE(ReadNumber(typed.toStdString()), number);
    }

    void roundsHalvesToEven_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("rounded");
        QTest::newRow("2.5") << 2.5 << 2.0;
        QTest::newRow("3.5") << 3.5 << 4.0;
        QTest::newRow("2.6") << 2.6 << 3.0;
        QTest::newRow("0.5") << 0.5 << 0.0;
        QTest::newRow("1.5") << 1.5 << 2.0;
    }
    void roundsHalvesToEven() {
        QFETCH(double, value);
        QFETCH(double, rounded);
        QCOMPARE(RoundHalfEven(value), rounded);
    }

    void clipboardLinesBecomeClauses() {
        // A line without a TAB is no clause; CR LF ends a line; the marker in a field stays.
        QVERIFY(ClipboardClauses("a\nb\r\n").empty());
        const auto many = ClipboardClauses("a\tA\r\nheading\nb\tB\t\t\r\t\r\n\n");
        QCOMPARE(many.size(), size_t(2));
        QCOMPARE(many[0], MakeClause("a", "A"));
        QCOMPARE(many[1], MakeClause("b", "B", "", "\r"));
    }

    void layoutPassOfTheDesign() {
        MainLayout l;
        l.gridToolbar.height = 390;
        LayoutPass(l, 8820, 7365, 390, 15, 15);
        QCOMPARE(l.container, (TwipRect{120, 2040, 8580, 4935}));
        const int lefts[] = {120, 1550, 2980, 4410, 5840};
        for (size_t i = 0; i < 5; ++i) {
            QCOMPARE(l.fields[i].width, 1400);
            QCOMPARE(l.fields[i].left, lefts[i]);
            QCOMPARE(l.fieldLabels[i].left, lefts[i]);
        }
        QCOMPARE(l.add.width, 1400);
        QCOMPARE(l.add.left, 7300);
        QCOMPARE(l.caseSensitive.left, 8820 - 3015);
        QCOMPARE(l.comment.width, 8820 - (360 + 3015));
        QCOMPARE(l.gridToolbar.left, 30);
        QCOMPARE(l.gridToolbar.top, 30);
        QCOMPARE(l.grid, (TwipRect{15, 420, 8550, 4935 - (420 + 30)}));
        QCOMPARE(l.columnWidth, 1710);

        // A window too small keeps the last valid sizes; what can still be placed is placed.
        LayoutPass(l, 200, 2000, 390, 15, 15);
        QCOMPARE(l.container.height, 4935);
        QCOMPARE(l.columnWidth, 1710);
        QCOMPARE(l.caseSensitive.left, 200 - 3015);
    }
};

QTEST_GUILESS_MAIN(TestEditing)
#include "test_editing.moc"
