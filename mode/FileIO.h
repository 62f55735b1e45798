#pragma once
// Whole-file reads and safe whole-file writes, shared by the mode file, the
// templates and the command-line tool.
#include <string>
#include <string_view>

namespace vel {

// Reads a whole file into memory; false with a reason on failure.
bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& error);

// Writes bytes to path through a temporary file in the same folder, which
// replaces the old file only when it is complete: a failure leaves the old
// file as it was.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error);

// The system's text for an errno value.
std::string SystemError(int err);

}  // namespace vel
