// Shots at both boards: the player's at the EnemyBoard and the opponent's at the HomeBoard.
#pragma once
#include "game/board.h"

struct GameState;

// Fires at the cell, in Battle, on the player's turn, if it has not been fired at; false
// when nothing happened.
bool FireAtEnemyCell(GameState& game, int x, int y);

// Whether FireAtEnemyCell would fire at the cell now.
bool CanFireAtEnemyCell(const GameState& game, int x, int y);

// The player's shot resolved against the computer's fleet on the EnemyBoard.
void FireAtComputerFleet(GameState& game, int x, int y);

// The player's shot at (x, y) found water: the turn passes, and the view hears of it.
void MissEnemyCell(GameState& game, int x, int y);

// The player's shot at (x, y) found a deck; the view hears of the cell, not yet of the shot.
void HitEnemyCell(GameState& game, int x, int y);

// Marks a sunk ship of the EnemyBoard and the water around it as the options say.
void MarkSunkEnemyShip(GameState& game, const ShipRecord& ship);

// The opponent's shot at a HomeBoard cell holding Water or Deck: the cell, the counters, a
// sunk ship's marks and the last shot, each told to the view; a miss passes the turn to the
// player. The view hears of the shot itself from the caller.
ShotResult LandOnHomeBoard(GameState& game, int x, int y);
