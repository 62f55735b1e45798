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

// Exit codes.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // the file did not load or save whole
inline constexpr int kExitUsage = 2;    // bad arguments

void Error(const std::string& message);
// Splits "IN [-o OUT]" style arguments; false (with a message) on anything else.
bool ParseInOut(const Args& args, const char* command, std::string& in, std::string& out, bool outRequired);

}  // namespace vel::tool
