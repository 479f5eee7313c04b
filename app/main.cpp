// The entry function: the "clear" command, or start-up and the main loop.
#include <windows.h>

#include "app/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
{
    if (IsClearCommand(commandLine))
        return ClearSettingsCommand();
    if (!StartUp(instance, showCommand))
        return 0;
    return RunMainLoop();
}
