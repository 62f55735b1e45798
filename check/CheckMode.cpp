#include "check/CheckMode.h"

#include <algorithm>

#include "check/CoverIndex.h"
#include "mode/Cp1252.h"
#include "mode/SaveCheck.h"
#include "preview/Reading.h"

namespace vel {

namespace {

const char* const kKindNames[kFindingKindCount] = {"unsaved", "case", "never-used", "never-holds", "empty-tengwar"};

// A field as the sentence shows it: the bytes themselves, but those that
// cannot be shown (control bytes, 0x7F, the undefined codes) as \xHH.
std::string Shown(std::string_view bytes) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) {
            out += "\\x";
            out += hex[b >> 4];
            out += hex[b & 15];
        } else {
            out += c;
        }
    }
    return out;
}

std::string RowName(int row, const ModeTable& table) {
    return "row " + std::to_string(row) + " (" + Shown(table.ClauseAt(row).Roman()) + ")";
}

std::string Capitalised(std::string s) {
    if (!s.empty() && s[0] >= 'a' && s[0] <= 'z') s[0] = char(s[0] - 32);
    return s;
}

// "row 3", "row 3 and row 9", "row 3, row 9, row 11 and 4 more rows".
// The caller names at most `shown` rows.
std::string RowList(const std::vector<int>& rows, size_t shown) {
    std::string out;
    const size_t named = std::min(rows.size(), shown);
    for (size_t i = 0; i < named; ++i) {
        if (i > 0) out += (i + 1 == named && named == rows.size()) ? " and " : ", ";
        out += "row " + std::to_string(rows[i]);
    }
    const size_t more = rows.size() - named;
    if (more > 0) out += " and " + std::to_string(more) + (more == 1 ? " more row" : " more rows");
    return out;
}

bool HasCapital(std::string_view text) {
    for (char c : text)
        if (LowerCp1252(static_cast<unsigned char>(c)) != static_cast<unsigned char>(c)) return true;
    return false;
}

}  // namespace

const char* KindName(FindingKind kind) { return kKindNames[int(kind)]; }

bool KindFromName(std::string_view name, FindingKind& kind) {
    for (int k = 0; k < kFindingKindCount; ++k)
        if (name == kKindNames[k]) {
            kind = FindingKind(k);
            return true;
        }
    return false;
}

