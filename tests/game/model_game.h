// The one game the model tests and the benchmark play, and what its view was told.
#pragma once
#include "tests/fakes/recorder.h"
#include "tests/game/game_state.h"

inline GameState Game;
inline Recorder Recording;

// A fresh game whose view records, with an empty recording.
inline void ResetRecordedModel()
{
    ResetModel(Game);
    Recording.clear();
    Game.View = &Recording;
}
