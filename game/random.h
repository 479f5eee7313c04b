// The game's dice: the standard generator, seeded from the calendar second.
#pragma once
#include <ctime>

// The clock read by the seeding; tests point it at a fixed second.
extern std::time_t (*CalendarSeconds)();

void SeedFromClock();

// The dice themselves: std::rand in play; tests script a sequence of draws through it.
extern int (*RandomDraw)();

// The clock and the standard generator again.
void ResetDice();
