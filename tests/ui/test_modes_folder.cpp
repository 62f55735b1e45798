// Where modes live and where the file dialogs start: the default modes
// folder, the one folder a dialog may make, the mode the command line names
// (by its name or by a path), and the real dialog's start in a folder that
// does not exist.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "ScriptedPrompter.h"
#include "mode/ModeModel.h"
#include "settings/FileCommands.h"
#include "settings/RegistryFunctions.h"
#include "settings/Startup.h"

using namespace vel;
using vel::test::ScriptedPrompter;

namespace {

void Touch(const QString& path) {
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

}  // namespace

class TestModesFolder : public QObject {
    Q_OBJECT
    // The settings, the data folder and the current folder of one test function.
    std::unique_ptr<QTemporaryDir> home_;
    QString startFolder_ = QDir::currentPath();

    QString Home(const QString& rest) const { return home_->filePath(rest); }
    void SetPath(const QString& folder) {
        WriteSetting(Hive::CurrentUser, QString::fromLatin1(kModeKey), "Path", folder, kSettingString);
    }

private slots:
    void init() {
        home_ = std::make_unique<QTemporaryDir>();
        QVERIFY(home_->isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Home("config"));
        qputenv("XDG_DATA_HOME", QFile::encodeName(Home("data")));
    }
    void cleanup() {
        QDir::setCurrent(startFolder_);
        for (QWidget* w : QApplication::topLevelWidgets()) w->close();
    }

    void pathOrThePerUserFolder() {
        QCOMPARE(ModesFolder("/srv/modes/", "/usr/bin"), QString("/srv/modes"));
#ifdef Q_OS_WIN
        QCOMPARE(ModesFolder("", "C:/Velloran"), QString("C:/Velloran/Modes"));
#else
        QCOMPARE(ModesFolder("", "/usr/bin"), Home("data/Quillory/Modes"));
#endif
        // Start-up neither writes "Path" nor makes the folder: only a dialog does.
        StartupInputs in;
        in.programFolder = Home("bin");
        StartupResult r = RunStartup(in);
        QCOMPARE(r.shared.strModePath, DefaultModesFolder(in.programFolder));
        QCOMPARE(r.defaultModesFolder, r.shared.strModePath);
        QVERIFY(!QFileInfo::exists(r.shared.strModePath));
        QCOMPARE(ReadSetting(Hive::CurrentUser, QString::fromLatin1(kModeKey), "Path"), QString());

        SetPath(Home("mine"));
        r = RunStartup(in);
        QCOMPARE(r.shared.strModePath, Home("mine"));
        QVERIFY(r.defaultModesFolder.isEmpty());
    }

    void onlyTheDefaultFolderIsMade_data() {
        QTest::addColumn<bool>("configured");
        QTest::addColumn<bool>("blocked");  // the data folder is a file, so nothing can be made under it
        QTest::addColumn<bool>("made");
        QTest::newRow("default folder") << false << false << true;
        QTest::newRow("configured Path") << true << false << false;
        QTest::newRow("default that cannot be made") << false << true << false;
    }
    void onlyTheDefaultFolderIsMade() {
        QFETCH(bool, configured);
        QFETCH(bool, blocked);
        QFETCH(bool, made);
        if (configured) SetPath(Home("configured/Modes"));
        if (blocked) Touch(Home("data"));
        StartupInputs in;
        in.programFolder = Home("bin");
        const StartupResult r = RunStartup(in);
        ModeModel model;
        ScriptedPrompter prompter;
        FileCommands commands(model, prompter, r.shared);
        FinishStartup(nullptr, commands, r);
        const QString modes = r.shared.strModePath;
        QVERIFY(!QFileInfo::exists(modes));

        // The first Save As of a new mode: the modes folder and no file name.
        commands.FileSaveAs();
        QCOMPARE(prompter.calls.back().kind, QString("save"));
        QCOMPARE(prompter.calls.back().dialog.folder, modes);
        QCOMPARE(prompter.calls.back().dialog.fileName, QString());
        QCOMPARE(QFileInfo(modes).isDir(), made);
        // Open looks there the same way, and makes it again when it went away.
        QDir(modes).removeRecursively();
        commands.FileOpen();
        QCOMPARE(prompter.calls.back().dialog.folder, modes);
        QCOMPARE(QFileInfo(modes).isDir(), made);
    }

