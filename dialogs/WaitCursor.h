#pragma once
// The busy pointer for the length of one long operation (load, save, sort).
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

namespace vel {

class WaitCursor {
public:
    // Only a GUI application has a pointer to change.
    WaitCursor() : on_(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        if (on_) QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    ~WaitCursor() {
        if (on_) QGuiApplication::restoreOverrideCursor();
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool on_;
};

}  // namespace vel
