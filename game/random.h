// The game's dice: the standard generator, seeded from the calendar second. Both come through
// the game's port, so that tests give it a fixed clock and scripted draws.
#pragma once
#include <ctime>

struct DicePort {
    // The clock read by the seeding.
    std::time_t (*calendarSeconds)();
    // One draw: std::rand in play.
    int (*draw)();
};

// The calendar clock and the standard generator.
extern const DicePort kSystemDice;

struct GameState;

void SeedFromClock(const GameState& game);

// A draw of the game's dice.
int RandomDraw(const GameState& game);
