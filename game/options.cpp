#include "game/options.h"

GameOptions Options;

void ResetOptions()
{
    Options = GameOptions{};
}
