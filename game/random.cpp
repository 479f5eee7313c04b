#include "game/random.h"

#include <cstdlib>

static std::time_t CurrentSeconds()
{
    return std::time(nullptr);
}

std::time_t (*CalendarSeconds)() = CurrentSeconds;
int (*RandomDraw)() = std::rand;

void SeedFromClock()
{
    std::srand(static_cast<unsigned>(CalendarSeconds()));
}

void ResetDice()
{
    CalendarSeconds = CurrentSeconds;
    RandomDraw = std::rand;
}
