#include "find/FindWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeySequence>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "dialogs/ByteLineEdit.h"
#include "dialogs/FontTags.h"
#include "dialogs/SpecialCharacters.h"
#include "dialogs/WaitCursor.h"
#include "mode/ByteCodec.h"
#include "mode/ModeModel.h"
#include "settings/SharedVariables.h"

namespace vel {

namespace {

const char* const kColumnBoxes[kColumnCount] = {"Roman", "Tengwar", "If next", "If previous", "This ID"};
const char* const kMarkerTip = "Ctrl + Shift + Enter = Non-alphanumeric";

// The design, in twips: the client area, the two frames, and inside each
// frame one column of a check box above its field per clause column.
struct Twips {
    int left, top, width, height;
};
constexpr int kClientWidth = 7695;
constexpr int kClientHeight = 3495;
constexpr Twips kFindFrame{120, 120, 7455, 1335};
constexpr Twips kReplaceFrame{120, 1560, 7455, 1275};
constexpr int kColumnLefts[kColumnCount] = {120, 1560, 3000, 4440, 5880};
constexpr int kColumnWidth = 1335;
constexpr int kBoxTop = 240;
constexpr int kBoxHeight = 255;
constexpr int kFieldTop = 510;
constexpr int kFieldHeight = 345;
// Under the fields, in frame coordinates.
constexpr Twips kExactBox{120, 930, 2655, kBoxHeight};
constexpr Twips kDeleteBox{240, 930, 1575, kBoxHeight};
constexpr Twips kDuplicateBox{1920, 930, 2175, kBoxHeight};
constexpr int kButtonTop = 3000;
constexpr int kButtonHeight = 375;
constexpr Twips kButtons[5] = {{120, kButtonTop, 1215, kButtonHeight},
                               {1440, kButtonTop, 1215, kButtonHeight},
                               {2700, kButtonTop, 1455, kButtonHeight},
                               {4320, kButtonTop, 1575, kButtonHeight},
                               {6360, kButtonTop, 1215, kButtonHeight}};

bool RomanColumn(int col) { return col == ColRoman || col == ColIfNextRoman; }

}  // namespace

// A dialog owned by the main window stays above it. Not a tool window:
// while one of those is active its owner's shortcuts stay live, so Del on a
// check box here would remove the main window's clause and the access keys
// both windows use (Alt+P, Alt+R) would block each other.
FindWindow::FindWindow(ModeModel& model, const SharedVariables& shared, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      model_(model) {
    setObjectName(QStringLiteral("frmReplace"));
    setWindowTitle(QStringLiteral("Find & Replace"));
    setModal(false);
    BuildControls();
    PlaceControls();
    ConnectControls();
    ApplyFonts(this, shared.strRomanFont, shared.strTengwarFont);
}

// ---------------------------------------------------------------- controls

void FindWindow::BuildControls() {
    auto box = [](QWidget* parent, const QString& caption, const QString& name) {
        auto* b = new QCheckBox(caption, parent);
        b->setObjectName(name);
        TagFont(b, kFontTagText);
        return b;
    };
    auto field = [this](QWidget* parent, int col, const QString& name) {
        auto* f = new ByteLineEdit(parent);
        f->setObjectName(name);
        f->setMaxLength(kFieldLimits[col]);
        QFont font = f->font();
        font.setPointSizeF(9.75);
        f->setFont(font);
        TagFont(f, RomanColumn(col) ? kFontTagText : kFontTagTengwar);
        if (col == ColIfNextRoman || col == ColIfPreviousID) {
            f->SetMarkerKey(true);
            f->setToolTip(QString::fromLatin1(kMarkerTip));
        }
        // What the user types in a Roman field is lowered while the mode
        // does not tell capitals from small letters.
        if (RomanColumn(col)) f->SetLowerTyped([this] { return !model_.Table().CaseSensitive(); });
        f->installEventFilter(this);
        return f;
    };
    auto frame = [this](const char* caption, const char* name) {
        auto* g = new QGroupBox(QString::fromLatin1(caption), this);
        g->setObjectName(QString::fromLatin1(name));
        TagFont(g, kFontTagText);
        return g;
    };
    auto button = [this](const char* caption, const char* name) {
        auto* b = new QPushButton(QString::fromLatin1(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        TagFont(b, kFontTagText);
        return b;
    };

    fraFind = frame("&Find", "fraFind");
    fraReplace = frame("&Replace with", "fraReplace");
    for (int c = 0; c < kColumnCount; ++c) {
        const size_t i = size_t(c);
        const QString caption = QString::fromLatin1(kColumnBoxes[c]);
        chkFind[i] = box(fraFind, caption, QStringLiteral("chkFind%1").arg(c));
        txtFind[i] = field(fraFind, c, QStringLiteral("txtFind%1").arg(c));
        chkReplace[i] = box(fraReplace, caption, QStringLiteral("chkReplace%1").arg(c));
        txtReplace[i] = field(fraReplace, c, QStringLiteral("txtReplace%1").arg(c));
    }
    chkWord = box(fraFind, QStringLiteral("Exact matching"), QStringLiteral("chkWord"));
    chkDeleteFound = box(fraReplace, QStringLiteral("Delete line"), QStringLiteral("chkDeleteFound"));
    chkDuplicate = box(fraReplace, QStringLiteral("Create duplicate"), QStringLiteral("chkDuplicate"));

    cmdFind = button("Find next", "cmdFind");
    cmdFind->setDefault(true);
    cmdReplace = button("Re&place", "cmdReplace");
    cmdReplaceAll = button("Replace &all", "cmdReplaceAll");
    cmdSpecialChar = button("&Special char...", "cmdSpecialChar");
    cmdSpecialChar->setToolTip(QStringLiteral("Ctrl+Ins"));
    cmdSpecialChar->setEnabled(false);
    // A click leaves the focus in the field it is meant for (and the button
    // enabled, which the field's focus keeps so).
    cmdSpecialChar->setFocusPolicy(Qt::TabFocus);
    cmdClose = button("Close", "cmdClose");

    // Ctrl+Ins anywhere in the window. A field hands the key to an action of
    // its window instead of taking it as Copy.
    specialCharKey_ = new QAction(this);
    specialCharKey_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Insert));
    addAction(specialCharKey_);

    // Tab order: each find column's box then field, Exact matching, each
    // replace column's box then field, the two boxes, the buttons.
    QList<QWidget*> order;
    for (size_t i = 0; i < kColumnCount; ++i) order << chkFind[i] << txtFind[i];
    order << chkWord;
    for (size_t i = 0; i < kColumnCount; ++i) order << chkReplace[i] << txtReplace[i];
    order << chkDeleteFound << chkDuplicate << cmdFind << cmdReplace << cmdReplaceAll << cmdSpecialChar << cmdClose;
    for (qsizetype k = 1; k < order.size(); ++k) setTabOrder(order[k - 1], order[k]);
}

void FindWindow::PlaceControls() {
    // One pixel is the screen's twips per pixel, across and down.
    const double tppX = 1440.0 / std::max(1, logicalDpiX());
    const double tppY = 1440.0 / std::max(1, logicalDpiY());
    auto place = [&](QWidget* w, const Twips& r) {
        w->setGeometry(int(std::lround(r.left / tppX)), int(std::lround(r.top / tppY)),
                       int(std::lround(r.width / tppX)), int(std::lround(r.height / tppY)));
    };
    setFixedSize(int(std::lround(kClientWidth / tppX)), int(std::lround(kClientHeight / tppY)));
    place(fraFind, kFindFrame);
    place(fraReplace, kReplaceFrame);
    for (size_t i = 0; i < kColumnCount; ++i) {
        const int left = kColumnLefts[i];
        place(chkFind[i], {left, kBoxTop, kColumnWidth, kBoxHeight});
        place(txtFind[i], {left, kFieldTop, kColumnWidth, kFieldHeight});
        place(chkReplace[i], {left, kBoxTop, kColumnWidth, kBoxHeight});
        place(txtReplace[i], {left, kFieldTop, kColumnWidth, kFieldHeight});
    }
    place(chkWord, kExactBox);
    place(chkDeleteFound, kDeleteBox);
    place(chkDuplicate, kDuplicateBox);
    const std::array<QPushButton*, 5> buttons{cmdFind, cmdReplace, cmdReplaceAll, cmdSpecialChar, cmdClose};
    for (size_t k = 0; k < buttons.size(); ++k) place(buttons[k], kButtons[k]);
}

void FindWindow::ConnectControls() {
    for (size_t i = 0; i < kColumnCount; ++i) {
        // A find text ticks its column for the search and the replacement,
        // an empty one unticks both.
        connect(txtFind[i], &QLineEdit::textChanged, this, [this, i](const QString& text) {
            chkFind[i]->setChecked(!text.isEmpty());
            chkReplace[i]->setChecked(chkFind[i]->isChecked());
        });
        connect(txtReplace[i], &QLineEdit::textChanged, this,
                [this, i](const QString& text) { chkReplace[i]->setChecked(!text.isEmpty()); });
        connect(chkFind[i], &QCheckBox::clicked, this, [this, i](bool on) { chkReplace[i]->setChecked(on); });
    }
    connect(chkDeleteFound, &QCheckBox::clicked, this, [this](bool on) {
        // The found clause goes, so nothing replaces its cells; taking the
        // tick off gives back the fields of the searched columns only.
        for (size_t i = 0; i < kColumnCount; ++i) txtReplace[i]->setEnabled(!on && chkFind[i]->isChecked());
        chkDuplicate->setEnabled(!on);
    });
    connect(cmdFind, &QPushButton::clicked, this, &FindWindow::FindNext);
    connect(cmdReplace, &QPushButton::clicked, this, &FindWindow::Replace);
    connect(cmdReplaceAll, &QPushButton::clicked, this, &FindWindow::ReplaceAll);
    connect(cmdSpecialChar, &QPushButton::clicked, this, &FindWindow::SpecialChar);
    connect(specialCharKey_, &QAction::triggered, this, &FindWindow::SpecialChar);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
}

bool FindWindow::eventFilter(QObject* watched, QEvent* event) {
    // Only the fields are watched: the picker button is there for them.
    if (event->type() == QEvent::FocusIn)
        cmdSpecialChar->setEnabled(true);
    else if (event->type() == QEvent::FocusOut)
        cmdSpecialChar->setEnabled(false);
    return QDialog::eventFilter(watched, event);
}

void FindWindow::showEvent(QShowEvent* event) {
    if (!placed_) {
        placed_ = true;
        txtFind[0]->setFocus(Qt::OtherFocusReason);
        PlaceBesideOwner();
    }
    QDialog::showEvent(event);
}

void FindWindow::PlaceBesideOwner() {
    QWidget* owner = parentWidget();
    if (!owner) return;
    const QRect screenArea = owner->screen()->availableGeometry();
    const QRect ownerFrame = owner->frameGeometry();
    // Not framed yet, so the client area is placed, and the owner's title bar
    // and borders stand in for this window's.
    const QPoint inset = owner->geometry().topLeft() - ownerFrame.topLeft();
    const QSize frame = size() + (ownerFrame.size() - owner->size());
    QPoint at;
    if (ownerFrame.right() + frame.width() <= screenArea.right()) {
        at = {ownerFrame.right() + 1, ownerFrame.top()};
    } else if (ownerFrame.left() - frame.width() >= screenArea.left()) {
        at = {ownerFrame.left() - frame.width(), ownerFrame.top()};
    } else {
        // Over the owner's top right corner, below its title bar: the entry
        // area and the first rows' right columns. Searches go down the grid,
        // which scrolls a clause found below its view to its lower edge.
        at = {std::max(screenArea.left(), ownerFrame.right() + 1 - frame.width()), owner->geometry().top()};
    }
    setGeometry(QRect(at + inset, size()));
}

// ---------------------------------------------------------------- commands

SearchOptions FindWindow::Options() const {
    SearchOptions o;
    for (size_t i = 0; i < kColumnCount; ++i) {
        o.findOn[i] = chkFind[i]->isChecked();
        o.findText[i] = QStringToBytes(txtFind[i]->text());
        o.replaceOn[i] = chkReplace[i]->isChecked();
        o.replaceText[i] = QStringToBytes(txtReplace[i]->text());
    }
    o.exact = chkWord->isChecked();
    o.deleteLine = chkDeleteFound->isChecked();
    o.duplicate = chkDuplicate->isChecked();
    return o;
}

void FindWindow::ShowCursor(int row, int col) { model_.MoveCursor({row, col, col}); }

void FindWindow::FindNext() {
    const WaitCursor wait;
    const SearchOptions options = Options();
    const FindOutcome found = search_.FindNext(model_.Table(), options);
    // With no column ticked not even the current column changes.
    if (std::find(options.findOn.begin(), options.findOn.end(), true) != options.findOn.end())
        ShowCursor(found.row, found.col);
}

void FindWindow::Replace() {
    const SearchOptions options = Options();
    const ReplacePlan plan = search_.PlanReplace(model_.Table(), options);
    if (plan.setsChanged) {
        switch (plan.action) {
            case ReplaceAction::Delete:
                // Also the only clause: the mode may be left without one.
                model_.RemoveRow(plan.row, "Delete line");
                break;
            case ReplaceAction::DuplicateAndChange:
                model_.ReplaceClause(plan.row, plan.clause, true, plan.cursorCol, "Replace");
                break;
            case ReplaceAction::Change:
                model_.ReplaceClause(plan.row, plan.clause, false, plan.cursorCol, "Replace");
                break;
            case ReplaceAction::None:
                break;
        }
    }
    if (plan.action != ReplaceAction::None) ShowCursor(plan.cursorRow, plan.cursorCol);
    search_.NoteApplied(plan);
    FindNext();
}

void FindWindow::ReplaceAll() {
    const WaitCursor wait;
    ReplaceAllResult result = search_.ReplaceAll(model_.Table(), Options());
    if (result.changed)
        model_.ReplaceAllClauses(std::move(result.clauses), {result.row, result.col, result.col}, "Replace all");
    else
        ShowCursor(result.row, result.col);
}

ByteLineEdit* FindWindow::FocusedField() const {
    for (size_t i = 0; i < kColumnCount; ++i) {
        if (txtFind[i]->hasFocus()) return txtFind[i];
        if (txtReplace[i]->hasFocus()) return txtReplace[i];
    }
    return nullptr;
}

void FindWindow::SpecialChar() {
    if (!cmdSpecialChar->isEnabled()) return;
    if (ByteLineEdit* field = FocusedField()) InsertSpecialCharacter(field, this);
}

}  // namespace vel
