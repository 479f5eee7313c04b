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
    // The pause before each of its moves, which come on the model's timer; 0 when its moves
    // come as messages instead.
    int movePauseMs;
    // Its move when the timer fires on its turn.
    void (*move)();
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
// say so, and the opponent's turn asks for its timer.
void SettleBattle();

// The opponent's shot at a HomeBoard cell holding Water or Deck, landed and told.
ShotResult OpponentFiresAt(int x, int y);

// Closes the game; the view hears of the end, and the shell announces it once the model
// has returned.
void EndGame(bool playerWon);
