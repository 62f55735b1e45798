// The File commands with scripted answers: their questions, dialogs and
// captions, the start-up load, and the two failure cases where the mode's
// name must not point at a file it does not hold.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "ScriptedPrompter.h"
#include "editing/ModeModel.h"
#include "editing/Ordering.h"
#include "mode/ModeFile.h"
#include "settings/FileCommands.h"
#include "settings/Fonts.h"
#include "settings/RegistryFunctions.h"
#include "settings/Startup.h"

using namespace vel;
using vel::test::ScriptedPrompter;
using Call = ScriptedPrompter::Call;

namespace {

const QString kDiscard = "The mode has been changed. Do you want do discard the changes?";
const QString kOptimize = "The mode has not been optimized. Would you like to optimize the mode before it is saved?";
const QString kQuit = "The mode has not been saved. Are you sure you want to quit?";

QByteArray Bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A mode file with the given comment and clause rows.
void WriteMode(const QString& path, const std::string& comment, const std::vector<std::string>& rows) {
    ModeDocument doc;
    doc.table.SetComment(comment);
    for (const std::string& row : rows) doc.table.AppendRow(row);
    QVERIFY(SaveMode(doc, QFile::encodeName(path).toStdString()).ok());
}

std::string Roman(const ModeDocument& doc, int row) { return doc.table.Cell(row, ColRoman); }

}  // namespace

// One window's worth of file commands over a model, with recorded hooks.
struct Rig {
    QTemporaryDir dir;
    ModeDocument doc;
    ModeModel model{doc};
    ScriptedPrompter prompter;
    SharedVariables shared;
    FileCommands commands{model, prompter, shared};
    QStringList captions;
    int optimizes = 0;
    int afterLoads = 0;

    Rig() {
        shared.strModePath = dir.filePath("Modes");
        QDir().mkpath(shared.strModePath);
        commands.SetHooks({[this] {
                               ++optimizes;
                               model.Reset([](ModeDocument& d) { OptimizeOrder(d.table); });
                               doc.boolChanged = doc.boolOptimized = true;
                           },
                           [this](const QString& c) { captions << c; }, [this] { ++afterLoads; }});
    }
    QString Mode(const QString& name) const { return shared.strModePath + "/" + name; }
    // An edit as Add makes it.
    void Add(const std::string& row) {
        model.InsertRow(row, 1);
        doc.boolChanged = true;
        doc.boolOptimized = false;
    }
    void Open(const QString& path) {
        prompter.AnswerFile(path);
        commands.FileOpen();
    }
    const Call& Last() const { return prompter.calls.back(); }
};

class TestFileCommands : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> config_;

    static void CheckModeDialog(const Call& call, const QString& kind, const QString& title, const QString& folder,
                                const QString& fileName) {
        QCOMPARE(call.kind, kind);
        QCOMPARE(call.dialog.title, title);
        QCOMPARE(call.dialog.filter, QString("Mode files (*.mod)|*.mod|All files (*.*)|*.*"));
        QCOMPARE(call.dialog.folder, folder);
        QCOMPARE(call.dialog.fileName, fileName);
        QCOMPARE(call.dialog.defaultSuffix, QString("mod"));
        QVERIFY(call.dialog.confirmOverwrite);
    }
    static void CheckError(const Call& call, const QString& code) {
        QCOMPARE(call.kind, QString("tell"));
        QCOMPARE(call.title, QString("Error"));
        QCOMPARE(call.icon, Prompter::Icon::Critical);
        QVERIFY2(call.text.endsWith(" (Error #" + code + ".)"), qPrintable(call.text));
    }

