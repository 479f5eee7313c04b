#include "app/pause.h"

#include <windows.h>

int ComputerPauseMs = 300;

void PauseBeforeComputerShot()
{
    Sleep(ComputerPauseMs);
}
