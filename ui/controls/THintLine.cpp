// Following the pointer and the menu highlight into the hint line.

#include "ui/controls/THintLine.h"

#include "ui/controls/Hints.h"
#include "ui/controls/TStatusBar.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QFocusEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QWidget>

namespace {

QString LongHintOf(const QObject* item) {
    return SplitHint(HintOf(item)).longPart;
}

bool IsTooltipWindow(const QWidget* widget) {
    return widget && widget->window()->windowType() == Qt::ToolTip;
}

// Message boxes stand for the system's own message windows, whose modal
// loop never updates the hint line: whatever the status bar shows when one
// comes up (the exit prompt) stays while it is open.
bool MessageBoxIsUp() {
    return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr;
}

}  // namespace

QString LongHintAt(const QPoint& globalPos) {
    const QWidget* widget = QApplication::widgetAt(globalPos);
    return widget ? SplitHint(EffectiveHint(widget)).longPart : QString();
}

THintLine::THintLine(TStatusBar& statusBar, QObject* parent) : QObject(parent), v_statusBar(statusBar) {
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &THintLine::UpdateFromPointer);
}

void THintLine::FollowMenuBar(QMenuBar* menuBar) {
    // Passing over the bar with no menu open highlights nothing; only the
    // menu mode (a drop-down open, or the bar taken by the keyboard) does.
    connect(menuBar, &QMenuBar::hovered, this, [this](QAction* action) {
        if (MenuIsOpen())
            SetApplicationHint(LongHintOf(action));
    });
    for (const QAction* action : menuBar->actions()) {
        if (QMenu* menu = action->menu())
            FollowMenu(menu);
    }
    // The bar gives the focus back when the keyboard leaves the menu mode.
    menuBar->installEventFilter(this);
}

void THintLine::FollowMenu(QMenu* menu) {
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { SetApplicationHint(LongHintOf(menu->menuAction())); });
    connect(menu, &QMenu::hovered, this, [this](QAction* action) { SetApplicationHint(LongHintOf(action)); });
    connect(menu, &QMenu::aboutToHide, this, [this] { SetApplicationHint({}); });
    // A separator is never the menu's active entry, so it raises no
    // `hovered`; the pointer on it still highlights "nothing" and empties
    // the hint.
    menu->installEventFilter(this);
    for (const QAction* action : menu->actions()) {
        if (QMenu* submenu = action->menu())
            FollowMenu(submenu);
    }
}

bool THintLine::eventFilter(QObject* watched, QEvent* event) {
    if (const auto* menuBar = qobject_cast<QMenuBar*>(watched)) {
        // The keyboard takes the bar (Alt, F10) by giving it the focus, after
        // it has highlighted the first entry; an access key also opens the
        // entry's drop-down, whose highlight then decides.
        if (event->type() == QEvent::FocusIn && menuBar->activeAction() && !QApplication::activePopupWidget())
            SetApplicationHint(LongHintOf(menuBar->activeAction()));
        if (event->type() == QEvent::FocusOut && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            SetApplicationHint({});
    }
    if (event->type() == QEvent::MouseMove) {
        if (const auto* menu = qobject_cast<QMenu*>(watched)) {
            const QAction* action = menu->actionAt(static_cast<QMouseEvent*>(event)->position().toPoint());
            if (action && action->isSeparator())
                SetApplicationHint({});
        }
    }
    return QObject::eventFilter(watched, event);
}

bool THintLine::MenuIsOpen() const {
    return QApplication::activePopupWidget() != nullptr ||
           qobject_cast<QMenuBar*>(QApplication::focusWidget()) != nullptr;
}

void THintLine::UpdateFromPointer() {
    // While a menu is open the highlight, not the pointer, decides the hint.
    if (MenuIsOpen() || MessageBoxIsUp())
        return;
    const QPoint pointer = QCursor::pos();
    // Our own tooltip under the pointer hides nothing of interest.
    if (IsTooltipWindow(QApplication::widgetAt(pointer)))
        return;
    SetApplicationHint(LongHintAt(pointer));
}

void THintLine::SetApplicationHint(const QString& hint) {
    if (hint == v_applicationHint)
        return;
    v_applicationHint = hint;
    v_statusBar.SetPanelText(TStatusBar::HintPanel, hint);
}
