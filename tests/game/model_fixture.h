// A clean game model for every test: empty boards, fresh counters and flags, default
// options, an empty recording and a clock that the test sets.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <vector>

#include "game/board.h"
#include "tests/fakes/recorder.h"

// The second the seeding reads; with TestClockTicks every read moves it on by one.
extern std::time_t TestClockSecond;
extern bool TestClockTicks;

struct ShipPlan {
    int x, y, size;
    bool vertical;
};

class ModelTest : public ::testing::Test {
protected:
    void SetUp() override;
};

// Lay ships by hand, bypassing the rule (tests arrange boards the game would not).
void LayHomeShip(const ShipPlan& ship);
void LayEnemyShip(int record, const ShipPlan& ship);

// Lays a legal player fleet of 4,3,3,2,2,2,1,1,1,1 on the HomeBoard, drawn from a
// generator of the test's own, and returns it.
std::vector<ShipPlan> RandomHomeFleet(unsigned seed);

// The centre of EnemyBoard cell (x, y), as a click gives it.
unsigned EnemyPixelX(int x);
unsigned EnemyPixelY(int y);
