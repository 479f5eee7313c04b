// The model as a fresh process has it, and a legal player fleet; shared by the model tests
// and the benchmark.
#pragma once
#include <algorithm>
#include <cstring>
#include <vector>

#include "game/board.h"
#include "game/computer.h"
#include "game/fleet.h"
#include "game/game.h"
#include "game/options.h"
#include "game/random.h"

inline void ResetModel()
{
    ResetGame();
    ResetOptions();
    ResetDice();
}

// A ship of the player's on the HomeBoard and in its fleet, as a drop lays it.
inline void LayHomeShip(int record, int x, int y, PlaceStep step, int size)
{
    Game.HomeFleet[record] = MakeShip(x, y, step, size);
    for (int k = 0; k < size; ++k)
        Game.HomeBoard[x + step.dx * k][y + step.dy * k] = Deck;
}

// A legal player fleet: the computer's placement at the clock's next reading, moved over
// to the HomeBoard and its fleet while the computer's own fleet stays; returns its ships.
inline std::vector<ShipRecord> LayHomeFleet()
{
    const GameState before = Game;
    PlaceEnemyFleet();
    std::memcpy(Game.HomeBoard, Game.EnemyBoard, sizeof Game.HomeBoard);
    std::copy(std::begin(Game.EnemyFleet), std::end(Game.EnemyFleet), Game.HomeFleet);
    std::memcpy(Game.EnemyBoard, before.EnemyBoard, sizeof Game.EnemyBoard);
    std::copy(std::begin(before.EnemyFleet), std::end(before.EnemyFleet), Game.EnemyFleet);
    return std::vector<ShipRecord>(std::begin(Game.HomeFleet), std::end(Game.HomeFleet));
}
