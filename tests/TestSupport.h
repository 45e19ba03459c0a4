#pragma once

// Shared helpers of the tests: the application object, a temporary working
// folder, and an answerer for the program's modal message boxes.

#include "app/TApplication.h"

#include <QAbstractButton>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QPointer>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

// A Qt Test main that creates the program's own application object.
#define LANTOR_TEST_MAIN(TestClass)                      \
    int main(int argc, char** argv) {                    \
        TApplication application(argc, argv);            \
        TestClass test;                                  \
        QTEST_SET_MAIN_SOURCE_PATH                       \
        return QTest::qExec(&test, argc, argv);          \
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
        v_timer.setInterval(5);
        connect(&v_timer, &QTimer::timeout, this, [this] { Poll(); });
        v_timer.start();
    }

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
        QAbstractButton* target = v_choose ? box->button(v_choose(seen)) : static_cast<QAbstractButton*>(box->defaultButton());
        if (!target)
            target = box->buttons().value(0);
        QTimer::singleShot(0, target, [target] { target->click(); });
    }

    TChooser v_choose;
    std::function<void(TSeenMessage&)> v_whileOpen;
    QTimer v_timer;
    QPointer<QMessageBox> v_lastBox;
    QList<TSeenMessage> v_seen;
};
