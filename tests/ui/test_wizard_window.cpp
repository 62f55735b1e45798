// The wizard window as a user meets it from the main window: its pages,
// Create Mode into the open mode, Cancel, and its template dialogs.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <set>

#include "test_mainwindow_kit.h"
#include "wizard/ModeTemplate.h"
#include "wizard/WizardWindow.h"

using namespace vel;
using namespace vel::test;

namespace {

// Lets a closed wizard go, as the event loop would.
void Flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

frmModeWizard* OpenWizard(ShownWindow& w) {
    Flush();
    w->ShowWizard();
    auto* wizard = w->findChild<frmModeWizard*>();
    if (!QTest::qWaitFor([&] { return wizard && QApplication::activeWindow() == wizard; }))
        qWarning("wizard not active");
    return wizard;
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const std::string& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), qint64(bytes.size()));
}

void ToPage(frmModeWizard* z, int page) {
    while (z->CurrentPage() < page) z->NextPage();
}

// A check box takes a click on its box or caption, not on the empty rest of its row.
void ClickBox(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); }

}  // namespace

class TestWizardWindow : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString File(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

private slots:
    void opensEmptyOnPageZeroAndWalksTheEnds();
    void cancelChangesNothingAndForgets_data();
    void cancelChangesNothingAndForgets();
    void createModeAddsOneRunAboveTheCurrentRow_data();
    void createModeAddsOneRunAboveTheCurrentRow();
    void unavailableFieldsUnreachableButKept();
    void greyedBoxClicksBetweenOffAndOn();
    void templateRoundTripWithDialogSettings();
    void templateErrorKeepsWhatWasRead_data();
    void templateErrorKeepsWhatWasRead();
    void wizardCommandBringsTheSameWindowForward();
    void templateFolderFallsBackToModesFolder();
};

void TestWizardWindow::opensEmptyOnPageZeroAndWalksTheEnds() {
    ShownWindow w;
    frmModeWizard* z = OpenWizard(w);
    QVERIFY(z);
    QCOMPARE(z->windowTitle(), QStringLiteral("Mode Zazov"));
    QVERIFY(!z->isModal());
    QCOMPARE(z->txtExplanation->toPlainText(),
             WizardExplanation().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    QVERIFY(z->txtExplanation->isReadOnly());
    QCOMPARE(z->Fields(), WizardFields{});
    QCOMPARE(QApplication::focusWidget(), z->txtRoman[0]);
    QVERIFY(z->cmdCreateMode->isDefault());

    auto atPage = [&](int page) {
        QCOMPARE(z->CurrentPage(), page);
        QCOMPARE(z->pages->currentWidget(), z->fraWizard[size_t(page)]);
        QCOMPARE(z->cmdPrevious->isEnabled(), page > 0);
        QCOMPARE(z->cmdNext->isEnabled(), page < 4);
    };
    // Four Next by mouse, then four Previous by access key (the focus follows
    // into each page); each end switches its button off.
    atPage(0);
    for (int page = 1; page <= 4; ++page) {
        QTest::mouseClick(z->cmdNext, Qt::LeftButton);
        atPage(page);
    }
    // The disabled Next handed the focus to Previous, not on to Create Mode.
    QCOMPARE(QApplication::focusWidget(), z->cmdPrevious);
    z->txtLongCarrier[0]->setFocus();
    for (int page = 3; page >= 0; --page) {
        QTest::keyClick(z, Qt::Key_P, Qt::AltModifier);
        QTRY_COMPARE(z->CurrentPage(), page);
        atPage(page);
        QVERIFY(z->fraWizard[size_t(page)]->isAncestorOf(QApplication::focusWidget()));
    }
}

void TestWizardWindow::cancelChangesNothingAndForgets_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("Cancel button") << 0;
    QTest::newRow("Escape key") << 1;
}

