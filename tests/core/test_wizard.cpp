// Wizard clause generation: which clauses a field set gives, in which
// order, and where a run of them lands in the mode.
#include <QTest>
#include <algorithm>

#include "mode/GlyphTables.h"
#include "wizard/WizardGenerate.h"

using namespace vel;

namespace {

WizardFields FullFields() {
    WizardFields f;
    for (int i = 0; i < kTengwaFieldCount; ++i) f.txtRoman[size_t(i)] = "r" + std::to_string(i);
    for (int j = 0; j < kTehtaFieldCount; ++j) {
        f.txtTehta[size_t(j)] = "v" + std::to_string(j);
        f.txtLongCarrier[size_t(j)] = "L" + std::to_string(j);
    }
    f.optTehtaOrder = TehtaOrder::Following;
    f.chkShortCarrier = f.chkLongCarrier = f.chkSCurls = f.chkDoubleTengwar = kChecked;
    return f;
}

int CountFor(const std::vector<Clause>& clauses, const std::string& roman) {
    return int(std::count_if(clauses.begin(), clauses.end(), [&](const Clause& c) { return c.Roman() == roman; }));
}

int Count(const std::vector<Clause>& clauses, const Clause& c) {
    return int(std::count(clauses.begin(), clauses.end(), c));
}

// The main window's Add, one clause at a time, as the reference.
}  // namespace

class TestWizard : public QObject {
    Q_OBJECT

private slots:
    void workedExampleInBothTehtaOrders() {
        WizardFields f;
        f.txtRoman[17] = "t";
        f.txtTehta[0] = "a";
        f.chkShortCarrier = kChecked;
        f.optTehtaOrder = TehtaOrder::Following;
        std::vector<Clause> expected = {MakeClause("t", "\x74", "", "", "\x74"),
                                        MakeClause("a", "\x60\x43", "", "", "\x60"),
                                        MakeClause("at", "\x74\x23", "", "", "\x74")};
        QCOMPARE(GenerateClauses(f), expected);

        f.optTehtaOrder = TehtaOrder::Preceding;
        expected[2] = MakeClause("a", "\x23", "", "\x74", "\x74");
        QCOMPARE(GenerateClauses(f), expected);
    }

    void glyphTableAgreesWithTheClassSummary() {
        // Per index its tehta class; '-' takes none. One page of 24 a line.
        const std::string classes = "BBBBAAAABBBBAAAAAAAABBBB"
                                    "BBBBBBBBCBBC-DDBBBBBBBBB"
                                    "BBBBAAAABABBCCC---------";
        int sCurls = 0, underBars = 0;
        for (int i = 0; i < kTengwaFieldCount; ++i) {
            const TengwaGlyph& g = kTengwaTable[size_t(i)];
            QVERIFY2(int(g.tehta) == int(std::string("-ABCD").find(classes[size_t(i)])) - 1, qPrintable(QString::number(i)));
            QCOMPARE(g.page, i / 24);
            sCurls += g.sCurl != 0;
            underBars += g.underBar != 0;
        }
        QCOMPARE(sCurls, 51);  // none past the generated fields either
        QCOMPARE(underBars, 61);
        // Fields 64 to 71 repeat the glyphs of 40 to 47; mark 9 skips 0xE4-0xE7.
        for (int i = 64; i < 72; ++i) QCOMPARE(kTengwaTable[size_t(i)].glyph, kTengwaTable[size_t(i - 24)].glyph);
        QCOMPARE(LongCarrierLabel(9), std::string("\x7E\xEB"));
        QCOMPARE(TehtaGlyph(9, TehtaClass::A), char(0xE8));
    }

