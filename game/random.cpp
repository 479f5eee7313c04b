#include "game/random.h"

#include <cstdlib>

namespace {

std::time_t CurrentSeconds()
{
    return std::time(nullptr);
}

const Dice kSystemDice = {CurrentSeconds, std::rand};
Dice InstalledDice = kSystemDice;

}  // namespace

void InstallDice(const Dice& dice)
{
    InstalledDice = dice;
}

const Dice& CurrentDice()
{
    return InstalledDice;
}

void SeedFromClock()
{
    std::srand(static_cast<unsigned>(InstalledDice.calendarSeconds()));
}

int RandomDraw()
{
    return InstalledDice.draw();
}

void ResetDice()
{
    InstalledDice = kSystemDice;
}
