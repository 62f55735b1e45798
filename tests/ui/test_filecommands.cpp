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
#include "mode/ModeModel.h"
#include "editing/Ordering.h"
#include "mode/ModeFile.h"
#include "settings/FileCommands.h"
#include "dialogs/FontTags.h"
#include "settings/Fonts.h"
#include "settings/Startup.h"

using namespace vel;
using vel::test::ScriptedPrompter;
using Call = ScriptedPrompter::Call;

namespace {

const QString kOptimize = "The mode has not been optimized. Would you like to optimize the mode before it is saved?";

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
    ModeTable table;
    table.SetComment(comment);
    for (const std::string& row : rows) table.AppendRow(row);
    QVERIFY(WriteModeFile(table, QFile::encodeName(path).toStdString()).ok());
}

std::string Roman(const ModeDocument& doc, int row) { return std::string(doc.Table().Cell(row, ColRoman)); }

}  // namespace

// One window's worth of file commands over a model, with recorded hooks.
struct Rig {
    QTemporaryDir dir;
    ModeModel model;
    const ModeDocument& doc = model.Document();
    ScriptedPrompter prompter;
    SharedVariables shared;
    FileCommands commands{model, prompter, shared};
    QStringList captions;
    int optimizes = 0;

    Rig() {
        shared.strModePath = dir.filePath("Modes");
        QDir().mkpath(shared.strModePath);
        commands.SetHooks({[this] {
                               ++optimizes;
                               Optimize();
                           },
                           [this](const QString& c) { captions << c; }});
    }
    void Optimize() { model.Reorder(OptimizePermutation(model.Table()), true, "Optimize"); }
    QString Mode(const QString& name) const { return shared.strModePath + "/" + name; }
    void Add(const std::string& row) { model.AddClauses({ParseRowText(row)}, "Add"); }
    void Open(const QString& path) {
        prompter.AnswerFile(path);
        commands.FileOpen();
    }
    const Call& Last() const { return prompter.calls.back(); }
};

