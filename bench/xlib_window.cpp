// The floor of the start-up measurement: a bare Xlib program that maps one
// window and waits. Its launch-to-map time is what any program pays for
// process creation, the X connection, the window manager taking the window
// and the probe noticing it; the probe subtracts it to show that share.

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <unistd.h>

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 1;
    const int screen = DefaultScreen(display);
    const Window window = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, 702, 573, 0,
                                              BlackPixel(display, screen), WhitePixel(display, screen));
    XStoreName(display, window, "Xlib window");
    const long pid = getpid();
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pid), 1);
    XMapWindow(display, window);
    XFlush(display);
    for (XEvent event;;)
        XNextEvent(display, &event);
}
