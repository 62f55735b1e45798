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

QByteArray Out(const ModeTable& t, const char* text) { return QByteArray::fromStdString(Transcribe(t, text).output); }

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
    void letterOrDigitTable_data() {
        QTest::addColumn<int>("byte");
        QTest::addColumn<bool>("alnum");
        const std::pair<int, bool> cases[] = {
            {'a', true},   {'Z', true},   {'0', true},   {'9', true},   {0x83, true},  {0x88, true},  {0x8A, true},
            {0x9F, true},  {0xAA, true},  {0xB2, true},  {0xB3, true},  {0xB5, true},  {0xB9, true},  {0xBA, true},
            {0xBC, true},  {0xBD, true},  {0xBE, true},  {0xC0, true},  {0xDF, true},  {0xFF, true},  {0x00, false},
            {0x0D, false}, {' ', false},  {'-', false},  {'_', false},  {'@', false},  {'[', false},  {'`', false},
            {'{', false},  {0x7F, false}, {0x80, false}, {0x81, false}, {0x8D, false}, {0x8F, false}, {0x90, false},
            {0x9D, false}, {0x96, false}, {0x98, false}, {0x99, false}, {0xA0, false}, {0xA9, false}, {0xB0, false},
            {0xD7, false}, {0xF7, false},
        };
        for (const auto& [b, alnum] : cases) QTest::addRow("0x%02X", b) << b << alnum;
    }
    void letterOrDigitTable() {
        QFETCH(int, byte);
        QFETCH(bool, alnum);
        QCOMPARE(IsCp1252Alnum(static_cast<unsigned char>(byte)), alnum);
    }
    void letterOrDigitCount() {
        int count = 0;
        for (int b = 0; b < 256; ++b) count += IsCp1252Alnum(static_cast<unsigned char>(b)) ? 1 : 0;
        QCOMPARE(count, 142);  // 62 ASCII, 9 in 0x80-0x9F, 71 in 0xA0-0xFF
    }

    void tableOrderDecides() {
        QCOMPARE(Out(Table({"a\t1", "a\t2"}), "a"), QByteArray("1"));
        QCOMPARE(Out(Table({"a\t2", "a\t1"}), "a"), QByteArray("2"));
        // A row without Roman letters is no clause.
        QCOMPARE(Out(Table({"\tX", "a\t2"}), "a"), QByteArray("2"));
    }

    void longestFirstAfterOptimize() {
        ModeTable t = Table({"t\t1", "th\t2"});
        QCOMPARE(Out(t, "th"), QByteArray("1h"));
        OptimizeOrder(t);
        QCOMPARE(Out(t, "th"), QByteArray("2"));
    }

    void ifNextRoman_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("output");
        QTest::newRow("letter holds") << QByteArray("ab") << QByteArray("Ab");
        QTest::newRow("letter fails") << QByteArray("ac") << QByteArray("xc");
        QTest::newRow("marker at the end") << QByteArray("n") << QByteArray("N");
        QTest::newRow("marker before punctuation") << QByteArray("n.") << QByteArray("N.");
        QTest::newRow("marker before a space") << QByteArray("n a") << QByteArray("N x");
        QTest::newRow("marker inside a word") << QByteArray("na") << QByteArray("mx");
        QTest::newRow("accented letter is a letter") << QByteArray("n\xE9") << QByteArray("m\xE9");
        QTest::newRow("fraction is a digit") << QByteArray("n\xBD") << QByteArray("m\xBD");
        QTest::newRow("dash is not") << QByteArray("n\x96") << QByteArray("N\x96");
    }
    void ifNextRoman() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, output);
        const ModeTable t = Table({"n\tN\t\r", "n\tm", "a\tA\tb", "a\tx"});
        QCOMPARE(Out(t, text.constData()), output);
    }

    void ifPreviousId_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("output");
        QTest::newRow("after the ID") << QByteArray("ta") << QByteArray("TA");
        QTest::newRow("the ID passes on") << QByteArray("taa") << QByteArray("TAA");
        QTest::newRow("no ID at the start") << QByteArray("a") << QByteArray("a");
        QTest::newRow("unmatched clears the ID") << QByteArray("txa") << QByteArray("Txa");
        QTest::newRow("marker at the start") << QByteArray("s") << QByteArray("S");
        QTest::newRow("marker after a space") << QByteArray("a s") << QByteArray("a S");
        QTest::newRow("marker after a letter") << QByteArray("as") << QByteArray("as");
        QTest::newRow("marker after a digit") << QByteArray("9s") << QByteArray("9s");
    }
    void ifPreviousId() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, output);
        const ModeTable t = Table({"t\tT\t\t\tt", "a\tA\t\tt\tt", "a\ta", "s\tS\t\t\r", "s\ts"});
        QCOMPARE(Out(t, text.constData()), output);
    }

    void longerIdsCompareWhole() {
        // Longer than the entry fields allow, but a table can hold them.
        const ModeTable t = Table({"t\tT\t\t\txy", "a\t1\t\tx", "a\t2\t\txz", "a\t3\t\txy", "a\ta"});
        QCOMPARE(Out(t, "ta"), QByteArray("T3"));
        QCOMPARE(Out(t, "a"), QByteArray("a"));
    }

    void caseFolding() {
        const char* rows = "th\t3";
        // Not case sensitive: the text is lowered, but an unmatched
        // character is written as typed; a clause with capitals never matches.
        QCOMPARE(Out(Table({rows, "a\tA", "Q\tq"}), "THaXQ"), QByteArray("3AXQ"));
        QCOMPARE(Out(Table({rows, "a\tA", "Q\tq"}, true), "THaXQ"), QByteArray("THAXq"));
        // The lowered text is what If next roman sees.
        QCOMPARE(Out(Table({"a\t1\tb", "a\t2"}), "AB"), QByteArray("1B"));
    }

    void traceSteps() {
        const ModeTable t = Table({"th\t3\t\t\tt", "a\tE\t\tt\tt"});
        const Transcription r = Transcribe(t, "Tha!");
        QCOMPARE(r.output, std::string("3E!"));
        QCOMPARE(r.steps.size(), size_t(3));
        const TraceStep& s0 = r.steps[0];
        QCOMPARE(s0.start, size_t(0));
        QCOMPARE(s0.length, size_t(2));
        QCOMPARE(s0.row, 1);
        QCOMPARE(s0.written, std::string("3"));
        QCOMPARE(s0.id, std::string("t"));
        QCOMPARE(r.steps[1].row, 2);
        QCOMPARE(r.steps[1].id, std::string("t"));
        const TraceStep& s2 = r.steps[2];
        QCOMPARE(s2.start, size_t(3));
        QCOMPARE(s2.length, size_t(1));
        QCOMPARE(s2.row, 0);
        QCOMPARE(s2.written, std::string("!"));
        QCOMPARE(s2.id, std::string());
    }

    void indexOfAnotherTableIsNotTrusted() {
        const ModeTable empty;
        const ReadingIndex stale = ReadingIndex::Build(empty);
        const ModeTable t = Table({"a\t1"});
        QCOMPARE(Transcribe(stale, t, "a").output, std::string("1"));
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
