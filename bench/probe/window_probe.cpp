// Drives tidewar.exe as a player would and measures how its window answers and how often the
// program wakes. It reads nothing of the program's but its windows and, through Wine's Z:
// drive, the Linux process's context switches.
//   window_probe computer EXE   one whole game against the computer, its window pinged
//   window_probe network EXE    one network game between two programs on loopback, both pinged
//   window_probe idle EXE       wake-ups on the first screen and while the player aims
//   window_probe sound EXE      wake-ups and waits while the opening sound plays
//   window_probe dialog EXE     waits while the options sheet, the statistics and About are open
// BENCH_IDLE_SECONDS sets the length of each idle phase (20 s).
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "media/scene.h"
#include "res/resource.h"

namespace {

constexpr const char* kSettingsKey = "Software\\Quorvex Software\\Tidewar";
constexpr DWORD kProbePort = 47381;   // apart from the tests' ports
constexpr UINT kPingTimeoutMs = 5000;
constexpr DWORD kPingIntervalMs = 5;
// A busy machine is slow; a program that shows nothing or never ends its game in these is stuck.
constexpr ULONGLONG kWindowPatienceMs = 30000;
constexpr ULONGLONG kGamePatienceMs = 180000;
// Long enough for the opening sound (about 4.1 s) to end before the fleet can be laid.
constexpr ULONGLONG kOpeningMs = 5000;
// Wine's own work at a program's start wakes it too; the first screen is counted after it.
constexpr DWORD kSettleMs = 2000;

double Now()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * double(counter.QuadPart) / double(frequency.QuadPart);
}

std::string ReadWhole(const std::string& path)
{
    std::string text;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        char chunk[4096];
        for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
            text.append(chunk, got);
        std::fclose(file);
    }
    return text;
}

