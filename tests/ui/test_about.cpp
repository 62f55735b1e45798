// The About window, the search for a system-information program and the
// registry read under it, over an injected platform: no test starts a
// program or reads a real registry.
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <map>

#include "ScriptedPrompter.h"
#include "dialogs/AboutWindow.h"
#include "dialogs/SystemInfo.h"
#include "test_mainwindow_kit.h"

using namespace vel;
using namespace vel::test;

namespace {

// Registry values by "key|value": type and raw bytes. Records what was opened.
class FakeRegistry : public RegistryApi {
public:
    std::map<std::string, std::pair<std::uint32_t, std::string>> values;
    std::vector<std::string> opened;
    int closes = 0;

    bool Open(std::uint32_t root, const std::string& key, std::uint32_t access, std::uintptr_t& handle) override {
        handle = 0;
        if (root != kHKeyLocalMachine || access != 0x2003F) return false;
        opened.push_back(key);
        for (const auto& [name, value] : values)
            if (name.rfind(key + "|", 0) == 0) {
                handle = opened.size();
                return true;
            }
        return false;
    }
    bool Query(std::uintptr_t handle, const std::string& value, std::uint32_t& type, std::vector<char>& buffer,
               std::uint32_t& size) override {
        const auto found = values.find(opened[handle - 1] + "|" + value);
        if (found == values.end() || found->second.second.size() > size) return false;
        type = found->second.first;
        std::copy(found->second.second.begin(), found->second.second.end(), buffer.begin());
        size = std::uint32_t(found->second.second.size());
        return true;
    }
    void Close(std::uintptr_t) override { ++closes; }
};

struct FakePlatform {
    FakeRegistry registry;
    QStringList onPath;   // programs findExecutable knows, by name
    QStringList failing;  // programs whose start fails
    QStringList files;    // files that exist
    QStringList started;  // "program arg..." as started
    SysInfoPlatform Make(bool withRegistry) {
        SysInfoPlatform p;
        p.registry = withRegistry ? &registry : nullptr;
        p.fileExists = [this](const QString& path) { return files.contains(path); };
        p.findExecutable = [this](const QString& name) {
            return onPath.contains(name) ? QStringLiteral("/usr/bin/") + name : QString();
        };
        p.startDetached = [this](const QString& program, const QStringList& args) {
            if (failing.contains(program)) return false;
            started << (QStringList{program} + args).join(QLatin1Char(' '));
            return true;
        };
        return p;
    }
};

const std::string kMsinfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO|PATH";
const std::string kLocation = "SOFTWARE\\Microsoft\\Shared Tools Location|MSINFO";
const QString kUnavailable = QStringLiteral("System Information Is Unavailable At This Time");

}  // namespace

class TestAbout : public QObject {
    Q_OBJECT
private slots:
    void showsNameVersionAndCredits();
    void aboutIsModalOverTheMainWindow();
    void systemInfoFromThePath_data();
    void systemInfoFromThePath();
    void systemInfoFromTheRegistry_data();
    void systemInfoFromTheRegistry();
    void getKeyValueReadsWholeValues();
};

void TestAbout::showsNameVersionAndCredits() {
    ScriptedPrompter prompter;
    FakePlatform platform;
    frmAbout about(nullptr, prompter, QStringLiteral("DejaVu Serif"), platform.Make(false));
    QCOMPARE(about.windowTitle(), QStringLiteral("About Velloran"));
    QCOMPARE(about.lblTitle->text(), QStringLiteral("Velloran"));
    QCOMPARE(about.lblVersion->text(), QStringLiteral("Version " VELLORAN_VERSION));
    QVERIFY(
        QRegularExpression(QStringLiteral("^Version \\d+\\.\\d+\\.\\d+$")).match(about.lblVersion->text()).hasMatch());
    for (const char* credit : {"Velloran Tengwar", "SIL Open Font License 1.1", "Qt", "LGPL"})
        QVERIFY2(about.lblDescription->text().contains(QLatin1String(credit)), credit);
    QVERIFY(!about.picIcon->pixmap().isNull());
    QCOMPARE(about.lblDescription->font().family(), QStringLiteral("DejaVu Serif"));
    QVERIFY(about.cmdOK->isDefault());
    // However long the notice is in the font at hand, it stays above the
    // etched line and the buttons inside the window.
    QVERIFY(about.lblDescription->geometry().bottom() < about.linSeparator[0]->y());
    QVERIFY(about.linSeparator[1]->y() < about.cmdOK->y());
    QVERIFY(about.rect().contains(about.cmdSysInfo->geometry()));
    // Esc answers as OK does.
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QTest::keyClick(&about, Qt::Key_Escape);
    QVERIFY(!about.isVisible());
}

void TestAbout::aboutIsModalOverTheMainWindow() {
    ShownWindow w;
    bool seen = false;
    QTimer::singleShot(0, qApp, [&] {
        auto* about = qobject_cast<frmAbout*>(QApplication::activeModalWidget());
        if (!about) return;
        seen = true;
        QCOMPARE(about->parentWidget(), w.w.get());
        QVERIFY(about->isModal());
        QTest::mouseClick(about->cmdOK, Qt::LeftButton);
    });
    w->mnuHAbout->trigger();
    QVERIFY(seen);
    QVERIFY(!QApplication::activeModalWidget());
}

