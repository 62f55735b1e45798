#include "settings/HelpWindow.h"

#include "dialogs/SideWindow.h"

#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <algorithm>
#include <QTextBrowser>
#include <QVBoxLayout>

static void InitHelpResources() { Q_INIT_RESOURCE(vellorin_help); }

namespace vel {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this)) {
    InitHelpResources();
    setWindowTitle(QStringLiteral("Velloran Help"));
    browser_->setOpenExternalLinks(true);
    browser_->setSource(HelpUrl());

    auto* contents = new QPushButton(QStringLiteral("&Contents"), this);
    auto* back = new QPushButton(QStringLiteral("&Back"), this);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    back->setEnabled(false);
    connect(contents, &QPushButton::clicked, this, &HelpWindow::ShowContents);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_);
    layout->addLayout(buttons);
    // Esc closes it, as it closes a dialog.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    resize(640, 720);
}

void HelpWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Whole on the screen, not partly below its bottom edge.
    if (const QScreen* s = screen()) {
        const QRect room = s->availableGeometry();
        QRect frame = frameGeometry();
        const QSize decoration = frame.size() - size();
        if (frame.height() > room.height() || frame.width() > room.width())
            resize(std::min(width(), room.width() - decoration.width()), std::min(height(), room.height() - decoration.height()));
        frame = frameGeometry();
        frame.moveTop(std::clamp(frame.top(), room.top(), std::max(room.top(), room.bottom() - frame.height() + 1)));
        frame.moveLeft(std::clamp(frame.left(), room.left(), std::max(room.left(), room.right() - frame.width() + 1)));
        move(frame.topLeft());
    }
}

QUrl HelpWindow::HelpUrl() { return QUrl(QStringLiteral("qrc:/help/Vellorin.html")); }

void HelpWindow::ShowContents() {
    if (browser_->source().adjusted(QUrl::RemoveFragment) != HelpUrl()) browser_->setSource(HelpUrl());
    browser_->verticalScrollBar()->setValue(0);
}

HelpWindow* ShowHelpContents(QPointer<HelpWindow>& window, QWidget* owner) {
    HelpWindow* help = ShowSideWindow(window, [owner] { return new HelpWindow(owner); });
    help->ShowContents();
    return help;
}

}  // namespace vel
