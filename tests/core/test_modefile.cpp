// The mode file: the bytes the transcriber reads, what a load keeps, and
// what a failed save leaves behind.
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include "mode/FileIO.h"
#include "mode/ModeFile.h"

using namespace vel;

namespace {

std::string Slurp(const std::string& path) {
    std::string bytes, error;
    if (!ReadFileBytes(path, bytes, error)) return "<unreadable>";
    return bytes;
}

void Spit(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

std::string Record(std::string text) {
    text.resize(kRecordSize, ' ');
    return text;
}

const std::string kGap(kRecordSize, '\0');

ModeTable SampleTable() {
    ModeTable table;
    table.SetComment("Sample");
    table.SetCaseSensitive(true);
    table.AppendRow("a\tE\t\t\t");
    table.AppendRow("n\t5\t\r\t\t");
    table.AppendRow("\t\t\t\t");
    table.AppendRow("th\t3\t\tA\tB");
    return table;
}

// The document holds the table as a load leaves it.
void Fill(ModeDocument& doc, const ModeTable& table) {
    doc.LoadClauses(table.Comment(), table.CaseSensitive(), true, table.Clauses(), true);
}

// An edit that leaves the table as it was: the mode is changed all the same.
void Touch(ModeDocument& doc) {
    doc.SetCaseSensitive(!doc.Table().CaseSensitive());
    doc.SetCaseSensitive(!doc.Table().CaseSensitive());
}

}  // namespace

class TestModeFile : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::string Path(const char* name) { return (dir_.path() + "/" + name).toStdString(); }

private slots:
    void workedExampleIsExactToTheByte() {
        ModeDocument doc;
        Fill(doc, SampleTable());
        Touch(doc);
        const std::string path = Path("sample.mod");
        QCOMPARE(SaveMode(doc, path).code, kModeOk);
        QVERIFY(!doc.Changed());

        const std::string expected = Record("Sample\t1\t") + kGap + Record("a\tE\t\t\t\t") +
                                     Record("n\t5\t\r\t\t\t") + kGap + Record("th\t3\t\tA\tB\t");
        QCOMPARE(expected.size(), size_t(216));
        QCOMPARE(Slurp(path), expected);

        ModeDocument back;
        back.Reorder({}, true, "Optimize");
        QCOMPARE(LoadMode(back, path).code, kModeOk);
        QCOMPARE(back.Table().Comment(), std::string("Sample"));
        QVERIFY(back.Table().CaseSensitive());
        QCOMPARE(back.Table().ClauseCount(), 3);
        QCOMPARE(back.Table().RowText(1), std::string("a\tE\t\t\t"));
        QCOMPARE(back.Table().RowText(2), std::string("n\t5\t\r\t\t"));
        QCOMPARE(back.Table().RowText(3), std::string("th\t3\t\tA\tB"));
        QCOMPARE(back.Table().CurrentRow(), 1);
        QCOMPARE(back.Table().CurrentCol(), 0);
        QCOMPARE(back.Table().SelectionEndCol(), 4);
        QVERIFY(back.Optimized());  // a load leaves the optimized flag alone
    }

    void emptyAndTrailingRowsAndLimits() {
        // No clauses: one record, and it loads back with its flag.
        ModeTable table;
        table.SetComment("x");
        table.AppendRow("\t\t\t\t");  // trailing empty rows leave nothing
        const std::string path = Path("empty.mod");
        QCOMPARE(WriteModeFile(table, path).code, kModeOk);
        QCOMPARE(Slurp(path), Record("x\t0\t"));

        // A 34-character comment loses only its closing TAB and keeps the flag;
        // the longest clause fills its record exactly; high bytes and the
        // marker come back unchanged.
        ModeTable full;
        const std::string comment(34, 'c');
        full.SetComment(comment);
        full.SetCaseSensitive(true);
        const std::string roman(14, 'r');
        const std::string tengwar = "\x80\x9f\xa0\xff\x81\x8d\x8f\x90\x9d" + std::string(5, 't');
        full.AppendClause(MakeClause(roman, tengwar, "\r", "\r", "\xfe"));
        const std::string fullPath = Path("full.mod");
        QCOMPARE(WriteModeFile(full, fullPath).code, kModeOk);
        const std::string bytes = Slurp(fullPath);
        QCOMPARE(bytes.size(), size_t(3 * kRecordSize));
        QCOMPARE(bytes.substr(0, 36), comment + "\t1");
        QCOMPARE(bytes.substr(72, 36), roman + "\t" + tengwar + "\t\r\t\r\t\xfe\t");

        ModeDocument back;
        QCOMPARE(LoadMode(back, fullPath).code, kModeOk);
        QCOMPARE(back.Table().Comment(), comment);
        QVERIFY(back.Table().CaseSensitive());
        QCOMPARE(back.Table().ClauseAt(1), full.ClauseAt(1));
    }

