// transcribe, test and lint: the reading of a mode and the mode check from
// the command line, so that modes can be checked in scripts.
#include <iostream>
#include <iterator>

#include "check/CheckMode.h"
#include "mode/Cp1252.h"
#include "mode/ModeFile.h"
#include "mode/ModeText.h"
#include "preview/Reading.h"
#include "preview/Samples.h"
#include "tools/Commands.h"
#include "tools/ToolIO.h"

namespace vel::tool {

namespace {

// Reads a mode file into a table; false (with the message given) unless the
// whole file loads.
bool LoadTable(const std::string& path, ModeTable& table) {
    ModeFileContents contents;
    if (!ReadWhole(ReadModeFile(path, contents), path)) return false;
    table.SetComment(contents.comment);
    table.SetCaseSensitive(contents.caseSensitive);
    table.AppendClauses(std::move(contents.clauses));
    return true;
}

// Windows-1252 text (the check's sentences) as UTF-8.
std::string Utf8(std::string_view bytes) {
    std::string out;
    for (char c : bytes) AppendUtf8(out, kCp1252ToUnicode[static_cast<unsigned char>(c)]);
    return out;
}

bool IsOption(const std::string& arg) { return arg.size() > 1 && arg[0] == '-'; }

void PrintTranscription(const ModeTable& table, const ReadingIndex& index, const std::string& text, bool trace) {
    const Transcription t = Transcribe(index, table, text);
    std::cout << EscapeBytes(t.output) << '\n';
    if (!trace) return;
    for (const TraceStep& s : t.steps) {
        std::cout << s.start + 1;
        if (s.length > 1) std::cout << '-' << s.start + s.length;
        std::cout << '\t' << EscapeBytes(std::string_view(text).substr(s.start, s.length)) << '\t';
        if (s.row > 0)
            std::cout << "row " << s.row;
        else
            std::cout << "none";
        std::cout << '\t' << EscapeBytes(s.written) << '\t' << EscapeBytes(s.id) << '\n';
    }
}

}  // namespace

int TranscribeText(const Args& args) {
    const char* usage = "usage: velloran-mode transcribe MODE.mod [--trace] [TEXT...]";
    std::string mode;
    bool trace = false, optionsDone = false;
    std::vector<std::string> words;
    for (const std::string& a : args) {
        if (!optionsDone && a == "--") {
            optionsDone = true;
        } else if (!optionsDone && a == "--trace") {
            trace = true;
        } else if (!optionsDone && IsOption(a)) {
            Error("transcribe: unknown option '" + a + "'. " + usage);
            return kExitUsage;
        } else if (mode.empty()) {
            mode = a;
        } else {
            words.push_back(a);
        }
    }
    if (mode.empty()) {
        Error(usage);
        return kExitUsage;
    }
    // Texts first, so a bad one is reported before any output.
    std::vector<std::string> texts;
    std::string error;
    auto addText = [&](std::string_view escaped, const std::string& where) {
        std::string bytes;
        if (!UnescapeText(escaped, bytes, error)) {
            Error("transcribe: " + where + ": " + error + ".");
            return false;
        }
        texts.push_back(std::move(bytes));
        return true;
    };
    if (!words.empty()) {
        std::string joined;
        for (size_t i = 0; i < words.size(); ++i) joined += (i ? " " : "") + words[i];
        if (!addText(joined, "the text")) return kExitUsage;
    } else {
        // Standard input, one text a line.
        const std::string in((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
        size_t pos = 0, lineNo = 0;
        while (pos < in.size()) {
            size_t end = in.find('\n', pos);
            if (end == std::string::npos) end = in.size();
            std::string_view line(in.data() + pos, end - pos);
            pos = end + 1;
            ++lineNo;
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            if (!addText(line, "standard input, line " + std::to_string(lineNo))) return kExitUsage;
        }
    }
    ModeTable table;
    if (!LoadTable(mode, table)) return kExitFailure;
    const ReadingIndex index = ReadingIndex::Build(table);
    for (const std::string& text : texts) PrintTranscription(table, index, text, trace);
    std::cout.flush();
    return std::cout ? kExitOk : kExitFailure;
}

int TestSamples(const Args& args) {
    const char* usage = "usage: velloran-mode test MODE.mod [SAMPLES]";
    if (args.empty() || args.size() > 2 || IsOption(args[0]) || (args.size() == 2 && IsOption(args[1]))) {
        Error(usage);
        return kExitCannotRun;
    }
    ModeTable table;
    if (!LoadTable(args[0], table)) return kExitCannotRun;
    const std::string path = args.size() == 2 ? args[1] : SamplesPathFor(args[0]);
    SamplesFile file;
    std::string error;
    switch (ReadSamplesFile(path, file, error)) {
        case SamplesRead::NoFile:
            Error("no samples file: " + path);
            return kExitCannotRun;
        case SamplesRead::Failed:
            Error(error);
            return kExitCannotRun;
        case SamplesRead::Ok:
            break;
    }
    for (const SamplesFile::BadLine& bad : file.bad) Error(path + ": " + bad.message);

    const std::vector<SampleResult> results = RunSamples(table, file.samples);
    size_t passed = 0;
    for (size_t i = 0; i < results.size(); ++i) {
        if (results[i].pass) {
            ++passed;
            continue;
        }
        const Sample& s = file.samples[i];
        std::cout << "FAIL line " << s.line << ": " << EscapeBytes(s.roman) << '\n'
                  << "  expected: " << EscapeBytes(s.expected) << '\n'
                  << "  actual:   " << EscapeBytes(results[i].actual) << '\n';
    }
    std::cout << passed << " of " << results.size() << " samples pass.\n";
    std::cout.flush();
    // Lines that could not be read are samples that did not run.
    if (!file.bad.empty()) return kExitCannotRun;
    return passed == results.size() ? kExitOk : kExitFailure;
}

int Lint(const Args& args) {
    const char* usage = "usage: velloran-mode lint MODE.mod [--kinds KIND,...]";
    std::string mode, kindList;
    bool kindsGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--kinds" || a.rfind("--kinds=", 0) == 0) {
            if (kindsGiven) {
                Error("lint: --kinds given twice.");
                return kExitCannotRun;
            }
            kindsGiven = true;
            if (a == "--kinds") {
                if (i + 1 >= args.size()) {
                    Error("lint: --kinds needs a list of kinds.");
                    return kExitCannotRun;
                }
                kindList = args[++i];
            } else {
                kindList = a.substr(8);
            }
        } else if (IsOption(a) || !mode.empty()) {
            Error("lint: unexpected argument '" + a + "'. " + usage);
            return kExitCannotRun;
        } else {
            mode = a;
        }
    }
    if (mode.empty()) {
        Error(usage);
        return kExitCannotRun;
    }
    bool wanted[kFindingKindCount];
    for (bool& w : wanted) w = !kindsGiven;
    if (kindsGiven) {
        size_t pos = 0;
        while (true) {
            const size_t comma = kindList.find(',', pos);
            const std::string name = kindList.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos);
            FindingKind kind;
            if (!KindFromName(name, kind)) {
                std::string known;
                for (int k = 0; k < kFindingKindCount; ++k)
                    known += (k ? ", " : "") + std::string(KindName(FindingKind(k)));
                Error("lint: unknown kind '" + name + "'; the kinds are " + known + ".");
                return kExitCannotRun;
            }
            wanted[int(kind)] = true;
            if (comma == std::string::npos) break;
            pos = comma + 1;
        }
    }
    ModeTable table;
    if (!LoadTable(mode, table)) return kExitCannotRun;
    int count = 0;
    for (const Finding& f : CheckMode(table)) {
        if (!wanted[int(f.kind)]) continue;
        ++count;
        if (f.rows.empty())
            std::cout << "comment: ";
        else
            std::cout << "row " << f.rows[0] << ": ";
        std::cout << Utf8(f.sentence) << '\n';
    }
    std::cout.flush();
    return count == 0 ? kExitOk : kExitFailure;
}

}  // namespace vel::tool
