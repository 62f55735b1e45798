#include <filesystem>
#include <iostream>
#include <iterator>

#include "editing/Ordering.h"
#include "mode/FileIO.h"
#include "mode/ModeFile.h"
#include "mode/ModeText.h"
#include "tools/Commands.h"

namespace vel::tool {

void Error(const std::string& message) { std::cerr << "velloran-mode: " << message << '\n'; }

bool ParseInOut(const Args& args, const char* command, std::string& in, std::string& out, bool outRequired) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o") {
            if (i + 1 >= args.size()) {
                Error(std::string(command) + ": -o needs a file name.");
                return false;
            }
            if (!out.empty()) {
                Error(std::string(command) + ": -o given twice.");
                return false;
            }
            out = args[++i];
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            Error(std::string(command) + ": unknown option '" + args[i] + "'.");
            return false;
        } else if (in.empty()) {
            in = args[i];
        } else {
            Error(std::string(command) + ": unexpected argument '" + args[i] + "'.");
            return false;
        }
    }
    if (in.empty()) {
        Error(std::string(command) + ": no input file given.");
        return false;
    }
    if (outRequired && out.empty()) {
        Error(std::string(command) + ": no output file given (-o FILE).");
        return false;
    }
    return true;
}

namespace {

// Loads a whole mode or says why not.
bool LoadWhole(const std::string& path, ModeDocument& doc) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        Error("no such file: " + path);
        return false;
    }
    const ModeResult r = LoadMode(doc, path);
    if (!r.ok()) {
        Error(path + ": " + r.Message());
        return false;
    }
    return true;
}

bool SaveOrSay(ModeDocument& doc, const std::string& path) {
    const ModeResult r = SaveMode(doc, path);
    if (!r.ok()) {
        Error(path + ": " + r.Message());
        return false;
    }
    return true;
}

int Reorder(const Args& args, const char* command, std::vector<uint32_t> (*order)(const ModeTable&)) {
    std::string in, out;
    if (!ParseInOut(args, command, in, out, false)) return kExitUsage;
    ModeDocument doc;
    if (!LoadWhole(in, doc)) return kExitFailure;
    doc.Reorder(order(doc.Table()), order == OptimizePermutation, command);
    return SaveOrSay(doc, out.empty() ? in : out) ? kExitOk : kExitFailure;
}

}  // namespace

int Export(const Args& args) {
    if (args.size() != 1 || args[0].empty() || args[0][0] == '-') {
        Error("usage: velloran-mode export MODE.mod");
        return kExitUsage;
    }
    ModeDocument doc;
    if (!LoadWhole(args[0], doc)) return kExitFailure;
    std::cout << ExportModeText(doc.Table());
    std::cout.flush();
    return std::cout ? kExitOk : kExitFailure;
}

int Import(const Args& args) {
    std::string in, out;
    if (!ParseInOut(args, "import", in, out, true)) return kExitUsage;
    std::string text, error;
    if (in == "-") {
        text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    } else if (!ReadFileBytes(in, text, error)) {
        Error(error);
        return kExitFailure;
    }
    ModeTable table;
    if (!ImportModeText(text, table, error)) {
        Error((in == "-" ? std::string("standard input") : in) + ": " + error);
        return kExitFailure;
    }
    const ModeResult r = WriteModeFile(table, out);
    if (!r.ok()) Error(out + ": " + r.Message());
    return r.ok() ? kExitOk : kExitFailure;
}

int Check(const Args& args) {
    if (args.size() != 1 || args[0].empty() || args[0][0] == '-') {
        Error("usage: velloran-mode check MODE.mod");
        return kExitUsage;
    }
    std::string bytes, error;
    std::error_code ec;
    if (!std::filesystem::exists(args[0], ec)) {
        Error("no such file: " + args[0]);
        return kExitFailure;
    }
    if (!ReadFileBytes(args[0], bytes, error)) {
        Error(error);
        return kExitFailure;
    }
    const ModeFileContents c = ParseModeBytes(bytes);
    std::cout << "File: " << args[0] << "\n"
              << "Size: " << bytes.size() << " bytes, " << c.records << " records of " << kRecordSize << "\n";
    if (bytes.size() % kRecordSize != 0)
        std::cout << "Note: the last record is " << bytes.size() % kRecordSize << " bytes long, not "
                  << kRecordSize << ".\n";
    if (c.headerRead) {
        std::cout << "Comment: " << EscapeBytes(c.comment) << "\n"
                  << "Case sensitive: " << (c.caseSensitive ? "yes" : "no") << "\n";
    }
    std::cout << "Clauses: " << c.clauses.size() << "\n"
              << "Gaps: " << c.gaps << "\n";
    if (!c.result.ok()) {
        std::cout << "Load stops at record " << c.failedRecord << ": " << c.result.Message() << "\n";
        if (c.records > c.failedRecord)
            std::cout << "Records not read: " << c.records - c.failedRecord << "\n";
        return kExitFailure;
    }
    std::cout << "The file loads whole.\n";
    return kExitOk;
}

int Optimize(const Args& args) { return Reorder(args, "optimize", OptimizePermutation); }
int Sort(const Args& args) { return Reorder(args, "sort", AlphabeticalPermutation); }

}  // namespace vel::tool
