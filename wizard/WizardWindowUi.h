#pragma once
// The wizard window's controls, built in one place under the names its
// commands and tests use: the explanation and the template buttons on the
// left, the five pages on the right (one in front at a time), the command
// row along the bottom. Building wires nothing: the window connects the
// commands.
#include <QString>
#include <array>

#include "wizard/WizardFields.h"

class QButtonGroup;
class QCheckBox;
class QDialog;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QWidget;

namespace vel {

class ByteLineEdit;

inline constexpr int kWizardPageCount = 5;
// Tengwa fields from here on exist and travel with templates, but the user
// cannot reach them: they are shown greyed.
inline constexpr int kFirstUnavailableTengwa = 64;

// The explanation panel's text, CR LF breaks and arrows as the window shows them.
QString WizardExplanation();

struct ModeWizardUi {
    void SetupUi(QDialog* window);
    // After the chosen fonts are applied: enlarges a Tengwar font whose
    // glyphs come out small (see the definition), never shrinks one.
    void FitGlyphFonts();

    QPlainTextEdit* txtExplanation = nullptr;
    QPushButton* cmdLoadTemplate = nullptr;
    QPushButton* cmdSaveTemplate = nullptr;

    QStackedWidget* pages = nullptr;  // holds the frames, the current one in front
    std::array<QGroupBox*, kWizardPageCount> fraWizard{};

    std::array<ByteLineEdit*, kTengwaFieldCount> txtRoman{};
    std::array<QLabel*, kTengwaFieldCount> lblTengwa{};
    std::array<ByteLineEdit*, kTehtaFieldCount> txtTehta{};
    std::array<QLabel*, kTehtaFieldCount> lblTehta{};
    std::array<ByteLineEdit*, kTehtaFieldCount> txtLongCarrier{};
    std::array<QLabel*, kTehtaFieldCount> lblLongCarrier{};

    std::array<QLabel*, 2> lblDescription{};
    std::array<QRadioButton*, 2> optTehtaOrder{};
    QButtonGroup* tehtaOrderGroup = nullptr;
    QCheckBox* chkShortCarrier = nullptr;
    QCheckBox* chkDoubleTengwar = nullptr;
    QCheckBox* chkSCurls = nullptr;
    QCheckBox* chkLongCarrier = nullptr;

    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdPrevious = nullptr;
    QPushButton* cmdNext = nullptr;
    QPushButton* cmdCreateMode = nullptr;

private:
    QGroupBox* BuildTengwaPage(QWidget* parent, int page, const char* caption);
    QGroupBox* BuildTehtaPage(QWidget* parent);
    QGroupBox* BuildLongCarrierPage(QWidget* parent);
};

}  // namespace vel
