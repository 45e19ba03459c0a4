#include "TTooltips.h"

#include "Hints.h"

#include <QApplication>
#include <QHelpEvent>
#include <QStyleFactory>
#include <QToolTip>
#include <QWidget>

namespace {

void UseTooltipTimingStyle() {
    if (qobject_cast<TTooltipTimingStyle*>(QApplication::style()))
        return;
    QApplication::setStyle(new TTooltipTimingStyle(QStyleFactory::create(QApplication::style()->name())));
}

}  // namespace

QString TooltipFor(const QWidget* control) {
    if (!control || !ShowsHint(control))
        return {};
    return SplitHint(EffectiveHint(control)).shortPart;
}

int TTooltipTimingStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                                   QStyleHintReturn* returnData) const {
    switch (hint) {
    case SH_ToolTip_WakeUpDelay:
        return TooltipWakeUpDelay;
    case SH_ToolTip_FallAsleepDelay:
        return TooltipDisplayTime;
    default:
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
}

TTooltips::TTooltips(QObject* parent) : QObject(parent) {
    UseTooltipTimingStyle();
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
