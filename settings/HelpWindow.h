#pragma once
// The editor's help: one HTML page with a contents list at its top, shown
// in a window of its own beside the main window.
#include <QUrl>
#include <QWidget>

class QTextBrowser;

namespace vel {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    QTextBrowser* Browser() const { return browser_; }
    // Back to the top of the page, where the contents list is.
    void ShowContents();

    static QUrl HelpUrl();

private:
    QTextBrowser* browser_;
};

// Opens the help at its contents: one window for the run, created on first
// use, raised when it is already open.
HelpWindow* ShowHelpContents(QWidget* owner);

}  // namespace vel
