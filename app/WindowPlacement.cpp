// Centring a window's frame, with the frame asked of the window manager before mapping.

#include "app/WindowPlacement.h"

#include <QtGui/qguiapplication_platform.h>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <memory>
#include <thread>

namespace {

// How long a window manager may take to answer the frame question; far more
// than one takes, and a bound on the wait when one never answers.
constexpr auto FrameAnswerTimeout = std::chrono::milliseconds(200);

template <typename T>
using TReply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const TReply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(connection,
                              xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The root window's list of the standard hints the window manager supports.
bool WindowManagerSupports(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t hint) {
    const xcb_atom_t supported = Atom(connection, "_NET_SUPPORTED");
    const TReply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(connection, xcb_get_property(connection, 0, root, supported, XCB_ATOM_ATOM, 0, 1024),
                               nullptr),
        &std::free);
    if (!reply || reply->format != 32)
        return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    for (int i = 0; i < count; ++i) {
        if (atoms[i] == hint)
            return true;
    }
    return false;
}

// Left, right, top and bottom from the window's _NET_FRAME_EXTENTS, if set.
bool ReadFrameExtents(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t extents, QMargins& frame) {
    const TReply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(connection, xcb_get_property(connection, 0, window, extents, XCB_ATOM_CARDINAL, 0, 4),
                               nullptr),
        &std::free);
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 16)
        return false;
    const auto* values = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    frame = QMargins(int(values[0]), int(values[2]), int(values[1]), int(values[3]));
    return true;
}

// Where a window stands with its question to the window manager.
constexpr const char* FrameQuestionProperty = "lantorFrameQuestion";
enum TFrameQuestion { NotAsked = 0, Asked, CannotAsk };

struct TX11 {
    xcb_connection_t* connection = nullptr;
    xcb_window_t root = 0;
};

TX11 X11() {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return {};
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return {};
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x11->connection())).data;
    return screen ? TX11{x11->connection(), screen->root} : TX11{};
}

// Sends an X11 window manager the desktop standard's question for the frame
// of a window it has not mapped yet (_NET_REQUEST_FRAME_EXTENTS); it answers
// by setting the window's _NET_FRAME_EXTENTS.
TFrameQuestion SendFrameQuestion(QWidget* window) {
    const TX11 x11 = X11();
    if (!x11.connection)
        return CannotAsk;
    const xcb_atom_t request = Atom(x11.connection, "_NET_REQUEST_FRAME_EXTENTS");
    if (request == XCB_ATOM_NONE || !WindowManagerSupports(x11.connection, x11.root, request))
        return CannotAsk;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = static_cast<xcb_window_t>(window->winId());
    message.type = request;
    xcb_send_event(x11.connection, 0, x11.root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(x11.connection);
    return Asked;
}

// The window manager's answer, waited for briefly when it has not come yet.
QMargins AwaitFrameAnswer(QWidget* window) {
    const TX11 x11 = X11();
    const xcb_atom_t extents = x11.connection ? Atom(x11.connection, "_NET_FRAME_EXTENTS") : xcb_atom_t(XCB_ATOM_NONE);
    if (extents == XCB_ATOM_NONE)
        return {};
    const auto id = static_cast<xcb_window_t>(window->winId());
    QMargins frame;
    const auto deadline = std::chrono::steady_clock::now() + FrameAnswerTimeout;
    while (!ReadFrameExtents(x11.connection, id, extents, frame)) {
        if (std::chrono::steady_clock::now() >= deadline)
            return {};
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    // The window manager counts device pixels; the layout counts pixels at
    // the window's scale.
    const qreal ratio = window->devicePixelRatioF();
    const auto scaled = [ratio](int pixels) { return int(std::ceil(pixels / ratio)); };
    return {scaled(frame.left()), scaled(frame.top()), scaled(frame.right()), scaled(frame.bottom())};
}

}  // namespace

void AskForFrameMargins(QWidget* window) {
    if (window->property(FrameQuestionProperty).toInt() == NotAsked)
        window->setProperty(FrameQuestionProperty, int(SendFrameQuestion(window)));
}

QMargins ExpectedFrameMargins(QWidget* window) {
    if (window->isVisible() && window->windowHandle()) {
        const QMargins frame = window->windowHandle()->frameMargins();
        if (!frame.isNull())
            return frame;
    }
    AskForFrameMargins(window);
    if (window->property(FrameQuestionProperty).toInt() != Asked)
        return {};
    return AwaitFrameAnswer(window);
}

QRect CentredClientGeometry(const QSize& clientSize, const QMargins& frame, const QRect& area) {
    const QSize framed = clientSize.grownBy(frame);
    const QPoint framePosition(qMax(area.left(), area.left() + (area.width() - framed.width()) / 2),
                               qMax(area.top(), area.top() + (area.height() - framed.height()) / 2));
    return {framePosition + QPoint(frame.left(), frame.top()), clientSize};
}
