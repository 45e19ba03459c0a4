// A search from the press of "Keresés indítása" to the grid showing the hits
// and the counter set, next to one plain SQLite scan of the same LIKE
// statement over the same file with the same pragmas.
//
//   bench_search [ANTHOLOGY.db]
//
// Without an argument it searches the program's own anthology, extracted at
// start-up; with one, the program starts as usual and its connection is then
// pointed at the given file of the same schema, read in place.

#include "BenchForms.h"
#include "BenchSupport.h"

#include "store/Statements.h"
#include "store/TFDConnection.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <sqlite3.h>

#include <stdexcept>
#include <vector>

namespace {

constexpr int Repetitions = 31;
// Up to the 10x anthology a search is judged by the eye: the hits within one
// frame. Beyond, by the plain scan it cannot avoid.
constexpr double OneFrameMs = 16.7;
constexpr int LargestFrameJudgedPoems = 10 * 525;
constexpr double LargeScanTarget = 1.3;

struct TSearchCase {
    const char* name;
    QString phrase;
};

const TSearchCase SearchCases[] = {
    {"common word \"hallgat\"", QStringLiteral("hallgat")},
    {"rare word \"könyörög\" (one poem)", QStringLiteral("könyörög")},
    {"phrase without hits", QStringLiteral("ezüst tengeralattjáró")},
    {"\"%\" (every poem)", QStringLiteral("%")},
    {"phrase with a quote \"ház' ablak\"", QStringLiteral("ház' ablak")},
};

// A connection of its own to the extracted file, set up with the program's
// pragmas, that runs a statement to its end without keeping any row.
class TPlainScanner {
public:
    TPlainScanner(const QString& path, const QStringList& pragmas) {
        if (sqlite3_open_v2(path.toUtf8().constData(), &v_handle, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            throw std::runtime_error("cannot open " + path.toStdString());
        for (const QString& pragma : pragmas)
            sqlite3_exec(v_handle, pragma.toUtf8().constData(), nullptr, nullptr, nullptr);
    }
    ~TPlainScanner() { sqlite3_close_v2(v_handle); }
    TPlainScanner(const TPlainScanner&) = delete;
    TPlainScanner& operator=(const TPlainScanner&) = delete;

    // Steps every row of `statement`; returns how many there were.
    int Scan(const QString& statement) const {
        const QByteArray text = statement.toUtf8();
        sqlite3_stmt* prepared = nullptr;
        sqlite3_prepare_v2(v_handle, text.constData(), static_cast<int>(text.size()), &prepared, nullptr);
        int rows = 0;
        while (sqlite3_step(prepared) == SQLITE_ROW)
            ++rows;
        sqlite3_finalize(prepared);
        return rows;
    }

private:
    sqlite3* v_handle = nullptr;
};

// The user's search: the search page in front with the phrase typed (not
// timed), then the press of the button and the grid painted (timed).
bench::TTimedStep PressSearch(TForm1& form, const QString& phrase) {
    return {[&form, phrase] {
                form.PageControl1->setCurrentIndex(1);
                form.Edit1->setText(phrase);
                QCoreApplication::processEvents();
            },
            [&form] {
                QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
                bench::PaintGrid(form);
            }};
}

QString SearchStatementFor(const QString& phrase) {
    return SearchStatement(QLatin1Char('%') + phrase + QLatin1Char('%'));
}

}  // namespace

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    bench::TRunningProgram running;
    TForm1& form = running.Form1();
    form.show();
    if (argc > 1) {
        form.FDConnection1->Disconnect();  // closes the cursor too
        form.FDConnection1->SetDatabase(QString::fromLocal8Bit(argv[1]));
        form.BitBtn2Click();
    }
    const int poems = form.FDQuery1->RecordCount();
    const int repetitions = poems > 5000 ? 7 : Repetitions;
    std::printf("\n(anthology %s, %d poems)", bench::Text(form.FDConnection1->Database()).c_str(),
                poems);
    const TPlainScanner scanner(form.FDConnection1->Database(), form.FDConnection1->ConnectPragmas());

    bench::PrintRatioHeader(
        "Search: press -> hits painted and counter set (median of " + std::to_string(repetitions) + ")", "program",
        "plain scan");
    for (const TSearchCase& search : SearchCases) {
        const QString statement = SearchStatementFor(search.phrase);
        int scannedRows = 0;
        const bench::TSideBySide figure = bench::MeasureSideBySide(
            repetitions, PressSearch(form, search.phrase), {{}, [&] { scannedRows = scanner.Scan(statement); }});
        if (poems > LargestFrameJudgedPoems)
            bench::PrintRatioLine(search.name, figure, LargeScanTarget);
        else
            bench::PrintFrameLine(search.name, figure, OneFrameMs);
        std::printf("  %-34s hits %s (scan %d), counter \"%s\", rows fetched for the first screen %d\n", "",
                    bench::Text(QString::number(form.FDQuery1->RecordCount())).c_str(), scannedRows,
                    bench::Text(form.Label12->text()).c_str(), form.FDQuery1->FetchedCount());
    }

    // Where the time goes. Engine: the cursor's open (its first batch of 50
    // rows, and the count statement when that batch is not the whole result), and
    // the plain engine's cost of those two parts alone. Window: the press
    // (handler, counter, page switch), the pending events that paint the window.
    std::printf("\n== Search breakdown (median of %d)\n  %-34s %13s %13s %13s | %13s %13s\n", repetitions, "case",
                "cursor open", "plain 50 rows", "plain count", "press", "window paint");
    for (const TSearchCase& search : SearchCases) {
        const QString statement = SearchStatementFor(search.phrase);
        TFDQuery cursor;
        cursor.SetConnection(form.FDConnection1);
        cursor.ReplaceSQL(statement);
        const double openMs = bench::MeasureAlone(repetitions, {[&] { cursor.Close(); }, [&] { cursor.Open(); }});
        const QString firstScreen = statement + QStringLiteral(" LIMIT ") + QString::number(TFDQuery::FetchBatchSize);
        const double firstScreenMs = bench::MeasureAlone(repetitions, {{}, [&] { scanner.Scan(firstScreen); }});
        const double countMs = bench::MeasureAlone(repetitions, {{}, [&] { scanner.Scan(cursor.CountStatement()); }});
        std::vector<double> press, paint;
        for (int i = 0; i < repetitions; ++i) {
            PressSearch(form, search.phrase).prepare();
            press.push_back(bench::TimeOnce([&] { QTest::mouseClick(form.BitBtn1, Qt::LeftButton); }));
            paint.push_back(bench::TimeOnce([&] { bench::PaintGrid(form); }));
        }
        std::printf("  %-34s %10.3f ms %10.3f ms %10.3f ms | %10.3f ms %10.3f ms\n", search.name, openMs, firstScreenMs,
                    countMs, bench::Median(press), bench::Median(paint));
    }
    return 0;
}
