// One navigator step in the viewer, from the click on "next" to the longest
// poem's text shown, next to putting the same text into a plain text box of
// the same size and font and painting it.

#include "BenchForms.h"
#include "BenchSupport.h"

#include "ui/controls/TDBNavigator.h"

#include <QTest>

#include <cstdio>

namespace {

constexpr int Repetitions = 101;

// The row of the full list whose poem text is the longest; fetches them all.
int LongestPoemRow(TFDQuery& query) {
    query.EnsureFetched(query.RecordCount() - 1);
    const int text = query.FieldIndex(QStringLiteral("VERS"));
    int longest = 0;
    for (int row = 0; row < query.FetchedCount(); ++row) {
        if (query.Value(row, text).toString().size() > query.Value(longest, text).toString().size())
            longest = row;
    }
    return longest;
}

}  // namespace

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    bench::TRunningProgram running;
    TForm1& form = running.Form1();
    TForm2& viewer = running.Form2();
    TFDQuery& query = *form.FDQuery1;

    const int longest = LongestPoemRow(query);
    const QString poem = query.Value(longest, query.FieldIndex(QStringLiteral("VERS"))).toString();
    viewer.show();  // offscreen and not modal, so the benchmark keeps control
    QCoreApplication::processEvents();

    TDBNavigator& navigator = *viewer.DBNavigator1;
    const bench::TTimedStep stepOntoLongest{[&] {
                                                query.MoveBy(longest - 1 - query.RecNo());
                                                bench::PaintViewerText(viewer);
                                            },
                                            [&] {
                                                QTest::mouseClick(navigator.Button(TNavigateBtn::nbNext),
                                                                  Qt::LeftButton);
                                                bench::PaintViewerText(viewer);
                                            }};

    QPlainTextEdit plain;
    plain.setFont(viewer.Memo1->font());
    plain.setFixedSize(viewer.Memo1->size());
    plain.setReadOnly(true);
    plain.show();
    const bench::TTimedStep plainText{[&] {
                                          plain.setPlainText(QString());
                                          QCoreApplication::processEvents();
                                      },
                                      [&] {
                                          plain.setPlainText(poem);
                                          QCoreApplication::processEvents();
                                          plain.viewport()->repaint();
                                      }};

    bench::PrintRatioHeader("Viewer: click on \"next\" -> the longest poem (" + std::to_string(poem.size()) +
                                " chars) shown (median of " + std::to_string(Repetitions) + ")",
                            "program", "plain text box");
    bench::PrintRatioLine("navigator step onto the longest poem",
                          bench::MeasureSideBySide(Repetitions, stepOntoLongest, plainText), 0.0);
    std::printf("  %-34s current row %d of %d, text shown %lld chars\n", "", query.RecNo() + 1, query.RecordCount(),
                static_cast<long long>(viewer.Memo1->toPlainText().size()));
    return 0;
}
