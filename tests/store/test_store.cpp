// The anthology store: connection settings, the poem cursor's fetching,
// record count, moves and fields, the search statement's matching, errors.

#include "support/Fixtures.h"
#include "support/TestSupport.h"

#include "store/CodePage.h"
#include "store/EmbeddedDatabase.h"
#include "store/Statements.h"
#include "store/TDataSource.h"
#include "store/TDatabaseError.h"
#include "store/TFDConnection.h"
#include "store/TFDQuery.h"

#include <QSignalSpy>

#include <iconv.h>
#include <unistd.h>

#include <sqlite3.h>

#include <memory>

namespace {

const QString TooComplex = QStringLiteral("[LantorStore][Phys][SQLite] ERROR: LIKE or GLOB pattern too complex");

// A connection and cursor over a file, as the main window wires them.
struct TStore {
    TFDConnection connection;
    TFDQuery query;
    explicit TStore(const QString& path) {
        connection.SetDatabase(path);
        query.SetConnection(&connection);
    }
    void Search(const QString& phrase) {
        query.Close();
        query.ReplaceSQL(SearchStatement(QLatin1Char('%') + phrase + QLatin1Char('%')));
        query.Open();
    }
    QVector<int> AllIds() {
        QVector<int> ids;
        query.First();
        while (!query.Eof()) {
            ids.append(query.FieldValue(QStringLiteral("AZ")).toInt());
            query.Next();
        }
        return ids;
    }
};

QString ExtractAnthology(const TScopedWorkingFolder& folder) {
    const TResourceStream stream(TResourceStream::AnthologyResourceName);
    const QString path = folder.Path() + DatabaseFileSuffix;
    WriteFileExclusively(path, stream.Bytes());
    return path;
}

QString PragmaValue(sqlite3* handle, const char* pragma) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(handle, (QByteArray("PRAGMA ") + pragma).constData(), -1, &statement, nullptr);
    QString value;
    if (sqlite3_step(statement) == SQLITE_ROW)
        value = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    sqlite3_finalize(statement);
    return value;
}

// What a case puts at the database path before the exit deletes it.
enum class TAtExit {
    OwnFile,
    LinkToFileOutside,
    LinkToNowhere,
    LinkToFolderOutside,
    HardLinkToFileOutside,
    EmptyFolder,
    Nothing
};

}  // namespace

Q_DECLARE_METATYPE(TAtExit)

class TStoreTest : public QObject {
    Q_OBJECT

private slots:
    // The total comes from the count statement only when the first batch
    // has not reached the end of the result; either way it is the total.
    void theCountStatementRunsOnlyWhenTheFirstBatchIsNotTheWholeResult_data() {
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<bool>("counted");
        QTest::newRow("no hit") << "nincs ilyen szó sehol" << false;
        QTest::newRow("fewer hits than a batch") << "könyörög" << false;
        QTest::newRow("more hits than a batch") << "szív" << true;
        QTest::newRow("every poem") << "" << true;
    }
    void theCountStatementRunsOnlyWhenTheFirstBatchIsNotTheWholeResult() {
        QFETCH(QString, phrase);
        QFETCH(bool, counted);
        TScopedWorkingFolder folder;
        TStore store(ExtractAnthology(folder));
        store.connection.Connect();
        QStringList statements;
        sqlite3_trace_v2(
            store.connection.Handle(), SQLITE_TRACE_STMT,
            [](unsigned, void* context, void* statement, void*) {
                static_cast<QStringList*>(context)->append(
                    QString::fromUtf8(sqlite3_sql(static_cast<sqlite3_stmt*>(statement))));
                return 0;
            },
            &statements);
        store.Search(phrase);
        const QStringList counts = statements.filter(QStringLiteral("SELECT COUNT(*)"));
        QCOMPARE(counts.size(), counted ? 1 : 0);
        // The total agrees with a count of the same statement's rows.
        int total = 0;
        while (store.query.EnsureFetched(total))
            ++total;
        QCOMPARE(store.query.RecordCount(), total);
        QCOMPARE(counted, total > 50);
    }

