#pragma once
// Font choice: which installed fonts show Roman text and Tengwar glyphs
// when the settings name none, and the bundled Tengwar font. How a window
// hands the two names to its controls is dialogs/FontTags.
#include <QString>
#include <QStringList>


namespace vel {

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

}  // namespace vel
