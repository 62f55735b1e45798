// The shared settings store, the font choice and application, start-up
// over given inputs, and the help window.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QtTest>
#include <memory>

#include "dialogs/FontTags.h"
#include "dialogs/TextFields.h"
#include "settings/Fonts.h"
#include "settings/HelpWindow.h"
#include "settings/RegistryFunctions.h"
#include "settings/Startup.h"

using namespace vel;

namespace {

const QString kMode = QString::fromLatin1(kModeKey);
const QString kFonts = QString::fromLatin1(kFontsKey);

void Touch(const QString& path) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

}  // namespace

class TestSettings : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> config_;

    QString ConfFile() const { return config_->filePath(QStringLiteral("Quillory.conf")); }
    void WriteConf(const QByteArray& text) {
        QFile f(ConfFile());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    QByteArray ReadConf() const {
        QFile f(ConfFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    // Every test function gets a settings folder of its own.
    void init() {
        config_ = std::make_unique<QTemporaryDir>();
        QVERIFY(config_->isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config_->path());
    }
    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets()) w->close();
    }

    void keyPathsMapToSettingsKeys() {
        const auto key = [](const QString& path, const QString& value, Hive hive = Hive::CurrentUser) {
            return SettingsKey(hive, path, value);
        };
        QCOMPARE(key(kMode, "EditorPath"), QString("Mode/EditorPath"));
        QCOMPARE(key("software\\QUILLORY\\Mode\\", "Path"), QString("Mode/Path"));
        QCOMPARE(key("Software\\Quillory\\A\\B", "V"), QString("A/B/V"));
        QCOMPARE(key("Software\\Quillory", "V"), QString("V"));
        // Outside the shared settings, or malformed: no key at all.
        for (const auto& [path, value] : std::vector<std::pair<QString, QString>>{
                 {"Software\\Other\\Mode", "Path"}, {"Software\\QuilloryX\\Mode", "Path"},
                 {"Software\\Quillory\\\\Mode", "Path"}, {"Software\\Quillory\\Mode/X", "Path"},
                 {kMode, "../Path"}, {kMode, ""}})
            QVERIFY2(key(path, value).isEmpty(), qPrintable(path + " " + value));
        QVERIFY(key(kMode, "Path", Hive::LocalMachine).isEmpty());
    }

    void writesAndReadsTheSharedFile() {
        WriteConf("[Mode]\nPath=/home/u/My Modes\nOld=a, b\n\n[Fonts]\nGenericTengwarFont=Tengwar Annatar\n");
        QCOMPARE(ReadSetting(Hive::CurrentUser, kMode, "Path"), QString("/home/u/My Modes"));
        QCOMPARE(ReadSetting(Hive::CurrentUser, kMode, "Old"), QString("a, b"));
        QCOMPARE(ReadSetting(Hive::CurrentUser, kFonts, "GenericTengwarFont"), QString("Tengwar Annatar"));
        QCOMPARE(ReadSetting(Hive::CurrentUser, kFonts, "GenericRomanFont"), QString());

        CreateKey(kMode, Hive::CurrentUser);
        WriteSetting(Hive::CurrentUser, kMode, "EditorPath", "/opt/velloran/velloran", kSettingString);
        // Quillory reads the file, so its layout matters.
        QVERIFY2(ReadConf().contains("[Mode]\nEditorPath=/opt/velloran/velloran"), ReadConf().constData());
        WriteSetting(Hive::CurrentUser, kMode, "Count", "42", kSettingNumber);
        QCOMPARE(ReadSetting(Hive::CurrentUser, kMode, "Count"), QString("42"));
        // Bad numbers, unknown types and keys outside the shared settings are not written.
        WriteSetting(Hive::CurrentUser, kMode, "Bad", "4x", kSettingNumber);
        WriteSetting(Hive::CurrentUser, kMode, "Huge", "99999999999", kSettingNumber);
        WriteSetting(Hive::CurrentUser, kMode, "Binary", "ab", 3);
        WriteSetting(Hive::LocalMachine, kMode, "Stray", "x", kSettingString);
        WriteSetting(Hive::CurrentUser, "Software\\Other", "Stray", "x", kSettingString);
        for (const char* name : {"Bad", "Huge", "Binary", "Stray"}) QVERIFY2(!ReadConf().contains(name), name);
        QCOMPARE(ReadSetting(Hive::LocalMachine, kMode, "EditorPath"), QString());
    }

    void fontPasses() {
        // Exact names go by preference, not by list order.
        QCOMPARE(ChooseTengwarFont({"Arial", "Tengwar Sindarin", "Tengwar Noldor", "Tengwar Quenya"}),
                 QString("Tengwar Quenya"));
        QCOMPARE(ChooseTengwarFont({"Tengwar Annatar", "Tengwar Noldor"}), QString("Tengwar Noldor"));
        // The "tengwa" pass ignores case and the last match wins.
        QCOMPARE(ChooseTengwarFont({"Tengwar Sample One", "DejaVu Sans", "tengwar sample two", "Zapf"}),
                 QString("tengwar sample two"));
        QCOMPARE(ChooseTengwarFont({"DejaVu Sans", "DejaVu Serif"}), QString("DejaVu Sans"));
        QCOMPARE(ChooseTengwarFont({}), QString());

        QCOMPARE(ChooseRomanFont({"MS Sans Serif", "Arial", "Verdana"}), QString("Verdana"));
        QCOMPARE(ChooseRomanFont({"Zed", "MS Sans Serif"}), QString("MS Sans Serif"));
        QCOMPARE(ChooseRomanFont({"verdana", "Arial Narrow"}), QString("verdana"));  // exact, no substring pass
    }

    void bundledFontOnlyWithoutAnInstalledTengwarFont() {
        // This machine has no Tengwar font of its own (the set-up installs none).
        if (HasTengwarFamily(InstalledFontFamilies())) QSKIP("a Tengwar font is installed here");
        QVERIFY(RegisterBundledTengwarFontIfNeeded());
        QCOMPARE(ChooseTengwarFont(), QString(kBundledTengwarFamily));
        QCOMPARE(QFontInfo(QFont(kBundledTengwarFamily)).family(), QString(kBundledTengwarFamily));
        // Now a Tengwar family is present: nothing more is registered.
        QVERIFY(!RegisterBundledTengwarFontIfNeeded());
        // Without Verdana or Arial the Roman choice falls to the desktop's font.
        const QString desktop = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
        if (QFontDatabase::families().contains(desktop)) QCOMPARE(InstalledFontFamilies().first(), desktop);
    }

    void applyFontsByTag() {
        QWidget window;
        auto* roman = new QLineEdit(&window);
        roman->setProperty(kFontTagProperty, QString("text"));
        auto* glyphs = new QLineEdit(&window);
        glyphs->setProperty(kFontTagProperty, QByteArray("tengwar"));
        QFont designed = glyphs->font();
        designed.setPointSizeF(9.75);
        glyphs->setFont(designed);
        auto* capital = new QLabel(&window);
        capital->setProperty(kFontTagProperty, "Text");  // tags are case-sensitive
        capital->setFont(QFont("Capital Face"));
        auto* nested = new QLabel(new QWidget(&window));
        nested->setProperty(kFontTagProperty, "tengwar");

        ApplyFonts(&window, "Roman Face", "Glyph Face");
        QCOMPARE(roman->font().family(), QString("Roman Face"));
        QCOMPARE(glyphs->font().family(), QString("Glyph Face"));
        QCOMPARE(glyphs->font().pointSizeF(), 9.75);  // only the face changes
        QCOMPARE(nested->font().family(), QString("Glyph Face"));
        QCOMPARE(capital->font().family(), QString("Capital Face"));

        // The window itself takes part, and an empty name leaves controls alone.
        window.setProperty(kFontTagProperty, "tengwar");
        ApplyFonts(&window, QString(), "Window Face");
        QCOMPARE(window.font().family(), QString("Window Face"));
        QCOMPARE(roman->font().family(), QString("Roman Face"));
        ApplyFonts(nullptr, "A", "B");
    }

    void selAllSelectsTheWholeText() {
        QWidget window;
        auto* first = new QLineEdit("one", &window);
        auto* second = new QLineEdit("two", &window);
        new QVBoxLayout(&window);
        window.layout()->addWidget(first);
        window.layout()->addWidget(second);
        first->setCursorPosition(1);
        SelAll(first);
        QCOMPARE(first->selectedText(), QString("one"));
        SelAll(nullptr);

        SelAllOnFocus(second);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        first->setFocus();
        QTest::keyClick(first, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), second);
        QCOMPARE(second->selectedText(), QString("two"));
    }

    void startupWithoutAndWithSettings() {
        QTemporaryDir program, modes;
        StartupInputs in;
        in.programFolder = program.path();
        in.editorPath = program.filePath("velloran");
        in.arguments = {"quenya"};
        in.fontFamilies = {"DejaVu Sans", "Tengwar Sample", "Arial"};
        in.screenSize = QSize(1000, 801);
        StartupResult r = RunStartup(in);
        QCOMPARE(ReadSetting(Hive::CurrentUser, kMode, "EditorPath"), in.editorPath);
        QCOMPARE(r.shared.strRomanFont, QString("Arial"));
        QCOMPARE(r.shared.strTengwarFont, QString("Tengwar Sample"));
        QCOMPARE(r.shared.strModePath, DefaultModesFolder(program.path()));  // need not exist
        QCOMPARE(r.windowSize, QSize(700, 561));
        // Only EditorPath is written: chosen fonts never go back.
        QVERIFY(!ReadConf().contains("Font"));
        QVERIFY(!ReadConf().contains("\nPath="));

        // Given settings win over the installed fonts, even when not installed.
        Touch(modes.filePath("quenya.mod"));
        WriteConf(QByteArray("[Mode]\nEditorPath=/old/place\nPath=") + QFile::encodeName(modes.path()) +
                  "/\n[Fonts]\nGenericRomanFont=Not Installed Sans\nGenericTengwarFont=Tengwar Nowhere\n");
        r = RunStartup(in);
        QCOMPARE(ReadSetting(Hive::CurrentUser, kMode, "EditorPath"), in.editorPath);
        QCOMPARE(r.shared.strRomanFont, QString("Not Installed Sans"));
        QCOMPARE(r.shared.strTengwarFont, QString("Tengwar Nowhere"));
        QCOMPARE(r.shared.strModePath, modes.path());  // no closing slash
        QCOMPARE(r.strModeFile, modes.filePath("quenya.mod"));
    }

    void commandLineNamesOneMode_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expectedName");
        QTest::newRow("joined by single spaces") << QStringList{"old", "sindarin"} << "old sindarin";
        QTest::newRow("quotes stay") << QStringList{"\"quenya\""} << "";
        QTest::newRow("with extension") << QStringList{"quenya.mod"} << "";
        QTest::newRow("empty while .mod exists") << QStringList{} << "";
        QTest::newRow("a folder is no file") << QStringList{"folder"} << "";
    }
    void commandLineNamesOneMode() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expectedName);
        QTemporaryDir modes;
        Touch(modes.filePath("quenya.mod"));
        Touch(modes.filePath("old sindarin.mod"));
        Touch(modes.filePath(".mod"));
        QVERIFY(QDir(modes.path()).mkdir("folder.mod"));
        WriteSetting(Hive::CurrentUser, kMode, "Path", modes.path(), kSettingString);
        StartupInputs in;
        in.programFolder = "/nowhere";
        in.arguments = arguments;

        const StartupResult r = RunStartup(in);

        QCOMPARE(r.commandLine, arguments.join(' '));
        QCOMPARE(r.strModeName, expectedName);
        QCOMPARE(r.strModeFile, expectedName.isEmpty() ? QString() : modes.filePath(expectedName + ".mod"));
    }

    void helpOpensAtItsContents() {
        QPointer<HelpWindow> slot;
        HelpWindow* help = ShowHelpContents(slot, nullptr);
        QVERIFY(help->Browser()->toPlainText().contains("SIL Open Font License 1.1"));  // the bundled font's terms
        // Opening again reuses the window and goes back to the top.
        help->Browser()->scrollToAnchor("keys");
        QCOMPARE(ShowHelpContents(slot, nullptr), help);
        QCOMPARE(help->Browser()->verticalScrollBar()->value(), 0);

        // Every entry of the contents list lands on its section.
        QFile page(":/help/Vellorin.html");
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(page.readAll());
        QSet<QString> anchors;
        for (const auto& m : QRegularExpression("<a name=\"([^\"]+)\"").globalMatch(html)) anchors << m.captured(1);
        int links = 0;
        for (const auto& m : QRegularExpression("href=\"#([^\"]+)\"").globalMatch(html)) {
            ++links;
            QVERIFY2(anchors.contains(m.captured(1)), qPrintable(m.captured(1)));
        }
        QVERIFY(links >= 14);
    }
};

QTEST_MAIN(TestSettings)
#include "test_settings.moc"
