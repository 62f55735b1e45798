// The preview pane in the main window: shown and hidden by F4, the output
// and trace of what is typed, following the table, the trace's way into the
// grid, and the sample texts kept beside the mode file.
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextEdit>

#include "mode/ModeFile.h"
#include "preview/PreviewPane.h"
#include "preview/SamplesModel.h"
#include "preview/SamplesPanel.h"
#include "preview/TraceModel.h"
#include "settings/FileCommands.h"
#include "test_mainwindow_kit.h"

using namespace vel;
using namespace vel::test;

namespace {

// t writes 1 and leaves T; a after T writes #, any other a writes E.
std::vector<Clause> SmallMode() {
    return {MakeClause("t", "1", "", "", "T"), MakeClause("a", "#", "", "T", ""), MakeClause("a", "E")};
}

PreviewPane& OpenPane(ShownWindow& w) {
    if (!w->mnuVPreview->isChecked()) QTest::keyClick(w.w.get(), Qt::Key_F4);
    return *w->Preview();
}

void Type(PreviewPane& pane, const QString& text) {
    pane.Input()->clear();
    QTest::keyClicks(pane.Input(), text);
}

QString Output(PreviewPane& pane) { return pane.Output()->toPlainText(); }

// Whether output character i is marked as written by no clause.
bool Marked(PreviewPane& pane, int i) {
    QTextCursor cursor(pane.Output()->document());
    cursor.setPosition(i + 1);
    return cursor.charFormat().background().color() == UnreadMarkColor();
}

QString TraceCell(PreviewPane& pane, int step, int col) {
    return pane.TraceView()->model()->index(step, col).data().toString();
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

void SaveMode(const QString& path, const std::vector<Clause>& clauses) {
    ModeTable table;
    table.AppendClauses(clauses);
    QCOMPARE(WriteModeFile(table, QFile::encodeName(path).toStdString()).code, kModeOk);
}

}  // namespace

class TestPreviewPane : public QObject {
    Q_OBJECT
private slots:
    void hiddenAtStartAndToggledByF4();
    void typingShowsOutputAndTrace();
    void followsTheTableAfterAPause();
    void traceLineMakesItsRowCurrent();
    void samplesRunAndChangeInThePane();
    void changedSamplesAreUnsavedChanges();
    void samplesAreSavedBesideTheMode();
    void samplesAreReadWithTheMode();
};

void TestPreviewPane::hiddenAtStartAndToggledByF4() {
    ShownWindow w;
    w.LoadLetters("abc");
    QDockWidget* dock = w->PreviewDock();
    QVERIFY(dock->isHidden());
    QVERIFY(!w->mnuVPreview->isChecked());
    const QRect grid = w->grdMode->geometry();

    w.FocusGrid();
    QTest::keyClick(w.w.get(), Qt::Key_F4);
    QVERIFY(dock->isVisible());
    QVERIFY(w->mnuVPreview->isChecked());
    QCOMPARE(QApplication::focusWidget(), w->Preview()->Input());  // ready for typing
    // Below the grid, which makes room for it.
    QTRY_VERIFY(w->grdMode->height() < grid.height());
    QVERIFY(dock->geometry().top() >= w->centralWidget()->geometry().bottom());

    QTest::keyClick(w->Preview()->Input(), Qt::Key_F4);
    QVERIFY(dock->isHidden());
    QCOMPARE(QApplication::focusWidget(), w->grdMode);
    QTRY_COMPARE(w->grdMode->geometry(), grid);

    // The dock's own close button unchecks the entry.
    QTest::keyClick(w.w.get(), Qt::Key_F4);
    dock->close();
    QVERIFY(!w->mnuVPreview->isChecked());
}

void TestPreviewPane::typingShowsOutputAndTrace() {
    ShownWindow w;
    w.Load(SmallMode());
    PreviewPane& pane = OpenPane(w);
    QCOMPARE(pane.Note()->text(), QString("Preview: Velloran's reading of the clause table"));
    QTest::keyClicks(pane.Input(), QStringLiteral("ta"));
    QCOMPARE(Output(pane), QString("1#"));  // at once, on the keystroke
    QTest::keyClicks(pane.Input(), QStringLiteral("x a"));
    QCOMPARE(Output(pane), QString("1#x E"));
    QCOMPARE(pane.Marks()->text(), QString("Marked: 2 characters that no clause reads, written as typed."));
    QVERIFY(!Marked(pane, 1));
    QVERIFY(Marked(pane, 2));
    QVERIFY(Marked(pane, 3));
    QVERIFY(!Marked(pane, 4));

    QCOMPARE(pane.TraceView()->model()->rowCount(), 5);
    const QStringList first{"1", "t", "1", "1", "T"};
    for (int col = 0; col < TraceModel::ColCount; ++col) QCOMPARE(TraceCell(pane, 0, col), first[col]);
    QCOMPARE(TraceCell(pane, 1, TraceModel::ColRow), QString("2"));
    QCOMPARE(TraceCell(pane, 2, TraceModel::ColRow), QString("none"));
    QCOMPARE(TraceCell(pane, 4, TraceModel::ColRow), QString("3"));
    QCOMPARE(pane.TraceView()->model()->index(2, 0).data(Qt::BackgroundRole).value<QColor>(), UnreadMarkColor());
    QVERIFY(!pane.TraceView()->model()->index(1, 0).data(Qt::BackgroundRole).isValid());

    // The zoom sizes the output from 24 points.
    const qreal size = pane.Output()->font().pointSizeF();
    QVERIFY(size >= PreviewPane::kOutputPoints);
    pane.SetZoom(200);
    QCOMPARE(pane.Output()->font().pointSizeF(), 2 * size);
}

void TestPreviewPane::followsTheTableAfterAPause() {
    ShownWindow w;
    w.Load(SmallMode());
    PreviewPane& pane = OpenPane(w);
    Type(pane, QStringLiteral("tax"));
    QCOMPARE(Output(pane), QString("1#x"));

    w->Model().AddClauses({MakeClause("x", "Z")}, "Add");
    QCOMPARE(Output(pane), QString("1#x"));  // the command does not wait for the reading
    QTRY_COMPARE(Output(pane), QString("1#Z"));
    w->Model().SetCaseSensitive(true);  // every change counts, not only rows
    Type(pane, QStringLiteral("TA"));
    QCOMPARE(Output(pane), QString("TA"));

    // Changes made while it is hidden show as soon as it is shown again.
    QTest::keyClick(w.w.get(), Qt::Key_F4);
    w->Model().SetCaseSensitive(false);
    QTest::keyClick(w.w.get(), Qt::Key_F4);
    QCOMPARE(Output(pane), QString("1#"));
}

void TestPreviewPane::traceLineMakesItsRowCurrent() {
    ShownWindow w;
    w.LoadLetters("abc");
    PreviewPane& pane = OpenPane(w);
    Type(pane, QStringLiteral("cxb"));
    QTableView* trace = pane.TraceView();
    auto click = [&](int step) {
        QTest::mouseClick(trace->viewport(), Qt::LeftButton, {},
                          trace->visualRect(trace->model()->index(step, 1)).center());
    };
    click(0);
    QCOMPARE(w->Table().CurrentRow(), 3);
    QCOMPARE(w.Status("SelectedRow"), QString("#3"));
    QCOMPARE(w->grdMode->currentIndex().row(), 2);
    click(1);  // no clause wrote it: the grid stays
    QCOMPARE(w->Table().CurrentRow(), 3);
    trace->setCurrentIndex(trace->model()->index(2, 0));
    QTest::keyClick(trace, Qt::Key_Return);
    QCOMPARE(w->Table().CurrentRow(), 2);
}

void TestPreviewPane::samplesRunAndChangeInThePane() {
    ShownWindow w;
    w.Load(SmallMode());
    PreviewPane& pane = OpenPane(w);
    SamplesModel& samples = pane.Samples();
    SamplesPanel* list = pane.SamplesList();
    QVERIFY(!list->AddButton()->isEnabled());  // nothing typed
    Type(pane, QStringLiteral("ta"));
    QTest::mouseClick(list->AddButton(), Qt::LeftButton);
    QCOMPARE(samples.SampleCount(), 1);
    QCOMPARE(samples.File().samples[0], (Sample{"ta", "1#", 0}));
    QVERIFY(samples.Passes(0));
    QVERIFY(samples.Changed());
    QCOMPARE(list->Summary()->text(), QString("The sample passes. Not saved yet."));

    // A change of the table runs the samples again.
    w->Model().ReplaceClause(2, MakeClause("a", "%", "", "T", ""), false, 0, "Replace");
    QTRY_VERIFY(!samples.Passes(0));
    QCOMPARE(samples.index(0, SamplesModel::ColResult).data().toString(), QString("fail"));
    QCOMPARE(samples.index(0, SamplesModel::ColActual).data().toString(), QString("1%"));
    QVERIFY(list->AcceptButton()->isEnabled());
    QTest::mouseClick(list->AcceptButton(), Qt::LeftButton);
    QVERIFY(samples.Passes(0));
    QCOMPARE(samples.File().samples[0].expected, std::string("1%"));

    // Edited in place; choosing a sample shows it in the pane.
    Type(pane, QStringLiteral("x"));
    QTableView* view = list->View();
    const QModelIndex roman = samples.index(0, SamplesModel::ColRoman);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(roman).center());
    QCOMPARE(pane.Input()->text(), QString("ta"));
    view->edit(view->currentIndex());
    auto* editor = view->findChild<ByteLineEdit*>();
    QVERIFY(editor);
    editor->setText(QStringLiteral("at"));
    QTest::keyClick(editor, Qt::Key_Return);  // the view commits after the key
    QTRY_COMPARE(samples.File().samples[0].roman, std::string("at"));
    QVERIFY(!samples.Passes(0));  // "at" writes E1
    QCOMPARE(samples.Actual(0), std::string("E1"));

