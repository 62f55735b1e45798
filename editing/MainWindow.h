#pragma once
// Form1, the editor's main window. It owns the model (and through it the
// one open mode), builds its controls (Form1Ui), hands the file, row and
// order commands to small command objects, and keeps for itself the entry
// area's Add, the status refresh, the routing of the Edit commands by the
// focused control, the layout pass, the fonts, closing and the side windows.
#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "editing/MainLayout.h"
#include "editing/MainWindowUi.h"
#include "mode/ModeTable.h"
#include "settings/FileCommands.h"
#include "settings/SharedVariables.h"
#include "settings/Startup.h"

class QDockWidget;

namespace vel {

class CheckWindow;
class GridSync;
class HelpWindow;
class ModeModel;
class PreviewPane;
class Prompter;
class RowCommands;

class Form1 : public QMainWindow, public Form1Ui {
    Q_OBJECT
public:
    // Every question, message, input box and file dialog of this window and
    // its side windows goes to prompter; null gives the real dialogs.
    explicit Form1(Prompter* prompter = nullptr, QWidget* parent = nullptr);
    ~Form1() override;

    // The mode, for reading; changes go through the model's operations.
    ModeModel& Model() { return *model_; }
    const ModeTable& Table() const;
    Prompter& CurrentPrompter() { return *prompter_; }
    FileCommands& Files() { return *files_; }
    RowCommands& Rows() { return *rows_; }
    const SharedVariables& Shared() const { return shared_; }
    const MainLayout& Layout() const { return layout_; }

    // The program calls this once after building the window.
    void Startup(const StartupInputs& inputs);

    // Display fonts of the grid's cells: Roman for columns 0 and 2, Tengwar
    // for 1, 3 and 4. Tagged controls get theirs by their "fontTag" property.
    void SetDisplayFonts(const QString& romanFamily, const QString& tengwarFamily);

    // Clause entry and status.
    void AddRow();
    void RowStatus();
    void LoadFieldsFromRow();

    // The Edit commands, routed by the focused control: the grid's go to the
    // clause commands, a text field's to its own text.
    void EditUndo();
    void EditRedo();
    void EditCut();
    void EditCopy();
    void EditPaste();
    void EditRemove();

    // The side windows, one instance each (ShowSideWindow).
    // "&Wizard...", Ctrl+W and the toolbar's Wizard button.
    void ShowWizard();
    // "&Find...", F3 and the toolbar's Find button: only while the mode has a clause row.
    void EditFind();
    // "Insert &special character..." and Ctrl+Ins: the picker for the focused text field.
    void InsertSpecialCharacterInFocus();
    // "About...": modal.
    void ShowAbout();
    // "&Preview" (F4): shows or hides the preview pane below the grid.
    void TogglePreview(bool shown);
    // "Chec&k mode" (F7): the findings list.
    void ShowModeCheck();
    // The preview pane (a dock at the bottom, hidden at start) and the
    // findings list while it is open.
    PreviewPane* Preview() const { return preview_; }
    QDockWidget* PreviewDock() const { return previewDock_; }
    CheckWindow* ModeCheck() const;

    // Status bar panels by key ("TotalRows", "SelectedRow"); toolbar buttons
    // by key, from Toolbar1 or tlbGridControls.
    QLabel* Panel(const QString& key) const;
    QAction* ToolbarButton(const QString& key) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The question about unsaved changes before the window (and the program) closes.
    void closeEvent(QCloseEvent* event) override;

private:
    void ConnectCommands();
    void AddSampleHooks(FileCommands::Hooks& hooks);
    void BuildPreview();
    // A row named by the preview or the mode check becomes the current row.
    void GoToRow(int row);
    void ApplyLayout();
    // The comment box and the case box follow the document.
    void RefreshModeFields();
    void UpdateUndoEntries();
    void UpdateSpecialCharacterEntry();
    // The focused text field of this window, or null.
    ByteLineEdit* FocusedTextField() const;
    bool GridHasFocus() const;

    ModeModel* model_ = nullptr;
    std::unique_ptr<Prompter> ownPrompter_;
    Prompter* prompter_ = nullptr;
    SharedVariables shared_;
    FileCommands* files_ = nullptr;
    RowCommands* rows_ = nullptr;
    GridSync* gridSync_ = nullptr;
    MainLayout layout_;
    QPointer<HelpWindow> help_;
    QPointer<QWidget> wizard_;
    QPointer<QWidget> replace_;
    QDockWidget* previewDock_ = nullptr;
    PreviewPane* preview_ = nullptr;
    bool previewSized_ = false;
    QPointer<CheckWindow> check_;
};

}  // namespace vel
