#pragma once
// The editor's help: one HTML page with a contents list at its top, shown
// in a window of its own beside the main window.
#include <QPointer>
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

protected:
    void showEvent(QShowEvent* event) override;

private:
    QTextBrowser* browser_;
};

// Opens the help at its contents in the one help window that `window`
// holds, made on first use, brought forward while open.
HelpWindow* ShowHelpContents(QPointer<HelpWindow>& window, QWidget* owner);

}  // namespace vel
