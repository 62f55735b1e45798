#pragma once
// The special character picker's entry point, shared by every text field
// that may hold glyph codes: the main window's entry fields and comment box,
// and the find and replace fields.
#include <QString>

class QLineEdit;
class QWidget;

namespace vel {

// The picker's exchange with its caller, for the whole run. strSpecialFont:
// the calling field's font family while the picker is open, empty
// otherwise. strSpecialText: the calling field's whole text on the way in,
// the text to insert (empty for nothing) on the way out.
extern QString strSpecialFont;
extern QString strSpecialText;

// Shows the picker modally, owned by owner, in the font of target, and puts
// the collected text into target in place of its selection (at the caret
// when nothing is selected). Nothing on an empty result; no message on any
// failure. The text is not lowered; it meets the field's length limit, and
// TAB, CR and LF never come in.
void InsertSpecialCharacter(QLineEdit* target, QWidget* owner);

}  // namespace vel
