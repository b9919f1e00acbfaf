#include "ui/access_keys.h"

#include <QKeyEvent>
#include <QWidget>

namespace {

class AccessKeyFilter : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        return IsAccessKeyPress(event) || QObject::eventFilter(watched, event);
    }
};

} // namespace

bool IsAccessKeyPress(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods = key->modifiers();
    if (!(mods & Qt::AltModifier) || (mods & (Qt::ControlModifier | Qt::MetaModifier)))
        return false;
    const int k = key->key();
    return (k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9);
}

void KeepAccessKeysOutOf(QObject* owner, std::initializer_list<QWidget*> controls) {
    auto* filter = new AccessKeyFilter(owner);
    for (QWidget* control : controls)
        control->installEventFilter(filter);
}
