// The clock in the status bar.

#include "Unit1.h"

#include "TStatusBar.h"

#include <QDateTime>
#include <QLocale>

void TForm1::Timer1Timer() {
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale = QLocale::system();
    StatusBar1->SetPanelText(1, locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
                                    locale.toString(now.time(), QLocale::LongFormat));
}
