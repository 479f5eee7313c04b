#include "app/window.h"

#include <mmsystem.h>

#include "app/keyboard.h"
#include "app/placement.h"
#include "app/startup.h"
#include "app/status.h"
#include "game/board.h"
#include "game/computer.h"
#include "game/fleet.h"
#include "game/options.h"
#include "game/phase.h"
#include "game/shots.h"
#include "gfx/backbuffer.h"
#include "gfx/scene.h"
#include "gfx/skin.h"
#include "gfx/sound.h"
#include "res/resource.h"
#include "ui/about.h"
#include "ui/help.h"
#include "ui/language.h"
#include "ui/options.h"
#include "ui/settings.h"
#include "ui/statistics.h"

HWND MainWindow = nullptr;
wchar_t TitleText[kTitleLength] = L"Tidewar";

void InvalidateMainWindow(bool erase)
{
    InvalidateRect(MainWindow, nullptr, erase);
}

static void BeginBattle()
{
    GamePhase = Battle;
    ReloadBattlePanelPicture();
    DrawPicture(BattlePanelPicture, kBattlePanelLeft, kBattlePanelTop, kBattlePanelWidth, kBattlePanelHeight);
    MakeStatusFonts();
    DrawCounters();
}

// Closes the game before the box: its message loop keeps the timer ticking.
static void EndGame(int statusMessage, uint32_t& tally, const char* sound, int caption, int text)
{
    HomeDecksLeft = -1;
    EnemyDecksLeft = -1;
    GamePhase = GameOver;
    ShowStatusMessage(statusMessage);
    LoadStatistics();
    tally += 1;
    SaveStatistics();
    PlaySoundEffect(sound);
    wchar_t title[16], body[64];
    LoadStringW(ProgramInstance, caption + LanguageOffset(), title, 16);
    LoadStringW(ProgramInstance, text + LanguageOffset(), body, 64);
    MessageBoxW(MainWindow, body, title, MB_OK);
    InvalidateMainWindow(true);
}

// Levels other than 1 to 3 come only from a hand-edited store; they play as the level
// their rules match (1 below 2, 2 above 3), so they get that level's verdict.
static int VictoryMessage()
{
    if (SkillLevel <= 1)
        return WinLevel1Message;
    return SkillLevel == 3 ? WinLevel3Message : WinLevel2Message;
}

void DeclareVictory()
{
    EndGame(VictoryMessage(), Wins, "fire1", IDS_VICTORY_CAPTION, IDS_WON_TEXT);
}

void DeclareDefeat()
{
    EndGame(ComputerWinsMessage, Losses, "fire", IDS_DEFEAT_CAPTION, IDS_LOST_TEXT);
}

static void OnGameTick()
{
    if (ComputerTurn == 1 && GamePhase == Battle)
        ComputerShot();
    if (EnemyDecksLeft == 0)
        DeclareVictory();
    if (HomeDecksLeft == 0)
        DeclareDefeat();
    OfferNextShipSize();
    if (PlacementSize == 0 && PlacementLeft == kLargestShip + 1 && GamePhase == Placement)
        BeginBattle();
}

static void StartNewGame()
{
    PlaySoundEffect("nazalo");
    ShowStatusMessage(ForgetMessage);
    PlacedShipCount = 0;
    NewGame();
    GamePhase = Placement;
}

static void ExitGame(HWND window)
{
    PostQuitMessage(0);
    ReleaseBackBuffer();
    DeleteStatusFonts();
    StopMusic();
    KillTimer(window, GameTimer);
}

static void ChooseLanguage(uint32_t language)
{
    if (Language == language)
        return;
    Language = language;
    ApplyLanguage();
}

// A box that closes over an open dialog enables the main window again, so the menu works
// behind the dialog; a second dialog must not open over the first, whose pages share state.
static void OpenOneDialog(void (*open)(HWND owner), HWND window)
{
    static bool dialogOpen = false;
    if (dialogOpen)
        return;
    dialogOpen = true;
    open(window);
    dialogOpen = false;
}

static void OnCommand(HWND window, int command)
{
    switch (command) {
    case CMD_NEW_GAME: StartNewGame(); break;
    case CMD_EXIT: ExitGame(window); break;
    case CMD_HELP: OpenHelpContents(window); break;
    case CMD_ABOUT: OpenOneDialog(ShowAboutDialog, window); break;
    case CMD_OPTIONS: OpenOneDialog(ShowOptionsSheet, window); break;
    case CMD_STATISTICS: OpenOneDialog(ShowStatistics, window); break;
    case CMD_RUSSIAN: ChooseLanguage(Russian); break;
    case CMD_ENGLISH: ChooseLanguage(English); break;
    case CMD_GERMAN: ChooseLanguage(German); break;
    default: break;
    }
}

static void OnCreate(HWND window)
{
    MainWindow = window;
    CreateBackBuffer(window);
    SetTimer(window, GameTimer, kGameTimerMs, nullptr);
    StartMusic(window, MusicName);
    InvalidateMainWindow(true);
}

static void OnDestroy(HWND window)
{
    PostQuitMessage(0);
    ReleaseBackBuffer();
    DeleteStatusFonts();
    KillTimer(window, GameTimer);
    StopMusic();
}

static void OnPaint(HWND window)
{
    SetWindowTextW(window, TitleText);
    PaintWindow(window);
    DrawKeyCursor(window);
    if (ShotSoundPending) {
        PlaySoundEffect("vstrl");
        ShotSoundPending = 0;
    }
}

static void OnLeftButtonDown(LPARAM position)
{
    HideKeyCursor();
    if (GamePhase == GameOver)
        return;
    const unsigned x = LOWORD(position), y = HIWORD(position);
    FireAtEnemy(x, y);
    StartShipDrag(x, y);
}

static void OnMouseMove(LPARAM position)
{
    NoteMouseMove(position);
    MoveShipDrag(LOWORD(position), HIWORD(position));
}

static void OnLeftButtonUp(LPARAM position)
{
    HideKeyCursor();
    DropShip(LOWORD(position), HIWORD(position));
}

static void OnMusicNotify(WPARAM code)
{
    if (code != MCI_NOTIFY_SUCCESSFUL)
        return;
    StopMusic();
    StartMusic(MainWindow, MusicName);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: OnCreate(window); return 0;
    case WM_DESTROY: OnDestroy(window); return 0;
    case WM_SIZE: InvalidateRect(window, nullptr, FALSE); return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: return 0;   // the music plays on
    case WM_PAINT: OnPaint(window); return 0;
    case WM_TIMER: OnGameTick(); return 0;
    case WM_COMMAND: OnCommand(window, LOWORD(wParam)); return 0;
    case WM_LBUTTONDOWN: OnLeftButtonDown(lParam); return 0;
    case WM_MOUSEMOVE: OnMouseMove(lParam); return 0;
    case WM_LBUTTONUP: OnLeftButtonUp(lParam); return 0;
    case WM_KEYDOWN: OnGameKey(wParam); return 0;
    case WM_NCLBUTTONUP: CancelShipDrag(); return 0;
    case MM_MCINOTIFY: OnMusicNotify(wParam); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}