    void connectSendsTheFivePragmasInOrder() {
        TFDConnection connection;
        QCOMPARE(connection.Params(),
                 QStringList({"DriverID=SQLite", "CacheSize=500", "Database=:memory:", "JournalMode=Off"}));
        QCOMPARE(connection.ConnectPragmas(),
                 QStringList({"PRAGMA cache_size = 500", "PRAGMA locking_mode = Exclusive", "PRAGMA synchronous = Off",
                              "PRAGMA journal_mode = Off", "PRAGMA foreign_keys = On"}));
        TScopedWorkingFolder folder;
        connection.SetDatabase(ExtractAnthology(folder));
        connection.Connect();
        QCOMPARE(PragmaValue(connection.Handle(), "cache_size"), QStringLiteral("500"));
        QCOMPARE(PragmaValue(connection.Handle(), "locking_mode"), QStringLiteral("exclusive"));
        QCOMPARE(PragmaValue(connection.Handle(), "synchronous"), QStringLiteral("0"));
        QCOMPARE(PragmaValue(connection.Handle(), "journal_mode"), QStringLiteral("off"));
        QCOMPARE(PragmaValue(connection.Handle(), "foreign_keys"), QStringLiteral("1"));
    }

    void fullListCountsBeforeTheSecondBatch() {
        SKIP_UNLESS_SHIPPED_ANTHOLOGY();
        TScopedWorkingFolder folder;
        TStore store(ExtractAnthology(folder));
        store.query.Open();
        QCOMPARE(store.query.RecordCount(), 525);
        QCOMPARE(store.query.FetchedCount(), 50);
        QVERIFY(store.query.Bof());
        QVERIFY(!store.query.Eof());
        QCOMPARE(store.query.FieldValue("AZ").toInt(), 1);
    }

    void fullListRunsInAscendingIdsSkippingTheMissingOnes() {
        SKIP_UNLESS_SHIPPED_ANTHOLOGY();
        TScopedWorkingFolder folder;
        TStore store(ExtractAnthology(folder));
        store.query.Open();
        const QVector<int> ids = store.AllIds();
        const QSet<int> missing{100, 111, 117, 149, 155, 156, 157, 158, 159, 240, 324, 325, 418, 443, 501, 504};
        QVector<int> expected;
        for (int az = 1; az <= 541; ++az) {
            if (!missing.contains(az))
                expected.append(az);
        }
        QCOMPARE(ids, expected);
        QCOMPARE(store.query.FetchedCount(), 525);
        QVERIFY(store.query.AllFetched());
    }

    // 120 rows: two full batches and a short third one.
    void fetchesFiftyRowsABatchAsTheMovesNeedThem() {
        TScopedWorkingFolder folder;
        const QString path = folder.File("fixture.db");
        QVector<TPoemRow> rows;
        for (int az = 1; az <= 120; ++az)
            rows.append({QStringLiteral("CÍM %1").arg(az), QStringLiteral("vers"), QStringLiteral("1920"), az});
        WriteFixtureDatabase(path, rows);
        TStore store(path);
        store.query.Open();
        QCOMPARE(store.query.RecordCount(), 120);
        QCOMPARE(store.query.FetchedCount(), 50);
        QCOMPARE(store.query.MoveBy(49), 49);  // the last fetched row: nothing more is needed yet
        QCOMPARE(store.query.FetchedCount(), 50);
        store.query.Next();  // one past it: the second batch
        QCOMPARE(store.query.RecNo(), 50);
        QCOMPARE(store.query.FieldValue("AZ").toInt(), 51);
        QCOMPARE(store.query.FetchedCount(), 100);
        QVERIFY(!store.query.AllFetched());
        QCOMPARE(store.query.FetchMore(), 20);  // what is left of the result
        QCOMPARE(store.query.FetchedCount(), 120);
        QVERIFY(store.query.AllFetched());
        QCOMPARE(store.query.FetchMore(), 0);

        // Going to the last row fetches everything at once.
        store.query.Close();
        store.query.Open();
        QCOMPARE(store.query.FetchedCount(), 50);
        store.query.Last();
        QCOMPARE(store.query.FetchedCount(), 120);
        QCOMPARE(store.query.RecNo(), 119);
        QCOMPARE(store.query.FieldValue("AZ").toInt(), 120);
        QVERIFY(store.query.AllFetched());
    }

