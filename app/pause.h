// The computer's pause before each of its shots; it blocks the game thread.
#pragma once

constexpr int kComputerPauseMs = 300;

void PauseBeforeComputerShot();
