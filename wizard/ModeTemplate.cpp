#include "wizard/ModeTemplate.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "mode/FileIO.h"
#include "mode/ModeFile.h"
#include "mode/ModeText.h"
#include "mode/Numbers.h"

namespace vel {

namespace {

constexpr int kTehtaFirstLine = kTehtaOrderLine + 1;                     // 74
constexpr int kShortCarrierLine = kTehtaFirstLine + kTehtaFieldCount;     // 84
constexpr int kDoubleTengwarLine = kShortCarrierLine + 1;                 // 85
constexpr int kSCurlsLine = kDoubleTengwarLine + 1;                       // 86
constexpr int kLongCarrierFirstLine = kSCurlsLine + 1;                    // 87
constexpr int kLongCarrierLine = kLongCarrierFirstLine + kTehtaFieldCount;  // 97
static_assert(kLongCarrierLine == kTemplateLineCount);

const char* const kCrLf = "\r\n";

// The text field that line n fills, or null for the value lines.
template <class Fields>
auto TextField(Fields& f, int line) -> decltype(&f.txtRoman[0]) {
    if (line >= 1 && line <= kTengwaFieldCount) return &f.txtRoman[size_t(line - 1)];
    if (line >= kTehtaFirstLine && line < kShortCarrierLine) return &f.txtTehta[size_t(line - kTehtaFirstLine)];
    if (line >= kLongCarrierFirstLine && line < kLongCarrierLine)
        return &f.txtLongCarrier[size_t(line - kLongCarrierFirstLine)];
    return nullptr;
}

// The check value that line n holds, or null for the other lines.
template <class Fields>
auto CheckField(Fields& f, int line) -> decltype(&f.chkShortCarrier) {
    switch (line) {
    case kShortCarrierLine: return &f.chkShortCarrier;
    case kDoubleTengwarLine: return &f.chkDoubleTengwar;
    case kSCurlsLine: return &f.chkSCurls;
    case kLongCarrierLine: return &f.chkLongCarrier;
    default: return nullptr;
    }
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// A decimal number with optional sign, fraction and exponent, spaces around
// it allowed. Parsed without the locale, so a decimal comma in the user's
// settings cannot change what a template means.
bool ParseNumber(std::string_view text, double& value) {
    std::string_view s = Trim(text);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    size_t i = 0, digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
    }
    if (digits == 0) return false;
    bool negativeExponent = false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) negativeExponent = s[i++] == '-';
        const size_t start = i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
        if (i == start) return false;
    }
    if (i != s.size()) return false;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), value);
    if (r.ec == std::errc::result_out_of_range)
        value = negativeExponent ? 0.0 : std::numeric_limits<double>::infinity();
    else if (r.ec != std::errc() || r.ptr != s.data() + s.size())
        return false;
    if (negative) value = -value;
    return true;
}

// In the escaped text form, so no byte of the file reaches a terminal or a
// message box as a control character.
std::string Quoted(std::string_view line) {
    constexpr size_t kShown = 40;
    if (line.size() <= kShown) return "\"" + EscapeBytes(line) + "\"";
    return "\"" + EscapeBytes(line.substr(0, kShown)) + "...\"";
}

// Counts lines as the reader splits them: CR LF, LF or a lone CR ends one,
// and a last line without an end counts too. Fed in pieces, so a CR LF may
// fall across two.
class LineCounter {
public:
    void Feed(std::string_view bytes) {
        for (const char c : bytes) {
            if (c == '\n') {
                if (!afterCr_) ++ends_;
                afterCr_ = false;
                open_ = false;
            } else if (c == '\r') {
                ++ends_;
                afterCr_ = true;
                open_ = false;
            } else {
                afterCr_ = false;
                open_ = true;
            }
        }
    }
    int64_t Lines() const { return ends_ + (open_ ? 1 : 0); }
    // Lines ended so far with their ends known (a CR at the very end may
    // still be the first half of a CR LF).
    int64_t EndedLines() const { return ends_ - (afterCr_ ? 1 : 0); }

private:
    int64_t ends_ = 0;
    bool afterCr_ = false;
    bool open_ = false;
};

// The line from pos: its text, and in next where the following one starts.
std::string_view NextLine(std::string_view bytes, size_t pos, size_t& next) {
    size_t end = bytes.find_first_of(kCrLf, pos);
    if (end == std::string_view::npos) {
        next = end = bytes.size();
    } else {
        next = end + (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1);
    }
    return bytes.substr(pos, end - pos);
}

std::string LineLabel(int line) { return "Line " + std::to_string(line) + " (" + TemplateLineName(line) + ")"; }

}  // namespace

std::string TemplateResult::Message() const { return description + " (Error #" + std::to_string(code) + ")"; }

std::string TemplateLineName(int line) {
    if (line >= 1 && line <= kTengwaFieldCount) return "tengwa field " + std::to_string(line - 1);
    if (line == kTehtaOrderLine) return "the tehta order";
    if (line >= kTehtaFirstLine && line < kShortCarrierLine)
        return "tehta field " + std::to_string(line - kTehtaFirstLine);
    if (line == kShortCarrierLine) return "the short-carrier box";
    if (line == kDoubleTengwarLine) return "the under-bar box";
    if (line == kSCurlsLine) return "the s-curl box";
    if (line >= kLongCarrierFirstLine && line < kLongCarrierLine)
        return "long-carrier field " + std::to_string(line - kLongCarrierFirstLine);
    if (line == kLongCarrierLine) return "the long-carrier box";
    return "not read";
}

