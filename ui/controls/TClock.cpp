// The clock text in the user's regional date and time formats.

#include "ui/controls/TClock.h"

namespace {

bool IsZoneLetter(QChar c) {
    return c == QLatin1Char('t');
}

// Blanks and brackets that only frame a field.
bool IsFraming(QChar c) {
    return c.isSpace() || c == QLatin1Char('(') || c == QLatin1Char(')');
}

}  // namespace

QString WithoutTimeZone(const QString& timeFormat) {
    QString result;
    bool quoted = false;
    qsizetype i = 0;
    while (i < timeFormat.size()) {
        const QChar c = timeFormat.at(i);
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (quoted || !IsZoneLetter(c)) {
            result.append(c);
            ++i;
            continue;
        }
        while (i < timeFormat.size() && IsZoneLetter(timeFormat.at(i)))
            ++i;
        while (!result.isEmpty() && IsFraming(result.back()))
            result.chop(1);
        while (i < timeFormat.size() && IsFraming(timeFormat.at(i)))
            ++i;
        // What followed the zone joins what preceded it with one blank.
        if (!result.isEmpty() && i < timeFormat.size())
            result.append(QLatin1Char(' '));
    }
    return result;
}

TClockFormats TClockFormats::Of(const QLocale& locale) {
    return {locale, locale.dateFormat(QLocale::ShortFormat), WithoutTimeZone(locale.timeFormat(QLocale::LongFormat))};
}

QString ClockText(const QDateTime& moment, const TClockFormats& formats) {
    const QString date = formats.locale.toString(moment.date(), formats.shortDate);
    if (moment.time() == QTime(0, 0))
        return date;
    return date + QLatin1Char(' ') + formats.locale.toString(moment.time(), formats.longTime);
}

TClock::TClock(QObject* parent)
    : QObject(parent),
      v_now([] { return QDateTime::currentDateTime(); }),
      v_regionalSettings([] { return QLocale::system(); }) {
    ReadRegionalSettings();
}

void TClock::SetSources(TNowSource now, TRegionalSettingsSource regionalSettings) {
    v_now = std::move(now);
    v_regionalSettings = std::move(regionalSettings);
    ReadRegionalSettings();
}

void TClock::ReadRegionalSettings() {
    v_formats = TClockFormats::Of(v_regionalSettings());
}

QString TClock::Text() const {
    return ClockText(v_now(), v_formats);
}
