// The status bar clock: the regional short date and long time, the date
// alone at midnight, the formats read again on the system's notice, and the
// clock going on after a failing tick.

#include "support/TestSupport.h"

#include "ui/Unit1.h"
#include "ui/controls/TClock.h"
#include "ui/controls/TStatusBar.h"

#include <QTimer>

#include <stdexcept>

namespace {

const QLocale Hungarian(QLocale::Hungarian, QLocale::Hungary);
const QLocale AmericanEnglish(QLocale::English, QLocale::UnitedStates);

QDateTime At(int year, int month, int day, int hour, int minute, int second, int msec = 0) {
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second, msec));
}

}  // namespace

class TClockTest : public QObject {
    Q_OBJECT

private slots:
    void DropsTheTimeZoneFromTheLongTimeFormat_data();
    void DropsTheTimeZoneFromTheLongTimeFormat();
    void WritesTheRegionalDateAndTime_data();
    void WritesTheRegionalDateAndTime();
    void ShowsTheFormatsOfTheRegionalSettingsItWasGiven();
    void TickWritesTheClockPanel();
    void ReadsTheFormatsAgainWhenTheSystemAnnouncesAChange();
    void TimerWritesThePanelAboutEverySecond();
    void FailingTickShowsTheErrorMessageAndTheClockGoesOn();
};

void TClockTest::DropsTheTimeZoneFromTheLongTimeFormat_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zone last") << "H:mm:ss t"
                               << "H:mm:ss";
    QTest::newRow("zone after AM/PM") << "h:mm:ss AP t"
                                      << "h:mm:ss AP";
    QTest::newRow("zone in brackets") << "HH:mm:ss (t)"
                                      << "HH:mm:ss";
    QTest::newRow("zone first") << "t HH:mm:ss"
                                << "HH:mm:ss";
    QTest::newRow("zone in the middle") << "HH:mm t ss"
                                        << "HH:mm ss";
    QTest::newRow("long zone name") << "HH:mm:ss tttt"
                                    << "HH:mm:ss";
    QTest::newRow("quoted t kept") << "H 'at' mm"
                                   << "H 'at' mm";
    QTest::newRow("no zone") << "H:mm:ss"
                             << "H:mm:ss";
}

void TClockTest::DropsTheTimeZoneFromTheLongTimeFormat() {
    QFETCH(QString, format);
    QFETCH(QString, expected);
    QCOMPARE(WithoutTimeZone(format), expected);
}

void TClockTest::WritesTheRegionalDateAndTime_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<QString>("expected");
    QTest::newRow("hu midnight") << Hungarian << At(2024, 3, 5, 0, 0, 0) << "2024. 03. 05.";
    QTest::newRow("hu one millisecond past midnight")
        << Hungarian << At(2024, 3, 5, 0, 0, 0, 1) << "2024. 03. 05. 0:00:00";
    QTest::newRow("hu afternoon") << Hungarian << At(2024, 3, 5, 13, 4, 5) << "2024. 03. 05. 13:04:05";
    QTest::newRow("hu last second of the year")
        << Hungarian << At(2023, 12, 31, 23, 59, 59, 999) << "2023. 12. 31. 23:59:59";
    QTest::newRow("en midnight") << AmericanEnglish << At(2024, 12, 31, 0, 0, 0) << "12/31/24";
    QTest::newRow("en afternoon") << AmericanEnglish << At(2024, 3, 5, 13, 4, 5) << "3/5/24 1:04:05 PM";
    QTest::newRow("en just after noon") << AmericanEnglish << At(2024, 3, 5, 12, 0, 0) << "3/5/24 12:00:00 PM";
}

void TClockTest::WritesTheRegionalDateAndTime() {
    QFETCH(QLocale, locale);
    QFETCH(QDateTime, moment);
    QFETCH(QString, expected);
    QCOMPARE(ClockText(moment, TClockFormats::Of(locale)), expected);
}

void TClockTest::ShowsTheFormatsOfTheRegionalSettingsItWasGiven() {
    TClock clock(nullptr);
    QLocale regional = Hungarian;
    clock.SetSources([] { return At(2024, 3, 5, 13, 4, 5); }, [&regional] { return regional; });
    QCOMPARE(clock.Text(), QStringLiteral("2024. 03. 05. 13:04:05"));
    // The settings change, but nobody announced it: the formats stay.
    regional = AmericanEnglish;
    QCOMPARE(clock.Text(), QStringLiteral("2024. 03. 05. 13:04:05"));
    clock.ReadRegionalSettings();
    QCOMPARE(clock.Text(), QStringLiteral("3/5/24 1:04:05 PM"));
}

