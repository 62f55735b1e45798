// Wizard clause generation: which clauses a field set gives, in which
// order, and where a run of them lands in the mode.
#include <QTest>
#include <algorithm>

#include "wizard/GlyphTables.h"
#include "wizard/WizardGenerate.h"

using namespace vel;

namespace {

std::string B(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes) s += char(b);
    return s;
}

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

// How many clauses have this Roman text.
int CountFor(const std::vector<Clause>& clauses, const std::string& roman) {
    int n = 0;
    for (const Clause& c : clauses) n += c.Roman() == roman ? 1 : 0;
    return n;
}

// The main window's Add, one clause at a time, as the reference.
void AddRowByRow(ModeDocument& doc, const std::vector<Clause>& clauses) {
    for (const Clause& c : clauses) {
        if (doc.table.RowCount() == 1) doc.table.SetRowCount(2);
        doc.table.InsertClause(c, doc.table.CurrentRow());
        doc.table.SetCurrentCol(4);
        doc.boolChanged = true;
        doc.boolOptimized = false;
    }
}

ModeDocument ThreeClauseMode(int currentRow) {
    ModeDocument doc;
    doc.table.AppendClause(MakeClause("x", "1"));
    doc.table.AppendClause(MakeClause("y", "2"));
    doc.table.AppendClause(MakeClause("z", "3"));
    doc.table.SetCurrentRow(currentRow);
    doc.boolOptimized = true;
    return doc;
}

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
                                        MakeClause("a", B({0x60, 0x43}), "", "", "\x60"),
                                        MakeClause("at", B({0x74, 0x23}), "", "", "\x74")};
        QCOMPARE(GenerateClauses(f), expected);

        f.optTehtaOrder = TehtaOrder::Preceding;
        expected[2] = MakeClause("a", B({0x23}), "", "\x74", "\x74");
        QCOMPARE(GenerateClauses(f), expected);
    }

    void glyphTableAgreesWithTheClassSummary() {
        auto classOf = [](int i) {
            auto in = [i](std::initializer_list<std::pair<int, int>> ranges) {
                for (auto [lo, hi] : ranges)
                    if (i >= lo && i <= hi) return true;
                return false;
            };
            if (in({{4, 7}, {12, 19}, {52, 55}, {57, 57}})) return TehtaClass::A;
            if (in({{0, 3}, {8, 11}, {20, 31}, {33, 34}, {39, 51}, {56, 56}, {58, 59}})) return TehtaClass::B;
            if (in({{32, 32}, {35, 35}, {60, 62}})) return TehtaClass::C;
            if (in({{37, 38}})) return TehtaClass::D;
            return TehtaClass::None;
        };
        int sCurls = 0, underBars = 0;
        for (int i = 0; i < kTengwaFieldCount; ++i) {
            const TengwaGlyph& g = kTengwaTable[size_t(i)];
            QVERIFY2(g.tehta == classOf(i), qPrintable(QString::number(i)));
            QCOMPARE(g.page, i / 24);
            if (i < kGeneratedTengwaCount) {
                sCurls += g.sCurl != 0;
                underBars += g.underBar != 0;
            } else {
                QVERIFY(g.sCurl == 0 && g.underBar == 0);
            }
        }
        QCOMPARE(sCurls, 51);
        QCOMPARE(underBars, 61);
        // Fields 64 to 71 repeat the glyphs of 40 to 47; mark 9 skips 0xE4-0xE7.
        for (int i = 64; i < 72; ++i) QCOMPARE(kTengwaTable[size_t(i)].glyph, kTengwaTable[size_t(i - 24)].glyph);
        QCOMPARE(TehtaLabel(9), B({0x60, 0xEB}));
        QCOMPARE(LongCarrierLabel(9), B({0x7E, 0xEB}));
        QCOMPARE(TehtaGlyph(9, TehtaClass::A), char(0xE8));
    }

    void specialIndicesAndTheirGroups() {
        WizardFields f = FullFields();
        f.txtTehta.fill("");
        f.txtTehta[1] = "e";
        f.txtLongCarrier.fill("");
        const std::vector<Clause> all = GenerateClauses(f);

        // 36: a plain clause and an s-curl, never a tehta or under-bar clause.
        QCOMPARE(CountFor(all, "r36"), 1);
        QCOMPARE(CountFor(all, "er36"), 0);
        int sCurlsAfter36 = 0;
        for (const Clause& c : all)
            if (c.IfPreviousID() == B({0xBD})) {
                QCOMPARE(c, MakeClause("s", "\x2B", "\r", B({0xBD}), "\x2B"));
                ++sCurlsAfter36;
            }
        QCOMPARE(sCurlsAfter36, 1);

        // 63 to 71 take part in nothing.
        for (int i = 63; i < 72; ++i) {
            const std::string r = "r" + std::to_string(i);
            QCOMPARE(CountFor(all, r) + CountFor(all, "e" + r), 0);
        }
        // The two carriers take tehtar in class D.
        QVERIFY(std::find(all.begin(), all.end(), MakeClause("er37", B({0x60, 0x56}), "", "", "\x60")) != all.end());
        QVERIFY(std::find(all.begin(), all.end(), MakeClause("er38", B({0x7E, 0x56}), "", "", "\x7E")) != all.end());
        // Index 26's own s-curl and under-bar; 27 and 41 curl with 0xA2.
        QVERIFY(std::find(all.begin(), all.end(), MakeClause("s", "\x5F", "\r", "\x6A", "\x5F")) != all.end());
        QVERIFY(std::find(all.begin(), all.end(), MakeClause("r26", B({0xB8}), "", "\x6A", "\x6A")) != all.end());
        QVERIFY(std::find(all.begin(), all.end(), MakeClause("s", B({0xA2}), "\r", "\x6D", B({0xA2}))) != all.end());
        QVERIFY(std::find(all.begin(), all.end(), MakeClause("s", B({0xA2}), "\r", B({0xBC}), B({0xA2}))) !=
                all.end());
    }

    void optionsOnlyCountWhenChecked() {
        WizardFields f;
        f.txtRoman[0] = "p";
        f.txtTehta[0] = "a";
        f.txtLongCarrier[2] = "ii";
        f.chkShortCarrier = f.chkLongCarrier = f.chkSCurls = f.chkDoubleTengwar = kChecked;

        // No order chosen: no tehta clause and no carrier clause, the rest runs.
        const std::vector<Clause> noOrder = GenerateClauses(f);
        QCOMPARE(noOrder, (std::vector<Clause>{MakeClause("p", "1", "", "", "1"),
                                                MakeClause("ii", B({0x7E, 0x42}), "", "", "\x7E"),
                                                MakeClause("s", "+", "\r", "1", "+"),
                                                MakeClause("p", "'", "", "1", "1")}));

        // Greyed and unchecked boxes are both off.
        for (int off : {kUnchecked, kGreyed}) {
            f.optTehtaOrder = TehtaOrder::Following;
            f.chkShortCarrier = f.chkLongCarrier = f.chkSCurls = f.chkDoubleTengwar = off;
            QCOMPARE(GenerateClauses(f), (std::vector<Clause>{MakeClause("p", "1", "", "", "1"),
                                                              MakeClause("ap", "1E", "", "", "1"),
                                                              MakeClause("ii", B({0x7E, 0x42}), "", "", "\x7E")}));
        }
    }

    void tehtaWithoutTengwarGivesOnlyCarriers() {
        WizardFields f;
        f.txtTehta[4] = "u";
        f.optTehtaOrder = TehtaOrder::Preceding;
        f.chkShortCarrier = f.chkLongCarrier = kChecked;
        QCOMPARE(GenerateClauses(f), (std::vector<Clause>{MakeClause("u", B({0x60, 0x4D}), "", "", "\x60"),
                                                          MakeClause("uu", B({0x7E, 0x4D}), "", "", "\x7E")}));
        f.txtTehta[4] = " ";  // a space is not blank
        QCOMPARE(GenerateClauses(f).front().Roman(), std::string(" "));
    }

    void fullRunGives825ClausesGroupByGroup() {
        const std::vector<Clause> all = GenerateClauses(FullFields());
        QCOMPARE(int(all.size()), kMaxGeneratedClauses);
        // Group 1, then per mark its two carriers and 62 tengwa clauses, then
        // groups 3, 4 and 5.
        QCOMPARE(all[0].Roman(), std::string("r0"));
        QCOMPARE(all[62].Roman(), std::string("r62"));
        for (int j = 0; j < 10; ++j) {
            const size_t base = 63 + size_t(j) * 64;
            const std::string v = "v" + std::to_string(j);
            QCOMPARE(all[base].Roman(), v);
            QCOMPARE(all[base + 1].Roman(), v + v);
            QCOMPARE(all[base + 2].Roman(), v + "r0");
            QCOMPARE(all[base + 63].Roman(), v + "r62");
        }
        QCOMPARE(all[703].Roman(), std::string("L0"));
        QCOMPARE(all[712].Roman(), std::string("L9"));
        for (size_t k = 713; k < 764; ++k) QCOMPARE(all[k].Roman(), std::string("s"));
        QCOMPARE(all[764].Roman(), std::string("r0"));
        QCOMPARE(all[824], MakeClause("r62", "'", "", "K", "K"));
    }

    void textsAreCutLikeTheEntryFields() {
        WizardFields f;
        f.txtRoman[17] = "abcdefghijklmnopqrst";  // 20
        f.txtTehta[0] = "0123456789";
        f.optTehtaOrder = TehtaOrder::Following;
        f.chkLongCarrier = f.chkDoubleTengwar = kChecked;
        const std::vector<Clause> all = GenerateClauses(f);
        QCOMPARE(all.size(), size_t(4));
        QCOMPARE(all[0].Roman(), std::string("abcdefghijklmn"));
        QCOMPARE(all[1].Roman(), std::string("01234567890123"));
        QCOMPARE(all[2].Roman(), std::string("0123456789abcd"));
        QCOMPARE(all[3].Roman(), std::string("abcdefghijklmn"));

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

    void runLandsAsAddRowByRowWould() {
        const std::vector<Clause> run = {MakeClause("a", "1"), MakeClause("b", "2"), MakeClause("c", "3")};
        for (int current : {1, 2, 3}) {
            ModeDocument fast = ThreeClauseMode(current), slow = ThreeClauseMode(current);
            QCOMPARE(AddClausesAsRun(fast, run), 3);
            AddRowByRow(slow, run);
            QCOMPARE(fast.table.Clauses(), slow.table.Clauses());
            QCOMPARE(fast.table.CurrentRow(), current);
            QCOMPARE(fast.table.CurrentCol(), 4);
            QVERIFY(fast.boolChanged && !fast.boolOptimized);
        }
        ModeDocument mid = ThreeClauseMode(2);
        AddClausesAsRun(mid, run);
        QCOMPARE(mid.table.RowText(2), std::string("c\t3\t\t\t"));
        QCOMPARE(mid.table.RowText(4), std::string("a\t1\t\t\t"));
        QCOMPARE(mid.table.RowText(5), std::string("y\t2\t\t\t"));

        // An empty mode: the clauses above the first Add's empty row.
        ModeDocument empty;
        AddClausesAsRun(empty, run);
        QCOMPARE(empty.table.RowCount(), 5);
        QCOMPARE(empty.table.RowText(1), std::string("c\t3\t\t\t"));
        QCOMPARE(empty.table.RowText(4), std::string("\t\t\t\t"));
        QCOMPARE(empty.table.CurrentRow(), 1);

        // A second run adds a second set; nothing is compared or removed.
        AddClausesAsRun(empty, run);
        QCOMPARE(empty.table.RowCount(), 8);
    }

    void blankWizardLeavesTheModeAlone() {
        ModeDocument empty, doc = ThreeClauseMode(2);
        QCOMPARE(CreateMode(empty, WizardFields()) + CreateMode(doc, WizardFields()), 0);
        QCOMPARE(empty.table.RowCount(), 1);
        QVERIFY(!empty.boolChanged && !doc.boolChanged && doc.boolOptimized);
    }
};

QTEST_GUILESS_MAIN(TestWizard)
#include "test_wizard.moc"
