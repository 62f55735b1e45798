// Form1's side windows: each one instance at a time, made through
// ShowSideWindow and handed the model, the prompter and the shared fonts;
// and the preview's samples, which go with the mode file.
#include <QDockWidget>

#include "check/CheckWindow.h"
#include "dialogs/AboutWindow.h"
#include "dialogs/ByteLineEdit.h"
#include "dialogs/Prompter.h"
#include "dialogs/SideWindow.h"
#include "dialogs/SpecialCharacters.h"
#include "editing/MainWindow.h"
#include "editing/ModeGrid.h"
#include "find/FindWindow.h"
#include "mode/ModeModel.h"
#include "preview/PreviewPane.h"
#include "preview/SamplesModel.h"
#include "wizard/WizardWindow.h"

namespace vel {

void Form1::AddSampleHooks(FileCommands::Hooks& hooks) {
    // The samples live beside the mode file and go with it.
    hooks.extraChanged = [this] { return preview_->Samples().Changed(); };
    hooks.saved = [this](const QString& file) {
        const QString error = preview_->Samples().WriteFor(file);
        if (!error.isEmpty())
            prompter_->Tell(QStringLiteral("Error"),
                            error + QStringLiteral(" The mode was saved; its samples were not."),
                            Prompter::Icon::Critical);
    };
    hooks.loaded = [this](const QString& file) {
        const QString error = preview_->Samples().ReadFor(file);
        if (!error.isEmpty())
            prompter_->Tell(QStringLiteral("Error"), error + QStringLiteral(" The mode's samples are not shown."),
                            Prompter::Icon::Exclamation);
    };
}

void Form1::ShowWizard() {
    ShowSideWindow(wizard_, [this] {
        auto* wizard = new frmModeWizard(*model_, *prompter_, shared_, this);
        // Create Mode leaves the entry fields as a run of Add does: empty.
        connect(wizard, &frmModeWizard::entryFieldsToEmpty, this, [this] {
            for (ByteLineEdit* field : txtEditField) field->clear();
        });
        return wizard;
    });
}

void Form1::EditFind() {
    if (Table().RowCount() < 2) return;
    ShowSideWindow(replace_, [this] { return new FindWindow(*model_, shared_, this); });
}

void Form1::InsertSpecialCharacterInFocus() {
    // Ctrl+Ins goes by the focus at hand, not by the last opening of the menu.
    UpdateSpecialCharacterEntry();
    if (!mnuInsertSpecialCharacter->isEnabled()) return;
    if (ByteLineEdit* field = FocusedTextField()) InsertSpecialCharacter(field, this);
}

void Form1::ShowAbout() {
    frmAbout about(this, *prompter_, shared_.strRomanFont);
    about.exec();
}

void Form1::BuildPreview() {
    // A dock below the grid: hidden, it takes no room from the client area
    // and its layout pass; shown, the client area is shorter by its height.
    previewDock_ = new QDockWidget(QStringLiteral("Preview"), this);
    previewDock_->setObjectName(QStringLiteral("dckPreview"));
    previewDock_->setFeatures(QDockWidget::DockWidgetClosable);
    previewDock_->setAllowedAreas(Qt::BottomDockWidgetArea);
    preview_ = new PreviewPane(*model_, previewDock_);
    previewDock_->setWidget(preview_);
    addDockWidget(Qt::BottomDockWidgetArea, previewDock_);
    previewDock_->hide();
    connect(preview_, &PreviewPane::rowRequested, this, &Form1::GoToRow);
    // The dock's own close button unchecks the entry.
    connect(previewDock_, &QDockWidget::visibilityChanged, this, [this] {
        if (previewDock_->isHidden() && mnuVPreview->isChecked()) mnuVPreview->setChecked(false);
    });
}

void Form1::TogglePreview(bool shown) {
    if (shown) {
        previewDock_->show();
        if (!previewSized_) {
            // A first opening gives the pane half the window.
            resizeDocks({previewDock_}, {height() / 2}, Qt::Vertical);
            previewSized_ = true;
        }
        preview_->Input()->setFocus();
    } else {
        if (previewDock_->isAncestorOf(focusWidget())) grdMode->setFocus();
        previewDock_->hide();
    }
}

void Form1::ShowModeCheck() {
    ShowSideWindow(check_, [this] {
        auto* window = new CheckWindow(*model_, this);
        connect(window, &CheckWindow::rowRequested, this, &Form1::GoToRow);
        return window;
    });
}

CheckWindow* Form1::ModeCheck() const { return check_.data(); }

void Form1::GoToRow(int row) {
    model_->MoveCursor({row, 0, kColumnCount - 1});
    RowStatus();
}

}  // namespace vel
