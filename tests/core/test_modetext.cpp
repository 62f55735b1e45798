// Reading the tool's text form as other systems' editors leave it, whole or
// in pieces.
#include <QTest>

#include "mode/ModeText.h"

using namespace vel;

namespace {

ModeTable Expected() {
    ModeTable t;
    t.SetComment("c");
    t.SetCaseSensitive(true);
    t.AppendClause(MakeClause("a", "b"));
    t.AppendClause(MakeClause("x", "y", "\r"));
    return t;
}

void CompareTables(const ModeTable& got, const ModeTable& want) {
    QCOMPARE(got.Comment(), want.Comment());
    QCOMPARE(got.CaseSensitive(), want.CaseSensitive());
    QCOMPARE(got.Clauses(), want.Clauses());
}

}  // namespace

class TestModeText : public QObject {
    Q_OBJECT
private slots:
    void acceptsWhatOtherEditorsWrite_data() {
        QTest::addColumn<QByteArray>("text");
        const QByteArray body = "c\t1\na\tb\t\t\t\nx\ty\t\\x0D\t\t\n";
        QTest::newRow("LF, as exported") << body;
        QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + body;
        QTest::newRow("CR LF") << QByteArray(body).replace("\n", "\r\n");
        QTest::newRow("CR LF, no end on the last line") << QByteArray(body).replace("\n", "\r\n").chopped(2);
        QTest::newRow("blank lines at the end") << body + "\n\r\n\n";
        QTest::newRow("a raw CR inside a line is the byte") << QByteArray("c\t1\na\tb\t\t\t\nx\ty\t\r\t\t\n");
    }
    void acceptsWhatOtherEditorsWrite() {
        QFETCH(QByteArray, text);
        ModeTable t;
        std::string error;
        QVERIFY2(ImportModeText(text.toStdString(), t, error), error.c_str());
        CompareTables(t, Expected());

        // Fed a byte at a time, the reader reads the same.
        ModeTextReader reader;
        for (char c : text) QVERIFY(reader.Feed(std::string_view(&c, 1)));
        ModeTable pieces;
        QVERIFY(reader.Finish(pieces));
        CompareTables(pieces, Expected());
    }

    void refusesNamingTheLine_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("blank line inside") << QByteArray("c\t0\na\tb\t\t\t\n\nx\ty\t\t\t\n")
                                           << "Line 3: the line is blank; blank lines may only come at the end";
        QTest::newRow("mark after the start") << QByteArray(
                                                     "c\t0\n\xEF\xBB\xBF"
                                                     "a\tb\t\t\t\n")
                                              << "Line 2: the character U+FEFF has no Windows-1252 byte";
        QTest::newRow("blank first line") << QByteArray("\r\nc\t0\n") << "Line 1: the first line must be";
        QTest::newRow("only a mark") << QByteArray("\xEF\xBB\xBF") << "Line 1: the first line must be";
        QTest::newRow("empty") << QByteArray() << "The text is empty";
        QTest::newRow("endless line") << QByteArray("c\t0\n") + QByteArray(int(kModeTextLineLimit) + 1, 'a')
                                      << "Line 2: the line is longer than 65536 bytes";
    }
    void refusesNamingTheLine() {
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        ModeTable t = Expected();
        std::string error;
        QVERIFY(!ImportModeText(text.toStdString(), t, error));
        QVERIFY2(QString::fromStdString(error).startsWith(message), error.c_str());
        CompareTables(t, Expected());  // left as it was
    }
};

QTEST_GUILESS_MAIN(TestModeText)
#include "test_modetext.moc"
