// Work deferred until the program has painted its first window.

#include "support/TestSupport.h"

#include "app/AfterFirstPaint.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace {

// Writes what happened, in order, into a shared log: "paint" for every paint
// event of the widget it watches.
class TPaintLog : public QObject {
public:
    TPaintLog(QWidget* widget, QStringList& log) : QObject(widget), v_log(log) { widget->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            v_log.append(QStringLiteral("paint"));
        return QObject::eventFilter(watched, event);
    }

private:
    QStringList& v_log;
};

// Lets queued events and zero-delay timers run.
void SpinEventLoop() {
    for (int round = 0; round < 5; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

}  // namespace

class TestAfterFirstPaint : public QObject {
    Q_OBJECT

private slots:
    void waitsForAPaint() {
        QObject context;
        int runs = 0;
        AfterFirstPaint(&context, [&runs] { ++runs; });
        QWidget hidden;
        hidden.resize(50, 50);
        SpinEventLoop();
        QCOMPARE(runs, 0);
        // Clean up the watcher by letting it see a paint.
        hidden.show();
        QVERIFY(QTest::qWaitForWindowExposed(&hidden));
        QTRY_COMPARE(runs, 1);
    }

    void runsOnceAfterTheFirstPaintOfAnyWindow_data() {
        QTest::addColumn<int>("windows");
        QTest::newRow("one window") << 1;
        QTest::newRow("a second window shown later") << 2;
    }

    void runsOnceAfterTheFirstPaintOfAnyWindow() {
        QFETCH(int, windows);
        QStringList log;
        QObject context;
        AfterFirstPaint(&context, [&log] { log.append(QStringLiteral("action")); });

        std::vector<std::unique_ptr<QWidget>> shown;
        for (int i = 0; i < windows; ++i) {
            shown.push_back(std::make_unique<QWidget>());
            new TPaintLog(shown.back().get(), log);
            shown.back()->resize(80, 40);
            shown.back()->show();
            QVERIFY(QTest::qWaitForWindowExposed(shown.back().get()));
            QTRY_VERIFY(log.contains(QStringLiteral("action")));
        }
        shown.front()->repaint();
        SpinEventLoop();

        QCOMPARE(log.count(QStringLiteral("action")), 1);
        QCOMPARE(log.first(), QStringLiteral("paint"));
    }

    void neverRunsOnceItsContextIsGone() {
        int runs = 0;
        auto context = std::make_unique<QObject>();
        AfterFirstPaint(context.get(), [&runs] { ++runs; });
        context.reset();
        QWidget window;
        window.resize(80, 40);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.repaint();
        SpinEventLoop();
        QCOMPARE(runs, 0);
    }
};

LANTOR_TEST_MAIN(TestAfterFirstPaint)
#include "test_after_first_paint.moc"
