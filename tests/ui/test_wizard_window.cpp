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

#include "dialogs/FontTags.h"
#include "mode/ByteCodec.h"
#include "test_mainwindow_kit.h"
#include "wizard/GlyphTables.h"
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

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A check box takes a click on its box or caption, not on the empty rest of its row.
void ClickBox(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); }

QByteArray Lines(const QStringList& lines) { return lines.join(QStringLiteral("\r\n")).toLatin1() + "\r\n"; }

}  // namespace

class TestWizardWindow : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString File(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

private slots:
    void opensEmptyOnPageZeroAndWalksTheEnds();
    void glyphLabelsShowTheTablesUnclipped();
    void fieldsTakeBytesWithoutALimit();
    void cancelChangesNothingAndForgets_data();
    void cancelChangesNothingAndForgets();
    void createModeAddsOneRunAboveTheCurrentRow_data();
    void createModeAddsOneRunAboveTheCurrentRow();
    void unavailableFieldsUnreachableButKept();
    void greyedBoxFromTemplateClicksToOn();
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

void TestWizardWindow::glyphLabelsShowTheTablesUnclipped() {
    ShownWindow w;
    frmModeWizard* z = OpenWizard(w);
    auto check = [&](QLabel* label, const std::string& glyphs) {
        QCOMPARE(label->text(), BytesToQString(glyphs));
        QCOMPARE(label->property(kFontTagProperty).toString(), QStringLiteral("tengwar"));
        const QRect ink = label->fontMetrics().boundingRect(label->text());
        QVERIFY2(ink.width() <= label->contentsRect().width() && label->fontMetrics().height() <= label->height(),
                 qPrintable(label->objectName()));
    };
    for (int page = 0; page < kWizardPageCount; ++page) {
        if (page > 0) z->NextPage();
        for (int i = 0; i < kTengwaFieldCount; ++i)
            if (kTengwaTable[size_t(i)].page == page) check(z->lblTengwa[size_t(i)], TengwaLabel(i));
        for (int j = 0; j < kTehtaFieldCount && page == 3; ++j) check(z->lblTehta[size_t(j)], TehtaLabel(j));
        for (int j = 0; j < kTehtaFieldCount && page == 4; ++j)
            check(z->lblLongCarrier[size_t(j)], LongCarrierLabel(j));
    }
    // Everything else takes the Roman font.
    QCOMPARE(z->txtRoman[5]->property(kFontTagProperty).toString(), QStringLiteral("text"));
    QCOMPARE(z->chkSCurls->property(kFontTagProperty).toString(), QStringLiteral("text"));
}

void TestWizardWindow::fieldsTakeBytesWithoutALimit() {
    ShownWindow w;
    frmModeWizard* z = OpenWizard(w);
    ByteLineEdit* field = z->txtRoman[0];
    Clipboard()->setText(QString::fromUtf8("a\tb\r\nc\u0416"));
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(field->text(), QStringLiteral("abc?"));
    const QString longText(40, QLatin1Char('x'));
    field->selectAll();
    QTest::keyClicks(field, longText);
    QCOMPARE(field->text(), longText);
}

void TestWizardWindow::cancelChangesNothingAndForgets_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("Cancel button") << 0;
    QTest::newRow("Escape key") << 1;
    QTest::newRow("close box") << 2;
}

void TestWizardWindow::cancelChangesNothingAndForgets() {
    QFETCH(int, how);
    ShownWindow w;
    w.LoadLetters("ab");
    QPointer<frmModeWizard> z = OpenWizard(w);
    QTest::keyClicks(z->txtRoman[0], QStringLiteral("t"));
    z->NextPage();
    z->NextPage();
    z->NextPage();
    QTest::mouseClick(z->optTehtaOrder[1], Qt::LeftButton);
    ClickBox(z->chkSCurls);
    if (how == 0) QTest::mouseClick(z->cmdCancel, Qt::LeftButton);
    if (how == 1) QTest::keyClick(z->txtTehta[0], Qt::Key_Escape);
    if (how == 2) z->close();
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
    w->txtEditField[0]->setText(QStringLiteral("q"));
    w->txtEditField[1]->setText(QStringLiteral("Q"));
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
    QCOMPARE(t.RowText(1), std::string("x\tX\t\t\t"));
    QCOMPARE(QString::fromStdString(t.RowText(2)), vowelOnTengwa);
    QCOMPARE(t.RowText(3), std::string("a\t`C\t\t\t`"));
    QCOMPARE(t.RowText(4), std::string("t\tt\t\t\tt"));
    QCOMPARE(t.RowText(5), std::string("y\tY\t\t\t"));
    QCOMPARE(t.CurrentRow(), 2);
    QCOMPARE(w->grdMode->currentIndex().row(), 1);
    QCOMPARE(w.Status("SelectedRow"), QStringLiteral("#2"));
    for (ByteLineEdit* field : w->txtEditField) QVERIFY(field->text().isEmpty());
    // One step of the history: one Undo takes the whole run back.
    QCOMPARE(w->Model().Document().History().UndoName(), std::string("Wizard"));
    w->Model().Undo();
    QCOMPARE(w.Romans(), std::string("xyz"));
}

