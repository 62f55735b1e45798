// The file commands, start-up, fonts and help as a user reaches them in the
// main window: menus, shortcuts, the close box.
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextBrowser>

#include "mode/ModeFile.h"
#include "settings/HelpWindow.h"
#include "settings/RegistryFunctions.h"
#include "test_mainwindow_kit.h"

using namespace vel;
using namespace vel::test;

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void SaveSample(const QString& path, const std::vector<const char*>& rows) {
    ModeTable table;
    table.SetComment("sample");
    for (const char* r : rows) table.AppendRow(r);
    QCOMPARE(WriteModeFile(table, QFile::encodeName(path).toStdString()).code, kModeOk);
}

// Types a Roman text into the first field and presses Add.
void AddByHand(ShownWindow& w, const char* roman) {
    w->txtEditField[0]->setFocus();
    QTest::keyClicks(w->txtEditField[0], roman);
    QTest::mouseClick(w->cmdAdd, Qt::LeftButton);
}

}  // namespace

class TestMainWindowFiles : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> config_;
    std::unique_ptr<QTemporaryDir> modes_;

    StartupInputs Inputs(const QStringList& arguments) {
        StartupInputs in;
        in.programFolder = modes_->path();
        in.editorPath = modes_->filePath("velloran");
        in.arguments = arguments;
        in.fontFamilies = {"DejaVu Sans", "Velloran Tengwar"};
        in.screenSize = QSize(1000, 800);
        return in;
    }

