// The editor's entry point: one main window for the whole run.
#include <QApplication>

#include "dialogs/ProgramIcon.h"
#include "editing/MainWindow.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velloran"));
    QApplication::setApplicationVersion(QStringLiteral(VELLORAN_VERSION));
    QApplication::setWindowIcon(vel::ProgramIcon());
    // The desktop entry's name, so a window manager can match the windows to it.
    QGuiApplication::setDesktopFileName(QStringLiteral("velloran"));
    vel::Form1 window;
    window.Startup(vel::CurrentStartupInputs());
    window.show();
    return app.exec();
}
