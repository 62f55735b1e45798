#pragma once
// The main window's controls, built in one place, under the names its
// commands, its layout pass and its tests use. Building wires nothing but
// the toolbar buttons to the menu entries they stand for: the window
// connects the commands.
#include <QHash>
#include <QString>
#include <array>

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QMainWindow;
class QMenu;
class QPushButton;
class QStatusBar;
class QToolBar;

namespace vel {

class ByteLineEdit;
class ModeGrid;

struct Form1Ui {
    void SetupUi(QMainWindow* window);

    // Client area. lblComment is lblDescription index 6.
    ModeGrid* grdMode = nullptr;
    std::array<ByteLineEdit*, 5> txtEditField{};
    std::array<QLabel*, 5> lblDescription{};
    QLabel* lblComment = nullptr;
    ByteLineEdit* txtComment = nullptr;
    QCheckBox* chkCaseSensitive = nullptr;
    QPushButton* cmdAdd = nullptr;
    QFrame* picContainer = nullptr;
    QToolBar* Toolbar1 = nullptr;
    QToolBar* tlbGridControls = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* panelTotalRows = nullptr;    // key "TotalRows"
    QLabel* panelSelectedRow = nullptr;  // key "SelectedRow"
    QHash<QString, QAction*> buttons;    // both toolbars' buttons by key

    QMenu* mnuFile = nullptr;
    QAction* mnuFNew = nullptr;
    QAction* mnuFOpen = nullptr;
    QAction* mnuFSave = nullptr;
    QAction* mnuFSaveAs = nullptr;
    QAction* mnuFImport = nullptr;
    QAction* mnuFWizard = nullptr;
    QAction* mnuFExit = nullptr;
    QMenu* mnuEdit = nullptr;
    QAction* mnuEUndo = nullptr;
    QAction* mnuERedo = nullptr;
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
    QAction* mnuRCheckMode = nullptr;
    QMenu* mnuView = nullptr;
    QAction* mnuVPreview = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHContents = nullptr;
    QAction* mnuHAbout = nullptr;

private:
    void BuildMenus(QMainWindow* window);
    void BuildToolbars(QMainWindow* window);
    void BuildClientArea(QMainWindow* window);
    void BuildStatusBar(QMainWindow* window);
};

}  // namespace vel
