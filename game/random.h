// The game's dice: the standard generator, seeded from the calendar second. Both come through
// a port, so that tests install a fixed clock and scripted draws.
#pragma once
#include <ctime>

struct Dice {
    // The clock read by the seeding.
    std::time_t (*calendarSeconds)();
    // One draw: std::rand in play.
    int (*draw)();
};

void InstallDice(const Dice& dice);

// The installed dice.
const Dice& CurrentDice();

void SeedFromClock();

// A draw of the installed dice.
int RandomDraw();

// The clock and the standard generator again.
void ResetDice();
