// Start-up of whole processes in a real X server: from the launch to the
// program's window mapped (viewable), and on to its first picture on screen,
// measured from outside, with the resident size of the process when mapped
// and after it settled.
//
//   bench_startup [--runs N] [--settle MS] PROGRAM TITLE [PROGRAM TITLE ...]
//   bench_startup --once PROGRAM TITLE        (one launch, for hyperfine)
//
// Every launch starts in a fresh empty folder. The programs are launched in
// turn, the order rotating from round to round, so a busy machine slows all
// alike. The probe watches the window manager's client list (_NET_CLIENT_LIST)
// for a window whose _NET_WM_PID is the launched process and whose title
// contains TITLE, waking on every change of the list and at least every
// millisecond, and stops the clock when that window is viewable. It then
// reads a few of the window's pixels every millisecond until they change
// from what they were at the map: the program has drawn. The first
// program is the baseline of the ratios; the probe's own share (process
// creation, X connection, the window manager, the polling) is the same for
// every program, and the figure of a bare Xlib program shows how large it is.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using TClock = std::chrono::steady_clock;

struct TProgram {
    std::string path;
    std::string title;
    std::vector<double> mappedMs;
    std::vector<double> paintedMs;  // only launches whose window changed after mapping
    std::vector<double> mappedKiB;
    std::vector<double> settledKiB;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

long ResidentKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

// A window of an ended process can still be on the client list for a moment;
// asking about it then is an error the probe simply passes over.
int IgnoreXError(Display*, XErrorEvent*) {
    return 0;
}

// A program of this title is the floor, not a contestant: a bare Xlib window
// that the server fills and the program never draws.
const std::string FloorTitle = "Xlib window";

// The targets: the program against the least any window with a menu bar pays.
const std::string JudgedTitle = "Lantor";
const std::string FairFloorTitle = "Minimal menu";
constexpr double MappedTarget = 1.05;
constexpr double PaintedTarget = 1.10;

class TXProbe {
public:
    TXProbe() : v_display(XOpenDisplay(nullptr)) {
        if (!v_display)
            throw std::runtime_error("no X display (is DISPLAY set?)");
        XSetErrorHandler(IgnoreXError);
        v_root = DefaultRootWindow(v_display);
        v_clientList = XInternAtom(v_display, "_NET_CLIENT_LIST", False);
        v_pidAtom = XInternAtom(v_display, "_NET_WM_PID", False);
        v_nameAtom = XInternAtom(v_display, "_NET_WM_NAME", False);
        v_utf8 = XInternAtom(v_display, "UTF8_STRING", False);
        XSelectInput(v_display, v_root, PropertyChangeMask);
        XSync(v_display, False);
    }
    ~TXProbe() { XCloseDisplay(v_display); }
    TXProbe(const TXProbe&) = delete;
    TXProbe& operator=(const TXProbe&) = delete;

    // Waits until a window of `pid` titled with `title` is viewable; false
    // when the process ended first or 30 seconds passed.
    bool WaitUntilMapped(pid_t pid, const std::string& title) {
        const TClock::time_point giveUp = TClock::now() + std::chrono::seconds(30);
        Window found = 0;
        while (TClock::now() < giveUp) {
            DrainEvents();
            if (!found)
                found = FindClient(pid, title);
            if (found && Viewable(found)) {
                v_mapped = found;
                return true;
            }
            if (waitpid(pid, nullptr, WNOHANG) == pid)
                return false;
            WaitForEventOrMillisecond();
        }
        return false;
    }

    // Waits until the pixels of the mapped window change from what they were
    // when it was mapped: the program's first picture is on screen. False
    // when nothing changed within `limit` (a window the server itself fills,
    // or a program that never draws).
    bool WaitUntilPainted(pid_t pid, std::chrono::milliseconds limit) {
        const TClock::time_point giveUp = TClock::now() + limit;
        const std::vector<unsigned long> atMap = Samples(v_mapped);
        while (TClock::now() < giveUp) {
            if (Samples(v_mapped) != atMap)
                return true;
            if (waitpid(pid, nullptr, WNOHANG) == pid)
                return false;
            WaitForEventOrMillisecond();
            DrainEvents();
        }
        return false;
    }

private:
    // Pixels at a few places spread over the window: its middle and the
    // middles of its four quarters.
    std::vector<unsigned long> Samples(Window window) {
        std::vector<unsigned long> pixels;
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(v_display, window, &attributes))
            return pixels;
        const int w = attributes.width, h = attributes.height;
        const std::pair<int, int> places[] = {
            {w / 2, h / 2}, {w / 4, h / 4}, {3 * w / 4, h / 4}, {w / 4, 3 * h / 4}, {3 * w / 4, 3 * h / 4}};
        for (const auto& [x, y] : places) {
            XImage* image = XGetImage(v_display, window, x, y, 1, 1, AllPlanes, ZPixmap);
            pixels.push_back(image ? XGetPixel(image, 0, 0) : ~0UL);
            if (image)
                XDestroyImage(image);
        }
        return pixels;
    }

