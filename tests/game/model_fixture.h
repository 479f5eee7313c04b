// A fresh game model for every test, a recording view and a clock fixed at one second.
#pragma once
#include <gtest/gtest.h>

#include "tests/game/model_game.h"

class ModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetRecordedModel();
        Game.Dice = {[] { return std::time_t{1700000000}; }};
    }
};
