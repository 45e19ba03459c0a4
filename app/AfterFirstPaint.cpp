// Running work once the program has painted its first window.

#include "app/AfterFirstPaint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>

namespace {

// Watches every object's events until the first paint, then queues the action
// behind that paint (and the flush that follows it) and leaves.
class TFirstPaintWatcher : public QObject {
public:
    TFirstPaintWatcher(QObject* context, std::function<void()> action)
        : v_context(context), v_action(std::move(action)) {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !v_seen) {
            v_seen = true;
            QCoreApplication::instance()->removeEventFilter(this);
            if (v_context)
                QTimer::singleShot(0, v_context.data(), v_action);
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<QObject> v_context;
    std::function<void()> v_action;
    bool v_seen = false;
};

}  // namespace

void AfterFirstPaint(QObject* context, std::function<void()> action) {
    new TFirstPaintWatcher(context, std::move(action));
}
