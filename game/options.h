// The player's choices that change the rules of a battle and how it is marked. Kept in the
// registry by the settings store; the defaults hold until it loads them.
#pragma once
#include <cstdint>

struct GameOptions {
    uint8_t SkillLevel = 2;      // 1, 2 or 3; a hand-edited store may hold anything
    bool MarkDeadShips = true;   // a sunk ship's decks turn Sunk
    bool MarkDeadZone = false;   // the water around a sunk computer ship turns DeadZone
};

extern GameOptions Options;

void ResetOptions();
