// The mode check: each kind of finding on small tables, the cases that must
// not be reported, and a wizard mode in its two orders.
#include <QTest>
#include <algorithm>

#include "check/CheckMode.h"
#include "editing/Ordering.h"
#include "mode/SaveCheck.h"
#include "wizard/WizardGenerate.h"

using namespace vel;

namespace {

ModeTable Table(const QByteArrayList& rows, bool caseSensitive = false) {
    ModeTable t;
    for (const QByteArray& r : rows) t.AppendRow(r.toStdString());
    t.SetCaseSensitive(caseSensitive);
    return t;
}

// The findings of one kind as "row:named,named" strings.
QStringList Of(const ModeTable& t, FindingKind kind) {
    QStringList out;
    for (const Finding& f : CheckMode(t)) {
        if (f.kind != kind) continue;
        QString s = QString::number(f.rows.empty() ? 0 : f.rows[0]);
        for (size_t i = 1; i < f.rows.size(); ++i) s += (i == 1 ? ":" : ",") + QString::number(f.rows[i]);
        out << s;
    }
    return out;
}

// A template whose generated clauses all have Roman texts of their own: no
// s-curls (all "s"), no under-bars (the tengwa's own text), the following
// tehta order (the preceding one repeats the vowel).
std::vector<Clause> DistinctWizardClauses() {
    WizardFields f;
    for (int i = 0; i < kGeneratedTengwaCount; ++i) f.txtRoman[size_t(i)] = "r" + std::to_string(i);
    for (int j = 0; j < kTehtaFieldCount; ++j) {
        f.txtTehta[size_t(j)] = "v" + std::to_string(j);
        f.txtLongCarrier[size_t(j)] = "w" + std::to_string(j);
    }
    f.optTehtaOrder = TehtaOrder::Following;
    f.chkShortCarrier = f.chkLongCarrier = kChecked;
    std::vector<Clause> clauses = GenerateClauses(f);
    std::reverse(clauses.begin(), clauses.end());
    return clauses;
}

}  // namespace

class TestCheck : public QObject {
    Q_OBJECT

private slots:
    void neverUsed_data() {
        QTest::addColumn<QByteArrayList>("rows");
        QTest::addColumn<QStringList>("found");
        const QStringList none;
        QTest::newRow("prefix") << QByteArrayList{"n\t1", "na\t2"} << QStringList{"2:1"};
        QTest::newRow("exact duplicate") << QByteArrayList{"a\t1", "a\t2"} << QStringList{"2:1"};
        QTest::newRow("first cover is named") << QByteArrayList{"a\t1", "x", "a\t2", "ab"} << QStringList{"3:1", "4:1"};
        QTest::newRow("next excludes the longer") << QByteArrayList{"n\t1\tg", "nd\t2"} << none;
        QTest::newRow("next allows the longer") << QByteArrayList{"n\t1\ta", "na\t2"} << QStringList{"2:1"};
        QTest::newRow("marker before punctuation") << QByteArrayList{"n\t1\t\r", "n-\t2"} << QStringList{"2:1"};
        QTest::newRow("marker before a letter") << QByteArrayList{"n\t1\t\r", "na\t2"} << none;
        QTest::newRow("stronger next first") << QByteArrayList{"a\t1\tb", "a\t2"} << none;
        QTest::newRow("stronger previous first") << QByteArrayList{"a\t1\t\tx", "a\t2"} << none;
        QTest::newRow("weaker next first") << QByteArrayList{"a\t2", "a\t1\tb"} << QStringList{"2:1"};
        QTest::newRow("weaker previous first") << QByteArrayList{"a\t2", "a\t1\t\tx"} << QStringList{"2:1"};
        QTest::newRow("same next") << QByteArrayList{"a\t1\tb", "a\t2\tb"} << QStringList{"2:1"};
        QTest::newRow("marker covers a non-letter") << QByteArrayList{"a\t1\t\r", "a\t2\t-"} << QStringList{"2:1"};
        QTest::newRow("marker does not cover a letter") << QByteArrayList{"a\t1\t\r", "a\t2\tb"} << none;
        QTest::newRow("non-letter does not cover the marker") << QByteArrayList{"a\t1\t-", "a\t2\t\r"} << none;
        QTest::newRow("other previous ID") << QByteArrayList{"a\t1\t\tx", "a\t2\t\ty"} << none;
        QTest::newRow("same previous ID") << QByteArrayList{"a\t1\t\tx", "a\t2\t\tx"} << QStringList{"2:1"};
        QTest::newRow("longer text its next promises") << QByteArrayList{"nd\t1", "n\t2\td"} << QStringList{"2:1"};
        QTest::newRow("longer text with a next of its own") << QByteArrayList{"nd\t1\tx", "n\t2\td"} << none;
        QTest::newRow("row without Roman letters") << QByteArrayList{"\t1", "a\t2"} << none;
        QTest::newRow("capitals never cover") << QByteArrayList{"A\t1", "a\t2"} << none;
    }
    void neverUsed() {
        QFETCH(QByteArrayList, rows);
        QFETCH(QStringList, found);
        QCOMPARE(Of(Table(rows), FindingKind::NeverUsed), found);
    }

