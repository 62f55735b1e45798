#include "wizard/WizardWindowUi.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "dialogs/ByteLineEdit.h"
#include "dialogs/FontTags.h"
#include "mode/ByteCodec.h"
#include "mode/GlyphTables.h"

namespace vel {

namespace {

// The glyph labels' family until the chosen fonts are applied.
const char* const kDesignTengwarFamily = "Tengwar Quenya";
// Glyphs are drawn larger than the captions, so a tengwa's details stay
// readable next to the Roman letters typed beside it.
constexpr qreal kGlyphScale = 1.5;
// A field shows a few letters; the layout widens it with the window.
constexpr int kFieldLetters = 8;

constexpr int kGridRows = 6;
constexpr int kGridColumns = 4;
constexpr int kTehtaColumns = 5;
constexpr int kTengwaPageBase[3] = {0, 24, 48};

QString Latin1(const char* text) { return QString::fromLatin1(text); }

template <class W>
W* Tagged(W* control, const QString& name, const char* tag = kFontTagText) {
    control->setObjectName(name);
    TagFont(control, tag);
    return control;
}

QLabel* GlyphLabel(QWidget* parent, const std::string& glyphs, const QString& name, int index) {
    auto* label = Tagged(new QLabel(parent), name, kFontTagTengwar);
    label->setProperty("index", index);
    // Plain text: a glyph code such as '<' must not start a rich-text tag.
    label->setTextFormat(Qt::PlainText);
    label->setText(BytesToQString(glyphs));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont font = label->font();
    font.setFamily(Latin1(kDesignTengwarFamily));
    font.setPointSizeF(font.pointSizeF() * kGlyphScale);
    label->setFont(font);
    return label;
}

ByteLineEdit* Field(QWidget* parent, const QString& name, int index) {
    auto* field = Tagged(new ByteLineEdit(parent), name);
    field->setProperty("index", index);
    // No limit of its own: the generator cuts each clause to the entry fields.
    field->setMaxLength(std::numeric_limits<int>::max());
    field->setMinimumWidth(field->fontMetrics().averageCharWidth() * kFieldLetters + 8);
    field->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    return field;
}

QGroupBox* Frame(QWidget* parent, int page, const char* caption) {
    auto* frame = Tagged(new QGroupBox(Latin1(caption), parent), QStringLiteral("fraWizard%1").arg(page));
    frame->setProperty("index", page);
    return frame;
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption) {
    return Tagged(new QPushButton(Latin1(caption), parent), Latin1(name));
}

QCheckBox* CheckBox(QWidget* parent, const char* name, const char* caption) {
    return Tagged(new QCheckBox(Latin1(caption), parent), Latin1(name));
}

// Two rows of five glyph labels and fields, mark j in row j / 5.
void TehtaGrid(QVBoxLayout* column, QWidget* parent, std::array<QLabel*, kTehtaFieldCount>& labels,
               std::array<ByteLineEdit*, kTehtaFieldCount>& fields, const char* labelName, const char* fieldName,
               std::string (*glyphs)(int)) {
    auto* grid = new QGridLayout;
    for (int j = 0; j < kTehtaFieldCount; ++j) {
        const int row = j / kTehtaColumns, col = 2 * (j % kTehtaColumns);
        labels[size_t(j)] = GlyphLabel(parent, glyphs(j), Latin1(labelName) + QString::number(j), j);
        fields[size_t(j)] = Field(parent, Latin1(fieldName) + QString::number(j), j);
        grid->addWidget(labels[size_t(j)], row, col);
        grid->addWidget(fields[size_t(j)], row, col + 1);
        grid->setColumnStretch(col + 1, 1);
    }
    column->addLayout(grid);
}

}  // namespace

QString WizardExplanation() {
    return QStringLiteral(
        "In each text field, enter the roman character(s) "
        "that correspond with the tengwa to the left. "
        "You can leave any fields you wish blank."
        "\r\n"
        "   To view more of the available Tengwar characters and options, "
        "press the '<< Next' and 'Previous >>' buttons. "
        "When you're done, press the 'Create Mode' button. "
        "The required rows will be added to the mode automatically."
        "\r\n"
        "   You can always tweak the mode later by adding "
        "or deleting rows manually. "
        "You can also make additions by starting this wizard again.");
}

void ModeWizardUi::SetupUi(QDialog* window) {
    window->setObjectName(QStringLiteral("frmModeWizard"));
    window->setWindowTitle(QStringLiteral("Mode Zazov"));
    TagFont(window, kFontTagText);

    // Created in reading order, which is the Tab order: explanation, template
    // buttons, the page in front, the command row.
    txtExplanation = Tagged(new QPlainTextEdit(window), QStringLiteral("txtExplanation"));
    txtExplanation->setReadOnly(true);
    txtExplanation->setTabChangesFocus(true);
    txtExplanation->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtExplanation->setPlainText(WizardExplanation());
    QPalette palette = txtExplanation->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    txtExplanation->setPalette(palette);
    // As wide as about 26 letters; the pages take what the window has over.
    txtExplanation->setMinimumWidth(txtExplanation->fontMetrics().averageCharWidth() * 26);
    txtExplanation->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    cmdLoadTemplate = Button(window, "cmdLoadTemplate", "L&oad Template...");
    cmdSaveTemplate = Button(window, "cmdSaveTemplate", "Sa&ve Template...");

    pages = new QStackedWidget(window);
    pages->setObjectName(QStringLiteral("pages"));
    fraWizard[0] = BuildTengwaPage(pages, 0, "&Standard Tengwar");
    fraWizard[1] = BuildTengwaPage(pages, 1, "&Additional Tengwar");
    fraWizard[2] = BuildTengwaPage(pages, 2, "Alt&ernate Tengwar");
    fraWizard[3] = BuildTehtaPage(pages);
    fraWizard[4] = BuildLongCarrierPage(pages);
    for (QGroupBox* frame : fraWizard) pages->addWidget(frame);

    cmdCancel = Button(window, "cmdCancel", "Cancel");
    cmdPrevious = Button(window, "cmdPrevious", "<< &Previous");
    cmdNext = Button(window, "cmdNext", "&Next >>");
    cmdCreateMode = Button(window, "cmdCreateMode", "Create Mode");
    cmdCreateMode->setDefault(true);

    auto* left = new QVBoxLayout;
    left->addWidget(txtExplanation, 1);
    left->addWidget(cmdLoadTemplate);
    left->addWidget(cmdSaveTemplate);
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(pages, 1);
    auto* commands = new QHBoxLayout;
    commands->addStretch(1);
    for (QPushButton* b : {cmdCancel, cmdPrevious, cmdNext, cmdCreateMode}) commands->addWidget(b);
    auto* outer = new QVBoxLayout(window);
    outer->addLayout(top, 1);
    outer->addLayout(commands);
}

// Some Tengwar fonts (the bundled one among them) draw a tengwa's bowl (the
// glyph of "5") at half the height of a Roman small letter of the same size.
// Such a font is enlarged until the bowl is as tall as the Roman x-height at
// the glyph labels' size, so the glyphs stay readable in any Tengwar font.
void ModeWizardUi::FitGlyphFonts() {
    const QFont tengwar = lblTengwa[0]->font();
    QFont roman = tengwar;
    roman.setFamily(txtRoman[0]->font().family());
    const qreal target = QFontMetricsF(roman).xHeight();
    const qreal bowl = QFontMetricsF(tengwar).tightBoundingRect(QStringLiteral("5")).height();
    if (target <= 0 || bowl <= 0) return;
    const qreal scale = std::clamp(target / bowl, 1.0, 3.0);
    if (scale < 1.05) return;
    auto enlarge = [scale](QLabel* label) {
        QFont font = label->font();
        font.setPointSizeF(font.pointSizeF() * scale);
        label->setFont(font);
    };
    for (QLabel* label : lblTengwa) enlarge(label);
    for (QLabel* label : lblTehta) enlarge(label);
    for (QLabel* label : lblLongCarrier) enlarge(label);
}

QGroupBox* ModeWizardUi::BuildTengwaPage(QWidget* parent, int page, const char* caption) {
    QGroupBox* frame = Frame(parent, page, caption);
    auto* grid = new QGridLayout(frame);
    const int base = kTengwaPageBase[page];
    for (int r = 0; r < kGridRows; ++r) {
        for (int c = 0; c < kGridColumns; ++c) {
            const int i = base + kGridColumns * r + c;
            lblTengwa[size_t(i)] = GlyphLabel(frame, TengwaLabel(i), QStringLiteral("lblTengwa%1").arg(i), i);
            txtRoman[size_t(i)] = Field(frame, QStringLiteral("txtRoman%1").arg(i), i);
            if (i >= kFirstUnavailableTengwa) {
                // Disabled: no typing, no click, no Tab stop; the text stays.
                lblTengwa[size_t(i)]->setEnabled(false);
                txtRoman[size_t(i)]->setEnabled(false);
            }
            grid->addWidget(lblTengwa[size_t(i)], r, 2 * c);
            grid->addWidget(txtRoman[size_t(i)], r, 2 * c + 1);
        }
    }
    for (int c = 0; c < kGridColumns; ++c) grid->setColumnStretch(2 * c + 1, 1);
    grid->setRowStretch(kGridRows, 1);
    return frame;
}

QGroupBox* ModeWizardUi::BuildTehtaPage(QWidget* parent) {
    QGroupBox* frame = Frame(parent, 3, "&Tehtar");
    auto* column = new QVBoxLayout(frame);
    lblDescription[0] =
        Tagged(new QLabel(QStringLiteral("Tehtar appear above"), frame), QStringLiteral("lblDescription0"));
    column->addWidget(lblDescription[0]);
    tehtaOrderGroup = new QButtonGroup(frame);
    auto* order = new QHBoxLayout;
    const char* const captions[2] = {"The following tengwa", "The preceding tengwa"};
    for (int k = 0; k < 2; ++k) {
        optTehtaOrder[size_t(k)] =
            Tagged(new QRadioButton(Latin1(captions[k]), frame), QStringLiteral("optTehtaOrder%1").arg(k));
        optTehtaOrder[size_t(k)]->setProperty("index", k);
        tehtaOrderGroup->addButton(optTehtaOrder[size_t(k)], k);
        order->addWidget(optTehtaOrder[size_t(k)]);
    }
    order->addStretch(1);
    column->addLayout(order);
    TehtaGrid(column, frame, lblTehta, txtTehta, "lblTehta", "txtTehta", &TehtaLabel);
    chkShortCarrier = CheckBox(frame, "chkShortCarrier", "Use &short carrier for sole tehta");
    chkDoubleTengwar = CheckBox(frame, "chkDoubleTengwar", "Use &under-bar for double tengwar");
    chkSCurls = CheckBox(frame, "chkSCurls", "Use &s-curls");
    for (QCheckBox* box : {chkShortCarrier, chkDoubleTengwar, chkSCurls}) column->addWidget(box);
    column->addStretch(1);
    return frame;
}

QGroupBox* ModeWizardUi::BuildLongCarrierPage(QWidget* parent) {
    QGroupBox* frame = Frame(parent, 4, "Tehtar (&continued)");
    auto* column = new QVBoxLayout(frame);
    lblDescription[1] =
        Tagged(new QLabel(QStringLiteral("Tehtar with long carriers are used for the following"), frame),
               QStringLiteral("lblDescription1"));
    lblDescription[1]->setWordWrap(true);
    column->addWidget(lblDescription[1]);
    TehtaGrid(column, frame, lblLongCarrier, txtLongCarrier, "lblLongCarrier", "txtLongCarrier", &LongCarrierLabel);
    chkLongCarrier = CheckBox(frame, "chkLongCarrier", "Use &long carrier for repeated short carrier");
    column->addWidget(chkLongCarrier);
    column->addStretch(1);
    return frame;
}

}  // namespace vel
