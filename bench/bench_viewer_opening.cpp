// Opening the viewer: from the double click on a row of the grid to the
// poem's text painted in the viewer, the first opening of the run and the
// later ones, each next to showing and painting a plain window of the same
// size with a text box of the same poem, made anew each time.
//
// Run it in a real X server (QT_QPA_PLATFORM=xcb with a window manager):
// there the first opening also pays for the viewer's native window.

#include "BenchForms.h"
#include "BenchSupport.h"

#include "ui/controls/TDBGrid.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int LaterOpenings = 31;

// Counts paints of a widget and tells the time of the first one after a mark.
class TPaintClock : public QObject {
public:
    explicit TPaintClock(QWidget* widget) : QObject(widget) { widget->installEventFilter(this); }
    void Mark() { v_painted = false; }
    bool Painted() const { return v_painted; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            v_painted = true;
        return false;
    }

private:
    bool v_painted = false;
};

// Milliseconds from the double click on `row` to the viewer's text painted;
// the viewer is closed again once it has painted.
double OpenViewer(TForm1& form, TForm2& viewer, TPaintClock& text, int row) {
    TDBGrid* grid = form.DBGrid1;
    const QPoint where = grid->visualRect(grid->model()->index(row, 0)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, where);
    QCoreApplication::processEvents();
    text.Mark();
    double elapsed = -1;
    QElapsedTimer timer;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, &viewer, [&] {
        if (viewer.isVisible() && text.Painted() && elapsed < 0) {
            elapsed = timer.nsecsElapsed() / 1e6;
            viewer.close();
        }
    });
    poll.start();
    timer.start();
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, where);  // returns when the viewer closed
    poll.stop();
    QCoreApplication::processEvents();
    return elapsed;
}

// The same in a plain window: a dialog of the viewer's size with a text box
// holding the poem, made, shown and painted, then destroyed.
double OpenPlainWindow(const QSize& size, const QFont& font, const QString& poem) {
    QElapsedTimer timer;
    timer.start();
    QDialog window;
    window.setFixedSize(size);
    auto* box = new QPlainTextEdit(&window);
    box->setFont(font);
    box->setGeometry(7, 104, 396, 292);
    box->setPlainText(poem);
    TPaintClock text(box->viewport());
    window.show();
    while (!text.Painted())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    const double elapsed = timer.nsecsElapsed() / 1e6;
    window.close();
    QCoreApplication::processEvents();
    return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    bench::TRunningProgram running;
    TForm1& form = running.Form1();
    TForm2& viewer = running.Form2();
    TFDQuery& query = *form.FDQuery1;
    form.activateWindow();
    bench::PaintGrid(form);
    QTest::qWait(300);
    TPaintClock text(viewer.Memo1->viewport());

    const double first = OpenViewer(form, viewer, text, 1);
    std::vector<double> later;
    for (int i = 0; i < LaterOpenings; ++i)
        later.push_back(OpenViewer(form, viewer, text, 1 + i % 5));
    const QString poem = query.Value(1, query.FieldIndex(QStringLiteral("VERS"))).toString();
    const double plainFirst = OpenPlainWindow(viewer.size(), viewer.Memo1->font(), poem);
    std::vector<double> plainLater;
    for (int i = 0; i < LaterOpenings; ++i)
        plainLater.push_back(OpenPlainWindow(viewer.size(), viewer.Memo1->font(), poem));

    std::printf("== Opening the viewer: double click -> the poem's text painted (%s)\n",
                qPrintable(QGuiApplication::platformName()));
    std::printf("  %-34s %10s %12s %8s\n", "", "program", "plain window", "ratio");
    std::printf("  %-34s %7.2f ms %9.2f ms %7.2fx\n", "first opening", first, plainFirst, first / plainFirst);
    std::printf("  %-34s %7.2f ms %9.2f ms %7.2fx   target: at most one frame (16.7 ms)\n",
                "later openings (median)", bench::Median(later), bench::Median(plainLater),
                bench::Median(later) / bench::Median(plainLater));
    return 0;
}
