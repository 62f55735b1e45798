// Mode templates: the 97 lines, what a load takes from short, long and bad
// files, and velloran-mode's generate and template-check over them.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "mode/ModeFile.h"
#include "wizard/ModeTemplate.h"
#include "wizard/WizardGenerate.h"

using namespace vel;

namespace {

std::string Lines(const std::vector<std::string>& lines, const char* end = "\r\n") {
    std::string out;
    for (const std::string& l : lines) out += l + end;
    return out;
}

std::vector<std::string> EmptyTemplateLines() {
    std::vector<std::string> l(97);
    l[72] = "False";
    l[83] = l[84] = l[85] = l[96] = "0";
    return l;
}

WizardFields Filled() {
    WizardFields f;
    for (int i = 0; i < kTengwaFieldCount; ++i) f.txtRoman[size_t(i)] = "old" + std::to_string(i);
    f.txtTehta.fill("oldT");
    f.txtLongCarrier.fill("oldL");
    f.optTehtaOrder = TehtaOrder::None;
    f.chkShortCarrier = f.chkLongCarrier = f.chkSCurls = f.chkDoubleTengwar = kGreyed;
    return f;
}

struct Run {
    int exitCode = -1;
    QByteArray out, err;
};

Run Tool(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(VELLORAN_TOOL_PATH), args);
    p.waitForFinished(30000);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

}  // namespace

class TestWizardTemplate : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::string Path(const char* name) { return (dir_.path() + "/" + name).toStdString(); }

