// The one reset of the game's process-wide state, shared by the model tests, the shell
// tests and the benchmark, and a legal player fleet.
#pragma once
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "game/board.h"
#include "game/computer.h"
#include "game/fleet.h"
#include "game/options.h"
#include "game/phase.h"
#include "game/random.h"

inline void ResetGameState()
{
    ClearBoards();
    std::fill(std::begin(EnemyFleet), std::end(EnemyFleet), ShipRecord{});
    EnemyDecksLeft = HomeDecksLeft = -1;
    EnemyShipsLeft = HomeShipsLeft = 0;
    GamePhase = NoGame;
    ComputerTurn = ShotSoundPending = 0;
    PlacementSize = -4;
    PlacementLeft = -1;
    TargetStack = TargetList{};
    HuntActive = 0;
    SkillLevel = 2;
    MarkDeadShips = true;
    MarkDeadZone = false;
    CalendarSeconds = [] { return std::time(nullptr); };
    RandomDraw = std::rand;
}

// A legal player fleet: the computer's placement at the clock's next reading, moved over
// to the HomeBoard while the computer's own fleet stays; returns its ships.
inline std::vector<ShipRecord> LayHomeFleet()
{
    Board enemy;
    std::memcpy(enemy, EnemyBoard, sizeof enemy);
    std::vector<ShipRecord> fleet(std::begin(EnemyFleet), std::end(EnemyFleet));
    PlaceEnemyFleet();
    std::memcpy(HomeBoard, EnemyBoard, sizeof enemy);
    std::memcpy(EnemyBoard, enemy, sizeof enemy);
    std::swap_ranges(fleet.begin(), fleet.end(), EnemyFleet);
    return fleet;
}
