#include "ui/language.h"

#include <windows.h>

#include "app/startup.h"
#include "app/status.h"
#include "app/window.h"
#include "res/resource.h"
#include "ui/settings.h"

uint32_t Language = English;

int LanguageOffset()
{
    return static_cast<int>(Language <= German ? Language : English) * 100;
}

void ApplyLanguage()
{
    SaveSettings();
    LoadStringW(ProgramInstance, IDS_TITLE + LanguageOffset(), TitleText, kTitleLength);
    SetWindowTextW(MainWindow, TitleText);
    HMENU previous = MainMenu;
    MainMenu = LoadMenuW(ProgramInstance, MAKEINTRESOURCEW(IDM_MAIN + LanguageOffset()));
    SetMenu(MainWindow, MainMenu);
    if (previous && previous != MainMenu)
        DestroyMenu(previous);
    InvalidateRect(MainWindow, nullptr, FALSE);
    ShowStatusMessage(NoMessage);
}
