// The real main window and viewer over a larger anthology file of the same
// schema: opening the full list, a search, Ctrl+End in the grid and a step
// in the viewer, each with its time and the resident size after it.
//
//   bench_scale ANTHOLOGY.db [REPETITIONS]
//
// The program starts as usual (extracting its own anthology into a fresh
// folder); its connection is then pointed at the given file, which is read
// in place. Times are medians of REPETITIONS passes; the resident sizes and
// row counts are those of the first pass, before any row was ever fetched
// from the larger file, so they show what each step itself holds.

#include "BenchForms.h"
#include "BenchSupport.h"

#include "store/TFDConnection.h"
#include "ui/controls/TDBNavigator.h"

#include <QLineEdit>
#include <QTest>

#include <cstdio>
#include <vector>

namespace {

struct TStepFigure {
    explicit TStepFigure(const char* stepName) : name(stepName) {}
    const char* name;
    std::vector<double> times;
    long residentKiB = 0;
    int fetchedRows = 0;
    int recordCount = 0;
};

class TScaleRun {
public:
    TScaleRun(TForm1& form, TForm2& viewer) : v_form(form), v_viewer(viewer) {}

    void OnePass(bool first) {
        Measure(0, first, [this] { OpenFullList(); });
        Measure(1, first, [this] { Search(QStringLiteral("hallgat")); });
        Measure(2, first, [this] { OpenFullList(); });
        Measure(3, first, [this] { ViewerStep(TNavigateBtn::nbNext); });
        Measure(4, first, [this] { CtrlEnd(); });
        Measure(5, first, [this] { ViewerStep(TNavigateBtn::nbPrior); });
    }

    void Print(const QString& file) const {
        std::printf("\n== Scale: %s (%zu passes; RSS and rows of the first pass)\n", bench::Text(file).c_str(),
                    v_steps[0].times.size());
        std::printf("  %-28s %12s %12s %12s %12s\n", "step", "time", "RSS after", "rows fetched", "rows listed");
        for (const TStepFigure& step : v_steps) {
            std::printf("  %-28s %9.3f ms %9ld KiB %12d %12d\n", step.name, bench::Median(step.times), step.residentKiB,
                        step.fetchedRows, step.recordCount);
        }
        const TStepFigure& opened = v_steps[0];
        const TStepFigure& atEnd = v_steps[4];
        const int moreRows = atEnd.fetchedRows - opened.fetchedRows;
        std::printf(
            "  first screen fetched %d of %d rows (batches of %d); Ctrl+End added %d rows and %ld KiB"
            " (%.0f bytes a row)\n",
            opened.fetchedRows, opened.recordCount, TFDQuery::FetchBatchSize, moreRows,
            atEnd.residentKiB - opened.residentKiB,
            moreRows > 0 ? (atEnd.residentKiB - opened.residentKiB) * 1024.0 / moreRows : 0.0);
    }

private:
    template <typename TStep>
    void Measure(int index, bool first, TStep step) {
        TStepFigure& figure = v_steps[index];
        figure.times.push_back(bench::TimeOnce(step));
        if (first) {
            figure.residentKiB = bench::ResidentKiB();
            figure.fetchedRows = v_form.FDQuery1->FetchedCount();
            figure.recordCount = v_form.FDQuery1->RecordCount();
        }
    }

    // What the reset button does: the full list, opened anew, painted.
    void OpenFullList() {
        v_form.BitBtn2Click();
        bench::PaintGrid(v_form);
    }

    void Search(const QString& phrase) {
        v_form.Edit1->setText(phrase);
        v_form.BitBtn1Click();
        bench::PaintGrid(v_form);
    }

    void CtrlEnd() {
        QTest::keyClick(v_form.DBGrid1, Qt::Key_End, Qt::ControlModifier);
        bench::PaintGrid(v_form);
    }

    void ViewerStep(TNavigateBtn button) {
        QTest::mouseClick(v_viewer.DBNavigator1->Button(button), Qt::LeftButton);
        bench::PaintViewerText(v_viewer);
    }

    TForm1& v_form;
    TForm2& v_viewer;
    std::vector<TStepFigure> v_steps{TStepFigure("open the full list"),       TStepFigure("search \"hallgat\""),
                                     TStepFigure("open the full list again"), TStepFigure("viewer step (next)"),
                                     TStepFigure("Ctrl+End in the grid"),     TStepFigure("viewer step (prior)")};
};

}  // namespace

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s ANTHOLOGY.db [REPETITIONS]\n", argv[0]);
        return 2;
    }
    const QString file = QString::fromLocal8Bit(argv[1]);
    const int passes = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;

    bench::TRunningProgram running;
    TForm1& form = running.Form1();
    form.show();
    running.Form2().show();  // offscreen and not modal, so the benchmark keeps control
    bench::PaintGrid(form);
    const long startedKiB = bench::ResidentKiB();

    form.FDConnection1->Disconnect();  // closes the cursor too
    form.FDConnection1->SetDatabase(file);
    bench::PaintGrid(form);
    const long emptyKiB = bench::ResidentKiB();

    TScaleRun run(form, running.Form2());
    for (int pass = 0; pass < passes; ++pass)
        run.OnePass(pass == 0);
    run.Print(file);
    std::printf("  RSS after the program's own start-up %ld KiB; with the cursor closed %ld KiB\n", startedKiB,
                emptyKiB);
    return 0;
}
