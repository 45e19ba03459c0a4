#pragma once

// Shared helpers of the tests: the application object, a temporary working
// folder, an answerer for the program's modal message boxes, and the two
// guards every test program runs under: an exception or a message box that
// nobody expects fails the test function at hand instead of ending or
// stalling the whole run.

#include "app/TApplication.h"

#include <QAbstractButton>
#include <QDir>
#include <QEvent>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cxxabi.h>

#include <cstdlib>
#include <exception>
#include <functional>
#include <memory>
#include <typeinfo>

// The name of an exception's type as written in the source.
inline QByteArray ExceptionTypeName(const std::type_info& type) {
    int status = 0;
    const std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status),
                                                           std::free);
    return status == 0 && demangled ? QByteArray(demangled.get()) : QByteArray(type.name());
}

// Qt Test 6.4 records an exception that escapes a test function as a bare
// "Caught unhandled exception", then throws it on out of QTest::qExec: the
// program aborts and every later test function is lost. This wrapper hands
// Qt Test a copy of the test class's meta-object whose call function catches
// what a test function throws and fails that function (or that data row)
// with the exception's type and text; the run then goes on with cleanup()
// and the next function. Qt Test invokes every test function through the
// meta-object that metaObject() returns, so the test classes need no change.
template <typename TTestClass>
class TExceptionsFailTheFunction final : public TTestClass {
public:
    const QMetaObject* metaObject() const override { return &GuardedMetaObject(); }

private:
    static void GuardedCall(QObject* object, QMetaObject::Call call, int index, void** arguments) {
        try {
            TTestClass::staticMetaObject.d.static_metacall(object, call, index, arguments);
        } catch (const std::exception& error) {
            QTest::qFail(
                "an exception escaped the test function: " + ExceptionTypeName(typeid(error)) + ": " + error.what(),
                __FILE__, __LINE__);
        } catch (...) {
            QTest::qFail("an exception of an unknown type escaped the test function", __FILE__, __LINE__);
        }
    }

    static const QMetaObject& GuardedMetaObject() {
        static const QMetaObject guarded = [] {
            QMetaObject copy = TTestClass::staticMetaObject;
            copy.d.static_metacall = &GuardedCall;
            return copy;
        }();
        return guarded;
    }
};

// A Qt Test main that creates the program's own application object and runs
// the test class under both guards.
#define LANTOR_TEST_MAIN(TestClass)                 \
    int main(int argc, char** argv) {               \
        TApplication application(argc, argv);       \
        const TUnexpectedMessageBoxGuard boxGuard;  \
        TExceptionsFailTheFunction<TestClass> test; \
        QTEST_SET_MAIN_SOURCE_PATH                  \
        return QTest::qExec(&test, argc, argv);     \
    }

// Makes a fresh temporary folder the working folder for its lifetime.
class TScopedWorkingFolder {
public:
    TScopedWorkingFolder() : v_previous(QDir::currentPath()) { QDir::setCurrent(v_folder.path()); }
    explicit TScopedWorkingFolder(const QString& existing) : v_previous(QDir::currentPath()) {
        QDir::setCurrent(existing);
    }
    ~TScopedWorkingFolder() { QDir::setCurrent(v_previous); }
    QString Path() const { return QDir::currentPath(); }
    QString File(const QString& name) const { return QDir::currentPath() + QLatin1Char('/') + name; }

private:
    QTemporaryDir v_folder;
    QString v_previous;
};

// What a message box showed.
struct TSeenMessage {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    QString defaultButton;
    QString hintLineWhileOpen;  // filled by callers that look at the status bar
};

// Answers every modal message box that comes up while it lives by pressing
// the button chosen by `choose` (by default the box's default button), and
// records what each box showed. `whileOpen` runs with the box on screen.
class TMessageBoxAnswerer : public QObject {
public:
    using TChooser = std::function<QMessageBox::StandardButton(const TSeenMessage&)>;

    explicit TMessageBoxAnswerer(TChooser choose = {}, std::function<void(TSeenMessage&)> whileOpen = {})
        : v_choose(std::move(choose)), v_whileOpen(std::move(whileOpen)) {
        ++v_alive;
        v_timer.setInterval(5);
        connect(&v_timer, &QTimer::timeout, this, [this] { Poll(); });
        v_timer.start();
    }

    ~TMessageBoxAnswerer() override { --v_alive; }
    TMessageBoxAnswerer(const TMessageBoxAnswerer&) = delete;
    TMessageBoxAnswerer& operator=(const TMessageBoxAnswerer&) = delete;

    // Whether some answerer expects boxes now.
    static bool AnyAlive() { return v_alive > 0; }

    static TChooser Always(QMessageBox::StandardButton button) {
        return [button](const TSeenMessage&) { return button; };
    }

    const QList<TSeenMessage>& Seen() const { return v_seen; }
    QStringList Texts() const {
        QStringList texts;
        for (const TSeenMessage& seen : v_seen)
            texts.append(seen.text);
        return texts;
    }

private:
    void Poll() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || box == v_lastBox || !box->isVisible())
            return;
        v_lastBox = box;
        TSeenMessage seen;
        seen.caption = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        for (QAbstractButton* button : box->buttons())
            seen.buttons.append(button->text());
        if (box->defaultButton())
            seen.defaultButton = box->defaultButton()->text();
        if (v_whileOpen)
            v_whileOpen(seen);
        v_seen.append(seen);
        QAbstractButton* target =
            v_choose ? box->button(v_choose(seen)) : static_cast<QAbstractButton*>(box->defaultButton());
        if (!target)
            target = box->buttons().value(0);
        QTimer::singleShot(0, target, [target] { target->click(); });
    }

    TChooser v_choose;
    std::function<void(TSeenMessage&)> v_whileOpen;
    QTimer v_timer;
    QPointer<QMessageBox> v_lastBox;
    QList<TSeenMessage> v_seen;
    static inline int v_alive = 0;
};

// Fails the running test function when a message box comes up while no
// TMessageBoxAnswerer is there to expect it, with the box's caption and
// text, and closes the box: its exec() returns as if no button was pressed
// (so an exit question counts as No), and the test goes on at once instead
// of waiting for an answer until the run's time-out.
class TUnexpectedMessageBoxGuard : public QObject {
public:
    TUnexpectedMessageBoxGuard() { QCoreApplication::instance()->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && !TMessageBoxAnswerer::AnyAlive()) {
            if (auto* box = qobject_cast<QMessageBox*>(watched))
                FailAndClose(box);
        }
        return false;
    }

private:
    static void FailAndClose(QMessageBox* box) {
        const QByteArray report = "a message box came up that no test expected: caption \"" +
                                  box->windowTitle().toUtf8() + "\", text \"" + box->text().toUtf8() + "\"";
        if (QTest::currentTestFunction())
            QTest::qFail(report.constData(), __FILE__, __LINE__);
        else
            qCritical("%s", report.constData());
        // Closed from inside the box's own event loop, which the show is
        // about to enter.
        const QPointer<QMessageBox> shown(box);
        QTimer::singleShot(0, box, [shown] {
            if (shown && shown->isVisible())
                shown->done(QMessageBox::Cancel);
        });
    }
};
