#pragma once
// The side windows' one rule: a single instance at a time, made when first
// shown, brought forward with its current state while it is open, and
// discarded when it closes, so the next opening starts afresh.
#include <QPointer>
#include <QWidget>

namespace vel {

template <typename Window, typename Make>
Window* ShowSideWindow(QPointer<Window>& slot, Make make) {
    if (!slot) {
        slot = make();
        slot->setAttribute(Qt::WA_DeleteOnClose);
    }
    slot->show();
    slot->raise();
    slot->activateWindow();
    return slot.data();
}

}  // namespace vel