void TestWizardWindow::cancelChangesNothingAndForgets() {
    QFETCH(int, how);
    ShownWindow w;
    w.LoadLetters("ab");
    QPointer<frmModeWizard> z = OpenWizard(w);
    QTest::keyClicks(z->txtRoman[0], QStringLiteral("t"));
    ToPage(z, 3);
    QTest::mouseClick(z->optTehtaOrder[1], Qt::LeftButton);
    ClickBox(z->chkSCurls);
    if (how == 0)
        QTest::mouseClick(z->cmdCancel, Qt::LeftButton);
    else
        QTest::keyClick(z->txtTehta[0], Qt::Key_Escape);
    Flush();
    QVERIFY(!z);
    QCOMPARE(w.Romans(), std::string("ab"));
    QVERIFY(!w->Model().Document().Changed());

    frmModeWizard* again = OpenWizard(w);
    QCOMPARE(again->Fields(), WizardFields{});
    QCOMPARE(again->CurrentPage(), 0);
}

void TestWizardWindow::createModeAddsOneRunAboveTheCurrentRow_data() {
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("vowelOnTengwa");
    QTest::newRow("following tengwa") << 0 << QStringLiteral("at\tt#\t\t\tt");
    QTest::newRow("preceding tengwa") << 1 << QStringLiteral("a\t#\t\tt\tt");
}

void TestWizardWindow::createModeAddsOneRunAboveTheCurrentRow() {
    QFETCH(int, order);
    QFETCH(QString, vowelOnTengwa);
    ShownWindow w;
    w.LoadLetters("xyz");
    w.SetCursor(2);
    w->txtEditField[3]->setText(QStringLiteral("q"));
    QPointer<frmModeWizard> z = OpenWizard(w);
    QTest::keyClicks(z->txtRoman[17], QStringLiteral("t"));
    for (int i = 0; i < 3; ++i) QTest::mouseClick(z->cmdNext, Qt::LeftButton);
    QTest::keyClicks(z->txtTehta[0], QStringLiteral("a"));
    QTest::mouseClick(z->optTehtaOrder[size_t(order)], Qt::LeftButton);
    ClickBox(z->chkShortCarrier);
    QTest::keyClick(z->txtTehta[0], Qt::Key_Return);  // Enter answers Create Mode
    Flush();
    QVERIFY(!z);

    // The three clauses stand above "y" in the reverse of their making.
    const ModeTable& t = w->Table();
    QCOMPARE(t.RowCount() - 1, 6);
    QCOMPARE(QString::fromStdString(t.RowText(2)), vowelOnTengwa);
    QCOMPARE(t.RowText(3), std::string("a\t`C\t\t\t`"));
    QCOMPARE(t.RowText(4), std::string("t\tt\t\t\tt"));
    QCOMPARE(t.Cell(5, 0), std::string("y"));
    QCOMPARE(w->grdMode->currentIndex().row() + 1, t.CurrentRow());
    QCOMPARE(t.CurrentRow(), 2);
    for (ByteLineEdit* field : w->txtEditField) QVERIFY(field->text().isEmpty());
    // One step of the history: one Undo takes the whole run back.
    QCOMPARE(w->Model().Document().History().UndoName(), std::string("Wizard"));
    w->Model().Undo();
    QCOMPARE(w.Romans(), std::string("xyz"));
}

