#include "game/phase.h"

int32_t GamePhase = NoGame;
int32_t ComputerTurn = 0;
int32_t ShotSoundPending = 0;
