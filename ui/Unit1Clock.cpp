// The clock in the status bar.

#include "Unit1.h"

#include "TStatusBar.h"

#include "app/TApplication.h"

#include <QDateTime>
#include <QLocale>
#include <QTimer>

void TForm1::CreateClock() {
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] { RunHandler([this] { Timer1Timer(); }); });
    Timer1->start();
}

void TForm1::Timer1Timer() {
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale = QLocale::system();
    StatusBar1->SetPanelText(1, locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
                                    locale.toString(now.time(), QLocale::LongFormat));
}
