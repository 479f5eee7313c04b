// The computer's side of the battle: its shots at the HomeBoard and its memory of the
// latest hit (the TargetStack and HuntActive of the game's state).
#pragma once

constexpr int kRandomSearchAttempts = 50;

// One shot after the pause. Returns true when the random search found nothing to fire at
// (nothing changes, and the turn stays with the computer).
bool ComputerShot();

// After a hit at (x, y): whether that ship has no Deck left.
bool IsHomeShipSunk(int x, int y);

// Turns the hit decks of the sunk ship through (x, y) into Sunk.
void MarkHomeShipSunk(int x, int y);

// The stack becomes the Water or Deck side neighbours of (x, y).
void RebuildTargetStack(int x, int y);
