#include "preview/Samples.h"

#include <filesystem>

#include "mode/FileIO.h"
#include "mode/ModeText.h"
#include "preview/Reading.h"

namespace vel {

void SamplesFile::InsertSample(size_t at, Sample sample) {
    if (at > samples.size()) at = samples.size();
    // The new line goes right after sample at - 1, before the lines that
    // led up to the sample it displaces.
    for (KeptLine& k : kept)
        if (k.before >= at) ++k.before;
    samples.insert(samples.begin() + std::ptrdiff_t(at), std::move(sample));
}

void SamplesFile::RemoveSample(size_t at) {
    if (at >= samples.size()) return;
    for (KeptLine& k : kept)
        if (k.before > at) --k.before;
    samples.erase(samples.begin() + std::ptrdiff_t(at));
}

std::string SamplesPathFor(const std::string& modePath) {
    const size_t slash = modePath.find_last_of("/\\");
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t nameLength = modePath.size() - nameStart;
    if (nameLength > 4) {
        std::string ext = modePath.substr(modePath.size() - 4);
        for (char& c : ext) c = char(c >= 'A' && c <= 'Z' ? c + 32 : c);
        if (ext == ".mod") return modePath.substr(0, modePath.size() - 4) + ".tests";
    }
    return modePath + ".tests";
}

std::string SampleLine(const Sample& sample) {
    std::string roman = EscapeBytes(sample.roman);
    if (!roman.empty() && roman[0] == '#') roman.replace(0, 1, "\\x23");
    return roman + '\t' + EscapeBytes(sample.expected);
}

SamplesFile ParseSamples(std::string_view text) {
    SamplesFile file;
    // A byte order mark, as some editors write one.
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    int lineNo = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNo;
        // A CR before the LF comes from a CRLF file: the writer escapes
        // every CR byte, so it is never part of a sample.
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) continue;
        auto keepBad = [&](const std::string& why) {
            file.bad.push_back({lineNo, "Line " + std::to_string(lineNo) + ": " + why});
            file.kept.push_back({file.samples.size(), std::string(line)});
        };
        if (line[0] == '#') {
            file.kept.push_back({file.samples.size(), std::string(line)});
            continue;
        }
        const size_t tab = line.find('\t');
        if (tab == std::string_view::npos) {
            keepBad("a sample needs a TAB between the Roman text and the expected Tengwar.");
            continue;
        }
        if (line.find('\t', tab + 1) != std::string_view::npos) {
            keepBad("a sample has one TAB only; write a TAB inside a text as \\x09.");
            continue;
        }
        Sample sample;
        std::string why;
        if (!UnescapeText(line.substr(0, tab), sample.roman, why)) {
            keepBad("the Roman text: " + why + ".");
            continue;
        }
        if (!UnescapeText(line.substr(tab + 1), sample.expected, why)) {
            keepBad("the expected Tengwar: " + why + ".");
            continue;
        }
        sample.line = lineNo;
        file.samples.push_back(std::move(sample));
    }
    return file;
}

std::string SerializeSamples(const SamplesFile& file) {
    std::string out;
    size_t k = 0;
    for (size_t i = 0; i <= file.samples.size(); ++i) {
        for (; k < file.kept.size() && (file.kept[k].before <= i || i == file.samples.size()); ++k) {
            out += file.kept[k].text;
            out += '\n';
        }
        if (i == file.samples.size()) break;
        out += SampleLine(file.samples[i]);
        out += '\n';
    }
    return out;
}

SamplesRead ReadSamplesFile(const std::string& path, SamplesFile& file, std::string& error) {
    file = {};
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return SamplesRead::NoFile;
    std::string text;
    if (!ReadFileBytes(path, text, error)) return SamplesRead::Failed;
    file = ParseSamples(text);
    return SamplesRead::Ok;
}

bool WriteSamplesFile(const std::string& path, const SamplesFile& file, std::string& error) {
    return WriteFileAtomically(path, SerializeSamples(file), error);
}

std::vector<SampleResult> RunSamples(const ModeTable& table, const std::vector<Sample>& samples) {
    const ReadingIndex index = ReadingIndex::Build(table);
    std::vector<SampleResult> results;
    results.reserve(samples.size());
    for (const Sample& s : samples) {
        SampleResult r;
        r.actual = Transcribe(index, table, s.roman).output;
        r.pass = r.actual == s.expected;
        results.push_back(std::move(r));
    }
    return results;
}

}  // namespace vel
