// The player's choices that change the rules of a battle and how it is marked.
// Kept in the registry by the settings store; the defaults hold until it loads them.
#pragma once
#include <cstdint>

extern uint8_t SkillLevel;   // 1, 2 or 3; a hand-edited store may hold anything
extern bool MarkDeadShips;   // a sunk ship's decks turn Sunk
extern bool MarkDeadZone;    // the water around a sunk computer ship turns DeadZone
