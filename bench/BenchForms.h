#pragma once

// The real main window and viewer, started in a fresh working folder the way
// the program entry starts them, for the in-process benchmarks (offscreen).

#include "support/StartedProgram.h"

#include "store/TDataSource.h"
#include "store/TFDQuery.h"
#include "ui/controls/TDBGrid.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHash>
#include <QPlainTextEdit>

namespace bench {

struct TRunningProgram {
    TScopedWorkingFolder folder;
    TStartedProgram program;

    TRunningProgram() : program(StartProgram()) { QCoreApplication::processEvents(); }
    TForm1& Form1() { return *program.form1; }
    TForm2& Form2() { return *program.form2; }
};

// Counts the paint events a widget receives.
class TPaintCounter : public QObject {
public:
    explicit TPaintCounter(QWidget* widget) : QObject(widget) { widget->installEventFilter(this); }
    int Count() const { return v_count; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++v_count;
        return false;
    }

private:
    int v_count = 0;
};

// Lets the pending events run, which paints what changed; when that did not
// paint `widget`, paints it at once. Either way `widget` has painted when
// this returns, once.
inline void ProcessEventsUntilPainted(QWidget* widget) {
    static QHash<QWidget*, TPaintCounter*> counters;
    TPaintCounter*& counter = counters[widget];
    if (!counter)
        counter = new TPaintCounter(widget);
    const int before = counter->Count();
    QCoreApplication::processEvents();
    if (counter->Count() == before)
        widget->repaint();
}

// The grid's data area painted, so the rows on its first screen have been read.
inline void PaintGrid(TForm1& form) {
    ProcessEventsUntilPainted(form.DBGrid1->viewport());
}

// The viewer's text painted.
inline void PaintViewerText(TForm2& viewer) {
    ProcessEventsUntilPainted(viewer.Memo1->viewport());
}

}  // namespace bench
