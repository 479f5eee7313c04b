// The length of the computer's pause (PauseBeforeComputerShot, game/view.h).
#pragma once

// 300 ms in play; tests that play many computer shots shorten it.
extern int ComputerPauseMs;
