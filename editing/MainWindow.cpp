#include "editing/MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>
#include <cmath>

#include "dialogs/ByteLineEdit.h"
#include "dialogs/Prompter.h"
#include "editing/GridSync.h"
#include "editing/ModeGrid.h"
#include "editing/RowCommands.h"
#include "mode/ByteCodec.h"
#include "mode/ModeModel.h"
#include "preview/PreviewPane.h"
#include "settings/FileCommands.h"
#include "settings/HelpWindow.h"

namespace vel {

namespace {

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

Form1::Form1(Prompter* prompter, QWidget* parent) : QMainWindow(parent) {
    if (!prompter) {
        ownPrompter_ = std::make_unique<QtPrompter>(this);
        prompter = ownPrompter_.get();
    }
    prompter_ = prompter;
    SetupUi(this);
    centralWidget()->installEventFilter(this);

    model_ = new ModeModel(this);
    model_->SetMutedText(palette().color(QPalette::PlaceholderText));
    gridSync_ = new GridSync(grdMode, model_, this);
    grdMode->setItemDelegate(new CellDelegate([this] { return !chkCaseSensitive->isChecked(); }, grdMode));
    files_ = new FileCommands(*model_, *prompter_, shared_, this);
    rows_ = new RowCommands(*model_, *prompter_, this);
    BuildPreview();
    ConnectCommands();

    SetDisplayFonts(grdMode->font().family(), grdMode->font().family());
    cmdAdd->setEnabled(false);
    RowStatus();
    UpdateUndoEntries();
    resize(600, 540);
}

Form1::~Form1() {
    // Children go after this part of the window: the application-wide focus
    // signal must not reach it while they do.
    disconnect(qApp, nullptr, this, nullptr);
}

const ModeTable& Form1::Table() const { return model_->Table(); }

void Form1::ConnectCommands() {
    FileCommands::Hooks hooks;
    hooks.optimize = [this] { rows_->Optimize(); };
    hooks.setCaption = [this](const QString& caption) { setWindowTitle(caption); };
    AddSampleHooks(hooks);
    files_->SetHooks(std::move(hooks));
    connect(mnuFNew, &QAction::triggered, files_, [this] { files_->FileNew(); });
    connect(mnuFOpen, &QAction::triggered, files_, [this] { files_->FileOpen(); });
    connect(mnuFSave, &QAction::triggered, files_, [this] { files_->FileSave(false); });
    connect(mnuFSaveAs, &QAction::triggered, files_, [this] { files_->FileSave(true); });
    connect(mnuFImport, &QAction::triggered, files_, [this] { files_->FileImport(); });
    connect(mnuFExit, &QAction::triggered, this, &QWidget::close);

    connect(mnuEUndo, &QAction::triggered, this, &Form1::EditUndo);
    connect(mnuERedo, &QAction::triggered, this, &Form1::EditRedo);
    connect(mnuECut, &QAction::triggered, this, &Form1::EditCut);
    connect(mnuECopy, &QAction::triggered, this, &Form1::EditCopy);
    connect(mnuEPaste, &QAction::triggered, this, &Form1::EditPaste);
    connect(mnuERemove, &QAction::triggered, this, &Form1::EditRemove);
    connect(mnuEdit, &QMenu::aboutToShow, this, &Form1::UpdateSpecialCharacterEntry);
    // Ctrl+Ins works without opening the menu, so the entry follows the focus too.
    connect(qApp, &QApplication::focusChanged, this, [this] { UpdateSpecialCharacterEntry(); });

    connect(mnuRMoveOneUp, &QAction::triggered, rows_, [this] { rows_->MoveRowBy(-1); });
    connect(mnuRMoveOneDown, &QAction::triggered, rows_, [this] { rows_->MoveRowBy(1); });
    connect(mnuRMoveToRow, &QAction::triggered, rows_, [this] {
        int position = 0;
        rows_->MoveRow(position, true);
    });
    connect(mnuRSortAlphabetically, &QAction::triggered, rows_, &RowCommands::SortAlphabetically);
    connect(mnuROptimize, &QAction::triggered, rows_, &RowCommands::Optimize);
    connect(mnuHContents, &QAction::triggered, this, [this] { ShowHelpContents(help_, this); });
    connect(mnuFWizard, &QAction::triggered, this, &Form1::ShowWizard);
    connect(mnuEFind, &QAction::triggered, this, &Form1::EditFind);
    connect(mnuInsertSpecialCharacter, &QAction::triggered, this, &Form1::InsertSpecialCharacterInFocus);
    connect(mnuHAbout, &QAction::triggered, this, &Form1::ShowAbout);
    connect(mnuVPreview, &QAction::toggled, this, &Form1::TogglePreview);
    connect(mnuRCheckMode, &QAction::triggered, this, &Form1::ShowModeCheck);

    // The entry area.
    connect(txtComment, &QLineEdit::textChanged, model_,
            [this](const QString& text) { model_->SetComment(QStringToBytes(text)); });
    // Typing in the comment box is one step until the box is left.
    connect(txtComment, &QLineEdit::editingFinished, model_, [this] { model_->EndTyping(); });
    connect(chkCaseSensitive, &QCheckBox::toggled, model_, [this](bool on) { model_->SetCaseSensitive(on); });
    const auto lowerWhileNotCaseSensitive = [this] { return !chkCaseSensitive->isChecked(); };
    txtEditField[ColRoman]->SetLowerTyped(lowerWhileNotCaseSensitive);
    txtEditField[ColIfNextRoman]->SetLowerTyped(lowerWhileNotCaseSensitive);
    connect(txtEditField[0], &QLineEdit::textChanged, this,
            [this](const QString& text) { cmdAdd->setEnabled(!text.isEmpty()); });
    connect(cmdAdd, &QPushButton::clicked, this, &Form1::AddRow);

    // The grid and the document.
    connect(grdMode, &ModeGrid::loadRequested, this, &Form1::LoadFieldsFromRow);
    connect(grdMode, &QAbstractItemView::clicked, this, &Form1::RowStatus);
    connect(gridSync_, &GridSync::cursorChangedByUser, this, &Form1::RowStatus);
    // A search or a jump from a list moves the cursor without an edit.
    connect(model_, &ModeModel::cursorMoved, this, &Form1::RowStatus);
    connect(model_, &ModeModel::modeChanged, this, [this] {
        RefreshModeFields();
        RowStatus();
        UpdateUndoEntries();
    });
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

// ---------------------------------------------------------------- fonts, layout

void Form1::SetDisplayFonts(const QString& romanFamily, const QString& tengwarFamily) {
    QFont roman = grdMode->font();
    roman.setFamily(romanFamily);
    QFont tengwar = grdMode->font();
    tengwar.setFamily(tengwarFamily);
    tengwar.setPointSizeF(tengwar.pointSizeF() * TengwarScale(roman, tengwar));
    model_->SetFonts(roman, tengwar);
    if (preview_) preview_->SetFonts(roman, tengwar);
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
    for (size_t i = 0; i < kColumnCount; ++i) {
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

// ---------------------------------------------------------------- entry, status

void Form1::RefreshModeFields() {
    const QString comment = BytesToQString(Table().Comment());
    // What the boxes then report is what the document holds already, so it
    // makes no step.
    if (txtComment->text() != comment) txtComment->setText(comment);
    if (chkCaseSensitive->isChecked() != Table().CaseSensitive()) chkCaseSensitive->setChecked(Table().CaseSensitive());
}

void Form1::AddRow() {
    std::array<std::string, kColumnCount> fields;
    for (size_t i = 0; i < kColumnCount; ++i) fields[i] = QStringToBytes(txtEditField[i]->text());
    model_->AddClauses({Clause(fields[0], fields[1], fields[2], fields[3], fields[4])}, "Add");
    for (ByteLineEdit* field : txtEditField) field->clear();
    txtEditField[0]->setFocus();
}

void Form1::RowStatus() {
    const ModeTable& t = Table();
    const int clauses = t.RowCount() - 1;
    panelTotalRows->setText(QStringLiteral("Rows: %1").arg(clauses));
    panelSelectedRow->setText(t.CurrentRow() > 0 ? QStringLiteral("#%1").arg(t.CurrentRow()) : QString());
    const bool any = clauses >= 1;
    mnuEFind->setEnabled(any);
    buttons.value(QStringLiteral("Find"))->setEnabled(any);
    mnuRows->menuAction()->setEnabled(any);
    for (QAction* a : mnuRows->actions()) a->setEnabled(any);
    for (QAction* a : tlbGridControls->actions()) a->setEnabled(any);
}

void Form1::LoadFieldsFromRow() {
    const ModeTable& t = Table();
    if (const int r = t.CurrentRow(); r > 0) {
        for (int i = 0; i < kColumnCount; ++i)
            txtEditField[size_t(i)]->setText(BytesToQString(t.Cell(r, i)).left(kFieldLimits[i]));
    }
    txtEditField[0]->setFocus();
}

void Form1::UpdateUndoEntries() {
    const EditHistory& history = model_->Document().History();
    mnuEUndo->setEnabled(history.CanUndo());
    mnuERedo->setEnabled(history.CanRedo());
    mnuEUndo->setText(history.CanUndo() ? QStringLiteral("&Undo %1").arg(QString::fromStdString(history.UndoName()))
                                        : QStringLiteral("&Undo"));
    mnuERedo->setText(history.CanRedo() ? QStringLiteral("Re&do %1").arg(QString::fromStdString(history.RedoName()))
                                        : QStringLiteral("Re&do"));
}

// ---------------------------------------------------------------- edit routing

bool Form1::GridHasFocus() const { return focusWidget() == grdMode; }

ByteLineEdit* Form1::FocusedTextField() const { return qobject_cast<ByteLineEdit*>(focusWidget()); }

// With the focus on the check box, the Add button or nothing, the Edit
// commands do nothing: there is neither a clause nor a text to work on.
void Form1::EditUndo() {
    if (ByteLineEdit* field = FocusedTextField())
        field->undo();
    else
        model_->Undo();
}

void Form1::EditRedo() {
    if (ByteLineEdit* field = FocusedTextField())
        field->redo();
    else
        model_->Redo();
}

void Form1::EditCut() {
    if (GridHasFocus())
        rows_->CutRow();
    else if (ByteLineEdit* field = FocusedTextField())
        field->CutText();
}

void Form1::EditCopy() {
    if (GridHasFocus())
        rows_->CopyRow();
    else if (ByteLineEdit* field = FocusedTextField())
        field->CopyText();
}

void Form1::EditPaste() {
    if (GridHasFocus())
        rows_->PasteRow();
    else if (ByteLineEdit* field = FocusedTextField())
        field->PasteText();
}

void Form1::EditRemove() {
    if (GridHasFocus())
        rows_->RemoveRow();
    else if (ByteLineEdit* field = FocusedTextField())
        field->RemoveText();
}

void Form1::UpdateSpecialCharacterEntry() {
    // A menu opened from the keyboard holds the focus in the menu bar until
    // it closes: the field the user came from still counts.
    if (qobject_cast<QMenuBar*>(focusWidget())) return;
    mnuInsertSpecialCharacter->setEnabled(FocusedTextField() != nullptr);
}

// ---------------------------------------------------------------- lookups

QLabel* Form1::Panel(const QString& key) const {
    if (key == QLatin1String("TotalRows")) return panelTotalRows;
    if (key == QLatin1String("SelectedRow")) return panelSelectedRow;
    return nullptr;
}

QAction* Form1::ToolbarButton(const QString& key) const { return buttons.value(key); }

}  // namespace vel
