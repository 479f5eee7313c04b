// The computer's fleet, laid at random under the no-touch rule.
#pragma once
#include "game/game.h"

// Clears the EnemyBoard and lays the computer's ten ships, seeded from the clock.
void PlaceEnemyFleet(GameState& game);
