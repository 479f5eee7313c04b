// The computer's side of the battle: its shots at the HomeBoard and its memory of the
// latest hit.
#pragma once
#include <cstdint>

struct TargetCell {
    int32_t x;
    int32_t y;
};

// Last in, first out: the open side neighbours of the latest hit.
struct TargetList {
    TargetCell entries[4];
    int32_t count;
};

// Both outlive a game: a hunt left open is where the computer fires first next battle.
extern TargetList TargetStack;
extern int32_t HuntActive;   // set while finishing a ship it has hit

constexpr int kRandomSearchAttempts = 50;

// One shot after the pause. Returns 1 when the random search found nothing to fire at
// (nothing changes, and the turn stays with the computer), else 0.
int ComputerShot();

// After a hit at (x, y): 1 when that ship has no Deck left.
int IsHomeShipSunk(int x, int y);

// Turns the hit decks of the sunk ship through (x, y) into Sunk.
void MarkHomeShipSunk(int x, int y);

// The stack becomes the Water or Deck side neighbours of (x, y).
void RebuildTargetStack(int x, int y);
