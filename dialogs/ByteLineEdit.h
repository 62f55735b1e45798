#pragma once
// The one text field of the program, for 8-bit text. Every character it
// shows stands for one byte (through the codec), so lengths count bytes.
// Whatever the user brings in (typing, shortcuts, the context menu's Paste,
// middle click, drag and drop, input methods) is cleaned on the way: a TAB,
// CR or LF would split a row text or break a file record, so it is dropped,
// and a character the code page lacks becomes '?'. Text the program sets
// with setText outside the field's own events is kept as it is, so the
// code-13 marker and loaded fields stay.
// Control bytes are drawn as visible signs; the text keeps the bytes.
#include <QLineEdit>
#include <functional>

namespace vel {

class ByteLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit ByteLineEdit(QWidget* parent = nullptr);

    // Typed characters are lowered (code-page rules) while this answers true.
    void SetLowerTyped(std::function<bool()> lowerTyped) { lowerTyped_ = std::move(lowerTyped); }
    // Ctrl+Shift+Enter puts the non-alphanumeric marker into the field.
    void SetMarkerKey(bool on) { markerKey_ = on; }
    // The user cannot make the text longer than n, while text the program
    // sets is shown whole (maxLength would cut it).
    void SetTypingLimit(int n) { typingLimit_ = n; }

    // Inserts clipboard-like text as the user would, cleaned; replaces the
    // selection. Returns false when nothing was inserted.
    bool InsertCleaned(const QString& text);

    // The Edit commands on the field's own text. Copy and Cut take the
    // selection only; Paste puts non-empty clipboard text in place of the
    // selection; Remove deletes the selection, or else the character after
    // the caret.
    void CopyText();
    void CutText();
    void PasteText();
    void RemoveText();

    // Removes TAB, CR and LF and maps every character through the code page.
    static QString Clean(const QString& text);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    friend class UserInputValidator;
    bool LowerTyped() const { return lowerTyped_ && lowerTyped_(); }
    // The window's action that a key would start, or null. Actions of the
    // window take their keys from the field while they are enabled.
    const QAction* WindowAction(const QKeyEvent* e) const;
    // Keys that edit the field's own text (cut, copy, paste, delete, undo,
    // redo): a disabled window action does not take these away.
    static bool IsFieldEditingKey(const QKeyEvent* e);

    std::function<bool()> lowerTyped_;
    bool markerKey_ = false;
    int typingLimit_ = -1;
    bool userInput_ = false;  // inside an event of the field: the user's edit
    QString committed_;       // the text before the edit under way
};

}  // namespace vel
