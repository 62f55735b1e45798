// The typed row number: any answer reads without a crash as a number that
// is never NaN, and its half-even rounding is a whole number within a half.
#include <cmath>

#include "fuzz/FuzzSupport.h"
#include "mode/Numbers.h"

using namespace vel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = ReadNumber(text);
    FUZZ_CHECK(!std::isnan(value));
    const double rounded = RoundHalfEven(value);
    FUZZ_CHECK(!std::isnan(rounded));
    if (std::isfinite(value)) {
        FUZZ_CHECK(rounded == std::floor(rounded));
        FUZZ_CHECK(std::fabs(rounded - value) <= 0.5);
        if (std::fabs(rounded - value) == 0.5) FUZZ_CHECK(std::fmod(rounded, 2.0) == 0.0);
    } else {
        FUZZ_CHECK(rounded == value);
    }
    // Blanks anywhere change nothing.
    std::string spaced;
    for (const char c : text) {
        spaced += c;
        spaced += ' ';
    }
    FUZZ_CHECK(ReadNumber(spaced) == value);
    return 0;
}