std::string SerializeTemplate(const WizardFields& f) {
    std::string out;
    for (int line = 1; line <= kTemplateLineCount; ++line) {
        if (line == kTehtaOrderLine) {
            // One flag for two buttons: "False" also when neither is chosen.
            out += f.optTehtaOrder == TehtaOrder::Following ? "True" : "False";
        } else if (const int* check = CheckField(f, line)) {
            out += std::to_string(*check);
        } else {
            out += *TextField(f, line);
        }
        out += kCrLf;
    }
    return out;
}

TemplateRead ReadTemplate(std::string_view bytes, WizardFields& fields) {
    TemplateRead read;
    LineCounter counter;
    counter.Feed(bytes);
    read.linesInFile = counter.Lines();

    size_t pos = 0;
    for (int line = 1; line <= kTemplateLineCount && pos < bytes.size(); ++line) {
        size_t next = 0;
        const std::string_view text = NextLine(bytes, pos, next);
        pos = next;

        if (text.size() > kTemplateLineLimit) {
            read.failedLine = line;
            read.result = {kTplLineTooLong, LineLabel(line) + " is longer than " + std::to_string(kTemplateLineLimit) +
                                                " characters, more than a wizard field holds, so the file is "
                                                "not a template."};
            return read;
        }
        if (std::string* field = TextField(fields, line)) {
            field->assign(text);
        } else if (line == kTehtaOrderLine) {
            bool following;
            double number;
            if (EqualsIgnoringCase(Trim(text), "True")) {
                following = true;
            } else if (EqualsIgnoringCase(Trim(text), "False")) {
                following = false;
            } else if (ParseNumber(text, number)) {
                following = number != 0.0;
            } else {
                read.failedLine = line;
                read.result = {kTplNotAValue, LineLabel(line) + " reads " + Quoted(text) +
                                                  ", which is neither True, False nor a number."};
                return read;
            }
            fields.optTehtaOrder = following ? TehtaOrder::Following : TehtaOrder::Preceding;
        } else {
            double number;
            if (!ParseNumber(text, number)) {
                read.failedLine = line;
                read.result = {kTplNotAValue, LineLabel(line) + " reads " + Quoted(text) + ", which is not a number."};
                return read;
            }
            const double rounded = RoundHalfEven(number);
            if (!(rounded == 0.0 || rounded == 1.0 || rounded == 2.0)) {
                read.failedLine = line;
                read.result = {kTplBadCheckValue, LineLabel(line) + " reads " + Quoted(text) +
                                                      ", which is not a check box value (0, 1 or 2)."};
                return read;
            }
            *CheckField(fields, line) = int(rounded);
        }
        read.linesRead = line;
    }
    return read;
}

TemplateResult CheckTemplate(const WizardFields& fields) {
    for (int line = 1; line <= kTemplateLineCount; ++line) {
        if (const int* check = CheckField(fields, line)) {
            if (*check < kUnchecked || *check > kGreyed)
                return {kTplCannotSave, "The template was not saved: " + TemplateLineName(line) + " holds " +
                                            std::to_string(*check) + ", which is not a check box value."};
        } else if (line != kTehtaOrderLine) {
            const std::string& text = *TextField(fields, line);
            std::string name = TemplateLineName(line);
            name[0] = char(name[0] - 'a' + 'A');
            if (text.find_first_of(kCrLf) != std::string::npos)
                return {kTplCannotSave, name + " holds a line break, which a template line cannot keep; "
                                               "the template was not saved."};
            if (text.size() > kTemplateLineLimit)
                return {kTplCannotSave, name + " holds more than " + std::to_string(kTemplateLineLimit) +
                                            " characters, more than a template line keeps; the template was not "
                                            "saved."};
        }
    }
    return {};
}

TemplateResult SaveTemplate(const std::string& path, const WizardFields& fields) {
    // Refuse rather than write a file that would load back shifted or fail.
    if (TemplateResult check = CheckTemplate(fields); !check.ok()) return check;
    std::string error;
    if (!WriteFileAtomically(path, SerializeTemplate(fields), error)) return {kTplFileAccess, error};
    return {};
}

TemplateRead ReadTemplateFile(const std::string& path, WizardFields& fields, bool countLines) {
    TemplateRead read;
    InputFile in;
    std::string error;
    switch (in.Open(path, error)) {
    case OpenResult::Ok: break;
    case OpenResult::Missing: read.result = {kTplFileNotFound, "The file \"" + path + "\" was not found."}; return read;
    default: read.result = {kTplFileAccess, error}; return read;
    }
    // The first 97 lines of the longest length and their CR LFs, and one
    // byte more to tell a CR from a CR LF: a longer line shows within it.
    constexpr size_t kHeadLimit = size_t(kTemplateLineCount) * (kTemplateLineLimit + 2) + 1;
    std::string head;
    LineCounter counter;
    char chunk[1 << 16];
    bool atEnd = false;
    while (head.size() < kHeadLimit && counter.EndedLines() < kTemplateLineCount) {
        const std::ptrdiff_t n = in.Read(chunk, std::min(sizeof chunk, kHeadLimit - head.size()), error);
        if (n < 0) {
            read.result = {kTplFileAccess, error};
            return read;
        }
        if (n == 0) {
            atEnd = true;
            break;
        }
        head.append(chunk, size_t(n));
        counter.Feed(std::string_view(chunk, size_t(n)));
    }
    const TemplateRead headRead = ReadTemplate(head, fields);
    read.result = headRead.result;
    read.linesRead = headRead.linesRead;
    read.failedLine = headRead.failedLine;
    while (countLines && !atEnd) {
        const std::ptrdiff_t n = in.Read(chunk, sizeof chunk, error);
        if (n <= 0) break;
        counter.Feed(std::string_view(chunk, size_t(n)));
    }
    read.linesInFile = counter.Lines();
    return read;
}

TemplateResult LoadTemplate(const std::string& path, WizardFields& fields) {
    return ReadTemplateFile(path, fields).result;
}

}  // namespace vel
