#pragma once

// Where a window of fixed size goes when it is first shown: its frame, the
// title bar and borders the window manager draws around it, centred in the
// screen's work area.

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Asks the window manager, once, what frame it will draw around `window`,
// without waiting for the answer: asked early, the answer is there when the
// window is placed. Makes the window's native window if it has none yet.
void AskForFrameMargins(QWidget* window);

// The frame the window manager draws, or will draw, around `window`: the
// frame it has when it is on screen; before its first showing, the frame the
// window manager says it will give it, asked while the window is not yet
// mapped; no margins when that cannot be known (no window manager, or one
// that does not tell).
QMargins ExpectedFrameMargins(QWidget* window);

// The geometry of a client area of `clientSize` whose frame of `frame` is
// centred in `area`. A frame larger than `area` starts at its left or top
// edge, so the title bar and the menu stay on the screen.
QRect CentredClientGeometry(const QSize& clientSize, const QMargins& frame, const QRect& area);
