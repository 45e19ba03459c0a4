// The program's style hints and the highlighted menu bar entry.

#include "ui/controls/TProgramStyle.h"

#include <QApplication>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

void TProgramStyle::Install() {
    if (qobject_cast<TProgramStyle*>(QApplication::style()))
        return;
    QApplication::setStyle(new TProgramStyle(QStyleFactory::create(QApplication::style()->name())));
}

void TProgramStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                const QWidget* widget) const {
    // The menu bar has the focus only while the keyboard works it.
    if (element == CE_MenuBarItem && (option->state & State_Selected) && widget && widget->hasFocus()) {
        QStyleOptionMenuItem highlighted = *qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        highlighted.state |= State_Sunken;
        QProxyStyle::drawControl(element, &highlighted, painter, widget);
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

int TProgramStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                             QStyleHintReturn* returnData) const {
    switch (hint) {
    case SH_ToolTip_WakeUpDelay:
        return TooltipWakeUpDelay;
    case SH_ToolTip_FallAsleepDelay:
        return TooltipDisplayTime;
    case SH_MenuBar_AltKeyNavigation:
        return true;
    default:
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
}
