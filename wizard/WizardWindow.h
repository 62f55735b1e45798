#pragma once
// frmModeWizard, "Mode Zazov": the wizard field set page by page, saved and
// loaded as a template, and turned into clauses by Create Mode. A modeless
// window owned by the main window; it reaches the mode only through the
// model, and tells the main window what that window must do itself by a
// signal. Closing it by any way discards it (the main window opens it with
// ShowSideWindow), so the next opening starts empty.
#include <QDialog>

#include "settings/SharedVariables.h"
#include "wizard/WizardFields.h"
#include "wizard/WizardWindowUi.h"

class QCheckBox;

namespace vel {

class ModeModel;
class Prompter;

// The folder the template dialogs start in: the program's own folder, unless
// the user cannot write there (an installed program), then the modes folder.
QString TemplateDialogFolder(const QString& programFolder, const QString& modesFolder);

class frmModeWizard : public QDialog, public ModeWizardUi {
    Q_OBJECT
public:
    // Messages and file dialogs go to prompter; fonts and the modes folder
    // come from shared.
    frmModeWizard(ModeModel& model, Prompter& prompter, const SharedVariables& shared, QWidget* owner);

    int CurrentPage() const { return page_; }
    // The field set the controls hold, and back.
    WizardFields Fields() const;
    void SetFields(const WizardFields& fields);

    // The commands of the window.
    void NextPage();
    void PreviousPage();
    // Adds the generated clauses to the mode as one step, then closes.
    void CreateMode();
    void SaveTemplateCommand();
    void LoadTemplateCommand();
    // Esc and every other end of the dialog close it, so it is discarded.
    void done(int result) override;

signals:
    // Create Mode has begun: the main window empties its five entry fields
    // now, as a run of Add would leave them.
    void entryFieldsToEmpty();

private:
    void ShowPage(int page);
    QString DialogFolder() const;
    void BackInFront();

    ModeModel& model_;
    Prompter& prompter_;
    SharedVariables shared_;
    int page_ = 0;
};

// A check box's value: 0 unchecked, 1 checked, 2 greyed; and setting it.
int CheckValue(const QCheckBox* box);
void SetCheckValue(QCheckBox* box, int value);

}  // namespace vel
