// The search page: its layout, the search and reset buttons through the real
// window, the hit counter, the database-wait pointer, and a failing search.

#include "support/Fixtures.h"
#include "support/StartedProgram.h"

#include "store/TDataSource.h"
#include "store/TFDConnection.h"
#include "store/TFDQuery.h"
#include "ui/controls/Hints.h"
#include "ui/controls/TDBGrid.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <sqlite3.h>

namespace {

// The number of poems matching "%phrase%", asked of the engine directly with
// the pattern bound as a parameter: no quoting of ours involved.
int EngineCount(const QString& databasePath, const QString& phrase) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(databasePath.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, "select count(*) from tbl_Data where CIM like ?1 or DATUM like ?1 or VERS like ?1", -1,
                       &statement, nullptr);
    const QByteArray pattern = ("%" + phrase + "%").toUtf8();
    sqlite3_bind_text(statement, 1, pattern.constData(), static_cast<int>(pattern.size()), SQLITE_TRANSIENT);
    const int count = sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_int(statement, 0) : -1;
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return count;
}

}  // namespace

class TSearchPageTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TScopedWorkingFolder> v_folder;
    TStartedProgram v_program;
    QString v_copy;  // a copy of the anthology for the engine's own counts

    TForm1& Form() { return *v_program.form1; }
    TFDQuery& Cursor() { return *Form().FDQuery1; }

    void OpenSearchPage() {
        Form().Keress1->trigger();
        QCOMPARE(Form().PageControl1->currentIndex(), 1);
    }

    void Search(const QString& phrase) {
        OpenSearchPage();
        Form().Edit1->setText(phrase);
        QTest::mouseClick(Form().BitBtn1, Qt::LeftButton);
    }

