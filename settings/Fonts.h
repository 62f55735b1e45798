#pragma once
// Font choice and application, shared by every window: which installed
// fonts show Roman text and Tengwar glyphs when the settings name none, and
// how a window hands the two names to its controls. Each control says which
// font it wants with the dynamic property "fontTag": exactly "text" for the
// Roman font, exactly "tengwar" for the Tengwar font; any other value, or
// none, keeps the control's own font.
#include <QString>
#include <QStringList>

class QLineEdit;
class QWidget;

namespace vel {

inline constexpr char kFontTagProperty[] = "fontTag";
inline constexpr char kFontTagText[] = "text";
inline constexpr char kFontTagTengwar[] = "tengwar";

// The family of the Tengwar font that ships with the editor.
inline constexpr char kBundledTengwarFamily[] = "Velloran Tengwar";

// Picks from families, given in the system's order. Tengwar: "Tengwar
// Quenya", else "Tengwar Sindarin", else "Tengwar Noldor" (exact names, by
// preference, not by list order); else the last family whose lower-cased
// name contains "tengwa"; else the first family. Roman: "Verdana", else
// "Arial", else "MS Sans Serif", else the first family. Empty list: empty.
QString ChooseTengwarFont(const QStringList& families);
QString ChooseRomanFont(const QStringList& families);

// The installed families in the font database's order, the desktop's
// interface font first.
QStringList InstalledFontFamilies();
QString ChooseTengwarFont();
QString ChooseRomanFont();

// True when a family's lower-cased name contains "tengwa".
bool HasTengwarFamily(const QStringList& families);

// Registers the bundled "Velloran Tengwar" with the application when no
// installed family looks like a Tengwar font, so that the choice above finds
// it while any Tengwar font of the user's own keeps precedence. True when it
// was registered by this call.
bool RegisterBundledTengwarFontIfNeeded();

// Gives each tagged control of window (the window itself first, then its
// descendants in creation order) the family of its tag. Size, weight and
// style stay as designed. An empty name leaves the controls alone.
void ApplyFonts(QWidget* window, const QString& strRomanFont, const QString& strTengwarFont);

// Selects the whole text of a field, so the next keystroke replaces it.
void SelAll(QLineEdit* field);
// Makes field select all of its text whenever it gets the focus.
void SelAllOnFocus(QLineEdit* field);

}  // namespace vel
