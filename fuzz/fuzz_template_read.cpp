// The template reader: any bytes are read without a crash, no field takes a
// line break, and the file reader (which reads only as far as 97 lines can
// reach) finds exactly what the in-memory reader finds.
#include "fuzz/FuzzSupport.h"
#include "wizard/ModeTemplate.h"

using namespace vel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    WizardFields fields;
    const TemplateRead read = ReadTemplate(bytes, fields);
    FUZZ_CHECK(read.linesRead >= 0 && read.linesRead <= kTemplateLineCount);
    FUZZ_CHECK(read.linesRead <= read.linesInFile);
    if (read.result.ok()) {
        FUZZ_CHECK(read.failedLine == 0);
        FUZZ_CHECK(read.linesRead == std::min<int64_t>(kTemplateLineCount, read.linesInFile));
    } else {
        FUZZ_CHECK(read.failedLine == read.linesRead + 1 && !read.result.description.empty());
    }
    for (const std::string& t : fields.txtRoman) FUZZ_CHECK(t.find_first_of("\r\n") == std::string::npos);
    for (const std::string& t : fields.txtTehta) FUZZ_CHECK(t.find_first_of("\r\n") == std::string::npos);
    for (const std::string& t : fields.txtLongCarrier) FUZZ_CHECK(t.find_first_of("\r\n") == std::string::npos);
    for (const int check : {fields.chkShortCarrier, fields.chkDoubleTengwar, fields.chkSCurls, fields.chkLongCarrier})
        FUZZ_CHECK(check >= kUnchecked && check <= kGreyed);

    WizardFields fromFile;
    const TemplateRead fileRead = ReadTemplateFile(fuzz::ScratchFile(bytes), fromFile, true);
    FUZZ_CHECK(fileRead.result.code == read.result.code && fileRead.result.description == read.result.description);
    FUZZ_CHECK(fileRead.linesRead == read.linesRead && fileRead.failedLine == read.failedLine);
    FUZZ_CHECK(fileRead.linesInFile == read.linesInFile);
    FUZZ_CHECK(fromFile == fields);
    return 0;
}