private slots:
    void emptyWizardSavesThe97Lines() {
        const std::string path = Path("empty.mot");
        QVERIFY(SaveTemplate(path, WizardFields()).ok());
        std::string bytes, error;
        QVERIFY(ReadFileBytes(path, bytes, error));
        QCOMPARE(bytes, Lines(EmptyTemplateLines()));

        // "False" comes back as the preceding tengwa.
        WizardFields loaded;
        QVERIFY(LoadTemplate(path, loaded).ok());
        WizardFields expected;
        expected.optTehtaOrder = TehtaOrder::Preceding;
        QCOMPARE(loaded, expected);
    }

    void everyFieldSurvivesARoundTrip() {
        WizardFields f;
        for (int i = 0; i < kTengwaFieldCount; ++i) f.txtRoman[size_t(i)] = "t " + std::to_string(i);
        f.txtRoman[3] = "\xE9\xFF\x80 a\tb";  // 8-bit bytes, a space and a TAB
        f.txtRoman[71] = "hidden";           // an unavailable field is kept too
        f.txtTehta[9] = "  ";
        f.txtLongCarrier[0] = "\xC6";
        f.optTehtaOrder = TehtaOrder::Following;
        f.chkShortCarrier = 1;
        f.chkDoubleTengwar = 2;
        f.chkLongCarrier = 1;
        const std::string path = Path("full.mot");
        QVERIFY(SaveTemplate(path, f).ok());
        WizardFields back;
        QVERIFY(LoadTemplate(path, back).ok());
        QCOMPARE(back, f);
    }

    void shortLongAndLfOnlyFiles() {
        // An empty file changes nothing.
        WizardFields f = Filled();
        TemplateRead r = ReadTemplate("", f);
        QVERIFY(r.result.ok());
        QCOMPARE(r.linesRead, 0);
        QCOMPARE(f, Filled());

        // 72 lines: the tengwa fields only. The last line needs no line end.
        std::vector<std::string> lines(72, "x");
        std::string bytes = Lines(lines);
        bytes.resize(bytes.size() - 2);
        f = Filled();
        r = ReadTemplate(bytes, f);
        QVERIFY(r.result.ok());
        QCOMPARE(r.linesRead, 72);
        WizardFields expected = Filled();
        expected.txtRoman.fill("x");
        QCOMPARE(f, expected);

        // Stopping inside the check lines: 84 read, 85 on untouched.
        lines = EmptyTemplateLines();
        lines[72] = "True";
        lines[83] = "1";
        lines.resize(84);
        f = Filled();
        r = ReadTemplate(Lines(lines, "\n"), f);  // LF alone
        QCOMPARE(r.linesRead, 84);
        QCOMPARE(f.txtRoman[0], std::string());
        QCOMPARE(f.optTehtaOrder, TehtaOrder::Following);
        QCOMPARE(f.chkShortCarrier, 1);
        QCOMPARE(f.chkDoubleTengwar, kGreyed);
        QCOMPARE(f.txtLongCarrier[0], std::string("oldL"));

        // Lines after 97 are never read, not even a bad one.
        lines = EmptyTemplateLines();
        lines.push_back("not a number");
        lines.push_back("x");
        f = Filled();
        r = ReadTemplate(Lines(lines), f);
        QVERIFY(r.result.ok());
        QCOMPARE(r.linesInFile, 99);
        QCOMPARE(r.linesRead, 97);
        QCOMPARE(f.chkLongCarrier, 0);
    }

    void tehtaOrderLine_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("order");  // -2: the load fails there
        const int following = int(TehtaOrder::Following), preceding = int(TehtaOrder::Preceding);
        QTest::newRow("True") << "True" << following;
        QTest::newRow("False") << "False" << preceding;
        QTest::newRow("any case, spaces") << " tRUE " << following;
        QTest::newRow("1") << "1" << following;
        QTest::newRow("0") << "0" << preceding;
        QTest::newRow("-1") << "-1" << following;
        QTest::newRow("0.0") << "0.0" << preceding;
        QTest::newRow("0.25") << "0.25" << following;
        QTest::newRow("yes") << "yes" << -2;
        QTest::newRow("empty") << "" << -2;
    }
    void tehtaOrderLine() {
        QFETCH(QString, line);
        QFETCH(int, order);
        std::vector<std::string> lines(72, "n");
        lines.push_back(line.toStdString());
        lines.push_back("a");
        WizardFields f = Filled();
        const TemplateRead r = ReadTemplate(Lines(lines), f);
        QCOMPARE(f.txtRoman[71], std::string("n"));
        if (order == -2) {
            QCOMPARE(r.result.code, int(kTplNotAValue));
            QCOMPARE(r.failedLine, 73);
            QCOMPARE(r.linesRead, 72);
            QVERIFY(r.result.Message().ends_with(" (Error #13)"));
            QCOMPARE(f.optTehtaOrder, TehtaOrder::None);
            QCOMPARE(f.txtTehta[0], std::string("oldT"));
        } else {
            QVERIFY(r.result.ok());
            QCOMPARE(int(f.optTehtaOrder), order);
            QCOMPARE(f.txtTehta[0], std::string("a"));
        }
    }

    void checkLines_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("value");  // negative: the error number
        QTest::newRow("0") << "0" << 0;
        QTest::newRow("2") << "2" << 2;
        QTest::newRow("2.4") << "2.4" << 2;
        QTest::newRow("half to even, 0.5") << "0.5" << 0;
        QTest::newRow("half to even, 1.5") << "1.5" << 2;
        QTest::newRow("half to even, 2.5") << "2.5" << 2;
        QTest::newRow("-0.4") << "-0.4" << 0;
        QTest::newRow("3") << "3" << -int(kTplBadCheckValue);
        QTest::newRow("2.6") << "2.6" << -int(kTplBadCheckValue);
        QTest::newRow("huge") << "1e999" << -int(kTplBadCheckValue);
        QTest::newRow("True") << "True" << -int(kTplNotAValue);
        QTest::newRow("empty") << "" << -int(kTplNotAValue);
        QTest::newRow("comma") << "1,0" << -int(kTplNotAValue);
    }
    void checkLines() {
        QFETCH(QString, line);
        QFETCH(int, value);
        // The under-bar line (85) carries the value; 84 before it is good.
        std::vector<std::string> lines = EmptyTemplateLines();
        lines[83] = "1";
        lines[84] = line.toStdString();
        WizardFields f = Filled();
        const TemplateRead r = ReadTemplate(Lines(lines), f);
        QCOMPARE(f.chkShortCarrier, 1);
        if (value < 0) {
            QCOMPARE(r.result.code, -value);
            QCOMPARE(r.failedLine, 85);
            QCOMPARE(f.chkDoubleTengwar, kGreyed);
            QCOMPARE(f.chkSCurls, kGreyed);
        } else {
            QVERIFY(r.result.ok());
            QCOMPARE(f.chkDoubleTengwar, value);
            QCOMPARE(f.chkSCurls, 0);
        }
    }

    void fileErrorsAndRefusedSaves() {
        WizardFields f = Filled();
        TemplateResult r = LoadTemplate(Path("missing.mot"), f);
        QCOMPARE(r.code, int(kTplFileNotFound));
        QCOMPARE(f, Filled());

        // A line break in a text would shift every later line on loading.
        const std::string path = Path("refused.mot");
        f = WizardFields();
        f.txtTehta[2] = "a\nb";
        r = SaveTemplate(path, f);
        QCOMPARE(r.code, int(kTplCannotSave));
        QVERIFY(!QFile::exists(QString::fromStdString(path)));
        f.txtTehta[2] = "a\rb";
        QCOMPARE(SaveTemplate(path, f).code, int(kTplCannotSave));
        f.txtTehta[2].clear();
        f.chkSCurls = 3;
        QCOMPARE(SaveTemplate(path, f).code, int(kTplCannotSave));

        // A failed write leaves the old file whole.
        f.chkSCurls = 1;
        QVERIFY(SaveTemplate(path, f).ok());
        QCOMPARE(SaveTemplate(Path("no/such/folder.mot"), f).code, int(kTplFileAccess));
        WizardFields back;
        QVERIFY(LoadTemplate(path, back).ok());
        QCOMPARE(back.chkSCurls, 1);
    }

    void toolGeneratesTheWizardsMode() {
        WizardFields f;
        f.txtRoman[0] = "p";
        f.txtRoman[17] = "t";
        f.txtTehta[0] = "a";
        f.optTehtaOrder = TehtaOrder::Following;
        f.chkShortCarrier = kChecked;
        const std::string tpl = Path("t.mot"), mod = Path("t.mod");
        QVERIFY(SaveTemplate(tpl, f).ok());

        Run run = Tool({"generate", QString::fromStdString(tpl), "-o", QString::fromStdString(mod), "--comment", "Demo",
                         "--case-sensitive"});
        QCOMPARE(run.exitCode, 0);
        ModeDocument doc;
        QCOMPARE(LoadMode(doc, mod).code, kModeOk);
        QCOMPARE(doc.table.Comment(), std::string("Demo"));
        QVERIFY(doc.table.CaseSensitive());
        ModeDocument expected;
        CreateMode(expected, f);
        expected.table.SetRowCount(expected.table.RowCount() - 1);  // the empty row is not saved
        QCOMPARE(doc.table.Clauses(), expected.table.Clauses());
        QCOMPARE(doc.table.RowText(5), std::string("p\t1\t\t\t1"));

        run = Tool({"generate", QString::fromStdString(tpl), "-o", QString::fromStdString(mod), "--optimize"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(LoadMode(doc, mod).code, kModeOk);
        QCOMPARE(doc.table.RowText(1), std::string("ap\t1E\t\t\t1"));
        QCOMPARE(doc.table.RowText(2), std::string("at\t\x74\x23\t\t\t\x74"));
        QCOMPARE(doc.table.RowText(5), std::string("t\t\x74\t\t\t\x74"));

        // A template that stops with an error makes no mode.
        std::vector<std::string> lines(72);
        lines.push_back("maybe");
        QFile bad(QString::fromStdString(Path("bad.mot")));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write(QByteArray::fromStdString(Lines(lines)));
        bad.close();
        run = Tool({"generate", bad.fileName(), "-o", QString::fromStdString(Path("bad.mod"))});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains("(Error #13)"));
        QVERIFY(!QFile::exists(QString::fromStdString(Path("bad.mod"))));
        QCOMPARE(Tool({"generate", QString::fromStdString(tpl)}).exitCode, 2);

        run = Tool({"template-check", bad.fileName()});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.contains("Load stops at line 73"));
        run = Tool({"template-check", QString::fromStdString(tpl)});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains("The template loads whole."));
        QVERIFY(run.out.contains("Clauses Create Mode would add to a new mode: 5"));
    }
};

QTEST_GUILESS_MAIN(TestWizardTemplate)
#include "test_wizard_template.moc"
