#include "tools/ToolIO.h"

#include <cerrno>
#include <cstdio>
#include <iostream>

#include "mode/FileIO.h"
#include "tools/Commands.h"

namespace vel::tool {

bool CheckInput(const std::string& path) {
    InputFile in;
    std::string error;
    switch (in.Open(path, error)) {
        case OpenResult::Ok:
            return true;
        case OpenResult::Missing:
            Error("no such file: " + path);
            return false;
        case OpenResult::NotRegular:
            Error(error + " velloran-mode reads only regular files.");
            return false;
        case OpenResult::Failed:
            Error(error);
            return false;
    }
    return false;
}

int FinishOutput(int code) {
    errno = 0;
    std::cout.flush();
    int err = errno;
    const bool flushed = std::fflush(stdout) == 0;
    if (flushed && std::cout && !std::ferror(stdout)) return code;
    if (err == 0) err = errno;
    Error("standard output could not be written" + (err != 0 ? ": " + SystemError(err) : std::string()) + ".");
    return kExitFailure;
}

bool ReadWhole(const ModeResult& result, const std::string& path) {
    if (result.code == kModeNoFile) {
        Error("no such file: " + path);
        return false;
    }
    if (!result.ok()) {
        Error(path + ": " + result.Message());
        return false;
    }
    return true;
}

}  // namespace vel::tool