class TestFileCommands : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> config_;

    static void CheckError(const Call& call, int code) {
        QCOMPARE(call.kind, QString("tell"));
        QCOMPARE(call.icon, Prompter::Icon::Critical);
        QVERIFY2(call.text.endsWith(" (Error #" + QString::number(code) + ".)"), qPrintable(call.text));
    }
    // Save of an unnamed mode goes through Save As, offering no name.
    static void CheckAsksWhereToSave(const Call& call) {
        QCOMPARE(call.kind, QString("save"));
        QCOMPARE(call.dialog.fileName, QString());
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
        // A clean mode: New and Open ask nothing.
        rig.commands.FileNew();
        rig.commands.FileOpen();  // the dialog is cancelled
        QCOMPARE(rig.prompter.calls.size(), size_t(1));

        rig.Add("a\tE\t\t\t");  // and the empty row an Add makes in an empty mode
        rig.Optimize();
        rig.prompter.AnswerAsk(Prompter::No);
        rig.commands.FileNew();
        const Call ask = rig.Last();
        QCOMPARE(ask.text, QString("The mode has been changed. Do you want do discard the changes?"));
        QCOMPARE(ask.defaultButton, int(Prompter::No));
        QCOMPARE(rig.doc.Table().ClauseCount(), 2);
        rig.prompter.AnswerAsk(Prompter::No);
        rig.commands.FileOpen();
        QCOMPARE(rig.prompter.Count("open"), 1);  // No: not even the dialog

        // Agreeing to discard and then cancelling the dialog changes nothing.
        rig.prompter.AnswerAsk(Prompter::Yes);
        rig.commands.FileOpen();
        QCOMPARE(rig.prompter.Count("open"), 2);
        QCOMPARE(rig.doc.Table().ClauseCount(), 2);
        QVERIFY(rig.doc.Changed());

        rig.prompter.AnswerAsk(Prompter::Yes);
        rig.commands.FileNew();
        QCOMPARE(rig.doc.Table().ClauseCount(), 0);
        QVERIFY(!rig.doc.Changed());
        QVERIFY(rig.doc.Optimized());  // New leaves the optimized flag alone
    }

    void openNamesTheModeAfterItsFile() {
        Rig rig;
        WriteMode(rig.Mode("Quenya.MOD"), "Q", {"a\tE\t\t\t", "th\t3\t\tA\tB"});
        WriteMode(rig.Mode("notes.txt"), "N", {"x\ty\t\t\t"});
        rig.Open(rig.Mode("Quenya.MOD"));
        QCOMPARE(rig.Last().dialog.folder, rig.shared.strModePath);
        QCOMPARE(rig.commands.ModeName(), QString("Quenya"));
        QCOMPARE(rig.commands.ModeFile(), rig.Mode("Quenya.MOD"));
        QCOMPARE(rig.model.rowCount(), 2);

        rig.Open(rig.Mode("notes.txt"));
        QCOMPARE(rig.captions.last(), QString("Velloran - notes.txt"));
        QCOMPARE(Roman(rig.doc, 1), std::string("x"));
    }

    void failedOpenLeavesTheModeUnnamed() {
        Rig rig;
        WriteMode(rig.Mode("old.mod"), "Old", {"o\tO\t\t\t"});
        rig.Open(rig.Mode("old.mod"));

        // Two good clauses, then one cut before its fifth TAB.
        QByteArray bytes = "Part\t1\t" + QByteArray(29, ' ') + QByteArray(36, '\0');
        bytes += "a\tE\t\t\t\t" + QByteArray(29, ' ');
        bytes += "b\tB\t\t\t\t" + QByteArray(29, ' ');
        bytes += "c\t" + QByteArray(34, 'x');
        WriteBytes(rig.Mode("part.mod"), bytes);
        rig.Open(rig.Mode("part.mod"));
        CheckError(rig.Last(), kErrClauseCut);
        QCOMPARE(rig.doc.Table().ClauseCount(), 2);  // what was read stays
        QCOMPARE(rig.commands.ModeFile(), QString());
        QCOMPARE(rig.captions.last(), QString("Velloran"));

        // So Save asks where to save, and the half-read file stays whole.
        rig.Optimize();
        rig.commands.FileSave();
        CheckAsksWhereToSave(rig.Last());
        QCOMPARE(Bytes(rig.Mode("part.mod")), bytes);
    }

    void importAppendsAndAsksNothing() {
        Rig rig;
        WriteMode(rig.Mode("base.mod"), "Base", {"a\tE\t\t\t"});
        WriteMode(rig.Mode("more.mod"), "More", {"b\tB\t\t\t", "c\tC\t\t\t"});
        WriteBytes(rig.Mode("junk.mod"), "junk");
        rig.Open(rig.Mode("base.mod"));
        rig.Add("z\tZ\t\t\t");  // a dirty mode is not questioned

        rig.prompter.AnswerFile(rig.Mode("more.mod"));
        rig.commands.FileImport();
        QCOMPARE(rig.doc.Table().ClauseCount(), 4);
        QCOMPARE(Roman(rig.doc, 4), std::string("c"));
        QCOMPARE(rig.doc.Table().Comment(), std::string("Base"));
        QVERIFY(rig.doc.Changed());

        rig.prompter.AnswerFile(rig.Mode("junk.mod"));
        rig.commands.FileImport();
        CheckError(rig.Last(), kErrNoHeaderTab);
        QCOMPARE(rig.doc.Table().ClauseCount(), 4);
        QCOMPARE(rig.commands.ModeFile(), rig.Mode("base.mod"));
        QCOMPARE(rig.prompter.Count("ask"), 0);
    }

    void optimizeQuestionBeforeEverySave() {
        Rig rig;
        rig.Add("a\tE\t\t\t");
        rig.Add("th\t3\t\t\t");

        rig.prompter.AnswerAsk(Prompter::Cancel);
        rig.commands.FileSave();
        QCOMPARE(rig.Last().text, kOptimize);
        QCOMPARE(rig.Last().defaultButton, int(Prompter::Yes));
        QCOMPARE(rig.prompter.Count("save"), 0);  // Cancel saves nothing
        QVERIFY(rig.doc.Changed());

        rig.prompter.AnswerAsk(Prompter::Yes);
        rig.prompter.AnswerFile(rig.Mode("m.mod"));
        rig.commands.FileSave();
        QCOMPARE(rig.optimizes, 1);
        QCOMPARE(Bytes(rig.Mode("m.mod")).mid(72, 2), QByteArray("th"));  // the longer Roman text went first

        // Optimized and unchanged since: no question, even before Save As.
        rig.commands.FileSave(true);
        QCOMPARE(rig.prompter.Count("ask"), 2);
        // After an add Save As asks again, before its dialog.
        rig.Add("b\tB\t\t\t");
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
        rig.Optimize();

        rig.prompter.AnswerFile(rig.Mode("copy.mod"));
        rig.commands.FileSaveAs();
        QCOMPARE(rig.Last().dialog.folder, elsewhere);
        QCOMPARE(rig.Last().dialog.fileName, QString("sindarin"));
        QCOMPARE(rig.commands.ModeFile(), rig.Mode("copy.mod"));
        QCOMPARE(rig.captions.last(), QString("Velloran - copy"));
        QCOMPARE(Bytes(rig.Mode("copy.mod")), Bytes(elsewhere + "/sindarin.mod"));
    }

    void failedSavesKeepTheFileAndTheChanges() {
        Rig rig;
        const QString sub = rig.Mode("sub");
        QDir().mkpath(sub);
        WriteMode(sub + "/a.mod", "A", {"a\tE\t\t\t"});
        WriteMode(rig.Mode("b.mod"), "B", {"b\tB\t\t\t"});

        // Save As onto a folder fails and leaves both the folder and the name.
        rig.Open(rig.Mode("b.mod"));
        rig.Optimize();
        QVERIFY(QDir(rig.shared.strModePath).mkdir("folder.mod"));
        rig.prompter.AnswerFile(rig.Mode("folder.mod"));
        rig.commands.FileSaveAs();
        CheckError(rig.Last(), kErrWriteFailed);
        QVERIFY(QFileInfo(rig.Mode("folder.mod")).isDir());
        QCOMPARE(rig.commands.ModeFile(), rig.Mode("b.mod"));

        // A clause the file cannot hold: refused, the file untouched.
        const QByteArray before = Bytes(rig.Mode("b.mod"));
        rig.Add("abcdefghijklmnopqrst\tABCDEFGHIJKLMNOPQRST\t\t\t");
        rig.Optimize();
        rig.commands.FileSave();
        CheckError(rig.Last(), kErrCannotSave);
        QCOMPARE(Bytes(rig.Mode("b.mod")), before);
        QVERIFY(rig.doc.Changed());

        // The mode's folder went away since it was opened.
        rig.prompter.AnswerAsk(Prompter::Yes);  // discard the refused change
        rig.Open(sub + "/a.mod");
        rig.Add("c\tC\t\t\t");
        rig.Optimize();
        QVERIFY(QDir(sub).removeRecursively());
        rig.commands.FileSave();
        CheckError(rig.Last(), kErrWriteFailed);
        QVERIFY(rig.Last().text.contains("does not exist"));
        QVERIFY(rig.doc.Changed());
        QCOMPARE(rig.commands.ModeFile(), sub + "/a.mod");
        QCOMPARE(rig.captions.last(), QString("Velloran - a"));
    }

    void startupLoadKeepsThePlainCaption() {
        Rig rig;
        WriteMode(rig.Mode("quenya.mod"), "Q", {"q\tQ\t\t\t"});
        StartupResult result;
        result.strModeName = "quenya";
        result.strModeFile = rig.Mode("quenya.mod");
        result.windowSize = {700, 561};
        result.dialogFolder = rig.dir.path();
        result.shared.strTengwarFont = "Tengwar Quenya";
        QWidget window;
        auto* field = new QLineEdit(&window);
        field->setProperty(kFontTagProperty, "tengwar");
        FinishStartup(&window, rig.commands, result);
        QCOMPARE(field->font().family(), QString("Tengwar Quenya"));
        QCOMPARE(rig.captions.last(), QString("Velloran"));
        QCOMPARE(rig.commands.ModeName(), QString("quenya"));
        QCOMPARE(window.size(), result.windowSize);
        QCOMPARE(rig.commands.DialogFolder(), rig.dir.path());
        // The first Save As adds the name to the caption.
        rig.prompter.AnswerFile(rig.Mode("quenya.mod"));
        rig.commands.FileSaveAs();
        QCOMPARE(rig.captions.last(), QString("Velloran - quenya"));
    }

    void failedStartupLoadLeavesTheModeUnnamed() {
        Rig rig;
        WriteBytes(rig.Mode("bad.mod"), "bad");
        rig.commands.LoadAtStartup("bad", rig.Mode("bad.mod"));
        CheckError(rig.Last(), kErrNoHeaderTab);
        QCOMPARE(rig.commands.ModeFile(), QString());
        rig.Optimize();
        rig.commands.FileSave();
        CheckAsksWhereToSave(rig.Last());
        QCOMPARE(Bytes(rig.Mode("bad.mod")), QByteArray("bad"));

        Rig fresh;  // no mode named: nothing to load, nothing said
        fresh.commands.LoadAtStartup(QString(), QString());
        QCOMPARE(fresh.prompter.calls.size(), size_t(0));
    }
};

QTEST_MAIN(TestFileCommands)
#include "test_filecommands.moc"
