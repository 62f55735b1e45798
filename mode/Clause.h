#pragma once
// The clause record and its row text: five byte-string fields in the one
// column order that the grid, the entry fields, the clipboard, the file and
// find and replace all share.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vel {

enum Column : int { ColRoman = 0, ColTengwar = 1, ColIfNextRoman = 2, ColIfPreviousID = 3, ColID = 4 };
inline constexpr int kColumnCount = 5;

// The entry fields' limits: with five separators they fill a 36-byte record.
inline constexpr int kFieldLimits[kColumnCount] = {14, 14, 1, 1, 1};
inline constexpr int kCommentLimit = 34;

// Stands for "non-alphanumeric" in IfNextRoman and IfPreviousID.
inline constexpr char kNonAlphanumeric = '\r';
inline constexpr char kTab = '\t';

// Header row captions, column order.
inline constexpr const char* kColumnCaptions[kColumnCount] = {"Roman", "Tengwar", "If next roman",
                                                              "If previous ID", "ID"};

// One clause: five byte-string fields. They are kept back to back in one
// string with the ends of the first four, 48 bytes in all, so a short
// clause needs no heap block and a table of a million clauses stays small
// and quick to load, sort and insert into.
class Clause {
public:
    Clause() = default;
    Clause(std::string_view roman, std::string_view tengwar = {}, std::string_view ifNext = {},
           std::string_view ifPrevious = {}, std::string_view id = {});

    std::string_view Field(int col) const { return std::string_view(data_).substr(Start(col), Size(col)); }
    void SetField(int col, std::string_view text);
    size_t FieldSize(int col) const { return Size(col); }

    std::string_view Roman() const { return Field(ColRoman); }
    std::string_view Tengwar() const { return Field(ColTengwar); }
    std::string_view IfNextRoman() const { return Field(ColIfNextRoman); }
    std::string_view IfPreviousID() const { return Field(ColIfPreviousID); }
    std::string_view ID() const { return Field(ColID); }
    // The characters of all five fields together.
    size_t TextSize() const { return data_.size(); }

    bool operator==(const Clause&) const = default;

private:
    size_t Start(int col) const { return col == 0 ? 0 : end_[size_t(col - 1)]; }
    size_t End(int col) const { return col == kColumnCount - 1 ? data_.size() : end_[size_t(col)]; }
    size_t Size(int col) const { return End(col) - Start(col); }

    std::string data_;
    std::array<uint32_t, kColumnCount - 1> end_{};
};

inline Clause MakeClause(std::string_view roman, std::string_view tengwar = {}, std::string_view ifNext = {},
                         std::string_view ifPrevious = {}, std::string_view id = {}) {
    return Clause(roman, tengwar, ifNext, ifPrevious, id);
}

// The five fields joined by single TABs, no TAB after the last.
std::string RowText(const Clause& clause);

// Splits a row text at its TABs. Fewer than five fields leave the rest
// empty; fields after the fifth are dropped, as the grid drops cells beyond
// its last column, so a field never holds a TAB.
Clause ParseRowText(std::string_view text);

}  // namespace vel
