#include "editing/RowOperations.h"


namespace vel {

std::vector<Clause> ClipboardClauses(std::string_view text) {
    std::vector<Clause> clauses;
    if (text.find(kTab) == std::string_view::npos) return clauses;
    if (text.find('\n') == std::string_view::npos) {
        clauses.push_back(ParseRowText(text));
        return clauses;
    }
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (end < text.size() && !line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.find(kTab) != std::string_view::npos) clauses.push_back(ParseRowText(line));
        start = end + 1;
    }
    return clauses;
}

}  // namespace vel
