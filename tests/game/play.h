// Whole games of the computer against a legal fleet, as the strength test and the benchmark
// play them. The clock moves on one second per reading, as it roughly does between the
// computer's shots in play, so a run of games from one second is the same on every run.
#pragma once
#include <cstdint>
#include <ctime>

#include "tests/game/model_game.h"

inline std::time_t GameSecond = 1700000000;

// A fresh game at `level` whose HomeBoard holds a legal fleet for the computer to sink.
inline void LayFleetForComputer(int level)
{
    ResetModel(Game);
    Game.Dice = {[] { return GameSecond++; }};
    Game.Rules.SkillLevel = static_cast<uint8_t>(level);
    LayHomeFleet(Game);
    Game.HomeDecksLeft = kFleetDecks;
    Game.HomeShipsLeft = kFleetShips;
}

// The computer's shots at `level` until the fleet is sunk; searches that fire nothing are
// not shots. The next game goes on from this one's clock. A computer that never finishes
// stops after far more searches than a game needs.
inline int ShotsToSinkAFleet(int level)
{
    LayFleetForComputer(level);
    int fired = 0;
    for (int search = 0; Game.HomeDecksLeft > 0 && search < 10000; ++search, Recording.clear())
        fired += ComputerShot(Game);
    return fired;
}
