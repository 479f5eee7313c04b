#include "game/random.h"

#include <cstdlib>

#include "game/game.h"

static std::time_t CurrentSeconds()
{
    return std::time(nullptr);
}

const DicePort kSystemDice = {CurrentSeconds, std::rand};

void SeedFromClock(const GameState& game)
{
    std::srand(static_cast<unsigned>(game.Dice.calendarSeconds()));
}

int RandomDraw(const GameState& game)
{
    return game.Dice.draw();
}
