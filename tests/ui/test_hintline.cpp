// The hint line and the tooltips: the long hint of whatever the pointer or
// the menu highlight is on, written into panel 0 only when it changes, in
// every window's event loop; tooltips only where the hint display setting
// is on.

#include "support/TestSupport.h"

#include "store/TDataSource.h"  // TDBNavigator.h needs it complete
#include "ui/Forms.h"
#include "ui/Unit2.h"
#include "ui/controls/Hints.h"
#include "ui/controls/TDBGrid.h"
#include "ui/controls/TDBNavigator.h"
#include "ui/controls/THintLine.h"
#include "ui/controls/TStatusBar.h"
#include "ui/controls/TTooltips.h"

#include <QCursor>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTabWidget>
#include <QToolTip>

namespace {

const QString GridHint = QStringLiteral("Dupla klikk: aktuális tétel megtekintése.");
const QString SearchHint = QStringLiteral("Keresés indítása !");
const QString WebHint = QStringLiteral("Cím behívása Internet programba !");
const QString MailHint = QStringLiteral("E-mail küldése a készítőnek !");

// Runs a real event loop for a while, so it goes idle as the program's do.
void RunIdleMoments(int milliseconds = 30) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void PointAt(const QWidget* widget, QPoint local = QPoint(-1, -1)) {
    if (local == QPoint(-1, -1))
        local = widget->rect().center();
    QCursor::setPos(widget->mapToGlobal(local));
}

// Moves the pointer onto `widget` and then, one pixel on, hands a move to
// the widget's own window: the offscreen screen knows no stacking order and
// gives the pointer's moves to the window created first, here the main
// window under the modal viewer.
void RestOn(const QWidget* widget) {
    PointAt(widget);
    QCoreApplication::processEvents();
    const QWidget* window = widget->window();
    QTest::mouseMove(window->windowHandle(), widget->mapTo(window, widget->rect().center() + QPoint(1, 0)));
}

// A point on the screen outside every window of the program.
void PointNowhere(const QWidget& form) {
    QCursor::setPos(form.frameGeometry().bottomRight() + QPoint(20, 20));
}

QString HintLine(const TForm1& form) {
    return form.StatusBar1->PanelText(0);
}

// A main window started in a temporary folder, shown and active, with the
// viewer the program creates beside it.
struct TFormFixture {
    TScopedWorkingFolder folder;
    TForms forms = CreateForms();
    TForm1& form = *forms.form1;
    TForm2& viewer = *forms.form2;

    TFormFixture() {
        form.show();
        QApplication::setActiveWindow(&form);
        PointNowhere(form);
        RunIdleMoments();
    }

    QWidget* Control(const QString& name) const { return form.findChild<QWidget*>(name); }
};

// A control with a hint of its own on each page, to point at first.
QString HintedControlOfPage(int page) {
    static const QStringList names = {"DBGrid1", "BitBtn1", "Label6"};
    return names.at(page);
}

// Runs `whileOpen` from inside the viewer's modal loop, then closes it.
void WithViewerOpen(TForm1& form, const std::function<void(TForm2&)>& whileOpen) {
    bool ran = false;
    QTimer::singleShot(0, &form, [&] {
        TForm2* viewer = form.Viewer();
        QVERIFY(viewer->isVisible());
        whileOpen(*viewer);
        ran = true;
        viewer->reject();
    });
    form.DBGrid1DblClick();
    QVERIFY(ran);
}

}  // namespace

class THintLineTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void FollowsThePointerOverTheMainWindow_data();
    void FollowsThePointerOverTheMainWindow();
    void EmptyOverNoWindowOfTheProgram();
    void WritesOnlyWhenTheHintChanges();
    void FollowsTheMenuHighlight();
    void MenuOpenedByItsAccessKey();
    void ExitPromptStaysWhileTheQuestionIsOpen_data();
    void ExitPromptStaysWhileTheQuestionIsOpen();
    void FollowsThePointerInsideTheOpenViewer_data();
    void FollowsThePointerInsideTheOpenViewer();
    void FollowsThePointerInAnyModalWindow();
    void TooltipsOnlyWhereTheSettingIsOn_data();
    void TooltipsOnlyWhereTheSettingIsOn();
    void TooltipComesUpAfterTheRestAndGoesAway();
    void NextTooltipComesAtOnceAndLeavingHidesIt();
    void NavigatorShowsItsShortHintAsTooltip();
};

