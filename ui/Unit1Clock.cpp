// The clock in the status bar.

#include "ui/Unit1.h"

#include "ui/controls/TClock.h"
#include "ui/controls/TStatusBar.h"

#include "app/TApplication.h"

#include <QEvent>
#include <QTimer>

void TForm1::CreateClock() {
    v_clock = new TClock(this);
    v_clock->setObjectName(QStringLiteral("Clock"));
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    // A tick's error message runs inside that tick, and a timer never
    // re-enters its own handler: the clock resumes when the message closes
    // instead of stacking one message a second.
    connect(Timer1, &QTimer::timeout, this, Handler(this, &TForm1::Timer1Timer));
    Timer1->start();
}

void TForm1::Timer1Timer() {
    StatusBar1->SetPanelText(TStatusBar::ClockPanel, v_clock->Text());
}

void TForm1::changeEvent(QEvent* event) {
    // The system's notice that the regional settings changed; the next tick
    // writes with the new formats.
    if (event->type() == QEvent::LocaleChange && v_clock)
        v_clock->ReadRegionalSettings();
    QMainWindow::changeEvent(event);
}
