#pragma once

// The main window's status bar: the hint line and the clock.

#include <QWidget>

class QLabel;

// A status bar of fixed panels: panel 0 is the hint line (500 pixels,
// left-aligned), panel 1 the clock (200 pixels, centred). No size grip.
class TStatusBar : public QWidget {
    Q_OBJECT

public:
    static constexpr int HintPanel = 0;
    static constexpr int ClockPanel = 1;

    explicit TStatusBar(QWidget* parent = nullptr);

    QString PanelText(int index) const;
    void SetPanelText(int index, const QString& text);
    QLabel* Panel(int index) const;

private:
    QLabel* v_panels[2];
};
