#include "tests/win/dialog_driver.h"

#include <commctrl.h>

#include <random>

#include "app/window.h"
#include "res/resource.h"

namespace {

std::function<void(HWND)> PendingScript;
bool ScriptRan = false;

// Runs as the dialog's loop takes its first message, before anything is dispatched, so
// neither the game's timer nor the fixture's box answerer acts before the script.
LRESULT CALLBACK OnMessageTaken(int code, WPARAM wParam, LPARAM lParam)
{
    HWND dialog = GetLastActivePopup(MainWindow);
    if (code == HC_ACTION && PendingScript && dialog != MainWindow) {
        const std::function<void(HWND)> script = std::move(PendingScript);
        PendingScript = nullptr;
        ScriptRan = true;
        script(dialog);
        if (IsWindow(dialog))
            SendMessageW(dialog, WM_CLOSE, 0, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

bool RunInDialog(int command, const std::function<void(HWND dialog)>& script)
{
    PendingScript = script;
    ScriptRan = false;
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, OnMessageTaken, nullptr, GetCurrentThreadId());
    SendMessageW(MainWindow, WM_COMMAND, command, 0);
    UnhookWindowsHookEx(hook);
    PendingScript = nullptr;
    return ScriptRan;
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

std::wstring WindowText(HWND window)
{
    wchar_t text[256] = L"";
    GetWindowTextW(window, text, 256);
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

void PokeAtDialogs(unsigned seed)
{
    std::mt19937 dice(seed);
    if (dice() % 3 == 0) {
        RunInDialog(CMD_STATISTICS, [&](HWND dialog) { PressKey(dialog, dice() % 2 ? VK_ESCAPE : VK_RETURN); });
        return;
    }
    RunInDialog(CMD_OPTIONS, [&](HWND sheet) {
        const int steps[] = {0, 1, IDC_SKILL_1, IDC_SKILL_3, IDC_SOUND_OFF, IDC_MARK_DEAD_SHIPS, IDC_SHOW_SHIPS};
        for (int i = 0; i < 4; ++i)
            SheetStep(sheet, steps[dice() % 7]);
        const int buttons[] = {IDOK, kApplyButton, IDCANCEL};
        ClickButton(sheet, buttons[dice() % 3]);
    });
}
