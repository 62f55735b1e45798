#include "editing/MainWindowUi.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>

#include "dialogs/ByteLineEdit.h"
#include "dialogs/FontTags.h"
#include "editing/ModeGrid.h"
#include "mode/Clause.h"

// Resources of a static library must be pulled in by name, outside any namespace.
static void InitIconResources() { Q_INIT_RESOURCE(velloran_icons); }

namespace vel {

namespace {

const char* const kFieldLabels[kColumnCount] = {"&Roman letters", "&Tengwar", "If &next roman", "If &previous ID",
                                                "I&D"};
const char* const kMarkerTip = "Ctrl + Shift + Enter = Non-alphanumeric";

// A freedesktop theme icon, or the bundled Tango image of that look.
QIcon ThemeIcon(const char* themeName, const char* bundledName) {
    const QString bundled = QString::fromLatin1(bundledName);
    QIcon fallback;
    fallback.addFile(QStringLiteral(":/icons/%1-16.png").arg(bundled), QSize(16, 16));
    fallback.addFile(QStringLiteral(":/icons/%1-22.png").arg(bundled), QSize(22, 22));
    return QIcon::fromTheme(QString::fromLatin1(themeName), fallback);
}

}  // namespace

void Form1Ui::SetupUi(QMainWindow* window) {
    InitIconResources();
    window->setObjectName(QStringLiteral("Form1"));
    window->setWindowTitle(QStringLiteral("Velloran"));
    BuildMenus(window);
    BuildToolbars(window);
    BuildClientArea(window);
    BuildStatusBar(window);
}

void Form1Ui::BuildMenus(QMainWindow* window) {
    auto entry = [](QMenu* menu, const char* name, const char* caption, const QKeySequence& keys = {}) {
        QAction* a = menu->addAction(QString::fromLatin1(caption));
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(keys);
        return a;
    };
    auto line = [](QMenu* menu, const char* name) { menu->addSeparator()->setObjectName(QString::fromLatin1(name)); };
    auto menu = [window](const char* name, const char* caption) {
        QMenu* m = window->menuBar()->addMenu(QString::fromLatin1(caption));
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name));
        return m;
    };

    mnuFile = menu("mnuFile", "&File");
    mnuFNew = entry(mnuFile, "mnuFNew", "&New", Qt::CTRL | Qt::Key_N);
    line(mnuFile, "mnuFLine1");
    mnuFOpen = entry(mnuFile, "mnuFOpen", "&Open...", Qt::CTRL | Qt::Key_O);
    line(mnuFile, "mnuFLine2");
    mnuFSave = entry(mnuFile, "mnuFSave", "&Save", Qt::CTRL | Qt::Key_S);
    mnuFSaveAs = entry(mnuFile, "mnuFSaveAs", "Save &as...");
    line(mnuFile, "mnuFLine4");
    mnuFImport = entry(mnuFile, "mnuFImport", "Import...");
    line(mnuFile, "mnuFLine3");
    mnuFWizard = entry(mnuFile, "mnuFWizard", "&Wizard...", Qt::CTRL | Qt::Key_W);
    line(mnuFile, "mnuFLine0");
    mnuFExit = entry(mnuFile, "mnuFExit", "&Exit");

    mnuEdit = menu("mnuEdit", "&Edit");
    mnuEUndo = entry(mnuEdit, "mnuEUndo", "&Undo", Qt::CTRL | Qt::Key_Z);
    mnuERedo = entry(mnuEdit, "mnuERedo", "Re&do", Qt::CTRL | Qt::Key_Y);
    mnuERedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    line(mnuEdit, "mnuELineUndo");
    mnuECut = entry(mnuEdit, "mnuECut", "Cu&t", Qt::CTRL | Qt::Key_X);
    mnuECopy = entry(mnuEdit, "mnuECopy", "&Copy", Qt::CTRL | Qt::Key_C);
    mnuEPaste = entry(mnuEdit, "mnuEPaste", "&Paste", Qt::CTRL | Qt::Key_V);
    line(mnuEdit, "mnuELine0");
    mnuERemove = entry(mnuEdit, "mnuERemove", "&Remove", Qt::Key_Delete);
    line(mnuEdit, "mnuELine1");
    mnuEFind = entry(mnuEdit, "mnuEFind", "&Find...", Qt::Key_F3);
    line(mnuEdit, "mnuELine2");
    mnuInsertSpecialCharacter =
        entry(mnuEdit, "mnuInsertSpecialCharacter", "Insert &special character...", Qt::CTRL | Qt::Key_Insert);

    mnuRows = menu("mnuRows", "&Clause");
    mnuRMoveOneUp = entry(mnuRows, "mnuRMoveOneUp", "Move one row &up", Qt::CTRL | Qt::Key_U);
    mnuRMoveOneDown = entry(mnuRows, "mnuRMoveOneDown", "Move one row &down", Qt::CTRL | Qt::Key_D);
    mnuRMoveToRow = entry(mnuRows, "mnuRMoveToRow", "Move to row...");
    line(mnuRows, "mnuRLine0");
    mnuRSortAlphabetically = entry(mnuRows, "mnuRSortAlphabetically", "Sort &alphabetically");
    mnuROptimize = entry(mnuRows, "mnuROptimize", "&Optimize");
    line(mnuRows, "mnuRLine1");
    mnuRCheckMode = entry(mnuRows, "mnuRCheckMode", "Chec&k mode", Qt::Key_F7);

    mnuView = menu("mnuView", "&View");
    mnuVPreview = entry(mnuView, "mnuVPreview", "&Preview", Qt::Key_F4);
    mnuVPreview->setCheckable(true);

    mnuHelp = menu("mnuHelp", "&Help");
    mnuHContents = entry(mnuHelp, "mnuHContents", "&Contents", Qt::Key_F1);
    mnuHAbout = entry(mnuHelp, "mnuHAbout", "About...");
}

