#pragma once
// What the main window does when it opens, in this order: record the
// editor's path in the shared settings, take the two font names (choosing
// where none is set), apply them, find the modes folder, look for the mode
// named on the command line, title and size the window, then load that mode
// or start a new one. RunStartup does the part that needs no window, over
// inputs a test can give; FinishStartup does the rest on the window.
#include <QSize>
#include <QString>
#include <QStringList>

#include "settings/SharedVariables.h"

class QWidget;

namespace vel {

class FileCommands;

struct StartupInputs {
    QString programFolder;     // the folder holding the executable
    QString editorPath;        // written as "EditorPath"
    QStringList arguments;     // the command line after the program's name
    QStringList fontFamilies;  // installed families, in the system's order
    QSize screenSize;
};

struct StartupResult {
    SharedVariables shared;  // the fonts and the modes folder for the run
    QString strModeName;     // the command-line mode, when its file exists
    QString strModeFile;
    QString commandLine;   // the arguments joined by single spaces
    QSize windowSize;      // 0.7 of the screen
    QString dialogFolder;  // where the file dialog starts until a command moves it
    // The modes folder when the program chose it ("Path" empty), else empty:
    // the one folder the file dialogs may create.
    QString defaultModesFolder;
    bool LoadsMode() const { return !strModeName.isEmpty(); }
};

// The inputs of this process: the program's folder and path, its arguments,
// the installed fonts (the bundled Tengwar font registered first when the
// system has none) and the primary screen's size.
StartupInputs CurrentStartupInputs();

// Writes "EditorPath" and reads the shared settings.
StartupResult RunStartup(const StartupInputs& inputs);

// Applies the fonts to window, sets the caption, sizes the window and loads
// the command-line mode or starts a new one through commands. The window
// keeps result.shared where commands can read it before this call.
void FinishStartup(QWidget* window, FileCommands& commands, const StartupResult& result);

// The modes folder when "Path" is empty. On Windows the program folder and
// "Modes"; elsewhere the program folder is not the user's to write (/usr/bin),
// so the per-user data folder's "Quillory/Modes" (~/.local/share/Quillory/Modes,
// following XDG_DATA_HOME). Forward slashes, no closing slash.
QString DefaultModesFolder(const QString& programFolder);

// "Path" as given, or DefaultModesFolder; forward slashes, no closing slash.
QString ModesFolder(const QString& settingsPath, const QString& programFolder);

struct CommandLineMode {
    QString strModeName;  // both empty when the command line names no mode file
    QString strModeFile;
    bool byPath = false;  // named by its path rather than by its name in the modes folder
};

// The mode file the joined command line names. A desktop's "Open with" and a
// double click pass a path: when the text holds a folder separator, or ends
// in ".mod" and exists as given, and names an existing regular file, that
// file (its title less ".mod" as the name, its absolute path). Otherwise the
// text is a mode's name: strModePath, "/", the text and ".mod", when such a
// file exists.
CommandLineMode ModeOnCommandLine(const QString& commandLine, const QString& strModePath);

}  // namespace vel
