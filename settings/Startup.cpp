#include "settings/Startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QWidget>

#include "dialogs/FontTags.h"
#include "settings/FileCommands.h"
#include "settings/Fonts.h"
#include "settings/RegistryFunctions.h"

namespace vel {

StartupInputs CurrentStartupInputs() {
    StartupInputs in;
    in.programFolder = QCoreApplication::applicationDirPath();
#ifdef Q_OS_WIN
    in.editorPath = QDir::toNativeSeparators(in.programFolder + QStringLiteral("/Velloran.exe"));
#else
    in.editorPath = QCoreApplication::applicationFilePath();
#endif
    in.arguments = QCoreApplication::arguments().mid(1);
    RegisterBundledTengwarFontIfNeeded();
    in.fontFamilies = InstalledFontFamilies();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) in.screenSize = screen->size();
    return in;
}

QString DefaultModesFolder(const QString& programFolder) {
#ifdef Q_OS_WIN
    const QString folder = programFolder + QStringLiteral("/Modes");
#else
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString folder =
        data.isEmpty() ? programFolder + QStringLiteral("/Modes") : data + QStringLiteral("/Quillory/Modes");
#endif
    return QDir::cleanPath(QDir::fromNativeSeparators(folder));
}

QString ModesFolder(const QString& settingsPath, const QString& programFolder) {
    if (settingsPath.isEmpty()) return DefaultModesFolder(programFolder);
    // cleanPath drops a closing slash but keeps a root such as "/" or "C:/".
    return QDir::cleanPath(QDir::fromNativeSeparators(settingsPath));
}

CommandLineMode ModeOnCommandLine(const QString& commandLine, const QString& strModePath) {
    CommandLineMode mode;
    if (commandLine.isEmpty()) return mode;
#ifdef Q_OS_WIN
    const bool hasSeparator = commandLine.contains(QLatin1Char('/')) || commandLine.contains(QLatin1Char('\\'));
#else
    const bool hasSeparator = commandLine.contains(QLatin1Char('/'));
#endif
    const bool looksLikeFile = commandLine.endsWith(QLatin1String(".mod"), Qt::CaseInsensitive);
    const QFileInfo given(commandLine);
    if ((hasSeparator || looksLikeFile) && given.isFile()) {
        mode.strModeName = FileCommands::ModeNameOf(commandLine);
        mode.strModeFile = given.absoluteFilePath();
        mode.byPath = true;
        return mode;
    }
    // The whole command line is one mode name: nothing is split or unquoted.
    const QString file = strModePath + QLatin1Char('/') + commandLine + QStringLiteral(".mod");
    if (QFileInfo(file).isFile()) {
        mode.strModeName = commandLine;
        mode.strModeFile = file;
    }
    return mode;
}

StartupResult RunStartup(const StartupInputs& in) {
    StartupResult r;
    const QString modeKey = QString::fromLatin1(kModeKey);
    const QString fontsKey = QString::fromLatin1(kFontsKey);

    WriteSetting(Hive::CurrentUser, modeKey, QStringLiteral("EditorPath"), in.editorPath, kSettingString);

    // A name from the settings is used as it is, installed or not.
    r.shared.strRomanFont = ReadSetting(Hive::CurrentUser, fontsKey, QStringLiteral("GenericRomanFont"));
    r.shared.strTengwarFont = ReadSetting(Hive::CurrentUser, fontsKey, QStringLiteral("GenericTengwarFont"));
    if (r.shared.strRomanFont.isEmpty()) r.shared.strRomanFont = ChooseRomanFont(in.fontFamilies);
    if (r.shared.strTengwarFont.isEmpty()) r.shared.strTengwarFont = ChooseTengwarFont(in.fontFamilies);

    const QString settingsPath = ReadSetting(Hive::CurrentUser, modeKey, QStringLiteral("Path"));
    r.shared.strModePath = ModesFolder(settingsPath, in.programFolder);
    if (settingsPath.isEmpty()) r.defaultModesFolder = r.shared.strModePath;

    r.commandLine = in.arguments.join(QLatin1Char(' '));
    const CommandLineMode mode = ModeOnCommandLine(r.commandLine, r.shared.strModePath);
    r.strModeName = mode.strModeName;
    r.strModeFile = mode.strModeFile;

    r.windowSize = QSize(qRound(in.screenSize.width() * 0.7), qRound(in.screenSize.height() * 0.7));
    // Save As of a command-line mode starts where the mode lies. Only on
    // Windows does the program folder hold the modes; elsewhere it is no place
    // for them (/usr/bin), so the program folder stays the start only there.
#ifdef Q_OS_WIN
    const bool startBesideMode = mode.byPath;
#else
    const bool startBesideMode = r.LoadsMode();
#endif
    r.dialogFolder = startBesideMode ? QFileInfo(r.strModeFile).absolutePath() : in.programFolder;
    return r;
}

void FinishStartup(QWidget* window, FileCommands& commands, const StartupResult& result) {
    ApplyFonts(window, result.shared.strRomanFont, result.shared.strTengwarFont);
    commands.SetCaption(QString::fromLatin1(kAppTitle));
    if (window && !result.windowSize.isEmpty()) window->resize(result.windowSize);
    commands.SetDialogFolder(result.dialogFolder);
    commands.SetDefaultModesFolder(result.defaultModesFolder);
    commands.LoadAtStartup(result.strModeName, result.strModeFile);
}

}  // namespace vel
