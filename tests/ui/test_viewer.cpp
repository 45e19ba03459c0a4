// The poem viewer, driven through the real main window: opened by a real
// double click on the grid, stepped with its navigator, closed again.

#include "support/Fixtures.h"
#include "support/ViewerFixture.h"

#include "store/TFDConnection.h"
#include "ui/controls/Hints.h"
#include "ui/controls/TBindSourceDB.h"

#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScreen>
#include <QTextCursor>
#include <QWindow>

namespace {

// A row index counted from the end when negative (-1 is the last row).
int ResolveRow(int row, int rowCount) {
    return row < 0 ? rowCount + row : row;
}

// The text as the box must show it: the stored lines, whatever their line
// ends, one per line.
QString ExpectedShownText(const QString& stored) {
    return stored.split(QRegularExpression(QStringLiteral("\r\n|\n|\r"))).join(QLatin1Char('\n'));
}

QImage RenderedWithText(QLabel* label, const QString& text) {
    const QString previous = label->text();
    label->setText(text);
    const QImage image = label->grab().toImage();
    label->setText(previous);
    return image;
}

void ClickButton(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

}  // namespace

class TTestViewer : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TViewerFixture> v_fixture;
    TViewerFixture& F() { return *v_fixture; }

    // The first row of the full list that `pick` accepts, or -1.
    int FindRow(const std::function<bool(int)>& pick) {
        for (int row = 0; row < F().RowCount(); ++row) {
            if (pick(row))
                return row;
        }
        return -1;
    }

    int LongestPoemRow() {
        int longest = 0;
        for (int row = 1; row < F().RowCount(); ++row) {
            if (F().FieldOfRow(row, "VERS").size() > F().FieldOfRow(longest, "VERS").size())
                longest = row;
        }
        return longest;
    }

    // A phrase that exactly one poem contains, found by searching for the
    // titles of the list in turn; the list holds that one hit afterwards.
    QString SearchWithOneHit() {
        QStringList titles;
        for (int row = 0; row < F().RowCount() && titles.size() < 60; ++row) {
            const QString title = F().FieldOfRow(row, "CIM");
            if (!title.contains(QLatin1Char('\n')) && title.size() >= 8)
                titles.append(title);
        }
        for (const QString& title : titles) {
            F().Search(title);
            if (F().RowCount() == 1)
                return title;
        }
        return {};
    }

    // Makes the list hold only the poem on `row`: searching for its whole
    // text finds it, and no other poem contains all of it.
    bool SearchOnlyFor(int row) {
        F().Search(F().FieldOfRow(row, "VERS"));
        return F().RowCount() == 1;
    }

    void CheckShowsRow(int row) {
        TForm2& viewer = *F().form2;
        QCOMPARE(F().Query().RecNo(), row);
        QCOMPARE(viewer.Label1->text(), F().FieldOfRow(row, "CIM"));
        QCOMPARE(viewer.Label2->text(), F().FieldOfRow(row, "DATUM"));
        QCOMPARE(ShownText(viewer.Memo1), ExpectedShownText(F().FieldOfRow(row, "VERS")));
    }

private slots:
    void init() { v_fixture = std::make_unique<TViewerFixture>(); }
    void cleanup() { v_fixture.reset(); }