    // A missing folder given to Qt's dialog would show up as the file name.
    void theDialogStartsInTheNearestExistingFolder_data() {
        QTest::addColumn<QString>("folder");  // under the test's folder
        QTest::addColumn<QString>("fileName");
        QTest::newRow("new mode") << "Modes" << QString();
        QTest::newRow("named mode") << "Modes" << "quenya";
        QTest::newRow("missing parents too") << "data/Quillory/Modes" << QString();
    }
    void theDialogStartsInTheNearestExistingFolder() {
        QFETCH(QString, folder);
        QFETCH(QString, fileName);
        Prompter::FileDialog request;
        request.title = "Save Mode As";
        request.filter = QString::fromLatin1(kModeFilter);
        request.folder = Home(folder);
        request.fileName = fileName;
        request.defaultSuffix = "mod";
        QString shownFolder, shownName;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            poll.stop();
            shownFolder = dialog->directory().absolutePath();
            if (auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit")) shownName = edit->text();
            dialog->reject();
        });
        poll.start(10);
        QtPrompter prompter(nullptr);
        QVERIFY(!prompter.SaveFile(request));
        QCOMPARE(shownFolder, home_->path());
        QCOMPARE(shownName, fileName);
    }

    void commandLineOpensAModeByPathOrName_data() {
        QTest::addColumn<QStringList>("arguments");  // "@" stands for the test's folder
        QTest::addColumn<QString>("file");           // under the test's folder; empty: a new mode
        QTest::addColumn<QString>("name");
        QTest::newRow("absolute path") << QStringList{"@/elsewhere/Quenya.MOD"} << "elsewhere/Quenya.MOD"
                                       << "Quenya";
        QTest::newRow("relative path, any extension") << QStringList{"elsewhere/notes.txt"} << "elsewhere/notes.txt"
                                                      << "notes.txt";
        QTest::newRow(".mod in the current folder") << QStringList{"here.mod"} << "here.mod"
                                                    << "here";
        QTest::newRow("path split at a space") << QStringList{"@/my", "modes/x.mod"} << "my modes/x.mod"
                                               << "x";
        QTest::newRow("a name") << QStringList{"quenya"} << "modes/quenya.mod"
                                << "quenya";
        QTest::newRow("a name that is also a missing path") << QStringList{"sub/quenya"} << "modes/sub/quenya.mod"
                                                            << "sub/quenya";
        QTest::newRow("missing .mod file") << QStringList{"quenya.mod"} << ""
                                           << "";
        QTest::newRow("missing file by path") << QStringList{"elsewhere/gone.mod"} << ""
                                              << "";
        QTest::newRow("a folder") << QStringList{"folder.mod"} << ""
                                  << "";
        QTest::newRow("a folder by path") << QStringList{"@/elsewhere"} << ""
                                          << "";
    }
    void commandLineOpensAModeByPathOrName() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, file);
        QFETCH(QString, name);
        for (const char* f : {"modes/quenya.mod", "modes/sub/quenya.mod", "elsewhere/Quenya.MOD", "elsewhere/notes.txt",
                              "here.mod", "my modes/x.mod"})
            Touch(Home(f));
        QVERIFY(QDir().mkpath(Home("folder.mod")));
        SetPath(Home("modes"));
        QVERIFY(QDir::setCurrent(home_->path()));
        StartupInputs in;
        in.programFolder = Home("bin");
        for (QString& a : arguments) a.replace('@', home_->path());
        in.arguments = arguments;

        const StartupResult r = RunStartup(in);

        QCOMPARE(r.strModeName, name);
        QCOMPARE(r.strModeFile, file.isEmpty() ? QString() : Home(file));
#ifndef Q_OS_WIN
        // Save As of that mode starts beside it, not in the program folder.
        QCOMPARE(r.dialogFolder, file.isEmpty() ? in.programFolder : QFileInfo(Home(file)).absolutePath());
#endif
    }
};

QTEST_MAIN(TestModesFolder)
#include "test_modes_folder.moc"
