// The byte codec at the boundary to Qt: every byte survives both ways.
#include <QTest>

#include "mode/ByteCodec.h"

using namespace vel;

class TestCodec : public QObject {
    Q_OBJECT
private slots:
    void allBytesRoundTripDistinctly() {
        std::string all;
        for (int b = 0; b < 256; ++b) all += char(b);
        const QString text = BytesToQString(all);
        QCOMPARE(text.size(), 256);
        QSet<QChar> seen(text.begin(), text.end());
        QCOMPARE(seen.size(), 256);
        QCOMPARE(QStringToBytes(text), all);

        QCOMPARE(ByteToQChar(0x80), QChar(0x20AC));
        QCOMPARE(ByteToQChar(0x9F), QChar(0x0178));
        for (int undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) QCOMPARE(ByteToQChar(uchar(undefined)), QChar(undefined));
        QCOMPARE(ByteToQChar(0xE9), QChar(0xE9));
    }

    void charactersWithoutAByteBecomeQuestionMarks() {
        QCOMPARE(QStringToBytes(QString::fromUtf8("a\u0100b")), std::string("a?b"));
        QCOMPARE(QStringToBytes(QString::fromUtf8("\U0001F600")), std::string("?"));
        QCOMPARE(QCharToByte(QChar(0x20AC)), char(0x80));
    }

    void lowerCaseFollowsTheCodePage() {
        QCOMPARE(LowerText(QString::fromUtf8("ABC\u00C9\u00DE\u0160\u0152\u017D\u0178")),
                 QString::fromUtf8("abc\u00E9\u00FE\u0161\u0153\u017E\u00FF"));
        // No lower-case form: unchanged (multiplication sign, sharp s, digits, marker).
        QCOMPARE(LowerText(QString::fromUtf8("\u00D7\u00DF1\r")), QString::fromUtf8("\u00D7\u00DF1\r"));
        QCOMPARE(LowerChar(QChar(0x0100)), QChar(0x0100));
    }
};

QTEST_GUILESS_MAIN(TestCodec)
#include "test_codec.moc"
