#include "settings/Startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "settings/FileCommands.h"
#include "dialogs/FontTags.h"
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

QString ModesFolder(const QString& settingsPath, const QString& programFolder) {
    QString folder = settingsPath.isEmpty() ? programFolder + QStringLiteral("/Modes") : settingsPath;
    // cleanPath drops a closing slash but keeps a root such as "/" or "C:/".
    return QDir::cleanPath(QDir::fromNativeSeparators(folder));
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

    r.shared.strModePath =
        ModesFolder(ReadSetting(Hive::CurrentUser, modeKey, QStringLiteral("Path")), in.programFolder);

    // The whole command line is one mode name: nothing is split or unquoted.
    r.commandLine = in.arguments.join(QLatin1Char(' '));
    const QString file = r.shared.strModePath + QLatin1Char('/') + r.commandLine + QStringLiteral(".mod");
    if (!r.commandLine.isEmpty() && QFileInfo(file).isFile()) {
        r.strModeName = r.commandLine;
        r.strModeFile = file;
    }

    r.windowSize = QSize(qRound(in.screenSize.width() * 0.7), qRound(in.screenSize.height() * 0.7));
    r.dialogFolder = in.programFolder;
    return r;
}

void FinishStartup(QWidget* window, FileCommands& commands, const StartupResult& result) {
    ApplyFonts(window, result.shared.strRomanFont, result.shared.strTengwarFont);
    commands.SetCaption(QString::fromLatin1(kAppTitle));
    if (window && !result.windowSize.isEmpty()) window->resize(result.windowSize);
    commands.SetDialogFolder(result.dialogFolder);
    commands.LoadAtStartup(result.strModeName, result.strModeFile);
}

}  // namespace vel
