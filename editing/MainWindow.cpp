#include "editing/MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QEvent>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>
#include <cmath>

#include "dialogs/Prompter.h"
#include "dialogs/WaitCursor.h"
#include "editing/ByteLineEdit.h"
#include "editing/ModeGrid.h"
#include "editing/ModeModel.h"
#include "editing/Ordering.h"
#include "editing/RowOperations.h"
#include "mode/Numbers.h"
#include "mode/ByteCodec.h"
#include "settings/FileCommands.h"
#include "settings/HelpWindow.h"

// Resources of a static library must be pulled in by name, outside any namespace.
static void InitIconResources() { Q_INIT_RESOURCE(velloran_icons); }

namespace vel {

namespace {

const char* const kFieldLabels[kColumnCount] = {"&Roman letters", "&Tengwar", "If &next roman", "If &previous ID",
                                                "I&D"};
const char* const kMarkerTip = "Ctrl + Shift + Enter = Non-alphanumeric";

// A freedesktop theme icon, or the bundled Tango image of that look.
QIcon ThemeIcon(const char* themeName, const QString& bundled) {
    QIcon fallback;
    fallback.addFile(QStringLiteral(":/icons/%1-16.png").arg(bundled), QSize(16, 16));
    fallback.addFile(QStringLiteral(":/icons/%1-22.png").arg(bundled), QSize(22, 22));
    return QIcon::fromTheme(QString::fromLatin1(themeName), fallback);
}

void Tag(QWidget* w, const char* tag) { w->setProperty("fontTag", QString::fromLatin1(tag)); }

// The file commands keep one prompter for their lifetime; this one follows
// the window's current prompter, which tests replace.
class ForwardingPrompter : public Prompter {
public:
    explicit ForwardingPrompter(Prompter*& target) : target_(target) {}
    int Ask(const QString& title, const QString& text, Icon icon, int buttons, int defaultButton) override {
        return target_->Ask(title, text, icon, buttons, defaultButton);
    }
    void Tell(const QString& title, const QString& text, Icon icon) override { target_->Tell(title, text, icon); }
    std::optional<QString> Input(const QString& title, const QString& prompt, const QString& initial) override {
        return target_->Input(title, prompt, initial);
    }
    std::optional<QString> OpenFile(const FileDialog& dialog) override { return target_->OpenFile(dialog); }
    std::optional<QString> SaveFile(const FileDialog& dialog) override { return target_->SaveFile(dialog); }

private:
    Prompter*& target_;
};

// Some Tengwar fonts (the bundled one among them) draw their letters at half
// the height of Roman small letters at the same size. The grid enlarges such
// a font until a tengwa's bowl (the glyph of "5") is as tall as the Roman
// x-height, so glyphs stay readable; it never shrinks a font.
qreal TengwarScale(const QFont& roman, const QFont& tengwar) {
    const qreal target = QFontMetricsF(roman).xHeight();
    const qreal glyph = QFontMetricsF(tengwar).tightBoundingRect(QStringLiteral("5")).height();
    if (target <= 0 || glyph <= 0) return 1.0;
    return std::clamp(target / glyph, 1.0, 3.0);
}


}  // namespace

Form1::Form1(QWidget* parent) : QMainWindow(parent) {
    InitIconResources();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Velloran"));

    ownPrompter_ = std::make_unique<QtPrompter>(this);
    prompter_ = ownPrompter_.get();
    model_ = new ModeModel(doc_, this);

    BuildMenus();
    BuildToolbars();
    BuildClientArea();
    BuildStatusBar();
    ConnectGrid();
    ConnectFileCommands();

    SetDisplayFonts(grdMode->font().family(), grdMode->font().family());
    cmdAdd->setEnabled(false);
    RowStatus();
    resize(600, 540);
}

Form1::~Form1() {
    // Children go after the document they show: detach the view and the
    // application-wide focus signal before the members are gone.
    disconnect(qApp, nullptr, this, nullptr);
    grdMode->setModel(nullptr);
    delete model_;
    model_ = nullptr;
}

void Form1::SetPrompter(Prompter* prompter) { prompter_ = prompter ? prompter : ownPrompter_.get(); }

void Form1::ConnectFileCommands() {
    filePrompter_ = std::make_unique<ForwardingPrompter>(prompter_);
    files_ = new FileCommands(*model_, *filePrompter_, shared_, this);
    files_->SetHooks({[this] { Optimize(); }, [this](const QString& caption) { setWindowTitle(caption); },
                      [this] {
                          RefreshModeFields();
                          SyncViewToCursor();
                          RowStatus();
                      }});
    connect(mnuFNew, &QAction::triggered, files_, [this] { files_->FileNew(); });
    connect(mnuFOpen, &QAction::triggered, files_, [this] { files_->FileOpen(); });
    connect(mnuFSave, &QAction::triggered, files_, [this] { files_->FileSave(false); });
    connect(mnuFSaveAs, &QAction::triggered, files_, [this] { files_->FileSave(true); });
    connect(mnuFImport, &QAction::triggered, files_, [this] { files_->FileImport(); });
    connect(mnuHContents, &QAction::triggered, this, [this] { ShowHelpContents(this); });
}

void Form1::Startup(const StartupInputs& inputs) {
    const StartupResult result = RunStartup(inputs);
    shared_ = result.shared;
    SetDisplayFonts(shared_.strRomanFont, shared_.strTengwarFont);
    FinishStartup(this, *files_, result);
}

void Form1::closeEvent(QCloseEvent* event) {
    if (files_->ConfirmClose()) {
        // The program ends with its main window: side windows go with it.
        for (QWidget* child : findChildren<QWidget*>())
            if (child->isWindow() && child->isVisible()) child->close();
        event->accept();
    } else {
        event->ignore();
    }
}

// ---------------------------------------------------------------- building

void Form1::BuildMenus() {
    auto entry = [this](QMenu* menu, const char* name, const char* caption, const QKeySequence& keys = {}) {
        QAction* a = menu->addAction(QString::fromLatin1(caption));
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(keys);
        return a;
    };
    auto line = [](QMenu* menu, const char* name) { menu->addSeparator()->setObjectName(QString::fromLatin1(name)); };
    auto menu = [this](const char* name, const char* caption) {
        QMenu* m = menuBar()->addMenu(QString::fromLatin1(caption));
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
    connect(mnuFExit, &QAction::triggered, this, &QWidget::close);

    mnuEdit = menu("mnuEdit", "&Edit");
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
    connect(mnuECut, &QAction::triggered, this, &Form1::EditCut);
    connect(mnuECopy, &QAction::triggered, this, &Form1::EditCopy);
    connect(mnuEPaste, &QAction::triggered, this, &Form1::EditPaste);
    connect(mnuERemove, &QAction::triggered, this, &Form1::EditRemove);
    connect(mnuEdit, &QMenu::aboutToShow, this, &Form1::UpdateSpecialCharacterEntry);
    // Ctrl+Ins works without opening the menu, so the entry follows the focus too.
    connect(qApp, &QApplication::focusChanged, this, [this] { UpdateSpecialCharacterEntry(); });

    mnuRows = menu("mnuRows", "&Clause");
    mnuRMoveOneUp = entry(mnuRows, "mnuRMoveOneUp", "Move one row &up", Qt::CTRL | Qt::Key_U);
    mnuRMoveOneDown = entry(mnuRows, "mnuRMoveOneDown", "Move one row &down", Qt::CTRL | Qt::Key_D);
    mnuRMoveToRow = entry(mnuRows, "mnuRMoveToRow", "Move to row...");
    line(mnuRows, "mnuRLine0");
    mnuRSortAlphabetically = entry(mnuRows, "mnuRSortAlphabetically", "Sort &alphabetically");
    mnuROptimize = entry(mnuRows, "mnuROptimize", "&Optimize");
    connect(mnuRMoveOneUp, &QAction::triggered, this, [this] { MoveRowBy(-1); });
    connect(mnuRMoveOneDown, &QAction::triggered, this, [this] { MoveRowBy(1); });
    connect(mnuRMoveToRow, &QAction::triggered, this, [this] {
        int position = 0;
        MoveRow(position, true);
    });
    connect(mnuRSortAlphabetically, &QAction::triggered, this, &Form1::SortAlphabetically);
    connect(mnuROptimize, &QAction::triggered, this, &Form1::Optimize);

    mnuHelp = menu("mnuHelp", "&Help");
    mnuHContents = entry(mnuHelp, "mnuHContents", "&Contents", Qt::Key_F1);
    mnuHAbout = entry(mnuHelp, "mnuHAbout", "About...");
}

void Form1::BuildToolbars() {
    auto button = [this](QToolBar* bar, const char* key, const char* description, const char* tip, const QIcon& icon) {
        QAction* a = bar->addAction(icon, QString::fromLatin1(description));
        a->setObjectName(QString::fromLatin1(key));
        a->setToolTip(QString::fromLatin1(tip));
        buttons_.insert(QString::fromLatin1(key), a);
        return a;
    };
    // The main toolbar's buttons start what their menu entries start, so a
    // command connected to the entry serves both.
    auto forward = [this](QAction* from, QAction* to) { connect(from, &QAction::triggered, to, &QAction::trigger); };

    Toolbar1 = new QToolBar(QStringLiteral("Toolbar1"), this);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    Toolbar1->setIconSize(QSize(22, 22));
    Toolbar1->setContextMenuPolicy(Qt::PreventContextMenu);
    Toolbar1->toggleViewAction()->setVisible(false);
    addToolBar(Qt::TopToolBarArea, Toolbar1);
    forward(button(Toolbar1, "New", "New", "New (Ctrl+N)", ThemeIcon("document-new", "document-new")), mnuFNew);
    forward(button(Toolbar1, "Open", "Open", "Open (Ctrl+O)", ThemeIcon("document-open", "document-open")), mnuFOpen);
    forward(button(Toolbar1, "Save", "Save", "Save (Ctrl+S)", ThemeIcon("document-save", "document-save")), mnuFSave);
    Toolbar1->addSeparator();
    connect(button(Toolbar1, "Cut", "Cut", "Cut (Ctrl+X)", ThemeIcon("edit-cut", "edit-cut")), &QAction::triggered,
            this, &Form1::EditCut);
    connect(button(Toolbar1, "Copy", "Copy", "Copy (Ctrl+C)", ThemeIcon("edit-copy", "edit-copy")),
            &QAction::triggered, this, &Form1::EditCopy);
    connect(button(Toolbar1, "Paste", "Paste", "Paste (Ctrl+V)", ThemeIcon("edit-paste", "edit-paste")),
            &QAction::triggered, this, &Form1::EditPaste);
    Toolbar1->addSeparator();
    forward(button(Toolbar1, "Find", "Find", "Find (F3)", ThemeIcon("edit-find", "edit-find")), mnuEFind);
    Toolbar1->addSeparator();
    forward(button(Toolbar1, "Wizard", "Wizard", "Wizard (Ctrl+W)",
                   ThemeIcon("accessories-character-map", "accessories-character-map")),
            mnuFWizard);

    tlbGridControls = new QToolBar(QStringLiteral("tlbGridControls"));
    tlbGridControls->setObjectName(QStringLiteral("tlbGridControls"));
    tlbGridControls->setIconSize(QSize(16, 16));
    connect(button(tlbGridControls, "Optimize", "Optimize", "Optimize",
                   ThemeIcon("applications-system", "applications-system")),
            &QAction::triggered, this, &Form1::Optimize);
    connect(button(tlbGridControls, "Alphabetically", "Sort alphabetically", "Sort Alphabetically",
                   ThemeIcon("view-sort-ascending", "fonts")),
            &QAction::triggered, this, &Form1::SortAlphabetically);
    tlbGridControls->addSeparator();
    connect(button(tlbGridControls, "Up", "Move up one row", "Move up one row (Ctrl+U)", ThemeIcon("go-up", "go-up")),
            &QAction::triggered, this, [this] { MoveRowBy(-1); });
    connect(button(tlbGridControls, "Down", "Move down one row", "Move down one row (Ctrl+D)",
                   ThemeIcon("go-down", "go-down")),
            &QAction::triggered, this, [this] { MoveRowBy(1); });
}

void Form1::BuildClientArea() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(client);
    client->installEventFilter(this);

    lblComment = new QLabel(QStringLiteral("&Comment"), client);
    lblComment->setObjectName(QStringLiteral("lblDescription6"));
    Tag(lblComment, "text");
    txtComment = new ByteLineEdit(client);
    txtComment->setObjectName(QStringLiteral("txtComment"));
    txtComment->setMaxLength(kCommentLimit);
    Tag(txtComment, "text");
    lblComment->setBuddy(txtComment);
    connect(txtComment, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!refreshing_) doc_.table.SetComment(QStringToBytes(text));
    });

    chkCaseSensitive = new QCheckBox(QStringLiteral("Mode is case sensitive"), client);
    chkCaseSensitive->setObjectName(QStringLiteral("chkCaseSensitive"));
    chkCaseSensitive->setToolTip(QStringLiteral("Treat UPPERCASE/lowercase as separate letters."));
    Tag(chkCaseSensitive, "text");
    connect(chkCaseSensitive, &QCheckBox::toggled, this, [this](bool on) {
        if (!refreshing_) doc_.table.SetCaseSensitive(on);
    });

    const auto lowerWhileNotCaseSensitive = [this] { return !chkCaseSensitive->isChecked(); };
    for (int i = 0; i < kColumnCount; ++i) {
        lblDescription[i] = new QLabel(QString::fromLatin1(kFieldLabels[i]), client);
        lblDescription[i]->setObjectName(QStringLiteral("lblDescription%1").arg(i));
        Tag(lblDescription[i], "text");

        ByteLineEdit* field = new ByteLineEdit(client);
        field->setObjectName(QStringLiteral("txtEditField%1").arg(i));
        field->setProperty("index", i);
        field->setMaxLength(kFieldLimits[i]);
        QFont font = field->font();
        font.setPointSizeF(9.75);
        field->setFont(font);
        const bool roman = i == ColRoman || i == ColIfNextRoman;
        Tag(field, roman ? "text" : "tengwar");
        if (roman) field->SetLowerTyped(lowerWhileNotCaseSensitive);
        if (i == ColIfNextRoman || i == ColIfPreviousID) {
            field->SetMarkerKey(true);
            field->setToolTip(QString::fromLatin1(kMarkerTip));
        }
        lblDescription[i]->setBuddy(field);
        txtEditField[i] = field;
    }
    connect(txtEditField[0], &QLineEdit::textChanged, this,
            [this](const QString& text) { cmdAdd->setEnabled(!text.isEmpty()); });

    cmdAdd = new QPushButton(QStringLiteral("&Add"), client);
    cmdAdd->setObjectName(QStringLiteral("cmdAdd"));
    cmdAdd->setAutoDefault(false);
    cmdAdd->setDefault(false);
    Tag(cmdAdd, "text");
    connect(cmdAdd, &QPushButton::clicked, this, &Form1::AddRow);

    picContainer = new QFrame(client);
    picContainer->setObjectName(QStringLiteral("picContainer"));
    picContainer->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picContainer->setLineWidth(1);
    tlbGridControls->setParent(picContainer);

    grdMode = new ModeGrid(picContainer);
    grdMode->setObjectName(QStringLiteral("grdMode"));
    Tag(grdMode, "text");
    grdMode->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grdMode->setSelectionBehavior(QAbstractItemView::SelectItems);
    grdMode->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdMode->setWordWrap(false);
    grdMode->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grdMode->verticalHeader()->hide();
    // A mode may hold a million clauses: rows never size to their contents.
    grdMode->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdMode->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grdMode->horizontalHeader()->setHighlightSections(false);

    // Tab order: comment, check box, the fields, Add, then the grid.
    setTabOrder(txtComment, chkCaseSensitive);
    setTabOrder(chkCaseSensitive, txtEditField[0]);
    for (int i = 1; i < kColumnCount; ++i) setTabOrder(txtEditField[i - 1], txtEditField[i]);
    setTabOrder(txtEditField[4], cmdAdd);
    setTabOrder(cmdAdd, grdMode);
}

