#include "ui/statistics.h"

#include <cstdint>
#include <cstdlib>

#include "base/language.h"
#include "base/program.h"
#include "base/settings.h"
#include "res/resource.h"

constexpr int kStatisticTextLength = 32;

static void ShowNumber(HWND dialog, int control, uint64_t count)
{
    char text[kStatisticTextLength];
    _ui64toa(count, text, 10);
    SetDlgItemTextA(dialog, control, text);
}

static void ShowCount(HWND dialog, int control, uint32_t count, unsigned share)
{
    char text[kStatisticTextLength];
    wsprintfA(text, "%lu (%u%%)", static_cast<unsigned long>(count), share);
    SetDlgItemTextA(dialog, control, text);
}

// The sums run in 64 bits: a hand-edited store may hold counts near 2^32, whose total and
// Wins x 100 would wrap in 32. The loss share is the complement, so the two add up to 100.
static void Refresh(HWND dialog)
{
    LoadSettings(GameRecord);
    const uint64_t total = static_cast<uint64_t>(Settings.Wins) + Settings.Losses;
    const unsigned winShare = total ? static_cast<unsigned>(Settings.Wins * uint64_t{100} / total) : 0;
    ShowCount(dialog, IDC_WINS_TEXT, Settings.Wins, winShare);
    ShowCount(dialog, IDC_LOSSES_TEXT, Settings.Losses, total ? 100 - winShare : 0);
    ShowNumber(dialog, IDC_TOTAL_TEXT, total);
    SetFocus(GetDlgItem(dialog, IDC_STATISTICS_OK));
}

static void ResetStatistics()
{
    Settings.Wins = 0;
    Settings.Losses = 0;
    SaveSettings(GameRecord);
}

// Only OK closes the dialog; every other command, Escape's IDCANCEL among them, shows the
// counts again, a game that ended meanwhile included.
static INT_PTR OnStatisticsCommand(HWND dialog, int control)
{
    if (control == IDC_STATISTICS_OK) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    if (control == IDC_STATISTICS_RESET)
        ResetStatistics();
    Refresh(dialog);
    return FALSE;
}

static INT_PTR CALLBACK StatisticsDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: Refresh(dialog); return FALSE;   // the focus is set already
    case WM_COMMAND: return OnStatisticsCommand(dialog, LOWORD(wParam));
    case WM_CLOSE:
    case WM_DESTROY: EndDialog(dialog, 0); return TRUE;
    default: return FALSE;
    }
}

// Wide, so that the Russian caption and labels survive a system of another code page.
void ShowStatistics(HWND owner)
{
    DialogBoxParamW(ProgramInstance, MAKEINTRESOURCEW(IDD_STATISTICS + LanguageOffset()), owner, StatisticsDialog, 0);
}