void Form1Ui::BuildToolbars(QMainWindow* window) {
    auto button = [this](QToolBar* bar, const char* key, const char* description, const char* tip, const QIcon& icon) {
        QAction* a = bar->addAction(icon, QString::fromLatin1(description));
        a->setObjectName(QString::fromLatin1(key));
        a->setToolTip(QString::fromLatin1(tip));
        buttons.insert(QString::fromLatin1(key), a);
        return a;
    };
    // A button starts what its menu entry starts, so the command connected
    // to the entry serves both.
    auto forward = [window](QAction* from, QAction* to) {
        QObject::connect(from, &QAction::triggered, window, [to] { to->trigger(); });
    };

    Toolbar1 = new QToolBar(QStringLiteral("Toolbar1"), window);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    Toolbar1->setIconSize(QSize(22, 22));
    Toolbar1->setContextMenuPolicy(Qt::PreventContextMenu);
    Toolbar1->toggleViewAction()->setVisible(false);
    window->addToolBar(Qt::TopToolBarArea, Toolbar1);
    forward(button(Toolbar1, "New", "New", "New (Ctrl+N)", ThemeIcon("document-new", "document-new")), mnuFNew);
    forward(button(Toolbar1, "Open", "Open", "Open (Ctrl+O)", ThemeIcon("document-open", "document-open")), mnuFOpen);
    forward(button(Toolbar1, "Save", "Save", "Save (Ctrl+S)", ThemeIcon("document-save", "document-save")), mnuFSave);
    Toolbar1->addSeparator();
    forward(button(Toolbar1, "Cut", "Cut", "Cut (Ctrl+X)", ThemeIcon("edit-cut", "edit-cut")), mnuECut);
    forward(button(Toolbar1, "Copy", "Copy", "Copy (Ctrl+C)", ThemeIcon("edit-copy", "edit-copy")), mnuECopy);
    forward(button(Toolbar1, "Paste", "Paste", "Paste (Ctrl+V)", ThemeIcon("edit-paste", "edit-paste")), mnuEPaste);
    Toolbar1->addSeparator();
    forward(button(Toolbar1, "Find", "Find", "Find (F3)", ThemeIcon("edit-find", "edit-find")), mnuEFind);
    Toolbar1->addSeparator();
    forward(button(Toolbar1, "Wizard", "Wizard", "Wizard (Ctrl+W)",
                   ThemeIcon("accessories-character-map", "accessories-character-map")),
            mnuFWizard);

    tlbGridControls = new QToolBar(QStringLiteral("tlbGridControls"));
    tlbGridControls->setObjectName(QStringLiteral("tlbGridControls"));
    tlbGridControls->setIconSize(QSize(16, 16));
    forward(button(tlbGridControls, "Optimize", "Optimize", "Optimize",
                   ThemeIcon("applications-system", "applications-system")),
            mnuROptimize);
    forward(button(tlbGridControls, "Alphabetically", "Sort alphabetically", "Sort Alphabetically",
                   ThemeIcon("view-sort-ascending", "fonts")),
            mnuRSortAlphabetically);
    tlbGridControls->addSeparator();
    forward(button(tlbGridControls, "Up", "Move up one row", "Move up one row (Ctrl+U)", ThemeIcon("go-up", "go-up")),
            mnuRMoveOneUp);
    forward(button(tlbGridControls, "Down", "Move down one row", "Move down one row (Ctrl+D)",
                   ThemeIcon("go-down", "go-down")),
            mnuRMoveOneDown);
}