void TClockTest::TickWritesTheClockPanel() {
    const TScopedWorkingFolder folder;
    TForm1 form;
    QDateTime now = At(2024, 3, 5, 0, 0, 0);
    form.Clock()->SetSources([&now] { return now; }, [] { return Hungarian; });
    form.Timer1Timer();
    QCOMPARE(form.StatusBar1->PanelText(1), QStringLiteral("2024. 03. 05."));
    now = At(2024, 3, 5, 0, 0, 1);
    form.Timer1Timer();
    QCOMPARE(form.StatusBar1->PanelText(1), QStringLiteral("2024. 03. 05. 0:00:01"));
}

void TClockTest::ReadsTheFormatsAgainWhenTheSystemAnnouncesAChange() {
    const TScopedWorkingFolder folder;
    TForm1 form;
    form.show();
    QLocale regional = Hungarian;
    form.Clock()->SetSources([] { return At(2024, 3, 5, 13, 4, 5); }, [&regional] { return regional; });
    form.Timer1Timer();
    QCOMPARE(form.StatusBar1->PanelText(1), QStringLiteral("2024. 03. 05. 13:04:05"));

    regional = AmericanEnglish;
    form.Timer1Timer();
    QCOMPARE(form.StatusBar1->PanelText(1), QStringLiteral("2024. 03. 05. 13:04:05"));

    // The notice reaches the application, which passes it to its windows.
    QEvent notice(QEvent::LocaleChange);
    QCoreApplication::sendEvent(qApp, &notice);
    form.Timer1Timer();
    QCOMPARE(form.StatusBar1->PanelText(1), QStringLiteral("3/5/24 1:04:05 PM"));
}

void TClockTest::TimerWritesThePanelAboutEverySecond() {
    const TScopedWorkingFolder folder;
    TForm1 form;
    QCOMPARE(form.StatusBar1->PanelText(1), QString());
    QCOMPARE(form.Timer1->interval(), 1000);
    QVERIFY(form.Timer1->isActive());
    QDateTime now = At(2024, 3, 5, 8, 0, 0);
    form.Clock()->SetSources([&now] { return now; }, [] { return Hungarian; });
    QTRY_COMPARE_WITH_TIMEOUT(form.StatusBar1->PanelText(1), QStringLiteral("2024. 03. 05. 8:00:00"), 3000);
    now = At(2024, 3, 5, 8, 0, 1);
    QTRY_COMPARE_WITH_TIMEOUT(form.StatusBar1->PanelText(1), QStringLiteral("2024. 03. 05. 8:00:01"), 3000);
}

void TClockTest::FailingTickShowsTheErrorMessageAndTheClockGoesOn() {
    const TScopedWorkingFolder folder;
    TForm1 form;
    form.show();
    bool failing = true;
    form.Clock()->SetSources(
        [&failing] {
            if (failing)
                throw std::runtime_error("Az óra nem olvasható");
            return At(2024, 3, 5, 9, 30, 0);
        },
        [] { return Hungarian; });

    // The message stays up for more than two ticks; the failing clock must
    // not pile up further messages behind it.
    TMessageBoxAnswerer answerer({}, [](TSeenMessage&) { QTest::qWait(2200); });
    QTRY_COMPARE_WITH_TIMEOUT(answerer.Seen().size(), 1, 3000);
    const TSeenMessage& message = answerer.Seen().first();
    QCOMPARE(message.text, QStringLiteral("Az óra nem olvasható."));
    QCOMPARE(message.caption, QStringLiteral("test_clock"));  // the program file's name
    QCOMPARE(message.icon, QMessageBox::Critical);
    QCOMPARE(message.buttons, QStringList{QStringLiteral("OK")});

    failing = false;
    QTRY_COMPARE_WITH_TIMEOUT(form.StatusBar1->PanelText(1), QStringLiteral("2024. 03. 05. 9:30:00"), 3000);
    QCOMPARE(answerer.Seen().size(), 1);
    QVERIFY(form.Timer1->isActive());
}

LANTOR_TEST_MAIN(TClockTest)
#include "test_clock.moc"
