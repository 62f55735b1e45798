#include <cstdio>
#include <iostream>

#include "editing/Ordering.h"
#include "mode/FileIO.h"
#include "mode/ModeFile.h"
#include "mode/ModeText.h"
#include "tools/Commands.h"
#include "tools/ToolIO.h"

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

// Standard input is read whole before anything is written, so it is capped:
// far beyond the text of any mode, and short of what a runaway pipe would
// take from the machine.
constexpr uint64_t kStandardInputLimit = uint64_t(64) << 20;

// Loads a whole mode or says why not.
bool LoadWhole(const std::string& path, ModeDocument& doc) {
    return CheckInput(path) && ReadWhole(LoadMode(doc, path), path);
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

// Reads a mode record by record, handing each clause on: the memory taken
// is that of one chunk, whatever the file's size. False, with the message
// said, when it does not load whole.
bool StreamWhole(const std::string& path, ModeFileContents& contents, const ClauseSink& onClause) {
    return ReadWhole(StreamModeFile(path, contents, onClause), path);
}

// Feeds a reader from standard input or a regular file, in pieces.
bool ReadText(const std::string& in, ModeTextReader& reader) {
    char chunk[1 << 16];
    if (in == "-") {
        uint64_t total = 0;
        for (;;) {
            const size_t n = std::fread(chunk, 1, sizeof chunk, stdin);
            total += n;
            if (total > kStandardInputLimit) {
                Error("standard input: more than " + std::to_string(kStandardInputLimit >> 20) +
                      " MiB, more than velloran-mode reads from standard input; give a file instead.");
                return false;
            }
            if (n > 0 && !reader.Feed(std::string_view(chunk, n))) return true;
            if (n < sizeof chunk) break;
        }
        if (std::ferror(stdin)) {
            Error("standard input could not be read.");
            return false;
        }
        return true;
    }
    InputFile file;
    std::string error;
    if (file.Open(in, error) != OpenResult::Ok) {
        Error(error);
        return false;
    }
    for (;;) {
        const std::ptrdiff_t n = file.Read(chunk, sizeof chunk, error);
        if (n < 0) {
            Error(error);
            return false;
        }
        if (n == 0 || !reader.Feed(std::string_view(chunk, size_t(n)))) return true;
    }
}

}  // namespace

int Export(const Args& args) {
    if (args.size() != 1 || args[0].empty() || args[0][0] == '-') {
        Error("usage: velloran-mode export MODE.mod");
        return kExitUsage;
    }
    const std::string& path = args[0];
    if (!CheckInput(path)) return kExitFailure;
    // A first pass checks that the file loads whole, so a failing file
    // writes nothing; the second writes line by line.
    ModeFileContents contents;
    if (!StreamWhole(path, contents, [](const Clause&) { return true; })) return kExitFailure;
    std::cout << ExportHeaderLine(contents.comment, contents.caseSensitive);
    ModeFileContents again;
    if (!StreamWhole(path, again, [](const Clause& clause) { return bool(std::cout << ExportClauseLine(clause)); }))
        return kExitFailure;
    return kExitOk;
}

int Import(const Args& args) {
    std::string in, out;
    if (!ParseInOut(args, "import", in, out, true)) return kExitUsage;
    if (in != "-" && !CheckInput(in)) return kExitFailure;
    ModeTextReader reader;
    if (!ReadText(in, reader)) return kExitFailure;
    ModeTable table;
    if (!reader.Finish(table)) {
        Error((in == "-" ? std::string("standard input") : in) + ": " + reader.Error());
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
    const std::string& path = args[0];
    if (!CheckInput(path)) return kExitFailure;
    ModeFileContents c;
    const ModeResult r = StreamModeFile(path, c, [](const Clause&) { return true; });
    if (r.code == kModeNoFile || r.code == kErrOpenFailed) {
        Error(r.code == kModeNoFile ? "no such file: " + path : r.description);
        return kExitFailure;
    }
    std::cout << "File: " << path << "\n"
              << "Size: " << c.size << " bytes, " << c.records << " records of " << kRecordSize << "\n";
    if (c.size % kRecordSize != 0)
        std::cout << "Note: the last record is " << c.size % kRecordSize << " bytes long, not " << kRecordSize << ".\n";
    if (c.headerRead) {
        std::cout << "Comment: " << EscapeBytes(c.comment) << "\n"
                  << "Case sensitive: " << (c.caseSensitive ? "yes" : "no") << "\n";
    }
    std::cout << "Clauses: " << c.clauseCount << "\n"
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
