// The reading of a mode: the letter-or-digit table, each rule on small
// tables, and the wizard's worked example in both tehta orders.
#include <QTest>
#include <algorithm>

#include "editing/Ordering.h"
#include "mode/Cp1252.h"
#include "preview/Reading.h"
#include "wizard/WizardGenerate.h"

using namespace vel;

namespace {

// Rows as row texts ("roman\ttengwar\tnext\tprevious\tid").
ModeTable Table(std::initializer_list<const char*> rows, bool caseSensitive = false) {
    ModeTable t;
    for (const char* r : rows) t.AppendRow(r);
    t.SetCaseSensitive(caseSensitive);
    return t;
}

QByteArray Hex(const std::string& bytes) { return QByteArray::fromStdString(bytes).toHex(' ').toUpper(); }

// The wizard's worked example: tengwa 17 "t", tehta 0 "a", short carrier;
// the clauses stand in the table as a run of Add leaves them (reversed).
ModeTable WorkedExample(TehtaOrder order, bool sCurls, bool underBars) {
    WizardFields f;
    f.txtRoman[17] = "t";
    f.txtTehta[0] = "a";
    f.optTehtaOrder = order;
    f.chkShortCarrier = kChecked;
    f.chkSCurls = sCurls ? kChecked : kUnchecked;
    f.chkDoubleTengwar = underBars ? kChecked : kUnchecked;
    std::vector<Clause> clauses = GenerateClauses(f);
    std::reverse(clauses.begin(), clauses.end());
    ModeTable t;
    t.InsertClauses(std::move(clauses), 1);
    return t;
}

}  // namespace

class TestReading : public QObject {
    Q_OBJECT

private slots:
    void letterOrDigit() {
        // ƒ ˆ Š Ÿ ª ² µ ¹ º ½ À ß ÿ, and the undefined bytes, punctuation,
        // symbols, spaces and controls around them.
        for (int b : std::initializer_list<int>{'a', 'Z', '0', '9', 0x83, 0x88, 0x8A, 0x9F, 0xAA, 0xB2, 0xB5, 0xB9,
                                                0xBA, 0xBD, 0xC0, 0xDF, 0xFF})
            QVERIFY2(IsCp1252Alnum(static_cast<unsigned char>(b)), qPrintable(QString::number(b, 16)));
        for (int b : std::initializer_list<int>{0x00, 0x0D, ' ',  '-',  '@',  '[',  '`',  '{',  0x7F, 0x80, 0x81, 0x8D,
                                                0x8F, 0x90, 0x9D, 0x96, 0x98, 0x99, 0xA0, 0xA9, 0xB0, 0xD7, 0xF7})
            QVERIFY2(!IsCp1252Alnum(static_cast<unsigned char>(b)), qPrintable(QString::number(b, 16)));
        int count = 0;
        for (int b = 0; b < 256; ++b) count += IsCp1252Alnum(static_cast<unsigned char>(b)) ? 1 : 0;
        QCOMPARE(count, 142);  // 62 ASCII, 9 in 0x80-0x9F, 71 in 0xA0-0xFF
    }