    void fieldsHaveTheirKindsFromTheDeclaredTypes() {
        TScopedWorkingFolder folder;
        TStore store(ExtractAnthology(folder));
        store.query.Open();
        const QVector<TFieldDef>& fields = store.query.Fields();
        QCOMPARE(fields.size(), 5);
        const QList<std::tuple<QString, TFieldKind, int>> expected{{"CIM", TFieldKind::AnsiString, 1200},
                                                                   {"VERS", TFieldKind::WideMemo, 0},
                                                                   {"DATUM", TFieldKind::FixedAnsiString, 150},
                                                                   {"FOTO", TFieldKind::Blob, 0},
                                                                   {"AZ", TFieldKind::Integer, 0}};
        for (int i = 0; i < fields.size(); ++i) {
            QCOMPARE(fields.at(i).name, std::get<0>(expected.at(i)));
            QCOMPARE(fields.at(i).kind, std::get<1>(expected.at(i)));
            QCOMPARE(fields.at(i).width, std::get<2>(expected.at(i)));
        }
        QVERIFY(store.query.FieldValue("FOTO").isNull());
    }

    // The width of a text field is the first "(n)" of its declared type.
    void textFieldWidthsComeFromTheFirstNumberInParentheses_data() {
        QTest::addColumn<QString>("declared");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("width");
        const int varying = static_cast<int>(TFieldKind::AnsiString);
        const int fixed = static_cast<int>(TFieldKind::FixedAnsiString);
        QTest::newRow("plain") << "VARCHAR(1200)" << varying << 1200;
        QTest::newRow("lower case") << "varchar(30)" << varying << 30;
        QTest::newRow("blanks inside") << "CHAR ( 7 )" << fixed << 7;
        QTest::newRow("no width") << "CHAR" << fixed << 255;
        QTest::newRow("words before the width") << "CHAR VARYING NATIONAL(24)" << fixed << 24;
        QTest::newRow("two numbers are no width") << "VARCHAR(10, 2)" << varying << 255;
        QTest::newRow("a signed number is no width") << "VARCHAR(+30)" << varying << 255;
        QTest::newRow("a number type has no width") << "INTEGER(8)" << static_cast<int>(TFieldKind::Integer) << 0;
    }