// The Linux processes whose command line names the exe; Wine's loader puts the Windows
// command line there.
std::set<int> LinuxProcessesOf(const std::string& exe)
{
    std::set<int> found;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA("Z:\\proc\\*", &entry);
    if (search == INVALID_HANDLE_VALUE)
        return found;
    do {
        const int pid = std::atoi(entry.cFileName);
        if (pid <= 0)
            continue;
        std::string line = ReadWhole("Z:\\proc\\" + std::to_string(pid) + "\\cmdline");
        std::replace(line.begin(), line.end(), '\0', ' ');
        if (!line.empty() && _strnicmp(line.c_str(), exe.c_str(), exe.size()) == 0)
            found.insert(pid);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return found;
}

// The voluntary context switches of all the process's threads: each is a wake-up after a wait.
long long WakeUps(int pid)
{
    const std::string tasks = "Z:\\proc\\" + std::to_string(pid) + "\\task\\";
    long long sum = 0;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((tasks + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return -1;
    do {
        if (std::atoi(entry.cFileName) <= 0)
            continue;
        const std::string status = ReadWhole(tasks + entry.cFileName + "\\status");
        const size_t at = status.find("voluntary_ctxt_switches:");
        if (at != std::string::npos && (at == 0 || status[at - 1] == '\n'))
            sum += std::atoll(status.c_str() + at + std::strlen("voluntary_ctxt_switches:"));
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return sum;
}

struct Program {
    PROCESS_INFORMATION info = {};
    HWND window = nullptr;
    int linuxPid = 0;   // 0 when not found
};

HWND MainWindowOf(DWORD processId)
{
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, "Tidewar", nullptr));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

// A message box of the program's over its main window, or null.
HWND BoxOver(HWND window)
{
    for (HWND box = nullptr; (box = FindWindowExA(nullptr, box, "#32770", nullptr));)
        if (GetWindow(box, GW_OWNER) == window && IsWindowVisible(box))
            return box;
    return nullptr;
}

// Closes the program as the player would, saying yes when asked whether to abandon the game.
void End(Program& program)
{
    bool ended = !program.info.hProcess;
    if (program.window)
        PostMessageA(program.window, WM_CLOSE, 0, 0);
    for (const ULONGLONG end = GetTickCount64() + 10000; !ended && GetTickCount64() < end;) {
        if (HWND box = program.window ? BoxOver(program.window) : nullptr)
            PostMessageA(box, WM_COMMAND, IDYES, 0);
        ended = WaitForSingleObject(program.info.hProcess, 50) == WAIT_OBJECT_0;
    }
    if (!ended) {
        std::printf("  the program did not close within 10 s: ended\n");
        TerminateProcess(program.info.hProcess, 1);
    }
    CloseHandle(program.info.hThread);
    CloseHandle(program.info.hProcess);
    program = Program();
}

// Starts the exe in its own folder and waits until its main window shows and answers.
bool Launch(const std::string& exe, Program& program)
{
    const std::set<int> before = LinuxProcessesOf(exe);
    std::string folder = exe.substr(0, exe.find_last_of('\\') + 1);
    std::string line = "\"" + exe + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &program.info)) {
        std::printf("  could not start %s\n", exe.c_str());
        return false;
    }
    DWORD_PTR answer;
    for (const ULONGLONG end = GetTickCount64() + kWindowPatienceMs; GetTickCount64() < end; Sleep(20)) {
        program.window = MainWindowOf(program.info.dwProcessId);
        if (program.window &&
            SendMessageTimeoutA(program.window, WM_NULL, 0, 0, SMTO_NORMAL, kPingTimeoutMs, &answer))
            break;
        program.window = nullptr;
    }
    if (!program.window) {
        std::printf("  no window within %llu s\n", kWindowPatienceMs / 1000);
        End(program);
        return false;
    }
    for (int pid : LinuxProcessesOf(exe))
        if (!before.count(pid))
            program.linuxPid = pid;
    return true;
}

// Sends the window an empty message every few milliseconds from a thread of its own and keeps
// each wait.
class Pinger {
public:
    explicit Pinger(HWND window) : window_(window)
    {
        thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
    }
    // Stops and returns the waits in milliseconds.
    std::vector<double> Stop()
    {
        stop_ = true;
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        return waits_;
    }

private:
    static DWORD WINAPI Run(void* self)
    {
        auto& pinger = *static_cast<Pinger*>(self);
        DWORD_PTR answer;
        while (!pinger.stop_) {
            const double start = Now();
            SendMessageTimeoutA(pinger.window_, WM_NULL, 0, 0, SMTO_NORMAL, kPingTimeoutMs, &answer);
            pinger.waits_.push_back(Now() - start);
            Sleep(kPingIntervalMs);
        }
        return 0;
    }
    HWND window_;
    HANDLE thread_;
    std::atomic<bool> stop_{false};
    std::vector<double> waits_;
};

void PrintWaits(const char* what, std::vector<double> waits)
{
    if (waits.empty()) {
        std::printf("  %s: no waits recorded\n", what);
        return;
    }
    std::sort(waits.begin(), waits.end());
    const size_t over = size_t(waits.end() - std::upper_bound(waits.begin(), waits.end(), 100.0));
    const size_t p99 = std::max<size_t>((waits.size() * 99 + 99) / 100, 1) - 1;
    std::printf("  %s: %zu waits, largest %.1f ms, 99th percentile %.1f ms, %zu over 100 ms\n", what,
                waits.size(), waits.back(), waits[p99], over);
}

bool Answer(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kPingTimeoutMs, nullptr) != 0;
}

void Begin(HWND window)
{
    PostMessageA(window, WM_COMMAND, CMD_NEW_GAME, 0);
}

