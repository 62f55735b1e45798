// velloran-mode transcribe, test and lint as scripts call them: what they
// print and how they exit.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "ToolRun.h"
#include "mode/ModeFile.h"

using namespace vel;

namespace {

using vel::test::Run;
using vel::test::Tool;

}  // namespace

class TestToolPreview : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString Path(const QString& name) { return dir_.path() + "/" + name; }
    void Write(const QString& name, const QByteArray& bytes) {
        QFile f(Path(name));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    void WriteMode(const QString& name, std::initializer_list<const char*> rows) {
        ModeTable t;
        for (const char* r : rows) t.AppendRow(r);
        Write(name, QByteArray::fromStdString(SerializeMode(t)));
    }

private slots:
    void initTestCase() {
        // The wizard's worked example, tehtar above the following tengwa.
        WriteMode("ta.mod", {"at\tt#\t\t\tt", "a\t`C\t\t\t`", "t\tt\t\t\tt"});
        WriteMode("dup.mod", {"a\t1", "a\t2", "b"});
        Write("cut.mod", "no tab in the first record");
        Write("ta.tests", "# worked example\nta\tt`C\nat\tt#\n");
        Write("fails.tests", "ta\tt#\nat\tt#\n");
        Write("bad.tests", "ta\tt`C\nno tab here\n");
    }

    void exitCodes_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("transcribe") << QStringList{"transcribe", "ta.mod", "ta"} << 0;
        QTest::newRow("transcribe, no mode") << QStringList{"transcribe"} << 2;
        QTest::newRow("transcribe, unknown option") << QStringList{"transcribe", "--x", "ta.mod"} << 2;
        QTest::newRow("transcribe, bad escape") << QStringList{"transcribe", "ta.mod", "\\q"} << 2;
        QTest::newRow("transcribe, missing mode") << QStringList{"transcribe", "none.mod", "a"} << 1;
        QTest::newRow("test beside the mode") << QStringList{"test", "ta.mod"} << 0;
        QTest::newRow("test fails") << QStringList{"test", "ta.mod", "fails.tests"} << 1;
        QTest::newRow("test, no arguments") << QStringList{"test"} << 2;
        QTest::newRow("test, too many") << QStringList{"test", "ta.mod", "ta.tests", "x"} << 2;
        QTest::newRow("test, missing mode") << QStringList{"test", "none.mod", "ta.tests"} << 2;
        QTest::newRow("test, no samples file") << QStringList{"test", "dup.mod"} << 2;
        QTest::newRow("test, a bad line") << QStringList{"test", "ta.mod", "bad.tests"} << 2;
        QTest::newRow("lint, nothing found") << QStringList{"lint", "ta.mod"} << 0;
        QTest::newRow("lint, findings") << QStringList{"lint", "dup.mod"} << 1;
        QTest::newRow("lint, kinds left out") << QStringList{"lint", "dup.mod", "--kinds=case,unsaved"} << 0;
        QTest::newRow("lint, unknown kind") << QStringList{"lint", "ta.mod", "--kinds", "never"} << 2;
        QTest::newRow("lint, kinds without a list") << QStringList{"lint", "ta.mod", "--kinds"} << 2;
        QTest::newRow("lint, missing mode") << QStringList{"lint", "none.mod"} << 2;
        QTest::newRow("lint, mode cut short") << QStringList{"lint", "cut.mod"} << 2;
    }
    void exitCodes() {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        for (QString& a : args)
            if (a.endsWith(".mod") || a.endsWith(".tests")) a = Path(a);
        const Run r = Tool(args);
        QCOMPARE(r.exitCode, exitCode);
        if (exitCode == 2) QVERIFY(!r.err.isEmpty());
    }

    void transcribeOutput() {
        QCOMPARE(Tool({"transcribe", Path("ta.mod"), "ta", "at"}).out, QByteArray("t`C t#\n"));
        QCOMPARE(Tool({"transcribe", Path("ta.mod")}, "ta\r\n\\x23t\n").out, QByteArray("t`C\n#t\n"));
        QCOMPARE(Tool({"transcribe", "--trace", Path("ta.mod"), "T!"}).out,
                 QByteArray("t!\n1\tT\trow 3\tt\tt\n2\t!\tnone\t!\t\n"));
    }

    void testAndLintOutput() {
        QCOMPARE(Tool({"test", Path("ta.mod")}).out, QByteArray("2 of 2 samples pass.\n"));
        QCOMPARE(Tool({"test", Path("ta.mod"), Path("fails.tests")}).out,
                 QByteArray("FAIL line 1: ta\n  expected: t#\n  actual:   t`C\n1 of 2 samples pass.\n"));
        QCOMPARE(Tool({"lint", Path("dup.mod")}).out,
                 QByteArray("row 2: Row 2 (a) can never be used: row 1 (a) always applies first.\n"
                            "row 3: Row 3 (b) writes nothing: its Tengwar field is empty.\n"));
        QCOMPARE(Tool({"lint", Path("dup.mod"), "--kinds", "empty-tengwar,case"}).out,
                 QByteArray("row 3: Row 3 (b) writes nothing: its Tengwar field is empty.\n"));
    }
};

QTEST_GUILESS_MAIN(TestToolPreview)
#include "test_tool_preview.moc"