    void textFieldWidthsComeFromTheFirstNumberInParentheses() {
        QFETCH(QString, declared);
        QFETCH(int, kind);
        QFETCH(int, width);
        TScopedWorkingFolder folder;
        const QString path = folder.File("types.db");
        sqlite3* db = nullptr;
        QCOMPARE(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
        const QByteArray schema = QStringLiteral("CREATE TABLE tbl_Data (F %1); INSERT INTO tbl_Data VALUES ('x');")
                                      .arg(declared)
                                      .toUtf8();
        const int created = sqlite3_exec(db, schema.constData(), nullptr, nullptr, nullptr);
        sqlite3_close(db);
        QCOMPARE(created, SQLITE_OK);
        TStore store(path);
        store.query.Open();
        QCOMPARE(store.query.Fields().size(), 1);
        QCOMPARE(static_cast<int>(store.query.Fields().at(0).kind), kind);
        QCOMPARE(store.query.Fields().at(0).width, width);
    }

    void textFieldsLoseTrailingControlsAndTitlesPassTheCodePage() {
        TScopedWorkingFolder folder;
        const QString path = folder.File("fixture.db");
        WriteFixtureDatabase(path,
                             {{" CÍM Ő\t \r\n", "első sor\r\nŐsz ŰR я\n\n", "1931. ősze  ", 1}, {"Ещё", "", "", 2}});
        TStore store(path);
        store.query.Open();
        QCOMPARE(store.query.FieldAsString("CIM"), QStringLiteral(" CÍM Ő"));
        QCOMPARE(store.query.FieldAsString("VERS"), QStringLiteral("első sor\r\nŐsz ŰR я"));
        QCOMPARE(store.query.FieldAsString("DATUM"), QStringLiteral("1931. ősze"));
        store.query.Next();
        // Cyrillic has no place in the Central European code page: the title
        // loses it; an empty text stays an empty text, not a null.
        QCOMPARE(store.query.FieldAsString("CIM"), QStringLiteral("???"));
        QVERIFY(!store.query.FieldValue("VERS").isNull());
        QCOMPARE(store.query.FieldAsString("VERS"), QString());
    }

    // Every code point of the Basic Multilingual Plane, against the C
    // library's own table of code page 1250: what it can encode and decode
    // back unchanged passes, everything else becomes "?".
    void theCodePageKeepsExactlyWhatCodePage1250Encodes() {
        iconv_t toCodePage = iconv_open("CP1250", "UTF-16LE");
        QVERIFY2(toCodePage != reinterpret_cast<iconv_t>(-1), "the C library has no CP1250 conversion");
        QString mismatches;
        int kept = 0;
        for (char32_t code = 1; code < 0x10000; ++code) {
            if (code >= 0xD800 && code < 0xE000)
                continue;  // surrogates are no characters
            char16_t in = static_cast<char16_t>(code);
            char out[4] = {};
            char* inPtr = reinterpret_cast<char*>(&in);
            size_t inLeft = sizeof in;
            char* outPtr = out;
            size_t outLeft = sizeof out;
            const bool encodes = iconv(toCodePage, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1) &&
                                 sizeof out - outLeft == 1;
            iconv(toCodePage, nullptr, nullptr, nullptr, nullptr);
            const QString character(QChar(static_cast<char16_t>(code)));
            const QString expected = encodes ? character : QStringLiteral("?");
            if (ToSystemCodePage(character) != expected && mismatches.size() < 200)
                mismatches += QStringLiteral("U+%1 ").arg(static_cast<uint>(code), 4, 16, QLatin1Char('0'));
            kept += encodes;
        }
        iconv_close(toCodePage);
        QVERIFY2(mismatches.isEmpty(), qPrintable(mismatches));
        QCOMPARE(kept, 127 + 123);  // ASCII without NUL, and the upper half less its five holes
        QCOMPARE(ToSystemCodePage(QStringLiteral("Ő\U0001F339ű")), QStringLiteral("Ő?ű"));
    }

    void searchMatchesAsTheEngineDoes_data() {
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<QVector<int>>("expected");
        // Fixture rows: 1 "TAVASZ", 2 "ŐSZI ESTE", 3 "Őszi dal", 4 apostrophe, 5 "50%", 6 specials.
        QTest::newRow("empty phrase matches every row") << "" << QVector<int>{1, 2, 3, 4, 5, 6};
        QTest::newRow("percent is a wildcard") << "%" << QVector<int>{1, 2, 3, 4, 5, 6};
        QTest::newRow("underscore is one character") << "t_vasz" << QVector<int>{1};
        QTest::newRow("A-Z folds case") << "tavasz" << QVector<int>{1};
        QTest::newRow("accented lower does not match capital") << "őszi" << QVector<int>{};
        QTest::newRow("accented capital matches itself, A-Z fold") << "Őszi" << QVector<int>{2, 3};
        QTest::newRow("apostrophe is searched as typed") << "szív'" << QVector<int>{4};
        QTest::newRow("lone quote") << "'" << QVector<int>{4};
        QTest::newRow("specials are literal") << "!&:{?\\" << QVector<int>{6};
        QTest::newRow("comment markers are literal") << "--/*" << QVector<int>{6};
        QTest::newRow("trailing space: only followed by a space") << "fán " << QVector<int>{};
        QTest::newRow("trailing space: found where a space follows") << "dal " << QVector<int>{3};
        QTest::newRow("leading space belongs to the phrase") << " dal" << QVector<int>{3};
        QTest::newRow("no phrase spans a line break") << "sor második" << QVector<int>{};
        QTest::newRow("a line break in the phrase") << "sor\nmásodik" << QVector<int>{2};
        QTest::newRow("date field is searched") << "1931" << QVector<int>{5};
        QTest::newRow("nothing matches") << "zzqq" << QVector<int>{};
    }

    void searchMatchesAsTheEngineDoes() {
        QFETCH(QString, phrase);
        QFETCH(QVector<int>, expected);
        TScopedWorkingFolder folder;
        const QString path = folder.File("fixture.db");
        WriteFixtureDatabase(path, {{"TAVASZ", "Tavasz van.", "1920", 1},
                                    {"ŐSZI ESTE", "első sor\nmásodik sor", "1921", 2},
                                    {"Őszi dal", "Őszi dal a fán", "1922", 3},
                                    {"SZÍV", "A szív' dobog", "1923", 4},
                                    {"SZÁZALÉK", "50% esély", "1931", 5},
                                    {"JELEK", "ez !&:{?\\ és --/* meg", "1924", 6}});
        TStore store(path);
        store.Search(phrase);
        QCOMPARE(store.query.RecordCount(), expected.size());
        QCOMPARE(store.AllIds(), expected);
    }

    void searchInTheShippedAnthology_data() {
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<int>("hits");
        QTest::newRow("empty") << "" << 525;
        QTest::newRow("percent") << "%" << 525;
        QTest::newRow("underscore") << "_" << 525;
        QTest::newRow("quote, found nowhere") << "'" << 0;
        QTest::newRow("no hits") << "zzzqqq" << 0;
    }

    void searchInTheShippedAnthology() {
        SKIP_UNLESS_SHIPPED_ANTHOLOGY();
        QFETCH(QString, phrase);
        QFETCH(int, hits);
        TScopedWorkingFolder folder;
        TStore store(ExtractAnthology(folder));
        store.Search(phrase);
        QCOMPARE(store.query.RecordCount(), hits);
        QCOMPARE(store.query.IsEmpty(), hits == 0);
    }

    void lowerCaseWordFindsCapitalTitlesButAccentedDoesNot() {
        SKIP_UNLESS_SHIPPED_ANTHOLOGY();
        TScopedWorkingFolder folder;
        TStore store(ExtractAnthology(folder));
        // "tavasz" is in capital titles; the titles match through A-Z folding.
        store.Search("tavasz");
        QCOMPARE(store.query.RecordCount(), 41);
        int capitalTitles = 0;
        for (store.query.First(); !store.query.Eof(); store.query.Next())
            capitalTitles += store.query.FieldAsString("CIM").contains("TAVASZ");
        QCOMPARE(capitalTitles, 12);  // every title of the anthology with "TAVASZ"
        // "ősz" never matches the capital "ŐSZ" of a title: every hit holds
        // the lower-case word somewhere, and the five poems that have "ŐSZ"
        // in their title only are not among the hits.
        store.Search("ősz");
        QCOMPARE(store.query.RecordCount(), 95);
        for (store.query.First(); !store.query.Eof(); store.query.Next()) {
            const bool lowerSomewhere = store.query.FieldAsString("VERS").contains("ősz") ||
                                        store.query.FieldAsString("DATUM").contains("ősz") ||
                                        store.query.FieldAsString("CIM").contains("ősz");
            QVERIFY2(lowerSomewhere, qPrintable(store.query.FieldAsString("CIM")));
        }
    }

    void emptyResultHasNoCurrentRowAndBothMarks() {
        TScopedWorkingFolder folder;
        TStore store(ExtractAnthology(folder));
        store.Search("zzzqqq-nincs-ilyen");
        QVERIFY(store.query.Active());
        QCOMPARE(store.query.RecordCount(), 0);
        QCOMPARE(store.query.RecNo(), -1);
        QVERIFY(store.query.Bof() && store.query.Eof());
        QVERIFY(store.query.FieldValue("CIM").isNull());
        QCOMPARE(store.query.MoveBy(1), 0);
        store.query.Last();
        QVERIFY(store.query.Bof() && store.query.Eof());
    }

    void patternLimitIsFiftyThousandBytes() {
        TScopedWorkingFolder folder;
        TStore store(ExtractAnthology(folder));
        // 49,998 bytes of phrase + the two "%" = exactly the limit: accepted.
        store.Search(QString(49998, QLatin1Char('x')));
        QCOMPARE(store.query.RecordCount(), 0);
        // Accented letters count two bytes each: 25,000 of them pass it.
        try {
            store.Search(QString(25000, QChar(0x00E9)));
            QFAIL("a pattern over 50,000 bytes was accepted");
        } catch (const EDatabaseError& error) {
            QCOMPARE(error.Text(), TooComplex);
        }
        QVERIFY(!store.query.Active());
        QCOMPARE(store.query.RecordCount(), 0);
    }

    void movesFollowTheBrowseRules() {
        TScopedWorkingFolder folder;
        const QString path = folder.File("fixture.db");
        WriteFixtureDatabase(path, {{"A", "a", "1920", 1}, {"B", "b", "1921", 2}, {"C", "c", "1922", 3}});
        TStore store(path);
        store.query.Open();
        auto state = [&] { return std::make_tuple(store.query.RecNo(), store.query.Bof(), store.query.Eof()); };
        QCOMPARE(state(), std::make_tuple(0, true, false));
        store.query.Prior();  // towards a mark that is set: nothing at all
        QCOMPARE(state(), std::make_tuple(0, true, false));
        store.query.Next();
        QCOMPARE(state(), std::make_tuple(1, false, false));
        store.query.Next();  // the last row reached step by step: no mark yet
        QCOMPARE(state(), std::make_tuple(2, false, false));
        store.query.Next();  // runs out: the row stays, Eof is set
        QCOMPARE(state(), std::make_tuple(2, false, true));
        store.query.Next();
        QCOMPARE(state(), std::make_tuple(2, false, true));
        store.query.Prior();
        QCOMPARE(state(), std::make_tuple(1, false, false));
        QCOMPARE(store.query.MoveBy(-5), -1);  // stops on the first row it reached
        QCOMPARE(state(), std::make_tuple(0, true, false));
        store.query.Last();
        QCOMPARE(state(), std::make_tuple(2, false, true));
        store.query.First();
        QCOMPARE(state(), std::make_tuple(0, true, false));
        QCOMPARE(store.query.MoveBy(7), 2);
        QCOMPARE(state(), std::make_tuple(2, false, true));
    }

    void oneRowList() {
        TScopedWorkingFolder folder;
        const QString path = folder.File("fixture.db");
        WriteFixtureDatabase(path, {{"EGY", "egy", "1920", 7}});
        TStore store(path);
        store.query.Open();
        QVERIFY(store.query.Bof() && !store.query.Eof());
        store.query.Next();
        QCOMPARE(store.query.RecNo(), 0);
        QVERIFY(!store.query.Bof() && store.query.Eof());
        store.query.Prior();
        QCOMPARE(store.query.RecNo(), 0);
        QVERIFY(store.query.Bof() && !store.query.Eof());
    }

    void dataSourceTellsItsObservers() {
        TScopedWorkingFolder folder;
        TStore store(ExtractAnthology(folder));
        TDataSource source;
        source.SetDataSet(&store.query);
        QSignalSpy state(&source, &TDataSource::StateChange);
        QSignalSpy data(&source, &TDataSource::DataChange);
        store.query.Open();
        QCOMPARE(state.count(), 1);
        data.clear();
        store.query.Next();
        QCOMPARE(data.count(), 1);
        store.query.Close();
        QCOMPARE(state.count(), 2);
    }

    void reopeningStartsFromTheFirstRow() {
        TScopedWorkingFolder folder;
        TStore store(ExtractAnthology(folder));
        store.query.Open();
        store.query.Last();
        store.query.Close();
        QCOMPARE(store.query.RecordCount(), 0);
        QVERIFY(!store.query.Active());
        store.query.Open();
        QCOMPARE(store.query.RecNo(), 0);
        QVERIFY(store.query.Bof());
        QCOMPARE(store.query.FetchedCount(), qMin(store.query.RecordCount(), 50));
    }

    void openingWhileDisconnectedConnectsFirst() {
        TScopedWorkingFolder folder;
        TStore store(ExtractAnthology(folder));
        QVERIFY(!store.connection.Connected());
        store.query.Open();
        QVERIFY(store.connection.Connected());
        store.connection.Disconnect();
        QVERIFY(!store.query.Active());  // disconnecting closes the cursor first
        store.query.Open();
        QVERIFY(store.query.Active());
    }

    void pathWithoutTheFileConnectsButCannotOpen() {
        TScopedWorkingFolder folder;
        const QString path = folder.File("LR_ov.db");
        TStore store(path);
        store.connection.Connect();
        QVERIFY(QFile::exists(path));
        QCOMPARE(QFileInfo(path).size(), 0);
        try {
            store.query.Open();
            QFAIL("opening a cursor over an empty file succeeded");
        } catch (const EDatabaseError& error) {
            QCOMPARE(error.Text(), QStringLiteral("[LantorStore][Phys][SQLite] ERROR: no such table: tbl_Data"));
        }
        QVERIFY(!store.query.Active());
        QCOMPARE(store.query.RecordCount(), 0);
    }

    // A link put at the path after the start-up's file test: the engine
    // refuses it rather than open the file it leads to, outside the folder.
    void connectRefusesASymbolicLink() {
        TScopedWorkingFolder elsewhere;
        const QString anthology = ExtractAnthology(elsewhere);
        TScopedWorkingFolder folder;
        const QString link = folder.File("LR_ov.db");
        QVERIFY(QFile::link(anthology, link));
        TStore store(link);
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, store.connection.Connect());
        QVERIFY(!store.connection.Connected());
        QVERIFY(QFileInfo(link).isSymLink());
    }

