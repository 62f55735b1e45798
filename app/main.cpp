// The editor's entry point: one main window for the whole run.
#include <QApplication>

#include "editing/MainWindow.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velloran"));
    vel::Form1 window;
    window.Startup(vel::CurrentStartupInputs());
    window.show();
    return app.exec();
}