    void appendKeepsCommentFlagAndChangedState() {
        const std::string path = Path("append.mod");
        QCOMPARE(WriteModeFile(SampleTable(), path).code, kModeOk);

        ModeDocument doc;
        doc.LoadClauses("mine", false, true, {MakeClause("x", "y"), MakeClause("z", "w")}, true);
        doc.SetCursor({2, 0, 0});
        QCOMPARE(LoadMode(doc, path, true).code, kModeOk);
        QCOMPARE(doc.Table().ClauseCount(), 5);
        QCOMPARE(doc.Table().RowText(3), std::string("a\tE\t\t\t"));
        QCOMPARE(doc.Table().Comment(), std::string("mine"));
        QVERIFY(!doc.Table().CaseSensitive());
        QVERIFY(doc.Changed());  // an import is a change, to be saved
        QCOMPARE(doc.Table().CurrentRow(), 1);
        QCOMPARE(doc.Table().SelectionEndCol(), 4);
    }

    void readFailuresKeepWhatCameBefore() {
        // An empty name or a missing file: nothing happens at all.
        ModeDocument untouched;
        Fill(untouched, SampleTable());
        QCOMPARE(LoadMode(untouched, "").code, kModeNoFile);
        QCOMPARE(LoadMode(untouched, Path("nothing-here.mod")).code, kModeNoFile);
        QCOMPARE(untouched.Table().ClauseCount(), 4);

        // Record 1 without a TAB: error, and an empty mode (or, appending,
        // the current mode unchanged).
        const std::string noTab = Path("notab.mod");
        Spit(noTab, std::string(36, 'A'));
        ModeDocument doc;
        Fill(doc, SampleTable());
        ModeResult r = LoadMode(doc, noTab);
        QVERIFY(r.code > 0);
        QVERIFY(!r.description.empty());
        QCOMPARE(r.Message(), r.description + " (Error #" + std::to_string(r.code) + ".)");
        QCOMPARE(doc.Table().ClauseCount(), 0);
        QCOMPARE(doc.Table().Comment(), std::string());

        ModeDocument appended;
        Fill(appended, SampleTable());
        QVERIFY(LoadMode(appended, noTab, true).code > 0);
        QCOMPARE(appended.Table().ClauseCount(), 4);
        QCOMPARE(appended.Table().Comment(), std::string("Sample"));

        // A clause record cut before its fifth TAB stops the load there.
        const std::string cut = Path("cut.mod");
        Spit(cut, Record("c\t0\t") + kGap + Record("a\tb\t\t\t\t") + std::string(36, 'q') + Record("z\t\t\t\t\t"));
        ModeDocument part;
        r = LoadMode(part, cut);
        QCOMPARE(r.code, int(kErrClauseCut));
        QVERIFY(QString::fromStdString(r.description).contains("Record 4"));
        QCOMPARE(part.Table().ClauseCount(), 1);

        // An empty file is a failure; a folder is no mode file at all and
        // leaves the mode as it was, like a missing file.
        const std::string empty = Path("zero.mod");
        Spit(empty, "");
        QVERIFY(LoadMode(part, empty).code > 0);
        ModeDocument kept;
        kept.LoadClauses({}, false, true, {MakeClause("k", "K")}, true);
        QCOMPARE(LoadMode(kept, dir_.path().toStdString()).code, kModeNoFile);
        QCOMPARE(kept.Table().ClauseCount(), 1);
    }

    // Sparse files of a terabyte: what a load reserves must follow what it
    // has read, or the reservation alone ends the program.
    void hugeFilesFailAtTheirFirstBadRecord() {
        const std::string junk = Path("huge-junk.mod"), cut = Path("huge-cut.mod");
        Spit(junk, "junk without a tab");
        Spit(cut, Record("c\t0\t") + kGap + Record("a\tb\t\t\t\t") + std::string(36, 'q'));
        std::error_code ec;
        for (const std::string& path : {junk, cut}) std::filesystem::resize_file(path, uint64_t(1) << 40, ec);
        if (ec) QSKIP("no sparse files here");

        ModeDocument doc;
        Fill(doc, SampleTable());
        QCOMPARE(LoadMode(doc, junk, true).code, int(kErrNoHeaderTab));  // an import: the work stays
        QCOMPARE(doc.Table().ClauseCount(), 4);
        QCOMPARE(LoadMode(doc, cut).code, int(kErrClauseCut));
        QCOMPARE(doc.Table().RowText(1), std::string("a\tb\t\t\t"));

        ModeFileContents c;
        QCOMPARE(StreamModeFile(cut, c, [](const Clause&) { return true; }).code, int(kErrClauseCut));
        QCOMPARE(c.failedRecord, int64_t(4));
        QCOMPARE(c.size, uint64_t(1) << 40);
        QCOMPARE(c.records, int64_t(((uint64_t(1) << 40) + 35) / 36));
        QVERIFY(c.clauses.empty());
        std::filesystem::remove(junk);
        std::filesystem::remove(cut);
    }