    void optionsOnlyCountWhenChecked() {
        WizardFields f;
        f.txtRoman[0] = "p";
        f.txtTehta[0] = "a";
        f.txtLongCarrier[2] = "ii";
        f.chkShortCarrier = f.chkLongCarrier = f.chkSCurls = f.chkDoubleTengwar = kChecked;

        // No order chosen: no tehta clause and no carrier clause, the rest runs.
        QCOMPARE(GenerateClauses(f), (std::vector<Clause>{MakeClause("p", "1", "", "", "1"),
                                                          MakeClause("ii", "\x7E\x42", "", "", "\x7E"),
                                                          MakeClause("s", "+", "\r", "1", "+"),
                                                          MakeClause("p", "'", "", "1", "1")}));

        // Greyed and unchecked boxes are both off.
        for (int off : {kUnchecked, kGreyed}) {
            f.optTehtaOrder = TehtaOrder::Following;
            f.chkShortCarrier = f.chkLongCarrier = f.chkSCurls = f.chkDoubleTengwar = off;
            QCOMPARE(GenerateClauses(f), (std::vector<Clause>{MakeClause("p", "1", "", "", "1"),
                                                              MakeClause("ap", "1E", "", "", "1"),
                                                              MakeClause("ii", "\x7E\x42", "", "", "\x7E")}));
        }

        // A tehta without tengwar gives only its carriers; a space is not blank.
        f = WizardFields();
        f.txtTehta[4] = " ";
        f.optTehtaOrder = TehtaOrder::Preceding;
        f.chkShortCarrier = f.chkLongCarrier = kChecked;
        QCOMPARE(GenerateClauses(f), (std::vector<Clause>{MakeClause(" ", "\x60\x4D", "", "", "\x60"),
                                                          MakeClause("  ", "\x7E\x4D", "", "", "\x7E")}));
    }

    void fullRunGroupByGroupAndItsSpecialIndices() {
        const std::vector<Clause> all = GenerateClauses(FullFields());
        QCOMPARE(int(all.size()), kMaxGeneratedClauses);
        // Group 1, then per mark its two carriers and 62 tengwa clauses, then
        // the long carriers, the s-curls and the doubled tengwar.
        std::string starts;
        for (int k : {0, 62, 63, 64, 65, 126, 639, 640, 702, 703, 712, 713, 763, 764}) starts += std::string(all[size_t(k)].Roman()) + " ";
        QCOMPARE(starts, std::string("r0 r62 v0 v0v0 v0r0 v0r62 v9 v9v9 v9r62 L0 L9 s s r0 "));
        QCOMPARE(all[824], MakeClause("r62", "'", "", "K", "K"));

        // 36: a plain clause and one s-curl, never a tehta or under-bar clause;
        // 63 to 71 take part in nothing.
        QCOMPARE(CountFor(all, "r36"), 1);
        QCOMPARE(CountFor(all, "v1r36"), 0);
        QCOMPARE(Count(all, MakeClause("s", "\x2B", "\r", "\xBD", "\x2B")), 1);
        for (int i = 63; i < 72; ++i) QCOMPARE(CountFor(all, "r" + std::to_string(i)), 0);
        // The two carriers take tehtar in class D.
        QCOMPARE(Count(all, MakeClause("v1r37", "\x60\x56", "", "", "\x60")), 1);
        QCOMPARE(Count(all, MakeClause("v1r38", "\x7E\x56", "", "", "\x7E")), 1);
        // Index 26 has an under-bar glyph of its own; 27 curls with 0xA2.
        QCOMPARE(Count(all, MakeClause("r26", "\xB8", "", "\x6A", "\x6A")), 1);
        QCOMPARE(Count(all, MakeClause("s", "\xA2", "\r", "\x6D", "\xA2")), 1);
    }

    void textsAreCutLikeTheEntryFields() {
        WizardFields f;
        f.txtRoman[17] = "abcdefghijklmnopqrst";  // 20
        f.txtTehta[0] = "0123456789";
        f.optTehtaOrder = TehtaOrder::Following;
        f.chkLongCarrier = kChecked;
        const std::vector<Clause> all = GenerateClauses(f);
        QCOMPARE(all.size(), size_t(3));
        QCOMPARE(all[0].Roman(), std::string("abcdefghijklmn"));
        QCOMPARE(all[1].Roman(), std::string("01234567890123"));
        QCOMPARE(all[2].Roman(), std::string("0123456789abcd"));

        // A TAB would split the row into other columns; it is dropped, and a
        // text of TABs alone is blank.
        f = WizardFields();
        f.txtRoman[0] = "a\tb";
        f.txtRoman[1] = "\t\t";
        QCOMPARE(GenerateClauses(f), (std::vector<Clause>{MakeClause("ab", "1", "", "", "1")}));

        Clause longOne = MakeClause(std::string(20, 'r'), std::string(20, 't'), "ab", "cd", "ef");
        CutToEntryFields(longOne);
        QCOMPARE(longOne, MakeClause(std::string(14, 'r'), std::string(14, 't'), "a", "c", "e"));
    }
};

QTEST_GUILESS_MAIN(TestWizard)
#include "test_wizard.moc"
