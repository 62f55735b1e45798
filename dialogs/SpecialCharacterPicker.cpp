#include "dialogs/SpecialCharacterPicker.h"

#include <QFocusEvent>
#include <QFontMetricsF>
#include <QFrame>
#include <QGuiApplication>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <functional>

#include "dialogs/ByteLineEdit.h"
#include "dialogs/FontTags.h"
#include "dialogs/SpecialCharacters.h"
#include "dialogs/Twips.h"
#include "mode/ByteCodec.h"
#include "mode/GlyphNames.h"

namespace vel {

namespace {

// Design measures, twips.
constexpr int kMargin = 120;
constexpr int kGap = 60;
constexpr int kInnerHeight = 3675;
constexpr int kTopRow = 120;
constexpr int kLabelTop = 180;
constexpr int kFieldLeft = 1200;
constexpr int kFieldHeight = 345;
constexpr int kButtonWidth = 975;
constexpr int kButtonHeight = 315;
constexpr int kGridTop = 540;
constexpr int kGridHeight = 2775;
constexpr int kSampleWidth = 1995;
constexpr int kCharacterLabelTop = 3360;
// The smallest type the grid's cells use.
constexpr int kGridMinimumPoints = 9;

// The byte a typed character stands for, or -1 when the code page has none.
int CodeOf(QChar ch) {
    const auto b = static_cast<unsigned char>(QCharToByte(ch));
    return ByteToQChar(b) == ch ? int(b) : -1;
}

// The grid's keys: Enter takes the current cell, a typed character of code
// 32 or more moves to its cell, and nothing searches cells by text.
class CharacterGrid : public QTableWidget {
public:
    CharacterGrid(int rows, int columns, QWidget* parent) : QTableWidget(rows, columns, parent) {}
    std::function<void()> onEnter;

    void keyboardSearch(const QString&) override {}

protected:
    void keyPressEvent(QKeyEvent* e) override {
        switch (e->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                if (onEnter) onEnter();
                e->accept();
                return;
            case Qt::Key_Escape:
                e->ignore();
                return;  // the dialog's Cancel
            case Qt::Key_Delete:
            case Qt::Key_Backspace:
                e->accept();
                return;
            default:
                break;
        }
        const Qt::KeyboardModifiers mods = e->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
        // Ctrl+Alt is AltGr on some systems: a typed character.
        const bool typed = mods == Qt::NoModifier || mods == (Qt::ControlModifier | Qt::AltModifier);
        if (typed && e->text().size() == 1 && MoveTo(e->text().front())) {
            e->accept();
            return;
        }
        QTableWidget::keyPressEvent(e);
    }
    void inputMethodEvent(QInputMethodEvent* e) override {
        const QString committed = e->commitString();
        if (!committed.isEmpty()) MoveTo(committed.back());
        e->accept();
    }

private:
    bool MoveTo(QChar ch) {
        const int code = CodeOf(ch);
        if (code < frmSpecialCharacters::kFirstCode) return false;
        const int index = code - frmSpecialCharacters::kFirstCode;
        setCurrentCell(index / frmSpecialCharacters::kColumns, index % frmSpecialCharacters::kColumns);
        return true;
    }
};

// The largest pixel size at which every character of the grid, centred in
// its cell as the view draws it, stays inside the cell. Tengwar fonts draw
// their glyphs small for their size; this keeps them legible in any font.
int FittingPixelSize(const QFont& font, QSize cell) {
    constexpr int kProbe = 100;
    QFont probe = font;
    probe.setPixelSize(kProbe);
    const QFontMetricsF fm(probe);
    qreal across = 0.5;  // per pixel of size, the widest half-cell a glyph needs
    qreal down = 0.5;
    for (int code = frmSpecialCharacters::kFirstCode; code < 256; ++code) {
        const QChar ch = ByteToQChar(static_cast<unsigned char>(code));
        const QRectF ink = fm.boundingRect(ch);
        if (ink.isEmpty()) continue;
        const qreal half = fm.horizontalAdvance(ch) / 2;
        across = std::max({across, half - ink.left(), ink.right() - half});
        // The line box is centred; the baseline lies ascent below its top.
        const qreal baseline = fm.ascent() - fm.height() / 2;
        down = std::max({down, -(baseline + ink.top()), baseline + ink.bottom()});
    }
    const qreal fit = std::min(cell.width() / 2.0 / across, cell.height() / 2.0 / down) * kProbe;
    return std::max(int(fit), 1);
}

void SetFamily(QWidget* w, const QString& family) {
    if (family.isEmpty()) return;
    QFont font = w->font();
    font.setFamily(family);
    w->setFont(font);
}

}  // namespace

frmSpecialCharacters::frmSpecialCharacters(QWidget* owner, const QString& strRomanFont) : QDialog(owner) {
    setWindowTitle(QStringLiteral("Special Characters"));
    setModal(true);
    BuildControls();
    ApplyFonts(this, strRomanFont, QString());
    SetFamily(txtCharacters, strSpecialFont);
    SetFamily(grdChars, strSpecialFont);
    SetFamily(lblSample, strSpecialFont);
    PlaceControls();

    // Text longer than the field's limit comes in whole: the limit is for
    // what the user adds, and cutting would lose the calling field's text.
    txtCharacters->setMaxLength(std::max(kFieldLimit, int(strSpecialText.size())));
    txtCharacters->setText(strSpecialText);
    FillGrid();
    txtCharacters->setFocus();
    ShowFieldSample();
}

void frmSpecialCharacters::BuildControls() {
    lblDescription = new QLabel(QStringLiteral("&Characters"), this);
    txtCharacters = new ByteLineEdit(this);
    txtCharacters->setObjectName(QStringLiteral("txtCharacters"));
    lblDescription->setBuddy(txtCharacters);
    cmdOK = new QPushButton(QStringLiteral("&Insert"), this);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);

