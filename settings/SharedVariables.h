#pragma once
// The program-wide values that start-up fills once and every window reads:
// the two display font names and the modes folder.
#include <QString>

namespace vel {

struct SharedVariables {
    QString strRomanFont;    // Roman text, captions and ordinary controls
    QString strTengwarFont;  // Tengwar glyph codes
    QString strModePath;     // the modes folder, forward slashes, no closing slash
};

}  // namespace vel