private slots:
    void initTestCase() {
        v_copy = QDir::temp().filePath("lantor-search-test-copy.db");
        QFile::remove(v_copy);
        QVERIFY(QFile::copy(QStringLiteral(LANTOR_ANTHOLOGY_PATH), v_copy));
    }

    void cleanupTestCase() { QFile::remove(v_copy); }

    void init() {
        v_folder = std::make_unique<TScopedWorkingFolder>();
        v_program = StartProgram();
        QVERIFY(QTest::qWaitForWindowExposed(&Form()));
        Form().activateWindow();
        Form().DBGrid1->setFocus();
    }

    void cleanup() {
        v_program.Reset();
        v_folder.reset();
    }

    void layoutMatchesTheWindowDescription() {
        struct TPlaced {
            QWidget* control;
            QRect geometry;
        };
        const QList<TPlaced> placed{
            {Form().Edit1, {48, 99, 569, 21}},    {Form().BitBtn1, {48, 144, 569, 25}},
            {Form().Panel1, {48, 192, 569, 3}},   {Form().Panel2, {48, 336, 569, 3}},
            {Form().BitBtn2, {48, 400, 569, 25}},
        };
        for (const TPlaced& item : placed)
            QCOMPARE(item.control->geometry(), item.geometry);
        QCOMPARE(Form().Label10->pos(), QPoint(48, 80));
        QCOMPARE(Form().Label11->pos(), QPoint(48, 256));
        QCOMPARE(Form().Label12->pos(), QPoint(240, 256));
        QCOMPARE(Form().Label10->text(), QStringLiteral("Keresendő kifejezés:"));
        QCOMPARE(Form().Label11->text(), QStringLiteral("Keresés eredménye /találat/:"));
        QCOMPARE(Form().BitBtn1->text(), QStringLiteral("Keresés indítása"));
        QCOMPARE(Form().BitBtn2->text(), QStringLiteral("Korábbi keresés törlése /alaphelyzet/"));
        for (QWidget* bold : {static_cast<QWidget*>(Form().Label10), static_cast<QWidget*>(Form().Edit1),
                              static_cast<QWidget*>(Form().Label11), static_cast<QWidget*>(Form().Label12)})
            QVERIFY2(bold->font().bold(), qPrintable(bold->objectName()));
        QVERIFY(!Form().BitBtn1->font().bold());
        for (QPushButton* button : {Form().BitBtn1, Form().BitBtn2}) {
            QCOMPARE(HintOf(button), QStringLiteral("Keresés indítása !"));
            QVERIFY(!button->isDefault() && !button->autoDefault());
            const QIcon icon = button->icon();
            QVERIFY(!icon.isNull());
            const QImage normal = icon.pixmap(16, 16, QIcon::Normal).toImage();
            const QImage greyed = icon.pixmap(16, 16, QIcon::Disabled).toImage();
            QVERIFY(normal != greyed);
            QCOMPARE(normal.pixelColor(0, 15).alpha(), 0);  // the olive background is transparent
        }
        QCOMPARE(Form().Edit1->text(), QString());  // its design-time text is never seen
    }

    void tabVisitsTheFieldAndTheTwoButtons() {
        OpenSearchPage();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Form().Edit1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Form().BitBtn1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Form().BitBtn2));
    }

    void searchListsTheHits_data() {
        QTest::addColumn<QString>("phrase");
        QTest::newRow("a common word") << "a";
        QTest::newRow("a rare word") << "nefelejcs";
        QTest::newRow("an empty phrase") << "";
        QTest::newRow("an apostrophe") << "szív'";
        QTest::newRow("a lone quote") << "'";
        QTest::newRow("quotes doubled in the text") << "''";
        QTest::newRow("percent") << "%";
        QTest::newRow("underscores") << "t_v_sz";
        QTest::newRow("a leading space") << " ŐSZ";
        QTest::newRow("a trailing space") << "nyár ";
        QTest::newRow("specials") << "!&:{?\\";
        QTest::newRow("a comment marker") << "--";
        QTest::newRow("accented lower case") << "ősz";
        QTest::newRow("no hits") << "zzzqqq-nincs";
    }

    void searchListsTheHits() {
        QFETCH(QString, phrase);
        Search(phrase);
        const int expected = EngineCount(v_copy, phrase);
        QCOMPARE(Form().Label12->text(), QString::number(expected));
        QCOMPARE(Form().DBGrid1->model()->rowCount(), expected);
        QCOMPARE(Form().PageControl1->currentIndex(), 0);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Form().DBGrid1));
        QCOMPARE(Form().Edit1->text(), phrase);  // the phrase stays for the next search
        QCOMPARE(Cursor().RecNo(), expected > 0 ? 0 : -1);
        QCOMPARE(Form().Label12->size(), Form().Label12->sizeHint());
    }

    void theShippedAnthologyAnswers() {
        SKIP_UNLESS_SHIPPED_ANTHOLOGY();
        Search("");
        QCOMPARE(Form().Label12->text(), QStringLiteral("525"));
        Search("%");
        QCOMPARE(Form().Label12->text(), QStringLiteral("525"));
        Search("zzzqqq-nincs");
        QCOMPARE(Form().Label12->text(), QStringLiteral("0"));
        QCOMPARE(Form().DBGrid1->model()->rowCount(), 0);
    }

    void twoSearchesInARowEachSearchTheWholeAnthology() {
        Search("tavasz");
        Search("ősz");
        QCOMPARE(Form().Label12->text(), QString::number(EngineCount(v_copy, "ősz")));
    }

    void resetBringsBackTheFullList() {
        Search("tavasz");
        OpenSearchPage();
        QTest::mouseClick(Form().BitBtn2, Qt::LeftButton);
        QCOMPARE(Form().Edit1->text(), QString());
        QCOMPARE(Form().Label12->text(), QString::number(EngineCount(v_copy, "")));
        QCOMPARE(Form().PageControl1->currentIndex(), 0);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Form().DBGrid1));
        QCOMPARE(Cursor().RecNo(), 0);
    }

    void movingThroughTheListLeavesTheCounter() {
        Search("a");
        const QString counter = Form().Label12->text();
        QTest::keyClick(Form().DBGrid1, Qt::Key_Down);
        QTest::keyClick(Form().DBGrid1, Qt::Key_End, Qt::ControlModifier);
        Cursor().Prior();
        QCOMPARE(Form().Label12->text(), counter);
    }

    void enterInThePhraseFieldStartsNothing() {
        OpenSearchPage();
        QTest::keyClicks(Form().Edit1, "tavasz");
        QTest::keyClick(Form().Edit1, Qt::Key_Return);
        QTest::keyClick(Form().Edit1, Qt::Key_Escape);
        QCOMPARE(Form().PageControl1->currentIndex(), 1);
        QCOMPARE(Form().Label12->text(), QString::number(EngineCount(v_copy, "")));
        QCOMPARE(Form().Edit1->text(), QStringLiteral("tavasz"));
    }

    void theDatabaseWaitPointerShowsWhileTheCursorReopens() {
        QList<Qt::CursorShape> seen;
        QObject watching;  // ends the connection with this test
        QObject::connect(Form().DataSource1, &TDataSource::StateChange, &watching, [&] {
            const QCursor* pointer = QApplication::overrideCursor();
            seen.append(pointer ? pointer->shape() : Qt::ArrowCursor);
        });
        Search("tavasz");
        QCOMPARE(seen, QList<Qt::CursorShape>({Qt::BitmapCursor, Qt::BitmapCursor}));  // close, open
        QVERIFY(!QApplication::overrideCursor());
        seen.clear();
        OpenSearchPage();
        Form().BitBtn2->click();
        QCOMPARE(seen, QList<Qt::CursorShape>({Qt::BitmapCursor, Qt::BitmapCursor}));
        QVERIFY(!QApplication::overrideCursor());
    }

    void aTooLongPatternShowsTheEnginesMessageAndLeavesThePage() {
        const QString counterBefore = Form().Label12->text();
        const QString phrase(49999, QLatin1Char('x'));  // with its two "%": 50,001 bytes
        TMessageBoxAnswerer answerer;
        Search(phrase);
        QCOMPARE(answerer.Seen().size(), 1);
        const TSeenMessage& error = answerer.Seen().first();
        QCOMPARE(error.text, QStringLiteral("[LantorStore][Phys][SQLite] ERROR: LIKE or GLOB pattern too complex."));
        QCOMPARE(error.caption, QStringLiteral("test_search"));  // the program file's name
        QCOMPARE(error.icon, QMessageBox::Critical);
        QCOMPARE(error.buttons, QStringList({"OK"}));
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(Form().Label12->text(), counterBefore);
        QCOMPARE(Form().PageControl1->currentIndex(), 1);
        QCOMPARE(Form().Edit1->text(), phrase);
        QCOMPARE(Form().DBGrid1->model()->rowCount(), 0);  // the cursor was closed before the failure
        // The program goes on: a reset works.
        QTest::mouseClick(Form().BitBtn2, Qt::LeftButton);
        QCOMPARE(Form().Label12->text(), QString::number(EngineCount(v_copy, "")));
    }

    void aFailingResetKeepsThePhrase() {
        OpenSearchPage();
        Form().Edit1->setText("tavasz");
        // Taking the file away makes the reopening fail.
        Form().FDConnection1->Disconnect();
        Form().FDConnection1->SetDatabase(QDir::current().filePath("nincs/LR_ov.db"));
        TMessageBoxAnswerer answerer;
        QTest::mouseClick(Form().BitBtn2, Qt::LeftButton);
        QCOMPARE(answerer.Seen().size(), 1);
        QCOMPARE(answerer.Seen().first().text,
                 QStringLiteral("[LantorStore][Phys][SQLite] ERROR: unable to open database file."));
        QCOMPARE(Form().Edit1->text(), QStringLiteral("tavasz"));
        QCOMPARE(Form().PageControl1->currentIndex(), 1);
        QVERIFY(!QApplication::overrideCursor());
    }
};

LANTOR_TEST_MAIN(TSearchPageTest)
#include "test_search.moc"