    QTest::mouseClick(list->RemoveButton(), Qt::LeftButton);
    QCOMPARE(samples.SampleCount(), 0);
    QVERIFY(!list->RemoveButton()->isEnabled());
    QCOMPARE(list->Summary()->text(), QString("No samples. Not saved yet."));
}

void TestPreviewPane::changedSamplesAreUnsavedChanges() {
    ShownWindow w;
    w.Load(SmallMode());
    PreviewPane& pane = OpenPane(w);
    Type(pane, QStringLiteral("ta"));
    QTest::mouseClick(pane.SamplesList()->AddButton(), Qt::LeftButton);
    QVERIFY(!w->Model().Document().Changed());  // the mode itself is as loaded

    w->mnuFNew->trigger();  // the scripted answer is the default, No
    QCOMPARE(w.prompter.calls.back().text, QString("The mode has been changed. Do you want do discard the changes?"));
    QCOMPARE(pane.Samples().SampleCount(), 1);
    QVERIFY(!w->close());
    QCOMPARE(w.prompter.calls.back().text, QString("The mode has not been saved. Are you sure you want to quit?"));

    w.prompter.AnswerAsk(Prompter::Yes);
    w->mnuFNew->trigger();  // a new mode has no samples
    QCOMPARE(pane.Samples().SampleCount(), 0);
    QVERIFY(!pane.Samples().Changed());
}

