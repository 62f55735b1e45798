#pragma once
// The clause record and its row text: five byte-string fields in the one
// column order that the grid, the entry fields, the clipboard, the file and
// find and replace all share.
#include <array>
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

struct Clause {
    std::array<std::string, kColumnCount> fields;

    const std::string& Roman() const { return fields[ColRoman]; }
    const std::string& Tengwar() const { return fields[ColTengwar]; }
    const std::string& IfNextRoman() const { return fields[ColIfNextRoman]; }
    const std::string& IfPreviousID() const { return fields[ColIfPreviousID]; }
    const std::string& ID() const { return fields[ColID]; }

    bool operator==(const Clause&) const = default;
};

Clause MakeClause(std::string roman, std::string tengwar = {}, std::string ifNext = {},
                  std::string ifPrevious = {}, std::string id = {});

// The five fields joined by single TABs, no TAB after the last.
std::string RowText(const Clause& clause);

// Splits a row text at its TABs. Fewer than five fields leave the rest
// empty; fields after the fifth are dropped, as the grid drops cells beyond
// its last column, so a field never holds a TAB.
Clause ParseRowText(std::string_view text);

}  // namespace vel
