// Find and replace: the column test, where each search starts, the cell
// replacement, and the one-pass Replace all against the window's steps
// taken one at a time.
#include <QTest>
#include <algorithm>
#include <random>

#include "find/Search.h"

using namespace vel;

namespace {

ModeTable Table(const QByteArray& romans) {
    ModeTable t;
    if (!romans.isEmpty())
        for (const QByteArray& r : romans.split(',')) t.AppendClause(MakeClause(r.toStdString()));
    return t;
}

QByteArray Romans(const ModeTable& t) {
    QByteArrayList out;
    for (int r = 1; r <= t.ClauseCount(); ++r) out << QByteArray::fromStdString(std::string(t.Cell(r, ColRoman)));
    return out.join(',');
}

SearchOptions FindRoman(const char* text, bool exact = false, const char* replacement = nullptr) {
    SearchOptions s;
    s.findOn[0] = true;
    s.findText[0] = text;
    s.exact = exact;
    s.replaceOn[0] = replacement != nullptr;
    s.replaceText[0] = replacement ? replacement : "";
    return s;
}

template <typename T>
T Value(T v) {
    return v;
}
QByteArray Value(const char* s) { return QByteArray(s); }
template <typename... T>
void Row(const char* name, T... values) {
    (QTest::newRow(name) << ... << Value(values));
}

// The find window's commands over a table, applying what the search hands back.
struct Window {
    ModeTable t;
    Search search;
    SearchOptions options;
    bool cursorsHeld = true;  // every cursor handed back is one the table holds as it is

    void Show(int row, int col) {
        t.SetCurrentRow(row);
        t.SetCurrentCol(col);
        cursorsHeld = cursorsHeld && t.CurrentRow() == row && t.CurrentCol() == col;
    }
    FindOutcome Find() {
        const FindOutcome o = search.FindNext(t, options);
        Show(o.row, o.col);
        return o;
    }
    void Apply(const ReplacePlan& p) {
        const bool dup = p.action == ReplaceAction::DuplicateAndChange;
        if (p.setsChanged && p.action == ReplaceAction::Delete) t.DeleteRow(p.row);
        if (p.setsChanged && dup) t.InsertClause(t.ClauseAt(p.row), p.row);
        if (p.setsChanged && p.action != ReplaceAction::Delete) {
            Clause changed = p.clause;
            t.SwapClause(p.row + dup, changed);
        }
        Show(p.cursorRow, p.cursorCol);
        search.NoteApplied(p);
    }
    void Replace() {
        Apply(search.PlanReplace(t, options));
        Find();
    }
    void ReplaceAll() {
        const ReplaceAllResult r = search.ReplaceAll(t, options);
        if (r.changed) t.ReplaceClauses(r.clauses);
        Show(r.row, r.col);
    }
};

// The same commands taken literally, step by step on the table itself.
struct RowByRow {
    ModeTable t;
    bool found = false, deleted = false, deletedLast = false;

