// Sample texts beside a mode: the file's name, its lines both ways, and
// what a reader does with lines it cannot read.
#include <QTemporaryDir>
#include <QTest>

#include "mode/FileIO.h"
#include "preview/Samples.h"

using namespace vel;

class TestSamples : public QObject {
    Q_OBJECT

private slots:
    void pathBesideTheMode_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("samples");
        QTest::newRow("mod") << "/x/quenya.mod"
                             << "/x/quenya.tests";
        QTest::newRow("capital MOD") << "/x/Quenya.MOD"
                                     << "/x/Quenya.tests";
        QTest::newRow("Windows path") << "C:\\m\\a.mod"
                                      << "C:\\m\\a.tests";
        QTest::newRow("no extension") << "/x/quenya"
                                      << "/x/quenya.tests";
        QTest::newRow("other extension kept") << "/x/quenya.bak"
                                              << "/x/quenya.bak.tests";
        QTest::newRow("folder named .mod") << "/x.mod/a"
                                           << "/x.mod/a.tests";
        QTest::newRow("name is only .mod") << "/x/.mod"
                                           << "/x/.mod.tests";
    }
    void pathBesideTheMode() {
        QFETCH(QString, mode);
        QFETCH(QString, samples);
        QCOMPARE(QString::fromStdString(SamplesPathFor(mode.toStdString())), samples);
    }

    void roundTripKeepsEveryByteAndComment() {
        std::string everyByte;
        for (int b = 0; b < 256; ++b) everyByte += char(b);
        SamplesFile file;
        file.samples = {{"#hash", "#"}, {everyByte, everyByte}, {"", ""}, {"caf\xE9", "\x81"}};
        file.kept = {{0, "# first"}, {1, "# before the second"}, {4, "# last"}};
        const std::string text = SerializeSamples(file);
        QVERIFY(text.rfind("# first\n\\x23hash\t#\n# before the second\n", 0) == 0);
        QVERIFY(text.find("\ncaf\xC3\xA9\t\\x81\n# last\n") != std::string::npos);

        QTemporaryDir dir;
        const std::string path = dir.filePath("m.tests").toStdString();
        std::string error;
        QVERIFY(WriteSamplesFile(path, file, error));
        SamplesFile back;
        QCOMPARE(ReadSamplesFile(path, back, error), SamplesRead::Ok);
        QVERIFY(back.bad.empty());
        QVERIFY(back.samples == file.samples);
        QCOMPARE(back.samples[1].line, 4);
        QCOMPARE(SerializeSamples(back), text);
    }

    void badLinesAreReportedAndKept_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("no TAB") << QByteArray("abc");
        QTest::newRow("two TABs") << QByteArray("a\tb\tc");
        QTest::newRow("bad escape in Roman") << QByteArray("\\q\tx");
        QTest::newRow("cut escape in Tengwar") << QByteArray("a\t\\x4");
        QTest::newRow("not UTF-8") << QByteArray("\xFF\tx");
        QTest::newRow("no Windows-1252 byte") << QByteArray("\xC4\x80\tx");
        QTest::newRow("space before a hash") << QByteArray(" # not a comment");
    }
    void badLinesAreReportedAndKept() {
        QFETCH(QByteArray, line);
        const std::string text = "a\t1\n" + line.toStdString() + "\nb\t2\n";
        const SamplesFile file = ParseSamples(text);
        QCOMPARE(file.samples.size(), size_t(2));
        QCOMPARE(file.bad.size(), size_t(1));
        QCOMPARE(file.bad[0].line, 2);
        QVERIFY(file.bad[0].message.rfind("Line 2: ", 0) == 0);
        QCOMPARE(SerializeSamples(file), text);  // written back as it was
    }

    void windowsLineEndsAndByteOrderMark() {
        const SamplesFile file = ParseSamples(
            "\xEF\xBB\xBF"
            "a\tb\r\n\r\n# c\r\nd\t\\x0D\r\n");
        QVERIFY(file.bad.empty());
        QVERIFY(file.samples == (std::vector<Sample>{{"a", "b"}, {"d", "\r"}}));
        QCOMPARE(file.kept.size(), size_t(1));
        QCOMPARE(file.kept[0].text, std::string("# c"));
    }

    void commentsStayInPlaceThroughEdits() {
        SamplesFile file = ParseSamples("a\t1\n# about b\nb\t2\n");
        file.InsertSample(1, {"n", "3"});
        QCOMPARE(SerializeSamples(file), std::string("a\t1\nn\t3\n# about b\nb\t2\n"));
        file.RemoveSample(0);
        file.RemoveSample(1);  // the comment stays, before what follows
        file.InsertSample(1, {"z", "4"});
        QCOMPARE(SerializeSamples(file), std::string("n\t3\nz\t4\n# about b\n"));
    }

    void missingAndUnwritableFiles() {
        QTemporaryDir dir;
        SamplesFile file;
        std::string error;
        QCOMPARE(ReadSamplesFile(dir.filePath("none.tests").toStdString(), file, error), SamplesRead::NoFile);
        QCOMPARE(ReadSamplesFile(dir.path().toStdString(), file, error), SamplesRead::Failed);
        error.clear();
        QVERIFY(!WriteSamplesFile(dir.filePath("no/such/folder.tests").toStdString(), file, error));
        QVERIFY(!error.empty());
    }
};

QTEST_GUILESS_MAIN(TestSamples)
#include "test_samples.moc"
