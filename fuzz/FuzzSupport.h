#pragma once
// Shared by the fuzz targets: a check that stops the run with a message (so
// libFuzzer keeps the input and the corpus replay fails), a reader that
// turns fuzz bytes into texts and choices, and a scratch file for readers
// that take a path.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#define FUZZ_CHECK(cond)                                                                  \
    do {                                                                                  \
        if (!(cond)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
            std::abort();                                                                 \
        }                                                                                 \
    } while (0)

namespace vel::fuzz {

class Bytes {
public:
    Bytes(const uint8_t* data, size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}

    bool Empty() const { return rest_.empty(); }
    uint8_t Byte() {
        if (rest_.empty()) return 0;
        const auto b = static_cast<uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return b;
    }
    // 0 to max bytes, the count taken from the next byte.
    std::string Text(size_t max) {
        const size_t n = std::min<size_t>(Byte() % (max + 1), rest_.size());
        std::string text(rest_.substr(0, n));
        rest_.remove_prefix(n);
        return text;
    }
    std::string_view Rest() const { return rest_; }

private:
    std::string_view rest_;
};

// Writes bytes to this process's scratch file and gives its path; the file
// goes when the process ends.
std::string ScratchFile(std::string_view bytes);

}  // namespace vel::fuzz
