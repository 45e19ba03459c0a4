// Hints of controls and menu items, and where tooltips are switched on.

#include "ui/controls/Hints.h"

#include <QAction>
#include <QVariant>
#include <QWidget>

namespace {
constexpr const char* HintProperty = "lantorHint";
constexpr const char* ShowHintProperty = "lantorShowHint";
}  // namespace

THint SplitHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return {hint, hint};
    return {hint.left(bar), hint.mid(bar + 1)};
}

// The long part is also what a screen reader tells of the control, as the
// hint line tells it to the eye.
void SetHint(QObject* control, const QString& hint) {
    control->setProperty(HintProperty, hint);
    const QString longPart = SplitHint(hint).longPart;
    if (auto* widget = qobject_cast<QWidget*>(control))
        widget->setAccessibleDescription(longPart);
    else if (auto* action = qobject_cast<QAction*>(control))
        action->setStatusTip(longPart);
}

QString HintOf(const QObject* control) {
    return control->property(HintProperty).toString();
}

QString EffectiveHint(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QString hint = HintOf(w);
        if (!hint.isEmpty())
            return hint;
        if (w->isWindow())
            break;
    }
    return {};
}

void SetShowHint(QWidget* control, bool show) {
    control->setProperty(ShowHintProperty, show);
}

bool ShowsHint(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant own = w->property(ShowHintProperty);
        if (own.isValid())
            return own.toBool();
        if (w->isWindow())
            break;
    }
    return false;
}
