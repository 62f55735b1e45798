#pragma once
// The File menu's commands (New, Open, Import, Save, Save As) and the
// closing question: the questions that guard unsaved changes, the current
// mode's name and file, and the window caption. The commands own nothing:
// they work on the window's model and ask through its prompter, and reach
// back into the window through the hooks. The window follows the model's
// own announcements of every load.
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "dialogs/Prompter.h"
#include "settings/SharedVariables.h"

namespace vel {

class ModeModel;
struct ModeResult;

inline constexpr char kAppTitle[] = "Velloran";
inline constexpr char kModeFilter[] = "Mode files (*.mod)|*.mod|All files (*.*)|*.*";

class FileCommands : public QObject {
    Q_OBJECT
public:
    // A hook left out is empty; the braces let a caller name only the first ones.
    struct Hooks {
        std::function<void()> optimize;                  // the window's Optimize command
        std::function<void(const QString&)> setCaption;  // the window's title
        // Unsaved changes of what is kept beside the mode file (its samples):
        // the questions ask about them as about the mode's own.
        std::function<bool()> extraChanged{};
        // After the mode was written to this file.
        std::function<void(const QString&)> saved{};
        // After New, Open or start-up put a mode in place: the file it was
        // loaded from, empty for a new mode or one that did not load whole.
        std::function<void(const QString&)> loaded{};
    };

    // shared.strModePath is read at each command, so start-up may fill it later.
    FileCommands(ModeModel& model, Prompter& prompter, const SharedVariables& shared, QObject* parent = nullptr);

    void SetHooks(Hooks hooks) { hooks_ = std::move(hooks); }

    // The folder the file dialog shows when a command leaves it as it was
    // (Save As of a named mode). Start-up sets the program folder; each
    // chosen file's folder replaces it.
    void SetDialogFolder(const QString& folder) { dialogFolder_ = folder; }
    QString DialogFolder() const { return dialogFolder_; }
    // The modes folder the program chose itself ("Path" empty): made when a
    // dialog is about to start in it and it is missing. A configured folder is
    // never made; the dialog then starts in its nearest existing parent.
    void SetDefaultModesFolder(const QString& folder) { defaultModesFolder_ = folder; }

    // True when the user chose to keep unsaved changes: the caller stops.
    bool CheckDirtiness();
    void FileNew();
    void FileOpen();
    void FileImport();
    void FileSave(bool boolSaveAs = false);
    void FileSaveAs();
    // The question before the main window closes; true when it may close.
    bool ConfirmClose();

    // Start-up: loads strModeFile into the mode, the caption staying the
    // application title. A failed load leaves the mode unnamed.
    void LoadAtStartup(const QString& strModeName, const QString& strModeFile);

    QString ModeName() const;
    QString ModeFile() const;
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);

    // "Velloran", or "Velloran - name".
    static QString CaptionFor(const QString& modeName);
    // The file's name without folder, less a final ".mod" in any case.
    static QString ModeNameOf(const QString& path);

private:
    bool AnythingChanged() const;
    void Loaded(const QString& file);
    Prompter::FileDialog ModeDialog(const char* title) const;
    // Loads path into the document, under the wait cursor.
    ModeResult Load(const QString& path, bool boolAppend);
    void ReportFailure(const ModeResult& result);
    // The Open or Import dialog in the modes folder; nullopt on Cancel.
    std::optional<QString> ChooseModeToOpen(const char* title);
    void SetNameAndFile(const QString& name, const QString& file);
    // The dialog's starting folder, with the default modes folder made first.
    QString StartIn(const QString& folder) const;
    void Remember(const QString& chosenPath);

    ModeModel& model_;
    Prompter& prompter_;
    const SharedVariables& shared_;
    Hooks hooks_;
    QString dialogFolder_;
    QString defaultModesFolder_;
    QString caption_ = QString::fromLatin1(kAppTitle);
};

}  // namespace vel