// Lays the fleet at random once the program takes it; a click on the enemy board counts only
// on the player's turn, so each pass clicks every cell again; the game ends in a box.
// Returns the box's caption, or empty once the game took too long or a window stopped answering.
std::string PlayOut(const std::vector<HWND>& windows)
{
    std::vector<std::string> ends(windows.size());
    for (const ULONGLONG end = GetTickCount64() + kGamePatienceMs; GetTickCount64() < end;) {
        for (int cell = 0; cell < 100; ++cell)
            for (size_t i = 0; i < windows.size(); ++i) {
                if (!ends[i].empty())
                    continue;
                if (HWND box = BoxOver(windows[i])) {
                    char caption[64] = "";
                    GetWindowTextA(box, caption, sizeof caption);
                    ends[i] = caption[0] ? caption : "?";
                    PostMessageA(box, WM_COMMAND, IDOK, 0);
                    continue;
                }
                const LPARAM point = MAKELPARAM(kEnemyBoardLeft + kCellSize / 2 + cell % 10 * kCellSize,
                                                kBoardTop + kCellSize / 2 + cell / 10 * kCellSize);
                if (!Answer(windows[i], WM_KEYDOWN, 'A', 0) || !Answer(windows[i], WM_LBUTTONDOWN, MK_LBUTTON, point) ||
                    !Answer(windows[i], WM_LBUTTONUP, 0, point)) {
                    std::printf("  a window stopped answering for %u s\n", kPingTimeoutMs / 1000);
                    return "";
                }
                Sleep(2);
            }
        if (std::none_of(ends.begin(), ends.end(), [](const std::string& e) { return e.empty(); })) {
            std::string all;
            for (const std::string& e : ends)
                all += (all.empty() ? "" : ", ") + e;
            return all;
        }
    }
    std::printf("  the game did not end within %llu s\n", kGamePatienceMs / 1000);
    return "";
}

// Wake-ups per second over the phase; no pings meanwhile, they would wake the program.
void PrintWakeUps(const char* phase, const Program& program, double seconds)
{
    const long long first = WakeUps(program.linuxPid);
    const double start = Now();
    Sleep(DWORD(seconds * 1000));
    const long long last = WakeUps(program.linuxPid);
    const double took = (Now() - start) / 1000;
    if (first < 0 || last < 0)
        std::printf("  %s: wake-ups not read (no Linux process found)\n", phase);
    else
        std::printf("  %s: %.1f wake-ups a second over %.1f s\n", phase, double(last - first) / took, took);
}

int Computer(const std::string& exe)
{
    Program program;
    if (!Launch(exe, program))
        return 1;
    Pinger pinger(program.window);
    const double start = Now();
    Begin(program.window);
    const std::string end = PlayOut({program.window});
    const double took = Now() - start;
    const std::vector<double> waits = pinger.Stop();
    if (!end.empty())
        std::printf("  game against the computer: %s after %.1f s\n", end.c_str(), took / 1000);
    PrintWaits("window's waits", waits);
    if (!end.empty())
        PrintWakeUps("after the end", program, kOpeningMs / 1000.0);
    End(program);
    return end.empty();
}

// The host first, then the guest, so that each one's Linux process is told apart.
bool Connect(const std::string& exe, Program (&programs)[2])
{
    for (int i : {0, 1}) {
        if (!Launch(exe, programs[i]))
            return false;
        PostMessageA(programs[i].window, WM_COMMAND, CMD_NETWORK_GAME, 0);
        HWND dialog = nullptr;
        for (const ULONGLONG end = GetTickCount64() + kWindowPatienceMs; !dialog && GetTickCount64() < end; Sleep(20))
            dialog = BoxOver(programs[i].window);
        if (!dialog) {
            std::printf("  no network dialog within %llu s\n", kWindowPatienceMs / 1000);
            return false;
        }
        SendDlgItemMessageA(dialog, i ? IDC_NET_JOIN : IDC_NET_HOST, BM_CLICK, 0, 0);
        SetDlgItemTextA(dialog, IDC_NET_HOST_NAME, "127.0.0.1");
        SendDlgItemMessageA(dialog, IDOK, BM_CLICK, 0, 0);
    }
    // The host's dialog waits for the guest; the game begins once both dialogs have closed.
    const ULONGLONG closed = GetTickCount64() + kWindowPatienceMs;
    while ((BoxOver(programs[0].window) || BoxOver(programs[1].window)) && GetTickCount64() < closed)
        Sleep(20);
    if (BoxOver(programs[0].window) || BoxOver(programs[1].window)) {
        std::printf("  the network dialogs stayed open for %llu s\n", kWindowPatienceMs / 1000);
        return false;
    }
    return true;
}

