// Start-up of the program against two yardsticks built in the same tree: a minimal Qt Widgets
// dialog, and the program's first page written plainly in Qt (the same window, menu, faces and
// text, none of the program's code). Each is started again and again, in turn, until its first
// window has been exposed and drawn (the programs end there when TABLITOR_EXIT_WHEN_SHOWN is
// set). For each: wall time, CPU time (user + system) and peak resident memory, as the median and
// min..max over the runs, and the program's ratios to the yardsticks' medians. Runs on the display of the environment: under xvfb-run on an X server, with no
// display on Qt's offscreen platform.
//
//     startup_bench [runs [program]]     (20 runs by default; another build of the program, such
//                                        as the one before a change, in place of this tree's)
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Sample {
    double wallMs = 0;
    double cpuMs = 0;
    double peakMb = 0;
};

struct Figures {
    double median = 0, min = 0, max = 0;
};

double Milliseconds(const timeval& time)
{
    return time.tv_sec * 1e3 + time.tv_usec / 1e3;
}

bool Start(const char* program, Sample& sample)
{
    const auto started = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        // Qt's warnings about the environment would bury the table.
        if (const int quiet = open("/dev/null", O_WRONLY); quiet >= 0) {
            dup2(quiet, STDOUT_FILENO);
            dup2(quiet, STDERR_FILENO);
        }
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return false;
    sample.wallMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
    sample.cpuMs = Milliseconds(usage.ru_utime) + Milliseconds(usage.ru_stime);
    sample.peakMb = usage.ru_maxrss / 1024.0;
    return true;
}

Figures Summarise(const std::vector<Sample>& samples, double Sample::*field)
{
    std::vector<double> values;
    for (const Sample& sample : samples)
        values.push_back(sample.*field);
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    const double median = n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return {median, values.front(), values.back()};
}

constexpr int Programs = 3;

void PrintRow(const char* what, const char* unit, const std::vector<Sample> (&samples)[Programs],
              double Sample::*field)
{
    std::printf("%-12s", (std::string(what) + " " + unit).c_str());
    Figures figures[Programs];
    for (int which = 0; which < Programs; ++which) {
        figures[which] = Summarise(samples[which], field);
        std::printf(" %7.1f (%5.1f..%5.1f)", figures[which].median, figures[which].min, figures[which].max);
    }
    for (int yardstick = 1; yardstick < Programs; ++yardstick)
        std::printf(" %6.2fx", figures[0].median / figures[yardstick].median);
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    setenv("TABLITOR_EXIT_WHEN_SHOWN", "1", 1);
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 0);

    const char* const programs[Programs] = {argc > 2 ? argv[2] : TABLITOR_PROGRAM, MINIMAL_DIALOG_PROGRAM,
                                            FIRST_PAGE_PROGRAM};
    std::vector<Sample> samples[Programs];
    // One start of each first, unmeasured, so that all find the libraries in the page cache; each
    // round starts with another of them.
    for (int i = -1; i < runs; ++i) {
        for (int step = 0; step < Programs; ++step) {
            const int which = (i + Programs + step) % Programs;
            Sample sample;
            if (!Start(programs[which], sample)) {
                std::fprintf(stderr, "%s did not start and end cleanly\n", programs[which]);
                return 1;
            }
            if (i >= 0)
                samples[which].push_back(sample);
        }
    }

    std::printf("%d runs each, platform %s; median (min..max)\n", runs,
                std::getenv("QT_QPA_PLATFORM") != nullptr ? std::getenv("QT_QPA_PLATFORM") : "of the display");
    std::printf("%-12s %24s %24s %24s %7s %7s\n", "", "program", "minimal dialog", "first page", "/min", "/page");
    PrintRow("wall", "ms", samples, &Sample::wallMs);
    PrintRow("CPU", "ms", samples, &Sample::cpuMs);
    PrintRow("peak RSS", "MB", samples, &Sample::peakMb);
    return 0;
}
