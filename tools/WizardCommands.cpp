#include <algorithm>
#include <iostream>

#include "editing/Ordering.h"
#include "mode/FileIO.h"
#include "mode/ModeFile.h"
#include "mode/ModeText.h"
#include "tools/Commands.h"
#include "tools/ToolIO.h"
#include "wizard/ModeTemplate.h"
#include "wizard/WizardGenerate.h"

namespace vel::tool {

namespace {

struct GenerateOptions {
    std::string templatePath, modePath, comment;
    bool caseSensitive = false;
    bool optimize = false;
};

bool ParseGenerate(const Args& args, GenerateOptions& o) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-o" || a == "--comment") {
            if (i + 1 >= args.size()) {
                Error("generate: " + a + " needs a value.");
                return false;
            }
            std::string& target = a == "-o" ? o.modePath : o.comment;
            target = args[++i];
            if (a == "--comment") {
                // The comment is given in the text form of export and import.
                std::string bytes, error;
                if (!UnescapeText(target, bytes, error)) {
                    Error("generate: --comment: " + error);
                    return false;
                }
                if (bytes.find(kTab) != std::string::npos || int(bytes.size()) > kCommentLimit) {
                    Error("generate: --comment takes at most " + std::to_string(kCommentLimit) +
                          " characters and no TAB.");
                    return false;
                }
                target = bytes;
            }
        } else if (a == "--case-sensitive") {
            o.caseSensitive = true;
        } else if (a == "--optimize") {
            o.optimize = true;
        } else if (a.size() > 1 && a[0] == '-') {
            Error("generate: unknown option '" + a + "'.");
            return false;
        } else if (o.templatePath.empty()) {
            o.templatePath = a;
        } else {
            Error("generate: unexpected argument '" + a + "'.");
            return false;
        }
    }
    if (o.templatePath.empty()) {
        Error("generate: no template given.");
        return false;
    }
    if (o.modePath.empty()) {
        Error("generate: no output file given (-o FILE).");
        return false;
    }
    return true;
}

template <size_t N>
void PrintTexts(const char* title, const std::array<std::string, N>& texts, int firstLine, int linesRead) {
    if (linesRead < firstLine) return;
    const int reached = std::min<int>(int(N), linesRead - firstLine + 1);
    int filled = 0;
    for (int i = 0; i < reached; ++i) filled += texts[size_t(i)].empty() ? 0 : 1;
    std::cout << title << " (lines " << firstLine << " to " << firstLine + reached - 1 << "): " << filled
              << " filled\n";
    for (int i = 0; i < reached; ++i)
        if (!texts[size_t(i)].empty())
            std::cout << "  " << i << " (line " << firstLine + i << "): " << EscapeBytes(texts[size_t(i)]) << "\n";
}

void PrintCheck(const char* title, int line, int value, int linesRead) {
    if (linesRead >= line) std::cout << title << " (line " << line << "): " << value << "\n";
}

}  // namespace

int Generate(const Args& args) {
    GenerateOptions o;
    if (!ParseGenerate(args, o)) return kExitUsage;

    // A new mode and a freshly opened wizard, filled from the template.
    if (!CheckInput(o.templatePath)) return kExitFailure;
    WizardFields fields;
    const TemplateResult loaded = LoadTemplate(o.templatePath, fields);
    if (!loaded.ok()) {
        Error(o.templatePath + ": " + loaded.Message());
        return kExitFailure;
    }
    ModeDocument doc;
    doc.SetComment(o.comment);
    doc.SetCaseSensitive(o.caseSensitive);
    doc.AddClauses(GenerateClauses(fields), "Wizard");
    if (o.optimize) doc.Reorder(OptimizePermutation(doc.Table()), true, "Optimize");
    const ModeResult saved = SaveMode(doc, o.modePath);
    if (!saved.ok()) {
        Error(o.modePath + ": " + saved.Message());
        return kExitFailure;
    }
    return kExitOk;
}

int TemplateCheck(const Args& args) {
    if (args.size() != 1 || args[0].empty() || args[0][0] == '-') {
        Error("usage: velloran-mode template-check TEMPLATE.mot");
        return kExitUsage;
    }
    const std::string& path = args[0];
    if (!CheckInput(path)) return kExitFailure;
    WizardFields f;
    const TemplateRead read = ReadTemplateFile(path, f, true);
    if (read.result.code == kTplFileNotFound || read.result.code == kTplFileAccess) {
        Error(path + ": " + read.result.Message());
        return kExitFailure;
    }
    const int n = read.linesRead;

    std::cout << "File: " << path << "\n"
              << "Lines: " << read.linesInFile << "\n";
    PrintTexts("Tengwa fields", f.txtRoman, 1, n);
    if (n >= kTehtaOrderLine)
        std::cout << "Tehta order (line " << kTehtaOrderLine << "): tehtar above "
                  << (f.optTehtaOrder == TehtaOrder::Following ? "the following" : "the preceding") << " tengwa\n";
    PrintTexts("Tehta fields", f.txtTehta, kTehtaOrderLine + 1, n);
    PrintCheck("Short carrier", 84, f.chkShortCarrier, n);
    PrintCheck("Under-bar", 85, f.chkDoubleTengwar, n);
    PrintCheck("S-curls", 86, f.chkSCurls, n);
    PrintTexts("Long-carrier fields", f.txtLongCarrier, 87, n);
    PrintCheck("Long carrier", kTemplateLineCount, f.chkLongCarrier, n);

    if (!read.result.ok()) {
        std::cout << "Load stops at line " << read.failedLine << ": " << read.result.Message() << "\n"
                  << "Fields from " << TemplateLineName(read.failedLine) << " on keep their values.\n";
    } else if (n < kTemplateLineCount) {
        std::cout << "Load stops at the end of the file"
                  << (n == 0 ? std::string() : " after line " + std::to_string(n)) << "; fields from "
                  << TemplateLineName(n + 1) << " on keep their values.\n";
    } else {
        std::cout << "The template loads whole.\n";
        if (read.linesInFile > kTemplateLineCount)
            std::cout << "Lines after " << kTemplateLineCount
                      << " are not read: " << read.linesInFile - kTemplateLineCount << "\n";
    }
    std::cout << "Clauses Create Mode would add to a new mode: " << GenerateClauses(f).size() << "\n";
    return read.result.ok() ? kExitOk : kExitFailure;
}

}  // namespace vel::tool
