// Where a game stands and whose turn it is.
#pragma once
#include <cstdint>

// Compared by order: above Placement means the battle panel is up.
enum Phase : int32_t { NoGame = -1, Placement = 0, Battle = 1, GameOver = 3 };

extern int32_t GamePhase;

// 1 while the computer is to fire. Only misses change it, and a new game keeps it.
extern int32_t ComputerTurn;

// Set by the player's shot; the next paint plays the shot sound and clears it.
extern int32_t ShotSoundPending;
