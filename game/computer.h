// The computer's side of the battle: its shots at the HomeBoard and its memory of the
// latest hit (the TargetStack and HuntActive of the game's state).
#pragma once
#include "game/game.h"

// One shot, told to the view; true when it fired. When the random search finds nothing to
// fire at, nothing changes and the turn stays with the computer.
bool ComputerShot(GameState& game);