std::vector<Finding> CheckMode(const ModeTable& table) {
    const int n = table.ClauseCount();
    // What each row is found to be; the findings are written from this in
    // one pass, in row order, so nothing needs sorting.
    enum CaseProblem : unsigned char { kNoCase, kCapitalRoman, kCapitalNext };
    std::vector<unsigned char> caseProblem(size_t(n), kNoCase);
    std::vector<bool> canApply(size_t(n), false);  // Roman letters and no capital that never matches
    for (int row = 1; row <= n; ++row) {
        const Clause& c = table.ClauseAt(row);
        if (c.Roman().empty()) continue;
        if (!table.CaseSensitive()) {
            if (HasCapital(c.Roman()))
                caseProblem[size_t(row - 1)] = kCapitalRoman;
            else if (!IsMarker(c.IfNextRoman()) && HasCapital(c.IfNextRoman()))
                caseProblem[size_t(row - 1)] = kCapitalNext;
        }
        canApply[size_t(row - 1)] = caseProblem[size_t(row - 1)] == kNoCase;
    }

    // Clauses that an earlier clause always pre-empts.
    const CoverIndex index(table, canApply);
    std::vector<int> cover(size_t(n), 0);
    for (int row = 1; row <= n; ++row)
        if (canApply[size_t(row - 1)]) cover[size_t(row - 1)] = index.FindCover(row);

    // IDs that can be left, to a fixed point: clauses without an If previous
    // ID (or with the marker) are used if not pre-empted, and each ID they
    // leave lets in the clauses waiting for it.
    const uint32_t codes = index.CodeCount();
    std::vector<std::vector<int>> waiting(codes), leavers(codes);
    std::vector<bool> idLeft(codes, false);
    std::vector<uint32_t> queue;
    auto use = [&](int row) {
        const uint32_t id = index.Code(table.ClauseAt(row).ID());
        if (id != 0 && id != CoverIndex::kNoCode && !idLeft[id]) {
            idLeft[id] = true;
            queue.push_back(id);
        }
    };
    for (int row = 1; row <= n; ++row) {
        const Clause& c = table.ClauseAt(row);
        if (c.Roman().empty()) continue;
        const uint32_t id = index.Code(c.ID());
        if (id != 0 && id != CoverIndex::kNoCode) leavers[id].push_back(row);
        if (!canApply[size_t(row - 1)] || cover[size_t(row - 1)] != 0) continue;
        const std::string_view prev = c.IfPreviousID();
        if (prev.empty() || IsMarker(prev)) {
            use(row);
        } else {
            const uint32_t code = index.Code(prev);
            if (code != CoverIndex::kNoCode) waiting[code].push_back(row);
        }
    }
    while (!queue.empty()) {
        const uint32_t id = queue.back();
        queue.pop_back();
        for (int row : waiting[id]) use(row);
    }

    std::vector<Finding> findings;
    const std::vector<SaveProblem> saveProblems = FindSaveProblems(table);
    size_t nextSave = 0;
    auto saveFindings = [&](int row) {
        for (; nextSave < saveProblems.size() && saveProblems[nextSave].row == row; ++nextSave)
            findings.push_back({FindingKind::Unsaved, row > 0 ? std::vector<int>{row} : std::vector<int>{},
                                saveProblems[nextSave].sentence});
    };
    saveFindings(0);
    for (int row = 1; row <= n; ++row) {
        const Clause& c = table.ClauseAt(row);
        const size_t i = size_t(row - 1);
        if (c.Roman().empty()) {
            bool filled = false;
            for (int col = ColTengwar; col < kColumnCount; ++col) filled = filled || !c.Field(col).empty();
            if (filled)
                findings.push_back({FindingKind::Unsaved,
                                    {row},
                                    "Row " + std::to_string(row) +
                                        " has no Roman letters, so Save leaves it out of the file and its other "
                                        "fields are lost."});
            continue;
        }
        saveFindings(row);
        const std::string name = Capitalised(RowName(row, table));
        if (caseProblem[i] == kCapitalRoman)
            findings.push_back({FindingKind::Case,
                                {row},
                                name + " can never be used: the mode is not case sensitive, so the text is "
                                       "lower-cased and the capitals of its Roman field never match."});
        if (caseProblem[i] == kCapitalNext)
            findings.push_back({FindingKind::Case,
                                {row},
                                name + " can never be used: its If next roman (" + Shown(c.IfNextRoman()) +
                                    ") holds a capital, and the mode is not case sensitive, so the text is "
                                    "lower-cased and never holds one."});
        if (cover[i] != 0)
            findings.push_back({FindingKind::NeverUsed,
                                {row, cover[i]},
                                name + " can never be used: " + RowName(cover[i], table) + " always applies first."});
        // A reason of its own for a clause not already reported unusable.
        const std::string_view prev = c.IfPreviousID();
        if (canApply[i] && cover[i] == 0 && !prev.empty() && !IsMarker(prev)) {
            const uint32_t code = index.Code(prev);
            if (code == CoverIndex::kNoCode || !idLeft[code]) {
                Finding f{FindingKind::NeverHolds, {row}, name + " can never be used: "};
                const std::string what = "the ID " + Shown(prev) + " that its If previous ID asks for";
                const std::vector<int> none;
                const std::vector<int>& by = code == CoverIndex::kNoCode ? none : leavers[code];
                if (by.empty()) {
                    f.sentence += "no clause leaves " + what + ".";
                } else {
                    f.sentence += what + " is left only by " + RowList(by, 3) + ", which can never be used " +
                                  (by.size() == 1 ? "itself." : "themselves.");
                    f.rows.insert(f.rows.end(), by.begin(),
                                  by.begin() + std::ptrdiff_t(std::min<size_t>(by.size(), 3)));
                }
                findings.push_back(std::move(f));
            }
        }
        if (c.Tengwar().empty())
            findings.push_back(
                {FindingKind::EmptyTengwar, {row}, name + " writes nothing: its Tengwar field is empty."});
    }
    return findings;
}

}  // namespace vel
