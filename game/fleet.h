// A new game: empty boards, the placement panel, and the computer's fleet at random.
#pragma once
#include <cstdint>

// The player's ship now offered on the panel and how many of that size are still to
// place: 4 (1 ship), 3 (2), 2 (3), 1 (4), then 0 with 5 left once the fleet is down.
extern int32_t PlacementSize;
extern int32_t PlacementLeft;

void NewGame();

// Clears both boards and lays the computer's ten ships under the no-touch rule.
void PlaceEnemyFleet();
