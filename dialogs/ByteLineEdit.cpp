#include "dialogs/ByteLineEdit.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QValidator>

#include "mode/ByteCodec.h"
#include "mode/Clause.h"
#include "dialogs/TextFields.h"

namespace vel {

// Cleans the part of the text that a user edit brought in. It compares the
// new text with the one before the edit, so characters that were already
// there (a marker set by the program) stay.
class UserInputValidator : public QValidator {
public:
    explicit UserInputValidator(ByteLineEdit* edit) : QValidator(edit), edit_(edit) {}

    State validate(QString& input, int& pos) const override {
        if (!edit_->userInput_) return Acceptable;
        const QString& before = edit_->committed_;
        qsizetype prefix = 0;
        const qsizetype shorter = std::min(before.size(), input.size());
        while (prefix < shorter && before[prefix] == input[prefix]) ++prefix;
        qsizetype suffix = 0;
        while (suffix < shorter - prefix && before[before.size() - 1 - suffix] == input[input.size() - 1 - suffix])
            ++suffix;
        const QString inserted = input.mid(prefix, input.size() - prefix - suffix);
        const QString cleaned = ByteLineEdit::Clean(inserted);
        if (cleaned == inserted) return Acceptable;
        input = input.left(prefix) + cleaned + input.right(suffix);
        if (pos > prefix) pos = int(std::max<qsizetype>(prefix, pos - (inserted.size() - cleaned.size())));
        return Acceptable;
    }

private:
    ByteLineEdit* edit_;
};

ByteLineEdit::ByteLineEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new UserInputValidator(this));
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { committed_ = text; });
    // Whole text selected on focus, by Tab or by click, so typing replaces it.
    SelAllOnFocus(this);
}

QString ByteLineEdit::Clean(const QString& text) {
    QString kept;
    kept.reserve(text.size());
    for (QChar ch : text)
        if (ch != QLatin1Char(kTab) && ch != QLatin1Char('\r') && ch != QLatin1Char('\n')) kept += ch;
    return BytesToQString(QStringToBytes(kept));
}

bool ByteLineEdit::InsertCleaned(const QString& text) {
    const QString cleaned = Clean(text);
    if (cleaned.isEmpty() && !hasSelectedText()) return false;
    insert(cleaned);
    return true;
}

void ByteLineEdit::CopyText() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard && hasSelectedText()) clipboard->setText(selectedText());
}

void ByteLineEdit::CutText() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard || !hasSelectedText()) return;
    clipboard->setText(selectedText());
    del();
}

void ByteLineEdit::PasteText() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return;
    const QString text = clipboard->text();
    if (!text.isEmpty()) InsertCleaned(text);
}

void ByteLineEdit::RemoveText() { del(); }

bool ByteLineEdit::event(QEvent* e) {
    if (e->type() == QEvent::ShortcutOverride && WindowActionTakes(static_cast<QKeyEvent*>(e))) {
        e->ignore();
        return true;
    }
    const bool outer = userInput_;
    userInput_ = true;
    const bool result = QLineEdit::event(e);
    userInput_ = outer;
    return result;
}

bool ByteLineEdit::WindowActionTakes(const QKeyEvent* e) const {
    const QKeySequence pressed(e->keyCombination());
    for (const QAction* action : window()->findChildren<QAction*>()) {
        if (!action->isEnabled()) continue;
        for (const QKeySequence& shortcut : action->shortcuts())
            if (shortcut.matches(pressed) == QKeySequence::ExactMatch) return true;
    }
    return false;
}

void ByteLineEdit::keyPressEvent(QKeyEvent* e) {
    const Qt::KeyboardModifiers mods = e->modifiers();
    if (markerKey_ && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && (mods & Qt::ControlModifier) &&
        (mods & Qt::ShiftModifier) && !(mods & Qt::AltModifier)) {
        // The marker is the program's own text, not user input to be cleaned.
        const bool outer = userInput_;
        userInput_ = false;
        setText(QString(QChar(u'\r')));
        userInput_ = outer;
        e->accept();
        return;
    }
    if (e->matches(QKeySequence::Paste)) {
        // Shift+Insert and the like, when no window action took the key:
        // cleaned before the length limit cuts it.
        if (const QClipboard* clipboard = QGuiApplication::clipboard()) InsertCleaned(clipboard->text());
        e->accept();
        return;
    }
    if (LowerTyped() && !e->text().isEmpty()) {
        const QString lowered = LowerText(e->text());
        if (lowered != e->text()) {
            QKeyEvent copy(e->type(), e->key(), e->modifiers(), e->nativeScanCode(), e->nativeVirtualKey(),
                           e->nativeModifiers(), lowered, e->isAutoRepeat(), quint16(e->count()));
            QLineEdit::keyPressEvent(&copy);
            e->setAccepted(copy.isAccepted());
            return;
        }
    }
    QLineEdit::keyPressEvent(e);
}

void ByteLineEdit::inputMethodEvent(QInputMethodEvent* e) {
    // A composed character (dead keys) is typed too.
    if (LowerTyped() && !e->commitString().isEmpty()) {
        QInputMethodEvent copy(e->preeditString(), e->attributes());
        copy.setCommitString(LowerText(e->commitString()), e->replacementStart(), e->replacementLength());
        QLineEdit::inputMethodEvent(&copy);
        e->setAccepted(copy.isAccepted());
        return;
    }
    QLineEdit::inputMethodEvent(e);
}

}  // namespace vel
