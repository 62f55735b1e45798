#include "tools/Commands.h"

namespace vel::tool {

int Generate(const Args&) {
    Error("generate: not available yet.");
    return kExitUsage;
}

int TemplateCheck(const Args&) {
    Error("template-check: not available yet.");
    return kExitUsage;
}

}  // namespace vel::tool
