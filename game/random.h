// The game's dice: a generator of its own, kept in the game and seeded from the calendar
// second, so that two games in one process never share a draw. The clock comes through the
// game's port, so that tests give it a fixed one; a test may script the draws too.
#pragma once
#include <cstdint>
#include <ctime>

struct DicePort {
    // The clock read by the seeding.
    std::time_t (*calendarSeconds)();
    // A scripted draw in place of the game's generator; none in play.
    int (*draw)() = nullptr;
};

// The calendar clock and the game's own generator.
extern const DicePort kSystemDice;

struct GameState;

// The generator starts again from the clock's second.
void SeedFromClock(GameState& game);

// A draw of the game's dice, 0 to 32767.
int RandomDraw(GameState& game);
