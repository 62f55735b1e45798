// The edit layer: the rules each operation applies to the rows, the cursor
// and both flags, what it tells its observer, and undo and redo.
#include <QTest>
#include <random>

#include "editing/Ordering.h"
#include "mode/ModeDocument.h"

using namespace vel;

namespace {

std::string Romans(const ModeTable& t) {
    std::string out;
    for (const Clause& c : t.Clauses()) out += c.Roman().empty() ? std::string("_") : std::string(c.Roman());
    return out;
}

void Letters(ModeDocument& doc, const std::string& letters, int current = 1) {
    std::vector<Clause> clauses;
    for (char c : letters) clauses.push_back(MakeClause(std::string(1, c), "1"));
    doc.LoadClauses("note", false, true, clauses, true);
    doc.SetCursor({current, 0, 0});
}

// Everything undo must bring back.
struct Snapshot {
    std::vector<Clause> clauses;
    std::string comment;
    bool caseSensitive;
    bool optimized;
    Cursor cursor;
    bool operator==(const Snapshot&) const = default;
};

Snapshot Take(const ModeDocument& doc) {
    return {doc.Table().Clauses(), doc.Table().Comment(), doc.Table().CaseSensitive(), doc.Optimized(),
            doc.CurrentCursor()};
}

// Follows the announcements as a view would and checks they add up.
struct CountingObserver : ModeObserver {
    const ModeDocument* doc = nullptr;
    int rows = 0;
    bool open = false;
    bool consistent = true;
    void RowsAboutToChange(const RowChange& c) override {
        consistent = consistent && !open;
        open = true;
        if (c.kind == RowChange::Kind::Removed || c.kind == RowChange::Kind::Moved)
            consistent = consistent && c.first >= 1 && c.first + c.count - 1 <= rows;
    }
    void RowsChanged(const RowChange& c) override {
        open = false;
        if (c.kind == RowChange::Kind::Inserted) rows += c.count;
        if (c.kind == RowChange::Kind::Removed) rows -= c.count;
        if (c.kind == RowChange::Kind::Reset) rows = doc->Table().ClauseCount();
        consistent = consistent && rows == doc->Table().ClauseCount();
    }
};

}  // namespace

class TestDocument : public QObject {
    Q_OBJECT

private slots:
    void addRunLandsAsSingleAddsWould_data() {
        QTest::addColumn<int>("current");
        QTest::newRow("row 1") << 1;
        QTest::newRow("row 2") << 2;
        QTest::newRow("last row") << 3;
        QTest::newRow("empty mode") << 0;
    }
    void addRunLandsAsSingleAddsWould() {
        QFETCH(int, current);
        const std::vector<Clause> run = {MakeClause("a", "1"), MakeClause("b", "2"), MakeClause("c", "3")};
        ModeDocument fast, slow;
        if (current) {
            Letters(fast, "xyz", current);
            Letters(slow, "xyz", current);
        }
        for (int pass = 0; pass < 2; ++pass) {  // a second run adds a second set
            fast.AddClauses(run, "Wizard");
            for (const Clause& c : run) slow.AddClauses({c}, "Add");
            QCOMPARE(fast.Table().Clauses(), slow.Table().Clauses());
            QCOMPARE(fast.CurrentCursor(), slow.CurrentCursor());
            QCOMPARE(fast.Table().CurrentCol(), 4);
            QVERIFY(fast.Changed() && !fast.Optimized());
        }
        if (!current) QCOMPARE(Romans(fast.Table()), std::string("cbacba_"));  // above the first Add's empty row
    }

    void emptyAddAndEmptyPasteChangeNothing() {
        ModeDocument doc;
        Letters(doc, "xy");
        doc.Reorder(OptimizePermutation(doc.Table()), true, "Optimize");
        doc.MarkSaved();
        doc.AddClauses({}, "Wizard");
        doc.PasteClauses({});
        QVERIFY(!doc.Changed() && doc.Optimized());
        QCOMPARE(doc.History().Count(), size_t(1));

        // Into a mode without clauses even an empty paste leaves its empty row.
        ModeDocument empty;
        empty.PasteClauses({});
        QCOMPARE(Romans(empty.Table()), std::string("_"));
        empty.PasteClauses({MakeClause("p", "q")});
        QCOMPARE(Romans(empty.Table()), std::string("p_"));
        QCOMPARE(empty.CurrentCursor(), (Cursor{1, 4, 4}));
    }

