#include "tests/win/dialog_driver.h"

#include <commctrl.h>

#include <random>

#include "app/window.h"
#include "res/resource.h"

namespace {

std::function<void(HWND)> PendingScript;

// Runs as the dialog's loop takes its first message, before anything is dispatched, so
// neither the game's timer nor the fixture's box answerer acts before the script.
LRESULT CALLBACK OnMessageTaken(int code, WPARAM wParam, LPARAM lParam)
{
    HWND dialog = GetLastActivePopup(MainWindow);
    if (code == HC_ACTION && PendingScript && dialog != MainWindow) {
        const std::function<void(HWND)> script = std::move(PendingScript);
        PendingScript = nullptr;
        script(dialog);
        if (IsWindow(dialog))
            SendMessageW(dialog, WM_CLOSE, 0, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::wstring Note(HWND window)
{
    wchar_t text[256] = L"";
    GetWindowTextW(window, text, 256);
    return L"|" + std::wstring(text);
}

std::wstring Checks(HWND page)
{
    std::wstring checks = L"|";
    for (HWND control = GetWindow(page, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT))
        if (GetDlgCtrlID(control) != 0xFFFF)
            checks += (IsWindowEnabled(control) ? L"" : L"-") + std::to_wstring(SendMessageW(control, BM_GETCHECK, 0, 0));
    return checks;
}

// The entries, the selected one after '>'.
std::wstring Entries(HWND list)
{
    std::wstring notes;
    for (int i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
        std::wstring text(SendMessageW(list, LB_GETTEXTLEN, i, 0) + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
        notes += (i == SendMessageW(list, LB_GETCURSEL, 0, 0) ? L"|>" : L"|") + std::wstring(text.c_str());
    }
    return notes;
}

// As the mouse clicks it.
void ClickListEntry(HWND list, int index)
{
    RECT item;
    SendMessageW(list, LB_SETTOPINDEX, index, 0);
    SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP})
        SendMessageW(list, message, MK_LBUTTON, MAKELPARAM(item.left + 2, item.top + 2));
}

void TakeStep(HWND dialog, int step, std::wstring& notes)
{
    HWND page = PropSheet_GetCurrentPageHwnd(dialog);
    HWND top = page ? page : dialog;
    const int value = step & 0xFFFF;
    HWND control = GetDlgItem(top, value) ? GetDlgItem(top, value) : GetDlgItem(dialog, value);
    MSG key = {dialog, WM_KEYDOWN, static_cast<WPARAM>(value), 0, 0, {0, 0}};
    if (step < 0)
        PropSheet_SetCurSel(dialog, nullptr, -1 - step);
    else if (step == kChecks)
        notes += Checks(top);
    else if (step == kList)
        notes += Entries(FindWindowExW(top, nullptr, L"ListBox", nullptr));
    else if (step == kPageTitle)
        notes += Note(top);
    else if (step == kTick)
        SendMessageW(MainWindow, WM_TIMER, GameTimer, 0);
    else if (step == kCloseBox)
        SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    else if (step >> 16 == 1)
        IsDialogMessageW(dialog, &key);
    else if (step >> 16 == 2)
        notes += Note(value ? control : dialog);
    else if (step >> 16 == 3)
        SendMessageW(MainWindow, WM_COMMAND, value, 0);
    else if (step >> 16 == 4)
        ClickListEntry(FindWindowExW(top, nullptr, L"ListBox", nullptr), value);
    else
        SendMessageW(control, BM_CLICK, 0, 0);
}

} // namespace

void RunInDialog(int command, const std::function<void(HWND dialog)>& script)
{
    PendingScript = script;
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, OnMessageTaken, nullptr, GetCurrentThreadId());
    SendMessageW(MainWindow, WM_COMMAND, command, 0);
    UnhookWindowsHookEx(hook);
    PendingScript = nullptr;
}

std::wstring Drive(int command, const std::vector<int>& steps)
{
    std::wstring notes = L"|no dialog";
    RunInDialog(command, [&](HWND dialog) {
        notes.clear();
        const bool sheet = PropSheet_GetCurrentPageHwnd(dialog);
        for (int step : steps)
            TakeStep(dialog, step, notes);
        // A sheet that has ended stays on screen until its loop looks.
        if (!sheet)
            notes += IsWindowVisible(dialog) ? L"|open" : L"|closed";
    });
    return notes.substr(notes.empty() ? 0 : 1);
}

void PokeAtDialogs(unsigned seed)
{
    std::mt19937 dice(seed);
    const int choices[] = {Page(0), Page(1), IDC_SKILL_1, IDC_SKILL_3, IDC_SOUND_OFF, IDC_MARK_DEAD_SHIPS, IDC_SHOW_SHIPS};
    const int buttons[] = {IDOK, kApplyButton, IDCANCEL};
    if (dice() % 3 == 0)
        Drive(CMD_STATISTICS, {Key(dice() % 2 ? VK_ESCAPE : VK_RETURN)});
    else
        Drive(CMD_OPTIONS, {choices[dice() % 7], choices[dice() % 7], choices[dice() % 7], choices[dice() % 7],
                            buttons[dice() % 3]});
}