void Form1::BuildStatusBar() {
    StatusBar1 = statusBar();
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    Tag(StatusBar1, "text");
    auto panel = [this](const QString& key, const QString& tip, int minWidth) {
        auto* label = new QLabel(StatusBar1);
        label->setObjectName(key);
        label->setToolTip(tip);
        label->setMinimumWidth(minWidth);
        Tag(label, "text");
        return label;
    };
    auto* first = panel(QString(), QString(), 0);
    StatusBar1->addWidget(first, 1);
    totalRows_ = panel(QStringLiteral("TotalRows"), QStringLiteral("Number of rows in mode"), 110);
    selectedRow_ = panel(QStringLiteral("SelectedRow"), QStringLiteral("Selected row number"), 80);
    StatusBar1->addPermanentWidget(totalRows_);
    StatusBar1->addPermanentWidget(selectedRow_);
}

void Form1::ConnectGrid() {
    // These run before the view's own handlers (connected in setModel), so
    // the view's cursor moves during a row change never reach the table.
    auto changing = [this] { modelChanging_ = true; };
    connect(model_, &QAbstractItemModel::rowsAboutToBeInserted, this, changing);
    connect(model_, &QAbstractItemModel::rowsAboutToBeRemoved, this, changing);
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, changing);
    connect(model_, &ModeModel::rowsChangedByCommand, this, [this] {
        modelChanging_ = false;
        SyncViewToCursor();
        RowStatus();
    });
    connect(model_, &QAbstractItemModel::modelReset, this, &Form1::RefreshModeFields);

    grdMode->setModel(model_);
    QItemSelectionModel* selection = grdMode->selectionModel();
    connect(selection, &QItemSelectionModel::currentChanged, this, &Form1::OnViewCursorChanged);
    connect(selection, &QItemSelectionModel::selectionChanged, this, &Form1::OnViewCursorChanged);
    connect(grdMode, &QAbstractItemView::clicked, this, &Form1::RowStatus);
    connect(grdMode, &ModeGrid::loadRequested, this, &Form1::LoadFieldsFromRow);
}

