#include "app/game_view.h"

#include <windows.h>

#include <algorithm>

#include "app/kept_battle.h"
#include "app/network_game.h"
#include "base/language.h"
#include "base/program.h"
#include "base/records.h"
#include "base/settings.h"
#include "game/game.h"
#include "game/network.h"
#include "game/options.h"
#include "game/view.h"
#include "media/scene.h"
#include "media/sound.h"
#include "media/status_panel.h"
#include "res/resource.h"

GameViewState ViewState;

void ResetGameView()
{
    ViewState = GameViewState{};
}

// The old game's sounds and boxes would tell of boards no longer shown: they go with it.
void StartNewGame()
{
    ViewState.DueCount = 0;
    if (ViewState.Stage == EndSounding)
        ViewState.Stage = NothingAnnouncing;
    StopSoundEffects();
    ForgetStatusMessage();
    NewGame(Game);
    PlaySoundEffect(kNewGameSound);
}

// From the background up: the first game wipes the first screen's hint.
void ShellView::gameBegun()
{
    NumberNewBattle();
    RedrawScene();
    InvalidateMainWindow(true);
}

// With the fleet down the panel is empty: a partner may keep the battle waiting.
void ShellView::shipOffered(int size)
{
    DrawNextShipSize(size);
    InvalidateMainWindow(true);
}

// Its cells go back to water and the panel to the size it offers again.
void ShellView::shipTakenBack(const PlacedShip&)
{
    NoteBattleMove();
    RedrawScene();
    InvalidateMainWindow(true);
}

// The turn of a network game has come to the player: a window behind others flashes its
// taskbar button until the player comes back to it.
static void FlashIfBehind()
{
    if (Game.Opponent != PartnerOpponent || Game.OpponentTurn || GetForegroundWindow() == MainWindow)
        return;
    FLASHWINFO flash = {sizeof flash, MainWindow, FLASHW_TRAY | FLASHW_TIMERNOFG, 0, 0};
    FlashWindowEx(&flash);
}

void ShellView::battleBegun()
{
    DrawBattlePanel();
    MakeStatusFonts();
    DrawCounters();
    DrawTurnFrame();
    FlashIfBehind();
}

static StatusMessage ShotResultMessage(ShotResult result)
{
    return result == ShotMissed ? MissMessage : result == ShotSunk ? SunkMessage : HitMessage;
}

// The player's shot is told in the status line and heard once it is on screen; after a miss
// the frame moves to the other board before the computer's pause.
void ShellView::shotResolved(Shooter shooter, ShotResult result)
{
    NoteBattleMove();
    DrawTurnFrame();
    if (shooter == OpponentShooter && result == ShotMissed)
        FlashIfBehind();
    if (shooter == PlayerShooter) {
        ShowStatusMessage(ShotResultMessage(result));
        ViewState.ShotSoundPending = true;
    }
    if (result != ShotMissed)
        DrawCounters();
    InvalidateMainWindow(true);
}

// Levels other than 1 to 3 come only from a hand-edited store; they play as the level
// their rules match (1 below 2, 2 above 3), so they get that level's verdict.
static StatusMessage VictoryMessage()
{
    if (Options.SkillLevel <= 1)
        return WinLevel1Message;
    return Options.SkillLevel == 3 ? WinLevel3Message : WinLevel2Message;
}

// A game against the computer has its own count, and its verdict in the status line.
static void CountGame(bool playerWon)
{
    if (Game.Opponent == PartnerOpponent) {
        CountNetworkGame(playerWon);
        return;
    }
    ShowStatusMessage(playerWon ? VictoryMessage() : ComputerWinsMessage);
    LoadSettings(GameRecord);
    (playerWon ? Settings.Wins : Settings.Losses) += 1;
    SaveSettings(GameRecord);
    const int level = RecordLevel(Game.Rules.SkillLevel);
    const ShotCount count = CountShots(Game.EnemyBoard);
    ViewState.NewRecordShots = CountRecordGame(level, playerWon, count) ? count.Shots : 0;
    ViewState.NewRecordLevel = level;
}

// "New record: 41 shots at level 3", on a line of its own after the victory text.
static void AddNewRecordLine(wchar_t (&body)[256])
{
    wchar_t format[128] = L"";
    LoadLanguageString(IDS_NEW_RECORD, format, 128);
    wsprintfW(body + lstrlenW(body), L"\n\n");
    wsprintfW(body + lstrlenW(body), format, ViewState.NewRecordShots, ViewState.NewRecordLevel);
}

// The text of Russian string id `id`, naming the partner where it has a place for it.
static void PartnerText(int id, wchar_t (&text)[256])
{
    wchar_t format[128] = L"", name[2 * kMaxPartnerNameChars + 1] = L"";
    LoadLanguageString(id, format, 128);
    PartnerNameText(name, 2 * kMaxPartnerNameChars + 1);
    wsprintfW(text, format, name);
}

