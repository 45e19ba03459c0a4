#pragma once

// Where the program's look and feel departs from the platform's style.

#include <QProxyStyle>

// How long the pointer rests before a tooltip comes up, and how long it stays.
inline constexpr int TooltipWakeUpDelay = 500;
inline constexpr int TooltipDisplayTime = 2500;

// - Tooltips come up 500 ms after the pointer comes to rest, and while one
//   is showing the next one comes up at once for as long as the first would
//   have stayed.
// - Alt pressed and released alone takes the keyboard to the menu bar, as
//   readers of Windows programs expect, and the entry the keyboard is on is
//   drawn highlighted, as it is while its menu is open.
class TProgramStyle : public QProxyStyle {
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    // Makes the application's style a TProgramStyle over the current one,
    // once. Controls made before it keep what they read of the old style.
    static void Install();

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};
