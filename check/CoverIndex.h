#pragma once
// Which earlier clause, if any, applies wherever a later one would, so that
// the later one is never used. The clauses are indexed by their exact Roman
// text and their two conditions, keeping the first row of each combination;
// a clause then asks only about the few texts that can stand where it does
// (the prefixes of its Roman text and of what its If next roman promises),
// never about every other clause.
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "mode/ModeTable.h"

namespace vel {

class CoverIndex {
public:
    // Codes for condition and ID texts: 0 empty, 1 + b for the one byte b,
    // above that one per longer text. kNoCode for a text no clause holds.
    static constexpr uint32_t kNoCode = UINT32_MAX;

    // usable[i] (row i + 1) says whether that clause can apply at all; rows
    // without Roman letters are left out whatever it says.
    CoverIndex(const ModeTable& table, const std::vector<bool>& usable);

    // The first row before `row` that applies wherever row would, or 0.
    int FindCover(int row) const;

    uint32_t Code(std::string_view text) const;
    uint32_t CodeCount() const { return nextCode_; }

private:
    uint32_t Intern(std::string_view text);
    uint32_t FirstRow(uint32_t group, uint32_t previous, uint32_t next) const;
    void Insert(uint64_t key, uint32_t row);
    static uint64_t Key(uint32_t group, uint32_t previous, uint32_t next);
    // The group of a Roman text given its hash, or kNoCode.
    uint32_t FindGroup(std::string_view text, uint64_t hash) const;
    uint32_t AddGroup(std::string_view text, uint64_t hash);

    const ModeTable& table_;
    std::unordered_map<std::string_view, uint32_t> codes_;  // longer condition texts
    uint32_t nextCode_ = 257;
    // Open addressing throughout; the Roman texts are views into the table.
    struct GroupSlot {
        uint64_t hash = 0;
        uint32_t group = kNoCode;  // kNoCode marks a free slot
    };
    std::vector<GroupSlot> groupSlots_;
    std::vector<std::string_view> groupTexts_;
    struct RowSlot {
        uint64_t key = 0;
        uint32_t row = 0;  // 0 marks a free slot
    };
    std::vector<RowSlot> rowSlots_;
    uint64_t mask_ = 0;
};

}  // namespace vel
