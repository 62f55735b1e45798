#pragma once
// A single-line field for 8-bit text. Every character it shows stands for
// one byte (through the codec), so maxLength counts bytes. What the user
// brings in (typing, paste, drop, input method) is cleaned on the way: a TAB,
// CR or LF would split a row text or break a file record, so it is dropped,
// and a character the code page lacks becomes '?'. Text the program sets is
// kept as it is, so the code-13 marker can be put in by code.
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

private:
    friend class UserInputValidator;
    bool LowerTyped() const { return lowerTyped_ && lowerTyped_(); }
    // True when a key belongs to an enabled action of the window, which then
    // takes it instead of the field (Ctrl+X, Ctrl+C, Ctrl+V, Del, Ctrl+D...).
    bool WindowActionTakes(const QKeyEvent* e) const;

    std::function<bool()> lowerTyped_;
    bool markerKey_ = false;
    bool userInput_ = false;  // inside an event the user caused
    QString committed_;       // the text before the edit under way
};

}  // namespace vel
