#include "ui/help.h"

#include <cwchar>
#include <iterator>

#include "base/language.h"
#include "base/program.h"
#include "base/settings.h"
#include "media/ansi_path.h"
#include "res/resource.h"

// From htmlhelp.h, which MinGW does not ship: hhctrl.ocx is loaded at run time, so the
// program imports system DLLs only.
using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
constexpr UINT HH_DISPLAY_TOPIC = 0;
constexpr UINT HH_CLOSE_ALL = 0x12;

HelpViewer Help;

static HtmlHelpFunction HtmlHelpCall()
{
    return reinterpret_cast<HtmlHelpFunction>(
        reinterpret_cast<void*>(Help.library ? GetProcAddress(Help.library, "HtmlHelpW") : nullptr));
}

void ResetHelp()
{
    if (HtmlHelpFunction htmlHelp = HtmlHelpCall())
        htmlHelp(nullptr, nullptr, HH_CLOSE_ALL, 0);
    if (Help.library)
        FreeLibrary(Help.library);
    Help = HelpViewer{};
}

// The HTML Help page of each context number, as the help tool names them.
static const wchar_t* HtmlHelpPage(DWORD context)
{
    return context == kOptionsHelpContext ? L"::/options.html" : L"";
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
// program's: they get the full path of the file beside the exe. Wide throughout: the ANSI
// calls cannot name a folder outside the code page.
static bool HelpFilePath(const wchar_t* name, wchar_t (&path)[MAX_PATH])
{
    if (!ProgramFolder(path) || std::wcslen(path) + std::wcslen(name) >= MAX_PATH)
        return false;
    std::wcscat(path, name);
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

// The help files of each InterfaceLanguage; a language whose file is missing gets English.
static const wchar_t* const kWinHelpFiles[] = {L"tidewar-ru.hlp", L"tidewar.hlp", L"tidewar-de.hlp"};
static const wchar_t* const kHtmlHelpFiles[] = {L"tidewar-ru.chm", L"tidewar.chm", L"tidewar-de.chm"};

static bool LanguageHelpPath(const wchar_t* const (&files)[3], wchar_t (&path)[MAX_PATH])
{
    return (Settings.Language < std::size(files) && HelpFilePath(files[Settings.Language], path)) || HelpFilePath(files[English], path);
}

// Ours instead of the viewer's question, which blocks until answered.
static void ShowHelpMissing(HWND owner, const wchar_t* name)
{
    wchar_t format[96], text[1024], caption[64];   // wsprintfW writes 1024 characters at most
    LoadLanguageString(IDS_HELP_MISSING, format, 96);
    LoadLanguageString(IDS_TITLE, caption, 64);
    wsprintfW(text, format, name);
    MessageBoxW(owner, text, caption, MB_OK | MB_ICONEXCLAMATION);
}

static void OpenHtmlHelp(HWND owner, const wchar_t* path, DWORD context)
{
    if (!Help.library) {
        wchar_t library[MAX_PATH + 16] = L"";
        GetSystemDirectoryW(library, MAX_PATH);
        lstrcatW(library, L"\\hhctrl.ocx");
        Help.library = LoadLibraryW(library);
    }
    const HtmlHelpFunction htmlHelp = HtmlHelpCall();
    if (!htmlHelp)
        return;
    wchar_t topic[MAX_PATH + 32];
    lstrcpyW(topic, path);
    lstrcatW(topic, HtmlHelpPage(context));
    htmlHelp(owner, topic, HH_DISPLAY_TOPIC, 0);
}

static void OpenHelp(HWND owner, UINT command, DWORD context)
{
    wchar_t path[MAX_PATH], safe[MAX_PATH];
    if (HasWinHelpViewer()) {
        if (LanguageHelpPath(kWinHelpFiles, path)) {
            AnsiSafePath(path, safe);
            WinHelpW(owner, safe, command, context);
        } else {
            ShowHelpMissing(owner, L"tidewar.hlp");
        }
    } else if (LanguageHelpPath(kHtmlHelpFiles, path)) {
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
