#include "app/window.h"

#include <commctrl.h>
#include <mmsystem.h>

#include <cwchar>

#include "app/display.h"
#include "app/game_view.h"
#include "app/keyboard.h"
#include "app/network_game.h"
#include "app/placement.h"
#include "base/language.h"
#include "base/link.h"
#include "base/program.h"
#include "base/settings.h"
#include "game/game.h"
#include "game/network.h"
#include "game/shots.h"
#include "media/backbuffer.h"
#include "media/scene.h"
#include "media/skin.h"
#include "media/sound.h"
#include "media/status_panel.h"
#include "res/resource.h"
#include "ui/about.h"
#include "ui/help.h"
#include "ui/options.h"
#include "ui/statistics.h"

MainWindowState MainFrame;

void ResetMainWindow()
{
    MainFrame = MainWindowState{};
}

// A press at client (px, py): the player's shot when it lands strictly inside a cell of
// the EnemyBoard.
static void FireAtEnemy(unsigned px, unsigned py)
{
    int column, row;
    if (CellUnderPress(EnemySide, px, py, column, row))
        FireAtEnemyCell(Game, column, row);
}

// The Exit command and the window's end alike; safe to run twice, as the end may follow Exit.
static void EndProgram(HWND window)
{
    PostQuitMessage(0);
    ReleaseBackBuffer();
    ResetStatusPanel();
    StopMusic();
    StopSoundEffects();
    KillTimer(window, GameTimer);
}

// The size items by Settings.Scale, in the menu's order but the first.
constexpr int kSizeCommands[] = {CMD_DISPLAY_SIZE, CMD_NORMAL_SIZE, CMD_DOUBLE_SIZE, CMD_TRIPLE_SIZE};

static void TickSize(HMENU menu)
{
    CheckMenuRadioItem(menu, CMD_NORMAL_SIZE, CMD_DISPLAY_SIZE, kSizeCommands[Settings.Scale], MF_BYCOMMAND);
}

HMENU LoadMainMenu()
{
    HMENU menu = LoadMenuW(ProgramInstance, MAKEINTRESOURCEW(IDM_MAIN + LanguageOffset()));
    CheckMenuRadioItem(menu, CMD_RUSSIAN, CMD_GERMAN, CMD_RUSSIAN + LanguageOffset() / 100, MF_BYCOMMAND);
    TickSize(menu);
    return menu;
}

// The player's size, or where it follows the display, the display's.
static int ScaleFor(UINT dpi, const RECT& workArea)
{
    return Settings.Scale ? Settings.Scale : DisplayScale(dpi, workArea);
}

