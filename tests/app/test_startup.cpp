// Start-up and shutdown with real files in temporary folders.

#include "support/Fixtures.h"
#include "support/StartedProgram.h"

#include "app/Dialogs.h"
#include "store/EmbeddedDatabase.h"
#include "store/TFDConnection.h"
#include "store/TFDQuery.h"
#include "ui/controls/TStatusBar.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QTabWidget>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <cstring>

namespace {

QByteArray EmbeddedBytes() {
    const TResourceStream stream(TResourceStream::AnthologyResourceName);
    return QByteArray(stream.Bytes().data(), stream.Bytes().size());
}

// True when some process holds a lock on the file that an exclusive lock
// would conflict with.
bool FileIsLockedByOther(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct flock probe {};
    probe.l_type = F_WRLCK;
    probe.l_whence = SEEK_SET;
    const bool locked = ::fcntl(fd, F_OFD_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
    ::close(fd);
    return locked;
}

enum class TExitPath { CloseWindow, MenuExit };
enum class TAnswer { Yes, No };

// What a case puts at the database path in place of a file of the program's own.
enum class TStandIn { LinkToFileOutside, LinkToNowhere, HardLinkToFileOutside, Fifo, Socket };

const QByteArray Precious = QByteArrayLiteral("precious\n");

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool BindSocket(const QString& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray native = QFile::encodeName(path);
    if (native.size() >= static_cast<qsizetype>(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, native.constData(), native.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound = fd >= 0 && ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    if (fd >= 0)
        ::close(fd);  // the socket's name stays in the folder
    return bound;
}

// Puts `kind` at `path`; links lead to `victim`, a path in another folder.
bool PlaceStandIn(TStandIn kind, const QString& path, const QString& victim) {
    const QByteArray native = QFile::encodeName(path);
    const QByteArray target = QFile::encodeName(victim);
    switch (kind) {
    case TStandIn::LinkToFileOutside:
        return WriteFile(victim, Precious) && ::symlink(target.constData(), native.constData()) == 0;
    case TStandIn::LinkToNowhere:
        return ::symlink(target.constData(), native.constData()) == 0;
    case TStandIn::HardLinkToFileOutside:
        return WriteFile(victim, Precious) && ::link(target.constData(), native.constData()) == 0;
    case TStandIn::Fifo:
        return ::mkfifo(native.constData(), 0644) == 0;
    case TStandIn::Socket:
        return BindSocket(path);
    }
    return false;
}

// The kind and inode of what stands at `path`, the link itself for a link.
QPair<mode_t, ino_t> Identity(const QString& path) {
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return {0, 0};
    return {status.st_mode & S_IFMT, status.st_ino};
}

}  // namespace

Q_DECLARE_METATYPE(TExitPath)
Q_DECLARE_METATYPE(TAnswer)
Q_DECLARE_METATYPE(TStandIn)

class TStartupTest : public QObject {
    Q_OBJECT

private slots:
    void goodStartListsEveryPoem() {
        TScopedWorkingFolder folder;
        TStartedProgram program = StartProgram();
        TForm1& form = *program.form1;
        QCOMPARE(program.messages, QStringList());
        QVERIFY(!TApplication::Instance()->Terminated());
        QVERIFY(form.isVisible());
        QCOMPARE(form.v_prdir, folder.Path());
        QCOMPARE(form.FDConnection1->Database(), folder.Path() + "/LR_ov.db");
        QVERIFY(ReadWholeFile(folder.File("LR_ov.db")) == EmbeddedBytes());
        QVERIFY(form.FDQuery1->Active());
        QCOMPARE(form.Label12->text(), QString::number(form.FDQuery1->RecordCount()));
        if (ShippedAnthologyEmbedded())
            QCOMPARE(form.Label12->text(), QStringLiteral("525"));
        QCOMPARE(form.Edit1->text(), QString());
        QCOMPARE(form.PageControl1->currentIndex(), 0);
    }

    // Whatever the working folder is called, the file goes into it, the engine
    // opens it there, and the exit deletes it from there.
    void anyFolderNameWorks_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("accented letters") << QStringLiteral("Versek és írások ŐŰ őű");
        QTest::newRow("quotes and blanks") << QStringLiteral(" it's \"mine\" ");
        QTest::newRow("characters of web addresses") << QStringLiteral("%20 ? # & = ;");
        QTest::newRow("looks like an engine address") << QStringLiteral("file:x.db?mode=ro");
        QTest::newRow("backslash and line break") << QStringLiteral("a\\b\nc");
        QTest::newRow("long path") << QStringList(4, QString(40, QChar(0x0151))).join(QLatin1Char('/'));
    }

    void anyFolderNameWorks() {
        QFETCH(QString, name);
        QTemporaryDir parent;
        QVERIFY(QDir(parent.path()).mkpath(name));
        TScopedWorkingFolder folder(parent.path() + QLatin1Char('/') + name);
        {
            TStartedProgram program = StartProgram();
            TForm1& form = *program.form1;
            QCOMPARE(program.messages, QStringList());
            QVERIFY(ReadWholeFile(folder.File("LR_ov.db")) == EmbeddedBytes());
            QVERIFY(form.FDQuery1->Active());
            QVERIFY(form.FDQuery1->RecordCount() > 0);
            QCOMPARE(form.Label12->text(), QString::number(form.FDQuery1->RecordCount()));

            TMessageBoxAnswerer answerer(TMessageBoxAnswerer::Always(QMessageBox::Yes));
            form.close();
            QCOMPARE(answerer.Texts().size(), 1);
            QVERIFY(!QFile::exists(folder.File("LR_ov.db")));
        }
        // Nothing else was written anywhere beside it.
        QCOMPARE(QDir(folder.Path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    }

    // The engine takes file names of up to about 500 bytes. In a deeper
    // folder the file is written but cannot be opened: the start says so and
    // ends, as with any file the engine cannot open.
    void aFolderTooDeepForTheEngineEndsTheProgram() {
        QTemporaryDir parent;
        const QString deep = parent.path() + QLatin1Char('/') + QStringList(6, QString(50, QChar(0x0151))).join('/');
        QVERIFY(QDir(parent.path()).mkpath(deep));
        QVERIFY(QFile::encodeName(deep).size() > 600);
        TScopedWorkingFolder folder(deep);
        TStartedProgram program = StartProgram();
        QCOMPARE(program.messages, QStringList({"Adatállomány nem nyitható meg !", "Lekérdezés nem hajtható végre !"}));
        QVERIFY(TApplication::Instance()->Terminated());
        QVERIFY(!program.form1->isVisible());
        QVERIFY(!program.form1->FDConnection1->Connected());
        QCOMPARE(program.form1->Label12->text(), QStringLiteral("0"));
    }

    void anOldLongerFileIsReplacedByTheAnthology() {
        TScopedWorkingFolder folder;
        {
            QFile old(folder.File("LR_ov.db"));
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write(QByteArray(3 * 540672, '\x5a'));
        }
        TStartedProgram program = StartProgram();
        QCOMPARE(program.messages, QStringList());
        QVERIFY(ReadWholeFile(folder.File("LR_ov.db")) == EmbeddedBytes());
    }

    void showingAgainDoesNotStartAgain() {
        TScopedWorkingFolder folder;
        TStartedProgram program = StartProgram();
        program.form1->FDQuery1->Next();
        program.form1->showMinimized();
        program.form1->showNormal();
        QCOMPARE(program.form1->FDQuery1->RecNo(), 1);
    }

    void anUnwritableFolderEndsTheProgram() {
        // Nobody, root included, can create a file in /proc.
        TScopedWorkingFolder folder(QStringLiteral("/proc"));
        TStartedProgram program = StartProgram();
        QCOMPARE(program.messages, QStringList({"Hiba történt - 2 !", "Nem található az adatállomány !",
                                                "Lekérdezés nem hajtható végre !"}));
        QVERIFY(TApplication::Instance()->Terminated());
        QVERIFY(!program.form1->isVisible());
        QCOMPARE(program.form1->FDConnection1->Database(), TFDConnection::DefaultDatabase);
        QCOMPARE(program.form1->Label12->text(), QStringLiteral("0"));
        QVERIFY(!QFile::exists("/proc/LR_ov.db"));
    }

    // Nothing but a regular file under this one name is ever written, tested
    // as present or given to the engine: anything else is refused as an
    // unwritable file is, and what a link leads to is never reached.
    void whatStandsAtTheDatabasePathIsNotWrittenThrough_data() {
        QTest::addColumn<TStandIn>("kind");
        QTest::newRow("symbolic link to a file outside") << TStandIn::LinkToFileOutside;
        QTest::newRow("symbolic link to nowhere") << TStandIn::LinkToNowhere;
        QTest::newRow("hard link to a file outside") << TStandIn::HardLinkToFileOutside;
        QTest::newRow("fifo") << TStandIn::Fifo;
        QTest::newRow("socket") << TStandIn::Socket;
    }

    void whatStandsAtTheDatabasePathIsNotWrittenThrough() {
        QFETCH(TStandIn, kind);
        QTemporaryDir outside;
        const QString victim = outside.filePath(QStringLiteral("victim"));
        TScopedWorkingFolder folder;
        const QString path = folder.File("LR_ov.db");
        QVERIFY(PlaceStandIn(kind, path, victim));
        const auto before = Identity(path);

        TStartedProgram program = StartProgram();
        QCOMPARE(program.messages, QStringList({"Hiba történt - 2 !", "Nem található az adatállomány !",
                                                "Lekérdezés nem hajtható végre !"}));
        QVERIFY(TApplication::Instance()->Terminated());
        QCOMPARE(program.form1->FDConnection1->Database(), TFDConnection::DefaultDatabase);
        QCOMPARE(Identity(path), before);
        const bool leadsToAFile = kind == TStandIn::LinkToFileOutside || kind == TStandIn::HardLinkToFileOutside;
        QCOMPARE(QDir(outside.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
                 leadsToAFile ? QStringList({"victim"}) : QStringList());
        if (leadsToAFile)
            QCOMPARE(ReadWholeFile(victim), Precious);
    }

    void failureMessagesLookAsTheyShould() {
        TScopedWorkingFolder folder(QStringLiteral("/proc"));
        TApplication::Instance()->ClearEndRequest();
        TForm1 form;
        TMessageBoxAnswerer answerer;
        form.show();
        QVERIFY(!answerer.Seen().isEmpty());
        for (const TSeenMessage& seen : answerer.Seen()) {
            QCOMPARE(seen.caption, TApplication::Instance()->Title());
            QCOMPARE(seen.icon, QMessageBox::NoIcon);
            QCOMPARE(seen.buttons, QStringList({"OK"}));
            QCOMPARE(seen.defaultButton, QStringLiteral("OK"));
        }
    }

    void aFileHeldByAnotherRunningCopyIsLeftAlone() {
        TScopedWorkingFolder folder;
        QProcess other;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        other.setProcessEnvironment(environment);
        other.setWorkingDirectory(folder.Path());
        other.start(QStringLiteral(LANTOR_PROGRAM_PATH), {});
        QVERIFY(other.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(FileIsLockedByOther(folder.File("LR_ov.db")), 15000);
        const QByteArray before = ReadWholeFile(folder.File("LR_ov.db"));

        TStartedProgram program = StartProgram();
        QCOMPARE(program.messages.value(0), QStringLiteral("Hiba történt - 2 !"));
        QVERIFY(TApplication::Instance()->Terminated());
        QVERIFY(ReadWholeFile(folder.File("LR_ov.db")) == before);
        QVERIFY(before == EmbeddedBytes());
        QCOMPARE(other.state(), QProcess::Running);
        other.kill();
        other.waitForFinished();
    }

    void exits_data() {
        QTest::addColumn<TExitPath>("path");
        QTest::addColumn<TAnswer>("answer");
        QTest::newRow("close window, No") << TExitPath::CloseWindow << TAnswer::No;
        QTest::newRow("close window, Yes") << TExitPath::CloseWindow << TAnswer::Yes;
        QTest::newRow("menu exit, No") << TExitPath::MenuExit << TAnswer::No;
        QTest::newRow("menu exit, Yes") << TExitPath::MenuExit << TAnswer::Yes;
    }

    void exits() {
        QFETCH(TExitPath, path);
        QFETCH(TAnswer, answer);
        TScopedWorkingFolder folder;
        TStartedProgram program = StartProgram();
        TForm1& form = *program.form1;
        form.FDQuery1->MoveBy(3);

        const auto button = answer == TAnswer::Yes ? QMessageBox::Yes : QMessageBox::No;
        TMessageBoxAnswerer answerer(TMessageBoxAnswerer::Always(button), [&](TSeenMessage& seen) {
            QCoreApplication::processEvents();  // idle moments while the question is open
            seen.hintLineWhileOpen = form.StatusBar1->PanelText(0);
        });
        if (path == TExitPath::CloseWindow)
            form.close();
        else
            form.Kilps1->trigger();

        QCOMPARE(answerer.Seen().size(), 1);  // asked once, on either path
        const TSeenMessage& question = answerer.Seen().first();
        QCOMPARE(question.caption, QStringLiteral("Figyelem:"));
        QCOMPARE(question.text, QStringLiteral("Biztosan be kívánja fejezni a program használatát ?"));
        QCOMPARE(question.icon, QMessageBox::NoIcon);
        QCOMPARE(question.buttons.size(), 2);
        QCOMPARE(question.defaultButton, QStringLiteral("&Igen"));
        QCOMPARE(question.hintLineWhileOpen, QStringLiteral("Program használatásan befejezése ?"));
        QCOMPARE(form.StatusBar1->PanelText(0), QString());

        if (answer == TAnswer::No) {
            QVERIFY(form.isVisible());
            QVERIFY(QFile::exists(folder.File("LR_ov.db")));
            QVERIFY(form.FDQuery1->Active());
            QCOMPARE(form.FDQuery1->RecNo(), 3);
            QVERIFY(!TApplication::Instance()->Terminated());
        } else {
            QVERIFY(!QFile::exists(folder.File("LR_ov.db")));
            QVERIFY(!form.FDQuery1->Active());
            QVERIFY(!form.FDConnection1->Connected());
            if (path == TExitPath::MenuExit)
                QVERIFY(TApplication::Instance()->Terminated());
            else
                QVERIFY(!form.isVisible());
        }
    }
};

LANTOR_TEST_MAIN(TStartupTest)
#include "test_startup.moc"
