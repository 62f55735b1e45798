#pragma once
// The one Windows-1252 table of the program. Mode files, templates and the
// clipboard hold 8-bit text; every conversion between those bytes and
// Unicode goes through this table, so each of the 256 byte values keeps a
// character of its own (the five codes Windows-1252 leaves undefined map to
// the C1 controls of the same value).
#include <string>
#include <string_view>

namespace vel {

// Unicode code point of each byte.
extern const char16_t kCp1252ToUnicode[256];

// The byte for a code point, or -1 when the code page has none.
int UnicodeToCp1252(char32_t cp);

// The lower-case byte by the rules of Windows-1252: A-Z, the accented
// capitals of the Latin-1 half and the four capitals of the 0x80 row
// (Š, Œ, Ž, Ÿ). Every other byte comes back unchanged.
unsigned char LowerCp1252(unsigned char b);
std::string LowerCp1252(std::string_view text);

// True when the byte's character is a letter or a digit: in Unicode's
// letter or number categories (so ª µ º ƒ ˆ Š Œ Ž the accented letters and
// ² ³ ¹ ¼ ½ ¾ count). The five undefined bytes, punctuation, symbols, spaces
// and control bytes do not. This decides where the non-alphanumeric marker
// holds.
bool IsCp1252Alnum(unsigned char b);

// Appends the UTF-8 form of one code point.
void AppendUtf8(std::string& out, char32_t cp);

// Decodes the next code point of UTF-8 text at pos and advances pos; returns
// false on a malformed sequence (pos is then left unchanged).
bool NextUtf8(std::string_view text, size_t& pos, char32_t& cp);

}  // namespace vel