void TestAbout::systemInfoFromThePath_data() {
    QTest::addColumn<QStringList>("onPath");
    QTest::addColumn<QStringList>("failing");
    QTest::addColumn<QString>("started");
    QTest::newRow("none") << QStringList() << QStringList() << QString();
    QTest::newRow("list order wins") << QStringList{"kinfocenter", "hardinfo"} << QStringList()
                                     << QStringLiteral("/usr/bin/hardinfo");
    QTest::newRow("with its argument") << QStringList{"gnome-control-center", "xfce4-about"} << QStringList()
                                       << QStringLiteral("/usr/bin/gnome-control-center info-overview");
    QTest::newRow("next after a failed start")
        << QStringList{"hardinfo2", "xfce4-about"} << QStringList{"/usr/bin/hardinfo2"}
        << QStringLiteral("/usr/bin/xfce4-about");
    QTest::newRow("all fail") << QStringList{"kinfocenter"} << QStringList{"/usr/bin/kinfocenter"} << QString();
}

void TestAbout::systemInfoFromThePath() {
    QFETCH(QStringList, onPath);
    QFETCH(QStringList, failing);
    QFETCH(QString, started);
    ScriptedPrompter prompter;
    FakePlatform platform;
    platform.onPath = onPath;
    platform.failing = failing;
    frmAbout about(nullptr, prompter, QString(), platform.Make(false));
    QTest::mouseClick(about.cmdSysInfo, Qt::LeftButton);
    QCOMPARE(platform.started, started.isEmpty() ? QStringList() : QStringList{started});
    QCOMPARE(prompter.Count(QStringLiteral("tell")), started.isEmpty() ? 1 : 0);
    if (started.isEmpty()) {
        QCOMPARE(prompter.calls[0].title, QStringLiteral("Velloran"));
        QCOMPARE(prompter.calls[0].text, kUnavailable);
        QCOMPARE(prompter.calls[0].buttons, int(Prompter::Ok));
    }
}

void TestAbout::systemInfoFromTheRegistry_data() {
    QTest::addColumn<bool>("path");
    QTest::addColumn<bool>("location");
    QTest::addColumn<bool>("fileThere");
    QTest::addColumn<bool>("startFails");
    QTest::addColumn<QString>("started");
    const QString first = QStringLiteral("C:\\Tools\\msinfo.exe");
    const QString second = QStringLiteral("C:\\Shared\\MSINFO32.EXE");
    // The first value's path is started without a check that it exists.
    QTest::newRow("first value") << true << true << false << false << first;
    QTest::newRow("first value, start fails") << true << true << true << true << QString();
    QTest::newRow("second value, file there") << false << true << true << false << second;
    QTest::newRow("second value, no file") << false << true << false << false << QString();
    QTest::newRow("neither") << false << false << false << false << QString();
}

void TestAbout::systemInfoFromTheRegistry() {
    QFETCH(bool, path);
    QFETCH(bool, location);
    QFETCH(bool, fileThere);
    QFETCH(bool, startFails);
    QFETCH(QString, started);
    ScriptedPrompter prompter;
    FakePlatform platform;
    if (path) platform.registry.values[kMsinfo] = {kRegSz, std::string("C:\\Tools\\msinfo.exe") + '\0'};
    if (location) platform.registry.values[kLocation] = {kRegSz, std::string("C:\\Shared") + '\0'};
    if (fileThere) platform.files << QStringLiteral("C:\\Shared\\MSINFO32.EXE");
    if (startFails) platform.failing << QStringLiteral("C:\\Tools\\msinfo.exe");
    platform.onPath << QStringLiteral("hardinfo");  // never looked for where there is a registry
    frmAbout about(nullptr, prompter, QString(), platform.Make(true));
    about.StartSysInfo();
    QCOMPARE(platform.started, started.isEmpty() ? QStringList() : QStringList{started});
    QCOMPARE(prompter.Count(QStringLiteral("tell")), started.isEmpty() ? 1 : 0);
    if (started.isEmpty()) QCOMPARE(prompter.calls[0].text, kUnavailable);
    // A failed start of the first value's program ends the search.
    QCOMPARE(platform.registry.opened.size(), size_t(path ? 1 : 2));
}

void TestAbout::getKeyValueReadsWholeValues() {
    FakeRegistry registry;
    const std::string key = "SOFTWARE\\K";
    const std::string full(1023, 'x');
    registry.values[key + "|full"] = {kRegSz, full + '\0'};
    registry.values[key + "|bare"] = {kRegSz, "no terminator"};
    registry.values[key + "|number"] = {kRegDword, std::string("\x01\x2A\x00\x10", 4)};
    registry.values[key + "|binary"] = {3, "\x01\x02"};
    std::string value = "old";
    QVERIFY(GetKeyValue(registry, kHKeyLocalMachine, key, "full", value));
    QCOMPARE(value, full);  // 1023 characters, the terminator dropped
    QVERIFY(GetKeyValue(registry, kHKeyLocalMachine, key, "bare", value));
    QCOMPARE(value, std::string("no terminator"));
    QVERIFY(GetKeyValue(registry, kHKeyLocalMachine, key, "number", value));
    QCOMPARE(value, std::string("&h1002A1"));  // bytes from the last, unpadded
    value = "kept";
    QVERIFY(GetKeyValue(registry, kHKeyLocalMachine, key, "binary", value));
    QCOMPARE(value, std::string("kept"));
    // Failures: an empty value and false; every key opened is closed.
    registry.closes = 0;
    QVERIFY(!GetKeyValue(registry, kHKeyLocalMachine, key, "missing", value));
    QCOMPARE(value, std::string());
    value = "x";
    QVERIFY(!GetKeyValue(registry, kHKeyLocalMachine, "SOFTWARE\\None", "full", value));
    QCOMPARE(value, std::string());
    QVERIFY(!GetKeyValue(registry, 0x80000001, key, "full", value));
    QCOMPARE(registry.closes, 3);
}

QTEST_MAIN(TestAbout)
#include "test_about.moc"
