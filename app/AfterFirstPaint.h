#pragma once

// Work that waits for the first picture on the screen.

#include <QObject>

#include <functional>

// Runs `action` once, from the event loop, right after the program has
// painted a window for the first time (whichever comes first: the main
// window, or a failure message shown while it is being set up). Work that
// the first picture does not need, such as reading the program icon, waits
// for it so that the window's content is on screen sooner. `context` bounds
// the action's life: were it destroyed first, the action never runs.
void AfterFirstPaint(QObject* context, std::function<void()> action);
