#pragma once

// The hint line of the main window's status bar.

#include <QObject>
#include <QString>

class QMenu;
class QMenuBar;
class QPoint;
class TStatusBar;

// The long part of the hint that counts for the innermost widget of the
// program's windows at `globalPos`; empty when there is none or the point is
// over none of the program's windows.
QString LongHintAt(const QPoint& globalPos);

// The application hint: the long hint of whatever the pointer or the open
// menu's highlight is on, in any of the program's windows. It is worked out
// at every idle moment of every event loop, nested modal loops included, and
// written into panel 0 of the status bar only when it changes, so a text that
// someone else writes there (the exit prompt) stays until the hint changes.
class THintLine : public QObject {
    Q_OBJECT

public:
    THintLine(TStatusBar& statusBar, QObject* parent);

    // Makes the bar's items and the entries of its drop-downs set the
    // application hint while they are highlighted.
    void FollowMenuBar(QMenuBar* menuBar);

    // The idle-moment update: the hint under the pointer becomes the
    // application hint, unless a menu is open or a message box is up.
    void UpdateFromPointer();

    QString ApplicationHint() const { return v_applicationHint; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FollowMenu(QMenu* menu);
    void SetApplicationHint(const QString& hint);
    bool MenuIsOpen() const;

    TStatusBar& v_statusBar;
    QString v_applicationHint;
};
