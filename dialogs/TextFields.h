#pragma once
// Text fields select their whole text when they get the focus, so the next
// keystroke replaces it.
class QLineEdit;

namespace vel {

// Selects the whole text of a field, so the next keystroke replaces it.
void SelAll(QLineEdit* field);
// Makes field select all of its text whenever it gets the focus.
void SelAllOnFocus(QLineEdit* field);

}  // namespace vel