    void DrainEvents() {
        while (XPending(v_display)) {
            XEvent event;
            XNextEvent(v_display, &event);
        }
    }

    void WaitForEventOrMillisecond() {
        const int fd = ConnectionNumber(v_display);
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(fd, &readable);
        timeval timeout{0, 1000};
        select(fd + 1, &readable, nullptr, nullptr, &timeout);
    }

    Window FindClient(pid_t pid, const std::string& title) {
        for (const Window window : ClientList()) {
            if (WindowPid(window) == pid && WindowTitle(window).find(title) != std::string::npos)
                return window;
        }
        return 0;
    }

    std::vector<Window> ClientList() {
        std::vector<Window> windows;
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(v_display, v_root, v_clientList, 0, 4096, False, XA_WINDOW, &type, &format, &count,
                               &after, &data) == Success &&
            data) {
            const auto* list = reinterpret_cast<const Window*>(data);
            windows.assign(list, list + count);
        }
        XFree(data);
        return windows;
    }

    long WindowPid(Window window) {
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char* data = nullptr;
        long pid = -1;
        if (XGetWindowProperty(v_display, window, v_pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                               &data) == Success &&
            data && count == 1)
            pid = *reinterpret_cast<const long*>(data);
        XFree(data);
        return pid;
    }

    std::string WindowTitle(Window window) {
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char* data = nullptr;
        std::string title;
        if (XGetWindowProperty(v_display, window, v_nameAtom, 0, 1024, False, v_utf8, &type, &format, &count, &after,
                               &data) == Success &&
            data)
            title.assign(reinterpret_cast<const char*>(data), count);
        XFree(data);
        if (title.empty()) {
            char* name = nullptr;
            if (XFetchName(v_display, window, &name) && name)
                title = name;
            XFree(name);
        }
        return title;
    }

    bool Viewable(Window window) {
        XWindowAttributes attributes;
        return XGetWindowAttributes(v_display, window, &attributes) && attributes.map_state == IsViewable;
    }

    Display* v_display;
    Window v_root;
    Window v_mapped = 0;
    Atom v_clientList, v_pidAtom, v_nameAtom, v_utf8;
};

pid_t Launch(const std::string& program, const std::filesystem::path& folder) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(folder.c_str()) != 0)
            _exit(127);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

std::filesystem::path FreshFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lantor-startup-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder");
    return pattern;
}

