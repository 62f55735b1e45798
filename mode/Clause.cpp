#include "mode/Clause.h"

#include <cstring>

namespace vel {

Clause::Clause(std::string_view roman, std::string_view tengwar, std::string_view ifNext,
               std::string_view ifPrevious, std::string_view id) {
    const std::string_view parts[kColumnCount] = {roman, tengwar, ifNext, ifPrevious, id};
    size_t total = 0;
    for (const std::string_view part : parts) total += part.size();
    data_.resize(total);
    size_t at = 0;
    for (size_t c = 0; c < kColumnCount; ++c) {
        if (!parts[c].empty()) std::memcpy(data_.data() + at, parts[c].data(), parts[c].size());
        at += parts[c].size();
        if (c < kColumnCount - 1) end_[c] = uint32_t(at);
    }
}

void Clause::SetField(int col, std::string_view text) {
    // A part of this clause's own text (a field cut short) is copied first.
    const bool own = text.data() >= data_.data() && text.data() < data_.data() + data_.size();
    const std::string copy = own ? std::string(text) : std::string();
    if (own) text = copy;
    const size_t start = Start(col), size = Size(col);
    data_.replace(start, size, text);
    const auto delta = int64_t(text.size()) - int64_t(size);
    for (int c = col; c < kColumnCount - 1; ++c) end_[size_t(c)] = uint32_t(int64_t(end_[size_t(c)]) + delta);
}

std::string RowText(const Clause& clause) {
    std::string text;
    text.reserve(clause.TextSize() + kColumnCount - 1);
    for (int c = 0; c < kColumnCount; ++c) {
        if (c > 0) text += kTab;
        text += clause.Field(c);
    }
    return text;
}

Clause ParseRowText(std::string_view text) {
    std::string_view fields[kColumnCount];
    size_t start = 0;
    for (int c = 0; c < kColumnCount; ++c) {
        const size_t tab = text.find(kTab, start);
        if (tab == std::string_view::npos) {
            fields[c] = text.substr(start);
            break;
        }
        fields[c] = text.substr(start, tab - start);
        start = tab + 1;
    }
    return Clause(fields[0], fields[1], fields[2], fields[3], fields[4]);
}

}  // namespace vel