    void removeAndMoveKeepTheirCursorRules() {
        ModeDocument doc;
        Letters(doc, "abc", 3);
        doc.RemoveRow(3, "Remove");
        QCOMPARE(Romans(doc.Table()), std::string("ab"));
        QCOMPARE(doc.Table().CurrentRow(), 2);  // the last row went: the new last row
        doc.Reorder(OptimizePermutation(doc.Table()), true, "Optimize");
        doc.RemoveRow(1, "Remove");
        QVERIFY(doc.Optimized());  // removing keeps the order

        Letters(doc, "abcd", 2);
        doc.Reorder(OptimizePermutation(doc.Table()), true, "Optimize");
        doc.MoveRow(2, 4, "Move to row");
        QCOMPARE(Romans(doc.Table()), std::string("acdb"));
        QCOMPARE(doc.CurrentCursor(), (Cursor{4, 4, 4}));
        QVERIFY(!doc.Optimized());
        doc.MarkSaved();
        doc.MoveRow(4, 4, "Move to row");  // to its own row: still a change
        QVERIFY(doc.Changed());
        QCOMPARE(Romans(doc.Table()), std::string("acdb"));
    }

    void clearModeKeepsOptimizedAndStartsAfresh() {
        ModeDocument doc;
        Letters(doc, "ab");
        doc.SetCaseSensitive(true);
        doc.Reorder(OptimizePermutation(doc.Table()), true, "Optimize");
        doc.SetModeFile("quenya", "/m/quenya.mod");
        doc.ClearMode();
        QCOMPARE(doc.Table().RowCount(), 1);
        QCOMPARE(doc.Table().Comment(), std::string());
        QVERIFY(!doc.Table().CaseSensitive());
        QVERIFY(!doc.Changed() && !doc.History().CanUndo());
        QVERIFY(doc.Optimized());
        QCOMPARE(doc.ModeName(), std::string("quenya"));
    }

    // Random commands, then every step undone and redone: each must bring
    // back exactly what stood before (or after) it, and the announcements
    // must add up to the table at every point.
    void undoAndRedoRestoreEveryStep() {
        std::mt19937 rng(7);
        for (int round = 0; round < 40; ++round) {
            ModeDocument doc;
            CountingObserver observer;
            observer.doc = &doc;
            doc.SetObserver(&observer);
            Letters(doc, "abcde", 2);
            std::vector<Snapshot> before;
            for (int step = 0; step < 12; ++step) {
                const int n = doc.Table().ClauseCount();
                const int r = n ? int(rng() % unsigned(n)) + 1 : 0;
                before.push_back(Take(doc));
                const size_t steps = doc.History().Count();
                switch (rng() % 11) {
                    case 0: doc.AddClauses({MakeClause("n" + std::to_string(step), "N")}, "Add"); break;
                    case 1: doc.PasteClauses({MakeClause("p"), MakeClause("q", "Q", "\r")}); break;
                    case 2: doc.RemoveRow(r, "Remove"); break;
                    case 3: if (n) doc.MoveRow(r, int(rng() % unsigned(n)) + 1, "Move to row"); break;
                    case 4: doc.Reorder(OptimizePermutation(doc.Table()), true, "Optimize"); break;
                    case 5: doc.Reorder(AlphabeticalPermutation(doc.Table()), false, "Sort alphabetically"); break;
                    case 6: if (n) doc.ReplaceClause(r, MakeClause("R", "r"), rng() % 2, 1, "Replace"); break;
                    case 7: if (n) doc.EditCell(r, int(rng() % 5), "e"); break;
                    case 8: doc.ReplaceAllClauses({MakeClause("all")}, {1, 0, 0}, "Replace all"); break;
                    case 9: doc.SetComment("c" + std::to_string(step)); doc.EndTyping(); break;
                    default: doc.SetCaseSensitive(!doc.Table().CaseSensitive()); break;
                }
                if (doc.History().Count() == steps) before.pop_back();  // no step was made
                doc.SetCursor({int(rng() % 7), int(rng() % 5), int(rng() % 5)});  // the user clicks about
            }
            std::vector<Snapshot> after;
            for (size_t i = before.size(); i-- > 0;) {
                after.push_back(Take(doc));
                QVERIFY(doc.Undo());
                QCOMPARE(Take(doc), before[i]);
            }
            QVERIFY(!doc.Undo());
            for (size_t i = after.size(); i-- > 0;) {
                QVERIFY(doc.Redo());
                QCOMPARE(Take(doc).clauses, after[i].clauses);
            }
            QVERIFY(observer.consistent);
            doc.SetObserver(nullptr);
        }
    }

