#pragma once

// The program's tooltips.

#include "ui/controls/TProgramStyle.h"

#include <QObject>
#include <QString>

class QWidget;

// The tooltip a control shows: the short part of the hint that counts for it,
// but only where its hint display setting (its own or its container's) is on.
QString TooltipFor(const QWidget* control);

// The program's tooltips: every tooltip request of every window goes through
// the hint display setting. A control with the setting on shows the short
// part of its hint below the pointer for 2,500 ms, or until the pointer
// leaves it; every other control shows none, whatever tooltip it carries.
class TTooltips : public QObject {
    Q_OBJECT

public:
    // Installs the filter on the application.
    explicit TTooltips(QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
