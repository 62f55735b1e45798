#include "mode/GlyphNames.h"

#include <array>

#include "mode/GlyphTables.h"

namespace vel {

namespace {

// By tengwa field index, as the glyph table orders them; empty where the
// glyph is not one of the well-known letters. Index 63 repeats the glyph of
// 31, and 64 to 71 those of 40 to 47, so they add nothing.
constexpr std::array<std::string_view, 56> kTengwaNames = {
    // The four témar, page 0.
    "tinco", "parma", "calma", "quesse",      //
    "ando", "umbar", "anga", "ungwe",         //
    "th\xFAle", "formen", "harma", "hwesta",  //
    "anto", "ampa", "anca", "unque",          //
    "n\xFAmen", "malta", "noldo", "nwalme",   //
    "\xF3re", "vala", "anna", "vilya",        //
    // The additional letters, page 1.
    "r\xF3men", "arda", "lambe", "alda",                     //
    "silme", "silme nuquerna", "\xE1ze", "\xE1ze nuquerna",  //
    "hyarmen", "hwesta sindarinwa", "yanta", "\xFAre",       //
    "halla", "short carrier", "long carrier", "",            //
    "", "", "", "", "", "", "", "",                          //
    // The extended-stem forms of the first two rows, page 2.
    "extended tinco", "extended parma", "extended calma", "extended quesse",  //
    "extended ando", "extended umbar", "extended anga", "extended ungwe",     //
};

// By tehta mark; the upper marks 6 to 9 have no settled names.
constexpr std::array<std::string_view, kTehtaFieldCount> kTehtaNames = {
    "three dots", "acute", "dot", "right curl", "left curl", "two dots", "", "", "", "",
};

std::array<std::string_view, 256> BuildNames() {
    std::array<std::string_view, 256> names{};
    const auto put = [&](char code, std::string_view name) {
        // The first table to place a code names it.
        std::string_view& slot = names[static_cast<unsigned char>(code)];
        if (slot.empty()) slot = name;
    };
    for (size_t i = 0; i < kTengwaNames.size(); ++i) put(kTengwaTable[i].glyph, kTengwaNames[i]);
    for (size_t j = 0; j < kTehtaNames.size(); ++j)
        for (char code : kTehtaTable[j]) put(code, kTehtaNames[j]);
    for (const TengwaGlyph& g : kTengwaTable) {
        if (g.sCurl) put(g.sCurl, "s-curl");
        if (g.underBar) put(g.underBar, "under-bar");
    }
    return names;
}

}  // namespace

std::string_view GlyphName(unsigned char code) {
    static const std::array<std::string_view, 256> names = BuildNames();
    return names[code];
}

}  // namespace vel
