// Save then read: a field set that CheckTemplate lets through comes back
// from its 97 lines unchanged (no tehta order chosen reads back as the
// preceding tengwa); one it refuses really holds what a line cannot keep.
#include "fuzz/FuzzSupport.h"
#include "wizard/ModeTemplate.h"

using namespace vel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Bytes in(data, size);
    WizardFields f;
    bool unsavable = false;
    const auto text = [&](std::string& field) {
        field = in.Text(12);
        unsavable |= field.find_first_of("\r\n") != std::string::npos;
    };
    for (std::string& t : f.txtRoman) text(t);
    for (std::string& t : f.txtTehta) text(t);
    for (std::string& t : f.txtLongCarrier) text(t);
    const TehtaOrder orders[] = {TehtaOrder::None, TehtaOrder::Following, TehtaOrder::Preceding};
    f.optTehtaOrder = orders[in.Byte() % 3];
    for (int* check : {&f.chkShortCarrier, &f.chkDoubleTengwar, &f.chkSCurls, &f.chkLongCarrier}) {
        *check = int(in.Byte() % 5) - 1;  // -1 to 3
        unsavable |= *check < kUnchecked || *check > kGreyed;
    }

    const TemplateResult check = CheckTemplate(f);
    FUZZ_CHECK(check.ok() == !unsavable);
    if (!check.ok()) {
        FUZZ_CHECK(check.code == kTplCannotSave);
        return 0;
    }
    const std::string bytes = SerializeTemplate(f);
    WizardFields back;
    back.optTehtaOrder = TehtaOrder::Following;  // every line must overwrite what was there
    back.chkSCurls = kGreyed;
    const TemplateRead read = ReadTemplate(bytes, back);
    FUZZ_CHECK(read.result.ok() && read.linesRead == kTemplateLineCount && read.linesInFile == kTemplateLineCount);
    if (f.optTehtaOrder == TehtaOrder::None) f.optTehtaOrder = TehtaOrder::Preceding;
    FUZZ_CHECK(back == f);
    return 0;
}
