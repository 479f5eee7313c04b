// A fresh game model for every test, a recording view and a clock fixed at one second.
#pragma once
#include <gtest/gtest.h>

#include "tests/fakes/recorder.h"
#include "tests/game/game_state.h"

class ModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetModel();
        InstallRecorder();
        InstallDice({[] { return std::time_t{1700000000}; }, std::rand});
    }
};