// ---------------------------------------------------------------- fonts, layout

void Form1::SetDisplayFonts(const QString& romanFamily, const QString& tengwarFamily) {
    QFont roman = grdMode->font();
    roman.setFamily(romanFamily);
    QFont tengwar = grdMode->font();
    tengwar.setFamily(tengwarFamily);
    tengwar.setPointSizeF(tengwar.pointSizeF() * TengwarScale(roman, tengwar));
    model_->SetFonts(roman, tengwar);
    const int height = std::max(QFontMetrics(roman).height(), QFontMetrics(tengwar).height()) + 6;
    grdMode->verticalHeader()->setMinimumSectionSize(1);
    grdMode->verticalHeader()->setDefaultSectionSize(height);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == centralWidget() && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        ApplyLayout();
    return QMainWindow::eventFilter(watched, event);
}

void Form1::ApplyLayout() {
    QWidget* client = centralWidget();
    const double tppX = 1440.0 / std::max(1, client->logicalDpiX());
    const double tppY = 1440.0 / std::max(1, client->logicalDpiY());
    auto twX = [&](int px) { return int(std::lround(px * tppX)); };
    auto twY = [&](int px) { return int(std::lround(px * tppY)); };
    auto pxX = [&](int tw) { return int(std::lround(tw / tppX)); };
    auto pxY = [&](int tw) { return int(std::lround(tw / tppY)); };

    // The client area of the layout spans the toolbar's design height above
    // this widget and the status bar below it.
    const int statusBar = StatusBar1->isVisible() ? twY(StatusBar1->height()) : 0;
    const int width = twX(client->width());
    const int height = twY(client->height()) + MainLayout::kToolbarHeight + statusBar;
    const QSize toolbar = tlbGridControls->sizeHint();
    layout_.gridToolbar.width = twX(toolbar.width());
    layout_.gridToolbar.height = twY(toolbar.height());
    LayoutPass(layout_, width, height, statusBar, tppX, tppY);

    auto place = [&](QWidget* w, const TwipRect& r, int topOffset) {
        int widthPx = pxX(r.width);
        int heightPx = pxY(r.height);
        // A label is never smaller than its caption in the font at hand.
        if (qobject_cast<QLabel*>(w)) {
            widthPx = std::max(widthPx, w->sizeHint().width());
            heightPx = std::max(heightPx, w->sizeHint().height());
        }
        w->setGeometry(pxX(r.left), pxY(r.top - topOffset), widthPx, heightPx);
    };
    const int top = MainLayout::kToolbarHeight;
    place(lblComment, layout_.commentLabel, top);
    place(txtComment, layout_.comment, top);
    place(chkCaseSensitive, layout_.caseSensitive, top);
    for (int i = 0; i < kColumnCount; ++i) {
        place(lblDescription[i], layout_.fieldLabels[i], top);
        place(txtEditField[i], layout_.fields[i], top);
    }
    place(cmdAdd, layout_.add, top);
    place(picContainer, layout_.container, top);
    place(tlbGridControls, layout_.gridToolbar, 0);
    place(grdMode, layout_.grid, 0);

    // Equal columns; they share the grid's inner width when the scroll bar
    // leaves less than the pass gives, so no sideways scroll bar appears.
    int column = pxX(layout_.columnWidth);
    column = std::min(column, grdMode->maximumViewportSize().width() / kColumnCount);
    for (int c = 0; c < kColumnCount; ++c) grdMode->horizontalHeader()->resizeSection(c, std::max(column, 0));
}