    void neverUsedSentence() {
        const std::vector<Finding> f = CheckMode(Table({"n\t1", "x\t1", "na\t2"}));
        QCOMPARE(f.size(), size_t(1));
        QCOMPARE(f[0].sentence, std::string("Row 3 (na) can never be used: row 1 (n) always applies first."));
    }

    void neverHolds_data() {
        QTest::addColumn<QByteArrayList>("rows");
        QTest::addColumn<QStringList>("found");
        const QStringList none;
        QTest::newRow("no clause leaves it") << QByteArrayList{"a\t1\t\tx"} << QStringList{"1"};
        QTest::newRow("a clause leaves it") << QByteArrayList{"t\tT\t\t\tx", "a\t1\t\tx"} << none;
        QTest::newRow("the marker") << QByteArrayList{"a\t1\t\t\r"} << none;
        QTest::newRow("left after a chain") << QByteArrayList{"t\tT\t\t\tx", "h\tH\t\tx\ty", "a\t1\t\ty"} << none;
        QTest::newRow("a closed chain") << QByteArrayList{"b\t1\t\tx\ty", "c\t2\t\ty\tx"} << QStringList{"1:2", "2:1"};
        QTest::newRow("left only by unused rows, some not named")
            << QByteArrayList{"b\t1", "b\t1\t\t\tx", "b\t2\t\t\tx", "b\t3\t\t\tx", "b\t4\t\t\tx", "a\t1\t\tx"}
            << QStringList{"6:2,3,4"};
        QTest::newRow("a pre-empted row has one reason")
            << QByteArrayList{"a\t1\t\tx", "a\t2\t\tx"} << QStringList{"1"};
        QTest::newRow("left only by an unused row")
            << QByteArrayList{"t\tT", "t\tT\t\t\tx", "a\t1\t\tx"} << QStringList{"3:2"};
    }
    void neverHolds() {
        QFETCH(QByteArrayList, rows);
        QFETCH(QStringList, found);
        QCOMPARE(Of(Table(rows), FindingKind::NeverHolds), found);
    }

    void capitalsInAModeNotCaseSensitive() {
        const QByteArrayList rows{"Ta\t1", "t\t2\tB", "s\t3\t\r", "\xE9\t4", "\xC9\t5", "d\t6\t-"};
        QCOMPARE(Of(Table(rows), FindingKind::Case), (QStringList{"1", "2", "5"}));
        QVERIFY(Of(Table(rows, true), FindingKind::Case).isEmpty());
    }

    void unsavedRowsAgreeWithSave() {
        ModeTable t = Table({"a\t1", "\t\t\t\t", "\tX", "a\tb\tc\td\te"});
        t.AppendClause(MakeClause("\x05x", "1"));
        t.AppendClause(MakeClause("a\tb", "1"));
        t.AppendClause(MakeClause("abcdefghijklmn", "abcdefghijklmn", "x", "y", "zz"));
        t.SetComment(std::string(40, 'c'));
        QCOMPARE(Of(t, FindingKind::Unsaved), (QStringList{"0", "3", "5", "6", "7"}));
        // Every reason Save gives is a finding, word for word.
        std::vector<std::string> found;
        for (const Finding& f : CheckMode(t))
            if (f.kind == FindingKind::Unsaved && (f.rows.empty() || f.rows[0] != 3)) found.push_back(f.sentence);
        QCOMPARE(found, FindUnsavableRows(t));
    }

    void emptyTengwarAndTheOrderOfFindings() {
        const std::vector<Finding> f = CheckMode(Table({"a", "a", "B\t1", "\t\tc"}));
        QCOMPARE(Of(Table({"a", "b\tx"}), FindingKind::EmptyTengwar), QStringList{"1"});
        // By row, then unsaved, case, never used, never holds, empty Tengwar.
        QCOMPARE(f.size(), size_t(5));
        const FindingKind kinds[] = {FindingKind::EmptyTengwar, FindingKind::NeverUsed, FindingKind::EmptyTengwar,
                                     FindingKind::Case, FindingKind::Unsaved};
        for (size_t i = 0; i < f.size(); ++i) QCOMPARE(f[i].kind, kinds[i]);
        QCOMPARE(f[4].sentence,
                 std::string(
                     "Row 4 has no Roman letters, so Save leaves it out of the file and its other fields are lost."));
    }

    void wizardModeInBothOrders() {
        ModeTable t;
        t.InsertClauses(DistinctWizardClauses(), 1);
        OptimizeOrder(t);
        QVERIFY(Of(t, FindingKind::NeverUsed).isEmpty());

        // Sorted by byte value, a shorter text ("r1", "v0") comes before the
        // texts it begins ("r10", "v0r1"): each of those is pre-empted by
        // the first row holding one of its prefixes.
        AlphabeticalOrder(t);
        QStringList expected;
        for (int l = 1; l <= t.ClauseCount(); ++l)
            for (int e = 1; e < l; ++e)
                if (t.ClauseAt(l).Roman().substr(0, t.ClauseAt(e).Roman().size()) == t.ClauseAt(e).Roman()) {
                    expected << QString("%1:%2").arg(l).arg(e);
                    break;
                }
        QVERIFY(expected.size() > 600);
        QCOMPARE(Of(t, FindingKind::NeverUsed), expected);
        QVERIFY(Of(t, FindingKind::NeverHolds).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCheck)
#include "test_check.moc"
