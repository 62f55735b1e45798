// velloran-mode as a user calls it from a shell or a script.
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "mode/FileIO.h"
#include "ToolRun.h"
#include "mode/ModeFile.h"

using namespace vel;

namespace {

using vel::test::Run;
using vel::test::Tool;

QByteArray Read(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes);
}

}  // namespace

class TestTool : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString Path(const char* name) { return dir_.path() + "/" + name; }

private slots:
    void exportImportRoundTrip() {
        // Every byte a field can hold, the backslash and the marker included.
        ModeTable doc;
        doc.SetComment("Quenya \\ caf\xe9");
        doc.SetCaseSensitive(true);
        for (int b = 10; b < 256; b += 14) {
            std::string roman(1, char(b == 9 ? 10 : b));
            std::string tengwar;
            for (int k = 0; k < 14; ++k) tengwar += char((b + k) % 256 == 9 ? 1 : (b + k) % 256);
            doc.AppendClause(MakeClause(roman, tengwar, "\r", "\\", "\x81"));
        }
        const QString mode = Path("all.mod");
        QCOMPARE(WriteModeFile(doc, mode.toStdString()).code, kModeOk);

        Run ex = Tool({"export", mode});
        QCOMPARE(ex.exitCode, 0);
        const QString text = QString::fromUtf8(ex.out);
        QVERIFY(text.startsWith(QString::fromUtf8("Quenya \\\\ café\t1\n")));
        QVERIFY(text.contains("\t\\x0D\t\\\\\t\\x81\n"));
        QVERIFY(!ex.out.contains('\r'));

        Write(Path("all.txt"), ex.out);
        Run im = Tool({"import", Path("all.txt"), "-o", Path("back.mod")});
        QCOMPARE(im.exitCode, 0);
        QCOMPARE(Read(Path("back.mod")), Read(mode));

        // Standard input works too.
        im = Tool({"import", "-", "-o", Path("stdin.mod")}, ex.out);
        QCOMPARE(im.exitCode, 0);
        QCOMPARE(Read(Path("stdin.mod")), Read(mode));
    }

    void importRejectsBadLinesByNumber() {
        Write(Path("bad.txt"), "c\t0\na\tb\t\t\t\nx\ty\t\t\n");
        Run r = Tool({"import", Path("bad.txt"), "-o", Path("bad.mod")});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains("Line 3"), r.err.constData());
        QVERIFY(!QFile::exists(Path("bad.mod")));

        Write(Path("noroman.txt"), "c\t0\n\tb\t\t\t\n");
        r = Tool({"import", Path("noroman.txt"), "-o", Path("bad.mod")});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.err.contains("Line 2"));

        Write(Path("escape.txt"), "c\t0\na\\q\tb\t\t\t\n");
        r = Tool({"import", Path("escape.txt"), "-o", Path("bad.mod")});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.err.contains("Line 2"));

        // Too long for a record: refused by the save, naming the row.
        Write(Path("long.txt"), "c\t0\n" + QByteArray(20, 'a') + "\t" + QByteArray(20, 'b') + "\t\t\t\n");
        r = Tool({"import", Path("long.txt"), "-o", Path("bad.mod")});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.err.contains("Row 1 is 40 characters long"));
        QVERIFY(!QFile::exists(Path("bad.mod")));
    }

    void checkReportsWhereALoadStops() {
        ModeTable doc;
        doc.AppendRow("a\tb\t\t\t");
        doc.AppendRow("\t\t\t\t");
        doc.AppendRow("c\td\t\t\t");
        const QString good = Path("good.mod");
        QCOMPARE(WriteModeFile(doc, good.toStdString()).code, kModeOk);
        Run r = Tool({"check", good});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.contains("Clauses: 2"));
        QVERIFY(r.out.contains("Gaps: 2"));

        QByteArray bytes = Read(good);
        bytes.append(QByteArray(36, 'q'));
        bytes.append(bytes.mid(72, 36));
        Write(Path("broken.mod"), bytes);
        r = Tool({"check", Path("broken.mod")});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.out.contains("Load stops at record 6"), r.out.constData());
        QVERIFY(r.out.contains("Records not read: 1"));
    }

    void optimizeAndSortRewrite() {
        ModeTable doc;
        doc.AppendRow("b\tw\t\t\t");
        doc.AppendRow("ch\td\t\t\t");
        doc.AppendRow("A\t#\t\t\t");
        const QString mode = Path("order.mod");
        QCOMPARE(WriteModeFile(doc, mode.toStdString()).code, kModeOk);

        QCOMPARE(Tool({"optimize", mode, "-o", Path("opt.mod")}).exitCode, 0);
        QVERIFY(Read(Path("opt.mod")).mid(72, 2) == "ch");
        QCOMPARE(Tool({"sort", mode}).exitCode, 0);
        QVERIFY(Read(mode).mid(72, 1) == "A");
        QVERIFY(Read(mode).mid(144, 2) == "ch");
    }

    // Each would block forever (a FIFO without a writer) or read without
    // end (/dev/zero): refused at once, with a message.
    void inputsThatAreNotFilesAreRefused_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("input");
        for (const char* command : {"check", "export", "import", "sort", "optimize", "template-check", "generate"})
            for (const char* input : {"fifo", "/dev/zero", "folder"})
                QTest::newRow((std::string(command) + " " + input).c_str()) << command << input;
    }
    void inputsThatAreNotFilesAreRefused() {
        QFETCH(QString, command);
        QFETCH(QString, input);
        const QString fifo = Path("input.fifo"), folder = Path("folder");
        if (!QFile::exists(fifo)) QCOMPARE(::mkfifo(fifo.toLocal8Bit().constData(), 0644), 0);
        QDir().mkpath(folder);
        const QString path = input == "fifo" ? fifo : input == "folder" ? folder : input;
        QStringList args{command, path};
        if (command == "import" || command == "generate") args << "-o" << Path("out.mod");
        const Run r = Tool(args);
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(input == "folder" ? "is a folder" : "is not a regular file"), r.err.constData());
        QVERIFY(!QFile::exists(Path("out.mod")));
    }

    void outputThatCannotBeWrittenFails_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("check") << QStringList{"check", "MODE"};
        QTest::newRow("export") << QStringList{"export", "MODE"};
        QTest::newRow("template-check") << QStringList{"template-check", "TEMPLATE"};
        QTest::newRow("help") << QStringList{"--help"};
    }
    void outputThatCannotBeWrittenFails() {
        QFETCH(QStringList, args);
        ModeTable doc;
        doc.AppendRow("a\tb\t\t\t");
        QCOMPARE(WriteModeFile(doc, Path("out.mod").toStdString()).code, kModeOk);
        Write(Path("t.mot"), "p\r\n");
        args.replaceInStrings("MODE", Path("out.mod")).replaceInStrings("TEMPLATE", Path("t.mot"));
        const Run r = Tool(args, {}, "/dev/full");
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains("standard output could not be written: No space left on device"), r.err.constData());
    }

    void windowsTextImportsAndStandardInputIsCapped() {
        const QByteArray text =
            "\xEF\xBB\xBF"
            "c\t1\r\nab\tc\t\t\t\r\n\r\n";
        Run r = Tool({"import", "-", "-o", Path("win.mod")}, text);
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(Tool({"export", Path("win.mod")}).out, QByteArray("c\t1\nab\tc\t\t\t\n"));

        // Blank lines take no memory, so only the cap stops them.
        QByteArray endless = "c\t0\n";
        endless.append(QByteArray((64 << 20) + 1, '\n'));
        r = Tool({"import", "-", "-o", Path("capped.mod")}, endless);
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains("more than 64 MiB"), r.err.constData());
        QVERIFY(!QFile::exists(Path("capped.mod")));
    }

    // A mode larger than the memory allowed: a failed load, not an abort,
    // and the file is left as it was.
    void modeTooLargeForMemoryFailsCleanly() {
        QByteArray bytes = QByteArray("big\t0\t").leftJustified(36, ' ') + QByteArray(36, '\0');
        const QByteArray record = QByteArray("ab\tcd\t\t\t\t").leftJustified(36, ' ');
        bytes.reserve(bytes.size() + record.size() * 1000000);
        for (int i = 0; i < 1000000; ++i) bytes.append(record);
        const QString mode = Path("big.mod");
        Write(mode, bytes);
        QProcess p;
        p.start("/bin/sh", {"-c", "ulimit -v 20000 && exec \"$0\" sort \"$1\"", VELLORAN_TOOL_PATH, mode});
        QVERIFY(p.waitForFinished(30000));
        const QByteArray err = p.readAllStandardError();
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 1);
        QVERIFY2(err.contains("The file is too large to load. (Error #5.)"), err.constData());
        QCOMPARE(Read(mode), bytes);
        QFile::remove(mode);
    }

    void badArgumentsAndFiles() {
        for (const QStringList& args : {QStringList{}, {"frobnicate"}, {"export"}, {"import", Path("x.txt")},
                                        {"sort", Path("a.mod"), "--bogus"}})
            QCOMPARE(Tool(args).exitCode, 2);
        Run r = Tool({"export", Path("missing.mod")});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.err.contains("no such file"));
        Write(Path("junk.mod"), "not a mode file at all, no tab here...");
        QCOMPARE(Tool({"export", Path("junk.mod")}).exitCode, 1);
        QVERIFY(Tool({"--help"}).out.contains("template-check"));
    }
};

QTEST_GUILESS_MAIN(TestTool)
#include "test_tool.moc"
