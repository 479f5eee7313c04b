// The sheet and its first two pages. Each page shows the store afresh whenever it becomes
// active, so a change left unapplied on a page is gone when the player comes back to it.
#include "base/language.h"
#include "base/program.h"
#include "base/settings.h"
#include "game/options.h"
#include "media/status_panel.h"
#include "res/resource.h"
#include "ui/help.h"
#include "ui/media_pages.h"
#include "ui/options.h"
#include <commctrl.h>

constexpr int kSheetCaptionLength = 64;
constexpr int kLowestSkill = 1;
constexpr int kHighestSkill = 3;

void ReportPageChanged(HWND page)
{
    SendMessageW(GetParent(page), PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0);
}

static void ReportPageUnchanged(HWND page)
{
    SendMessageW(GetParent(page), PSM_UNCHANGED, reinterpret_cast<WPARAM>(page), 0);
}

static bool IsChecked(HWND page, int control)
{
    return IsDlgButtonChecked(page, control) == BST_CHECKED;
}

static void SetChecked(HWND page, int control, bool checked)
{
    CheckDlgButton(page, control, checked ? BST_CHECKED : BST_UNCHECKED);
}

static void EnableControl(HWND page, int control, bool enabled)
{
    EnableWindow(GetDlgItem(page, control), enabled);
}

// The pages show what the store holds now, another copy's changes included, but the scale
// belongs to this window and changes only with it. A language stored meanwhile is taken whole,
// as the language menu takes it, or not at all where this program knows no such language.
static void LoadShownSettings()
{
    const int scale = Settings.Scale;
    const uint32_t language = Settings.Language;
    LoadSettings(ChosenSettings);
    Settings.Scale = scale;
    const uint32_t stored = Settings.Language;
    Settings.Language = language;
    if (stored != language && stored <= German)
        SendMessageW(MainWindow, WM_COMMAND, CMD_RUSSIAN + stored, 0);
}

// A level that a hand-edited store put outside 1 to 3 checks no button.
static void ShowSkillLevel(HWND page)
{
    LoadShownSettings();
    for (int level = kLowestSkill; level <= kHighestSkill; ++level)
        SetChecked(page, IDC_SKILL_1 + level - kLowestSkill, false);
    if (Options.SkillLevel >= kLowestSkill && Options.SkillLevel <= kHighestSkill)
        SetChecked(page, IDC_SKILL_1 + Options.SkillLevel - kLowestSkill, true);
}

// With no button checked the level stays as it was.
static void ApplySkillLevel(HWND page)
{
    for (int level = kLowestSkill; level <= kHighestSkill; ++level)
        if (IsChecked(page, IDC_SKILL_1 + level - kLowestSkill))
            Options.SkillLevel = static_cast<uint8_t>(level);
    SaveSettings(PlayerChoices);
}

static void ShowAdjustments(HWND page)
{
    LoadShownSettings();
    SetChecked(page, IDC_MARK_DEAD_SHIPS, Options.MarkDeadShips);
    EnableControl(page, IDC_MARK_DEAD_ZONE, Options.MarkDeadShips);
    SetChecked(page, IDC_MARK_DEAD_ZONE, Options.MarkDeadShips && Options.MarkDeadZone);
    SetChecked(page, IDC_SOUND_ON, Settings.SoundOn);
    SetChecked(page, IDC_SOUND_OFF, !Settings.SoundOn);
    SetChecked(page, IDC_SHOW_DECKS, Settings.ShowDecks);
    SetChecked(page, IDC_SHOW_SHIPS, !Settings.ShowDecks);
}

// The counters change at once between decks and ships.
static void ApplyAdjustments(HWND page)
{
    Options.MarkDeadShips = IsChecked(page, IDC_MARK_DEAD_SHIPS);
    Options.MarkDeadZone = Options.MarkDeadShips && IsChecked(page, IDC_MARK_DEAD_ZONE);
    Settings.SoundOn = IsChecked(page, IDC_SOUND_ON);
    Settings.ShowDecks = IsChecked(page, IDC_SHOW_DECKS);
    SaveSettings(PlayerChoices);
    DrawCounters();
}

// The dead zone is marked only around ships that are marked, so 304 follows 303, which
// the page toggles itself to keep the two in step.
static void ToggleMarkDeadShips(HWND page)
{
    if (!IsChecked(page, IDC_MARK_DEAD_SHIPS)) {
        SetChecked(page, IDC_MARK_DEAD_SHIPS, true);
        EnableControl(page, IDC_MARK_DEAD_ZONE, true);
        return;
    }
    EnableControl(page, IDC_MARK_DEAD_ZONE, false);
    SetChecked(page, IDC_MARK_DEAD_ZONE, false);
    SetChecked(page, IDC_MARK_DEAD_SHIPS, false);
}

