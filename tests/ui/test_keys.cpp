// The keyboard as a reader of Windows programs uses it, each key sent to the
// main window as the window system delivers it, so that focus, shortcuts and
// the menu bar see it as they see a real key: Enter presses the focused
// button and opens the current poem, a click on a tab keeps the focus on the
// tab strip, Alt alone and F10 take the keyboard to the menu bar.

#include "support/ViewerFixture.h"

#include "ui/controls/TBitBtn.h"
#include "ui/controls/TStatusBar.h"

#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>

namespace {

constexpr const char* MenuBarHint = "Kérem válasszon !";

}  // namespace

class TestKeys : public QObject {
    Q_OBJECT

    std::unique_ptr<TViewerFixture> v_program;

    TViewerFixture& F() { return *v_program; }
    TForm1& Main() { return *v_program->form1; }
    QWindow* Window() { return Main().windowHandle(); }

    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(Window(), key, modifiers); }

    void FocusAndWait(QWidget* widget) {
        widget->setFocus(Qt::TabFocusReason);
        QVERIFY(QTest::qWaitFor([widget] { return widget->hasFocus(); }));
    }

    QString HintLine() { return Main().StatusBar1->PanelText(0); }

private slots:
    void init() {
        v_program = std::make_unique<TViewerFixture>();
        v_program->Start();
        Main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Main()));
        QCursor::setPos(Main().mapToGlobal(QPoint(-50, -50)));  // the pointer off the window
    }
    void cleanup() { v_program.reset(); }

    void enterPressesTheFocusedButton_data() {
        QTest::addColumn<Qt::Key>("key");
        QTest::newRow("Return") << Qt::Key_Return;
        QTest::newRow("Enter on the keypad") << Qt::Key_Enter;
    }
    void enterPressesTheFocusedButton() {
        QFETCH(Qt::Key, key);
        Main().Keress1Click();
        Main().Edit1->setText(QStringLiteral("alkony"));
        FocusAndWait(Main().BitBtn1);
        Key(key);
        QVERIFY(QTest::qWaitFor([this] { return Main().Label12->text() != QLatin1String("525"); }));
        const int hits = Main().Label12->text().toInt();
        QVERIFY2(hits > 0 && hits < 525, qPrintable(Main().Label12->text()));
        QCOMPARE(F().RowCount(), hits);
        QCOMPARE(Main().PageControl1->currentIndex(), 0);

        Main().Keress1Click();
        FocusAndWait(Main().BitBtn2);
        Key(key);
        QVERIFY(QTest::qWaitFor([this] { return Main().Label12->text() == QLatin1String("525"); }));
        QCOMPARE(Main().Edit1->text(), QString());
    }

    void enterInThePhraseFieldStartsNothing() {
        Main().Keress1Click();
        FocusAndWait(Main().Edit1);
        QTest::keyClicks(Main().Edit1, QStringLiteral("alkony"));
        Key(Qt::Key_Return);
        QTest::qWait(100);
        QCOMPARE(Main().Label12->text(), QStringLiteral("525"));
        QCOMPARE(Main().PageControl1->currentIndex(), 1);
    }

    void enterOnAGridRowOpensTheViewerOnIt() {
        FocusAndWait(Main().DBGrid1);
        Key(Qt::Key_Down);
        Key(Qt::Key_Down);
        QCOMPARE(F().Query().RecNo(), 2);
        bool open = false;
        QString title;
        QTimer::singleShot(0, F().form2.get(), [&] {
            open = QTest::qWaitFor([&] { return F().form2->isVisible(); });
            title = F().form2->Label1->text();
            F().form2->close();
        });
        Key(Qt::Key_Return);
        QVERIFY(open);
        QCOMPARE(title, F().FieldOfRow(2, "CIM"));
        QCOMPARE(F().Query().RecNo(), 2);
    }

    void aClickOnATabLeavesTheFocusOnTheTabStrip() {
        // A reset moves the focus from its button to the grid.
        Main().Keress1Click();
        QTabBar* tabs = Main().PageControl1->tabBar();
        QTest::mouseClick(Main().BitBtn2, Qt::LeftButton);
        QCOMPARE(Main().PageControl1->currentIndex(), 0);
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        QCOMPARE(Main().PageControl1->currentIndex(), 1);
        QVERIFY2(tabs->hasFocus(), qPrintable(QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                                                          : QStringLiteral("nothing")));
        // Space goes to the tab strip, not to the reset button.
        Main().Edit1->setText(QStringLiteral("megmarad"));
        Key(Qt::Key_Space);
        QCOMPARE(Main().Edit1->text(), QStringLiteral("megmarad"));
    }

    void altAloneAndF10TakeTheKeyboardToTheMenuBar_data() {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("Alt") << Qt::Key_Alt << Qt::KeyboardModifiers(Qt::AltModifier);
        QTest::newRow("F10") << Qt::Key_F10 << Qt::KeyboardModifiers();
    }
    void altAloneAndF10TakeTheKeyboardToTheMenuBar() {
        QFETCH(Qt::Key, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        FocusAndWait(Main().DBGrid1);
        QMenuBar* bar = Main().MainMenu1;
        const QRect entry = bar->actionGeometry(Main().Lehetsgek1->menuAction());
        const QImage before = bar->grab(entry).toImage();
        Key(key, modifiers);
        QVERIFY(
            QTest::qWaitFor([this] { return Main().MainMenu1->activeAction() == Main().Lehetsgek1->menuAction(); }));
        QCOMPARE(HintLine(), QString::fromUtf8(MenuBarHint));
        QVERIFY2(bar->grab(entry).toImage() != before, "the entry the keyboard is on is not drawn highlighted");
        QVERIFY(!Main().Lehetsgek1->isVisible());  // highlighted, not yet open
        // Down opens it, Escape twice leaves the menu and gives the focus back.
        Key(Qt::Key_Down);
        QVERIFY(QTest::qWaitFor([this] { return Main().Lehetsgek1->isVisible(); }));
        QTest::keyClick(Main().Lehetsgek1, Qt::Key_Escape);
        Key(Qt::Key_Escape);
        QVERIFY(QTest::qWaitFor([this] { return Main().DBGrid1->hasFocus(); }));
        QCOMPARE(Main().MainMenu1->activeAction(), nullptr);
    }
};

LANTOR_TEST_MAIN(TestKeys)
#include "test_keys.moc"