void TestWizardWindow::unavailableFieldsUnreachableButKept() {
    ShownWindow w;
    frmModeWizard* z = OpenWizard(w);
    ToPage(z, 2);
    // Twice round the page by Tab: field 63 is a stop, 64 to 71 are not; nor does a click reach them.
    z->txtRoman[48]->setFocus();
    std::set<QWidget*> reached;
    for (int i = 0; i < 50; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached.insert(QApplication::focusWidget());
    }
    QVERIFY(reached.count(z->txtRoman[63]));
    QTest::mouseClick(z->txtRoman[64], Qt::LeftButton);
    for (int i = kFirstUnavailableTengwa; i < kTengwaFieldCount; ++i) {
        QVERIFY(!reached.count(z->txtRoman[size_t(i)]));
        QVERIFY(!z->txtRoman[size_t(i)]->hasFocus());
    }
    // A template's texts for them, and a greyed box, come back out unchanged.
    WizardFields kept;
    for (int i = 63; i < kTengwaFieldCount; ++i) kept.txtRoman[size_t(i)] = "hidden " + std::to_string(i);
    kept.chkSCurls = kGreyed;
    WriteAll(File("hidden.mot"), SerializeTemplate(kept));
    w.prompter.AnswerFile(File("hidden.mot"));
    z->LoadTemplateCommand();
    QCOMPARE(z->txtRoman[71]->text(), QStringLiteral("hidden 71"));
    w.prompter.AnswerFile(File("hidden-saved.mot"));
    z->SaveTemplateCommand();
    QCOMPARE(ReadAll(File("hidden-saved.mot")), ReadAll(File("hidden.mot")));
}

void TestWizardWindow::greyedBoxClicksBetweenOffAndOn() {
    ShownWindow w;
    frmModeWizard* z = OpenWizard(w);
    WizardFields fields;
    fields.chkShortCarrier = kGreyed;  // only a template gives it
    z->SetFields(fields);
    ToPage(z, 3);
    for (int expected : {kChecked, kUnchecked, kChecked}) {
        ClickBox(z->chkShortCarrier);
        QCOMPARE(z->Fields().chkShortCarrier, expected);
    }
}

void TestWizardWindow::templateRoundTripWithDialogSettings() {
    ShownWindow w;
    frmModeWizard* z = OpenWizard(w);
    TypeText(z->txtRoman[0], QString::fromUtf8("th é"));
    ToPage(z, 3);
    QTest::keyClicks(z->txtTehta[9], QStringLiteral("u"));
    QTest::mouseClick(z->optTehtaOrder[0], Qt::LeftButton);
    ClickBox(z->chkDoubleTengwar);
    const WizardFields saved = z->Fields();
    w.prompter.AnswerFile(File("round.mot"));
    z->SaveTemplateCommand();
    z->close();

    z = OpenWizard(w);
    z->NextPage();
    w.prompter.AnswerFile(File("round.mot"));
    z->LoadTemplateCommand();
    QCOMPARE(z->Fields(), saved);
    // Tengwa field 0 takes the focus, on its page.
    QCOMPARE(z->CurrentPage(), 0);
    QCOMPARE(QApplication::focusWidget(), z->txtRoman[0]);

    // Both dialogs start in the program's folder, which the test can write.
    QCOMPARE(w.prompter.calls.size(), size_t(2));
    auto dialog = [&](int call, const char* kind, const char* title, const char* filter, const char* suffix) {
        const Prompter::FileDialog& d = w.prompter.calls[size_t(call)].dialog;
        QCOMPARE(w.prompter.calls[size_t(call)].kind, QString::fromLatin1(kind));
        QCOMPARE(d.title, QString::fromLatin1(title));
        QCOMPARE(d.filter, QString::fromLatin1(filter));
        QCOMPARE(d.defaultSuffix, QString::fromLatin1(suffix));
        QCOMPARE(d.confirmOverwrite, call == 0);
        QCOMPARE(d.folder, QCoreApplication::applicationDirPath());
        QVERIFY(d.fileName.isEmpty());
    };
    dialog(0, "save", "Save Mode Template", "Mode templates (*.mot)|*.mot", "mot");
    dialog(1, "open", "Open Mode Template", "Mode templates (*.mot)|*.mot|All files (*.*)|*.*", "");
}

void TestWizardWindow::templateErrorKeepsWhatWasRead_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("errorNumber");
    QTest::addColumn<bool>("tengwaRead");
    QTest::newRow("word for the tehta order") << QStringLiteral("bad.mot") << QStringLiteral("13") << true;
    QTest::newRow("missing file") << QStringLiteral("missing.mot") << QStringLiteral("53") << false;
}

