#include "dialogs/TextFields.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

namespace vel {

namespace {

// Selects all on focus-in. A mouse click places the caret after the focus
// arrives, so that case selects once the click is through.
class SelAllFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            auto* field = qobject_cast<QLineEdit*>(watched);
            if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason) {
                QPointer<QLineEdit> guard(field);
                QTimer::singleShot(0, field, [guard] { SelAll(guard.data()); });
            } else {
                SelAll(field);
            }
        }
        return false;
    }
};

}  // namespace

void SelAll(QLineEdit* field) {
    if (field) field->setSelection(0, int(field->text().size()));
}

void SelAllOnFocus(QLineEdit* field) {
    if (field) field->installEventFilter(new SelAllFilter(field));
}

}  // namespace vel
