// velloran-mode: mode files from the command line, for scripts and version
// control.
#include <cstring>
#include <iostream>
#include <new>

#include "tools/Commands.h"
#include "tools/ToolIO.h"

namespace {

const char* const kUsage =
    "Usage: velloran-mode COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  export MODE.mod                 write the mode as text to standard output\n"
    "  import TEXT -o MODE.mod         write a mode file from that text ('-' reads standard input)\n"
    "  check MODE.mod                  report what a load finds; exit 1 unless it loads whole\n"
    "  optimize MODE.mod [-o OUT.mod]  put the clauses in the transcriber's order\n"
    "  sort MODE.mod [-o OUT.mod]      sort the clauses by their Roman text\n"
    "  generate TEMPLATE.mot -o MODE.mod [--comment TEXT] [--case-sensitive] [--optimize]\n"
    "                                  make the mode the wizard would make from a template\n"
    "  template-check TEMPLATE.mot     report what loading a template would set\n"
    "  transcribe MODE.mod [--trace] [TEXT...]\n"
    "                                  write what the mode makes of TEXT (or of each line of\n"
    "                                  standard input); --trace adds one line per step: the\n"
    "                                  characters read, the row used (or none), what it wrote\n"
    "                                  and the ID it left\n"
    "  test MODE.mod [SAMPLES]         run the sample texts (default: MODE.tests beside the\n"
    "                                  mode) and print each that fails\n"
    "  lint MODE.mod [--kinds KIND,...]\n"
    "                                  report clauses that can never be used and rows that\n"
    "                                  will not save; KIND is never-used, never-holds, case,\n"
    "                                  unsaved or empty-tengwar\n"
    "  --help                          show this text\n"
    "\n"
    "The text form is UTF-8. Line 1 is the comment, a TAB and the case digit (1 when\n"
    "the mode is case sensitive); each further line is one clause: Roman, Tengwar,\n"
    "If next roman, If previous ID and ID separated by four TABs. Each byte is written\n"
    "as its Windows-1252 character; a backslash is written \\\\, and the bytes below\n"
    "0x20, 0x7F, 0x81, 0x8D, 0x8F, 0x90 and 0x9D as \\xHH (the non-alphanumeric\n"
    "marker is \\x0D). Lines end with LF. import also takes CR LF line ends, a UTF-8\n"
    "byte-order mark and blank lines at the end, and reads at most 64 MiB from\n"
    "standard input. Texts given to transcribe and the lines of a samples file\n"
    "(Roman text, a TAB, the expected Tengwar) are in the same form.\n"
    "\n"
    "Exit codes: 0 success, 1 a file could not be read, loaded or written whole,\n"
    "2 bad arguments. test and lint exit 0 when every sample passes or nothing is\n"
    "found, 1 when a sample fails or a finding is reported, 2 when they cannot run.\n";

}  // namespace

int main(int argc, char** argv) {
    using namespace vel::tool;
    if (argc < 2) {
        std::cerr << kUsage;
        return kExitUsage;
    }
    const std::string command = argv[1];
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kUsage;
        return FinishOutput(kExitOk);
    }
    Args args(argv + 2, argv + argc);
    struct Entry {
        const char* name;
        int (*run)(const Args&);
    };
    static const Entry entries[] = {
        {"export", Export},     {"import", Import},     {"check", Check},
        {"optimize", Optimize}, {"sort", Sort},         {"generate", Generate},
        {"template-check", TemplateCheck}, {"transcribe", TranscribeText}, {"test", TestSamples},
        {"lint", Lint},
    };
    for (const Entry& e : entries) {
        if (command != e.name) continue;
        try {
            return FinishOutput(e.run(args));
        } catch (const std::bad_alloc&) {
            Error(command + ": out of memory.");
            return kExitFailure;
        }
    }
    Error("unknown command '" + command + "'. Run 'velloran-mode --help' for the list.");
    return kExitUsage;
}
