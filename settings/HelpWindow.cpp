#include "settings/HelpWindow.h"

#include "dialogs/SideWindow.h"

#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
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
    resize(640, 720);
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
