#include "dialogs/ProgramIcon.h"

// Resources of a static library must be pulled in by name, outside any namespace.
static void InitProgramIconResources() { Q_INIT_RESOURCE(velloran_app); }

namespace vel {

QIcon ProgramIcon() {
    InitProgramIconResources();
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/app/velloran-%1.png").arg(size), QSize(size, size));
    return icon;
}

}  // namespace vel
