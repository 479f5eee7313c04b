#include "tests/win/program.h"

#include <vector>

namespace tidewar_test {

namespace {

const DWORD PollIntervalMs = 20;

} // namespace

std::wstring ProgramPath()
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) {
            std::wstring path(buffer.data(), length);
            return path.substr(0, path.find_last_of(L"\\/") + 1) + L"tidewar.exe";
        }
        buffer.resize(buffer.size() * 2);
    }
}

Program::~Program()
{
    if (Running())
        Kill();
    if (info_.hProcess)
        CloseHandle(info_.hProcess);
    if (info_.hThread)
        CloseHandle(info_.hThread);
}

bool Program::Start(const std::wstring& arguments)
{
    std::wstring path = ProgramPath();
    std::wstring folder = path.substr(0, path.find_last_of(L"\\/"));
    std::wstring commandLine = L"\"" + path + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    std::vector<wchar_t> mutableLine(commandLine.begin(), commandLine.end());
    mutableLine.push_back(L'\0');

    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    return CreateProcessW(path.c_str(), mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &startup, &info_) != 0;
}

HWND Program::WaitForMainWindow(DWORD timeoutMs)
{
    if (!mainWindow_)
        mainWindow_ = FindProcessWindow(info_.dwProcessId, L"Tidewar", nullptr, timeoutMs);
    return mainWindow_;
}

bool Program::Close(DWORD timeoutMs)
{
    HWND window = WaitForMainWindow(timeoutMs);
    if (window)
        PostMessageW(window, WM_CLOSE, 0, 0);
    if (window && WaitForExit(timeoutMs))
        return true;
    Kill();
    return false;
}

bool Program::WaitForExit(DWORD timeoutMs)
{
    return info_.hProcess && WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

void Program::Kill()
{
    if (!info_.hProcess)
        return;
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, 5000);
}

bool Program::Running() const
{
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD Program::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (info_.hProcess)
        GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

HWND FindProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title,
                       DWORD timeoutMs)
{
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    DWORD start = GetTickCount();
    HWND found = nullptr;
    for (;;) {
        // Several programs of the same class may run: take the one of this process.
        for (HWND window = FindWindowExW(nullptr, nullptr, className, title); window;
             window = FindWindowExW(nullptr, window, className, title)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == processId) {
                found = window;
                break;
            }
        }
        if (found || GetTickCount() - start >= timeoutMs)
            break;
        // A process that has ended opens no more windows.
        if (process && WaitForSingleObject(process, 0) == WAIT_OBJECT_0)
            break;
        Sleep(PollIntervalMs);
    }
    if (process)
        CloseHandle(process);
    return found;
}

std::wstring WindowText(HWND window)
{
    int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, &text[0], length + 1)));
    return text;
}

SIZE WindowSize(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

SIZE ClientSize(HWND window)
{
    RECT rect = {};
    GetClientRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace tidewar_test
