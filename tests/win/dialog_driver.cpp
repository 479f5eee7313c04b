#include "tests/win/dialog_driver.h"

#include <commctrl.h>

#include <random>

#include "app/window.h"
#include "res/resource.h"

namespace {

const std::function<void(HWND)>* PendingScript = nullptr;
HWND ScriptDialog = nullptr;

BOOL CALLBACK FindOwnedDialog(HWND window, LPARAM)
{
    wchar_t className[16] = L"";
    GetClassNameW(window, className, 16);
    if (lstrcmpW(className, L"#32770") != 0 || !IsWindowVisible(window) || GetWindow(window, GW_OWNER) != MainWindow)
        return TRUE;
    ScriptDialog = window;
    return FALSE;
}

// Called as the dialog's loop takes its first message, before anything is dispatched, so
// neither the game's timer nor the fixture's box answerer acts before the script.
LRESULT CALLBACK OnMessageTaken(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && PendingScript) {
        EnumThreadWindows(GetCurrentThreadId(), FindOwnedDialog, 0);
        if (ScriptDialog) {
            const std::function<void(HWND)>* script = PendingScript;
            PendingScript = nullptr;
            (*script)(ScriptDialog);
            if (IsWindow(ScriptDialog))
                SendMessageW(ScriptDialog, WM_CLOSE, 0, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

bool RunInDialog(int command, const std::function<void(HWND dialog)>& script)
{
    PendingScript = &script;
    ScriptDialog = nullptr;
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, OnMessageTaken, nullptr, GetCurrentThreadId());
    SendMessageW(MainWindow, WM_COMMAND, command, 0);
    UnhookWindowsHookEx(hook);
    PendingScript = nullptr;
    return ScriptDialog != nullptr;
}

void ClickButton(HWND parent, int control)
{
    SendDlgItemMessageW(parent, control, BM_CLICK, 0, 0);
}

void ClickListEntry(HWND list, int index)
{
    SendMessageW(list, LB_SETTOPINDEX, index, 0);
    RECT item;
    SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    const LPARAM point = MAKELPARAM(item.left + 2, (item.top + item.bottom) / 2);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(list, WM_LBUTTONUP, 0, point);
}

void PressKey(HWND dialog, WPARAM key)
{
    MSG message = {dialog, WM_KEYDOWN, key, 0, 0, {0, 0}};
    IsDialogMessageW(dialog, &message);
}

std::wstring ControlText(HWND parent, int control)
{
    wchar_t text[256] = L"";
    GetDlgItemTextW(parent, control, text, 256);
    return text;
}

std::vector<std::wstring> ListEntries(HWND list)
{
    std::vector<std::wstring> entries;
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring text(SendMessageW(list, LB_GETTEXTLEN, i, 0), L'\0');
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
        entries.push_back(text);
    }
    return entries;
}

HWND CurrentPage(HWND sheet)
{
    return PropSheet_GetCurrentPageHwnd(sheet);
}

void SheetStep(HWND sheet, int step)
{
    if (step < 4)
        PropSheet_SetCurSel(sheet, nullptr, step);
    else
        ClickButton(CurrentPage(sheet), step);
}

// The test skin that lacks a ship holds the game up for seconds with its error boxes.
static int RandomEntry(HWND list, unsigned roll)
{
    const std::vector<std::wstring> entries = ListEntries(list);
    const int entry = static_cast<int>(roll % entries.size());
    return entries[entry].find(L"no_vertical_four") == std::wstring::npos ? entry : 0;
}

void PokeAtDialogs(unsigned seed)
{
    std::mt19937 dice(seed);
    if (dice() % 3 == 0) {
        RunInDialog(CMD_STATISTICS, [&](HWND dialog) {
            const int keys[] = {VK_ESCAPE, VK_RETURN};
            PressKey(dialog, keys[dice() % 2]);
        });
        return;
    }
    RunInDialog(CMD_OPTIONS, [&](HWND sheet) {
        const int controls[] = {IDC_SKILL_1,  IDC_SKILL_2,         IDC_SKILL_3,        IDC_SOUND_ON,  IDC_SOUND_OFF,
                                IDC_MARK_DEAD_SHIPS, IDC_MARK_DEAD_ZONE, IDC_SHOW_DECKS, IDC_SHOW_SHIPS};
        for (int i = 0; i < 3; ++i) {
            const int page = static_cast<int>(dice() % 4);
            SheetStep(sheet, page);
            if (page < 2)
                SheetStep(sheet, controls[dice() % 9]);
            else if (HWND list = GetDlgItem(CurrentPage(sheet), page == 2 ? IDC_MUSIC_LIST : IDC_SKIN_LIST))
                ClickListEntry(list, RandomEntry(list, dice()));
        }
        const int buttons[] = {IDOK, kApplyButton, IDCANCEL};
        ClickButton(sheet, buttons[dice() % 3]);
    });
}
