// The row clipboard's text: a copied clause comes back whatever bytes its
// fields hold, and rows copied from other programs still paste line by line.
#include <QTest>

#include "editing/RowOperations.h"

using namespace vel;

Q_DECLARE_METATYPE(Clause)

class TestRowClipboard : public QObject {
    Q_OBJECT
private slots:
    void copiedClauseComesBack_data() {
        QTest::addColumn<Clause>("clause");
        QTest::newRow("plain") << MakeClause("a", "E");
        QTest::newRow("marker in both conditions") << MakeClause("n", "5", "\r", "\r", "B");
        QTest::newRow("LF in Roman") << MakeClause("x\ny", "E");
        QTest::newRow("LF at the end of Tengwar") << MakeClause("a", "E\n");
        QTest::newRow("CR LF inside Tengwar") << MakeClause("a", "1\r\n2");
        QTest::newRow("LF as If next roman") << MakeClause("a", "E", "\n", "\r", "");
        QTest::newRow("LF as If previous ID") << MakeClause("\n", "", "", "\n", "I");
        QTest::newRow("CR as ID") << MakeClause("a", "b\nc", "", "", "\r");
        QTest::newRow("empty Roman") << MakeClause("", "E");
    }
    void copiedClauseComesBack() {
        QFETCH(Clause, clause);
        const std::vector<Clause> pasted = ClipboardClauses(RowText(clause));
        QCOMPARE(pasted.size(), size_t(1));
        QCOMPARE(pasted[0], clause);
    }

    // The exception the rule documents: a last field that is a line feed
    // itself reads as the line end.
    void lineFeedAsIdIsTheLineEnd() {
        QCOMPARE(ClipboardClauses(RowText(MakeClause("a", "b", "", "", "\n"))),
                 std::vector<Clause>{MakeClause("a", "b")});
    }

    void rowsFromOtherPrograms_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("rows");  // each clause as its row text, TABs written as |
        QTest::newRow("no TAB") << QByteArray("a\nb\r\n") << QStringList{};
        QTest::newRow("one row and its line end") << QByteArray("a\tE\t\t\t\r\n") << QStringList{"a|E|||"};
        QTest::newRow("four rows of two columns")
            << QByteArray("a\tA\nb\tB\nc\tC\nd\tD\n") << QStringList{"a|A|||", "b|B|||", "c|C|||", "d|D|||"};
        QTest::newRow("two rows of three columns")
            << QByteArray("a\tA\tx\r\nb\tB\ty\r\n") << QStringList{"a|A|x||", "b|B|y||"};
        QTest::newRow("headings, CR LF, the marker")
            << QByteArray("a\tA\r\nheading\nb\tB\t\t\r\t\r\n\n") << QStringList{"a|A|||", "b|B||\r|"};
        QTest::newRow("one line without an end keeps a CR") << QByteArray("a\tB\r") << QStringList{"a|B\r|||"};
    }
    void rowsFromOtherPrograms() {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, rows);
        std::vector<Clause> expected;
        for (const QString& row : rows)
            expected.push_back(ParseRowText(row.toLatin1().replace('|', '\t').toStdString()));
        QCOMPARE(ClipboardClauses(text.toStdString()), expected);
    }
};

QTEST_GUILESS_MAIN(TestRowClipboard)
#include "test_rowclipboard.moc"
