#include "dialogs/SpecialCharacters.h"

#include <QLineEdit>

namespace vel {

void InsertSpecialCharacter(QLineEdit* target, QWidget* owner) {
    (void)target;
    (void)owner;
}

}  // namespace vel
