#pragma once
// The wizard field set: the Roman texts typed against every tengwa, tehta
// and long-carrier glyph, the tehta order and the four option boxes. The
// wizard window fills one; generation and templates read and write it.
// Texts are bytes of the 8-bit code page, used exactly as typed.
#include <array>
#include <string>

#include "mode/GlyphTables.h"

namespace vel {

// Only indices 0 to 62 take part in generation; 63 to 71 are kept in
// templates but never produce a clause.
inline constexpr int kGeneratedTengwaCount = 63;

// Which tengwa the tehtar stand above. Neither button is selected when the
// wizard opens.
enum class TehtaOrder : int { None = -1, Following = 0, Preceding = 1 };

// A check box value: 0 unchecked, 1 checked, 2 greyed. Only 1 means on.
inline constexpr int kUnchecked = 0;
inline constexpr int kChecked = 1;
inline constexpr int kGreyed = 2;
inline constexpr bool IsOn(int checkValue) { return checkValue == kChecked; }

struct WizardFields {
    std::array<std::string, kTengwaFieldCount> txtRoman;
    std::array<std::string, kTehtaFieldCount> txtTehta;
    std::array<std::string, kTehtaFieldCount> txtLongCarrier;
    TehtaOrder optTehtaOrder = TehtaOrder::None;
    int chkShortCarrier = kUnchecked;
    int chkLongCarrier = kUnchecked;
    int chkSCurls = kUnchecked;
    int chkDoubleTengwar = kUnchecked;

    bool operator==(const WizardFields&) const = default;
};

}  // namespace vel
