#pragma once
// The special character picker's entry point, shared by every text field
// that may hold glyph codes: the main window's entry fields and comment box,
// and the find and replace fields.
class QLineEdit;
class QWidget;

namespace vel {

// Shows the picker modally, owned by owner, in the font of target, and puts
// the collected text into target in place of its selection (at the caret
// when nothing is selected). Nothing on an empty result; no message on any
// failure.
void InsertSpecialCharacter(QLineEdit* target, QWidget* owner);

}  // namespace vel