// Notes the question box as it is made, so that a stop told while it is open can close it.
static LRESULT CALLBACK NoteAgainBox(int code, WPARAM wParam, LPARAM lParam)
{
    wchar_t className[8] = L"";
    if (code == HCBT_CREATEWND && !ViewState.AgainBox && GetClassNameW(reinterpret_cast<HWND>(wParam), className, 8) &&
        lstrcmpW(className, L"#32770") == 0)
        ViewState.AgainBox = reinterpret_cast<HWND>(wParam);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// After a network game still connected, the box asks for another: Yes asks the partner, No
// says goodbye. A partner gone meanwhile closes the box, and is asked and told nothing more.
static void ShowEndBox(bool playerWon)
{
    wchar_t title[16], body[256], question[256];
    LoadLanguageString(playerWon ? IDS_VICTORY_CAPTION : IDS_DEFEAT_CAPTION, title, 16);
    if (Game.Opponent == PartnerOpponent)
        PartnerText(playerWon ? IDS_NET_WON_TEXT : IDS_NET_LOST_TEXT, body);
    else
        LoadLanguageString(playerWon ? IDS_WON_TEXT : IDS_LOST_TEXT, body, 256);
    if (playerWon && Game.Opponent != PartnerOpponent && ViewState.NewRecordShots)
        AddNewRecordLine(body);
    if (!BetweenNetworkGames(Game)) {
        MessageBoxW(MainWindow, body, title, MB_OK);
        return;
    }
    PartnerText(IDS_NET_AGAIN_QUESTION, question);
    wsprintfW(body + lstrlenW(body), L"\n\n%ls", question);
    HHOOK hook = SetWindowsHookExW(WH_CBT, NoteAgainBox, nullptr, GetCurrentThreadId());
    const int answer = MessageBoxW(MainWindow, body, title, MB_YESNO | MB_ICONQUESTION);
    UnhookWindowsHookEx(hook);
    ViewState.AgainBox = nullptr;
    if (!BetweenNetworkGames(Game))
        return;
    if (answer == IDYES)
        return OfferAnotherGame(Game);
    LeaveNetworkGame(Game);
}

static void ShowStopBox(NetworkEnd why)
{
    wchar_t caption[64] = L"", text[256] = L"";
    LoadLanguageString(IDS_NET_STOP_CAPTION, caption, 64);
    PartnerText(why == PartnerDeclined ? IDS_NET_DECLINED : IDS_NET_STOPPED + why, text);
    MessageBoxW(MainWindow, text, caption, MB_OK | MB_ICONEXCLAMATION);
}

// Dropped when full: no course of a game tells so many before the first box.
static void TellDue(DueAnnouncement due)
{
    if (ViewState.DueCount < kMaxDueAnnouncements)
        ViewState.Due[ViewState.DueCount++] = due;
}

// The model has closed the game already: counted and drawn now, announced once it returns.
void ShellView::gameEnded(bool playerWon)
{
    ForgetEndedBattle();
    CountGame(playerWon);
    DrawTurnFrame();
    DrawShipsAfloat();
    InvalidateMainWindow(true);
    TellDue({playerWon ? VictoryAnnounced : DefeatAnnounced});
}

void ShellView::partnerChanged()
{
    ShowPartnerLine();
    InvalidateMainWindow(true);
}

// Nothing is counted. The player who left needs no box to say so; a question of another
// game with a partner gone has no answer, so it closes and the reason follows.
void ShellView::networkStopped(NetworkEnd why)
{
    DrawTurnFrame();
    ShowPartnerLine();
    InvalidateMainWindow(true);
    if (why == PlayerLeft)
        return;
    TellDue({StopAnnounced, why});
    if (ViewState.AgainBox)
        EndDialog(ViewState.AgainBox, IDCANCEL);
}

// The box's own loop runs the window while it is open: the stage keeps what is told
// meanwhile waiting.
static void ShowFirstDue()
{
    const DueAnnouncement shown = ViewState.Due[0];
    ViewState.DueCount -= 1;
    std::copy(ViewState.Due + 1, ViewState.Due + 1 + ViewState.DueCount, ViewState.Due);
    ViewState.Stage = BoxShowing;
    if (shown.kind == StopAnnounced)
        ShowStopBox(shown.why);
    else
        ShowEndBox(shown.kind == VictoryAnnounced);
    ViewState.Stage = NothingAnnouncing;
}

void AnnounceDue()
{
    KeepChangedBattle();
    for (;;) {
        if (ViewState.Stage == EndSounding && SpeakerIdle())
            ShowFirstDue();
        if (ViewState.Stage != NothingAnnouncing || ViewState.DueCount == 0)
            return;
        ViewState.Stage = EndSounding;
        UpdateWindow(MainWindow);   // the last shot on the screen, and its sound begun
        if (ViewState.Due[0].kind != StopAnnounced)
            PlaySoundEffect(ViewState.Due[0].kind == VictoryAnnounced ? kVictorySound : kDefeatSound);
    }
}

void ShellView::startTimer(int ms)
{
    SetTimer(MainWindow, GameTimer, static_cast<UINT>(ms), nullptr);
}

void ShellView::stopTimer()
{
    KillTimer(MainWindow, GameTimer);
}

void ShellView::shipLaid(const PlacedShip& ship)
{
    NoteBattleMove();
    DrawPlacedShip(ship);
}

void ShellView::cellChanged(BoardSide side, int x, int y)
{
    DrawCell(side, x, y);
}

void InstallGameView()
{
    static ShellView view;
    Game.View = &view;
}
