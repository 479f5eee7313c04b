#include "app/pause.h"

#include <windows.h>

void PauseBeforeComputerShot()
{
    Sleep(kComputerPauseMs);
}
