// Start-up whose extraction succeeds but whose file is no anthology: the
// later steps fail and the written file stays where it is.

#include "support/Fixtures.h"
#include "support/StartedProgram.h"

#include <QLabel>

class TStartupWithBadResourceTest : public QObject {
    Q_OBJECT

private slots:
    void aFailureAfterExtractionLeavesTheFile() {
        TScopedWorkingFolder folder;
        TStartedProgram program = StartProgram();
        QCOMPARE(program.messages, QStringList({"Adatállomány nem nyitható meg !", "Lekérdezés nem hajtható végre !"}));
        QVERIFY(TApplication::Instance()->Terminated());
        QVERIFY(!program.form1->isVisible());
        QVERIFY(ReadWholeFile(folder.File("LR_ov.db")) == ReadWholeFile(QFINDTESTDATA("not_a_database.txt")));
        QCOMPARE(program.form1->Label12->text(), QStringLiteral("0"));
    }
};

LANTOR_TEST_MAIN(TStartupWithBadResourceTest)
#include "test_startup_badresource.moc"