    static int InStr(std::string_view cell, std::string_view text) {
        if (text.empty()) return cell.empty() ? 0 : 1;
        return int(cell.find(text) + 1);  // npos + 1 is 0
    }
    void FindNext(const SearchOptions& s) {
        int first = 0;
        while (first < kColumnCount && !s.findOn[size_t(first)]) ++first;
        if (first == kColumnCount) return;
        t.SetCurrentCol(first);
        if (s.findText[size_t(first)].empty()) return;
        const int n = t.ClauseCount();
        int start = 1;
        if (found)
            start = deleted ? (deletedLast ? 1 : t.CurrentRow()) : (t.CurrentRow() == n ? 1 : t.CurrentRow() + 1);
        found = deleted = false;
        for (int r = start; r <= n && !found; ++r) {
            t.SetCurrentRow(r);
            found = true;
            for (int c = 0; c < kColumnCount && found; ++c) {
                if (!s.findOn[size_t(c)]) continue;
                t.SetCurrentCol(c);
                const std::string_view cell = t.Cell(r, c), text = s.findText[size_t(c)];
                found = s.exact ? cell == text : text.empty() || InStr(cell, text) > 0;
            }
        }
    }
    void Replace(const SearchOptions& s, bool boolNew) {
        if (!found || t.CurrentRow() < 1) return;  // no clause left to work on
        int r = t.CurrentRow();
        deleted = false;
        if (boolNew && !s.deleteLine) {
            t.InsertRow(t.RowText(r), r);
            t.SetCurrentRow(++r);
        }
        if (s.deleteLine && std::count(s.replaceOn.begin(), s.replaceOn.end(), true) > 0) {
            deletedLast = r == t.ClauseCount();
            deleted = t.DeleteRow(r);
            return;
        }
        for (int c = 0; c < kColumnCount; ++c) {
            if (!s.replaceOn[size_t(c)]) continue;
            t.SetCurrentCol(c);
            const std::string cell(t.Cell(r, c)), find = s.findText[size_t(c)], with = s.replaceText[size_t(c)];
            const int p = InStr(cell, find), L = int(cell.size()), F = int(find.size()), R = L - (p + F - 1);
            const std::string right = cell.substr(size_t(L - std::clamp(R, 0, L)));
            if (s.exact)
                t.SetCell(r, c, with);
            else if (p > 0)
                t.SetCell(r, c, cell.substr(0, size_t(p - 1)) + with + (R > 0 ? right : ""));
            else if (R > 0 && F == 0)
                t.SetCell(r, c, with + right);  // an absent find text keeps the cell
        }
    }
    void ReplaceAll(const SearchOptions& s) {
        found = false;
        t.SetCurrentRow(1);
        for (FindNext(s); found; FindNext(s)) {
            Replace(s, s.duplicate);
            if (deleted ? deletedLast : t.CurrentRow() == t.ClauseCount()) return;
        }
    }
};

}  // namespace

class TestFind : public QObject {
    Q_OBJECT

private slots:
    void columnTest_data() {
        QTest::addColumn<QByteArray>("cell");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("exact");
        QTest::addColumn<bool>("passes");
        Row("contained", "ba", "a", false, true);
        Row("not contained", "c", "a", false, false);
        Row("exact not a part", "ba", "a", true, false);
        Row("empty text, any cell", "x", "", false, true);
        Row("empty text, empty cell", "", "", false, true);
        Row("empty cell fails a text", "", "a", false, false);
        Row("exact empty text", "x", "", true, false);
        Row("case counts", "A", "a", false, false);
        Row("glyph codes", "\xE0\x60\xFF", "\x60\xFF", false, true);
    }
    void columnTest() {
        QFETCH(QByteArray, cell);
        QFETCH(QByteArray, text);
        QFETCH(bool, exact);
        QFETCH(bool, passes);
        QCOMPARE(ColumnPasses(cell.toStdString(), text.toStdString(), exact), passes);
    }

    // ba, c, a searched for a: the third search wraps from the last row.
    void searchesInTurn_data() {
        QTest::addColumn<bool>("exact");
        QTest::addColumn<QList<int>>("rows");
        Row("contained", false, QList<int>{1, 3, 1});
        Row("exact", true, QList<int>{3, 3, 3});
    }
    void searchesInTurn() {
        QFETCH(bool, exact);
        QFETCH(QList<int>, rows);
        Window w{Table("ba,c,a"), {}, FindRoman("a", exact)};
        for (int row : rows) QCOMPARE(w.Find().row, row);
        QVERIFY(w.search.boolFound());
    }

    // Roman a and ID x: a clause with the Roman text a and no ID never matches.
    void twoColumns_data() {
        QTest::addColumn<bool>("exact");
        QTest::addColumn<int>("row");
        Row("exact", true, 4);
        Row("contained", false, 2);
    }
    void twoColumns() {
        QFETCH(bool, exact);
        QFETCH(int, row);
        Window w{Table("a,ab,b,a"), {}, FindRoman("a", exact)};
        for (int r = 2; r <= 4; ++r) w.t.SetCell(r, ColID, "x");
        w.options.findOn[ColID] = true;
        w.options.findText[ColID] = "x";
        const FindOutcome o = w.Find();
        QCOMPARE(o.row, row);
        QCOMPARE(o.col, int(ColID));  // the last checked column
    }

