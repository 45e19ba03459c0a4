#pragma once

// The status bar clock's text.

#include <QDateTime>
#include <QLocale>
#include <QObject>
#include <QString>

#include <functional>

// The regional formats the clock writes with: the short date and the long
// time (hours, minutes and seconds with the regional separators, without a
// time zone), and the locale that supplies names such as AM/PM.
struct TClockFormats {
    QLocale locale;
    QString shortDate;
    QString longTime;

    static TClockFormats Of(const QLocale& locale);
};

// A time format without its time-zone field and the blanks or brackets
// around it: "h:mm:ss AP t" gives "h:mm:ss AP".
QString WithoutTimeZone(const QString& timeFormat);

// The clock's text for `moment`: the short date, then a blank and the long
// time, except at exactly 0:00:00.000, which shows the date alone.
QString ClockText(const QDateTime& moment, const TClockFormats& formats);

// The status bar clock's sources: the local date and time, and the regional
// settings, whose formats are read once and again only on request (when the
// system announces that they changed).
class TClock : public QObject {
public:
    using TNowSource = std::function<QDateTime()>;
    using TRegionalSettingsSource = std::function<QLocale()>;

    explicit TClock(QObject* parent);

    // Replaces the sources (the system clock and QLocale::system() by
    // default) and reads the formats from the new regional settings.
    void SetSources(TNowSource now, TRegionalSettingsSource regionalSettings);

    void ReadRegionalSettings();

    // The text for the current moment.
    QString Text() const;

private:
    TNowSource v_now;
    TRegionalSettingsSource v_regionalSettings;
    TClockFormats v_formats;
};
