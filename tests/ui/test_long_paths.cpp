// Long runs through the real windows: a thousand steps of the viewer's
// navigator, a thousand searches, an hour of clock ticks. Resident memory
// must not grow with them; the figures are printed. Built with the address
// sanitizer, the same runs show that nothing leaks (the sanitizer's own
// quarantine then holds freed memory, so the resident size says nothing and
// is only printed).

#include "support/ViewerFixture.h"

#include "ui/controls/TClock.h"
#include "ui/controls/TStatusBar.h"

#include <QFile>
#include <QLabel>
#include <QRegularExpression>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool UnderAddressSanitizer = true;
#else
constexpr bool UnderAddressSanitizer = false;
#endif

// Growth of the resident size that a run may show after its warm-up: room
// for caches that fill once and for the allocator's own slack, yet small
// enough that a step leaking a few kilobytes fails the run.
constexpr qint64 AllowedGrowthKiB = 2 * 1024;

constexpr int Steps = 1000;

qint64 ResidentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression vmRss(QStringLiteral("^VmRSS:\\s+(\\d+) kB"), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = vmRss.match(QString::fromLatin1(status.readAll()));
    return match.hasMatch() ? match.captured(1).toLongLong() : -1;
}

// Measures the resident size around a run that has had its warm-up.
class TResidentWatch {
public:
    explicit TResidentWatch(const char* what) : v_what(what) {
        QCoreApplication::processEvents();
        v_before = ResidentKiB();
    }

    void CheckNoGrowth() {
        QCoreApplication::processEvents();
        const qint64 after = ResidentKiB();
        qInfo("%s: resident %lld KiB after the warm-up, %lld KiB at the end (%+lld KiB)%s", v_what,
              static_cast<long long>(v_before), static_cast<long long>(after), static_cast<long long>(after - v_before),
              UnderAddressSanitizer ? "; not judged under the address sanitizer" : "");
        QVERIFY(v_before > 0 && after > 0);
        if (!UnderAddressSanitizer)
            QVERIFY2(after - v_before <= AllowedGrowthKiB, v_what);
    }

private:
    const char* v_what;
    qint64 v_before = 0;
};

// A click followed by a turn of the event loop, as every click of the user's
// is: what the click posted (repaints, deferred deletions, queued calls) is
// handled before the next one. Without the turn, those events would pile up
// and look like growth.
void Click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
    QCoreApplication::processEvents();
}

}  // namespace

class TLongPathsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TViewerFixture> v_fixture;
    TViewerFixture& F() { return *v_fixture; }

    // One navigator step towards the end of the list, turning back at
    // either end; returns the direction of the next step.
    bool Step(bool forward) {
        const TNavigateBtn kind = forward ? TNavigateBtn::nbNext : TNavigateBtn::nbPrior;
        Click(F().Button(kind));
        if (forward && F().Query().Eof())
            return false;
        if (!forward && F().Query().Bof())
            return true;
        return forward;
    }

private slots:
    void init() {
        v_fixture = std::make_unique<TViewerFixture>();
        F().Start();
    }
    void cleanup() { v_fixture.reset(); }

    void aThousandNavigatorSteps() {
        // Every row fetched before the watch starts: fetching is growth by
        // design, bounded by the size of the list.
        F().Query().Last();
        F().Query().First();
        const int rows = F().RowCount();
        QVERIFY(rows > 1);
        bool reachedTheEnd = false;
        bool cameBackToTheStart = false;
        const bool opened = F().OpenViewerOnRow(0, [&] {
            bool forward = true;
            for (int i = 0; i < 60; ++i)
                forward = Step(forward);
            TResidentWatch watch("navigator");
            for (int i = 0; i < Steps; ++i) {
                forward = Step(forward);
                reachedTheEnd |= F().Query().Eof();
                cameBackToTheStart |= reachedTheEnd && F().Query().Bof();
            }
            watch.CheckNoGrowth();
            // The viewer shows the row the cursor is on.
            QCOMPARE(F().form2->Label1->text(), F().FieldOfRow(F().Query().RecNo(), "CIM"));
        });
        QVERIFY(opened);
        QVERIFY2(reachedTheEnd && cameBackToTheStart, "the steps did not run through the list and back");
    }

    void aThousandSearches() {
        const QStringList phrases{QStringLiteral("a"),    QStringLiteral("szerelem"), QStringLiteral("zzqx-nincs"),
                                  QStringLiteral("%"),    QStringLiteral("'"),        QStringLiteral("ő_sz"),
                                  QStringLiteral("\r\n"), QStringLiteral("TAVASZ"),   QString(2000, QLatin1Char('e'))};
        TMessageBoxAnswerer answerer;
        auto search = [&](int i) {
            F().form1->Keress1Click();
            F().form1->Edit1->setText(phrases.at(i % phrases.size()));
            Click(F().form1->BitBtn1);
        };
        for (int i = 0; i < 2 * phrases.size(); ++i)
            search(i);
        TResidentWatch watch("searches");
        for (int i = 0; i < Steps; ++i)
            search(i);
        watch.CheckNoGrowth();
        QCOMPARE(answerer.Texts(), QStringList());
        // The last search's hits are on the counter and in the list.
        QCOMPARE(F().form1->Label12->text(), QString::number(F().Query().RecordCount()));
        QCOMPARE(F().form1->PageControl1->currentIndex(), 0);
    }

    void anHourOfClockTicks() {
        const QDateTime start(QDate(2024, 3, 5), QTime(8, 0, 0));
        QDateTime now = start;
        F().form1->Clock()->SetSources([&now] { return now; },
                                       [] { return QLocale(QLocale::Hungarian, QLocale::Hungary); });
        F().form1->Timer1->stop();  // only the injected clock ticks
        auto tick = [&] {
            now = now.addSecs(1);
            F().form1->Timer1Timer();
            QCoreApplication::processEvents();
        };
        for (int i = 0; i < 60; ++i)
            tick();
        TResidentWatch watch("clock");
        while (now < start.addSecs(3600))
            tick();
        watch.CheckNoGrowth();
        QCOMPARE(F().form1->StatusBar1->PanelText(1), QStringLiteral("2024. 03. 05. 9:00:00"));
    }
};

LANTOR_TEST_MAIN(TLongPathsTest)
#include "test_long_paths.moc"
