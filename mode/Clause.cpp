#include "mode/Clause.h"

namespace vel {

Clause MakeClause(std::string roman, std::string tengwar, std::string ifNext, std::string ifPrevious,
                  std::string id) {
    Clause c;
    c.fields = {std::move(roman), std::move(tengwar), std::move(ifNext), std::move(ifPrevious), std::move(id)};
    return c;
}

std::string RowText(const Clause& clause) {
    std::string text;
    text.reserve(clause.fields[0].size() + clause.fields[1].size() + 8);
    for (int c = 0; c < kColumnCount; ++c) {
        if (c > 0) text += kTab;
        text += clause.fields[c];
    }
    return text;
}

Clause ParseRowText(std::string_view text) {
    Clause clause;
    size_t start = 0;
    for (int c = 0; c < kColumnCount; ++c) {
        const size_t tab = text.find(kTab, start);
        if (tab == std::string_view::npos) {
            clause.fields[c] = std::string(text.substr(start));
            break;
        }
        clause.fields[c] = std::string(text.substr(start, tab - start));
        start = tab + 1;
    }
    return clause;
}

}  // namespace vel