void THintLineTest::init() {
    QToolTip::hideText();
}

void THintLineTest::FollowsThePointerOverTheMainWindow_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QPoint>("where");  // (-1, -1): the centre
    QTest::addColumn<QString>("expected");
    const QPoint centre(-1, -1);
    QTest::newRow("grid rows") << 0 << "DBGrid1" << centre << GridHint;
    QTest::newRow("grid title row") << 0 << "DBGrid1" << QPoint(200, 6) << GridHint;
    QTest::newRow("list page tab") << 0 << "PageControl1" << QPoint(20, 10) << "";
    QTest::newRow("status bar") << 0 << "StatusBar1" << centre << "";
    QTest::newRow("search button") << 1 << "BitBtn1" << centre << SearchHint;
    QTest::newRow("reset button") << 1 << "BitBtn2" << centre << SearchHint;
    QTest::newRow("label without hint") << 1 << "Label10" << centre << "";
    QTest::newRow("phrase field") << 1 << "Edit1" << centre << "";
    QTest::newRow("page area") << 1 << "TabSheet2" << QPoint(5, 5) << "";
    QTest::newRow("mail link") << 2 << "Label5" << centre << MailHint;
    QTest::newRow("web link") << 2 << "Label6" << centre << WebHint;
    QTest::newRow("store link") << 2 << "Label9" << centre << WebHint;
    QTest::newRow("title") << 2 << "Label1" << centre << "";
}

void THintLineTest::FollowsThePointerOverTheMainWindow() {
    QFETCH(int, page);
    QFETCH(QString, control);
    QFETCH(QPoint, where);
    QFETCH(QString, expected);
    TFormFixture fixture;
    fixture.form.PageControl1->setCurrentIndex(page);

    // Start from a different hint, so the expected one is a change.
    if (expected.isEmpty())
        PointAt(fixture.Control(HintedControlOfPage(page)));
    else
        PointNowhere(fixture.form);
    RunIdleMoments();
    QVERIFY(HintLine(fixture.form) != expected);

    PointAt(fixture.Control(control), where);
    RunIdleMoments();
    QCOMPARE(HintLine(fixture.form), expected);
    QCOMPARE(fixture.form.HintLine()->ApplicationHint(), expected);
}

void THintLineTest::EmptyOverNoWindowOfTheProgram() {
    TFormFixture fixture;
    PointAt(fixture.form.DBGrid1);
    RunIdleMoments();
    QCOMPARE(HintLine(fixture.form), GridHint);
    PointNowhere(fixture.form);
    RunIdleMoments();
    QCOMPARE(HintLine(fixture.form), QString());
    QCOMPARE(LongHintAt(QCursor::pos()), QString());
}

void THintLineTest::WritesOnlyWhenTheHintChanges() {
    TFormFixture fixture;
    PointAt(fixture.form.DBGrid1);
    RunIdleMoments();
    QCOMPARE(HintLine(fixture.form), GridHint);

    // Someone else writes the line; the pointer stays where it was.
    fixture.form.StatusBar1->SetPanelText(0, QStringLiteral("más szöveg"));
    RunIdleMoments();
    PointAt(fixture.form.DBGrid1, QPoint(30, 60));
    RunIdleMoments();
    QCOMPARE(HintLine(fixture.form), QStringLiteral("más szöveg"));

    PointAt(fixture.form.StatusBar1);
    RunIdleMoments();
    QCOMPARE(HintLine(fixture.form), QString());
}

