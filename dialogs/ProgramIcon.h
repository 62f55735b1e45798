#pragma once
// The program's own icon (a tengwa on a night-blue tile), for its windows,
// the About box and the desktop entry.
#include <QIcon>

namespace vel {

QIcon ProgramIcon();

}  // namespace vel
