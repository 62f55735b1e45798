#pragma once
// Form1, the editor's main window: the clause grid over the one open mode,
// the comment and case flag, the five entry fields with Add, the menus and
// toolbars, and the status bar. It owns the mode document and its model;
// every change of the table goes through the model so the grid follows.
#include <QHash>
#include <QMainWindow>
#include <array>
#include <memory>

#include "editing/MainLayout.h"
#include "mode/ModeDocument.h"
#include "settings/SharedVariables.h"
#include "settings/Startup.h"

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QToolBar;

namespace vel {

class FileCommands;

class ByteLineEdit;
class ModeGrid;
class ModeModel;
class Prompter;
class QtPrompter;

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    ModeDocument& Document() { return doc_; }
    ModeTable& Table() { return doc_.table; }
    ModeModel& Model() { return *model_; }

    // Every question, message and input box of this window goes here; null
    // restores the window's own dialogs.
    void SetPrompter(Prompter* prompter);
    Prompter& CurrentPrompter() { return *prompter_; }

    // Display fonts of the grid's cells: Roman for columns 0 and 2, Tengwar
    // for 1, 3 and 4. Tagged controls get theirs by their "fontTag" property.
    void SetDisplayFonts(const QString& romanFamily, const QString& tengwarFamily);

    // Clause entry and status.
    void AddRow();
    void RowStatus();
    void LoadFieldsFromRow();
    void SetCellFonts();

    // Row operations on the current clause. MoveRow moves by intPosition rows,
    // or, with boolDialog, to a row number asked from the user (written back).
    void MoveRow(int& intPosition, bool boolDialog = false);
    void MoveRowBy(int delta) { MoveRow(delta, false); }
    void RemoveRow();
    void CutRow();
    void CopyRow();
    void PasteRow();

    void Optimize();
    void SortAlphabetically();

    // The Edit commands, routed by the focused control.
    void EditCut();
    void EditCopy();
    void EditPaste();
    void EditRemove();
    void CutText();
    void CopyText();
    void PasteText();
    void RemoveText();

    // Shows the table's cursor in the grid; call after writing the cursor
    // directly (the model's row operations do it themselves).
    void SyncViewToCursor();

    // Status bar panels by key ("TotalRows", "SelectedRow"); toolbar buttons
    // by key, from Toolbar1 or tlbGridControls.
    QLabel* Panel(const QString& key) const;
    QAction* ToolbarButton(const QString& key) const;
    const MainLayout& Layout() const { return layout_; }

    // The File menu's commands, the settings shared by the run, and start-up:
    // the program calls Startup once after building the window.
    FileCommands& Files() { return *files_; }
    const SharedVariables& Shared() const { return shared_; }
    void Startup(const StartupInputs& inputs);

    // Controls.
    ModeGrid* grdMode = nullptr;
    std::array<ByteLineEdit*, 5> txtEditField{};
    std::array<QLabel*, 5> lblDescription{};
    QLabel* lblComment = nullptr;  // lblDescription index 6
    ByteLineEdit* txtComment = nullptr;
    QCheckBox* chkCaseSensitive = nullptr;
    QPushButton* cmdAdd = nullptr;
    QFrame* picContainer = nullptr;
    QToolBar* Toolbar1 = nullptr;
    QToolBar* tlbGridControls = nullptr;
    QStatusBar* StatusBar1 = nullptr;

    // Menus and their entries. File, wizard, find, picker and help entries
    // are left for their commands to connect to; Exit closes the window.
    QMenu* mnuFile = nullptr;
    QAction* mnuFNew = nullptr;
    QAction* mnuFOpen = nullptr;
    QAction* mnuFSave = nullptr;
    QAction* mnuFSaveAs = nullptr;
    QAction* mnuFImport = nullptr;
    QAction* mnuFWizard = nullptr;
    QAction* mnuFExit = nullptr;
    QMenu* mnuEdit = nullptr;
    QAction* mnuECut = nullptr;
    QAction* mnuECopy = nullptr;
    QAction* mnuEPaste = nullptr;
    QAction* mnuERemove = nullptr;
    QAction* mnuEFind = nullptr;
    QAction* mnuInsertSpecialCharacter = nullptr;
    QMenu* mnuRows = nullptr;
    QAction* mnuRMoveOneUp = nullptr;
    QAction* mnuRMoveOneDown = nullptr;
    QAction* mnuRMoveToRow = nullptr;
    QAction* mnuRSortAlphabetically = nullptr;
    QAction* mnuROptimize = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHContents = nullptr;
    QAction* mnuHAbout = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The question about unsaved changes before the window (and the program) closes.
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void ConnectFileCommands();
    // Optimize and SortAlphabetically: one order over all clause rows.
    void Reorder(void (*order)(ModeTable&), bool optimized);
    void BuildToolbars();
    void BuildClientArea();
    void BuildStatusBar();
    void ConnectGrid();
    void ApplyLayout();
    void OnViewCursorChanged();
    void RefreshModeFields();
    void UpdateSpecialCharacterEntry();
    // The focused text field of this window, or null.
    ByteLineEdit* FocusedTextField() const;
    bool GridHasFocus() const;
    // Puts one clause's row text on the clipboard; false when it did not take.
    bool PutRowOnClipboard(int row);

    ModeDocument doc_;
    ModeModel* model_ = nullptr;
    std::unique_ptr<QtPrompter> ownPrompter_;
    Prompter* prompter_ = nullptr;
    SharedVariables shared_;
    // Hands the file commands' dialogs to whichever prompter is current.
    std::unique_ptr<Prompter> filePrompter_;
    FileCommands* files_ = nullptr;
    MainLayout layout_;
    QHash<QString, QAction*> buttons_;
    QLabel* totalRows_ = nullptr;
    QLabel* selectedRow_ = nullptr;
    bool syncing_ = false;        // the window is moving the view's cursor
    bool modelChanging_ = false;  // rows are being inserted, removed or reset
    bool refreshing_ = false;     // the mode fields are being filled from the table
};

}  // namespace vel
