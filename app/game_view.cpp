#include "app/game_view.h"

#include <windows.h>

#include "app/network_game.h"
#include "base/language.h"
#include "base/program.h"
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

void StartNewGame()
{
    CloseGame(Game);
    PlaySoundEffect(kNewGameSound);
    ViewState.GameDue = true;
    if (SpeakerIdle())
        AfterSounds();
}

// From the background up: the first game wipes the first screen's hint. A game begun another
// way (a partner's hello) takes the place of one still due.
void ShellView::gameBegun()
{
    ViewState.GameDue = false;
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
    RedrawScene();
    InvalidateMainWindow(true);
}

void ShellView::battleBegun()
{
    DrawBattlePanel();
    MakeStatusFonts();
    DrawCounters();
    DrawTurnFrame();
}

static StatusMessage ShotResultMessage(ShotResult result)
{
    return result == ShotMissed ? MissMessage : result == ShotSunk ? SunkMessage : HitMessage;
}

// The player's shot is told in the status line and heard once it is on screen; after a miss
// the frame moves to the other board before the computer's pause.
void ShellView::shotResolved(Shooter shooter, ShotResult result)
{
    DrawTurnFrame();
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
    LoadStatistics();
    (playerWon ? Settings.Wins : Settings.Losses) += 1;
    SaveStatistics();
}

// The text of Russian string id `id`, naming the partner where it has a place for it.
static void PartnerText(int id, wchar_t (&text)[256])
{
    wchar_t format[128] = L"", name[2 * kMaxPartnerNameChars + 1] = L"";
    LoadLanguageString(id, format, 128);
    PartnerNameText(name, 2 * kMaxPartnerNameChars + 1);
    wsprintfW(text, format, name);
}

// After a network game still connected, the box asks for another: Yes asks the partner, No
// says goodbye, and a no the partner said meanwhile need not be told.
static void ShowEndBox(bool playerWon)
{
    wchar_t title[16], body[256], question[256];
    LoadLanguageString(playerWon ? IDS_VICTORY_CAPTION : IDS_DEFEAT_CAPTION, title, 16);
    if (Game.Opponent == PartnerOpponent)
        PartnerText(playerWon ? IDS_NET_WON_TEXT : IDS_NET_LOST_TEXT, body);
    else
        LoadLanguageString(playerWon ? IDS_WON_TEXT : IDS_LOST_TEXT, body, 256);
    if (!BetweenNetworkGames(Game)) {
        MessageBoxW(MainWindow, body, title, MB_OK);
        return;
    }
    PartnerText(IDS_NET_AGAIN_QUESTION, question);
    wsprintfW(body + lstrlenW(body), L"\n\n%ls", question);
    if (MessageBoxW(MainWindow, body, title, MB_YESNO | MB_ICONQUESTION) == IDYES)
        return OfferAnotherGame(Game);
    ViewState.StopTold = false;
    LeaveNetworkGame(Game);
}

static void ShowStopBox(NetworkEnd why)
{
    wchar_t caption[64] = L"", text[256] = L"";
    LoadLanguageString(IDS_NET_STOP_CAPTION, caption, 64);
    PartnerText(why == PartnerDeclined ? IDS_NET_DECLINED : IDS_NET_STOPPED + why, text);
    MessageBoxW(MainWindow, text, caption, MB_OK | MB_ICONEXCLAMATION);
}

// The model has closed the game already: counted and drawn now, announced once it returns.
void ShellView::gameEnded(bool playerWon)
{
    CountGame(playerWon);
    DrawTurnFrame();
    DrawShipsAfloat();
    InvalidateMainWindow(true);
    ViewState.EndTold = playerWon ? VictoryAnnounced : DefeatAnnounced;
}

void ShellView::partnerChanged()
{
    ShowPartnerLine();
    InvalidateMainWindow(true);
}

// Nothing is counted. The player who left needs no box to say so.
void ShellView::networkStopped(NetworkEnd why)
{
    DrawTurnFrame();
    ShowPartnerLine();
    InvalidateMainWindow(true);
    if (why == PlayerLeft)
        return;
    ViewState.StopTold = true;
    ViewState.StopReason = why;
}

// One at a time: a stop told with an end, or while an end's box is due or open, comes after it.
void AnnounceOutcome()
{
    if (ViewState.BoxDue != NothingToAnnounce || ViewState.BoxOpen)
        return;
    Announcement told = ViewState.EndTold;
    ViewState.EndTold = NothingToAnnounce;
    if (told == NothingToAnnounce && ViewState.StopTold) {
        told = StopAnnounced;
        ViewState.StopTold = false;
    }
    if (told == NothingToAnnounce)
        return;
    ViewState.BoxDue = told;    // first: the paint's own announcing waits for it
    UpdateWindow(MainWindow);   // the last shot on the screen, and its sound begun
    if (told != StopAnnounced)
        PlaySoundEffect(told == VictoryAnnounced ? kVictorySound : kDefeatSound);
    if (SpeakerIdle())
        AfterSounds();
}

// Each is cleared before its box opens: the box's own loop runs the window meanwhile.
void AfterSounds()
{
    const Announcement due = ViewState.BoxDue;
    ViewState.BoxDue = NothingToAnnounce;
    if (due != NothingToAnnounce) {
        ViewState.BoxOpen = true;
        if (due == StopAnnounced)
            ShowStopBox(ViewState.StopReason);
        else
            ShowEndBox(due == VictoryAnnounced);
        ViewState.BoxOpen = false;
        AnnounceOutcome();
    }
    if (ViewState.GameDue && SpeakerIdle()) {
        ViewState.GameDue = false;
        ForgetStatusMessage();
        NewGame(Game);
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
