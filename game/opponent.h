// Where a game against the computer and one against a partner over the network differ: the
// steps of a game's course that each kind of opponent takes its own way.
#pragma once
#include "game/game.h"

struct OpponentPlay {
    // A new game: the EnemyBoard is cleared; the EnemyFleet as the opponent begins it.
    void (*layFleet)();
    // Whether the last ship laid may still be lifted.
    bool (*mayTakeBack)();
    // Beside the phase, the turn and the cell: whether the player may fire now.
    bool (*mayFire)();
    // The player's shot at a cell it may fire at.
    void (*fire)(int x, int y);
    // A tick of the battle on the opponent's turn.
    void (*move)();
    // A tick with the player's whole fleet down in Placement: whether the battle begins.
    bool (*fleetDown)();
    // Whether a fleet with no decks left ends the game at the tick.
    bool (*decksEndGame)();
};

extern const OpponentPlay kComputerPlay;
extern const OpponentPlay kPartnerPlay;

// The play of Game.Opponent.
const OpponentPlay& CurrentOpponent();

// Clears the boards, offers the largest ship and lays the opponent's fleet.
void BeginGameAgainst(OpponentKind opponent);

void BeginBattle();

// Closes the game before the view hears of it: a box it opens keeps the timer ticking.
void EndGame(bool playerWon);