    void searchWithoutResultAndWithoutText() {
        Window w{Table("ba,c,a"), {}, FindRoman("z")};
        FindOutcome o = w.Find();
        QVERIFY(o.searched && !o.found && !w.search.boolFound());
        QCOMPARE(o.row, 3);
        w.options = FindRoman("ba");
        QCOMPARE(w.Find().row, 1);  // starts again at row 1
        // An empty first find text searches nothing, whatever the other columns say.
        w.options = FindRoman("");
        w.options.findOn[ColTengwar] = true;
        w.options.findText[ColTengwar] = "x";
        w.t.SetCurrentCol(3);
        o = w.Find();
        QVERIFY(!o.searched && w.search.boolFound());
        QCOMPARE(o.row, 1);
        QCOMPARE(o.col, 0);
    }

    void replacedCell_data() {
        QTest::addColumn<QByteArray>("cell");
        QTest::addColumn<QByteArray>("find");
        QTest::addColumn<QByteArray>("with");
        QTest::addColumn<bool>("exact");
        QTest::addColumn<QByteArray>("result");
        Row("middle", "abcde", "c", "XY", false, "abXYde");
        Row("two", "abcde", "cd", "X", false, "abXe");
        Row("end", "abcde", "de", "Z", false, "abcZ");
        Row("empty find text", "abcde", "", "Q", false, "Qabcde");
        Row("empty find, empty cell", "", "", "Q", false, "Q");
        Row("first occurrence only", "aXa", "a", "b", false, "bXa");
        Row("absent find text keeps", "abcde", "zz", "Q", false, "abcde");
        Row("exact", "abcde", "q", "R", true, "R");
        Row("exact empty", "abcde", "abcde", "", true, "");
    }
    void replacedCell() {
        QFETCH(QByteArray, cell);
        QFETCH(QByteArray, find);
        QFETCH(QByteArray, with);
        QFETCH(bool, exact);
        QFETCH(QByteArray, result);
        const std::string out = ReplacedCell(cell.toStdString(), find.toStdString(), with.toStdString(), exact);
        QCOMPARE(QByteArray::fromStdString(out), result);
    }

    void duplicateOnRow4() {
        Window w{Table("x,x,x,a,a"), {}, FindRoman("a", false, "aa")};
        w.options.duplicate = true;
        QCOMPARE(w.Find().row, 4);
        w.Apply(w.search.PlanReplace(w.t, w.options));
        QCOMPARE(Romans(w.t), "x,x,x,a,aa,a");
        QCOMPARE(w.t.CurrentRow(), 5);
        QCOMPARE(w.Find().row, 6);  // neither the copy nor the changed clause again
    }

    void deleteLineThenFindNext() {
        Window w{Table("a1,a2,a3,b"), {}, FindRoman("a", false, "")};
        w.options.replaceOn[ColID] = true;
        w.options.deleteLine = true;
        w.Find();
        w.Replace();  // a1 goes; the search finds a2, which moved up into its row
        QCOMPARE(Romans(w.t), "a2,a3,b");
        QCOMPARE(w.t.CurrentRow(), 1);
        QCOMPARE(w.Find().row, 2);  // then moves on rather than staying on a2
        w.Replace();                // a3 goes; b does not match, so the search ends on the last row
        QCOMPARE(Romans(w.t), "a2,b");
        QVERIFY(!w.search.boolFound());
        w.options.replaceOn = {};  // without a replace column nothing is deleted
        w.Find();
        w.Replace();
        QCOMPARE(Romans(w.t), "a2,b");
    }

    void deleteLastAndOnlyClause() {
        Window w{Table("a,b,a"), {}, FindRoman("a", true, "")};
        w.options.deleteLine = true;
        w.Find();
        w.t.SetCurrentRow(3);
        w.Replace();  // the last row goes; the next search starts at row 1
        QCOMPARE(Romans(w.t), "a,b");
        QCOMPARE(w.t.CurrentRow(), 1);
        w.t = Table("a");
        w.Find();
        w.Replace();
        QCOMPARE(w.t.ClauseCount(), 0);
        QCOMPARE(w.t.CurrentRow(), 0);
        QVERIFY(!w.search.boolFound());
    }