int Network(const std::string& exe)
{
    RegSetKeyValueA(HKEY_CURRENT_USER, kSettingsKey, "NetworkPort", REG_DWORD, &kProbePort, 4);
    Program programs[2];
    std::string end;
    if (Connect(exe, programs)) {
        Pinger host(programs[0].window), guest(programs[1].window);
        const double start = Now();
        end = PlayOut({programs[0].window, programs[1].window});
        const double took = Now() - start;
        std::vector<double> waits = host.Stop(), guestWaits = guest.Stop();
        waits.insert(waits.end(), guestWaits.begin(), guestWaits.end());
        if (!end.empty())
            std::printf("  network game: %s after %.1f s\n", end.c_str(), took / 1000);
        PrintWaits("both windows' waits", waits);
    }
    for (Program& program : programs)
        End(program);
    return end.empty();
}

// Begin, then the fleet at random once the opening sound has let it be laid.
void BeginAndLayFleet(HWND window)
{
    Begin(window);
    for (const ULONGLONG end = GetTickCount64() + kOpeningMs; GetTickCount64() < end; Sleep(100))
        Answer(window, WM_KEYDOWN, 'A', 0);
}

int Idle(const std::string& exe, double seconds)
{
    Program program;
    if (!Launch(exe, program))
        return 1;
    Sleep(kSettleMs);
    PrintWakeUps("first screen", program, seconds);
    BeginAndLayFleet(program.window);
    PrintWakeUps("player aiming", program, seconds);
    End(program);
    return 0;
}

// Two launches: the pings would wake the program, so the wake-ups are counted without them.
int Sound(const std::string& exe)
{
    if (waveOutGetNumDevs() == 0) {
        std::printf("  while a sound plays: skipped, no sound device here\n");
        return 0;
    }
    Program program;
    if (!Launch(exe, program))
        return 1;
    Begin(program.window);
    PrintWakeUps("while the opening sound plays", program, kOpeningMs / 1000.0);
    End(program);
    if (!Launch(exe, program))
        return 1;
    Pinger pinger(program.window);
    Begin(program.window);
    Sleep(DWORD(kOpeningMs));
    PrintWaits("window's waits while the opening sound plays", pinger.Stop());
    End(program);
    return 0;
}

// The main window pinged while each modal dialog of the menu is open over the player's aim.
int Dialogs(const std::string& exe)
{
    Program program;
    if (!Launch(exe, program))
        return 1;
    BeginAndLayFleet(program.window);
    int failed = 0;
    for (const auto& dialog : {std::make_pair(CMD_OPTIONS, "options sheet"), std::make_pair(CMD_STATISTICS, "statistics box"),
                               std::make_pair(CMD_ABOUT, "About box")}) {
        Pinger pinger(program.window);
        PostMessageA(program.window, WM_COMMAND, dialog.first, 0);
        HWND box = nullptr;
        for (const ULONGLONG end = GetTickCount64() + kWindowPatienceMs; !box && GetTickCount64() < end; Sleep(20))
            box = BoxOver(program.window);
        Sleep(DWORD(kOpeningMs));
        const std::vector<double> waits = pinger.Stop();
        if (!box) {
            std::printf("  the %s did not open within %llu s\n", dialog.second, kWindowPatienceMs / 1000);
            failed = 1;
            continue;
        }
        PrintWaits((std::string("window's waits while the ") + dialog.second + " is open").c_str(), waits);
        PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
        for (const ULONGLONG end = GetTickCount64() + kWindowPatienceMs; BoxOver(program.window) && GetTickCount64() < end;)
            Sleep(20);
    }
    End(program);
    return failed;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc == 3 ? argv[1] : "";
    if (mode != "computer" && mode != "network" && mode != "idle" && mode != "sound" && mode != "dialog") {
        std::fprintf(stderr, "usage: window_probe computer|network|idle|sound|dialog EXE\n");
        return 2;
    }
    setvbuf(stdout, nullptr, _IONBF, 0);
    // Each run starts from the settings of a first start and leaves none behind.
    RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
    const std::string exe = argv[2];
    const char* seconds = std::getenv("BENCH_IDLE_SECONDS");
    int failed;
    if (mode == "computer")
        failed = Computer(exe);
    else if (mode == "network")
        failed = Network(exe);
    else if (mode == "idle")
        failed = Idle(exe, seconds ? std::max(std::atof(seconds), 1.0) : 20.0);
    else if (mode == "sound")
        failed = Sound(exe);
    else
        failed = Dialogs(exe);
    RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
    return failed;
}
