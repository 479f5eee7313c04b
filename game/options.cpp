#include "game/options.h"

uint8_t SkillLevel = 2;
bool MarkDeadShips = true;
bool MarkDeadZone = false;
