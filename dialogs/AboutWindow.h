#pragma once
// frmAbout, "About Velloran": the program's icon, name, version and legal
// notice, and a button that starts the system's system-information program.
#include <QDialog>
#include <QString>
#include <array>

#include "dialogs/SystemInfo.h"

class QFrame;
class QLabel;
class QPushButton;

namespace vel {

class Prompter;

inline constexpr char kProgramTitle[] = "Velloran";

class frmAbout : public QDialog {
    Q_OBJECT
public:
    // Modal, owned by owner; the labels take strRomanFont. The message that
    // no system-information program can start goes to prompter.
    frmAbout(QWidget* owner, Prompter& prompter, const QString& strRomanFont,
             SysInfoPlatform platform = SystemPlatform());

    // "Version " and the build's major.minor.revision.
    static QString VersionText();

    // "&System Info...": starts the program, or says that none can start.
    void StartSysInfo();

    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    std::array<QFrame*, 2> linSeparator{};  // grey above, white below: etched
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;

private:
    void PlaceControls();

    Prompter& prompter_;
    SysInfoPlatform platform_;
};

}  // namespace vel
