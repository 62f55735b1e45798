#include "dialogs/Prompter.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

namespace vel {

namespace {

QMessageBox::Icon ToQt(Prompter::Icon icon) {
    switch (icon) {
        case Prompter::Icon::Information: return QMessageBox::Information;
        case Prompter::Icon::Question: return QMessageBox::Question;
        case Prompter::Icon::Exclamation: return QMessageBox::Warning;
        case Prompter::Icon::Critical: return QMessageBox::Critical;
        default: return QMessageBox::NoIcon;
    }
}

// Qt takes a starting folder that does not exist for a file name to select:
// start in its nearest existing parent instead.
QString ExistingFolder(const QString& folder) {
    if (folder.isEmpty()) return folder;
    QString path = QDir::cleanPath(QDir(folder).absolutePath());
    while (!QFileInfo(path).isDir()) {
        const QString parent = QFileInfo(path).absolutePath();
        if (parent == path) return QString();
        path = parent;
    }
    return path;
}

std::optional<QString> RunFileDialog(QWidget* parent, const Prompter::FileDialog& request, bool save) {
    QFileDialog dialog(parent, request.title, ExistingFolder(request.folder));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(QtPrompter::NameFilters(request.filter));
    if (!request.defaultSuffix.isEmpty()) dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

}  // namespace

int QtPrompter::Ask(const QString& title, const QString& text, Icon icon, int buttons, int defaultButton) {
    QMessageBox box(ToQt(icon), title, text, QMessageBox::NoButton, parent_);
    const std::pair<int, QMessageBox::StandardButton> map[] = {
        {Yes, QMessageBox::Yes}, {No, QMessageBox::No}, {Ok, QMessageBox::Ok}, {Cancel, QMessageBox::Cancel}};
    for (const auto& [ours, theirs] : map) {
        if (!(buttons & ours)) continue;
        QAbstractButton* b = box.addButton(theirs);
        if (ours == defaultButton) box.setDefaultButton(static_cast<QPushButton*>(b));
    }
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const auto& [ours, theirs] : map)
        if (theirs == clicked && (buttons & ours)) return ours;
    if (buttons & Cancel) return Cancel;
    if (buttons & No) return No;
    return Ok;
}

void QtPrompter::Tell(const QString& title, const QString& text, Icon icon) {
    QMessageBox box(ToQt(icon), title, text, QMessageBox::Ok, parent_);
    box.exec();
}

std::optional<QString> QtPrompter::Input(const QString& title, const QString& prompt, const QString& initial) {
    QInputDialog dialog(parent_);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(initial);
    // Wide enough that a window manager shows the whole title beside its
    // buttons, not "Move Cla...e to Row".
    const QFontMetrics metrics(dialog.font());
    dialog.setMinimumWidth(std::max(metrics.horizontalAdvance(title), metrics.horizontalAdvance(prompt)) + 160);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue();
}

std::optional<QString> QtPrompter::OpenFile(const FileDialog& dialog) { return RunFileDialog(parent_, dialog, false); }

std::optional<QString> QtPrompter::SaveFile(const FileDialog& dialog) { return RunFileDialog(parent_, dialog, true); }

QStringList QtPrompter::NameFilters(const QString& barFilter) {
    const QStringList parts = barFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
#ifndef Q_OS_WIN
        // "*.*" means every file on Windows; elsewhere it would hide the
        // files without an extension.
        for (QString& pattern : patterns)
            if (pattern.trimmed() == QLatin1String("*.*")) pattern = QStringLiteral("*");
#endif
        // Qt reads the patterns from the parentheses of the description.
        QString description = parts[i];
        if (const qsizetype open = description.indexOf(QLatin1Char('(')); open >= 0)
            description = description.left(open).trimmed();
        filters << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters;
}

}  // namespace vel
