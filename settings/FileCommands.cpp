#include "settings/FileCommands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "dialogs/WaitCursor.h"
#include "mode/ModeModel.h"
#include "mode/ModeFile.h"

namespace vel {

namespace {

const QString kTitle = QString::fromLatin1(kAppTitle);
const QString kErrorTitle = QStringLiteral("Error");

// File names travel to the core in the encoding the file system expects.
std::string NativePath(const QString& path) { return QFile::encodeName(path).toStdString(); }
QString FromNative(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

}  // namespace

FileCommands::FileCommands(ModeModel& model, Prompter& prompter, const SharedVariables& shared, QObject* parent)
    : QObject(parent), model_(model), prompter_(prompter), shared_(shared) {}

QString FileCommands::ModeName() const { return FromNative(model_.Document().ModeName()); }

QString FileCommands::ModeFile() const { return FromNative(model_.Document().ModeFile()); }

void FileCommands::SetCaption(const QString& caption) {
    caption_ = caption;
    if (hooks_.setCaption) hooks_.setCaption(caption);
}

QString FileCommands::CaptionFor(const QString& modeName) {
    return modeName.isEmpty() ? kTitle : kTitle + QStringLiteral(" - ") + modeName;
}

QString FileCommands::ModeNameOf(const QString& path) {
    QString name = QFileInfo(path).fileName();
    if (name.endsWith(QLatin1String(".mod"), Qt::CaseInsensitive)) name.chop(4);
    return name;
}

void FileCommands::SetNameAndFile(const QString& name, const QString& file) {
    model_.SetModeFile(NativePath(name), NativePath(file));
}

bool FileCommands::AnythingChanged() const {
    return model_.Document().Changed() || (hooks_.extraChanged && hooks_.extraChanged());
}

void FileCommands::Loaded(const QString& file) {
    if (hooks_.loaded) hooks_.loaded(file);
}

void FileCommands::Remember(const QString& chosenPath) { dialogFolder_ = QFileInfo(chosenPath).absolutePath(); }

QString FileCommands::StartIn(const QString& folder) const {
    if (!folder.isEmpty() && folder == defaultModesFolder_ && !QFileInfo(folder).isDir()) QDir().mkpath(folder);
    return folder;
}

Prompter::FileDialog FileCommands::ModeDialog(const char* title) const {
    Prompter::FileDialog dialog;
    dialog.title = QString::fromLatin1(title);
    dialog.filter = QString::fromLatin1(kModeFilter);
    dialog.defaultSuffix = QStringLiteral("mod");
    // The dialogs have no read-only box to hide; replacing a file is asked.
    dialog.confirmOverwrite = true;
    return dialog;
}

ModeResult FileCommands::Load(const QString& path, bool boolAppend) {
    WaitCursor wait;
    return model_.Load(NativePath(path), boolAppend);
}

void FileCommands::ReportFailure(const ModeResult& result) {
    prompter_.Tell(kErrorTitle, QString::fromLocal8Bit(result.Message()), Prompter::Icon::Critical);
}

std::optional<QString> FileCommands::ChooseModeToOpen(const char* title) {
    Prompter::FileDialog dialog = ModeDialog(title);
    dialog.folder = StartIn(shared_.strModePath);
    const std::optional<QString> chosen = prompter_.OpenFile(dialog);
    if (!chosen || chosen->isEmpty()) return std::nullopt;
    Remember(*chosen);
    return chosen;
}

bool FileCommands::CheckDirtiness() {
    if (!AnythingChanged()) return false;
    const int answer =
        prompter_.Ask(kTitle, QStringLiteral("The mode has been changed. Do you want do discard the changes?"),
                      Prompter::Icon::Exclamation, Prompter::Yes | Prompter::No, Prompter::No);
    return answer != Prompter::Yes;
}

void FileCommands::FileNew() {
    if (CheckDirtiness()) return;
    model_.ClearMode();
    SetNameAndFile({}, {});
    SetCaption(kTitle);
    Loaded({});
}

void FileCommands::FileOpen() {
    if (CheckDirtiness()) return;
    const std::optional<QString> chosen = ChooseModeToOpen("Open Mode File");
    if (!chosen) return;

    const ModeResult result = Load(*chosen, false);
    if (result.ok()) {
        SetNameAndFile(ModeNameOf(*chosen), *chosen);
        SetCaption(CaptionFor(ModeName()));
        Loaded(*chosen);
    } else if (result.code != kModeNoFile) {  // a file gone since the dialog leaves everything as it was
        // The table holds only part of the file now. Leaving it named after
        // the file would let the next Save overwrite the file with that part.
        ReportFailure(result);
        SetNameAndFile({}, {});
        SetCaption(kTitle);
        Loaded({});
    }
}

void FileCommands::FileImport() {
    const std::optional<QString> chosen = ChooseModeToOpen("Import Mode File");
    if (!chosen) return;

    const ModeResult result = Load(*chosen, true);
    if (!result.ok() && result.code != kModeNoFile) ReportFailure(result);
}

void FileCommands::FileSave(bool boolSaveAs) {
    if (!model_.Document().Optimized()) {
        const int answer = prompter_.Ask(
            kTitle,
            QStringLiteral("The mode has not been optimized. Would you like to optimize the mode before it is saved?"),
            Prompter::Icon::Question, Prompter::Yes | Prompter::No | Prompter::Cancel, Prompter::Yes);
        if (answer == Prompter::Yes) {
            if (hooks_.optimize) hooks_.optimize();
        } else if (answer != Prompter::No) {
            return;
        }
    }
    const std::string file = model_.Document().ModeFile();
    if (boolSaveAs || file.empty()) {
        FileSaveAs();
        return;
    }
    ModeResult result;
    {
        WaitCursor wait;
        result = model_.Save(file);
    }
    if (!result.ok())
        ReportFailure(result);
    else if (hooks_.saved)
        hooks_.saved(FromNative(file));
}

void FileCommands::FileSaveAs() {
    Prompter::FileDialog dialog = ModeDialog("Save Mode As");
    const QString name = ModeName();
    if (name.isEmpty()) {
        dialog.folder = StartIn(shared_.strModePath);
    } else {
        dialog.folder = StartIn(dialogFolder_);
        dialog.fileName = name;
    }
    const std::optional<QString> chosen = prompter_.SaveFile(dialog);
    if (!chosen || chosen->isEmpty()) return;

    ModeResult result;
    {
        WaitCursor wait;
        result = model_.Save(NativePath(*chosen));
    }
    if (!result.ok()) {
        // Name, file and caption stay those of the mode as it was before;
        // the changes stay guarded by the questions.
        ReportFailure(result);
        return;
    }
    Remember(*chosen);
    SetNameAndFile(ModeNameOf(*chosen), *chosen);
    SetCaption(CaptionFor(ModeName()));
    if (hooks_.saved) hooks_.saved(*chosen);
}

bool FileCommands::ConfirmClose() {
    if (!AnythingChanged()) return true;
    const int answer =
        prompter_.Ask(kTitle, QStringLiteral("The mode has not been saved. Are you sure you want to quit?"),
                      Prompter::Icon::Exclamation, Prompter::Yes | Prompter::No, Prompter::No);
    return answer == Prompter::Yes;
}

void FileCommands::LoadAtStartup(const QString& strModeName, const QString& strModeFile) {
    SetCaption(kTitle);
    if (strModeName.isEmpty()) {
        FileNew();
        return;
    }
    SetNameAndFile(strModeName, strModeFile);
    const ModeResult result = Load(strModeFile, false);
    if (result.ok()) {
        Loaded(strModeFile);
        return;
    }
    SetNameAndFile({}, {});
    if (result.code == kModeNoFile) {
        // Gone since start-up looked for it: a new mode, as without a name.
        FileNew();
        return;
    }
    ReportFailure(result);
    Loaded({});
}

}  // namespace vel