// ---------------------------------------------------------------- cursor sync

void Form1::SyncViewToCursor() {
    QScopedValueRollback guard(syncing_, true);
    const ModeTable& t = doc_.table;
    QItemSelectionModel* selection = grdMode->selectionModel();
    if (t.CurrentRow() < 1) {
        selection->clear();
        return;
    }
    const int row = t.CurrentRow() - 1;
    const QModelIndex current = model_->index(row, t.CurrentCol());
    const int from = std::min(t.CurrentCol(), t.SelectionEndCol());
    const int to = std::max(t.CurrentCol(), t.SelectionEndCol());
    selection->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    selection->select(QItemSelection(model_->index(row, from), model_->index(row, to)),
                      QItemSelectionModel::ClearAndSelect);
    grdMode->scrollTo(current);
}

void Form1::OnViewCursorChanged() {
    if (syncing_ || modelChanging_) return;
    QItemSelectionModel* selection = grdMode->selectionModel();
    const QModelIndex current = selection->currentIndex();
    if (current.isValid()) {
        ModeTable& t = doc_.table;
        t.SetCurrentRow(current.row() + 1);
        t.SetCurrentCol(current.column());
        int end = current.column();
        for (const QItemSelectionRange& range : selection->selection()) {
            if (range.contains(current)) {
                end = range.left() == current.column() ? range.right() : range.left();
                break;
            }
        }
        t.SetSelectionEndCol(end);
    }
    RowStatus();
}

