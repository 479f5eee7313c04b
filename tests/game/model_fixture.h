// A clean game model for every test, an empty recording and a clock the test sets.
#pragma once
#include <gtest/gtest.h>

#include "tests/fakes/recorder.h"
#include "tests/game/game_state.h"

// The second the seeding reads; with TestClockTicks every read moves it on by one.
extern std::time_t TestClockSecond;
extern bool TestClockTicks;

class ModelTest : public ::testing::Test {
protected:
    void SetUp() override;
};

// Record sizes in order, straight unit-step decks matching the board, no two ships touching.
void ExpectLegalFleet();
