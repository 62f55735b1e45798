#pragma once
// Names of the glyphs that the wizard's tables place, per code of the classic
// 8-bit Tengwar encoding, for tooltips and listings. Names are bytes of the
// program's code page (Windows-1252), so "thúle" keeps its accent through the
// byte codec. A code the tables do not place, or whose glyph varies between
// fonts or has no settled name, has none.
#include <string_view>

namespace vel {

// The glyph's name, or empty when the code has none.
std::string_view GlyphName(unsigned char code);

}  // namespace vel
