// Times programs from CreateProcess until their main window is visible and its message loop
// answers, taking them in turn so that a drift of the machine hits all of them alike.
//   startup_timer LAUNCHES EXE CLASS [EXE CLASS ...]
// Prints, per program, the mean and the median in milliseconds and the ratio of its median
// to the last program's.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// A busy machine may take seconds; a program that shows nothing for this long never will.
constexpr double kPatienceMs = 20000;

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// One launch: the time until the window shows and answers, or a negative number when it
// never does.
double TimeLaunch(const char* exe, const char* windowClass)
{
    char line[MAX_PATH + 2];
    std::snprintf(line, sizeof line, "\"%s\"", exe);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    LARGE_INTEGER start, now;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    HWND window = nullptr;
    DWORD_PTR answer;
    do {
        window = FindWindowA(windowClass, nullptr);
        if (!window || !IsWindowVisible(window) || !SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer)) {
            window = nullptr;
            Sleep(0);
        }
        QueryPerformanceCounter(&now);
    } while (!window && Milliseconds(start, now) < kPatienceMs);
    if (window)
        PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return window ? Milliseconds(start, now) : -1;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4 || argc % 2) {
        std::fprintf(stderr, "usage: startup_timer LAUNCHES EXE CLASS [EXE CLASS ...]\n");
        return 2;
    }
    const int launches = std::max(std::atoi(argv[1]), 1);
    const int programs = (argc - 2) / 2;
    std::vector<std::vector<double>> times(programs);
    // Round 0 is not counted: the first start of each program fills Wine's caches.
    for (int round = 0; round <= launches; ++round)
        for (int p = 0; p < programs; ++p) {
            double ms = TimeLaunch(argv[2 + 2 * p], argv[3 + 2 * p]);
            if (ms < 0) {   // now and then Wine's loader ends a start before the program runs
                std::fprintf(stderr, "startup_timer: %s showed no window of class %s; started again\n", argv[2 + 2 * p], argv[3 + 2 * p]);
                ms = TimeLaunch(argv[2 + 2 * p], argv[3 + 2 * p]);
            }
            if (ms < 0) {
                std::fprintf(stderr, "startup_timer: %s showed no window of class %s twice\n", argv[2 + 2 * p], argv[3 + 2 * p]);
                return 1;
            }
            if (round > 0)
                times[p].push_back(ms);
        }
    const double last = Median(times.back());
    for (int p = 0; p < programs; ++p) {
        double sum = 0;
        for (double ms : times[p])
            sum += ms;
        const char* exe = argv[2 + 2 * p];
        const char* name = std::max(std::strrchr(exe, '\\'), std::strrchr(exe, '/'));
        std::printf("%-18s mean %6.1f ms  median %6.1f ms  ratio %.2f\n", name ? name + 1 : exe, sum / launches,
                    Median(times[p]), Median(times[p]) / last);
    }
    return 0;
}
