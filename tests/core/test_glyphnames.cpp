// Glyph names for the picker's tooltips: the letters, the marks in every
// placement, the wizard's signs, and silence where a glyph is not known.
#include <QTest>
#include <string>

#include "mode/GlyphNames.h"
#include "mode/GlyphTables.h"

using namespace vel;

class TestGlyphNames : public QObject {
    Q_OBJECT
private slots:
    void namesFollowTheClassicEncoding_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("tinco") << 0x31 << QByteArray("tinco");
        QTest::newRow("quesse") << 0x7A << QByteArray("quesse");
        QTest::newRow("vilya") << 0x6E << QByteArray("vilya");
        // Accents are bytes of the code page.
        QTest::newRow("thule") << 0x33 << QByteArray("th\xFAle");
        QTest::newRow("aze nuquerna") << 0x2C << QByteArray("\xE1ze nuquerna");
        QTest::newRow("ure") << 0x2E << QByteArray("\xFAre");
        QTest::newRow("halla") << 0xBD << QByteArray("halla");
        QTest::newRow("extended ungwe") << 0x58 << QByteArray("extended ungwe");
        QTest::newRow("short carrier") << 0x60 << QByteArray("short carrier");
        QTest::newRow("long carrier") << 0x7E << QByteArray("long carrier");
        // A mark has the same name in all four placements.
        QTest::newRow("three dots A") << 0x23 << QByteArray("three dots");
        QTest::newRow("three dots D") << 0x43 << QByteArray("three dots");
        QTest::newRow("right curl C") << 0x48 << QByteArray("right curl");
        QTest::newRow("two dots B") << 0xD5 << QByteArray("two dots");
        QTest::newRow("s-curl") << 0x2B << QByteArray("s-curl");
        QTest::newRow("lambe s-curl") << 0x5F << QByteArray("s-curl");
        QTest::newRow("lambe under-bar") << 0xB8 << QByteArray("under-bar");
        // Unknown or font-dependent glyphs stay unnamed.
        QTest::newRow("space") << 0x20 << QByteArray();
        QTest::newRow("digit 0") << 0x30 << QByteArray();
        QTest::newRow("0x5D") << 0x5D << QByteArray();
        QTest::newRow("upper mark") << 0xE8 << QByteArray();
        QTest::newRow("last code") << 0xFF << QByteArray();
    }
    void namesFollowTheClassicEncoding() {
        QFETCH(int, code);
        QFETCH(QByteArray, name);
        const std::string_view got = GlyphName(static_cast<unsigned char>(code));
        QCOMPARE(QByteArray(got.data(), qsizetype(got.size())), name);
    }

    // Every glyph the wizard generates from pages 0 and 1's letters is named.
    void everyStandardTengwaHasAName() {
        for (int i = 0; i < 39; ++i)
            QVERIFY2(!GlyphName(static_cast<unsigned char>(kTengwaTable[size_t(i)].glyph)).empty(),
                     qPrintable(QString::number(i)));
    }
};

QTEST_GUILESS_MAIN(TestGlyphNames)
#include "test_glyphnames.moc"
