#include "wizard/WizardWindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTemporaryFile>
#include <algorithm>

#include "dialogs/ByteLineEdit.h"
#include "dialogs/FontTags.h"
#include "dialogs/Prompter.h"
#include "dialogs/WaitCursor.h"
#include "mode/ByteCodec.h"
#include "mode/ModeModel.h"
#include "wizard/ModeTemplate.h"
#include "wizard/WizardGenerate.h"

namespace vel {

namespace {

const char* const kErrorTitle = "Error!";

bool CanWriteIn(const QString& folder) {
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) return false;
    // Permission bits do not tell the whole story (ACLs, read-only mounts):
    // try it.
    QTemporaryFile probe(folder + QStringLiteral("/.velloran-XXXXXX"));
    return probe.open();
}

std::string NativePath(const QString& path) { return QFile::encodeName(path).toStdString(); }

template <size_t N>
void ReadTexts(const std::array<ByteLineEdit*, N>& fields, std::array<std::string, N>& texts) {
    for (size_t i = 0; i < N; ++i) texts[i] = QStringToBytes(fields[i]->text());
}

template <size_t N>
void WriteTexts(const std::array<std::string, N>& texts, const std::array<ByteLineEdit*, N>& fields) {
    for (size_t i = 0; i < N; ++i) fields[i]->setText(BytesToQString(texts[i]));
}

}  // namespace

QString TemplateDialogFolder(const QString& programFolder, const QString& modesFolder) {
    return CanWriteIn(programFolder) ? programFolder : modesFolder;
}

int CheckValue(const QCheckBox* box) {
    switch (box->checkState()) {
        case Qt::Checked:
            return kChecked;
        case Qt::PartiallyChecked:
            return kGreyed;
        default:
            return kUnchecked;
    }
}

void SetCheckValue(QCheckBox* box, int value) {
    // Greyed comes only from a template; the user's clicks go between the
    // other two (see the constructor).
    box->setTristate(value == kGreyed);
    box->setCheckState(value == kChecked ? Qt::Checked : value == kGreyed ? Qt::PartiallyChecked : Qt::Unchecked);
}

frmModeWizard::frmModeWizard(ModeModel& model, Prompter& prompter, const SharedVariables& shared, QWidget* owner)
    : QDialog(owner), model_(model), prompter_(prompter), shared_(shared) {
    SetupUi(this);
    setModal(false);

    connect(cmdNext, &QPushButton::clicked, this, &frmModeWizard::NextPage);
    connect(cmdPrevious, &QPushButton::clicked, this, &frmModeWizard::PreviousPage);
    connect(cmdCreateMode, &QPushButton::clicked, this, &frmModeWizard::CreateMode);
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdSaveTemplate, &QPushButton::clicked, this, &frmModeWizard::SaveTemplateCommand);
    connect(cmdLoadTemplate, &QPushButton::clicked, this, &frmModeWizard::LoadTemplateCommand);
    for (QCheckBox* box : {chkShortCarrier, chkDoubleTengwar, chkSCurls, chkLongCarrier})
        connect(box, &QCheckBox::clicked, box, [box] { box->setTristate(false); });

    ShowPage(0);
    ApplyFonts(this, shared_.strRomanFont, shared_.strTengwarFont);
    FitGlyphFonts();
    txtRoman[0]->setFocus();
}

void frmModeWizard::done(int result) {
    // Esc ends here. Qt before 6.3 only hides a dialog on done(); the wizard
    // must close, so that it is discarded.
    QDialog::done(result);
    if (testAttribute(Qt::WA_DeleteOnClose)) close();
}

// ---------------------------------------------------------------- pages

void frmModeWizard::ShowPage(int page) {
    page_ = std::clamp(page, 0, kWizardPageCount - 1);
    pages->setCurrentIndex(page_);
    const bool previous = page_ > 0, next = page_ < kWizardPageCount - 1;
    // A button that switches itself off hands the focus to its opposite, so
    // a key pressed once more does not land on Create Mode.
    if (!next && cmdNext->hasFocus()) cmdPrevious->setFocus();
    if (!previous && cmdPrevious->hasFocus()) cmdNext->setFocus();
    cmdPrevious->setEnabled(previous);
    cmdNext->setEnabled(next);
}

void frmModeWizard::NextPage() { ShowPage(page_ + 1); }

void frmModeWizard::PreviousPage() { ShowPage(page_ - 1); }

