#pragma once
// Every question, message, input box and file dialog of the program goes
// through this interface, so that tests answer them without a modal loop.
#include <QString>
#include <optional>

class QWidget;

namespace vel {

class Prompter {
public:
    enum class Icon { None, Information, Question, Exclamation, Critical };
    // Buttons, combinable as flags; Ask returns the one pressed.
    enum Button { Ok = 0x1, Cancel = 0x2, Yes = 0x4, No = 0x8 };

    // A common file dialog. The filter is in "Description|pattern|..." form,
    // e.g. "Mode files (*.mod)|*.mod|All files (*.*)|*.*".
    struct FileDialog {
        QString title;
        QString filter;
        QString folder;         // starting folder; empty leaves the dialog's own
        QString fileName;       // name shown at first
        QString defaultSuffix;  // added when the user types none ("mod")
        bool confirmOverwrite = false;
    };

    virtual ~Prompter() = default;

    // A message box with buttons; returns the button chosen. Closing the box
    // answers Cancel when offered, otherwise No, otherwise Ok.
    virtual int Ask(const QString& title, const QString& text, Icon icon, int buttons, int defaultButton) = 0;
    // A message box with an OK button.
    virtual void Tell(const QString& title, const QString& text, Icon icon) = 0;
    // A one-line input box; nullopt on Cancel.
    virtual std::optional<QString> Input(const QString& title, const QString& prompt, const QString& initial) = 0;
    // Full path of the chosen file; nullopt on Cancel.
    virtual std::optional<QString> OpenFile(const FileDialog& dialog) = 0;
    virtual std::optional<QString> SaveFile(const FileDialog& dialog) = 0;
};

// The real dialogs, owned by a parent window.
class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* parent) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    int Ask(const QString& title, const QString& text, Icon icon, int buttons, int defaultButton) override;
    void Tell(const QString& title, const QString& text, Icon icon) override;
    std::optional<QString> Input(const QString& title, const QString& prompt, const QString& initial) override;
    std::optional<QString> OpenFile(const FileDialog& dialog) override;
    std::optional<QString> SaveFile(const FileDialog& dialog) override;

    // "A|*.a|B|*.b" as Qt's "A (*.a);;B (*.b)" name filters.
    static QStringList NameFilters(const QString& barFilter);

private:
    QWidget* parent_;
};

}  // namespace vel
