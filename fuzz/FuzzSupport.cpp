#include "fuzz/FuzzSupport.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#if defined(_WIN32)
#include <process.h>
#define VEL_GETPID _getpid
#else
#include <unistd.h>
#define VEL_GETPID getpid
#endif

namespace vel::fuzz {

namespace {
std::string g_scratch;
void RemoveScratch() {
    std::error_code ec;
    std::filesystem::remove(g_scratch, ec);
}
}  // namespace

std::string ScratchFile(std::string_view bytes) {
    if (g_scratch.empty()) {
        // In memory where the system offers it: rewriting a file on a disk
        // every run makes some file systems flush it, a thousand times slower.
        std::error_code ec;
        std::filesystem::path dir = "/dev/shm";
        if (!std::filesystem::is_directory(dir, ec)) dir = std::filesystem::temp_directory_path(ec);
        if (ec) dir = ".";
        g_scratch = (dir / ("velloran-fuzz-" + std::to_string(VEL_GETPID()) + ".bin")).string();
        std::atexit(RemoveScratch);
    }
    std::ofstream out(g_scratch, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    out.close();
    FUZZ_CHECK(out.good());
    return g_scratch;
}

}  // namespace vel::fuzz
