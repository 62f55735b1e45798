#include "settings/Fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <initializer_list>

// The .qrc lives in a static library; its registration must be pulled in
// by name, outside any namespace.
static void InitFontResources() { Q_INIT_RESOURCE(velloran_fonts); }

namespace vel {

namespace {

// The last family that equals name exactly; empty when none does.
QString LastExact(const QStringList& families, const QString& name) {
    QString found;
    for (const QString& family : families)
        if (family == name) found = family;
    return found;
}

QString ChooseByNames(const QStringList& families, std::initializer_list<const char*> names, bool tengwaPass) {
    for (const char* name : names) {
        const QString found = LastExact(families, QString::fromLatin1(name));
        if (!found.isEmpty()) return found;
    }
    if (tengwaPass) {
        QString found;
        for (const QString& family : families)
            if (family.toLower().contains(QLatin1String("tengwa"))) found = family;
        if (!found.isEmpty()) return found;
    }
    return families.isEmpty() ? QString() : families.first();
}

}  // namespace

QString ChooseTengwarFont(const QStringList& families) {
    return ChooseByNames(families, {"Tengwar Quenya", "Tengwar Sindarin", "Tengwar Noldor"}, true);
}

QString ChooseRomanFont(const QStringList& families) {
    return ChooseByNames(families, {"Verdana", "Arial", "MS Sans Serif"}, false);
}

QStringList InstalledFontFamilies() {
    QStringList families = QFontDatabase::families();
    // Where none of the preferred Roman fonts is installed (most Linux
    // desktops), the first family of the list is taken: let that be the
    // desktop's own interface font rather than whatever sorts first.
    const QString desktop = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    if (families.removeOne(desktop)) families.prepend(desktop);
    return families;
}

QString ChooseTengwarFont() { return ChooseTengwarFont(InstalledFontFamilies()); }

QString ChooseRomanFont() { return ChooseRomanFont(InstalledFontFamilies()); }

bool HasTengwarFamily(const QStringList& families) {
    for (const QString& family : families)
        if (family.toLower().contains(QLatin1String("tengwa"))) return true;
    return false;
}

bool RegisterBundledTengwarFontIfNeeded() {
    if (HasTengwarFamily(InstalledFontFamilies())) return false;
    InitFontResources();
    return QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/VelloranTengwar.ttf")) >= 0;
}

}  // namespace vel