void THintLineTest::FollowsTheMenuHighlight() {
    TFormFixture fixture;
    TForm1& form = fixture.form;
    PointAt(form.DBGrid1);
    RunIdleMoments();
    QCOMPARE(HintLine(form), GridHint);

    form.MainMenu1->setActiveAction(form.Lehetsgek1->menuAction());
    QTRY_VERIFY(form.Lehetsgek1->isVisible());
    QCOMPARE(HintLine(form), QStringLiteral("Kérem válasszon !"));
    // The pointer is still on the grid; idle moments leave the menu's hint.
    RunIdleMoments();
    QCOMPARE(HintLine(form), QStringLiteral("Kérem válasszon !"));

    const QList<std::pair<QAction*, QString>> highlights = {
        {form.Lexikon1, QStringLiteral("Adatok megtekintése !")},
        {form.Keress1, QStringLiteral("Adatok keresése !")},
        {form.Bemutatkozs1, QStringLiteral("Névjegy !")},
        {form.Kilps1, QStringLiteral("Program hasznáéatának befejezése !")},
    };
    for (const auto& [action, hint] : highlights) {
        form.Lehetsgek1->setActiveAction(action);
        QCOMPARE(HintLine(form), hint);
        RunIdleMoments();
        QCOMPARE(HintLine(form), hint);
    }

    // The pointer on the separator highlights nothing.
    PointAt(form.Lehetsgek1, form.Lehetsgek1->actionGeometry(form.N1).center());
    RunIdleMoments();
    QCOMPARE(HintLine(form), QString());
    // The pointer on an entry highlights it.
    PointAt(form.Lehetsgek1, form.Lehetsgek1->actionGeometry(form.Keress1).center());
    RunIdleMoments();
    QCOMPARE(HintLine(form), QStringLiteral("Adatok keresése !"));

    // The keys skip the separator.
    form.Lehetsgek1->setActiveAction(form.Kilps1);
    QTest::keyClick(form.Lehetsgek1, Qt::Key_Up);
    QCOMPARE(form.Lehetsgek1->activeAction(), form.Bemutatkozs1);
    QCOMPARE(HintLine(form), QStringLiteral("Névjegy !"));

    form.Lehetsgek1->hide();
    QCOMPARE(HintLine(form), QString());
    QCOMPARE(form.PageControl1->currentIndex(), 0);

    // Once the menu is closed the pointer decides again.
    PointAt(form.DBGrid1);
    RunIdleMoments();
    QCOMPARE(HintLine(form), GridHint);
}

void THintLineTest::MenuOpenedByItsAccessKey() {
    TFormFixture fixture;
    TForm1& form = fixture.form;
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_L, Qt::AltModifier);
    QTRY_VERIFY(form.Lehetsgek1->isVisible());
    // The keyboard opens the drop-down with its first entry highlighted.
    QCOMPARE(form.Lehetsgek1->activeAction(), form.Lexikon1);
    QCOMPARE(HintLine(form), QStringLiteral("Adatok megtekintése !"));
    QTest::keyClick(form.Lehetsgek1, Qt::Key_Down);
    QCOMPARE(HintLine(form), QStringLiteral("Adatok keresése !"));
    // Escape closes the drop-down back to the highlighted bar item; leaving
    // the menu mode empties the line before the pointer (on the grid) is
    // looked at again.
    PointAt(form.DBGrid1);
    QTest::keyClick(form.Lehetsgek1, Qt::Key_Escape);
    QVERIFY(!form.Lehetsgek1->isVisible());
    QCOMPARE(HintLine(form), QStringLiteral("Kérem válasszon !"));
    QTest::keyClick(form.MainMenu1, Qt::Key_Escape);
    QCOMPARE(HintLine(form), QString());
    RunIdleMoments();
    QCOMPARE(HintLine(form), GridHint);
}

void THintLineTest::ExitPromptStaysWhileTheQuestionIsOpen_data() {
    QTest::addColumn<bool>("throughTheMenu");
    QTest::newRow("menu exit") << true;
    QTest::newRow("closing the window") << false;
}

