// A game as a fresh process has it, and a legal player fleet; shared by the model tests, the
// shell tests and the benchmark.
#pragma once
#include <algorithm>
#include <cstring>
#include <vector>

#include "game/board.h"
#include "game/computer.h"
#include "game/fleet.h"
#include "game/game.h"
#include "game/random.h"

inline void ResetModel(GameState& game)
{
    ResetGame(game);
}

// A legal player fleet: the computer's placement at the clock's next reading, moved over
// to the HomeBoard and its fleet while the computer's own fleet stays; returns its ships.
inline std::vector<ShipRecord> LayHomeFleet(GameState& game)
{
    const GameState before = game;
    PlaceEnemyFleet(game);
    std::memcpy(game.HomeBoard, game.EnemyBoard, sizeof game.HomeBoard);
    std::copy(std::begin(game.EnemyFleet), std::end(game.EnemyFleet), game.HomeFleet);
    std::memcpy(game.EnemyBoard, before.EnemyBoard, sizeof game.EnemyBoard);
    std::copy(std::begin(before.EnemyFleet), std::end(before.EnemyFleet), game.EnemyFleet);
    return std::vector<ShipRecord>(std::begin(game.HomeFleet), std::end(game.HomeFleet));
}
