// What needs a process of its own: the exit code of a normal end and the "clear" command.

#include "tests/win/shell_fixture.h"

namespace {

// tidewar.exe from beside the test exe, in its folder; killed if a test leaves it running.
struct Process {
    PROCESS_INFORMATION info = {};
    explicit Process(std::string arguments)
    {
        std::string line = "\"" + BesideTests("tidewar.exe") + "\" " + arguments;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, BesideTests("").c_str(), &startup, &info);
    }
    ~Process()
    {
        TerminateProcess(info.hProcess, 1);
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
    }
    // Its top-level window of the class and caption, polled for up to 5 s.
    HWND Window(const char* className, const char* caption)
    {
        for (int tries = 0; tries < 250; ++tries, Sleep(20))
            for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, className, caption));) {
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner == info.dwProcessId)
                    return window;
            }
        return nullptr;
    }
    DWORD ExitCode()
    {
        DWORD code = STILL_ACTIVE;
        WaitForSingleObject(info.hProcess, 5000);
        GetExitCodeProcess(info.hProcess, &code);
        return code;
    }
};

TEST(Process, CloseEndsTheProgramWithExitCodeZero)
{
    Process program("");
    PostMessageW(program.Window("Tidewar", "Tidewar"), WM_CLOSE, 0, 0);
    EXPECT_EQ(program.ExitCode(), 0u);
}

TEST(Process, ClearWipesTheSettingsAndSaysSoWithoutAWindow)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, SettingsKeyPath, &key), ERROR_SUCCESS);
    RegCloseKey(key);
    Process program("clear");
    HWND box = program.Window("#32770", "Tidewar");
    wchar_t text[128] = L"";
    GetDlgItemTextW(box, 0xFFFF, text, 128);
    EXPECT_STREQ(text, L"Программа очистила реестр\nУдалила записи, которые она сделала");
    EXPECT_EQ(FindWindowA("Tidewar", nullptr), nullptr) << "no window";
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(program.ExitCode(), 0u);
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKeyPath, 0, KEY_READ, &key), ERROR_SUCCESS);
}

}  // namespace