void THintLineTest::ExitPromptStaysWhileTheQuestionIsOpen() {
    QFETCH(bool, throughTheMenu);
    TFormFixture fixture;
    TForm1& form = fixture.form;
    PointAt(form.DBGrid1, QPoint(40, 40));
    RunIdleMoments();
    QCOMPARE(HintLine(form), GridHint);

    QStringList seenWhileOpen;
    TMessageBoxAnswerer answerer(TMessageBoxAnswerer::Always(QMessageBox::No), [&](TSeenMessage& seen) {
        // Idle moments with the pointer on the grid, then on the box itself,
        // then outside every window: the question's prompt stays.
        RunIdleMoments(60);
        seenWhileOpen.append(HintLine(form));
        auto* box = QApplication::activeModalWidget();
        PointAt(box);
        RunIdleMoments(60);
        seenWhileOpen.append(HintLine(form));
        PointNowhere(form);
        RunIdleMoments(60);
        seenWhileOpen.append(HintLine(form));
        seen.hintLineWhileOpen = HintLine(form);
    });
    if (throughTheMenu)
        form.Kilps1Click();
    else
        form.close();

    QCOMPARE(answerer.Seen().size(), 1);
    QCOMPARE(answerer.Seen().first().caption, QStringLiteral("Figyelem:"));
    QCOMPARE(seenWhileOpen, QStringList(3, QStringLiteral("Program használatásan befejezése ?")));
    QVERIFY(form.isVisible());
    QCOMPARE(HintLine(form), QString());
}

void THintLineTest::FollowsThePointerInsideTheOpenViewer_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("expected");
    QTest::newRow("first (disabled)") << int(TNavigateBtn::nbFirst) << "Első rekord !";
    QTest::newRow("prior (disabled)") << int(TNavigateBtn::nbPrior) << "Előző rekord !";
    QTest::newRow("next") << int(TNavigateBtn::nbNext) << "Következő rekord !";
    QTest::newRow("last") << int(TNavigateBtn::nbLast) << "Utolsó rekord !";
}

void THintLineTest::FollowsThePointerInsideTheOpenViewer() {
    QFETCH(int, kind);
    QFETCH(QString, expected);
    TFormFixture fixture;
    TForm1& form = fixture.form;

    QStringList seen;
    WithViewerOpen(form, [&](TForm2& viewer) {
        QWidget* button = viewer.DBNavigator1->Button(TNavigateBtn(kind));
        PointAt(button);
        RunIdleMoments(60);
        seen.append(HintLine(form));
        // Anywhere else in the viewer the line is empty.
        PointAt(viewer.Memo1);
        RunIdleMoments(60);
        seen.append(HintLine(form));
        PointAt(button);
        RunIdleMoments(60);
        seen.append(HintLine(form));
    });
    QCOMPARE(seen, (QStringList{expected, QString(), expected}));
}

void THintLineTest::FollowsThePointerInAnyModalWindow() {
    // A window the main window does not know about, run by its own modal
    // loop: the line still follows the pointer there.
    TFormFixture fixture;
    TForm1& form = fixture.form;
    QDialog dialog(&form);
    dialog.resize(200, 120);
    SetHint(&dialog, QStringLiteral("ablak|Az ablak súgója"));
    auto* hinted = new QPushButton(QStringLiteral("a"), &dialog);
    hinted->setGeometry(10, 10, 80, 30);
    SetHint(hinted, QStringLiteral("gomb|A gomb súgója"));
    auto* plain = new QLabel(QStringLiteral("b"), &dialog);
    plain->setGeometry(10, 60, 80, 30);

    QStringList seen;
    QTimer::singleShot(0, &dialog, [&] {
        PointAt(hinted);
        QTimer::singleShot(60, &dialog, [&] {
            seen.append(HintLine(form));
            PointAt(plain);  // no hint of its own: the window's counts
            QTimer::singleShot(60, &dialog, [&] {
                seen.append(HintLine(form));
                dialog.reject();
            });
        });
    });
    dialog.exec();
    QCOMPARE(seen, (QStringList{"A gomb súgója", "Az ablak súgója"}));
}

void THintLineTest::TooltipsOnlyWhereTheSettingIsOn_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("expected");
    QTest::newRow("grid") << 0 << "DBGrid1"
                          << "";
    QTest::newRow("tabs") << 0 << "PageControl1"
                          << "";
    QTest::newRow("search button") << 1 << "BitBtn1"
                                   << "";
    QTest::newRow("reset button") << 1 << "BitBtn2"
                                  << "";
    QTest::newRow("title") << 2 << "Label1"
                           << "";
    QTest::newRow("mail link") << 2 << "Label5" << MailHint;
    QTest::newRow("web link") << 2 << "Label8" << WebHint;
    QTest::newRow("store link") << 2 << "Label9" << WebHint;
}