void Form1::RefreshModeFields() {
    QScopedValueRollback guard(refreshing_, true);
    txtComment->setText(BytesToQString(doc_.table.Comment()));
    chkCaseSensitive->setChecked(doc_.table.CaseSensitive());
}

// ---------------------------------------------------------------- entry, status

void Form1::AddRow() {
    if (doc_.table.RowCount() == 1) model_->SetRowCount(2);
    std::string rowText;
    for (int i = 0; i < kColumnCount; ++i) {
        if (i > 0) rowText += kTab;
        rowText += QStringToBytes(txtEditField[i]->text());
    }
    model_->InsertRow(rowText, doc_.table.CurrentRow());
    SetCellFonts();
    doc_.boolChanged = true;
    doc_.boolOptimized = false;
    for (ByteLineEdit* field : txtEditField) field->clear();
    RowStatus();
    txtEditField[0]->setFocus();
}

void Form1::RowStatus() {
    const ModeTable& t = doc_.table;
    const int clauses = t.RowCount() - 1;
    totalRows_->setText(QStringLiteral("Rows: %1").arg(clauses));
    selectedRow_->setText(t.CurrentRow() > 0 ? QStringLiteral("#%1").arg(t.CurrentRow()) : QString());
    const bool any = clauses >= 1;
    mnuEFind->setEnabled(any);
    buttons_.value(QStringLiteral("Find"))->setEnabled(any);
    mnuRows->menuAction()->setEnabled(any);
    for (QAction* a : mnuRows->actions()) a->setEnabled(any);
    for (QAction* a : tlbGridControls->actions()) a->setEnabled(any);
}