    void streamingHandsOnEveryClauseOrStops() {
        const std::string path = Path("stream.mod");
        QCOMPARE(WriteModeFile(SampleTable(), path).code, kModeOk);
        ModeFileContents read, streamed;
        QCOMPARE(ReadModeFile(path, read).code, kModeOk);
        std::vector<Clause> got;
        QCOMPARE(StreamModeFile(path, streamed, [&](const Clause& c) { got.push_back(c); return true; }).code, kModeOk);
        QCOMPARE(got, read.clauses);
        QCOMPARE(streamed.clauseCount, int64_t(3));
        QCOMPARE(streamed.gaps, read.gaps);
        QCOMPARE(streamed.comment, std::string("Sample"));

        got.clear();
        QCOMPARE(StreamModeFile(path, streamed, [&](const Clause& c) { got.push_back(c); return false; }).code,
                 kModeOk);
        QCOMPARE(got.size(), size_t(1));
        // Not a regular file: no such mode file, read without blocking.
        const std::string fifo = Path("mode.fifo");
        QCOMPARE(::mkfifo(fifo.c_str(), 0644), 0);
        QCOMPARE(ReadModeFile(fifo, read).code, kModeNoFile);
    }

    void headerDigitAndShortLastRecord() {
        const std::string path = Path("odd.mod");
        // Only 1 turns case sensitivity on; the last record may be short.
        Spit(path, Record("odd   \t2\t") + kGap + "ab\tc\t\t\t\t");
        ModeDocument doc;
        QCOMPARE(LoadMode(doc, path).code, kModeOk);
        QCOMPARE(doc.Table().Comment(), std::string("odd"));
        QVERIFY(!doc.Table().CaseSensitive());
        QCOMPARE(doc.Table().RowText(1), std::string("ab\tc\t\t\t"));

        Spit(path, Record("x\t 1\t"));
        QCOMPARE(LoadMode(doc, path).code, kModeOk);
        QVERIFY(doc.Table().CaseSensitive());
    }

    // Clauses that would not come back from the file are refused before
    // anything is written: the old file stays, and the rows are named.
    void unsavableContentIsRefusedWhole() {
        const std::string path = Path("guarded.mod");
        Spit(path, "old bytes");
        ModeDocument doc;
        doc.LoadClauses({}, false, true,
                        {MakeClause("ok", "1"), MakeClause(std::string(20, 'r'), std::string(20, 't')),
                         MakeClause("\x05x", "y"), MakeClause("a\tb", "y")},
                        true);
        Touch(doc);

        ModeResult r = SaveMode(doc, path);
        QCOMPARE(r.code, int(kErrCannotSave));
        const QString text = QString::fromStdString(r.description);
        QVERIFY2(text.contains("Row 2 is 40 characters long; a clause can hold at most 31."), qPrintable(text));
        QVERIFY(text.contains("Row 3"));
        QVERIFY(text.contains("Row 4"));
        QVERIFY(!text.contains("Row 1 "));
        QCOMPARE(Slurp(path), std::string("old bytes"));
        QVERIFY(doc.Changed());

        ModeTable comment;
        comment.SetComment(std::string(35, 'c'));
        QCOMPARE(WriteModeFile(comment, path).code, int(kErrCannotSave));
        comment.SetComment("a\tb");
        QCOMPARE(WriteModeFile(comment, path).code, int(kErrCannotSave));
        QCOMPARE(Slurp(path), std::string("old bytes"));

        // An empty Roman field is a gap by design, whatever else the row holds.
        ModeTable gap;
        gap.AppendClause(MakeClause("", std::string(40, 'x')));
        QCOMPARE(WriteModeFile(gap, path).code, kModeOk);
    }

    void failedWritesKeepTheChangesAndLeaveNoFile() {
        ModeDocument doc;
        Fill(doc, SampleTable());
        Touch(doc);
        // Missing folder.
        ModeResult r = SaveMode(doc, Path("no/such/folder/x.mod"));
        QCOMPARE(r.code, int(kErrWriteFailed));
        QVERIFY(!r.description.empty());
        QVERIFY(doc.Changed());
        // A folder where the file should be.
        const std::string folder = Path("afolder");
        std::filesystem::create_directory(folder);
        r = SaveMode(doc, folder);
        QCOMPARE(r.code, int(kErrWriteFailed));
        QVERIFY(std::filesystem::is_directory(folder));
        QVERIFY(doc.Changed());
        // No temporary files are left behind.
        int files = 0;
        for (const auto& e : std::filesystem::directory_iterator(dir_.path().toStdString()))
            files += e.path().filename().string().find(".tmp") != std::string::npos ? 1 : 0;
        QCOMPARE(files, 0);
    }
};

QTEST_GUILESS_MAIN(TestModeFile)
#include "test_modefile.moc"