// ---------------------------------------------------------------- fields

WizardFields frmModeWizard::Fields() const {
    WizardFields f;
    ReadTexts(txtRoman, f.txtRoman);
    ReadTexts(txtTehta, f.txtTehta);
    ReadTexts(txtLongCarrier, f.txtLongCarrier);
    f.optTehtaOrder = optTehtaOrder[0]->isChecked()   ? TehtaOrder::Following
                      : optTehtaOrder[1]->isChecked() ? TehtaOrder::Preceding
                                                      : TehtaOrder::None;
    f.chkShortCarrier = CheckValue(chkShortCarrier);
    f.chkLongCarrier = CheckValue(chkLongCarrier);
    f.chkSCurls = CheckValue(chkSCurls);
    f.chkDoubleTengwar = CheckValue(chkDoubleTengwar);
    return f;
}

void frmModeWizard::SetFields(const WizardFields& f) {
    WriteTexts(f.txtRoman, txtRoman);
    WriteTexts(f.txtTehta, txtTehta);
    WriteTexts(f.txtLongCarrier, txtLongCarrier);
    // An exclusive group keeps one button on; "neither" needs it let go.
    tehtaOrderGroup->setExclusive(false);
    optTehtaOrder[0]->setChecked(f.optTehtaOrder == TehtaOrder::Following);
    optTehtaOrder[1]->setChecked(f.optTehtaOrder == TehtaOrder::Preceding);
    tehtaOrderGroup->setExclusive(true);
    SetCheckValue(chkShortCarrier, f.chkShortCarrier);
    SetCheckValue(chkLongCarrier, f.chkLongCarrier);
    SetCheckValue(chkSCurls, f.chkSCurls);
    SetCheckValue(chkDoubleTengwar, f.chkDoubleTengwar);
}

// ---------------------------------------------------------------- commands

void frmModeWizard::CreateMode() {
    {
        WaitCursor wait;
        // Hidden for the whole run, so nothing in it changes meanwhile.
        hide();
        const WizardFields fields = Fields();
        emit entryFieldsToEmpty();
        // One run of Add, one undo step; the grid and the status follow the model.
        model_.AddClauses(GenerateClauses(fields), "Wizard");
    }
    close();
}

QString frmModeWizard::DialogFolder() const {
    return TemplateDialogFolder(QCoreApplication::applicationDirPath(), shared_.strModePath);
}

void frmModeWizard::SaveTemplateCommand() {
    Prompter::FileDialog dialog;
    dialog.title = QStringLiteral("Save Mode Template");
    dialog.filter = QStringLiteral("Mode templates (*.mot)|*.mot");
    dialog.defaultSuffix = QStringLiteral("mot");
    dialog.folder = DialogFolder();
    dialog.confirmOverwrite = true;
    const std::optional<QString> path = prompter_.SaveFile(dialog);
    if (path) {
        const TemplateResult result = SaveTemplate(NativePath(*path), Fields());
        if (!result.ok())
            prompter_.Tell(QString::fromLatin1(kErrorTitle), QString::fromLocal8Bit(result.Message()),
                           Prompter::Icon::Critical);
    }
    BackInFront();
}

void frmModeWizard::LoadTemplateCommand() {
    Prompter::FileDialog dialog;
    dialog.title = QStringLiteral("Open Mode Template");
    dialog.filter = QStringLiteral("Mode templates (*.mot)|*.mot|All files (*.*)|*.*");
    dialog.folder = DialogFolder();
    const std::optional<QString> path = prompter_.OpenFile(dialog);
    if (!path) {
        BackInFront();
        return;
    }
    // The lines read before an error keep their new values.
    WizardFields fields = Fields();
    const TemplateResult result = LoadTemplate(NativePath(*path), fields);
    SetFields(fields);
    if (!result.ok())
        prompter_.Tell(QString::fromLatin1(kErrorTitle), QString::fromLocal8Bit(result.Message()),
                       Prompter::Icon::Critical);
    // Tengwa field 0 takes the focus; its page comes to the front, or the
    // keys would go into a field nobody sees.
    ShowPage(0);
    txtRoman[0]->setFocus();
    BackInFront();
}

void frmModeWizard::BackInFront() {
    // The prompter's dialogs belong to the main window, which takes the
    // activation back when they close; the keys belong here.
    raise();
    activateWindow();
}

}  // namespace vel
