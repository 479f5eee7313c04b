#include "app/pause.h"

#include <windows.h>

#include "game/view.h"

int ComputerPauseMs = 300;

void PauseBeforeComputerShot()
{
    Sleep(ComputerPauseMs);
}
