#include "tests/win/program.h"

namespace tidewar_test {

Program::~Program()
{
    if (info_.hProcess && !WaitForExit(0))
        TerminateProcess(info_.hProcess, 1);
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
}

bool Program::Start(const std::wstring& arguments)
{
    wchar_t path[MAX_PATH];
    const std::wstring exe(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    const std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/"));
    const std::wstring program = folder + L"\\tidewar.exe";
    std::wstring line = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    return CreateProcessW(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                          &info_) != 0;
}

HWND Program::WaitForMainWindow(DWORD timeoutMs)
{
    return FindProcessWindow(info_.dwProcessId, L"Tidewar", nullptr, timeoutMs);
}

bool Program::Close(DWORD timeoutMs)
{
    HWND window = WaitForMainWindow(timeoutMs);
    return window && PostMessageW(window, WM_CLOSE, 0, 0) && WaitForExit(timeoutMs);
}

bool Program::WaitForExit(DWORD timeoutMs)
{
    return WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD Program::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

HWND FindProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title, DWORD timeoutMs)
{
    for (const DWORD start = GetTickCount();; Sleep(20)) {
        for (HWND window = FindWindowExW(nullptr, nullptr, className, title); window;
             window = FindWindowExW(nullptr, window, className, title)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == processId)
                return window;
        }
        if (GetTickCount() - start >= timeoutMs)
            return nullptr;
    }
}

} // namespace tidewar_test
