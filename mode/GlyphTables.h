#pragma once
// The fixed glyph tables of the classic Tengwar font encoding, as the
// wizard and the special character picker use them: per tengwa index its glyph, wizard
// page, tehta placement class, s-curl and under-bar; per tehta mark its
// glyph in each placement class. All glyphs are single codes of the
// Tengwar font encoding.
#include <array>
#include <string>

namespace vel {

// One wizard field per glyph: 72 tengwar, 10 tehta marks (and 10 long
// carriers bearing them).
inline constexpr int kTengwaFieldCount = 72;
inline constexpr int kTehtaFieldCount = 10;

inline constexpr char kShortCarrier = '\x60';
inline constexpr char kLongCarrier = '\x7E';

// Where a tehta stands on a tengwa; D is also the form on a carrier.
enum class TehtaClass : int { None = -1, A = 0, B = 1, C = 2, D = 3 };
inline constexpr int kTehtaClassCount = 4;

struct TengwaGlyph {
    char glyph;
    int page;          // 0 standard, 1 additional, 2 alternate
    TehtaClass tehta;  // None: takes no tehta clauses
    char sCurl;        // 0: takes no s-curl clause
    char underBar;     // 0: takes no under-bar clause
};

extern const std::array<TengwaGlyph, kTengwaFieldCount> kTengwaTable;
// kTehtaTable[j][class]: the glyph of tehta mark j in classes A to D.
extern const std::array<std::array<char, kTehtaClassCount>, kTehtaFieldCount> kTehtaTable;

inline char TehtaGlyph(int mark, TehtaClass c) { return kTehtaTable[size_t(mark)][size_t(c)]; }

// The captions of the glyph labels beside the wizard's fields.
std::string TengwaLabel(int index);        // the tengwa's glyph
std::string TehtaLabel(int mark);          // short carrier + class-D glyph
std::string LongCarrierLabel(int mark);    // long carrier + class-D glyph

}  // namespace vel
