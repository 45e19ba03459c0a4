// Showing tooltips only where the hint display setting is on.

#include "ui/controls/TTooltips.h"

#include "ui/controls/Hints.h"

#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

QString TooltipFor(const QWidget* control) {
    if (!control || !ShowsHint(control))
        return {};
    return SplitHint(EffectiveHint(control)).shortPart;
}

TTooltips::TTooltips(QObject* parent) : QObject(parent) {
    qApp->installEventFilter(this);
}

bool TTooltips::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ToolTip || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    auto* control = static_cast<QWidget*>(watched);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString tip = TooltipFor(control);
    if (tip.isEmpty()) {
        // Left unaccepted, so the request goes on to the containers (which
        // come here too) and no tooltip "session" starts that would make
        // the next tooltip skip its wake-up delay.
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    QToolTip::showText(help->globalPos(), tip, control, control->rect(), TooltipDisplayTime);
    event->accept();
    return true;
}