void Form1Ui::BuildClientArea(QMainWindow* window) {
    auto* client = new QWidget(window);
    client->setObjectName(QStringLiteral("ClientArea"));
    window->setCentralWidget(client);

    lblComment = new QLabel(QStringLiteral("&Comment"), client);
    lblComment->setObjectName(QStringLiteral("lblDescription6"));
    TagFont(lblComment, kFontTagText);
    txtComment = new ByteLineEdit(client);
    txtComment->setObjectName(QStringLiteral("txtComment"));
    // The limit stops typing; a longer loaded comment is still shown whole.
    txtComment->SetTypingLimit(kCommentLimit);
    TagFont(txtComment, kFontTagText);
    lblComment->setBuddy(txtComment);

    chkCaseSensitive = new QCheckBox(QStringLiteral("Mode is case sensitive"), client);
    chkCaseSensitive->setObjectName(QStringLiteral("chkCaseSensitive"));
    chkCaseSensitive->setToolTip(QStringLiteral("Treat UPPERCASE/lowercase as separate letters."));
    TagFont(chkCaseSensitive, kFontTagText);

    for (int i = 0; i < kColumnCount; ++i) {
        lblDescription[size_t(i)] = new QLabel(QString::fromLatin1(kFieldLabels[i]), client);
        lblDescription[size_t(i)]->setObjectName(QStringLiteral("lblDescription%1").arg(i));
        TagFont(lblDescription[size_t(i)], kFontTagText);

        auto* field = new ByteLineEdit(client);
        field->setObjectName(QStringLiteral("txtEditField%1").arg(i));
        field->setProperty("index", i);
        field->setMaxLength(kFieldLimits[i]);
        QFont font = field->font();
        font.setPointSizeF(9.75);
        field->setFont(font);
        const bool roman = i == ColRoman || i == ColIfNextRoman;
        TagFont(field, roman ? kFontTagText : kFontTagTengwar);
        if (i == ColIfNextRoman || i == ColIfPreviousID) {
            field->SetMarkerKey(true);
            field->setToolTip(QString::fromLatin1(kMarkerTip));
        }
        lblDescription[size_t(i)]->setBuddy(field);
        txtEditField[size_t(i)] = field;
    }

    cmdAdd = new QPushButton(QStringLiteral("&Add"), client);
    cmdAdd->setObjectName(QStringLiteral("cmdAdd"));
    // Enter on the focused button presses it; it is still no default button,
    // so Enter in a field does not add.
    cmdAdd->setAutoDefault(true);
    cmdAdd->setDefault(false);
    TagFont(cmdAdd, kFontTagText);

    picContainer = new QFrame(client);
    picContainer->setObjectName(QStringLiteral("picContainer"));
    picContainer->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picContainer->setLineWidth(1);
    tlbGridControls->setParent(picContainer);

    grdMode = new ModeGrid(picContainer);
    grdMode->setObjectName(QStringLiteral("grdMode"));
    TagFont(grdMode, kFontTagText);
    grdMode->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grdMode->setSelectionBehavior(QAbstractItemView::SelectItems);
    grdMode->setWordWrap(false);
    grdMode->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grdMode->verticalHeader()->hide();
    // A mode may hold a million clauses: rows never size to their contents.
    grdMode->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdMode->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grdMode->horizontalHeader()->setHighlightSections(false);

    // Tab order: comment, check box, the fields, Add, then the grid.
    QWidget::setTabOrder(txtComment, chkCaseSensitive);
    QWidget::setTabOrder(chkCaseSensitive, txtEditField[0]);
    for (size_t i = 1; i < kColumnCount; ++i) QWidget::setTabOrder(txtEditField[i - 1], txtEditField[i]);
    QWidget::setTabOrder(txtEditField[4], cmdAdd);
    QWidget::setTabOrder(cmdAdd, grdMode);
}

void Form1Ui::BuildStatusBar(QMainWindow* window) {
    StatusBar1 = window->statusBar();
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    TagFont(StatusBar1, kFontTagText);
    auto panel = [this](const QString& key, const QString& tip, int minWidth) {
        auto* label = new QLabel(StatusBar1);
        label->setObjectName(key);
        label->setToolTip(tip);
        label->setMinimumWidth(minWidth);
        TagFont(label, kFontTagText);
        return label;
    };
    StatusBar1->addWidget(panel(QString(), QString(), 0), 1);
    panelTotalRows = panel(QStringLiteral("TotalRows"), QStringLiteral("Number of rows in mode"), 110);
    panelSelectedRow = panel(QStringLiteral("SelectedRow"), QStringLiteral("Selected row number"), 80);
    StatusBar1->addPermanentWidget(panelTotalRows);
    StatusBar1->addPermanentWidget(panelSelectedRow);
}

}  // namespace vel
