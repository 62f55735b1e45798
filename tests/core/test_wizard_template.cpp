// Mode templates: the 97 lines, what a load takes from short, long and bad
// files, and velloran-mode's generate and template-check over them.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "ToolRun.h"
#include "mode/FileIO.h"
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

}  // namespace

using vel::test::Run;
using vel::test::Tool;

class TestWizardTemplate : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::string Path(const char* name) { return (dir_.path() + "/" + name).toStdString(); }

private slots:
    void savesThe97LinesAndLoadsEveryFieldBack() {
        const std::string path = Path("empty.mot");
        QVERIFY(SaveTemplate(path, WizardFields()).ok());
        std::string bytes, error;
        QVERIFY(ReadFileBytes(path, bytes, error));
        QCOMPARE(bytes, Lines(EmptyTemplateLines()));
        // "False" comes back as the preceding tengwa.
        WizardFields back, expected;
        QVERIFY(LoadTemplate(path, back).ok());
        expected.optTehtaOrder = TehtaOrder::Preceding;
        QCOMPARE(back, expected);

        WizardFields f;
        for (int i = 0; i < kTengwaFieldCount; ++i) f.txtRoman[size_t(i)] = "t " + std::to_string(i);
        f.txtRoman[3] = "\xE9\xFF\x80 a\tb";  // 8-bit bytes, a space and a TAB
        f.txtRoman[71] = "hidden";            // an unavailable field is kept too
        f.txtTehta[9] = "  ";
        f.txtLongCarrier[0] = "\xC6";
        f.optTehtaOrder = TehtaOrder::Following;
        f.chkShortCarrier = f.chkLongCarrier = 1;
        f.chkDoubleTengwar = 2;
        QVERIFY(SaveTemplate(path, f).ok());
        QVERIFY(LoadTemplate(path, back).ok());
        QCOMPARE(back, f);
    }

    void shortLongAndLfOnlyFiles() {
        // An empty file changes nothing.
        WizardFields f = Filled();
        TemplateRead r = ReadTemplate("", f);
        QVERIFY(r.result.ok() && r.linesRead == 0);
        QCOMPARE(f, Filled());

        // Stopping inside the check lines, with LF alone and no end on the
        // last line: 84 read, 85 on untouched.
        std::vector<std::string> lines = EmptyTemplateLines();
        std::fill_n(lines.begin(), 72, "x");
        lines[72] = "True";
        lines[83] = "1";
        lines.resize(84);
        std::string bytes = Lines(lines, "\n");
        bytes.pop_back();
        r = ReadTemplate(bytes, f);
        QVERIFY(r.result.ok() && r.linesRead == 84);
        WizardFields expected = Filled();
        expected.txtRoman.fill("x");
        expected.optTehtaOrder = TehtaOrder::Following;
        expected.txtTehta.fill("");
        expected.chkShortCarrier = 1;
        QCOMPARE(f, expected);

        // Lines after 97 are never read, not even a bad one.
        lines = EmptyTemplateLines();
        lines.push_back("not a number");
        f = Filled();
        r = ReadTemplate(Lines(lines), f);
        QVERIFY(r.result.ok() && r.linesRead == 97);
        QCOMPARE(r.linesInFile, int64_t(98));
        QCOMPARE(f.chkLongCarrier, 0);
    }

    // One value line in a whole template: the value it sets, or the error
    // that stops the load there and leaves that field and the later ones alone.
    void valueLines_data() {
        QTest::addColumn<int>("lineNo");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");  // negative: the error number
        const int following = int(TehtaOrder::Following), preceding = int(TehtaOrder::Preceding);
        QTest::newRow("order: any case, spaces") << 73 << " tRUE " << following;
        QTest::newRow("order: False") << 73 << "False" << preceding;
        QTest::newRow("order: 0.0") << 73 << "0.0" << preceding;
        QTest::newRow("order: 0.25 is not rounded") << 73 << "0.25" << following;
        QTest::newRow("order: yes") << 73 << "yes" << -int(kTplNotAValue);
        QTest::newRow("order: empty") << 73 << "" << -int(kTplNotAValue);
        QTest::newRow("check: 2.4") << 85 << "2.4" << 2;
        QTest::newRow("check: half to even, 0.5") << 85 << "0.5" << 0;
        QTest::newRow("check: half to even, 1.5") << 85 << "1.5" << 2;
        QTest::newRow("check: -0.4") << 85 << "-0.4" << 0;
        QTest::newRow("check: 2.6") << 85 << "2.6" << -int(kTplBadCheckValue);
        QTest::newRow("check: huge") << 85 << "1e999" << -int(kTplBadCheckValue);
        QTest::newRow("check: True") << 85 << "True" << -int(kTplNotAValue);
        QTest::newRow("check: comma") << 85 << "1,0" << -int(kTplNotAValue);
    }
    void valueLines() {
        QFETCH(int, lineNo);
        QFETCH(QString, text);
        QFETCH(int, value);
        std::vector<std::string> lines = EmptyTemplateLines();
        lines[71] = "n";
        lines[size_t(lineNo - 1)] = text.toStdString();
        WizardFields f = Filled();
        const TemplateRead r = ReadTemplate(Lines(lines), f);
        QCOMPARE(f.txtRoman[71], std::string("n"));
        const int got = lineNo == 73 ? int(f.optTehtaOrder) : f.chkDoubleTengwar;
        if (value < 0) {
            QCOMPARE(r.result.code, -value);
            QCOMPARE(r.failedLine, lineNo);
            QVERIFY(r.result.Message().ends_with(" (Error #" + std::to_string(-value) + ")"));
            QCOMPARE(got, lineNo == 73 ? int(TehtaOrder::None) : kGreyed);
            QCOMPARE(f.chkLongCarrier, kGreyed);
        } else {
            QVERIFY(r.result.ok());
            QCOMPARE(got, value);
            QCOMPARE(f.chkLongCarrier, 0);
        }
    }

    // CR LF, LF and a lone CR each end a line, so a CR never reaches a
    // field (and from there the clauses the wizard makes).
    void lineEnds_data() {
        QTest::addColumn<QByteArray>("end");
        QTest::newRow("CR LF") << QByteArray("\r\n");
        QTest::newRow("LF") << QByteArray("\n");
        QTest::newRow("lone CR") << QByteArray("\r");
    }
    void lineEnds() {
        QFETCH(QByteArray, end);
        std::vector<std::string> lines = EmptyTemplateLines();
        lines[0] = "p";
        lines[1] = "";
        lines[2] = "t";
        lines[72] = "True";
        lines[96] = "1";
        WizardFields f;
        const TemplateRead r = ReadTemplate(Lines(lines, end.constData()), f);
        QVERIFY(r.result.ok());
        QCOMPARE(r.linesRead, 97);
        QCOMPARE(r.linesInFile, int64_t(97));
        QCOMPARE(f.txtRoman[0], std::string("p"));
        QCOMPARE(f.txtRoman[1], std::string());
        QCOMPARE(f.txtRoman[2], std::string("t"));
        QCOMPARE(f.optTehtaOrder, TehtaOrder::Following);
        QCOMPARE(f.chkLongCarrier, 1);

        WizardFields mixed;
        QVERIFY(ReadTemplate("a\rb\r\nc\nd", mixed).result.ok());
        QCOMPARE(mixed.txtRoman[1], std::string("b"));
        QCOMPARE(mixed.txtRoman[3], std::string("d"));
    }

    void badLinesAreQuotedEscapedAndLongOnesRefused() {
        std::vector<std::string> lines(72);
        lines.push_back("yes\x1B[31mRED");
        WizardFields f;
        TemplateRead r = ReadTemplate(Lines(lines), f);
        QCOMPARE(r.result.code, int(kTplNotAValue));
        QVERIFY2(r.result.description.find("reads \"yes\\x1B[31mRED\"") != std::string::npos,
                 r.result.description.c_str());
        QVERIFY(r.result.description.find('\x1B') == std::string::npos);

        lines = {std::string(kTemplateLineLimit, 'a'), std::string(kTemplateLineLimit + 1, 'b')};
        r = ReadTemplate(Lines(lines), f);
        QCOMPARE(r.result.code, int(kTplLineTooLong));
        QCOMPARE(r.failedLine, 2);
        QCOMPARE(f.txtRoman[0].size(), kTemplateLineLimit);
        QCOMPARE(f.txtRoman[1], std::string());

        // What cannot be read back is not saved.
        WizardFields big;
        big.txtLongCarrier[4] = std::string(kTemplateLineLimit + 1, 'x');
        QCOMPARE(CheckTemplate(big).code, int(kTplCannotSave));
        QCOMPARE(SaveTemplate(Path("big.mot"), big).code, int(kTplCannotSave));
    }

    // Only what 97 lines can hold is read from a file, whatever its size.
    void filesAreReadOnlyAsFarAsNeeded() {
        const std::string tail = Path("tail.mot");
        {
            std::ofstream out(tail, std::ios::binary);
            out << Lines(EmptyTemplateLines(), "\r");
            for (int i = 0; i < 1000; ++i) out << std::string(999, 'z') << '\n';
        }
        WizardFields f;
        TemplateRead r = ReadTemplateFile(tail, f, true);
        QVERIFY(r.result.ok());
        QCOMPARE(r.linesRead, 97);
        QCOMPARE(r.linesInFile, int64_t(1097));

        const std::string sparse = Path("sparse.mot");
        { std::ofstream out(sparse, std::ios::binary); }
        std::error_code ec;
        std::filesystem::resize_file(sparse, uint64_t(4) << 30, ec);
        if (ec) QSKIP("no sparse files here");
        r = ReadTemplateFile(sparse, f);
        QCOMPARE(r.result.code, int(kTplLineTooLong));
        QCOMPARE(r.failedLine, 1);
        std::filesystem::remove(sparse);
        QCOMPARE(LoadTemplate("/dev/zero", f).code, int(kTplFileAccess));
    }

    void fileErrorsAndRefusedSaves() {
        WizardFields f = Filled();
        QCOMPARE(LoadTemplate(Path("missing.mot"), f).code, int(kTplFileNotFound));
        QCOMPARE(f, Filled());

        // A line break in a text would shift every later line on loading.
        const std::string path = Path("refused.mot");
        f = WizardFields();
        for (const char* text : {"a\nb", "a\rb"}) {
            f.txtTehta[2] = text;
            QCOMPARE(SaveTemplate(path, f).code, int(kTplCannotSave));
            QVERIFY(!QFile::exists(QString::fromStdString(path)));
        }
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
        const QString tpl = QString::fromStdString(Path("t.mot")), mod = QString::fromStdString(Path("t.mod"));
        QVERIFY(SaveTemplate(tpl.toStdString(), f).ok());

        QCOMPARE(Tool({"generate", tpl, "-o", mod, "--comment", "Demo", "--case-sensitive"}).exitCode, 0);
        ModeDocument doc;
        QCOMPARE(LoadMode(doc, mod.toStdString()).code, kModeOk);
        QCOMPARE(doc.Table().Comment(), std::string("Demo"));
        QVERIFY(doc.Table().CaseSensitive());
        // One run of Add: the last clause on top; the empty row is not saved.
        std::vector<Clause> expected = GenerateClauses(f);
        std::reverse(expected.begin(), expected.end());
        QCOMPARE(doc.Table().Clauses(), expected);

        QCOMPARE(Tool({"generate", tpl, "-o", mod, "--optimize"}).exitCode, 0);
        QCOMPARE(LoadMode(doc, mod.toStdString()).code, kModeOk);
        QCOMPARE(doc.Table().RowText(1), std::string("ap\t1E\t\t\t1"));  // the longer Roman text first

        // A template that stops with an error makes no mode.
        std::vector<std::string> lines(72);
        lines.push_back("maybe");
        QFile bad(QString::fromStdString(Path("bad.mot")));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write(QByteArray::fromStdString(Lines(lines)));
        bad.close();
        const QString badMode = QString::fromStdString(Path("bad.mod"));
        Run run = Tool({"generate", bad.fileName(), "-o", badMode});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains("(Error #13)"));
        QVERIFY(!QFile::exists(badMode));

        run = Tool({"template-check", bad.fileName()});
        QVERIFY(run.exitCode == 1 && run.out.contains("Load stops at line 73"));
        run = Tool({"template-check", tpl});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains("Clauses Create Mode would add to a new mode: 5"));
    }
};

QTEST_GUILESS_MAIN(TestWizardTemplate)
#include "test_wizard_template.moc"