    void folderThatDoesNotExistFailsToConnect() {
        TScopedWorkingFolder folder;
        TStore store(folder.File("nincs/LR_ov.db"));
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, store.connection.Connect());
        QVERIFY(!store.connection.Connected());
    }

    void quotingDoublesSingleQuotes() {
        QCOMPARE(QuotedStr("a'b''c"), QStringLiteral("'a''b''''c'"));
        QCOMPARE(SearchStatement("%x%"),
                 QStringLiteral("Select * FROM tbl_Data WHERE CIM like '%x%' or DATUM like '%x%' or VERS like '%x%'"));
        TFDQuery query;
        query.ReplaceSQL("Select 1");
        QCOMPARE(query.CountStatement(), QStringLiteral("SELECT COUNT(*) FROM (\r\nSelect 1\r\n) A"));
    }

    // The embedded resource and its extraction.

    void embeddedResourceYieldsTheAssetBytes() {
        const TResourceStream stream(QStringLiteral("resource_1"));  // names match without regard to case
        const QByteArray asset = ReadWholeFile(QStringLiteral(LANTOR_ANTHOLOGY_PATH));
        QVERIFY(!asset.isEmpty());
        QVERIFY(stream.Bytes() == QByteArrayView(asset));
        if (ShippedAnthologyEmbedded())
            QCOMPARE(stream.Bytes().size(), 540672);
    }

    void extractionReplacesALongerFileExactly() {
        TScopedWorkingFolder folder;
        const QString path = folder.Path() + DatabaseFileSuffix;
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write(QByteArray(2 * 1024 * 1024, 'x'));
        }
        const TResourceStream stream(TResourceStream::AnthologyResourceName);
        WriteFileExclusively(path, stream.Bytes());
        QVERIFY(ReadWholeFile(path) == QByteArray(stream.Bytes().data(), stream.Bytes().size()));
    }

    void extractionNeverTouchesAFileTheEngineHolds() {
        TScopedWorkingFolder folder;
        const QString path = ExtractAnthology(folder);
        const QByteArray before = ReadWholeFile(path);
        TStore holder(path);
        holder.query.Open();  // the engine now holds its lock on the file
        QVERIFY_THROWS_EXCEPTION(EFileWriteError, WriteFileExclusively(path, QByteArrayView("short")));
        QVERIFY(ReadWholeFile(path) == before);
        holder.query.Next();  // and the holder goes on reading an intact file
        QCOMPARE(holder.query.RecNo(), 1);
    }

    // The exit removes the name in the working folder and nothing else: what
    // a link leads to, another name of the file and a folder all stay.
    void exitDeletionRemovesTheNameOnly_data() {
        QTest::addColumn<TAtExit>("kind");
        QTest::addColumn<bool>("removed");
        QTest::newRow("the program's own file") << TAtExit::OwnFile << true;
        QTest::newRow("symbolic link to a file outside") << TAtExit::LinkToFileOutside << true;
        QTest::newRow("symbolic link to nowhere") << TAtExit::LinkToNowhere << true;
        QTest::newRow("symbolic link to a folder outside") << TAtExit::LinkToFolderOutside << true;
        QTest::newRow("hard link to a file outside") << TAtExit::HardLinkToFileOutside << true;
        QTest::newRow("empty folder") << TAtExit::EmptyFolder << false;
        QTest::newRow("nothing") << TAtExit::Nothing << false;
    }

    void exitDeletionRemovesTheNameOnly() {
        QFETCH(TAtExit, kind);
        QFETCH(bool, removed);
        QTemporaryDir outside;
        const QString victim = outside.filePath(QStringLiteral("victim"));
        const QString folderOutside = outside.filePath(QStringLiteral("folder"));
        QVERIFY(QDir(outside.path()).mkdir(QStringLiteral("folder")));
        {
            QFile file(victim);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("precious\n");
        }
        TScopedWorkingFolder folder;
        const QString path = folder.Path() + DatabaseFileSuffix;
        switch (kind) {
        case TAtExit::OwnFile:
            ExtractAnthology(folder);
            break;
        case TAtExit::LinkToFileOutside:
            QVERIFY(QFile::link(victim, path));
            break;
        case TAtExit::LinkToNowhere:
            QVERIFY(QFile::link(outside.filePath(QStringLiteral("missing")), path));
            break;
        case TAtExit::LinkToFolderOutside:
            QVERIFY(QFile::link(folderOutside, path));
            break;
        case TAtExit::HardLinkToFileOutside:
            QVERIFY(::link(QFile::encodeName(victim).constData(), QFile::encodeName(path).constData()) == 0);
            break;
        case TAtExit::EmptyFolder:
            QVERIFY(QDir(folder.Path()).mkdir(QStringLiteral("LR_ov.db")));
            break;
        case TAtExit::Nothing:
            break;
        }

        QCOMPARE(DeleteDatabaseFile(path), removed);
        const QFileInfo left(path);
        QCOMPARE(left.exists() || left.isSymLink(), kind == TAtExit::EmptyFolder);
        QCOMPARE(ReadWholeFile(victim), QByteArray("precious\n"));
        QVERIFY(QFileInfo(folderOutside).isDir());
        QCOMPARE(QDir(outside.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
                 QStringList({"folder", "victim"}));
    }

    void extractionFailsWhereNoFileCanBeCreated() {
        TScopedWorkingFolder folder;
        QDir(folder.Path()).mkdir("LR_ov.db");  // a folder stands where the file should
        QVERIFY_THROWS_EXCEPTION(EFileWriteError, WriteFileExclusively(folder.Path() + DatabaseFileSuffix, "x"));
        QVERIFY(!FileExists(folder.Path() + DatabaseFileSuffix));
    }
};

LANTOR_TEST_MAIN(TStoreTest)
#include "test_store.moc"