    auto* grid = new CharacterGrid(kRows, kColumns, this);
    grid->onEnter = [this, grid] {
        if (grid->currentRow() >= 0 && grid->currentColumn() >= 0)
            PutCharacter(grid->currentRow(), grid->currentColumn());
    };
    grdChars = grid;
    grdChars->setObjectName(QStringLiteral("grdChars"));
    grdChars->horizontalHeader()->hide();
    grdChars->verticalHeader()->hide();
    // 32 equal columns and 7 equal rows that fill the grid.
    for (QHeaderView* header : {grdChars->horizontalHeader(), grdChars->verticalHeader()}) {
        header->setMinimumSectionSize(1);
        header->setSectionResizeMode(QHeaderView::Stretch);
    }
    grdChars->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grdChars->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grdChars->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdChars->setSelectionMode(QAbstractItemView::SingleSelection);
    grdChars->setTabKeyNavigation(false);
    grdChars->setWordWrap(false);
    grdChars->setTextElideMode(Qt::ElideNone);
    grdChars->setCornerButtonEnabled(false);

    picSampleContainer = new QFrame(this);
    picSampleContainer->setFrameStyle(QFrame::Box | QFrame::Plain);
    lblSample = new QLabel(picSampleContainer);
    lblSample->setAlignment(Qt::AlignCenter);
    // Any character may stand here, "<" included: never rich text.
    lblSample->setTextFormat(Qt::PlainText);
    QFont sampleFont = lblSample->font();
    sampleFont.setPointSize(kSamplePoints);
    lblSample->setFont(sampleFont);
    auto* sampleLayout = new QVBoxLayout(picSampleContainer);
    sampleLayout->setContentsMargins(1, 1, 1, 1);
    sampleLayout->addWidget(lblSample);
    lblCharacter = new QLabel(this);
    lblCharacter->setTextFormat(Qt::PlainText);

