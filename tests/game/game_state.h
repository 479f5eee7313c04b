// The one reset of the game's process-wide state, shared by the model tests, the shell
// tests and the benchmark, and a legal player fleet drawn from a generator of their own.
#pragma once
#include <cstdlib>
#include <ctime>
#include <random>

#include "app/status.h"
#include "game/board.h"
#include "game/computer.h"
#include "game/fleet.h"
#include "game/options.h"
#include "game/phase.h"
#include "game/random.h"

inline void ResetGameState()
{
    ClearBoards();
    for (ShipRecord& ship : EnemyFleet)
        ship = ShipRecord{};
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
    StatusMessageId = NoMessage;
    CalendarSeconds = [] { return std::time(nullptr); };
    RandomDraw = std::rand;
}

// Lays 4,3,3,2,2,2,1,1,1,1 on the HomeBoard under the no-touch rule.
inline void LayRandomHomeFleet(std::mt19937& dice)
{
    for (;;) {
        for (auto& column : HomeBoard)
            for (int32_t& cell : column)
                cell = Water;
        int placed = 0;
        for (int size = kLargestShip; size >= 1; --size)
            for (int count = 0; count < kLargestShip + 1 - size; ++count)
                for (int attempt = 0; attempt < 1000; ++attempt) {
                    const int x = dice() % 10, y = dice() % 10, kind = dice() % 2 ? Vertical : Horizontal;
                    PlaceStep step;
                    if (CheckHomePlacement(x, y, kind, size, step) == 0) {
                        for (int k = 0; k < size; ++k)
                            HomeBoard[x + step.dx * k][y + step.dy * k] = Deck;
                        ++placed;
                        break;
                    }
                }
        if (placed == kFleetShips)
            return;
    }
}
