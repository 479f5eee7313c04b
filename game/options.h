// The player's choices that change the rules of a battle and how it is marked. A game plays
// under its own copy (GameState::Rules), which the shell gives it from the player's stored
// ones.
#pragma once
#include <cstdint>

struct GameOptions {
    uint8_t SkillLevel = 2;      // 1, 2 or 3; a hand-edited store may hold anything
    bool MarkDeadShips = true;   // a sunk ship's decks turn Sunk
    bool MarkDeadZone = false;   // the water around a sunk computer ship turns DeadZone
};
