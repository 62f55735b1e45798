#include "dialogs/AboutWindow.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVersionNumber>
#include <algorithm>

#include "dialogs/FontTags.h"
#include "dialogs/ProgramIcon.h"
#include "dialogs/Prompter.h"
#include "dialogs/Twips.h"

namespace vel {

namespace {

// Design measures, twips; the inner area is 5730 by 3180.
constexpr int kInnerWidth = 5730;
constexpr int kInnerHeight = 3180;
constexpr int kIconLeft = 240;
constexpr int kIconTop = 240;
constexpr int kIconSize = 720;
constexpr int kLabelLeft = 1050;
constexpr int kLabelWidth = 3885;
constexpr int kTitleTop = 240;
constexpr int kTitleHeight = 480;
constexpr int kVersionTop = 780;
constexpr int kVersionHeight = 225;
constexpr int kDescriptionTop = 1125;
constexpr int kDescriptionHeight = 1170;
constexpr int kLineLeft = 84;
constexpr int kLineWidth = 5226;
constexpr int kGreyLineTop = 2445;
constexpr int kWhiteLineTop = 2460;
constexpr int kButtonTop = 2640;
constexpr int kButtonHeight = 345;
constexpr int kOkLeft = 3045;
constexpr int kOkWidth = 1260;
constexpr int kSysInfoLeft = 4380;
constexpr int kSysInfoWidth = 1245;

QString LegalNotice() {
    return QStringLiteral(
        "An editor for the transcription modes of the Tengwar script.\n\n"
        "It ships the font \u201CVelloran Tengwar\u201D, made from Tengwar Formal by Michal Nowakowski, under the "
        "SIL Open Font License 1.1. It is built with Qt, used under the GNU Lesser General Public License "
        "(LGPL) version 3.");
}

QFrame* Line(QWidget* parent, QPalette::ColorRole role) {
    auto* line = new QFrame(parent);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, parent->palette().color(role));
    line->setPalette(palette);
    return line;
}

}  // namespace

frmAbout::frmAbout(QWidget* owner, Prompter& prompter, const QString& strRomanFont, SysInfoPlatform platform)
    : QDialog(owner), prompter_(prompter), platform_(std::move(platform)) {
    setWindowTitle(QStringLiteral("About ") + QLatin1String(kProgramTitle));
    setModal(true);

    picIcon = new QLabel(this);
    lblTitle = new QLabel(QLatin1String(kProgramTitle), this);
    QFont title = lblTitle->font();
    title.setPointSizeF(title.pointSizeF() * 1.6);
    title.setBold(true);
    lblTitle->setFont(title);
    lblVersion = new QLabel(VersionText(), this);
    lblDescription = new QLabel(LegalNotice(), this);
    lblDescription->setWordWrap(true);
    lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (QLabel* label : {lblTitle, lblVersion, lblDescription}) {
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        TagFont(label, kFontTagText);
    }
    linSeparator = {Line(this, QPalette::Dark), Line(this, QPalette::Light)};
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    setTabOrder(cmdOK, cmdSysInfo);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::StartSysInfo);

    ApplyFonts(this, strRomanFont, QString());
    PlaceControls();
    cmdOK->setFocus();
}

QString frmAbout::VersionText() {
    const QVersionNumber version = QVersionNumber::fromString(QStringLiteral(VELLORAN_VERSION));
    return QStringLiteral("Version %1.%2.%3")
        .arg(version.majorVersion())
        .arg(version.minorVersion())
        .arg(version.microVersion());
}

void frmAbout::PlaceControls() {
    const TwipScale s = TwipScale::Of(this);
    const int iconSize = s.PxX(kIconSize);
    picIcon->setGeometry(s.PxX(kIconLeft), s.PxY(kIconTop), iconSize, iconSize);
    picIcon->setPixmap(ProgramIcon().pixmap(QSize(iconSize, iconSize)));

    // The labels keep their design places unless their text needs more room
    // in the chosen font; then what lies below moves down, never over them.
    const int left = s.PxX(kLabelLeft);
    const int width = s.PxX(kLabelWidth);
    const auto height = [&](QLabel* label, int design) {
        const int needed = label->wordWrap() ? label->heightForWidth(width) : label->sizeHint().height();
        return std::max(s.PxY(design), needed);
    };
    int top = s.PxY(kTitleTop);
    int h = height(lblTitle, kTitleHeight);
    lblTitle->setGeometry(left, top, width, h);
    top = std::max(s.PxY(kVersionTop), top + h);
    h = height(lblVersion, kVersionHeight);
    lblVersion->setGeometry(left, top, width, h);
    top = std::max(s.PxY(kDescriptionTop), top + h);
    h = height(lblDescription, kDescriptionHeight);
    lblDescription->setGeometry(left, top, width, h);
    const int extra = std::max(0, top + h - s.PxY(kDescriptionTop + kDescriptionHeight));

    linSeparator[0]->setGeometry(s.PxX(kLineLeft), s.PxY(kGreyLineTop) + extra, s.PxX(kLineWidth), 1);
    linSeparator[1]->setGeometry(s.PxX(kLineLeft), s.PxY(kWhiteLineTop) + extra, s.PxX(kLineWidth), 1);
    const QRect ok = s.Rect(kOkLeft, kButtonTop, kOkWidth, kButtonHeight);
    const QRect sysInfo = s.Rect(kSysInfoLeft, kButtonTop, kSysInfoWidth, kButtonHeight);
    cmdOK->setGeometry(ok.translated(0, extra));
    cmdSysInfo->setGeometry(sysInfo.translated(0, extra));
    setFixedSize(s.PxX(kInnerWidth), s.PxY(kInnerHeight) + extra);
}

void frmAbout::StartSysInfo() {
    if (!LaunchSystemInfo(platform_))
        prompter_.Tell(QLatin1String(kProgramTitle), QStringLiteral("System Information Is Unavailable At This Time"),
                       Prompter::Icon::None);
}

}  // namespace vel