    void replaceAll_data() {
        QTest::addColumn<QByteArray>("romans");
        QTest::addColumn<int>("findsBefore");
        QTest::addColumn<QByteArray>("variant");
        QTest::addColumn<QByteArray>("result");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("found");
        Row("last clause matches", "b,a,c,a", 0, "", "b,X,c,X", 4, true);
        Row("after a find on row 7", "b,c,d,e,f,g,a,h", 1, "", "b,c,d,e,f,g,X,h", 8, false);
        Row("after a find on row 7, row 1 matches", "a,c,d,e,f,g,a,h", 2, "", "X,c,d,e,f,g,X,h", 8, false);
        Row("still matches", "a,ba,c,a", 0, "aa", "aa,baa,c,aa", 4, true);
        Row("duplicate", "a,b,a", 0, "dup", "a,X,b,a,X", 5, true);
        Row("delete", "a,b,a", 0, "del", "b", 1, true);
        Row("delete all", "a,a", 0, "del", "", 0, true);
        Row("no match", "b,c", 0, "", "b,c", 2, false);
    }
    void replaceAll() {
        QFETCH(QByteArray, romans);
        QFETCH(int, findsBefore);
        QFETCH(QByteArray, variant);
        QFETCH(QByteArray, result);
        QFETCH(int, row);
        QFETCH(bool, found);
        Window w{Table(romans), {}, FindRoman("a", false, variant == "aa" ? "aa" : "X")};
        w.options.duplicate = variant == "dup";
        w.options.deleteLine = variant == "del";
        for (int i = findsBefore; i > 0; --i) w.Find();
        if (findsBefore > 0) QCOMPARE(w.t.CurrentRow(), 7);
        w.ReplaceAll();
        QCOMPARE(Romans(w.t), result);
        QCOMPARE(w.t.CurrentRow(), row);
        QCOMPARE(w.search.boolFound(), found);
    }

    // Random small tables and options, and random runs of commands with the
    // cursor moved between them: the search's plans applied must leave
    // table, cursor and state as the steps taken one at a time do.
    void fastPassMatchesRowByRow() {
        std::mt19937 rng(20240611);
        auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
        const char* cells[] = {"", "a", "b", "ab", "A"};
        const char* texts[] = {"", "a", "b", "ab", "ba"};
        const char* withs[] = {"", "a", "aa", "x", "b"};
        auto randomOptions = [&] {
            SearchOptions s;
            for (size_t c = 0; c < kColumnCount; ++c) {
                s.findOn[c] = below(100) < (c < 2 ? 60 : 25);
                s.findText[c] = texts[below(5)];
                s.replaceOn[c] = below(100) < 30;
                s.replaceText[c] = withs[below(5)];
            }
            s.exact = below(100) < 40;
            s.deleteLine = below(100) < 25;
            s.duplicate = below(100) < 40;
            return s;
        };
        for (int n = 0; n < 3000; ++n) {
            Window w;
            for (int rows = below(8); rows > 0; --rows) {
                Clause c;
                for (int col = 0; col < kColumnCount; ++col) c.SetField(col, cells[below(5)]);
                w.t.AppendClause(c);
            }
            w.options = randomOptions();
            RowByRow ref{w.t};
            for (int step = 0; step < 8; ++step) {
                const int command = below(5);
                if (command == 0) w.Find(), ref.FindNext(w.options);
                if (command == 1) w.Replace(), ref.Replace(w.options, w.options.duplicate), ref.FindNext(w.options);
                if (command == 2) w.ReplaceAll(), ref.ReplaceAll(w.options);
                if (command == 3) w.options = randomOptions();
                if (command == 4) w.t.SetCurrentRow(below(8) + 1), ref.t.SetCurrentRow(w.t.CurrentRow());
                const bool same = w.t.Clauses() == ref.t.Clauses() && w.t.CurrentRow() == ref.t.CurrentRow() &&
                                  w.t.CurrentCol() == ref.t.CurrentCol() && w.search.boolFound() == ref.found &&
                                  w.search.LastReplaceDeleted() == ref.deleted && w.cursorsHeld;
                QVERIFY2(same, qPrintable(QString("case %1, step %2").arg(n).arg(step)));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestFind)
#include "test_find.moc"
