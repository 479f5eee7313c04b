// The shell's view of the game: what the model tells it turned into pictures, messages,
// sounds and statistics, and, once the model has returned, the boxes that announce an end.
#pragma once
#include <windows.h>

#include "game/network.h"
#include "game/view.h"

// The main window's timer that the model asks for: the opponent's next move.
constexpr UINT_PTR GameTimer = 1;

// What waits to be announced once the command or timer that ended a game has returned.
enum Announcement { NothingToAnnounce, VictoryAnnounced, DefeatAnnounced, StopAnnounced };

struct GameViewState {
    // Set by the player's shot; the next paint plays the shot sound and clears it.
    bool ShotSoundPending = false;
    // Told by the model, not yet shown: the end's sound is still to start.
    Announcement EndTold = NothingToAnnounce;
    // A network game's stop told, not yet shown; after a finished game it follows the end.
    bool StopTold = false;
    // Its sound has started: the box opens once the speaker is idle.
    Announcement BoxDue = NothingToAnnounce;
    // A box of an end is open: its loop runs the window, and what the model tells meanwhile waits.
    bool BoxOpen = false;
    NetworkEnd StopReason = PartnerLeft;
    // Begin... was chosen: the new game begins once the opening sound has ended.
    bool GameDue = false;
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

// Begin...: the game in progress stops, the opening sound plays, and once it has ended the
// status line is forgotten and a new game begins.
void StartNewGame();

// After every message the main window handled: an end the model told is shown, its last
// shot painted, then its sound, then its box.
void AnnounceOutcome();

// The speaker has gone quiet: a box or a new game waiting for it comes now.
void AfterSounds();
