#pragma once
// Sample texts kept beside a mode as its tests: Roman text and the Tengwar
// the mode is expected to write for it. The file (".tests" beside the mode
// file) is UTF-8, one sample a line: the Roman text, a TAB and the expected
// Tengwar, both in the tool's escaped text form. A line starting with # is a
// comment, so a Roman text starting with # is written with that first
// character as \x23.
#include <string>
#include <string_view>
#include <vector>

#include "mode/ModeTable.h"

namespace vel {

struct Sample {
    std::string roman;
    std::string expected;
    int line = 0;  // line of the file it was read from; 0 when it was not read

    bool operator==(const Sample& o) const { return roman == o.roman && expected == o.expected; }
};

// What a read found. Comment lines and lines that could not be read are
// kept word for word, each with the number of samples before it, so that
// writing the samples back loses none of what a user typed into the file.
struct SamplesFile {
    struct KeptLine {
        size_t before = 0;  // samples that come before this line
        std::string text;   // the line as it was, without its line end
    };
    struct BadLine {
        int line = 0;
        std::string message;  // "Line N: ..."
    };
    std::vector<Sample> samples;
    std::vector<KeptLine> kept;
    std::vector<BadLine> bad;

    // Insert or remove a sample and keep the kept lines where they were
    // relative to the samples around them.
    void InsertSample(size_t at, Sample sample);
    void RemoveSample(size_t at);
};

// The samples file of a mode file: the same folder and base name with the
// extension ".tests". A name ending in ".mod" (in any case) has that
// extension replaced; any other name gets ".tests" added, so two mode files
// never share one samples file.
std::string SamplesPathFor(const std::string& modePath);

// Reads the text of a samples file. Never fails as a whole: every line that
// is not a comment, not blank and not a sample is reported in bad and kept.
SamplesFile ParseSamples(std::string_view text);
std::string SerializeSamples(const SamplesFile& file);
// One sample as a line of the file, without its line end.
std::string SampleLine(const Sample& sample);

enum class SamplesRead { Ok, NoFile, Failed };
// NoFile when there is no such file; Failed (with error) when it cannot be
// read; Ok otherwise, with any bad lines in file.bad.
SamplesRead ReadSamplesFile(const std::string& path, SamplesFile& file, std::string& error);
// Writes through a temporary file, so a failure leaves the old file whole.
bool WriteSamplesFile(const std::string& path, const SamplesFile& file, std::string& error);

struct SampleResult {
    bool pass = false;
    std::string actual;
};
// Runs every sample through the table (one index for all of them).
std::vector<SampleResult> RunSamples(const ModeTable& table, const std::vector<Sample>& samples);

}  // namespace vel
