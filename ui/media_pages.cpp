// The two pages work alike and differ in their list, the file pattern, the text of an
// entry and what applying does.
#include "ui/media_pages.h"

#include <commctrl.h>

#include <cwchar>

#include "base/language.h"
#include "base/program.h"
#include "base/settings.h"
#include "media/scene.h"
#include "media/skin.h"
#include "media/sound.h"
#include "res/resource.h"
#include "ui/options.h"

MediaPagesState MediaPages;

void ResetMediaPages()
{
    MediaPages = MediaPagesState{};
}

namespace {

// The longest folder of the program that is searched.
constexpr DWORD kMaxProgramPath = 240;
constexpr int kSkinNameLength = 256;

// The folder of the program with its trailing backslash; false when it is not to be searched.
bool SearchedFolder(wchar_t* path)
{
    return ProgramFolder(path) && std::wcslen(path) <= kMaxProgramPath;
}

// A skin's name, a space, the file name in brackets and the terminator fit.
constexpr int kEntryTextLength = kSkinNameLength + MAX_PATH + 4;

// The list text of a file; false when the file is not to be listed.
using EntryText = bool (*)(const wchar_t* path, const wchar_t* fileName, wchar_t (&text)[kEntryTextLength]);

bool MusicEntryText(const wchar_t*, const wchar_t* fileName, wchar_t (&text)[kEntryTextLength])
{
    lstrcpynW(text, fileName, kEntryTextLength);
    return true;
}

// A skin is listed by the name it gives itself in the current language; the library is
// opened as data only, like the skin in play.
bool SkinEntryText(const wchar_t* path, const wchar_t* fileName, wchar_t (&text)[kEntryTextLength])
{
    HMODULE library = OpenSkinLibrary(path);
    if (!library)
        return false;
    wchar_t name[kSkinNameLength] = L"";
    const int length = LoadStringW(library, IDS_SKIN_NAME * (LanguageOffset() / 100 + 1), name, kSkinNameLength);
    FreeLibrary(library);
    if (length <= 0)
        return false;
    wsprintfW(text, L"%s (%s)", name, fileName);
    return true;
}

int FillList(HWND list, ChoicePaths& choices, int firstEntry, const wchar_t* setting, const wchar_t* pattern,
             EntryText entryText)
{
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    wchar_t none[kSettingTextSize] = L"";
    LoadLanguageString(firstEntry, none, kSettingTextSize);
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(none));
    std::wcscpy(choices.path[0], L"no");
    choices.count = 1;
    int selected = std::wcscmp(setting, L"no") == 0 ? 0 : -1;

    // The folder, then the pattern or each file's name (at most MAX_PATH - 1 characters).
    wchar_t file[2 * MAX_PATH];
    if (!SearchedFolder(file))
        return selected;
    wchar_t* const name = file + std::wcslen(file);
    lstrcpyW(name, pattern);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(file, &found);
    if (search == INVALID_HANDLE_VALUE)
        return selected;
    do {
        // The setting holds at most 255 characters: a longer path could not be stored.
        lstrcpyW(name, found.cFileName);
        if (std::wcslen(file) >= kSettingTextSize)
            continue;
        wchar_t(&path)[kSettingTextSize] = choices.path[choices.count];
        std::wcscpy(path, file);
        wchar_t text[kEntryTextLength];
        if (!entryText(path, found.cFileName, text))
            continue;
        const LRESULT added = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        if (added == LB_ERR || added == LB_ERRSPACE)
            continue;
        CharLowerW(path);
        if (std::wcscmp(path, setting) == 0)
            selected = choices.count;
        ++choices.count;
    } while (choices.count <= kMaxListedFiles && FindNextFileW(search, &found));
    FindClose(search);
    return selected;
}

// Refill a page's list and the paths behind it; the index of the entry that the current
// setting names, or -1 when none does.
int FillMusicList(HWND list)
{
    return FillList(list, MediaPages.musicChoices, IDS_NO_MUSIC, Settings.MusicName, L"*.mid", MusicEntryText);
}

int FillSkinList(HWND list)
{
    return FillList(list, MediaPages.skinChoices, IDS_STANDARD_SKIN, Settings.SkinName, L"*.dll", SkinEntryText);
}

// Store and play list entry `index` of the last filled music list, or store and show that
// skin; an index below 0 (no selection) does nothing.
void ApplyMusicChoice(int index)
{
    if (index < 0 || index >= MediaPages.musicChoices.count)
        return;
    std::wcscpy(Settings.MusicName, MediaPages.musicChoices.path[index]);
    SaveSettings(MusicChoice);
    StopMusic();
    if (index != 0)
        StartMusic(MainWindow, Settings.MusicName);
}

void ApplySkinChoice(int index)
{
    if (index < 0 || index >= MediaPages.skinChoices.count)
        return;
    std::wcscpy(Settings.SkinName, MediaPages.skinChoices.path[index]);
    SaveSettings(SkinChoice);
    UnloadSkin();
    LoadSkin();
    RedrawScene();
    InvalidateMainWindow(false);
}

// What tells the two pages apart.
struct ChoicePage {
    int list;
    int (*fill)(HWND list);
    void (*apply)(int index);
    bool& changed;
};

const ChoicePage kMusicPage = {IDC_MUSIC_LIST, FillMusicList, ApplyMusicChoice, MediaPages.musicChanged};
const ChoicePage kSkinPage = {IDC_SKIN_LIST, FillSkinList, ApplySkinChoice, MediaPages.skinChanged};

template <const ChoicePage& kind>
void ShowChoices(HWND page)
{
    HWND list = GetDlgItem(page, kind.list);
    SendMessageW(list, LB_SETCURSEL, kind.fill(list), 0);
}

template <const ChoicePage& kind>
void ApplyChoice(HWND page)
{
    if (kind.changed)
        kind.apply(static_cast<int>(SendDlgItemMessageW(page, kind.list, LB_GETCURSEL, 0, 0)));
    kind.changed = false;
}

void OnChoiceCommand(HWND page, const ChoicePage& kind, WPARAM wParam)
{
    if (HIWORD(wParam) != LBN_SELCHANGE)
        return;
    ReportPageChanged(page);
    kind.changed = true;
}

// Returns FALSE throughout: activation is accepted, leaving allowed, apply done. The flag
// starts false with every new page: a cancel reaches only the page on top, and a change
// left on another page must not apply itself in the next sheet.
template <const ChoicePage& kind>
INT_PTR ChoicePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: kind.changed = false; break;
    case WM_NOTIFY:
        OnPageNotify(page, reinterpret_cast<const NMHDR*>(lParam), {ShowChoices<kind>, ApplyChoice<kind>});
        break;
    case WM_COMMAND: OnChoiceCommand(page, kind, wParam); break;
    default: break;
    }
    return FALSE;
}

} // namespace

INT_PTR CALLBACK MusicPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ChoicePageProc<kMusicPage>(page, message, wParam, lParam);
}

INT_PTR CALLBACK SkinPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ChoicePageProc<kSkinPage>(page, message, wParam, lParam);
}
