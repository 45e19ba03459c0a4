#pragma once

// Hint texts (short part | long part) and the hint display setting of controls.

#include <QString>

class QObject;
class QWidget;

// A hint is "short part|long part", split at the first "|"; a hint without
// "|" is both parts. Controls carry their hint and their hint display
// setting (tooltips on or off) as properties.
struct THint {
    QString shortPart;
    QString longPart;
};

THint SplitHint(const QString& hint);

// Gives a control (a widget or a menu item) its hint; its long part becomes
// the accessible description.
void SetHint(QObject* control, const QString& hint);
QString HintOf(const QObject* control);

// The hint that counts for `widget`: its own or, when that is empty, the
// nearest non-empty hint of its containers.
QString EffectiveHint(const QWidget* widget);

// Tooltips: a control shows its short hint as a tooltip only where its own
// setting, or the nearest container's that has one, is on.
void SetShowHint(QWidget* control, bool show);
bool ShowsHint(const QWidget* widget);