void Form1::LoadFieldsFromRow() {
    const ModeTable& t = doc_.table;
    if (const int r = t.CurrentRow(); r > 0) {
        for (int i = 0; i < kColumnCount; ++i)
            txtEditField[i]->setText(BytesToQString(t.Cell(r, i)).left(kFieldLimits[i]));
    }
    txtEditField[0]->setFocus();
}

void Form1::SetCellFonts() {
    // The model draws every cell in its column's font, centred and at the
    // top; what is left of the walk over the five cells is where it ends.
    ModeTable& t = doc_.table;
    t.SetCurrentCol(kColumnCount - 1);
    t.SetSelectionEndCol(kColumnCount - 1);
    SyncViewToCursor();
}

// ---------------------------------------------------------------- row operations

void Form1::MoveRow(int& intPosition, bool boolDialog) {
    ModeTable& t = doc_.table;
    const int r = t.CurrentRow();
    const int n = t.ClauseCount();
    if (r < 1) {  // no clause to move
        RowStatus();
        return;
    }
    int target = 0;
    if (!boolDialog) {
        target = r + intPosition;
        if (target > n || target < 1) {
            RowStatus();
            return;
        }
    } else {
        for (;;) {
            const std::optional<QString> answer = prompter_->Input(
                QStringLiteral("Move Clause to Row"), QStringLiteral("Specify new row number for clause"), QString());
            if (!answer || answer->isEmpty()) {
                RowStatus();
                return;
            }
            const double number = ReadNumber(QStringToBytes(*answer));
            if (number < 1 || number > n) {
                prompter_->Tell(QStringLiteral("Invalid Row Number"),
                                QStringLiteral("You must specify a number between 1 and %1.").arg(n),
                                Prompter::Icon::Critical);
                continue;
            }
            target = int(RoundHalfEven(number));
            intPosition = target;
            break;
        }
    }
    const std::string rowText = t.RowText(r);
    RemoveRow();
    model_->InsertRow(rowText, target);
    t.SetCurrentRow(target);
    SetCellFonts();
    doc_.boolOptimized = false;
    RowStatus();
}

