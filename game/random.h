// The game's dice: the standard generator, seeded from the calendar second.
#pragma once
#include <ctime>

// The clock read by the seeding; tests point it at a fixed second.
extern std::time_t (*CalendarSeconds)();

void SeedFromClock();
