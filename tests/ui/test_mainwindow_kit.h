#pragma once
// Shared helpers of the main window's widget tests.
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QTest>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "ScriptedPrompter.h"
#include "dialogs/ByteLineEdit.h"
#include "editing/MainWindow.h"
#include "editing/ModeGrid.h"
#include "editing/RowCommands.h"
#include "mode/ModeModel.h"

namespace vel::test {

// A shown main window with a scripted prompter, closed when it goes.
struct ShownWindow {
    ScriptedPrompter prompter;
    std::unique_ptr<Form1> w = std::make_unique<Form1>(&prompter);

    ShownWindow() {
        w->show();
        w->activateWindow();
        if (!QTest::qWaitForWindowExposed(w.get())) qWarning("window not exposed");
    }
    ~ShownWindow() {
        w->Model().ClearMode();  // nothing left to ask about
        w->close();
    }
    Form1* operator->() { return w.get(); }

    // Loads clauses as a file load would: one reset, unchanged afterwards.
    void Load(const std::vector<Clause>& clauses) { w->Model().LoadClauses(clauses); }
    // Clauses whose Roman texts are the given letters, Tengwar in capitals.
    void LoadLetters(const std::string& letters) {
        std::vector<Clause> clauses;
        for (char c : letters) clauses.push_back(MakeClause(std::string(1, c), std::string(1, char(c - 32))));
        Load(clauses);
    }
    std::string Romans() const {
        std::string out;
        for (const Clause& c : w->Table().Clauses()) out += c.Roman().empty() ? std::string("_") : c.Roman();
        return out;
    }
    void SetCursor(int row, int col = 0) {
        w->Model().MoveCursor({row, col, col});
        w->RowStatus();
    }
    // Runs Optimize, so the mode counts as optimized.
    void Optimized() { w->Rows().Optimize(); }
    QString Status(const char* key) const { return w->Panel(QString::fromLatin1(key))->text(); }
    void FocusGrid() { w->grdMode->setFocus(); }
};

// Types characters beyond ASCII, which QTest::keyClicks cannot send.
inline void TypeText(QWidget* widget, const QString& text) {
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &release);
    }
}

inline QClipboard* Clipboard() { return QGuiApplication::clipboard(); }

}  // namespace vel::test
