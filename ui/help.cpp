#include "ui/help.h"

// The bare name: the viewer finds the file itself.
static const char kHelpFile[] = "tidewar.hlp";

void OpenHelpContents(HWND owner)
{
    WinHelpA(owner, kHelpFile, HELP_CONTENTS, 0);
}

void OpenHelpContext(HWND owner, DWORD context)
{
    WinHelpA(owner, kHelpFile, HELP_CONTEXT, context);
}