void TestPreviewPane::samplesAreSavedBesideTheMode() {
    QTemporaryDir dir;
    ShownWindow w;
    w.Load(SmallMode());
    w.Optimized();
    // Without samples, no samples file.
    w.prompter.AnswerFile(dir.filePath("plain.mod"));
    w->mnuFSaveAs->trigger();
    QVERIFY(QFile::exists(dir.filePath("plain.mod")));
    QVERIFY(!QFile::exists(dir.filePath("plain.tests")));

    PreviewPane& pane = OpenPane(w);
    Type(pane, QStringLiteral("ta"));
    QTest::mouseClick(pane.SamplesList()->AddButton(), Qt::LeftButton);
    w.prompter.AnswerFile(dir.filePath("m.mod"));
    w->mnuFSaveAs->trigger();
    QCOMPARE(ReadAll(dir.filePath("m.tests")), QByteArray("ta\t1#\n"));
    QVERIFY(!pane.Samples().Changed());
    QCOMPARE(ReadAll(dir.filePath("m.mod")), ReadAll(dir.filePath("plain.mod")));  // the mode file is the same

    Type(pane, QStringLiteral("#a"));
    QTest::mouseClick(pane.SamplesList()->AddButton(), Qt::LeftButton);
    w->mnuFSave->trigger();
    QCOMPARE(ReadAll(dir.filePath("m.tests")), QByteArray("ta\t1#\n\\x23a\t#E\n"));

    // A samples file that cannot be written is said, and stays unsaved.
    QVERIFY(QDir(dir.path()).mkdir("bad.tests"));
    w.prompter.AnswerFile(dir.filePath("bad.mod"));
    w->mnuFSaveAs->trigger();
    QCOMPARE(w.prompter.calls.back().kind, QString("tell"));
    QVERIFY(w.prompter.calls.back().text.endsWith("The mode was saved; its samples were not."));
    QVERIFY(pane.Samples().Changed());
    QVERIFY(!w->Model().Document().Changed());
    pane.Samples().ReadFor({});  // nothing left to ask about
}

