#include "editing/RowOperations.h"

#include <algorithm>

namespace vel {

namespace {

bool WithinOneCharacterFields(const Clause& clause) {
    for (int c = ColIfNextRoman; c < kColumnCount; ++c)
        if (clause.FieldSize(c) > size_t(kFieldLimits[c])) return false;
    return true;
}

}  // namespace

std::vector<Clause> ClipboardClauses(std::string_view text) {
    std::vector<Clause> clauses;
    if (text.find(kTab) == std::string_view::npos) return clauses;
    std::string_view body = text;
    if (body.ends_with('\n')) {
        body.remove_suffix(1);
        if (body.ends_with('\r')) body.remove_suffix(1);
    }
    if (body.find('\n') == std::string_view::npos) {
        clauses.push_back(ParseRowText(body));
        return clauses;
    }
    if (std::count(body.begin(), body.end(), kTab) == kColumnCount - 1) {
        Clause whole = ParseRowText(body);
        if (WithinOneCharacterFields(whole)) {
            clauses.push_back(std::move(whole));
            return clauses;
        }
    }
    size_t start = 0;
    while (start <= body.size()) {
        size_t end = body.find('\n', start);
        if (end == std::string_view::npos) end = body.size();
        std::string_view line = body.substr(start, end - start);
        if (end < body.size() && !line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.find(kTab) != std::string_view::npos) clauses.push_back(ParseRowText(line));
        start = end + 1;
    }
    return clauses;
}

}  // namespace vel
