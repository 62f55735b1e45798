#pragma once
// The mode template (".mot"): the wizard field set as 97 text lines, each
// ended by CR LF (on reading CR LF, LF or a lone CR), whose meaning is given
// by position alone:
//   1-72 tengwa texts, 73 tehta order ("True" when the following tengwa is
//   chosen), 74-83 tehta texts, 84-86 the short-carrier, under-bar and
//   s-curl boxes, 87-96 long-carrier texts, 97 the long-carrier box.
#include <cstdint>
#include <string>
#include <string_view>

#include "wizard/WizardFields.h"

namespace vel {

inline constexpr int kTemplateLineCount = 97;
inline constexpr int kTehtaOrderLine = 73;
// A wizard field holds at most 32767 characters; a longer line is no
// template's.
inline constexpr size_t kTemplateLineLimit = 32767;

// Error numbers of the "Error!" message; 0 is success.
enum TemplateError : int {
    kTemplateOk = 0,
    kTplCannotSave = 5,      // the field set holds what a template line cannot keep
    kTplLineTooLong = 7,     // a line is longer than any wizard field
    kTplNotAValue = 13,      // a line is not the truth value or number it should be
    kTplFileNotFound = 53,
    kTplFileAccess = 75,     // the file could not be opened, read or written
    kTplBadCheckValue = 380, // a check line's number does not round to 0, 1 or 2
};

struct TemplateResult {
    int code = kTemplateOk;
    std::string description;

    bool ok() const { return code == kTemplateOk; }
    // "<description> (Error #<code>)", the text of the "Error!" message.
    std::string Message() const;
};

// What one read did: how far it went and why it stopped.
struct TemplateRead {
    TemplateResult result;
    int64_t linesInFile = 0;  // see ReadTemplateFile
    int linesRead = 0;   // lines taken into fields, from line 1
    int failedLine = 0;  // the line that stopped the read with an error; 0 when none
};

// What line n (1 to 97) holds, for messages: "tengwa field 17", "the tehta
// order", "the short-carrier box" and so on.
std::string TemplateLineName(int line);

// The bytes SaveTemplate writes, exactly. Texts are written unchanged.
std::string SerializeTemplate(const WizardFields& fields);

// Reads template bytes into fields line by line. A line ends with CR LF, LF
// or a lone CR, so no CR travels into a field and from there into clauses.
// A short file stops the read quietly at its end; lines after 97 are not
// read. On a bad line (a value that does not read, a line longer than
// kTemplateLineLimit) the read stops with an error; the lines before it
// keep their new values, the fields after it their old ones.
TemplateRead ReadTemplate(std::string_view bytes, WizardFields& fields);

// Why SaveTemplate would refuse the field set (a text with a line break or
// longer than a line may be, a check value other than 0, 1 or 2): what
// would not come back whole. Ok when it can be saved.
TemplateResult CheckTemplate(const WizardFields& fields);

// Writes the field set to path, unless CheckTemplate refuses it. The file
// is written through a temporary, so a failed save leaves the old file as
// it was.
TemplateResult SaveTemplate(const std::string& path, const WizardFields& fields);

// Reads the template file at path into fields, as ReadTemplate. Only what
// the first 97 lines can take is read (97 lines of the longest length), so
// a huge file costs no more memory than a template; a FIFO or a device is
// refused. linesInFile counts the lines of the whole file when countLines
// is set (read on in pieces), otherwise only those of the part read.
TemplateRead ReadTemplateFile(const std::string& path, WizardFields& fields, bool countLines = false);

// ReadTemplateFile's result.
TemplateResult LoadTemplate(const std::string& path, WizardFields& fields);

}  // namespace vel