// The player's size, or the display's at `dpi` on the monitor of `place`; the window's corner
// goes to `place`'s. A drag in progress is dropped, as its image was made for the old scale.
// A menu bar that wraps onto a second line takes client height that the frame did not count:
// it is measured and given back once.
static void ScaleMainWindow(UINT dpi, const RECT& place)
{
    const int scale = ScaleFor(dpi, WorkAreaAt(place));
    if (scale != Scene.Scale)
        CancelShipDrag();
    Scene.Scale = scale;
    const SIZE size = MainWindowSize(scale, dpi);
    RECT now;
    GetWindowRect(MainWindow, &now);
    if (now.left != place.left || now.top != place.top || now.right - now.left != size.cx || now.bottom - now.top != size.cy)
        SetWindowPos(MainWindow, nullptr, place.left, place.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client;
    GetClientRect(MainWindow, &client);
    const int missing = scale * kClientHeight - client.bottom;
    if (missing > 0)
        SetWindowPos(MainWindow, nullptr, 0, 0, size.cx, size.cy + missing, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(MainWindow, nullptr, FALSE);
}

SIZE FirstMainWindowSize()
{
    const UINT dpi = SystemDpi();
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    return MainWindowSize(ScaleFor(dpi, monitor.rcWork), dpi);
}

void FitMainWindow()
{
    RECT outer;
    GetWindowRect(MainWindow, &outer);
    ScaleMainWindow(WindowDpi(MainWindow), outer);
}

// The size chosen from the menu, stored at once; 0 follows the display.
static void ChooseSize(int scale)
{
    Settings.Scale = scale;
    SaveSettings();
    TickSize(MainFrame.MainMenu);
    FitMainWindow();
}

// The title, the menu, the first screen's or the placing panel's hint and the status text in the
// new Language, which is stored at once.
static void ChooseLanguage(uint32_t language)
{
    if (Settings.Language == language)
        return;
    Settings.Language = language;
    SaveSettings();
    LoadLanguageString(IDS_TITLE, MainFrame.TitleText, kTitleLength);
    SetWindowTextW(MainWindow, MainFrame.TitleText);
    HMENU previous = MainFrame.MainMenu;
    MainFrame.MainMenu = LoadMainMenu();
    SetMenu(MainWindow, MainFrame.MainMenu);
    if (previous && previous != MainFrame.MainMenu)
        DestroyMenu(previous);
    DrawPartnerLine();
    DrawPlacingHint();
    InvalidateRect(MainWindow, nullptr, FALSE);
    RedrawStatusMessage();
}

// A new game or the program's end abandons a battle in progress, or a network game in any
// phase: the player agrees first, and the partner is told. The box's own loop keeps the
// game's timer and the connection going, so the game may end meanwhile; then nothing is
// left to abandon and the command goes ahead whatever the answer. A second request while
// the box is open is dropped.
static bool GameAtStake()
{
    return Game.GamePhase == Battle || (NetworkGameRunning(Game) && !AwaitingHello(Game) && !BetweenNetworkGames(Game));
}

static bool MayAbandonGame(HWND window)
{
    if (!GameAtStake()) {
        LeaveNetworkGame(Game);   // connected, but no game yet or no more: the partner hears goodbye
        return true;
    }
    if (MainFrame.askingToAbandon)
        return false;
    wchar_t caption[32] = L"", question[64] = L"";
    LoadLanguageString(IDS_ABANDON_CAPTION, caption, 32);
    LoadLanguageString(IDS_ABANDON_QUESTION, question, 64);
    MainFrame.askingToAbandon = true;
    const int answer = MessageBoxW(window, question, caption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    MainFrame.askingToAbandon = false;
    if (answer != IDYES && GameAtStake())
        return false;
    if (NetworkGameRunning(Game))
        LeaveNetworkGame(Game);
    return true;
}

static void OpenOneDialog(void (*open)(HWND owner), HWND window)
{
    if (MainFrame.dialogOpen)
        return;
    MainFrame.dialogOpen = true;
    open(window);
    MainFrame.dialogOpen = false;
}

static void OnCommand(HWND window, int command)
{
    switch (command) {
    case CMD_NEW_GAME:
        if (MayAbandonGame(window))
            StartNewGame();
        break;
    case CMD_EXIT:
        if (MayAbandonGame(window))
            EndProgram(window);
        break;
    case CMD_NETWORK_GAME:
        if (MayAbandonGame(window))
            OpenOneDialog(OpenNetworkGame, window);
        break;
    case CMD_RANDOM_FLEET: PlaceRestAtRandom(); break;
    case CMD_HELP: OpenHelpContents(window); break;
    case CMD_ABOUT: OpenOneDialog(ShowAboutDialog, window); break;
    case CMD_OPTIONS: OpenOneDialog(ShowOptionsSheet, window); break;
    case CMD_STATISTICS: OpenOneDialog(ShowStatistics, window); break;
    case CMD_RUSSIAN: ChooseLanguage(Russian); break;
    case CMD_ENGLISH: ChooseLanguage(English); break;
    case CMD_GERMAN: ChooseLanguage(German); break;
    case CMD_DISPLAY_SIZE: ChooseSize(0); break;
    case CMD_NORMAL_SIZE: ChooseSize(1); break;
    case CMD_DOUBLE_SIZE: ChooseSize(2); break;
    case CMD_TRIPLE_SIZE: ChooseSize(3); break;
    default: break;
    }
}

static void OnCreate(HWND window)
{
    MainWindow = window;
    CreateBackBuffer(window);
    StartMusic(window, Settings.MusicName);
    InvalidateMainWindow(true);
}

static void OnClose(HWND window)
{
    if (MayAbandonGame(window))
        DestroyWindow(window);
}

// The title is put back at every paint, should anything have changed it; setting the same text
// again costs a round trip to the display under Wine.
static void RestoreTitle(HWND window)
{
    wchar_t shown[kTitleLength] = L"";
    GetWindowTextW(window, shown, kTitleLength);
    if (std::wcscmp(shown, MainFrame.TitleText) != 0)
        SetWindowTextW(window, MainFrame.TitleText);
}

static void OnPaint(HWND window)
{
    RestoreTitle(window);
    PaintWindow(window);
    DrawKeyCursor(window);
    DrawShipDragOutline(window);
    if (ViewState.ShotSoundPending) {
        PlaySoundEffect(kShotSound);
        ViewState.ShotSoundPending = false;
    }
}

// A mouse position on the client area as the scene's pixel under it.
struct ScenePoint {
    unsigned x, y;
};

static ScenePoint AtScene(LPARAM position)
{
    const unsigned scale = Scene.Scale;
    return {LOWORD(position) / scale, HIWORD(position) / scale};
}

static void OnLeftButtonDown(LPARAM position)
{
    HideKeyCursor();
    if (Game.GamePhase == GameOver)
        return;
    const ScenePoint at = AtScene(position);
    FireAtEnemy(at.x, at.y);
    StartShipDrag(at.x, at.y);
}

static void OnMouseMove(LPARAM position)
{
    NoteMouseMove(position);
    const ScenePoint at = AtScene(position);
    MoveShipDrag(at.x, at.y);
}

static void OnLeftButtonUp(LPARAM position)
{
    HideKeyCursor();
    const ScenePoint at = AtScene(position);
    DropShip(at.x, at.y);
}

static void OnRightButtonDown(LPARAM position)
{
    const ScenePoint at = AtScene(position);
    TakeBackShipAt(at.x, at.y);
}

// Windows keeps a window within the screen's size unless told otherwise; a size the player chose
// is shown whole, beyond the screen's edge if need be.
static void AllowLargerThanScreen(LPARAM info)
{
    MINMAXINFO& limits = *reinterpret_cast<MINMAXINFO*>(info);
    limits.ptMaxTrackSize = {LONG_MAX / 2, LONG_MAX / 2};
}

// Both timers are one-shot: each is asked for again when something is due again.
static void OnTimer(WPARAM timer)
{
    KillTimer(MainWindow, timer);
    if (timer == GameTimer)
        GameTimerFired(Game);
    else if (timer == SoundTimer && SoundEffectEnded())
        AfterSounds();
}

// The random fleet is offered only while the player places.
static void OnMenuOpens(HMENU popup)
{
    EnableMenuItem(popup, CMD_RANDOM_FLEET, MF_BYCOMMAND | (Game.GamePhase == Placement ? MF_ENABLED : MF_GRAYED));
}

// Common controls load here, late: under Wine they were a tenth of the time to the first screen.
static void FinishStartUp()
{
    InitCommonControls();
    MakeShipImages();
}

// A late notice from a tune already closed must not restart the one playing now.
static void OnMusicNotify(WPARAM code, LPARAM device)
{
    if (code != MCI_NOTIFY_SUCCESSFUL || static_cast<MCIDEVICEID>(device) != Sound.MusicDevice)
        return;
    StopMusic();
    StartMusic(MainWindow, Settings.MusicName);
}

static LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: OnCreate(window); return 0;
    case WM_CLOSE: OnClose(window); return 0;
    case WM_DESTROY: EndProgram(window); return 0;
    case WM_SIZE: InvalidateRect(window, nullptr, FALSE); return 0;
    case WM_PAINT: OnPaint(window); return 0;
    case WM_TIMER: OnTimer(wParam); return 0;
    case WM_COMMAND: OnCommand(window, LOWORD(wParam)); return 0;
    case WM_LBUTTONDOWN: OnLeftButtonDown(lParam); return 0;
    case WM_MOUSEMOVE: OnMouseMove(lParam); return 0;
    case WM_LBUTTONUP: OnLeftButtonUp(lParam); return 0;
    case WM_RBUTTONDOWN: OnRightButtonDown(lParam); return 0;
    case WM_KEYDOWN: OnGameKey(wParam); return 0;
    case WM_INITMENUPOPUP: OnMenuOpens(reinterpret_cast<HMENU>(wParam)); return 0;
    case WM_NCLBUTTONUP: CancelShipDrag(); return 0;
    case WM_GETMINMAXINFO: AllowLargerThanScreen(lParam); return 0;
    case MM_MCINOTIFY: OnMusicNotify(wParam, lParam); return 0;
    case LinkMessage: OnLinkMessage(wParam, lParam); return 0;
    case WM_DPICHANGED: ScaleMainWindow(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case FinishStartUpMessage: FinishStartUp(); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

// Whatever a message made the model do, an end it told is announced once the model has returned.
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = HandleMessage(window, message, wParam, lParam);
    AnnounceOutcome();
    return result;
}
