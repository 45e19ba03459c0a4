// The program's words and fonts on a system that has neither: Qt's
// translations point at an empty folder (a qt.conf compiled into this test)
// and the font configuration lists no font at all. The exit question still
// says "Igen" and "Nem", and every window still writes in the program's Tahoma.

#include "support/StartedProgram.h"

#include "app/Dialogs.h"
#include "app/FontFaces.h"
#include "ui/controls/Fonts.h"
#include "ui/controls/TDBGrid.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QLibraryInfo>

class TSelfContainedTest : public QObject {
    Q_OBJECT

private slots:
    void theSystemHasNeitherTranslationsNorFonts() {
        QCOMPARE(QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                 QStringLiteral("/nonexistent/lantor-test/translations"));
        QStringList systemFamilies = QFontDatabase::families();
        systemFamilies.removeAll(ProgramTahomaFamily);
        // The font configuration's generic names stand for no face here.
        for (const char* generic : {"Monospace", "Sans Serif", "Serif"})
            systemFamilies.removeAll(QString::fromLatin1(generic));
        QVERIFY2(systemFamilies.isEmpty(), qPrintable(systemFamilies.join(QStringLiteral(", "))));
    }

    void theExitQuestionIsHungarian() {
        TMessageBoxAnswerer answerer(TMessageBoxAnswerer::Always(QMessageBox::No));
        QVERIFY(!AskExitQuestion());
        QCOMPARE(answerer.Seen().size(), 1);
        QCOMPARE(answerer.Seen().first().buttons, (QStringList{QStringLiteral("&Igen"), QStringLiteral("&Nem")}));
    }

    void theWindowsWriteInTheProgramsTahoma_data() {
        QTest::addColumn<int>("style");
        QTest::newRow("regular") << int(TFontStyle::Regular);
        QTest::newRow("bold") << int(TFontStyle::Bold);
        QTest::newRow("bold italic") << int(TFontStyle::BoldItalic);
    }
    void theWindowsWriteInTheProgramsTahoma() {
        QFETCH(int, style);
        const QFont font = TahomaFont(16, TFontStyle(style));
        const QFontInfo shown(font);
        QCOMPARE(shown.family(), ProgramTahomaFamily);
        QCOMPARE(shown.bold(), font.bold());
        QCOMPARE(shown.pixelSize(), 16);
        QCOMPARE(QApplication::font().family(), ProgramTahomaFamily);
    }

    void aStartedProgramShowsItsWindowsInIt() {
        TScopedWorkingFolder folder;
        const TStartedProgram program = StartProgram();
        QCOMPARE(program.messages, QStringList());
        QCOMPARE(QFontInfo(program.form2->Label1->font()).family(), ProgramTahomaFamily);
        QCOMPARE(QFontInfo(program.form1->DBGrid1->font()).family(), ProgramTahomaFamily);
    }
};

LANTOR_TEST_MAIN(TSelfContainedTest)
#include "test_startup_selfcontained.moc"
