#include "game/random.h"

#include "game/game.h"

static std::time_t CurrentSeconds()
{
    return std::time(nullptr);
}

const DicePort kSystemDice = {CurrentSeconds};

void SeedFromClock(GameState& game)
{
    game.DiceState = static_cast<uint32_t>(game.Dice.calendarSeconds());
}

// The linear congruence of the C library that Windows programs have always drawn from.
int RandomDraw(GameState& game)
{
    if (game.Dice.draw)
        return game.Dice.draw();
    game.DiceState = game.DiceState * 214013u + 2531011u;
    return static_cast<int>(game.DiceState >> 16 & 0x7FFF);
}
