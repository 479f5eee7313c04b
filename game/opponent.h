// Where a game against the computer and one against a partner over the network differ: the
// steps of a game's course that each kind of opponent takes its own way.
#pragma once
#include "game/game.h"
#include "game/view.h"

struct OpponentPlay {
    // A new game: the EnemyBoard is cleared; the EnemyFleet as the opponent begins it.
    void (*layFleet)();
    // Whether the last ship laid may still be lifted.
    bool (*mayTakeBack)();
    // Beside the phase, the turn and the cell: whether the player may fire now.
    bool (*mayFire)();
    // The player's shot at a cell it may fire at.
    void (*fire)(int x, int y);
    // How long the model waits now for the opponent's next move before it acts: the
    // computer's pause on its turn, the patience with a partner's shot or answer; 0 when
    // nothing is awaited.
    int (*waitMs)();
    // That wait is over: the computer fires, a partner is overdue.
    void (*waited)();
    // The player's whole fleet is down: the battle begins now, or once the opponent agrees.
    void (*fleetLaid)();
    // Whether a fleet with no decks left ends the game at once (against a partner the
    // reveal of its fleet ends it).
    bool decksEndGame;
};

extern const OpponentPlay kComputerPlay;
extern const OpponentPlay kPartnerPlay;

// The play of Game.Opponent.
const OpponentPlay& CurrentOpponent();

// Clears the boards, offers the largest ship and lays the opponent's fleet.
void BeginGameAgainst(OpponentKind opponent);

void BeginBattle();

// After every move of either side: a fleet gone ends the game where the opponent's rules
// say so, and a move awaited asks for the timer.
void SettleBattle();

// A move of the opponent came: what it awaits next is waited for afresh.
void RestartOpponentWait();

// The opponent's shot at a HomeBoard cell holding Water or Deck, landed and told.
ShotResult OpponentFiresAt(int x, int y);

// Closes the game; the view hears of the end, and the shell announces it once the model
// has returned.
void EndGame(bool playerWon);