void Form1::RemoveRow() {
    model_->DeleteRow(doc_.table.CurrentRow());
    doc_.boolChanged = true;
    RowStatus();
}

bool Form1::PutRowOnClipboard(int row) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return false;
    const QString text = BytesToQString(doc_.table.RowText(row));
    clipboard->setText(text);
    return clipboard->text() == text;
}

void Form1::CopyRow() {
    if (const int r = doc_.table.CurrentRow(); r > 0) PutRowOnClipboard(r);
    RowStatus();
}

void Form1::CutRow() {
    const int r = doc_.table.CurrentRow();
    // The clause goes only once the clipboard holds it.
    if (r > 0 && PutRowOnClipboard(r) && model_->DeleteRow(r)) doc_.boolChanged = true;
    RowStatus();
}

void Form1::PasteRow() {
    if (doc_.table.RowCount() == 1) model_->SetRowCount(2);
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* mime = clipboard ? clipboard->mimeData() : nullptr;
    if (mime && mime->hasText()) {
        std::vector<Clause> clauses = ClipboardClauses(QStringToBytes(mime->text()));
        if (!clauses.empty()) {
            model_->InsertClauses(std::move(clauses), doc_.table.CurrentRow());
            SetCellFonts();
            doc_.boolChanged = true;
        }
    }
    RowStatus();
}

