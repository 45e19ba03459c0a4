// A label that is a link, for the eye, the mouse and a screen reader.

#include "ui/controls/TLinkLabel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMouseEvent>

namespace {

// What assistive technology sees of a link label: a link named by its
// caption, described by its hint, with the one action of following it.
class TLinkAccessible : public QAccessibleWidget {
public:
    explicit TLinkAccessible(TLinkLabel* label) : QAccessibleWidget(label, QAccessible::Link) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const TLinkLabel*>(widget())->text();
        return QAccessibleWidget::text(kind);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction())
            static_cast<TLinkLabel*>(widget())->Follow();
    }
};

QAccessibleInterface* LinkLabelAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("TLinkLabel") && object && object->isWidgetType())
        return new TLinkAccessible(static_cast<TLinkLabel*>(object));
    return nullptr;
}

}  // namespace

TLinkLabel::TLinkLabel(const QString& text, QWidget* parent, std::function<void()> onClick)
    : QLabel(text, parent), v_onClick(std::move(onClick)) {
    static const bool factoryInstalled = (QAccessible::installFactory(LinkLabelAccessible), true);
    Q_UNUSED(factoryInstalled);
}

void TLinkLabel::mousePressEvent(QMouseEvent* event) {
    v_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void TLinkLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool clicked = v_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    v_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (clicked)
        v_onClick();
}