void TestWizardWindow::templateErrorKeepsWhatWasRead() {
    QFETCH(QString, file);
    QFETCH(QString, errorNumber);
    QFETCH(bool, tengwaRead);
    std::string bad;
    for (int i = 0; i < kTengwaFieldCount; ++i) bad += "r" + std::to_string(i) + "\r\n";
    WriteAll(File("bad.mot"), bad + "yes\r\nnew vowel\r\n");
    ShownWindow w;
    frmModeWizard* z = OpenWizard(w);
    z->txtTehta[0]->setText(QStringLiteral("old"));
    w.prompter.AnswerFile(dir_.filePath(file));
    z->LoadTemplateCommand();
    QCOMPARE(w.prompter.Count("tell"), 1);
    const ScriptedPrompter::Call& message = w.prompter.calls.back();
    QCOMPARE(message.title, QStringLiteral("Error!"));
    QCOMPARE(message.icon, Prompter::Icon::Critical);
    QVERIFY2(message.text.endsWith(QStringLiteral(" (Error #%1)").arg(errorNumber)), qPrintable(message.text));
    QCOMPARE(z->txtRoman[71]->text(), tengwaRead ? QStringLiteral("r71") : QString());
    QCOMPARE(z->txtTehta[0]->text(), QStringLiteral("old"));

    // Cancel in either dialog does nothing and says nothing. The closing
    // dialog gives the main window the activation; the wizard takes it back.
    const WizardFields before = z->Fields();
    z->NextPage();
    for (bool load : {true, false}) {
        w->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), w.w.get());
        w.prompter.AnswerFile(std::nullopt);
        load ? z->LoadTemplateCommand() : z->SaveTemplateCommand();
        QTRY_COMPARE(QApplication::activeWindow(), z);
    }
    QCOMPARE(z->Fields(), before);
    QCOMPARE(z->CurrentPage(), 1);
    QCOMPARE(w.prompter.Count("tell"), 1);
}

void TestWizardWindow::wizardCommandBringsTheSameWindowForward() {
    ShownWindow w;
    QTest::keyClick(w.w.get(), Qt::Key_W, Qt::ControlModifier);
    QPointer<frmModeWizard> z = w->findChild<frmModeWizard*>();
    QVERIFY(z);
    QTRY_COMPARE(QApplication::activeWindow(), z.data());
    QTest::keyClicks(z->txtRoman[3], QStringLiteral("k"));
    z->NextPage();

    w->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), w.w.get());
    QTest::keyClick(w.w.get(), Qt::Key_W, Qt::ControlModifier);
    QTRY_COMPARE(QApplication::activeWindow(), z.data());
    w->ToolbarButton("Wizard")->trigger();
    QCOMPARE(w->findChildren<frmModeWizard*>().size(), qsizetype(1));
    QCOMPARE(z->txtRoman[3]->text(), QStringLiteral("k"));
    QCOMPARE(z->CurrentPage(), 1);
    QCOMPARE(z->parentWidget(), w.w.get());
}

void TestWizardWindow::templateFolderFallsBackToModesFolder() {
    const QString modes = QStringLiteral("/modes");
    QCOMPARE(TemplateDialogFolder(dir_.path(), modes), dir_.path());
    QCOMPARE(TemplateDialogFolder(dir_.filePath(QStringLiteral("no such folder")), modes), modes);
    QCOMPARE(TemplateDialogFolder(File("bad.mot"), modes), modes);  // a file is no folder
    QVERIFY(QDir(dir_.path()).entryList(QDir::Hidden | QDir::Files).filter(QStringLiteral(".velloran")).isEmpty());
}

QTEST_MAIN(TestWizardWindow)
#include "test_wizard_window.moc"