void TestPreviewPane::samplesAreReadWithTheMode() {
    QTemporaryDir dir;
    SaveMode(dir.filePath("m.mod"), SmallMode());
    WriteAll(dir.filePath("m.tests"), "# greeting\nta\t1#\nnot a sample\n");
    SaveMode(dir.filePath("other.mod"), SmallMode());
    ShownWindow w;
    SamplesModel& samples = w->Preview()->Samples();

    w.prompter.AnswerFile(dir.filePath("m.mod"));
    w->mnuFOpen->trigger();
    QCOMPARE(samples.SampleCount(), 1);
    QCOMPARE(samples.BadLineCount(), 1);
    QVERIFY(samples.Passes(0));
    QVERIFY(!samples.Changed());
    QVERIFY(w->Preview()->SamplesList()->Summary()->text().contains("1 line of the samples file could not be read"));

    // A removal sticks; the lines that are no samples stay.
    samples.Remove(0);
    w.prompter.AnswerAsk(Prompter::No);  // not optimized: save as it is
    w->mnuFSave->trigger();
    QCOMPARE(ReadAll(dir.filePath("m.tests")), QByteArray("# greeting\nnot a sample\n"));

    w.prompter.AnswerFile(dir.filePath("other.mod"));
    w->mnuFOpen->trigger();
    QCOMPARE(samples.SampleCount(), 0);
    QCOMPARE(samples.BadLineCount(), 0);

    // Start-up reads them too; one that cannot be read is said.
    WriteAll(dir.filePath("m.tests"), "ta\t1#\n");
    w->Files().LoadAtStartup("m", dir.filePath("m.mod"));
    QCOMPARE(samples.SampleCount(), 1);
    QVERIFY(QDir(dir.path()).mkdir("other.tests"));
    const size_t calls = w.prompter.calls.size();
    w.prompter.AnswerFile(dir.filePath("other.mod"));
    w->mnuFOpen->trigger();
    QCOMPARE(samples.SampleCount(), 0);
    QCOMPARE(w.prompter.calls.size(), calls + 2);  // the dialog and the message
    QVERIFY(w.prompter.calls.back().text.endsWith("The mode's samples are not shown."));
}

QTEST_MAIN(TestPreviewPane)
#include "test_preview_pane.moc"