    void normalizesEveryLineEnd_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("CR LF") << QStringLiteral("egy\r\nkettő") << QStringLiteral("egy\nkettő");
        QTest::newRow("LF") << QStringLiteral("egy\nkettő") << QStringLiteral("egy\nkettő");
        QTest::newRow("lone CR") << QStringLiteral("egy\rkettő") << QStringLiteral("egy\nkettő");
        QTest::newRow("CR before CR LF") << QStringLiteral("egy\r\r\nkettő") << QStringLiteral("egy\n\nkettő");
        QTest::newRow("LF CR is two breaks") << QStringLiteral("egy\n\rkettő") << QStringLiteral("egy\n\nkettő");
        QTest::newRow("empty lines") << QStringLiteral("\r\n\r\n") << QStringLiteral("\n\n");
        QTest::newRow("no break") << QStringLiteral("egy sor") << QStringLiteral("egy sor");
    }
    void normalizesEveryLineEnd() {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QCOMPARE(NormalizeLineBreaks(stored), shown);
    }

    void layoutMatchesTheWindowDescription_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("geometry");  // in its container
        QTest::newRow("Panel1") << "Panel1" << QRect(0, 0, 410, 97);
        QTest::newRow("Label1") << "Label1" << QRect(7, 24, 396, 19);
        QTest::newRow("Label2") << "Label2" << QRect(7, 56, 396, 18);
        QTest::newRow("Panel2") << "Panel2" << QRect(0, 97, 410, 415);
        QTest::newRow("Memo1") << "Memo1" << QRect(7, 7, 396, 292);
        QTest::newRow("BitBtn1") << "BitBtn1" << QRect(24, 320, 177, 25);
        QTest::newRow("BitBtn2") << "BitBtn2" << QRect(215, 320, 178, 25);
        QTest::newRow("DBNavigator1") << "DBNavigator1" << QRect(24, 360, 368, 33);
    }
    void layoutMatchesTheWindowDescription() {
        QFETCH(QString, control);
        QFETCH(QRect, geometry);
        const QWidget* widget = F().form2->findChild<QWidget*>(control);
        QVERIFY2(widget, qPrintable(control));
        // A caption's box; its widget reaches beyond it for overhanging glyphs.
        const auto* caption = qobject_cast<const TCaptionLabel*>(widget);
        QCOMPARE(caption ? caption->Box() : widget->geometry(), geometry);
    }

    // Title and date reach the labels as single-byte text of code page 1250,
    // whose "Ő" and "ű" the western pages lack; the hidden viewer follows the
    // cursor to rows past the first batch.
    void labelsShowAccentedTitlesAndDatesOfTheAnthology_data() {
        AddAccentedAnthologyRows();
    }
    void labelsShowAccentedTitlesAndDatesOfTheAnthology() {
        SKIP_UNLESS_SHIPPED_ANTHOLOGY();
        QFETCH(int, az);
        QFETCH(QString, title);
        QFETCH(QString, date);
        F().Start();
        const int row = FindRow([this, az](int candidate) {
            F().Query().EnsureFetched(candidate);
            return F().Query().Value(candidate, F().Query().FieldIndex(QStringLiteral("AZ"))).toInt() == az;
        });
        QVERIFY(row >= 0);
        F().Query().MoveBy(row);
        QCOMPARE(F().Query().RecNo(), row);
        QCOMPARE(F().form2->Label1->text(), title);
        QCOMPARE(F().form2->Label2->text(), date);
        const bool opened = F().OpenViewerOnRow(row, [&] {
            QCOMPARE(F().form2->Label1->text(), title);
            QCOMPARE(F().form2->Label2->text(), date);
        });
        QVERIFY(opened);
    }

    // What code page 1250 lacks does not survive in the title and the date;
    // the text keeps every character.
    void labelsLoseWhatTheCodePageLacksAndTheTextKeepsIt() {
        F().Start();
        const QString path = F().folder.File(QStringLiteral("fixture.db"));
        WriteFixtureDatabase(
            path, {{QStringLiteral("Ещё ŐSZ"), QStringLiteral("Ещё ősz — я"), QStringLiteral("1918 ősze — я"), 1}});
        F().Query().Close();
        F().form1->FDConnection1->Disconnect();
        F().form1->FDConnection1->SetDatabase(path);
        F().Query().Open();
        TForm2& viewer = *F().form2;
        QCOMPARE(viewer.Label1->text(), QStringLiteral("??? ŐSZ"));
        QCOMPARE(viewer.Label2->text(), QStringLiteral("1918 ősze — ?"));
        QCOMPARE(ShownText(viewer.Memo1), QStringLiteral("Ещё ősz — я"));
    }

    void showsDesignTextsUntilTheCursorFirstOpens() {
        TForm2& viewer = *F().form2;
        QCOMPARE(viewer.Label1->text(), QStringLiteral("Label1"));
        QCOMPARE(viewer.Label2->text(), QStringLiteral("Label2"));
        QCOMPARE(ShownText(viewer.Memo1), QStringLiteral("Memo1"));
        QCOMPARE(F().NavigatorStates(), QStringLiteral("0000"));

        F().Start();
        CheckShowsRow(0);
        QCOMPARE(F().NavigatorStates(), QStringLiteral("0011"));

        F().Query().Close();
        QCOMPARE(viewer.Label1->text(), QString());
        QCOMPARE(viewer.Label2->text(), QString());
        QCOMPARE(ShownText(viewer.Memo1), QString());
        QCOMPARE(F().NavigatorStates(), QStringLiteral("0000"));

        F().Query().Open();
        CheckShowsRow(0);
        QCOMPARE(F().NavigatorStates(), QStringLiteral("0011"));
    }

    void opensOnTheDoubleClickedPoem_data() {
        QTest::addColumn<QString>("which");
        QTest::newRow("first poem") << QStringLiteral("first");
        QTest::newRow("a poem further down") << QStringLiteral("further");
        QTest::newRow("title with line breaks") << QStringLiteral("multi-line title");
        QTest::newRow("text stored with CR LF") << QStringLiteral("CR LF");
        QTest::newRow("text stored with LF") << QStringLiteral("LF");
    }
    void opensOnTheDoubleClickedPoem() {
        QFETCH(QString, which);
        F().Start();
        const QHash<QString, std::function<bool(int)>> picks{
            {QStringLiteral("first"), [](int row) { return row == 0; }},
            {QStringLiteral("further"), [](int row) { return row == 37; }},
            {QStringLiteral("multi-line title"),
             [this](int row) { return F().FieldOfRow(row, "CIM").contains(QLatin1Char('\n')); }},
            {QStringLiteral("CR LF"),
             [this](int row) { return F().FieldOfRow(row, "VERS").contains(QStringLiteral("\r\n")); }},
            {QStringLiteral("LF"),
             [this](int row) {
                 const QString text = F().FieldOfRow(row, "VERS");
                 return text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r'));
             }},
        };
        const int row = FindRow(picks.value(which));
        QVERIFY2(row >= 0, qPrintable(QStringLiteral("the anthology has no poem of this kind: ") + which));

        TForm2& viewer = *F().form2;
        const bool opened = F().OpenViewerOnRow(row, [&] {
            CheckShowsRow(row);
            const QString stored = F().FieldOfRow(row, "VERS");
            const int storedLines =
                static_cast<int>(stored.split(QRegularExpression(QStringLiteral("\r\n|\n|\r"))).size());
            QCOMPARE(viewer.Memo1->document()->blockCount(), storedLines);
            QVERIFY(!ShownText(viewer.Memo1).contains(QLatin1Char('\r')));
            // Shown from its first line, caret at its start, nothing selected.
            QCOMPARE(viewer.Memo1->verticalScrollBar()->value(), 0);
            QCOMPARE(viewer.Memo1->textCursor().position(), 0);
            QVERIFY(!viewer.Memo1->textCursor().hasSelection());
            QCOMPARE(QApplication::focusWidget(), viewer.Memo1);
            QVERIFY(!viewer.BitBtn1->isEnabled());
            QVERIFY(!viewer.BitBtn2->isEnabled());

            // Only the title's first line is seen: the label looks exactly
            // as it would with nothing after the first line break.
            const QString title = viewer.Label1->text();
            const QString firstLine = title.section(QLatin1Char('\n'), 0, 0);
            const int boxHeight = viewer.Label1->Box().height();
            QCOMPARE(boxHeight, 19);
            QVERIFY(viewer.Label1->fontMetrics().height() <= boxHeight);
            QVERIFY(2 * viewer.Label1->fontMetrics().lineSpacing() > boxHeight);
            QCOMPARE(RenderedWithText(viewer.Label1, title), RenderedWithText(viewer.Label1, firstLine));
            QVERIFY(RenderedWithText(viewer.Label1, firstLine) != RenderedWithText(viewer.Label1, QString()));
        });
        QVERIFY(opened);
    }

    void searchWithoutHitsShowsNothingAndDisablesTheNavigator() {
        F().Start();
        F().Search(QStringLiteral("ilyen kifejezés egyetlen versben sincs 7f3q"));
        QCOMPARE(F().RowCount(), 0);
        TForm2& viewer = *F().form2;
        const bool opened = F().OpenViewerOnRow(-1, [&] {
            QCOMPARE(viewer.Label1->text(), QString());
            QCOMPARE(viewer.Label2->text(), QString());
            QCOMPARE(ShownText(viewer.Memo1), QString());
            QCOMPARE(F().NavigatorStates(), QStringLiteral("0000"));
            QCOMPARE(QApplication::focusWidget(), viewer.Memo1);
        });
        QVERIFY(opened);
    }

    void navigatorEnablesByBofAndEof_data() {
        QTest::addColumn<bool>("oneHit");
        QTest::addColumn<int>("startRow");
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("states");  // first, prior, next, last
        QTest::addColumn<int>("endRow");
        const QStringList none;
        const QString L = QStringLiteral("last"), F_ = QStringLiteral("first"), P = QStringLiteral("prior"),
                      N = QStringLiteral("next");
        QTest::newRow("freshly opened list") << false << 0 << none << "0011" << 0;
        QTest::newRow("nbLast") << false << 0 << QStringList{L} << "1100" << -1;
        QTest::newRow("nbLast, nbPrior") << false << 0 << QStringList{L, P} << "1111" << -2;
        QTest::newRow("nbFirst") << false << 5 << QStringList{F_} << "0011" << 0;
        QTest::newRow("last row reached step by step") << false << -2 << QStringList{N} << "1111" << -1;
        QTest::newRow("nbNext on the last row") << false << -2 << QStringList{N, N} << "1100" << -1;
        QTest::newRow("nbNext on the last row, nbPrior") << false << -2 << QStringList{N, N, P} << "1111" << -2;
        QTest::newRow("first row reached step by step") << false << 1 << QStringList{P} << "1111" << 0;
        QTest::newRow("nbPrior on the first row") << false << 1 << QStringList{P, P} << "0011" << 0;
        QTest::newRow("one row") << true << 0 << none << "0011" << 0;
        QTest::newRow("one row, nbNext") << true << 0 << QStringList{N} << "1100" << 0;
        QTest::newRow("one row, nbNext, nbPrior") << true << 0 << QStringList{N, P} << "0011" << 0;
    }
    void navigatorEnablesByBofAndEof() {
        QFETCH(bool, oneHit);
        QFETCH(int, startRow);
        QFETCH(QStringList, clicks);
        QFETCH(QString, states);
        QFETCH(int, endRow);
        F().Start();
        if (oneHit)
            QVERIFY2(!SearchWithOneHit().isEmpty(), "no title of the anthology is found exactly once");
        const QHash<QString, TNavigateBtn> kinds{{QStringLiteral("first"), TNavigateBtn::nbFirst},
                                                 {QStringLiteral("prior"), TNavigateBtn::nbPrior},
                                                 {QStringLiteral("next"), TNavigateBtn::nbNext},
                                                 {QStringLiteral("last"), TNavigateBtn::nbLast}};
        const int start = ResolveRow(startRow, F().RowCount());
        const int end = ResolveRow(endRow, F().RowCount());
        const bool opened = F().OpenViewerOnRow(start, [&] {
            QCOMPARE(F().Query().RecNo(), start);
            for (const QString& click : clicks)
                ClickButton(F().Button(kinds.value(click)));
            QCOMPARE(F().NavigatorStates(), states);
            CheckShowsRow(end);
            QCOMPARE(F().form1->DBGrid1->currentIndex().row(), end);
        });
        QVERIFY(opened);
    }

    void heldStepButtonRepeatsByTheClock_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("direction");
        QTest::newRow("nbNext") << static_cast<int>(TNavigateBtn::nbNext) << 1;
        QTest::newRow("nbPrior") << static_cast<int>(TNavigateBtn::nbPrior) << -1;
    }
    void heldStepButtonRepeatsByTheClock() {
        QFETCH(int, kind);
        QFETCH(int, direction);
        F().Start();
        auto clockOwned = std::make_unique<TManualRepeatTimer>();
        TManualRepeatTimer& clock = *clockOwned;
        F().form2->DBNavigator1->SetRepeatTimer(std::move(clockOwned));
        const int start = 200;
        TNavButton* button = F().Button(static_cast<TNavigateBtn>(kind));
        const QPoint over = button->rect().center();
        const QPoint off(-40, over.y());
        const auto rowAfter = [&](int steps) { return start + direction * steps; };

        const bool opened = F().OpenViewerOnRow(start, [&] {
            QTest::mousePress(button, Qt::LeftButton, {}, over);
            QCOMPARE(F().Query().RecNo(), rowAfter(0));  // pressing alone moves nothing
            clock.Advance(399);
            QCOMPARE(F().Query().RecNo(), rowAfter(0));
            clock.Advance(1);
            QCOMPARE(F().Query().RecNo(), rowAfter(1));
            clock.Advance(99);
            QCOMPARE(F().Query().RecNo(), rowAfter(1));
            clock.Advance(1);
            QCOMPARE(F().Query().RecNo(), rowAfter(2));
            clock.Advance(250);  // two more ticks, 50 ms into the next pause
            QCOMPARE(F().Query().RecNo(), rowAfter(4));
            CheckShowsRow(rowAfter(4));
            QCOMPARE(F().form1->DBGrid1->currentIndex().row(), rowAfter(4));

            // Off the button the moves are suspended, back on they resume.
            QTest::mouseMove(button, off);
            clock.Advance(300);
            QCOMPARE(F().Query().RecNo(), rowAfter(4));
            QTest::mouseMove(button, over);
            clock.Advance(50);
            QCOMPARE(F().Query().RecNo(), rowAfter(5));

            // Released over the button: one more move, and the repeat ends.
            QTest::mouseRelease(button, Qt::LeftButton, {}, over);
            QCOMPARE(F().Query().RecNo(), rowAfter(6));
            QVERIFY(!clock.IsActive());
            clock.Advance(1000);
            QCOMPARE(F().Query().RecNo(), rowAfter(6));

            // Released elsewhere: no move.
            QTest::mousePress(button, Qt::LeftButton, {}, over);
            clock.Advance(400);
            QCOMPARE(F().Query().RecNo(), rowAfter(7));
            QTest::mouseMove(button, off);
            QTest::mouseRelease(button, Qt::LeftButton, {}, off);
            QCOMPARE(F().Query().RecNo(), rowAfter(7));
            QVERIFY(!clock.IsActive());
        });
        QVERIFY(opened);
    }

    void heldStepButtonStopsAtTheEndOfTheList_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("startRow");
        QTest::addColumn<int>("direction");
        QTest::addColumn<QString>("statesAtEnd");
        QTest::newRow("nbNext towards the last row") << static_cast<int>(TNavigateBtn::nbNext) << -4 << 1 << "1100";
        QTest::newRow("nbPrior towards the first row") << static_cast<int>(TNavigateBtn::nbPrior) << 3 << -1 << "0011";
    }
    void heldStepButtonStopsAtTheEndOfTheList() {
        QFETCH(int, kind);
        QFETCH(int, startRow);
        QFETCH(int, direction);
        QFETCH(QString, statesAtEnd);
        F().Start();
        auto clockOwned = std::make_unique<TManualRepeatTimer>();
        TManualRepeatTimer& clock = *clockOwned;
        F().form2->DBNavigator1->SetRepeatTimer(std::move(clockOwned));
        const int start = ResolveRow(startRow, F().RowCount());
        const int end = start + 3 * direction;
        TNavButton* button = F().Button(static_cast<TNavigateBtn>(kind));

        const bool opened = F().OpenViewerOnRow(start, [&] {
            QTest::mousePress(button, Qt::LeftButton);
            clock.Advance(400 + 100 + 100);
            QCOMPARE(F().Query().RecNo(), end);
            QVERIFY(button->isEnabled());  // reached step by step: the mark is not set yet
            clock.Advance(100);            // runs into the end: the row stays
            QCOMPARE(F().Query().RecNo(), end);
            QVERIFY(!button->isEnabled());
            QVERIFY(!clock.IsActive());
            QVERIFY(!F().form2->DBNavigator1->Repeating());
            clock.Advance(1000);
            QTest::mouseRelease(button, Qt::LeftButton);
            QCOMPARE(F().Query().RecNo(), end);
            QCOMPARE(F().NavigatorStates(), statesAtEnd);
            CheckShowsRow(end);
        });
        QVERIFY(opened);
    }

    void editingKeysChangeNothing_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("letters") << QStringLiteral("abc xyz") << 0 << 0;
        QTest::newRow("Backspace") << QString() << int(Qt::Key_Backspace) << 0;
        QTest::newRow("Delete") << QString() << int(Qt::Key_Delete) << 0;
        QTest::newRow("Enter") << QString() << int(Qt::Key_Return) << 0;
        QTest::newRow("Ctrl+V") << QString() << int(Qt::Key_V) << int(Qt::ControlModifier);
        QTest::newRow("Ctrl+X") << QString() << int(Qt::Key_X) << int(Qt::ControlModifier);
        QTest::newRow("Shift+Insert") << QString() << int(Qt::Key_Insert) << int(Qt::ShiftModifier);
        QTest::newRow("Shift+Delete") << QString() << int(Qt::Key_Delete) << int(Qt::ShiftModifier);
    }
    void editingKeysChangeNothing() {
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        F().Start();
        const int row = 12;
        const QString stored = F().FieldOfRow(row, "VERS");
        const QString pasted = QStringLiteral("beillesztett szöveg");
        QGuiApplication::clipboard()->setText(pasted);
        TForm2& viewer = *F().form2;
        const bool opened = F().OpenViewerOnRow(row, [&] {
            const QString shown = ShownText(viewer.Memo1);
            viewer.Memo1->selectAll();  // anything editable would now lose it all
            if (!typed.isEmpty())
                QTest::keyClicks(QApplication::focusWidget(), typed);
            else
                QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
            QCOMPARE(ShownText(viewer.Memo1), shown);
            QVERIFY(viewer.isVisible());
            QCOMPARE(QGuiApplication::clipboard()->text(), pasted);

            // Stepping on and back: the poem left behind kept its stored text.
            ClickButton(F().Button(TNavigateBtn::nbNext));
            CheckShowsRow(row + 1);
            QCOMPARE(F().FieldOfRow(row, "VERS"), stored);
            ClickButton(F().Button(TNavigateBtn::nbPrior));
            CheckShowsRow(row);
        });
        QVERIFY(opened);
    }

    void keysMoveTheCaretAndSelectionCanBeCopied() {
        F().Start();
        const int row = LongestPoemRow();
        TForm2& viewer = *F().form2;
        const bool opened = F().OpenViewerOnRow(row, [&] {
            QPlainTextEdit* memo = viewer.Memo1;
            QVERIFY(memo->verticalScrollBar()->maximum() > 0);
            QTest::keyClick(memo, Qt::Key_Down);
            QVERIFY(memo->textCursor().position() > 0);
            QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
            QCOMPARE(memo->textCursor().position(), ShownText(memo).size());
            QVERIFY(memo->verticalScrollBar()->value() > 0);
            QTest::keyClick(memo, Qt::Key_Home, Qt::ControlModifier);
            QCOMPARE(memo->verticalScrollBar()->value(), 0);
            QTest::keyClick(memo, Qt::Key_End, Qt::ShiftModifier);
            const QString firstLine = ShownText(memo).section(QLatin1Char('\n'), 0, 0);
            QCOMPARE(memo->textCursor().selectedText(), firstLine);
            QTest::keyClick(memo, Qt::Key_C, Qt::ControlModifier);
            QCOMPARE(QGuiApplication::clipboard()->text(), firstLine);
            QTest::keyClick(memo, Qt::Key_PageDown);
            QVERIFY(memo->verticalScrollBar()->value() > 0);
        });
        QVERIFY(opened);
    }

    void escAndEnterLeaveItOpen_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Esc") << int(Qt::Key_Escape);
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    }
    void escAndEnterLeaveItOpen() {
        QFETCH(int, key);
        F().Start();
        TForm2& viewer = *F().form2;
        const bool opened = F().OpenViewerOnRow(3, [&] {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
            QTest::keyClick(&viewer, Qt::Key(key));
            QCoreApplication::processEvents();
            QVERIFY(viewer.isVisible());
            QCOMPARE(QApplication::activeModalWidget(), &viewer);
            CheckShowsRow(3);
        });
        QVERIFY(opened);
    }

    void closeRequestOfTheWindowClosesIt() {
        F().Start();
        TForm2& viewer = *F().form2;
        bool stillOpenAfterRequest = true;
        const bool opened = F().OpenViewerOnRow(4, [&] {
            // What the close button, the system menu's close and Alt+F4 send.
            viewer.windowHandle()->close();
            QTRY_VERIFY(!viewer.isVisible());
            stillOpenAfterRequest = viewer.isVisible();
        });
        QVERIFY(opened);
        QVERIFY(!stillOpenAfterRequest);
        QCOMPARE(viewer.result(), int(QDialog::Rejected));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(F().Query().RecNo(), 4);
    }

    void placeOnScreenIsKept() {
        F().Start();
        TForm2& viewer = *F().form2;
        QPoint firstPlace;
        const bool opened = F().OpenViewerOnRow(0, [&] {
            const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
            const QSize size = viewer.frameGeometry().size();
            const QPoint centred(qMax(area.left(), area.left() + (area.width() - size.width()) / 2),
                                 qMax(area.top(), area.top() + (area.height() - size.height()) / 2));
            QCOMPARE(viewer.pos(), centred);
            QCOMPARE(viewer.size(), QSize(410, 512));
            firstPlace = viewer.pos();
            viewer.move(viewer.pos() + QPoint(37, -23));  // the user drags it
        });
        QVERIFY(opened);
        const QPoint moved = firstPlace + QPoint(37, -23);
        for (int showing = 0; showing < 2; ++showing) {
            QPoint seen;
            QVERIFY(F().OpenViewerOnRow(0, [&] { seen = viewer.pos(); }));
            QCOMPARE(seen, moved);
        }
    }

    void scrollPositionKeptUnlessTheRowChanged_data() {
        QTest::addColumn<QString>("between");
        QTest::addColumn<bool>("kept");
        QTest::newRow("opened again on the same row") << QStringLiteral("nothing") << true;
        QTest::newRow("grid moved away and back") << QStringLiteral("grid away and back") << false;
        QTest::newRow("steps into both ends of a one-poem list") << QStringLiteral("steps into the ends") << true;
    }
    void scrollPositionKeptUnlessTheRowChanged() {
        QFETCH(QString, between);
        QFETCH(bool, kept);
        F().Start();
        int row = LongestPoemRow();
        if (between == QStringLiteral("steps into the ends")) {
            QVERIFY2(SearchOnlyFor(row), "the longest poem's text is found in another poem too");
            row = 0;
        }
        TForm2& viewer = *F().form2;
        int scrolled = 0;
        QVERIFY(F().OpenViewerOnRow(row, [&] {
            QScrollBar* bar = viewer.Memo1->verticalScrollBar();
            QVERIFY(bar->maximum() > 0);
            QTextCursor cursor = viewer.Memo1->textCursor();
            cursor.setPosition(5);
            cursor.setPosition(9, QTextCursor::KeepAnchor);
            viewer.Memo1->setTextCursor(cursor);
            bar->setValue(bar->maximum() / 2);
            scrolled = bar->value();
            if (between == QStringLiteral("steps into the ends")) {
                // Each step runs into an end: the marks change, the row stays.
                ClickButton(F().Button(TNavigateBtn::nbNext));
                QCOMPARE(F().NavigatorStates(), QStringLiteral("1100"));
                ClickButton(F().Button(TNavigateBtn::nbPrior));
                QCOMPARE(F().NavigatorStates(), QStringLiteral("0011"));
            }
        }));
        QVERIFY(scrolled > 0);
        if (between == QStringLiteral("grid away and back")) {
            QTest::keyClick(F().form1->DBGrid1, Qt::Key_Down);
            QTest::keyClick(F().form1->DBGrid1, Qt::Key_Up);
        }
        QCOMPARE(F().Query().RecNo(), row);
        int seenScroll = -1;
        int seenAnchor = -1;
        int seenPosition = -1;
        QVERIFY(F().OpenViewerOnRow(row, [&] {
            seenScroll = viewer.Memo1->verticalScrollBar()->value();
            seenAnchor = viewer.Memo1->textCursor().anchor();
            seenPosition = viewer.Memo1->textCursor().position();
        }));
        QCOMPARE(seenScroll, kept ? scrolled : 0);
        QCOMPARE(seenAnchor, kept ? 5 : 0);
        QCOMPARE(seenPosition, kept ? 9 : 0);
    }

    void gridAndViewerShareTheCurrentRow() {
        F().Start();
        TForm2& viewer = *F().form2;
        QVERIFY(F().OpenViewerOnRow(2, [&] {
            for (int i = 0; i < 3; ++i)
                ClickButton(F().Button(TNavigateBtn::nbNext));
            CheckShowsRow(5);
        }));
        TDBGrid* grid = F().form1->DBGrid1;
        QCOMPARE(grid->currentIndex().row(), 5);
        QCOMPARE(grid->Indicator()->CurrentRow(), 5);
        QCOMPARE(viewer.Label1->text(), F().FieldOfRow(5, "CIM"));

        // Hidden, the viewer still follows the grid.
        QTest::keyClick(grid, Qt::Key_Down);
        CheckShowsRow(6);
        QCOMPARE(F().NavigatorStates(), QStringLiteral("1111"));
    }

    void focusStaysInTheTextBox() {
        F().Start();
        TForm2& viewer = *F().form2;
        QVERIFY(F().OpenViewerOnRow(8, [&] {
            QCOMPARE(QApplication::focusWidget(), viewer.Memo1);
            // The navigator's width is shared by its four buttons, none of them a tab stop.
            for (const TNavigateBtn kind :
                 {TNavigateBtn::nbFirst, TNavigateBtn::nbPrior, TNavigateBtn::nbNext, TNavigateBtn::nbLast}) {
                QCOMPARE(F().Button(kind)->size(), QSize(92, 33));
                QCOMPARE(F().Button(kind)->x(), 92 * int(kind));
            }
            QTest::keyClick(viewer.Memo1, Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), viewer.Memo1);
            QTest::keyClick(viewer.Memo1, Qt::Key_Backtab, Qt::ShiftModifier);
            QCOMPARE(QApplication::focusWidget(), viewer.Memo1);
            ClickButton(F().Button(TNavigateBtn::nbNext));
            QCOMPARE(QApplication::focusWidget(), viewer.Memo1);
            CheckShowsRow(9);
        }));
    }

    void navigatorButtonsCarryTheirHints_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("tooltip");
        QTest::addColumn<QString>("hintLine");
        QTest::newRow("nbFirst") << int(TNavigateBtn::nbFirst) << "Első rekord"
                                 << "Első rekord !";
        QTest::newRow("nbPrior") << int(TNavigateBtn::nbPrior) << "Előző rekord"
                                 << "Előző rekord !";
        QTest::newRow("nbNext") << int(TNavigateBtn::nbNext) << "Következő rekord"
                                << "Következő rekord !";
        QTest::newRow("nbLast") << int(TNavigateBtn::nbLast) << "Utolsó rekord"
                                << "Utolsó rekord !";
    }
    void navigatorButtonsCarryTheirHints() {
        QFETCH(int, kind);
        QFETCH(QString, tooltip);
        QFETCH(QString, hintLine);
        TNavButton* button = F().Button(static_cast<TNavigateBtn>(kind));
        const THint hint = SplitHint(EffectiveHint(button));
        QCOMPARE(hint.shortPart, tooltip);
        QCOMPARE(hint.longPart, hintLine);
        QVERIFY(ShowsHint(button));
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
        // The text box has no hint and no tooltip.
        QCOMPARE(EffectiveHint(F().form2->Memo1), QString());
        QVERIFY(!ShowsHint(F().form2->Memo1));
    }

    void windowFrameHasOnlyTheCloseButton() {
        const Qt::WindowFlags flags = F().form2->windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(flags & Qt::WindowSystemMenuHint);
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QCOMPARE(F().form2->minimumSize(), F().form2->maximumSize());
        QCOMPARE(F().form2->windowTitle(), QStringLiteral(" Találat:"));
    }
};

LANTOR_TEST_MAIN(TTestViewer)
#include "test_viewer.moc"
