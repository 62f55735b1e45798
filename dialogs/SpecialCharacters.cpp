#include "dialogs/SpecialCharacters.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QVariant>

#include "dialogs/ByteLineEdit.h"
#include "dialogs/FontTags.h"
#include "dialogs/SpecialCharacterPicker.h"

namespace vel {

QString strSpecialFont;
QString strSpecialText;

namespace {

// The chosen text font, as the owner's window has applied it to its
// controls tagged "text"; the application's font when it has none.
QString TextFontOf(const QWidget* owner) {
    if (owner) {
        const QWidget* window = owner->window();
        QList<const QWidget*> controls{window};
        for (const QWidget* w : window->findChildren<QWidget*>()) controls.append(w);
        for (const QWidget* w : controls)
            if (w->property(kFontTagProperty).toString() == QLatin1String(kFontTagText)) return w->font().family();
    }
    return QApplication::font().family();
}

}  // namespace

void InsertSpecialCharacter(QLineEdit* target, QWidget* owner) {
    if (!target) return;
    const QPointer<QLineEdit> field(target);
    if (!owner) owner = target->window();
    strSpecialFont = target->font().family();
    strSpecialText = target->text();
    {
        frmSpecialCharacters picker(owner, TextFontOf(owner));
        picker.exec();
    }
    // A marker or a TAB carried in with the field's own text stays out:
    // what is left may be nothing, which changes nothing.
    const QString text = ByteLineEdit::Clean(strSpecialText);
    if (field && !text.isEmpty()) {
        if (auto* bytes = qobject_cast<ByteLineEdit*>(field.data()))
            bytes->InsertCleaned(text);
        else
            field->insert(text);
    }
    strSpecialFont.clear();
}

}  // namespace vel
