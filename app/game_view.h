// The shell's view of the game: what the model tells it turned into pictures, messages,
// sounds and statistics, and, once the model has returned, the boxes that announce an end.
#pragma once
#include <windows.h>

#include "game/network.h"
#include "game/view.h"

// The main window's timer that the model asks for: the opponent's next move.
constexpr UINT_PTR GameTimer = 1;

// What a game's end leaves to announce: its box, after its sound for a finished game.
enum Announcement { VictoryAnnounced, DefeatAnnounced, StopAnnounced };

struct DueAnnouncement {
    Announcement kind = StopAnnounced;
    NetworkEnd why = PartnerLeft;   // of a stop
};

// Where the announcing of the first one due stands. One at a time: what is told meanwhile
// waits its turn.
enum AnnouncingStage {
    NothingAnnouncing,   // the next one due starts at the next advance
    EndSounding,         // the first one due is on screen, its sound asked for; its box
                         // opens when the speaker is idle
    BoxShowing,          // its box is open, and its loop runs the window
};

// A finished game's end and the stop that follows it, and one to spare; more are dropped.
constexpr int kMaxDueAnnouncements = 3;

struct GameViewState {
    // Set by the player's shot; the next paint plays the shot sound and clears it.
    bool ShotSoundPending = false;
    AnnouncingStage Stage = NothingAnnouncing;
    // Told by the model, not yet shown, first first; the box showing is no longer among them.
    DueAnnouncement Due[kMaxDueAnnouncements] = {};
    int DueCount = 0;
    // The open box that asks for another network game: a stop told meanwhile closes it.
    HWND AgainBox = nullptr;
    // The shots of the game just won when they are its level's new fewest, else 0: its box says so.
    int NewRecordShots = 0;
    int NewRecordLevel = 0;
};

extern GameViewState ViewState;

void ResetGameView();

// The program's view of its game: what the model tells becomes pictures, sounds, the panel
// and, once the model has returned, boxes.
struct ShellView : GameView {
    void gameBegun() override;
    void shipOffered(int size) override;
    void shipLaid(const PlacedShip& ship) override;
    void shipTakenBack(const PlacedShip& ship) override;
    void battleBegun() override;
    void cellChanged(BoardSide side, int x, int y) override;
    void shotResolved(Shooter shooter, ShotResult result) override;
    void gameEnded(bool playerWon) override;
    // The model's one timer is the main window's GameTimer.
    void startTimer(int ms) override;
    void stopTimer() override;
    void partnerChanged() override;
    void networkStopped(NetworkEnd why) override;
};

// Gives the program's game the shell's view.
void InstallGameView();

// Begin...: the game in progress and what was due of it go, and a new game begins at once
// while the opening sound plays over it.
void StartNewGame();

// Called where a game or a sound can end (a command, a press or release, a key, the game
// timer, the socket, the sound timer), once the model has returned: the first end due is
// painted and heard, and its box opens once the speaker is idle; then the next.
void AnnounceDue();
