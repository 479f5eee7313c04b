#include "app/window.h"

#include <commctrl.h>
#include <mmsystem.h>

#include <cwchar>

#include "app/display.h"
#include "app/game_view.h"
#include "app/keyboard.h"
#include "app/kept_battle.h"
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
#include "ui/records.h"
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

// The player's size, or where it follows the display, the display's; a size that does not
// fit the work area gives way.
static int ScaleFor(UINT dpi, const RECT& workArea)
{
    return WindowScale(Settings.Scale, dpi, workArea);
}

// The scene at `scale` with its corner at client (left, top). A drag in progress is dropped,
// as its image was made for the old scale and place.
static void ShowSceneAt(int scale, int left, int top)
{
    if (scale != Scene.Scale || left != Scene.Left || top != Scene.Top)
        CancelShipDrag();
    Scene.Scale = scale;
    Scene.Left = left;
    Scene.Top = top;
    InvalidateRect(MainWindow, nullptr, FALSE);
}

// Maximized or full screen: the largest whole scale that fits, centred.
static void FillWithScene()
{
    RECT client;
    GetClientRect(MainWindow, &client);
    const int scale = FillingScale(client);
    const int left = (client.right - scale * kClientWidth) / 2, top = (client.bottom - scale * kClientHeight) / 2;
    ShowSceneAt(scale, left > 0 ? left : 0, top > 0 ? top : 0);
}

