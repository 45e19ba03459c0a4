#pragma once

// The benchmarks' small timing harness: a figure is the median of N
// repetitions, and a figure that has a baseline is measured interleaved with
// it in the same run (program, baseline, program, baseline, ...), so a busy
// machine slows both alike. The harness prints figures; it judges nothing
// but the ratio against the stated target.

#include <QString>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace bench {

using TClock = std::chrono::steady_clock;

inline double MillisecondsSince(TClock::time_point start) {
    return std::chrono::duration<double, std::milli>(TClock::now() - start).count();
}

// Runs `step` once and returns its duration in milliseconds.
inline double TimeOnce(const std::function<void()>& step) {
    const TClock::time_point start = TClock::now();
    step();
    return MillisecondsSince(start);
}

inline double Median(std::vector<double> values) {
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

// One timed action and the untimed preparation it needs before every run.
struct TTimedStep {
    std::function<void()> prepare;  // may be empty
    std::function<void()> run;
};

struct TSideBySide {
    double programMs = 0.0;
    double baselineMs = 0.0;
    double Ratio() const { return baselineMs > 0.0 ? programMs / baselineMs : 0.0; }
};

// Medians of `repetitions` interleaved runs of `program` and `baseline`,
// after one untimed warm-up run of each.
inline TSideBySide MeasureSideBySide(int repetitions, const TTimedStep& program, const TTimedStep& baseline) {
    auto runOnce = [](const TTimedStep& step) {
        if (step.prepare)
            step.prepare();
        return TimeOnce(step.run);
    };
    runOnce(program);
    runOnce(baseline);
    std::vector<double> programTimes;
    std::vector<double> baselineTimes;
    for (int i = 0; i < repetitions; ++i) {
        programTimes.push_back(runOnce(program));
        baselineTimes.push_back(runOnce(baseline));
    }
    return {Median(programTimes), Median(baselineTimes)};
}

// Median of `repetitions` runs of one step, after one untimed warm-up run.
inline double MeasureAlone(int repetitions, const TTimedStep& step) {
    return MeasureSideBySide(repetitions, step, TTimedStep{{}, [] {}}).programMs;
}

// The resident size of this process, in KiB, from /proc/self/status.
inline long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

inline std::string Text(const QString& text) {
    return text.toStdString();
}

// One line of a side-by-side figure: "name  program  baseline  ratio  target  verdict".
inline void PrintRatioLine(const std::string& name, const TSideBySide& figure, double target) {
    const char* verdict = target <= 0.0 ? "" : (figure.Ratio() <= target ? "met" : "MISSED");
    char targetText[32] = "-";
    if (target > 0.0)
        std::snprintf(targetText, sizeof targetText, "<= %.1fx", target);
    std::printf("  %-34s %10.3f ms %10.3f ms %7.2fx %9s %s\n", name.c_str(), figure.programMs, figure.baselineMs,
                figure.Ratio(), targetText, verdict);
    std::fflush(stdout);
}

// A figure judged by its own duration: at most `limitMs`.
inline void PrintFrameLine(const std::string& name, const TSideBySide& figure, double limitMs) {
    char targetText[32];
    std::snprintf(targetText, sizeof targetText, "<= %.1f ms", limitMs);
    std::printf("  %-34s %10.3f ms %10.3f ms %7.2fx %9s %s\n", name.c_str(), figure.programMs, figure.baselineMs,
                figure.Ratio(), targetText, figure.programMs <= limitMs ? "met" : "MISSED");
    std::fflush(stdout);
}

inline void PrintRatioHeader(const std::string& title, const std::string& programName,
                             const std::string& baselineName) {
    std::printf("\n== %s\n  %-34s %13s %13s %8s %9s\n", title.c_str(), "case", programName.c_str(),
                baselineName.c_str(), "ratio", "target");
}

}  // namespace bench