// One launch: the time to the mapped window and the resident sizes.
void LaunchOnce(TXProbe& probe, TProgram& program, int settleMs, bool record) {
    const std::filesystem::path folder = FreshFolder();
    const TClock::time_point start = TClock::now();
    const pid_t pid = Launch(program.path, folder);
    const bool mapped = probe.WaitUntilMapped(pid, program.title);
    const double elapsed = std::chrono::duration<double, std::milli>(TClock::now() - start).count();
    const long mappedKiB = ResidentKiB(pid);
    const bool painted =
        record && mapped && program.title != FloorTitle && probe.WaitUntilPainted(pid, std::chrono::milliseconds(1000));
    const double paintedElapsed = std::chrono::duration<double, std::milli>(TClock::now() - start).count();
    if (mapped && settleMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    const long settledKiB = ResidentKiB(pid);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    std::filesystem::remove_all(folder);
    if (!mapped)
        throw std::runtime_error("no window \"" + program.title + "\" from " + program.path);
    if (record) {
        program.mappedMs.push_back(elapsed);
        if (painted)
            program.paintedMs.push_back(paintedElapsed);
        program.mappedKiB.push_back(static_cast<double>(mappedKiB));
        program.settledKiB.push_back(static_cast<double>(settledKiB));
    }
}

// The median of a program's painted times, or a negative number when fewer
// than half of its launches changed their window after mapping.
double PaintedMedian(const TProgram& program) {
    return program.paintedMs.size() * 2 >= program.mappedMs.size() && !program.paintedMs.empty()
               ? Median(program.paintedMs)
               : -1.0;
}

void PrintFigures(const std::vector<TProgram>& programs, int runs, const TProgram* floor) {
    const TProgram& baseline = programs.front();
    const double baseMs = Median(baseline.mappedMs);
    const double basePaintedMs = PaintedMedian(baseline);
    const double floorMs = floor ? Median(floor->mappedMs) : 0.0;
    std::printf(
        "\n== Start-up under Xvfb + openbox: launch -> window mapped, and -> its first picture on screen"
        " (median of %d, rotating order)\n",
        runs);
    std::printf("  %-44s %10s %8s %8s %10s %8s %12s %12s %8s\n", "program", "mapped", "ratio", "-floor", "painted",
                "ratio", "RSS mapped", "RSS settled", "ratio");
    for (const TProgram& program : programs) {
        const double ms = Median(program.mappedMs);
        const double net = baseMs - floorMs > 0 ? (ms - floorMs) / (baseMs - floorMs) : 0.0;
        const double paintedMs = PaintedMedian(program);
        char painted[32] = "         -", paintedRatio[32] = "       -";
        if (paintedMs >= 0)
            std::snprintf(painted, sizeof painted, "%7.1f ms", paintedMs);
        if (paintedMs >= 0 && basePaintedMs > 0)
            std::snprintf(paintedRatio, sizeof paintedRatio, "%7.2fx", paintedMs / basePaintedMs);
        std::printf("  %-44s %7.1f ms %7.2fx %7.2fx %s %s %8.0f KiB %8.0f KiB %7.2fx\n", program.path.c_str(), ms,
                    ms / baseMs, floor ? net : 0.0, painted, paintedRatio, Median(program.mappedKiB),
                    Median(program.settledKiB), Median(program.settledKiB) / Median(baseline.settledKiB));
    }
    std::printf(
        "  (ratios against the first line; \"-floor\" subtracts the bare Xlib program's %.1f ms from both;\n"
        "   \"painted\" is when the window's pixels first change after it was mapped)\n",
        floorMs);
}

const TProgram* FindProgram(const std::vector<TProgram>& programs, const std::string& title) {
    const auto found =
        std::find_if(programs.begin(), programs.end(), [&](const TProgram& p) { return p.title == title; });
    return found == programs.end() ? nullptr : &*found;
}

void PrintJudgedRatio(const char* what, double programMs, double baselineMs, double target) {
    if (programMs < 0 || baselineMs <= 0) {
        std::printf("  %-8s no figure\n", what);
        return;
    }
    const double ratio = programMs / baselineMs;
    std::printf("  %-8s %7.1f ms against %7.1f ms  %5.2fx  target <= %.2fx  %s\n", what, programMs, baselineMs, ratio,
                target, ratio <= target ? "met" : "MISSED");
}

// The verdict line of the start-up targets, when both programs took part.
void PrintTargets(const std::vector<TProgram>& programs) {
    const TProgram* judged = FindProgram(programs, JudgedTitle);
    const TProgram* floor = FindProgram(programs, FairFloorTitle);
    if (!judged || !floor)
        return;
    std::printf("\n== Start-up targets: %s against %s\n", JudgedTitle.c_str(), FairFloorTitle.c_str());
    PrintJudgedRatio("mapped", Median(judged->mappedMs), Median(floor->mappedMs), MappedTarget);
    PrintJudgedRatio("painted", PaintedMedian(*judged), PaintedMedian(*floor), PaintedTarget);
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 21;
    int settleMs = 500;
    bool once = false;
    std::vector<TProgram> programs;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--runs" && i + 1 < argc) {
            runs = std::atoi(argv[++i]);
        } else if (argument == "--settle" && i + 1 < argc) {
            settleMs = std::atoi(argv[++i]);
        } else if (argument == "--once") {
            once = true;
        } else if (i + 1 < argc) {
            programs.push_back({std::filesystem::absolute(argument).string(), argv[++i], {}, {}, {}, {}});
        }
    }
    if (programs.empty()) {
        std::fprintf(stderr, "usage: %s [--runs N] [--settle MS] [--once] PROGRAM TITLE [PROGRAM TITLE ...]\n",
                     argv[0]);
        return 2;
    }
    try {
        TXProbe probe;
        if (once) {
            LaunchOnce(probe, programs.front(), 0, false);
            return 0;
        }
        for (TProgram& program : programs)
            LaunchOnce(probe, program, 0, false);  // warm the file cache
        for (int round = 0; round < runs; ++round) {
            for (size_t k = 0; k < programs.size(); ++k)
                LaunchOnce(probe, programs[(round + k) % programs.size()], settleMs, true);
        }
        PrintFigures(programs, runs, FindProgram(programs, FloorTitle));
        PrintTargets(programs);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_startup: %s\n", error.what());
        return 1;
    }
    return 0;
}
