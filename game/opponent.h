// Where a game against the computer and one against a partner over the network differ: the
// steps of a game's course that each kind of opponent takes its own way.
#pragma once
#include "game/game.h"

struct OpponentPlay {
    // A new game: the EnemyBoard is cleared; the EnemyFleet as the opponent begins it.
    void (*layFleet)(GameState& game);
    // Whether the last ship laid may still be lifted.
    bool (*mayTakeBack)(const GameState& game);
    // Beside the phase, the turn and the cell: whether the player may fire now.
    bool (*mayFire)(const GameState& game);
    // The player's shot at a cell it may fire at.
    void (*fire)(GameState& game, int x, int y);
    // How long the model waits now for the opponent's next move before it acts: the
    // computer's pause on its turn, the patience with a partner's shot, answer or answer to
    // the player's offer of another game; 0 when nothing is awaited.
    int (*waitMs)(const GameState& game);
    // That wait is over: the computer fires, a partner is overdue.
    void (*waited)(GameState& game);
    // The player's whole fleet is down: the battle begins now, or once the opponent agrees.
    void (*fleetLaid)(GameState& game);
    // Whether a fleet with no decks left ends the game at once (against a partner the
    // reveal of its fleet ends it).
    bool decksEndGame;
};

extern const OpponentPlay kComputerPlay;
extern const OpponentPlay kPartnerPlay;

// The play of the game's Opponent.
const OpponentPlay& CurrentOpponent(const GameState& game);

// Clears the boards, offers the largest ship and lays the opponent's fleet.
void BeginGameAgainst(GameState& game, OpponentKind opponent);

void BeginBattle(GameState& game);

// After every move of either side: a fleet gone in battle ends the game where the opponent's
// rules say so, and a move awaited asks for the timer (and nothing awaited stops it).
void SettleBattle(GameState& game);

// A move of the opponent came: what it awaits next is waited for afresh.
void RestartOpponentWait(GameState& game);

// The opponent's shot at a HomeBoard cell holding Water or Deck, landed and told.
ShotResult OpponentFiresAt(GameState& game, int x, int y);

// Closes the game; the view hears of the end, and the shell announces it once the model
// has returned.
void EndGame(GameState& game, bool playerWon);
