#pragma once

#include <QObject>
#include <QProxyStyle>
#include <QString>

class QWidget;

// How long the pointer rests before a tooltip comes up, and how long it stays.
inline constexpr int TooltipWakeUpDelay = 500;
inline constexpr int TooltipDisplayTime = 2500;

// The tooltip a control shows: the short part of the hint that counts for it,
// but only where its hint display setting (its own or its container's) is on.
QString TooltipFor(const QWidget* control);

// The tooltip timing of the whole program: up 500 ms after the pointer comes
// to rest, and while one is showing the next one comes up at once for as
// long as the first would have stayed.
class TTooltipTimingStyle : public QProxyStyle {
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};

// The program's tooltips: every tooltip request of every window goes through
// the hint display setting. A control with the setting on shows the short
// part of its hint below the pointer for 2,500 ms, or until the pointer
// leaves it; every other control shows none, whatever tooltip it carries.
class TTooltips : public QObject {
    Q_OBJECT

public:
    // Installs the filter on the application and the timing style, once.
    explicit TTooltips(QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
