// The shell's view of the game: what the model tells it turned into pictures, messages,
// sounds, statistics and boxes.
#pragma once

struct GameViewState {
    // Set by the player's shot; the next paint plays the shot sound and clears it.
    bool ShotSoundPending = false;
    // The computer's pause before each shot; tests that play many computer shots shorten it.
    int computerPauseMs = 300;
};

extern GameViewState ViewState;

void ResetGameView();

// Installs the shell's view in the model.
void InstallGameView();

// Begin...: the start sound, the status line forgotten, and a new game.
void StartNewGame();
