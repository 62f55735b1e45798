// velloran-mode transcribe, test and lint as scripts call them: what they
// print and how they exit.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "mode/FileIO.h"
#include "mode/ModeFile.h"

using namespace vel;

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run Tool(const QStringList& args, const QByteArray& input = {}) {
    QProcess p;
    p.start(QStringLiteral(VELLORAN_TOOL_PATH), args);
    p.waitForStarted();
    if (!input.isEmpty()) p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(30000);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

void WriteMode(const QString& path, std::initializer_list<const char*> rows) {
    ModeTable t;
    for (const char* r : rows) t.AppendRow(r);
    std::string error;
    QVERIFY(WriteFileAtomically(path.toStdString(), SerializeMode(t), error));
}

}  // namespace

class TestToolPreview : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString Path(const char* name) { return dir_.path() + "/" + name; }

private slots:
    void initTestCase() {
        // The wizard's worked example, tehtar above the following tengwa.
        WriteMode(Path("ta.mod"), {"at\tt#\t\t\tt", "a\t`C\t\t\t`", "t\tt\t\t\tt"});
    }

    void transcribeArgumentsAndInput() {
        Run r = Tool({"transcribe", Path("ta.mod"), "ta", "at"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QByteArray("t`C t#\n"));

        r = Tool({"transcribe", Path("ta.mod")}, "ta\r\n\\x23t\n");
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QByteArray("t`C\n#t\n"));

        r = Tool({"transcribe", "--trace", Path("ta.mod"), "T!"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QByteArray("t!\n1\tT\trow 3\tt\tt\n2\t!\tnone\t!\t\n"));
    }

    void transcribeFailures_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("no mode") << QStringList{"transcribe"} << 2;
        QTest::newRow("unknown option") << QStringList{"transcribe", "--x", "m.mod"} << 2;
        QTest::newRow("bad escape") << QStringList{"transcribe", "ta.mod", "\\q"} << 2;
        QTest::newRow("missing mode") << QStringList{"transcribe", "none.mod", "a"} << 1;
    }
    void transcribeFailures() {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        for (QString& a : args)
            if (a.endsWith(".mod")) a = Path(a.toLatin1().constData());
        const Run r = Tool(args);
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY(r.out.isEmpty());
        QVERIFY(!r.err.isEmpty());
    }

    void testRunsTheSamplesBesideTheMode() {
        Write(Path("ta.tests"), "# worked example\nta\tt`C\nat\tt#\n");
        Run r = Tool({"test", Path("ta.mod")});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QByteArray("2 of 2 samples pass.\n"));

        Write(Path("other.tests"), "ta\tt#\nat\tt#\n");
        r = Tool({"test", Path("ta.mod"), Path("other.tests")});
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.out, QByteArray("FAIL line 1: ta\n  expected: t#\n  actual:   t`C\n1 of 2 samples pass.\n"));
    }

    void testCannotRun_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no arguments") << QStringList{"test"};
        QTest::newRow("too many") << QStringList{"test", "ta.mod", "ta.tests", "x"};
        QTest::newRow("missing mode") << QStringList{"test", "none.mod", "ta.tests"};
        QTest::newRow("no samples file") << QStringList{"test", "ta.mod", "none.tests"};
        QTest::newRow("a bad line") << QStringList{"test", "ta.mod", "bad.tests"};
    }
    void testCannotRun() {
        QFETCH(QStringList, args);
        Write(Path("bad.tests"), "ta\tt`C\nno tab here\n");
        for (QString& a : args)
            if (a.contains('.')) a = Path(a.toLatin1().constData());
        const Run r = Tool(args);
        QCOMPARE(r.exitCode, 2);
        QVERIFY(!r.err.isEmpty());
    }

    void lintFindingsAndKinds() {
        QCOMPARE(Tool({"lint", Path("ta.mod")}).exitCode, 0);

        WriteMode(Path("dup.mod"), {"a\t1", "a\t2", "b"});
        Run r = Tool({"lint", Path("dup.mod")});
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.out, QByteArray("row 2: Row 2 (a) can never be used: row 1 (a) always applies first.\n"
                                   "row 3: Row 3 (b) writes nothing: its Tengwar field is empty.\n"));
        r = Tool({"lint", Path("dup.mod"), "--kinds", "empty-tengwar,case"});
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.out.count('\n'), 1);
        QCOMPARE(Tool({"lint", Path("dup.mod"), "--kinds=case"}).exitCode, 0);
    }

    void lintCannotCheck_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no mode") << QStringList{"lint"};
        QTest::newRow("unknown kind") << QStringList{"lint", "ta.mod", "--kinds", "never"};
        QTest::newRow("kinds without a list") << QStringList{"lint", "ta.mod", "--kinds"};
        QTest::newRow("missing mode") << QStringList{"lint", "none.mod"};
        QTest::newRow("mode cut short") << QStringList{"lint", "cut.mod"};
    }
    void lintCannotCheck() {
        QFETCH(QStringList, args);
        Write(Path("cut.mod"), "no tab in the first record");
        for (QString& a : args)
            if (a.endsWith(".mod")) a = Path(a.toLatin1().constData());
        const Run r = Tool(args);
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestToolPreview)
#include "test_tool_preview.moc"