void THintLineTest::TooltipsOnlyWhereTheSettingIsOn() {
    QFETCH(int, page);
    QFETCH(QString, control);
    QFETCH(QString, expected);
    TFormFixture fixture;
    fixture.form.PageControl1->setCurrentIndex(page);
    QWidget* widget = fixture.Control(control);
    QCOMPARE(TooltipFor(widget), expected);

    // The request the application makes when the pointer rests there.
    const QPoint local = widget->rect().center();
    QHelpEvent request(QEvent::ToolTip, local, widget->mapToGlobal(local));
    QCoreApplication::sendEvent(widget, &request);
    QCOMPARE(QToolTip::isVisible(), !expected.isEmpty());
    if (!expected.isEmpty())
        QCOMPARE(QToolTip::text(), expected);
}

void THintLineTest::TooltipComesUpAfterTheRestAndGoesAway() {
    TFormFixture fixture;
    TForm1& form = fixture.form;
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.PageControl1->setCurrentIndex(2);
    RunIdleMoments();

    // The platform asks the style how long the pointer must rest.
    QCOMPARE(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 500);

    // The times seen are the timers' own, give or take a few milliseconds
    // each way (timers may fire up to 5 % early), plus the polling of the
    // checks and the lateness of a busy machine: the windows below allow
    // that, and nothing that is another figure.
    QElapsedTimer sinceRest;
    PointAt(form.Label6);
    sinceRest.start();
    QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible(), 3000);
    const qint64 upAfter = sinceRest.elapsed();
    QCOMPARE(QToolTip::text(), WebHint);
    QVERIFY2(upAfter >= 475 && upAfter < 900, qPrintable(QString::number(upAfter)));

    QElapsedTimer shown;
    shown.start();
    QTRY_VERIFY_WITH_TIMEOUT(!QToolTip::isVisible(), 6000);
    const qint64 stayed = shown.elapsed();
    QVERIFY2(stayed >= 2250 && stayed < 3000, qPrintable(QString::number(stayed)));
    // The hint line showed the same text meanwhile.
    RunIdleMoments();
    QCOMPARE(HintLine(form), WebHint);
}

void THintLineTest::NextTooltipComesAtOnceAndLeavingHidesIt() {
    TFormFixture fixture;
    TForm1& form = fixture.form;
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.PageControl1->setCurrentIndex(2);
    RunIdleMoments();

    PointAt(form.Label6);
    QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible(), 3000);
    QCOMPARE(QToolTip::text(), WebHint);

    // On to the next link while this one shows: no new wake-up delay.
    QElapsedTimer moved;
    PointAt(form.Label5);
    moved.start();
    QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible() && QToolTip::text() == MailHint, 3000);
    QVERIFY2(moved.elapsed() < 400, qPrintable(QString::number(moved.elapsed())));

    // Leaving for a label without a tooltip takes it away, long before it
    // would expire.
    PointAt(form.Label13);
    QTRY_VERIFY_WITH_TIMEOUT(!QToolTip::isVisible(), 1500);
}

void THintLineTest::NavigatorShowsItsShortHintAsTooltip() {
    TFormFixture fixture;
    TForm1& form = fixture.form;
    QString tooltip;
    QString line;
    WithViewerOpen(form, [&](TForm2& viewer) {
        QVERIFY(QTest::qWaitForWindowActive(&viewer));
        RestOn(viewer.DBNavigator1->Button(TNavigateBtn::nbNext));
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (QToolTip::isVisible())
                loop.quit();
        });
        poll.start(20);
        QTimer::singleShot(3000, &loop, &QEventLoop::quit);
        loop.exec();
        tooltip = QToolTip::isVisible() ? QToolTip::text() : QString();
        line = HintLine(form);
    });
    QCOMPARE(tooltip, QStringLiteral("Következő rekord"));
    QCOMPARE(line, QStringLiteral("Következő rekord !"));
}

LANTOR_TEST_MAIN(THintLineTest)
#include "test_hintline.moc"
