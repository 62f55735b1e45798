#include "dialogs/ByteLineEdit.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QValidator>
#include <algorithm>
#include <memory>

#include "dialogs/TextFields.h"
#include "mode/ByteCodec.h"
#include "mode/Clause.h"

namespace vel {

// Cleans the part of the text that a user edit brought in. It compares the
// new text with the one before the edit, so characters that were already
// there (a marker set by the program) stay.
class UserInputValidator : public QValidator {
public:
    explicit UserInputValidator(ByteLineEdit* edit) : QValidator(edit), edit_(edit) {}

    State validate(QString& input, int& pos) const override {
        if (!edit_->userInput_) return Acceptable;  // setText: the program's own text
        const QString& before = edit_->committed_;
        qsizetype prefix = 0;
        const qsizetype shorter = std::min(before.size(), input.size());
        while (prefix < shorter && before[prefix] == input[prefix]) ++prefix;
        qsizetype suffix = 0;
        while (suffix < shorter - prefix && before[before.size() - 1 - suffix] == input[input.size() - 1 - suffix])
            ++suffix;
        const QString inserted = input.mid(prefix, input.size() - prefix - suffix);
        QString cleaned = ByteLineEdit::Clean(inserted);
        if (edit_->typingLimit_ >= 0) {
            // Typing stops at the limit, or at the length of a longer text
            // the program put there.
            const qsizetype allowed = std::max<qsizetype>(edit_->typingLimit_, before.size());
            const qsizetype room = allowed - (input.size() - inserted.size());
            if (cleaned.size() > room) cleaned.truncate(std::max<qsizetype>(room, 0));
        }
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
    if (e->type() == QEvent::ShortcutOverride) {
        const QAction* action = WindowAction(static_cast<QKeyEvent*>(e));
        if (action && action->isEnabled()) {
            e->ignore();  // the window's command takes the key
            return true;
        }
    }
    // Every edit the user makes arrives inside an event of the field.
    const bool outer = userInput_;
    userInput_ = true;
    const bool result = QLineEdit::event(e);
    userInput_ = outer;
    return result;
}

void ByteLineEdit::contextMenuEvent(QContextMenuEvent* e) {
    // The line edit's own menu would run after this event is over, so its
    // Paste would escape the cleaning; run it inside.
    std::unique_ptr<QMenu> menu(createStandardContextMenu());
    menu->exec(e->globalPos());
}

const QAction* ByteLineEdit::WindowAction(const QKeyEvent* e) const {
    const QKeySequence pressed(e->keyCombination());
    const QAction* disabled = nullptr;
    for (const QAction* action : window()->findChildren<QAction*>()) {
        for (const QKeySequence& shortcut : action->shortcuts()) {
            if (shortcut.matches(pressed) != QKeySequence::ExactMatch) continue;
            if (action->isEnabled()) return action;
            disabled = action;
        }
    }
    return disabled;
}

bool ByteLineEdit::IsFieldEditingKey(const QKeyEvent* e) {
    for (QKeySequence::StandardKey key : {QKeySequence::Cut, QKeySequence::Copy, QKeySequence::Paste,
                                          QKeySequence::Delete, QKeySequence::Undo, QKeySequence::Redo})
        if (e->matches(key)) return true;
    return false;
}

void ByteLineEdit::keyPressEvent(QKeyEvent* e) {
    // A key of the window whose command is disabled does nothing here, not
    // what the line edit would make of it (Ctrl+U wiping the text, Ctrl+D
    // deleting), unless it edits the field's own text.
    if (const QAction* action = WindowAction(e); action && !action->isEnabled() && !IsFieldEditingKey(e)) {
        e->accept();
        return;
    }
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

void ByteLineEdit::paintEvent(QPaintEvent* e) {
    QLineEdit::paintEvent(e);
    const QString shown = text();
    if (echoMode() != Normal ||
        std::none_of(shown.begin(), shown.end(), [](QChar ch) { return !ControlSign(ch).isNull(); }))
        return;
    // Where the line edit draws its text: its contents less the margins it
    // keeps (two pixels across, one down). A text wider than that is
    // scrolled, and its signs are left out rather than drawn in the wrong place.
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    QRect r = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this).marginsRemoved(textMargins());
    r.adjust(2, 1, -2, -1);
    const QFontMetrics metrics(font());
    if (metrics.horizontalAdvance(shown) > r.width()) return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::PlaceholderText));
    const int baseline = r.top() + (r.height() - metrics.height() + 1) / 2 + metrics.ascent();
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const QChar sign = ControlSign(shown[i]);
        if (!sign.isNull())
            painter.drawText(r.left() + metrics.horizontalAdvance(shown.left(i)), baseline, QString(sign));
    }
}

}  // namespace vel
