#include "ui/help.h"

#include <cstring>

#include "app/startup.h"
#include "res/resource.h"
#include "ui/language.h"

// From htmlhelp.h, which MinGW does not ship: hhctrl.ocx is loaded at run time, so the
// program imports system DLLs only.
using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
constexpr UINT HH_DISPLAY_TOPIC = 0;

// The HTML Help page of each context number, as the help tool names them.
static const char* HtmlHelpPage(DWORD context)
{
    return context == kOptionsHelpContext ? "::/options.html" : "";
}

// Windows up to XP ships the WinHelp viewer; Vista and later only a stub that points to a
// download, but HTML Help. Wine's winhlp32 reads .hlp files whatever version it reports.
static bool HasWinHelpViewer()
{
    if (GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version"))
        return true;
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) && version.dwMajorVersion < 6;
}

// The viewers look in their own, the current and the system folders, never in the
// program's: they get the full path of the file beside the exe.
static bool HelpFilePath(const char* name, char (&path)[MAX_PATH])
{
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    char* folderEnd = std::strrchr(path, '\\');
    if (!folderEnd || folderEnd + 1 - path + lstrlenA(name) >= MAX_PATH)
        return false;
    lstrcpyA(folderEnd + 1, name);
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// Ours instead of the viewer's question, which blocks until answered.
static void ShowHelpMissing(HWND owner, const wchar_t* name)
{
    wchar_t format[96], text[1024], caption[64];   // wsprintfW writes 1024 characters at most
    LoadStringW(ProgramInstance, IDS_HELP_MISSING + LanguageOffset(), format, 96);
    LoadStringW(ProgramInstance, IDS_TITLE + LanguageOffset(), caption, 64);
    wsprintfW(text, format, name);
    MessageBoxW(owner, text, caption, MB_OK | MB_ICONEXCLAMATION);
}

static void OpenHtmlHelp(HWND owner, const char* path, DWORD context)
{
    char systemFolder[MAX_PATH], library[MAX_PATH + 16];
    GetSystemDirectoryA(systemFolder, MAX_PATH);
    wsprintfA(library, "%s\\hhctrl.ocx", systemFolder);
    // Kept loaded: the viewer's window lives in this process.
    static HMODULE viewer = LoadLibraryA(library);
    auto htmlHelp = reinterpret_cast<HtmlHelpFunction>(
        reinterpret_cast<void*>(viewer ? GetProcAddress(viewer, "HtmlHelpA") : nullptr));
    if (!htmlHelp)
        return;
    char topic[MAX_PATH + 32];
    wsprintfA(topic, "%s%s", path, HtmlHelpPage(context));
    htmlHelp(owner, topic, HH_DISPLAY_TOPIC, 0);
}

static void OpenHelp(HWND owner, UINT command, DWORD context)
{
    char path[MAX_PATH];
    if (HasWinHelpViewer()) {
        if (HelpFilePath("tidewar.hlp", path))
            WinHelpA(owner, path, command, context);
        else
            ShowHelpMissing(owner, L"tidewar.hlp");
    } else if (HelpFilePath("tidewar.chm", path)) {
        OpenHtmlHelp(owner, path, context);
    } else {
        ShowHelpMissing(owner, L"tidewar.chm");
    }
}

void OpenHelpContents(HWND owner)
{
    OpenHelp(owner, HELP_CONTENTS, 0);
}

void OpenHelpContext(HWND owner, DWORD context)
{
    OpenHelp(owner, HELP_CONTEXT, context);
}
