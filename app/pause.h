// The computer's pause before each of its shots; it blocks the game thread.
#pragma once

// 300 ms in play; tests that play many computer shots shorten it.
extern int ComputerPauseMs;

void PauseBeforeComputerShot();