void TestWizardWindow::unavailableFieldsUnreachableButKept() {
    ShownWindow w;
    frmModeWizard* z = OpenWizard(w);
    z->NextPage();
    z->NextPage();
    // Tab twice round the page: field 63 is a stop, 64 to 71 are not; a click does not reach them either.
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

    // A template's texts for them come back out of the window unchanged.
    QStringList lines;
    for (int i = 0; i < kTengwaFieldCount; ++i) lines << (i >= 63 ? QStringLiteral("hidden %1").arg(i) : QString());
    lines << QStringLiteral("False");
    for (int j = 0; j < 10; ++j) lines << QString();
    lines << QStringLiteral("0") << QStringLiteral("0") << QStringLiteral("0");
    for (int j = 0; j < 10; ++j) lines << QString();
    lines << QStringLiteral("0");
    WriteAll(File("hidden.mot"), Lines(lines));
    w.prompter.AnswerFile(File("hidden.mot"));
    z->LoadTemplateCommand();
    QCOMPARE(z->txtRoman[71]->text(), QStringLiteral("hidden 71"));
    w.prompter.AnswerFile(File("hidden-saved.mot"));
    z->SaveTemplateCommand();
    QCOMPARE(ReadAll(File("hidden-saved.mot")), ReadAll(File("hidden.mot")));
}

void TestWizardWindow::greyedBoxFromTemplateClicksToOn() {
    ShownWindow w;
    frmModeWizard* z = OpenWizard(w);
    WizardFields fields;
    fields.chkShortCarrier = kGreyed;
    z->SetFields(fields);
    QCOMPARE(z->Fields().chkShortCarrier, kGreyed);
    z->NextPage();
    z->NextPage();
    z->NextPage();
    // The user's clicks go between off and on only.
    ClickBox(z->chkShortCarrier);
    QCOMPARE(z->Fields().chkShortCarrier, kChecked);
    ClickBox(z->chkShortCarrier);
    ClickBox(z->chkShortCarrier);
    QCOMPARE(z->Fields().chkShortCarrier, kChecked);
}

void TestWizardWindow::templateRoundTripWithDialogSettings() {
    ShownWindow w;
    frmModeWizard* z = OpenWizard(w);
    TypeText(z->txtRoman[0], QString::fromUtf8("th é"));
    z->NextPage();
    z->NextPage();
    z->NextPage();
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
    QCOMPARE(z->txtRoman[0]->text(), QString::fromUtf8("th é"));
    // Tengwa field 0 takes the focus, on its page.
    QCOMPARE(z->CurrentPage(), 0);
    QCOMPARE(QApplication::focusWidget(), z->txtRoman[0]);

    QCOMPARE(w.prompter.calls.size(), size_t(2));
    const Prompter::FileDialog& save = w.prompter.calls[0].dialog;
    QCOMPARE(w.prompter.calls[0].kind, QStringLiteral("save"));
    QCOMPARE(save.title, QStringLiteral("Save Mode Template"));
    QCOMPARE(save.filter, QStringLiteral("Mode templates (*.mot)|*.mot"));
    QCOMPARE(save.defaultSuffix, QStringLiteral("mot"));
    QVERIFY(save.confirmOverwrite);
    QVERIFY(save.fileName.isEmpty());
    QCOMPARE(save.folder, QCoreApplication::applicationDirPath());
    const Prompter::FileDialog& open = w.prompter.calls[1].dialog;
    QCOMPARE(w.prompter.calls[1].kind, QStringLiteral("open"));
    QCOMPARE(open.title, QStringLiteral("Open Mode Template"));
    QCOMPARE(open.filter, QStringLiteral("Mode templates (*.mot)|*.mot|All files (*.*)|*.*"));
    QVERIFY(open.defaultSuffix.isEmpty());
    QCOMPARE(open.folder, QCoreApplication::applicationDirPath());
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
    QStringList lines;
    for (int i = 0; i < kTengwaFieldCount; ++i) lines << QStringLiteral("r%1").arg(i);
    lines << QStringLiteral("yes") << QStringLiteral("new vowel");
    WriteAll(File("bad.mot"), Lines(lines));
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
    QCOMPARE(z->Fields().optTehtaOrder, TehtaOrder::None);

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