    for (QWidget* w : std::initializer_list<QWidget*>{lblDescription, lblCharacter, txtCharacters, cmdOK, cmdCancel})
        TagFont(w, kFontTagText);
    setTabOrder(txtCharacters, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    setTabOrder(cmdCancel, grdChars);

    connect(cmdOK, &QPushButton::clicked, this, &frmSpecialCharacters::Insert);
    connect(cmdCancel, &QPushButton::clicked, this, &frmSpecialCharacters::reject);
    connect(grdChars, &QTableWidget::currentCellChanged, this, [this](int row, int column) { ShowCell(row, column); });
    connect(grdChars, &QTableWidget::cellDoubleClicked, this, &frmSpecialCharacters::PutCharacter);
    connect(txtCharacters, &QLineEdit::textChanged, this, &frmSpecialCharacters::ShowFieldSample);
    txtCharacters->installEventFilter(this);
}

void frmSpecialCharacters::PlaceControls() {
    const TwipScale s = TwipScale::Of(this);
    // As wide as the screen less 120 twips, frame included: the owner's
    // frame tells how much the window manager adds.
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    const int screenWidth = screen ? s.TwX(screen->geometry().width()) : 9600;
    int frame = 0;
    if (parentWidget() && parentWidget()->window()->isVisible()) {
        const QWidget* top = parentWidget()->window();
        frame = s.TwX(top->frameGeometry().width() - top->width());
    }
    const int W = std::max(screenWidth - kMargin - frame, 6000);

    const int cancelLeft = W - kMargin - kButtonWidth;
    const int insertLeft = cancelLeft - kGap - kButtonWidth;
    const int gridWidth = W - 2 * kMargin - kSampleWidth - kGap;
    cmdCancel->setGeometry(s.Rect(cancelLeft, kTopRow, kButtonWidth, kButtonHeight));
    cmdOK->setGeometry(s.Rect(insertLeft, kTopRow, kButtonWidth, kButtonHeight));
    txtCharacters->setGeometry(s.Rect(kFieldLeft, kTopRow, insertLeft - kGap - kFieldLeft, kFieldHeight));
    const QSize label = lblDescription->sizeHint();
    lblDescription->setGeometry(s.PxX(kMargin), s.PxY(kLabelTop),
                                std::max(label.width(), s.PxX(kFieldLeft - kMargin - kGap)), label.height());
    grdChars->setGeometry(s.Rect(kMargin, kGridTop, gridWidth, kGridHeight));
    // Cells as the stretched sections make them, less the item's margins.
    const int inner = 2 * grdChars->frameWidth();
    const QSize cell((grdChars->width() - inner) / kColumns - 4, (grdChars->height() - inner) / kRows - 2);
    QFont gridFont = grdChars->font();
    const int minimum = int(std::lround(kGridMinimumPoints * logicalDpiY() / 72.0));
    gridFont.setPixelSize(std::max(FittingPixelSize(gridFont, cell), minimum));
    grdChars->setFont(gridFont);
    picSampleContainer->setGeometry(s.Rect(insertLeft, kGridTop, kSampleWidth, kGridHeight));

    // The label under the grid holds the selected character in the text
    // font; the window grows down rather than cut it.
    lblCharacter->setText(QStringLiteral("Selected character: W (# 255)"));
    const int labelHeight = lblCharacter->sizeHint().height();
    lblCharacter->clear();
    lblCharacter->setGeometry(s.PxX(kMargin), s.PxY(kCharacterLabelTop), s.PxX(gridWidth), labelHeight);
    const int height = std::max(s.PxY(kInnerHeight), s.PxY(kCharacterLabelTop) + labelHeight + s.PxY(kGap));
    setFixedSize(s.PxX(W), height);
}

void frmSpecialCharacters::FillGrid() {
    // The font choice's test for a Tengwar font.
    const bool tengwar = strSpecialFont.toLower().contains(QLatin1String("tengwa"));
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            const int code = CodeAt(row, column);
            auto* item = new QTableWidgetItem(QString(ByteToQChar(static_cast<unsigned char>(code))));
            item->setTextAlignment(Qt::AlignCenter);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            QString tip = QStringLiteral("Code %1 (0x%2)").arg(code).arg(QString::number(code, 16).toUpper());
            if (tengwar) {
                const std::string_view name = GlyphName(static_cast<unsigned char>(code));
                if (!name.empty()) tip += QStringLiteral(": ") + BytesToQString(name);
            }
            item->setToolTip(tip);
            grdChars->setItem(row, column, item);
        }
    }
}

void frmSpecialCharacters::ShowCell(int row, int column) {
    if (row < 0 || column < 0) return;
    const int code = CodeAt(row, column);
    const QString ch(ByteToQChar(static_cast<unsigned char>(code)));
    lblCharacter->setText(QStringLiteral("Selected character: ") + ch + QStringLiteral(" (# ") + QString::number(code) +
                          QStringLiteral(")"));
    lblSample->setText(ch);
}

void frmSpecialCharacters::ShowFieldSample() {
    lblSample->setText(txtCharacters->hasSelectedText() ? txtCharacters->selectedText() : txtCharacters->text());
}

bool frmSpecialCharacters::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtCharacters) {
        if (event->type() == QEvent::FocusIn) {
            kept_ = false;
            lblSample->setText(txtCharacters->text());
        } else if (event->type() == QEvent::FocusOut) {
            kept_ = true;
            keptStart_ = txtCharacters->hasSelectedText() ? int(txtCharacters->selectionStart()) : 0;
            keptLength_ = int(txtCharacters->selectedText().size());
            keptCaret_ = txtCharacters->cursorPosition();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmSpecialCharacters::PutCharacter(int row, int column) {
    if (kept_ && !txtCharacters->hasFocus()) {
        if (keptLength_ > 0)
            txtCharacters->setSelection(keptStart_, keptLength_);
        else
            txtCharacters->setCursorPosition(keptCaret_);
    }
    txtCharacters->InsertCleaned(QString(ByteToQChar(static_cast<unsigned char>(CodeAt(row, column)))));
    if (kept_) {
        keptLength_ = 0;
        keptCaret_ = txtCharacters->cursorPosition();
    }
}

void frmSpecialCharacters::Insert() {
    strSpecialText = txtCharacters->text();
    accept();
}

void frmSpecialCharacters::reject() {
    strSpecialText.clear();
    QDialog::reject();
}

}  // namespace vel