// ---------------------------------------------------------------- orders

void Form1::Optimize() { Reorder(OptimizeOrder, true); }

void Form1::SortAlphabetically() { Reorder(AlphabeticalOrder, false); }

void Form1::Reorder(void (*order)(ModeTable&), bool optimized) {
    WaitCursor wait;
    // The sort covers every clause row, whatever cells were selected.
    doc_.table.SetCurrentCol(0);
    doc_.table.SetSelectionEndCol(0);
    model_->Reset([order](ModeDocument& doc) { order(doc.table); });
    doc_.boolChanged = true;
    doc_.boolOptimized = optimized;
    RowStatus();
}

// ---------------------------------------------------------------- edit routing

bool Form1::GridHasFocus() const {
    const QWidget* focus = focusWidget();
    return focus && focus->objectName() == QLatin1String("grdMode");
}

ByteLineEdit* Form1::FocusedTextField() const {
    QWidget* focus = focusWidget();
    if (!focus || !focus->objectName().startsWith(QLatin1String("txt"))) return nullptr;
    return qobject_cast<ByteLineEdit*>(focus);
}

// With the focus on the check box, the Add button or nothing, the Edit
// commands do nothing: there is neither a clause nor a text to work on.
void Form1::EditCut() {
    if (GridHasFocus()) CutRow();
    else CutText();
}

void Form1::EditCopy() {
    if (GridHasFocus()) CopyRow();
    else CopyText();
}

void Form1::EditPaste() {
    if (GridHasFocus()) PasteRow();
    else PasteText();
}

void Form1::EditRemove() {
    if (GridHasFocus()) RemoveRow();
    else RemoveText();
}

void Form1::CopyText() {
    ByteLineEdit* field = FocusedTextField();
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (field && clipboard && field->hasSelectedText()) clipboard->setText(field->selectedText());
}

void Form1::CutText() {
    ByteLineEdit* field = FocusedTextField();
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!field || !clipboard || !field->hasSelectedText()) return;
    clipboard->setText(field->selectedText());
    field->del();
}

void Form1::PasteText() {
    ByteLineEdit* field = FocusedTextField();
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (!field || !clipboard) return;
    const QString text = clipboard->text();
    if (!text.isEmpty()) field->InsertCleaned(text);
}

void Form1::RemoveText() {
    // The Del key: the selection, or else the character after the caret.
    if (ByteLineEdit* field = FocusedTextField()) field->del();
}

void Form1::UpdateSpecialCharacterEntry() {
    const QWidget* focus = focusWidget();
    mnuInsertSpecialCharacter->setEnabled(focus && focus->objectName().startsWith(QLatin1String("txt")));
}

// ---------------------------------------------------------------- lookups

QLabel* Form1::Panel(const QString& key) const {
    if (key == QLatin1String("TotalRows")) return totalRows_;
    if (key == QLatin1String("SelectedRow")) return selectedRow_;
    return nullptr;
}

QAction* Form1::ToolbarButton(const QString& key) const { return buttons_.value(key); }

}  // namespace vel