// The player's size, or the display's at `dpi` on the monitor of `place`; the window's corner
// goes to `place`'s. A menu bar that wraps onto a second line takes client height that the
// frame did not count: it is measured and given back once. A window that fills its monitor
// keeps its size, and takes the scale again when it is a window again.
static void ScaleMainWindow(UINT dpi, const RECT& place)
{
    if (MainFrame.sceneFills)
        return FillWithScene();
    const int scale = ScaleFor(dpi, WorkAreaAt(place));
    ShowSceneAt(scale, 0, 0);
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

// Maximized or full screen, the scene fills the window; a window again, it takes its size.
static void OnSize(WPARAM kind)
{
    if (kind == SIZE_MINIMIZED)
        return;
    const bool filled = MainFrame.sceneFills;
    MainFrame.sceneFills = MainFrame.fullScreen || kind == SIZE_MAXIMIZED;
    if (MainFrame.sceneFills)
        FillWithScene();
    else if (filled)
        FitMainWindow();
    InvalidateRect(MainWindow, nullptr, FALSE);
}

// A borderless window over the whole monitor. The menu goes, as in any full-screen program:
// F11 or Escape bring the window back, the accelerators work meanwhile.
static void CoverMonitor()
{
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(MainWindow, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& all = monitor.rcMonitor;
    SetWindowPos(MainWindow, HWND_TOP, all.left, all.top, all.right - all.left, all.bottom - all.top, SWP_FRAMECHANGED);
}

static void EnterFullScreen()
{
    MainFrame.beforeFullScreen.length = sizeof MainFrame.beforeFullScreen;
    GetWindowPlacement(MainWindow, &MainFrame.beforeFullScreen);
    MainFrame.fullScreen = true;
    SetWindowLongPtrW(MainWindow, GWL_STYLE, WS_POPUP | WS_VISIBLE);
    SetMenu(MainWindow, nullptr);
    CoverMonitor();
}

static void LeaveFullScreen()
{
    MainFrame.fullScreen = false;
    SetWindowLongPtrW(MainWindow, GWL_STYLE, kMainWindowStyle | WS_VISIBLE);
    SetMenu(MainWindow, MainFrame.MainMenu);
    SetWindowPlacement(MainWindow, &MainFrame.beforeFullScreen);
    SetWindowPos(MainWindow, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

static void ToggleFullScreen()
{
    if (MainFrame.fullScreen)
        LeaveFullScreen();
    else
        EnterFullScreen();
}

// A monitor's size or arrangement changed, or the window was moved, maybe onto another
// monitor: a size that fitted may fit no more.
static void OnMonitorChange()
{
    if (MainFrame.fullScreen)
        CoverMonitor();
    else if (!MainFrame.sceneFills)
        FitMainWindow();
}

// The sizes that do not fit the work area where the window stands are greyed; normal size and
// the display's always do, or are the best there is.
static void GreySizesThatDoNotFit()
{
    RECT outer;
    GetWindowRect(MainWindow, &outer);
    const RECT workArea = WorkAreaAt(outer);
    const UINT dpi = WindowDpi(MainWindow);
    for (int scale = 2; scale <= 3; ++scale)
        EnableMenuItem(MainFrame.MainMenu, kSizeCommands[scale],
                       MF_BYCOMMAND | (WindowFits(scale, dpi, workArea) ? MF_ENABLED : MF_GRAYED));
}

// The size chosen from the menu, stored at once; 0 follows the display.
static void ChooseSize(int scale)
{
    Settings.Scale = scale;
    SaveSettings(PlayerChoices);
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
    SaveSettings(PlayerChoices);
    LoadLanguageString(IDS_TITLE, MainFrame.TitleText, kTitleLength);
    SetWindowTextW(MainWindow, MainFrame.TitleText);
    HMENU previous = MainFrame.MainMenu;
    MainFrame.MainMenu = LoadMainMenu();
    if (!MainFrame.fullScreen)
        SetMenu(MainWindow, MainFrame.MainMenu);
    if (previous && previous != MainFrame.MainMenu)
        DestroyMenu(previous);
    ShowPartnerLine();
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

// A battle against the computer is kept and comes back at the next start: only a network
// game is abandoned by leaving.
static bool MayLeaveProgram(HWND window)
{
    return !NetworkGameRunning(Game) || MayAbandonGame(window);
}

static void OpenOneDialog(void (*open)(HWND owner), HWND window)
{
    if (MainFrame.dialogOpen)
        return;
    MainFrame.dialogOpen = true;
    open(window);
    MainFrame.dialogOpen = false;
}

static void RunCommand(HWND window, int command)
{
    switch (command) {
    case CMD_NEW_GAME:
        if (MayAbandonGame(window))
            StartNewGame();
        break;
    case CMD_EXIT:
        if (MayLeaveProgram(window))
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
    case CMD_RECORDS: OpenOneDialog(ShowRecords, window); break;
    case CMD_RUSSIAN: ChooseLanguage(Russian); break;
    case CMD_ENGLISH: ChooseLanguage(English); break;
    case CMD_GERMAN: ChooseLanguage(German); break;
    case CMD_DISPLAY_SIZE: ChooseSize(0); break;
    case CMD_NORMAL_SIZE: ChooseSize(1); break;
    case CMD_DOUBLE_SIZE: ChooseSize(2); break;
    case CMD_TRIPLE_SIZE: ChooseSize(3); break;
    case CMD_FULL_SCREEN: ToggleFullScreen(); break;
    default: break;
    }
}

// A command's boxes run the window, and the game may end meanwhile.
static void OnCommand(HWND window, int command)
{
    RunCommand(window, command);
    AnnounceDue();
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
    if (MayLeaveProgram(window))
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

// A point left of or above the scene is taken as its edge, which no board or ship includes.
static ScenePoint AtScene(LPARAM position)
{
    const int scale = Scene.Scale;
    const int x = LOWORD(position) - Scene.Left, y = HIWORD(position) - Scene.Top;
    return {static_cast<unsigned>(x > 0 ? x / scale : 0), static_cast<unsigned>(y > 0 ? y / scale : 0)};
}

static void OnLeftButtonDown(LPARAM position)
{
    HideKeyCursor();
    if (Game.GamePhase == GameOver)
        return;
    const ScenePoint at = AtScene(position);
    FireAtEnemy(at.x, at.y);
    StartShipDrag(at.x, at.y);
    AnnounceDue();
}

// Enter and Space fire. Escape leaves full screen before it means anything else.
static void OnKeyDown(WPARAM key)
{
    if (key == VK_ESCAPE && MainFrame.fullScreen)
        return LeaveFullScreen();
    OnGameKey(key);
    AnnounceDue();
}

static void OnLink(WPARAM socket, LPARAM event)
{
    OnLinkMessage(socket, event);
    AnnounceDue();
}

static void OnMouseMove(LPARAM position)
{
    NoteMouseMove(position);
    const ScenePoint at = AtScene(position);
    MoveShipDrag(at.x, at.y);
}

// The last drop promises the fleet to a partner, which a system without crypto cannot do.
static void OnLeftButtonUp(LPARAM position)
{
    HideKeyCursor();
    const ScenePoint at = AtScene(position);
    DropShip(at.x, at.y);
    AnnounceDue();
}

static void OnRightButtonDown(LPARAM position)
{
    const ScenePoint at = AtScene(position);
    TakeBackShipAt(at.x, at.y);
    AnnounceDue();
}

// Windows keeps a window within the screen's size unless told otherwise; normal size is shown
// whole, beyond the edge of a screen too small for it.
static void AllowLargerThanScreen(LPARAM info)
{
    MINMAXINFO& limits = *reinterpret_cast<MINMAXINFO*>(info);
    limits.ptMaxTrackSize = {LONG_MAX / 2, LONG_MAX / 2};
}

// Both timers are one-shot: each is asked for again when something is due again. The
// computer's shot may end the game, the sound's end let its box open.
static void OnTimer(WPARAM timer)
{
    KillTimer(MainWindow, timer);
    if (timer == GameTimer)
        GameTimerFired(Game);
    else if (timer == SoundTimer)
        SoundEffectEnded();
    AnnounceDue();
}

// The random fleet is offered only while the player places, a size only where it fits.
static void OnMenuOpens(HMENU popup)
{
    EnableMenuItem(popup, CMD_RANDOM_FLEET, MF_BYCOMMAND | (Game.GamePhase == Placement ? MF_ENABLED : MF_GRAYED));
    GreySizesThatDoNotFit();
}

// Common controls load here, late: under Wine they were a tenth of the time to the first screen.
static void FinishStartUp(bool battleResumed)
{
    if (!battleResumed) {
        InitCommonControls();
        MakeShipImages();
    }
    ContinueKeptBattle();
}

// A late notice from a tune already closed must not restart the one playing now.
static void OnMusicNotify(WPARAM code, LPARAM device)
{
    if (code != MCI_NOTIFY_SUCCESSFUL || static_cast<MCIDEVICEID>(device) != Sound.MusicDevice)
        return;
    StopMusic();
    StartMusic(MainWindow, Settings.MusicName);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: OnCreate(window); return 0;
    case WM_CLOSE: OnClose(window); return 0;
    case WM_DESTROY: EndProgram(window); return 0;
    case WM_SIZE: OnSize(wParam); return 0;
    case WM_PAINT: OnPaint(window); return 0;
    case WM_TIMER: OnTimer(wParam); return 0;
    case WM_COMMAND: OnCommand(window, LOWORD(wParam)); return 0;
    case WM_LBUTTONDOWN: OnLeftButtonDown(lParam); return 0;
    case WM_MOUSEMOVE: OnMouseMove(lParam); return 0;
    case WM_LBUTTONUP: OnLeftButtonUp(lParam); return 0;
    case WM_RBUTTONDOWN: OnRightButtonDown(lParam); return 0;
    case WM_KEYDOWN: OnKeyDown(wParam); return 0;
    case WM_INITMENUPOPUP: OnMenuOpens(reinterpret_cast<HMENU>(wParam)); return 0;
    case WM_NCLBUTTONUP: CancelShipDrag(); return 0;
    case WM_GETMINMAXINFO: AllowLargerThanScreen(lParam); return 0;
    case MM_MCINOTIFY: OnMusicNotify(wParam, lParam); return 0;
    case LinkMessage: OnLink(wParam, lParam); return 0;
    case WM_DISPLAYCHANGE: OnMonitorChange(); return 0;
    case WM_EXITSIZEMOVE: OnMonitorChange(); return 0;
    case WM_DPICHANGED: ScaleMainWindow(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case FinishStartUpMessage: FinishStartUp(wParam != 0); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}