private slots:
    void init() {
        config_ = std::make_unique<QTemporaryDir>();
        modes_ = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config_->path());
        WriteSetting(Hive::CurrentUser, kModeKey, "Path", modes_->path(), kSettingString);
    }

    void startsWithTheNamedModeAndSavesBackToIt() {
        SaveSample(modes_->filePath("quenya.mod"), {"a\tE\t\t\t", "b\tw\t\t\t"});
        ShownWindow w;
        w->Startup(Inputs({"quenya"}));
        QCOMPARE(w->windowTitle(), QString("Velloran"));
        QCOMPARE(w->Table().ClauseCount(), 2);
        QCOMPARE(w->txtComment->text(), QString("sample"));
        QCOMPARE(w.Status("TotalRows"), QString("Rows: 2"));
        QVERIFY(w->mnuRows->menuAction()->isEnabled());
        // Fonts reach the tagged controls and the grid's Tengwar column.
        QCOMPARE(w->txtEditField[1]->font().family(), QString("Velloran Tengwar"));
        QCOMPARE(w->txtEditField[0]->font().family(), QString("DejaVu Sans"));
        QCOMPARE(w->Model().ColumnFont(1).family(), QString("Velloran Tengwar"));

        // Add, then Ctrl+S: the optimize question, then the same file.
        AddByHand(w, "ch");
        w.prompter.AnswerAsk(Prompter::No);
        QTest::keyClick(w.w.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(w.prompter.Count("ask"), 1);
        QCOMPARE(w.prompter.calls[0].text,
                 QString("The mode has not been optimized. Would you like to optimize the mode before it is saved?"));
        QCOMPARE(w.prompter.Count("save"), 0);
        QVERIFY(!w->Model().Document().Changed());
        QVERIFY(ReadAll(modes_->filePath("quenya.mod")).mid(72, 2) == "ch");
        QCOMPARE(w->windowTitle(), QString("Velloran"));
    }

    void saveOfANewModeGoesThroughSaveAs() {
        ShownWindow w;
        w->Startup(Inputs({}));
        AddByHand(w, "a");
        w.prompter.AnswerAsk(Prompter::Yes);  // optimize first
        w.prompter.AnswerFile(modes_->filePath("Sindarin.MOD"));
        w->mnuFSave->trigger();
        QCOMPARE(w.prompter.Count("save"), 1);
        const auto& dialog = w.prompter.calls.back().dialog;
        QCOMPARE(dialog.title, QString("Save Mode As"));
        QCOMPARE(dialog.folder, modes_->path());
        QCOMPARE(dialog.fileName, QString());
        QCOMPARE(w->windowTitle(), QString("Velloran - Sindarin"));
        QVERIFY(w->Model().Document().Optimized());
        QVERIFY(QFile::exists(modes_->filePath("Sindarin.MOD")));
    }

    void failedSaveAsKeepsEverythingGuarded() {
        ShownWindow w;
        w->Startup(Inputs({}));
        AddByHand(w, "a");
        w.prompter.AnswerAsk(Prompter::No);
        w.prompter.AnswerFile(modes_->filePath("missing/folder/x.mod"));
        w->mnuFSaveAs->trigger();
        QCOMPARE(w.prompter.Count("tell"), 1);
        QCOMPARE(w.prompter.calls.back().title, QString("Error"));
        QCOMPARE(w.prompter.calls.back().icon, Prompter::Icon::Critical);
        QVERIFY(w->Model().Document().Changed());
        QCOMPARE(w->windowTitle(), QString("Velloran"));
        QVERIFY(w->Model().Document().ModeFile().empty());
    }

    void closingAsksWhileChangesAreUnsaved() {
        ShownWindow w;
        w->Startup(Inputs({}));
        QVERIFY(w->close());  // nothing changed: no question
        QCOMPARE(w.prompter.Count("ask"), 0);

        w->show();
        AddByHand(w, "a");
        w.prompter.AnswerAsk(Prompter::No);
        QVERIFY(!w->close());
        QVERIFY(w->isVisible());
        const auto& question = w.prompter.calls.back();
        QCOMPARE(question.text, QString("The mode has not been saved. Are you sure you want to quit?"));
        QCOMPARE(question.defaultButton, int(Prompter::No));
        QCOMPARE(question.icon, Prompter::Icon::Exclamation);
        QCOMPARE(w->Table().ClauseCount(), 2);

        w.prompter.AnswerAsk(Prompter::Yes);
        QVERIFY(w->close());
    }

    void newAndOpenFromTheMenus() {
        SaveSample(modes_->filePath("tengwar.mod"), {"x\ty\t\t\t"});
        ShownWindow w;
        w->Startup(Inputs({}));
        w.prompter.AnswerFile(modes_->filePath("tengwar.mod"));
        QTest::keyClick(w.w.get(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(w.prompter.calls.back().dialog.title, QString("Open Mode File"));
        QCOMPARE(w->windowTitle(), QString("Velloran - tengwar"));
        QCOMPARE(w->txtComment->text(), QString("sample"));
        QCOMPARE(w->Table().ClauseCount(), 1);

        // Import keeps the name; its clauses are a change to save.
        w.prompter.AnswerFile(modes_->filePath("tengwar.mod"));
        w->mnuFImport->trigger();
        QCOMPARE(w->Table().ClauseCount(), 2);
        QVERIFY(w->Model().Document().Changed());

        w.prompter.AnswerAsk(Prompter::Yes);  // discard
        QTest::keyClick(w.w.get(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(w->Table().ClauseCount(), 0);
        QCOMPARE(w->windowTitle(), QString("Velloran"));
        QCOMPARE(w->txtComment->text(), QString());
        QVERIFY(!w->mnuRows->menuAction()->isEnabled());
    }

    void f1OpensTheHelp() {
        ShownWindow w;
        QTest::keyClick(w.w.get(), Qt::Key_F1);
        QWidget* help = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->windowTitle() == "Velloran Help" && top->isVisible()) help = top;
        QVERIFY(help);
        QVERIFY(help->findChild<QTextBrowser*>()->toPlainText().contains("Contents"));
        // Closing the main window ends the program: the help goes with it.
        QPointer<QWidget> helpWindow = help;
        QVERIFY(w->close());
        QVERIFY(!helpWindow || !helpWindow->isVisible());
    }
};

QTEST_MAIN(TestMainWindowFiles)
#include "test_mainwindow_files.moc"
