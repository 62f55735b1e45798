#include "dialogs/FontTags.h"

#include <QFont>
#include <QVariant>
#include <QWidget>

namespace vel {

namespace {

void SetFamily(QWidget* w, const QString& family) {
    QFont font = w->font();
    font.setFamily(family);
    w->setFont(font);
}

}  // namespace

void TagFont(QWidget* control, const char* tag) { control->setProperty(kFontTagProperty, QString::fromLatin1(tag)); }

void ApplyFonts(QWidget* window, const QString& strRomanFont, const QString& strTengwarFont) {
    if (!window) return;
    QList<QWidget*> controls{window};
    controls += window->findChildren<QWidget*>();
    for (QWidget* w : controls) {
        const QVariant tag = w->property(kFontTagProperty);
        if (!tag.isValid()) continue;
        const QString text = tag.toString();
        const QString family = text == QLatin1String(kFontTagText)      ? strRomanFont
                                : text == QLatin1String(kFontTagTengwar) ? strTengwarFont
                                                                          : QString();
        if (!family.isEmpty()) SetFamily(w, family);
    }
}

}  // namespace vel