    void undoOfEachCommandRestoresItsCursor() {
        ModeDocument doc;
        Letters(doc, "abcd", 3);
        doc.SetCursor({3, 2, 3});
        doc.RemoveRow(3, "Remove");
        doc.SetCursor({1, 0, 0});
        QVERIFY(doc.Undo());
        QCOMPARE(doc.CurrentCursor(), (Cursor{3, 2, 3}));
        QCOMPARE(Romans(doc.Table()), std::string("abcd"));
        QVERIFY(doc.Redo());
        QCOMPARE(doc.CurrentCursor(), (Cursor{3, 2, 3}));
        QCOMPARE(doc.History().UndoName(), std::string("Remove"));
    }

    void changedFollowsTheCleanState() {
        ModeDocument doc;
        Letters(doc, "ab");
        QVERIFY(!doc.Changed());
        doc.RemoveRow(1, "Remove");  // change, undo: unchanged
        doc.Undo();
        QVERIFY(!doc.Changed());

        doc.RemoveRow(1, "Remove");  // change, save, undo: changed
        doc.MarkSaved();
        QVERIFY(!doc.Changed());
        doc.Undo();
        QVERIFY(doc.Changed());
        doc.Redo();
        QVERIFY(!doc.Changed());

        doc.AddClauses({MakeClause("z")}, "Add");  // save, change, undo: unchanged
        doc.Undo();
        QVERIFY(!doc.Changed());

        doc.Undo();  // a new step where the saved one was undone: never clean again
        doc.AddClauses({MakeClause("y")}, "Add");
        doc.Undo();
        QVERIFY(doc.Changed());
    }

    void commentTypingIsOneStep() {
        ModeDocument doc;
        Letters(doc, "a");
        for (const char* text : {"n", "no", "not"}) doc.SetComment(text);
        QCOMPARE(doc.History().Count(), size_t(1));
        doc.EndTyping();
        doc.SetComment("note");
        QCOMPARE(doc.History().Count(), size_t(2));
        doc.Undo();
        QCOMPARE(doc.Table().Comment(), std::string("not"));
        doc.Undo();
        QCOMPARE(doc.Table().Comment(), std::string("note"));  // the loaded comment
        QVERIFY(!doc.Changed());

        // Typing after a save starts a step of its own, so undo comes back
        // to the saved text.
        doc.SetComment("x");
        doc.MarkSaved();
        doc.SetComment("xy");
        doc.Undo();
        QCOMPARE(doc.Table().Comment(), std::string("x"));
        QVERIFY(!doc.Changed());
    }

    void importIsAStepOnlyWhenClausesCame() {
        ModeDocument doc;
        Letters(doc, "ab", 2);
        doc.ImportClauses({}, true);
        QVERIFY(!doc.Changed());
        QCOMPARE(doc.CurrentCursor(), (Cursor{1, 0, 4}));  // the whole first row, as after a load
        doc.ImportClauses({MakeClause("i")}, true);
        QVERIFY(doc.Changed());
        QCOMPARE(Romans(doc.Table()), std::string("abi"));
        QCOMPARE(doc.History().UndoName(), std::string("Import"));
    }

    void historyIsBounded() {
        ModeDocument doc;
        Letters(doc, "a");
        for (size_t i = 0; i < EditHistory::kMaxSteps + 5; ++i) doc.SetCaseSensitive(!doc.Table().CaseSensitive());
        QCOMPARE(doc.History().Count(), EditHistory::kMaxSteps);
        // The loaded state fell off the history: the mode stays changed.
        while (doc.Undo()) {
        }
        QVERIFY(doc.Changed());
    }
};

QTEST_GUILESS_MAIN(TestDocument)
#include "test_document.moc"
