#include "tests/game/model_fixture.h"

std::time_t TestClockSecond = 0;
bool TestClockTicks = false;

void ModelTest::SetUp()
{
    ResetGameState();
    Recording.clear();
    TestClockSecond = 1700000000;
    TestClockTicks = false;
    CalendarSeconds = [] { return TestClockTicks ? TestClockSecond++ : TestClockSecond; };
}
