// Start-up in a program file that holds no anthology resource.

#include "support/Fixtures.h"
#include "support/StartedProgram.h"

#include "store/TFDQuery.h"

#include <QLabel>

class TStartupWithoutResourceTest : public QObject {
    Q_OBJECT

private slots:
    void missingResourceReportsBothStepsAndUsesTheFileThere() {
        TScopedWorkingFolder folder;
        // A file of that name is already there: the later steps work on it.
        WriteFixtureDatabase(folder.File("LR_ov.db"), {{"EGY", "egy", "1920", 1}, {"KETTŐ", "kettő", "1921", 2}});
        const QByteArray before = ReadWholeFile(folder.File("LR_ov.db"));

        TStartedProgram program = StartProgram();
        QCOMPARE(program.messages, QStringList({"Hiba történt - 1 !", "Hiba történt - 2 !"}));
        QVERIFY(TApplication::Instance()->Terminated());
        QVERIFY(ReadWholeFile(folder.File("LR_ov.db")) == before);  // never emptied
        QCOMPARE(program.form1->Label12->text(), QStringLiteral("2"));
    }

    void missingResourceAndNoFile() {
        TScopedWorkingFolder folder;
        TStartedProgram program = StartProgram();
        QCOMPARE(program.messages, QStringList({"Hiba történt - 1 !", "Hiba történt - 2 !",
                                                "Nem található az adatállomány !", "Lekérdezés nem hajtható végre !"}));
        QVERIFY(!QFile::exists(folder.File("LR_ov.db")));
        QCOMPARE(program.form1->Label12->text(), QStringLiteral("0"));
    }
};

LANTOR_TEST_MAIN(TStartupWithoutResourceTest)
#include "test_startup_noresource.moc"
