#pragma once
// How every window hands the two display fonts to its controls. Each
// control says which font it wants with the dynamic property "fontTag":
// exactly "text" for the Roman font, exactly "tengwar" for the Tengwar
// font; any other value, or none, keeps the control's own font.
#include <QString>

class QWidget;

namespace vel {

inline constexpr char kFontTagProperty[] = "fontTag";
inline constexpr char kFontTagText[] = "text";
inline constexpr char kFontTagTengwar[] = "tengwar";

// Marks a control for one of the two fonts.
void TagFont(QWidget* control, const char* tag);

// Gives each tagged control of window (the window itself first, then its
// descendants in creation order) the family of its tag. Size, weight and
// style stay as designed. An empty name leaves the controls alone.
void ApplyFonts(QWidget* window, const QString& strRomanFont, const QString& strTengwarFont);

}  // namespace vel