static void OnAdjustCommand(HWND page, int control)
{
    if (control == IDC_MARK_DEAD_SHIPS)
        ToggleMarkDeadShips(page);
    ReportPageChanged(page);
}

static void OpenOptionsHelp()
{
    OpenHelpContext(MainWindow, kOptionsHelpContext);
}

void OnPageNotify(HWND page, const NMHDR* header, const PageActions& actions)
{
    switch (header->code) {
    case PSN_SETACTIVE: actions.show(page); break;
    case PSN_KILLACTIVE: ReportPageUnchanged(page); break;
    case PSN_APPLY: actions.apply(page); break;
    case PSN_HELP: OpenOptionsHelp(); break;
    default: break;
    }
}

// Both pages return FALSE throughout: activation is accepted, leaving allowed, apply done.
static INT_PTR CALLBACK SkillPage(HWND page, UINT message, WPARAM, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: ReportPageChanged(page); break;
    case WM_NOTIFY:
        OnPageNotify(page, reinterpret_cast<const NMHDR*>(lParam), {ShowSkillLevel, ApplySkillLevel});
        break;
    default: break;
    }
    return FALSE;
}

static INT_PTR CALLBACK AdjustPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: OnAdjustCommand(page, LOWORD(wParam)); break;
    case WM_NOTIFY:
        OnPageNotify(page, reinterpret_cast<const NMHDR*>(lParam), {ShowAdjustments, ApplyAdjustments});
        break;
    default: break;
    }
    return FALSE;
}

// F1 goes to the window with the focus and climbs from a control to its page, then to the
// sheet, which answers it whatever holds the focus: a page's control, the tabs or a button.
static LRESULT CALLBACK SheetWindowProc(HWND sheet, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    switch (message) {
    case WM_HELP: OpenOptionsHelp(); return TRUE;
    case WM_NCDESTROY: RemoveWindowSubclass(sheet, SheetWindowProc, 0); break;
    default: break;
    }
    return DefSubclassProc(sheet, message, wParam, lParam);
}

static int CALLBACK OnSheetEvent(HWND sheet, UINT event, LPARAM)
{
    if (event == PSCB_INITIALIZED)
        SetWindowSubclass(sheet, SheetWindowProc, 0, 0);
    return 0;
}

// The wide calls keep the Russian caption and tab texts on a system of another code page.
void ShowOptionsSheet(HWND owner)
{
    struct PageKind {
        int dialog;
        DLGPROC procedure;
    };
    static const PageKind kPages[] = {
        {IDD_SKILL_PAGE, SkillPage}, {IDD_ADJUST_PAGE, AdjustPage}, {IDD_MUSIC_PAGE, MusicPage}, {IDD_SKIN_PAGE, SkinPage}};
    constexpr int kPageCount = sizeof kPages / sizeof kPages[0];

    // The sheet and its tabs show the small icon; the tabs copy it, and the sheet is gone when
    // it is freed. Handed over rather than named: Wine's sheet loads a named icon afresh for
    // itself and every page and never frees them. Not shared either: the cache of shared icons
    // answers with the first size it holds.
    HICON icon = static_cast<HICON>(
        LoadImageW(ProgramInstance, L"MyIcon", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    HPROPSHEETPAGE pages[kPageCount];
    for (int i = 0; i < kPageCount; ++i) {
        PROPSHEETPAGEW page = {};
        page.dwSize = PROPSHEETPAGEW_V1_SIZE;
        page.dwFlags = PSP_USEHICON | PSP_HASHELP;
        page.hInstance = ProgramInstance;
        page.pszTemplate = MAKEINTRESOURCEW(kPages[i].dialog + LanguageOffset());
        page.hIcon = icon;
        page.pfnDlgProc = kPages[i].procedure;
        pages[i] = CreatePropertySheetPageW(&page);
    }

    wchar_t caption[kSheetCaptionLength] = L"";
    LoadLanguageString(IDS_OPTIONS_CAPTION, caption, kSheetCaptionLength);
    PROPSHEETHEADERW sheet = {};
    sheet.dwSize = PROPSHEETHEADERW_V1_SIZE;
    sheet.dwFlags = PSH_USEHICON | PSH_HASHELP | PSH_USECALLBACK;
    sheet.hwndParent = owner;
    sheet.hInstance = ProgramInstance;
    sheet.hIcon = icon;
    sheet.pszCaption = caption;
    sheet.nPages = kPageCount;
    sheet.nStartPage = 0;
    sheet.phpage = pages;
    sheet.pfnCallback = OnSheetEvent;
    PropertySheetW(&sheet);
    DestroyIcon(icon);
}