private slots:
    void init() {
        config_ = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config_->path());
    }
    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets()) w->close();
    }

    void discardQuestionGuardsNewAndOpen() {
        Rig rig;
        // A clean mode: New, Open and Exit ask nothing.
        rig.commands.FileNew();
        rig.commands.FileOpen();  // the dialog is cancelled
        QVERIFY(rig.commands.ConfirmClose());
        QCOMPARE(rig.prompter.calls.size(), size_t(1));
        QCOMPARE(rig.captions, QStringList{"Velloran"});

        rig.Add("a\tE\t\t\t");
        rig.doc.boolOptimized = true;

        rig.prompter.AnswerAsk(Prompter::No);
        rig.commands.FileNew();
        const Call ask = rig.Last();
        QCOMPARE(ask.kind, QString("ask"));
        QCOMPARE(ask.title, QString("Velloran"));
        QCOMPARE(ask.text, kDiscard);
        QCOMPARE(ask.icon, Prompter::Icon::Exclamation);
        QCOMPARE(ask.buttons, Prompter::Yes | Prompter::No);
        QCOMPARE(ask.defaultButton, int(Prompter::No));
        QCOMPARE(rig.doc.table.ClauseCount(), 1);
        QVERIFY(rig.doc.boolChanged);

        rig.prompter.AnswerAsk(Prompter::No);
        rig.commands.FileOpen();
        QCOMPARE(rig.prompter.Count("open"), 1);

        // Agreeing to discard and then cancelling the dialog changes nothing.
        rig.prompter.AnswerAsk(Prompter::Yes);
        rig.prompter.AnswerFile(std::nullopt);
        rig.commands.FileOpen();
        QCOMPARE(rig.prompter.Count("open"), 2);
        QCOMPARE(rig.doc.table.ClauseCount(), 1);
        QVERIFY(rig.doc.boolChanged);

        rig.prompter.AnswerAsk(Prompter::Yes);
        rig.commands.FileNew();
        QCOMPARE(rig.doc.table.ClauseCount(), 0);
        QVERIFY(!rig.doc.boolChanged);
        QVERIFY(rig.doc.boolOptimized);  // New leaves the optimized flag alone
        QCOMPARE(rig.captions.last(), QString("Velloran"));
        QVERIFY(rig.prompter.Exhausted());
    }

    void openNamesTheModeAfterItsFile() {
        Rig rig;
        WriteMode(rig.Mode("Quenya.MOD"), "Q", {"a\tE\t\t\t", "th\t3\t\tA\tB"});
        WriteMode(rig.Mode("notes.txt"), "N", {"x\ty\t\t\t"});

        rig.Open(rig.Mode("Quenya.MOD"));
        CheckModeDialog(rig.Last(), "open", "Open Mode File", rig.shared.strModePath, "");
        QCOMPARE(rig.commands.ModeName(), QString("Quenya"));
        QCOMPARE(rig.commands.ModeFile(), rig.Mode("Quenya.MOD"));
        QCOMPARE(rig.captions.last(), QString("Velloran - Quenya"));
        QCOMPARE(rig.doc.table.ClauseCount(), 2);
        QCOMPARE(rig.doc.table.Comment(), std::string("Q"));
        QCOMPARE(rig.afterLoads, 1);
        QCOMPARE(rig.model.rowCount(), 2);

        rig.Open(rig.Mode("notes.txt"));
        QCOMPARE(rig.commands.ModeName(), QString("notes.txt"));
        QCOMPARE(rig.captions.last(), QString("Velloran - notes.txt"));
        QCOMPARE(Roman(rig.doc, 1), std::string("x"));
    }

    void failedOpenLeavesTheModeUnnamed() {
        Rig rig;
        WriteMode(rig.Mode("old.mod"), "Old", {"o\tO\t\t\t"});
        rig.Open(rig.Mode("old.mod"));
        QCOMPARE(rig.captions.last(), QString("Velloran - old"));

        // Two good clauses, then one cut before its fifth TAB.
        QByteArray bytes = "Part\t1\t" + QByteArray(29, ' ') + QByteArray(36, '\0');
        bytes += "a\tE\t\t\t\t" + QByteArray(29, ' ');
        bytes += "b\tB\t\t\t\t" + QByteArray(29, ' ');
        bytes += "c\t" + QByteArray(34, 'x');
        WriteBytes(rig.Mode("part.mod"), bytes);

        rig.Open(rig.Mode("part.mod"));
        CheckError(rig.Last(), QString::number(kErrClauseCut));
        QCOMPARE(rig.doc.table.ClauseCount(), 2);  // what was read stays
        QCOMPARE(rig.commands.ModeName(), QString());
        QCOMPARE(rig.commands.ModeFile(), QString());
        QCOMPARE(rig.captions.last(), QString("Velloran"));

        // So Save asks where to save, and the half-read file stays whole.
        rig.doc.boolOptimized = true;
        rig.commands.FileSave();
        CheckModeDialog(rig.Last(), "save", "Save Mode As", rig.shared.strModePath, "");
        QCOMPARE(Bytes(rig.Mode("part.mod")), bytes);
    }

    void importAppendsWithoutCountingAsAChange() {
        Rig rig;
        WriteMode(rig.Mode("base.mod"), "Base", {"a\tE\t\t\t"});
        WriteMode(rig.Mode("more.mod"), "More", {"b\tB\t\t\t", "c\tC\t\t\t"});
        rig.Open(rig.Mode("base.mod"));
        const int captionsBefore = rig.captions.size();

        rig.prompter.AnswerFile(rig.Mode("more.mod"));
        rig.commands.FileImport();
        CheckModeDialog(rig.Last(), "open", "Import Mode File", rig.shared.strModePath, "");
        QCOMPARE(rig.doc.table.ClauseCount(), 3);
        QCOMPARE(Roman(rig.doc, 3), std::string("c"));
        QCOMPARE(rig.doc.table.Comment(), std::string("Base"));
        QVERIFY(!rig.doc.boolChanged);
        QCOMPARE(rig.commands.ModeName(), QString("base"));
        QCOMPARE(rig.captions.size(), captionsBefore);
        QVERIFY(rig.commands.ConfirmClose());
        QCOMPARE(rig.prompter.Count("ask"), 0);

        // A dirty mode is not questioned either: importing keeps it.
        rig.Add("z\tZ\t\t\t");
        WriteBytes(rig.Mode("junk.mod"), "junk");
        rig.prompter.AnswerFile(rig.Mode("junk.mod"));
        rig.commands.FileImport();
        CheckError(rig.Last(), QString::number(kErrNoHeaderTab));
        QCOMPARE(rig.doc.table.ClauseCount(), 4);
        QVERIFY(rig.doc.boolChanged);
        QCOMPARE(rig.commands.ModeFile(), rig.Mode("base.mod"));
        QCOMPARE(rig.prompter.Count("ask"), 0);
    }

    void optimizeQuestionBeforeEverySave() {
        Rig rig;
        rig.Add("a\tE\t\t\t");
        rig.Add("th\t3\t\t\t");

        rig.prompter.AnswerAsk(Prompter::Cancel);
        rig.commands.FileSave();
        const Call ask = rig.Last();
        QCOMPARE(ask.text, kOptimize);
        QCOMPARE(ask.title, QString("Velloran"));
        QCOMPARE(ask.icon, Prompter::Icon::Question);
        QCOMPARE(ask.buttons, Prompter::Yes | Prompter::No | Prompter::Cancel);
        QCOMPARE(ask.defaultButton, int(Prompter::Yes));
        QCOMPARE(rig.prompter.Count("save"), 0);  // Cancel saves nothing
        QCOMPARE(rig.optimizes, 0);

        rig.prompter.AnswerAsk(Prompter::Yes);
        rig.prompter.AnswerFile(rig.Mode("m.mod"));
        rig.commands.FileSave();
        QCOMPARE(rig.optimizes, 1);
        // A new mode saves through Save As, which names it.
        CheckModeDialog(rig.Last(), "save", "Save Mode As", rig.shared.strModePath, "");
        QCOMPARE(rig.captions.last(), QString("Velloran - m"));
        QVERIFY(!rig.doc.boolChanged);
        QCOMPARE(Roman(rig.doc, 1), std::string("th"));  // the longer Roman text went first...
        QCOMPARE(Bytes(rig.Mode("m.mod")).mid(72, 2), QByteArray("th"));  // ...and was saved so

        // Optimized and unchanged since: no question, and no dialog for a named mode.
        const int asks = rig.prompter.Count("ask");
        rig.commands.FileSave();
        QCOMPARE(rig.prompter.Count("ask"), asks);
        QCOMPARE(rig.prompter.Count("save"), 1);

        // After an add it asks again; No saves the order as it stands.
        rig.Add("b\tB\t\t\t");
        rig.prompter.AnswerAsk(Prompter::No);
        rig.commands.FileSave();
        QCOMPARE(rig.prompter.Count("ask"), asks + 1);
        QCOMPARE(rig.optimizes, 1);
        QVERIFY(!rig.doc.boolChanged);
        QCOMPARE(Bytes(rig.Mode("m.mod")).mid(72, 1), QByteArray("b"));

        // Save As asks too, before its dialog.
        rig.prompter.AnswerAsk(Prompter::No);
        rig.commands.FileSave(true);
        QCOMPARE(rig.prompter.calls[rig.prompter.calls.size() - 2].text, kOptimize);
        QCOMPARE(rig.Last().kind, QString("save"));
    }

    void saveAsOfANamedModeOffersItsName() {
        Rig rig;
        const QString elsewhere = rig.dir.filePath("elsewhere");
        QDir().mkpath(elsewhere);
        WriteMode(elsewhere + "/sindarin.mod", "S", {"s\tS\t\t\t"});
        rig.commands.SetDialogFolder("/program/folder");
        rig.Open(elsewhere + "/sindarin.mod");
        rig.doc.boolOptimized = true;

        rig.commands.FileSaveAs();  // cancelled
        CheckModeDialog(rig.Last(), "save", "Save Mode As", elsewhere, "sindarin");
        QCOMPARE(rig.commands.ModeFile(), elsewhere + "/sindarin.mod");
        QCOMPARE(rig.captions.last(), QString("Velloran - sindarin"));

        rig.prompter.AnswerFile(rig.Mode("copy.mod"));
        rig.commands.FileSave(true);
        QCOMPARE(rig.commands.ModeName(), QString("copy"));
        QCOMPARE(rig.commands.ModeFile(), rig.Mode("copy.mod"));
        QCOMPARE(rig.captions.last(), QString("Velloran - copy"));
        QCOMPARE(Bytes(rig.Mode("copy.mod")), Bytes(elsewhere + "/sindarin.mod"));
    }

    void failedSaveAsKeepsNameFileCaptionAndChanges() {
        Rig rig;
        WriteMode(rig.Mode("quenya.mod"), "Q", {"q\tQ\t\t\t"});
        rig.Open(rig.Mode("quenya.mod"));
        rig.Add("a\tE\t\t\t");
        rig.doc.boolOptimized = true;
        const QByteArray before = Bytes(rig.Mode("quenya.mod"));
        QVERIFY(QDir(rig.shared.strModePath).mkdir("folder.mod"));

        for (const QString& target : {rig.Mode("missing/new.mod"), rig.Mode("folder.mod")}) {
            rig.prompter.AnswerFile(target);
            rig.commands.FileSaveAs();
            CheckError(rig.Last(), QString::number(kErrWriteFailed));
            QVERIFY(rig.doc.boolChanged);
            QCOMPARE(rig.commands.ModeName(), QString("quenya"));
            QCOMPARE(rig.commands.ModeFile(), rig.Mode("quenya.mod"));
            QCOMPARE(rig.captions.last(), QString("Velloran - quenya"));
        }
        QVERIFY(QFileInfo(rig.Mode("folder.mod")).isDir());
        QCOMPARE(Bytes(rig.Mode("quenya.mod")), before);
        // The changes stay guarded by the closing question.
        rig.prompter.AnswerAsk(Prompter::No);
        QVERIFY(!rig.commands.ConfirmClose());
        const Call ask = rig.Last();
        QCOMPARE(ask.text, kQuit);
        QCOMPARE(ask.title, QString("Velloran"));
        QCOMPARE(ask.icon, Prompter::Icon::Exclamation);
        QCOMPARE(ask.buttons, Prompter::Yes | Prompter::No);
        QCOMPARE(ask.defaultButton, int(Prompter::No));
        rig.prompter.AnswerAsk(Prompter::Yes);
        QVERIFY(rig.commands.ConfirmClose());
    }

    void failedSaveKeepsTheFileAndTheChanges() {
        Rig rig;
        const QString sub = rig.Mode("sub");
        QDir().mkpath(sub);
        WriteMode(sub + "/a.mod", "A", {"a\tE\t\t\t"});
        WriteMode(rig.Mode("b.mod"), "B", {"b\tB\t\t\t"});

        // A clause the file cannot hold: refused, the file untouched.
        rig.Open(rig.Mode("b.mod"));
        const QByteArray before = Bytes(rig.Mode("b.mod"));
        rig.Add("abcdefghijklmnopqrst\tABCDEFGHIJKLMNOPQRST\t\t\t");
        rig.doc.boolOptimized = true;
        rig.commands.FileSave();
        CheckError(rig.Last(), QString::number(kErrCannotSave));
        QCOMPARE(Bytes(rig.Mode("b.mod")), before);
        QVERIFY(rig.doc.boolChanged);
        QCOMPARE(rig.captions.last(), QString("Velloran - b"));

        // The mode's folder went away since it was opened.
        rig.prompter.AnswerAsk(Prompter::Yes);  // discard the refused change
        rig.Open(sub + "/a.mod");
        rig.Add("c\tC\t\t\t");
        rig.doc.boolOptimized = true;
        QVERIFY(QDir(sub).removeRecursively());
        rig.commands.FileSave();
        CheckError(rig.Last(), QString::number(kErrWriteFailed));
        QVERIFY(rig.Last().text.contains("does not exist"));
        QVERIFY(rig.doc.boolChanged);
        QCOMPARE(rig.commands.ModeFile(), sub + "/a.mod");
        QCOMPARE(rig.captions.last(), QString("Velloran - a"));
    }

    void startupLoadKeepsThePlainCaption() {
        Rig rig;
        WriteMode(rig.Mode("quenya.mod"), "Q", {"q\tQ\t\t\t"});
        rig.commands.LoadAtStartup("quenya", rig.Mode("quenya.mod"));
        QCOMPARE(rig.captions.last(), QString("Velloran"));
        QCOMPARE(rig.commands.ModeName(), QString("quenya"));
        QCOMPARE(rig.doc.table.ClauseCount(), 1);
        QCOMPARE(rig.afterLoads, 1);

        rig.Add("a\tE\t\t\t");
        rig.doc.boolOptimized = true;
        rig.commands.FileSave();
        QCOMPARE(rig.prompter.Count("save"), 0);
        QCOMPARE(Bytes(rig.Mode("quenya.mod")).size(), 36 * 4);
        QCOMPARE(rig.captions.last(), QString("Velloran"));

        // The first Save As adds the name to the caption.
        rig.prompter.AnswerFile(rig.Mode("quenya.mod"));
        rig.commands.FileSaveAs();
        QCOMPARE(rig.captions.last(), QString("Velloran - quenya"));
    }

    void failedStartupLoadLeavesTheModeUnnamed() {
        Rig rig;
        WriteBytes(rig.Mode("bad.mod"), "bad");
        rig.commands.LoadAtStartup("bad", rig.Mode("bad.mod"));
        CheckError(rig.Last(), QString::number(kErrNoHeaderTab));
        QCOMPARE(rig.commands.ModeName(), QString());
        QCOMPARE(rig.commands.ModeFile(), QString());
        QCOMPARE(rig.captions.last(), QString("Velloran"));
        rig.doc.boolOptimized = true;
        rig.commands.FileSave();
        CheckModeDialog(rig.Last(), "save", "Save Mode As", rig.shared.strModePath, "");
        QCOMPARE(Bytes(rig.Mode("bad.mod")), QByteArray("bad"));

        Rig fresh;
        fresh.commands.LoadAtStartup(QString(), QString());
        QCOMPARE(fresh.prompter.calls.size(), size_t(0));
        QCOMPARE(fresh.captions.last(), QString("Velloran"));
    }

    void finishStartupPreparesTheWindow() {
        Rig rig;
        WriteMode(rig.Mode("quenya.mod"), "Q", {"q\tQ\t\t\t"});
        WriteSetting(Hive::CurrentUser, kModeKey, "Path", rig.shared.strModePath, kSettingString);
        StartupInputs in;
        in.programFolder = rig.dir.path();
        in.editorPath = rig.dir.filePath("velloran");
        in.arguments = {"quenya"};
        in.fontFamilies = {"Verdana", "Tengwar Quenya"};
        in.screenSize = {1000, 1000};
        const StartupResult result = RunStartup(in);
        rig.shared = result.shared;

        QWidget window;
        auto* field = new QLineEdit(&window);
        field->setProperty(kFontTagProperty, "tengwar");
        FinishStartup(&window, rig.commands, result);

        QCOMPARE(field->font().family(), QString("Tengwar Quenya"));
        QCOMPARE(window.size(), QSize(700, 700));
        QCOMPARE(rig.captions.last(), QString("Velloran"));
        QCOMPARE(rig.commands.ModeName(), QString("quenya"));
        QCOMPARE(rig.doc.table.ClauseCount(), 1);
        QCOMPARE(rig.commands.DialogFolder(), rig.dir.path());
        QCOMPARE(rig.prompter.calls.size(), size_t(0));
    }
};

QTEST_MAIN(TestFileCommands)
#include "test_filecommands.moc"
