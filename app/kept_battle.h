// The battle against the computer kept in the registry ("Battle" under the program's key) as
// each move is made, so that closing the window, the end of the session or a killed process
// lose nothing; start-up brings it back. Each battle has a serial number, and the store keeps
// the last one counted, so that a copy of the value made before the end never counts twice.
#pragma once
#include <cstdint>

struct KeptBattleState {
    uint32_t Serial = 0;    // the game's number, given as it begins
    bool Changed = false;   // a move since the value was last written
};

extern KeptBattleState KeptBattle;

void ResetKeptBattle();

// A game begins: whatever was kept goes, and the game takes the next serial number.
void NumberNewBattle();

// A ship laid or lifted, a shot of either side: the value is written once the model returns.
void NoteBattleMove();

// Writes the game, if a move changed it and it is a battle against the computer in progress.
void KeepChangedBattle();

// The game ended: its serial counts as counted and the value goes, before it is counted.
void ForgetEndedBattle();

// At start-up, once the window stands: a kept battle that passes every check becomes the game
// and its scene, the ship images made for it; any other value is deleted quietly. True when a
// battle came back.
bool ResumeKeptBattle();

// Once start-up is done: the computer's pause runs if the battle came back on its turn.
void ContinueKeptBattle();
