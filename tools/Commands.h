#pragma once
// Subcommands of velloran-mode. Each takes the arguments after its own name
// and returns the process exit code; messages go to standard error.
#include <string>
#include <vector>

namespace vel::tool {

using Args = std::vector<std::string>;

int Export(const Args& args);
int Import(const Args& args);
int Check(const Args& args);
int Optimize(const Args& args);
int Sort(const Args& args);
int Generate(const Args& args);
int TemplateCheck(const Args& args);
int TranscribeText(const Args& args);
int TestSamples(const Args& args);
int Lint(const Args& args);

// Exit codes.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // the file did not load or save whole
inline constexpr int kExitUsage = 2;    // bad arguments
// test and lint: 1 when a sample fails or a finding is reported, 2 when
// they cannot run at all (bad arguments, a file that does not read whole).
inline constexpr int kExitCannotRun = 2;

void Error(const std::string& message);
// Splits "IN [-o OUT]" style arguments; false (with a message) on anything else.
bool ParseInOut(const Args& args, const char* command, std::string& in, std::string& out, bool outRequired);

}  // namespace vel::tool