    void rules_data() {
        QTest::addColumn<QByteArrayList>("rows");
        QTest::addColumn<bool>("caseSensitive");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("output");
        const QByteArrayList next{"n\tN\t\r", "n\tm", "a\tA\tb", "a\tx"};
        const QByteArrayList prev{"t\tT\t\t\tt", "a\tA\t\tt\tt", "a\ta", "s\tS\t\t\r", "s\ts"};
        const QByteArrayList fold{"th\t3", "a\tA", "Q\tq", "b\t1\tc", "b\t2"};
        auto row = [](const char* name, const QByteArrayList& rows, const char* text, const char* output,
                      bool caseSensitive = false) {
            QTest::newRow(name) << rows << caseSensitive << QByteArray(text) << QByteArray(output);
        };
        row("order decides", {"a\t1", "a\t2"}, "a", "1");
        row("order decides, reversed", {"a\t2", "a\t1"}, "a", "2");
        row("a row without Roman letters is no clause", {"\tX", "a\t2"}, "a", "2");
        row("next: letter holds", next, "ab", "Ab");
        row("next: letter fails", next, "ac", "xc");
        row("next: marker at the end", next, "n", "N");
        row("next: marker before punctuation", next, "n.", "N.");
        row("next: marker before a space", next, "n a", "N x");
        row("next: marker inside a word", next, "na", "mx");
        row("next: an accented letter is a letter", next, "n\xE9", "m\xE9");
        row("next: a fraction is a digit", next, "n\xBD", "m\xBD");
        row("next: a dash is not", next, "n\x96", "N\x96");
        row("previous: after the ID", prev, "ta", "TA");
        row("previous: the ID passes on", prev, "taa", "TAA");
        row("previous: no ID at the start", prev, "a", "a");
        row("previous: unmatched clears the ID", prev, "txa", "Txa");
        row("previous: marker at the start", prev, "s", "S");
        row("previous: marker after a space", prev, "a s", "a S");
        row("previous: marker after a letter", prev, "as", "as");
        row("previous: marker after a digit", prev, "9s", "9s");
        row("previous: longer IDs compare whole", {"t\tT\t\t\txy", "a\t1\t\tx", "a\t2\t\txz", "a\t3\t\txy"}, "ta",
            "T3");
        // Lowered text; unmatched characters as typed; capitals never match.
        row("case folded", fold, "THaXQ", "3AXQ");
        row("case sensitive", fold, "THaXQ", "THAXq", true);
        row("next sees the folded text", fold, "BC", "1C");
    }
    void rules() {
        QFETCH(QByteArrayList, rows);
        QFETCH(bool, caseSensitive);
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, output);
        ModeTable t;
        for (const QByteArray& r : rows) t.AppendRow(r.toStdString());
        t.SetCaseSensitive(caseSensitive);
        QCOMPARE(QByteArray::fromStdString(Transcribe(t, text.toStdString()).output), output);
    }

    void longestFirstAfterOptimize() {
        ModeTable t = Table({"t\t1", "th\t2"});
        QCOMPARE(Transcribe(t, "th").output, std::string("1h"));
        OptimizeOrder(t);
        QCOMPARE(Transcribe(t, "th").output, std::string("2"));
    }

    void traceSteps() {
        const ModeTable t = Table({"th\t3\t\t\tt", "a\tE\t\tt\tt"});
        const Transcription r = Transcribe(t, "Tha!");
        QString trace;  // start+length row written id
        for (const TraceStep& s : r.steps)
            trace +=
                QString("%1+%2 %3 %4 %5;").arg(s.start).arg(s.length).arg(s.row).arg(s.written.c_str(), s.id.c_str());
        QCOMPARE(trace, QString("0+2 1 3 t;2+1 2 E t;3+1 0 ! ;"));
        QCOMPARE(r.output, std::string("3E!"));
        // An index of another table is rebuilt, not trusted.
        QCOMPARE(Transcribe(ReadingIndex::Build(ModeTable()), t, "tha").output, std::string("3E"));
    }

    void workedExample_data() {
        QTest::addColumn<int>("order");
        QTest::addColumn<bool>("sCurls");
        QTest::addColumn<bool>("underBars");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("hex");
        const int following = int(TehtaOrder::Following), preceding = int(TehtaOrder::Preceding);
        QTest::newRow("following ta") << following << false << false << QByteArray("ta") << QByteArray("74 60 43");
        QTest::newRow("following at") << following << false << false << QByteArray("at") << QByteArray("74 23");
        QTest::newRow("following a") << following << false << false << QByteArray("a") << QByteArray("60 43");
        QTest::newRow("preceding ta") << preceding << false << false << QByteArray("ta") << QByteArray("74 23");
        QTest::newRow("preceding at") << preceding << false << false << QByteArray("at") << QByteArray("60 43 74");
        QTest::newRow("preceding a") << preceding << false << false << QByteArray("a") << QByteArray("60 43");
        QTest::newRow("s-curl tas") << preceding << true << false << QByteArray("tas") << QByteArray("74 23 2B");
        QTest::newRow("under-bar tat") << preceding << false << true << QByteArray("tat") << QByteArray("74 23 22");
    }
    void workedExample() {
        QFETCH(int, order);
        QFETCH(bool, sCurls);
        QFETCH(bool, underBars);
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, hex);
        const ModeTable t = WorkedExample(TehtaOrder(order), sCurls, underBars);
        QCOMPARE(Hex(Transcribe(t, text.toStdString()).output), hex);
    }
};

QTEST_GUILESS_MAIN(TestReading)
#include "test_reading.moc"
