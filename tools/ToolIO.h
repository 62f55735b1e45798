#pragma once
// What every velloran-mode command does at its edges: refuse an input it
// cannot read safely, and report output it could not write.
#include <string>

#include "mode/ModeFile.h"

namespace vel::tool {

// True when path names a regular file (a link to one included). Otherwise
// says why on standard error and gives false: "no such file: PATH", or that
// it is a folder, a FIFO or a device, which would block the command or
// never end.
bool CheckInput(const std::string& path);

// True when a mode file read whole; otherwise says why ("no such file:
// PATH", or the read's message) and gives false.
bool ReadWhole(const ModeResult& result, const std::string& path);

// Flushes standard output. On a write error (a full disk, a closed pipe,
// /dev/full) says so and gives kExitFailure; otherwise code.
int FinishOutput(int code);

}  // namespace vel::tool
