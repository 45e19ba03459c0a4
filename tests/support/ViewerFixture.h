#pragma once

// Helpers of the viewer's tests: a repeat clock the test advances by hand,
// and the two windows wired as the program entry wires them.

#include "support/TestSupport.h"

#include "store/TDataSource.h"

#include "store/TFDQuery.h"
#include "ui/Forms.h"
#include "ui/controls/TDBGrid.h"
#include "ui/controls/TDBNavigator.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>

#include <functional>
#include <memory>

// A repeat clock that only moves when the test advances it.
class TManualRepeatTimer : public TRepeatTimer {
public:
    void Start(int milliseconds) override {
        v_active = true;
        v_remaining = milliseconds;
        v_lastStart = milliseconds;
    }
    void Stop() override { v_active = false; }
    bool IsActive() const override { return v_active; }
    int LastStart() const { return v_lastStart; }

    // Lets `milliseconds` pass, firing every timeout that falls due.
    void Advance(int milliseconds) {
        while (v_active && milliseconds >= v_remaining) {
            milliseconds -= v_remaining;
            v_active = false;
            Fire();
        }
        if (v_active)
            v_remaining -= milliseconds;
    }

private:
    bool v_active = false;
    int v_remaining = 0;
    int v_lastStart = 0;
};

// The main window and the viewer as the program entry creates them, in a
// fresh working folder; Start() shows the main window.
struct TViewerFixture {
    TScopedWorkingFolder folder;
    TForms forms = CreateForms();
    std::unique_ptr<TForm1>& form1 = forms.form1;
    std::unique_ptr<TForm2>& form2 = forms.form2;

    void Start() {
        form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(form1.get()));
    }

    TFDQuery& Query() const { return *form1->FDQuery1; }
    TNavButton* Button(TNavigateBtn kind) const { return form2->DBNavigator1->Button(kind); }

    // The enabled states of first, prior, next and last as "1"/"0" letters.
    QString NavigatorStates() const {
        QString states;
        for (const TNavigateBtn kind :
             {TNavigateBtn::nbFirst, TNavigateBtn::nbPrior, TNavigateBtn::nbNext, TNavigateBtn::nbLast})
            states += Button(kind)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        return states;
    }

    void Search(const QString& phrase) {
        form1->Edit1->setText(phrase);
        form1->BitBtn1Click();
    }

    // A field of any row of the cursor, fetching as far as needed.
    QString FieldOfRow(int row, const char* field) const {
        Query().EnsureFetched(row);
        return Query().Value(row, Query().FieldIndex(QString::fromLatin1(field))).toString();
    }
    int RowCount() const { return Query().RecordCount(); }

    // Makes `row` the grid's current row with a real click, then double
    // clicks it: the viewer opens modally on it. `whileOpen` runs with the
    // viewer on screen; the viewer is closed afterwards if it is still open.
    // Returns whether the viewer was seen open.
    bool OpenViewerOnRow(int row, const std::function<void()>& whileOpen) {
        TDBGrid* grid = form1->DBGrid1;
        QPoint where(grid->viewport()->width() - 20, grid->viewport()->height() - 5);
        if (row >= 0) {
            const QModelIndex index = grid->model()->index(row, 0);
            grid->scrollTo(index);
            where = grid->visualRect(index).center();
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, where);
        }
        return OpenViewerByDoubleClick(grid->viewport(), where, whileOpen);
    }

    bool OpenViewerByDoubleClick(QWidget* target, const QPoint& where, const std::function<void()>& whileOpen) {
        bool seenOpen = false;
        QPointer<TForm2> viewer = form2.get();
        QTimer::singleShot(0, viewer, [&, viewer] {
            seenOpen = viewer->isVisible() && QApplication::activeModalWidget() == viewer &&
                       QTest::qWaitFor([&] { return QApplication::activeWindow() == viewer; });
            if (seenOpen)
                whileOpen();
            if (viewer && viewer->isVisible())
                viewer->close();
        });
        // A viewer that never comes back would hang the whole run.
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, viewer, [viewer] {
            if (viewer)
                viewer->close();
        });
        watchdog.start(60000);
        QTest::mouseDClick(target, Qt::LeftButton, {}, where);
        QTest::mouseRelease(target, Qt::LeftButton, {}, where);
        return seenOpen;
    }
};
