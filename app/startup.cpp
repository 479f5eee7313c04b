#include "app/startup.h"

#include <cstring>

#include "app/game_view.h"
#include "app/keyboard.h"
#include "app/kept_battle.h"
#include "app/network_game.h"
#include "app/placement.h"
#include "app/window.h"
#include "base/crypto.h"
#include "base/lan.h"
#include "base/language.h"
#include "base/link.h"
#include "base/program.h"
#include "base/records.h"
#include "base/settings.h"
#include "game/game.h"
#include "game/options.h"
#include "game/random.h"
#include "media/skin.h"
#include "media/sound.h"
#include "media/status_panel.h"
#include "res/resource.h"
#include "ui/about.h"
#include "ui/help.h"
#include "ui/media_pages.h"
#include "ui/network_dialog.h"

bool IsClearCommand(const char* commandLine)
{
    return commandLine && std::strcmp(commandLine, "clear") == 0;
}

int ClearSettingsCommand()
{
    RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKeyPath);
    MessageBoxW(nullptr, L"Программа очистила реестр\nУдалила записи, которые она сделала", L"Tidewar",
                MB_ICONINFORMATION);
    return 0;
}

// A Unicode class, and the wide calls for every text the window shows: through the ANSI
// calls the Russian title, menus and messages come out as question marks under any code
// page but 1251.
static bool RegisterMainWindowClass()
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = ProgramInstance;
    windowClass.hIcon = LoadIconW(ProgramInstance, L"MyIcon");
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));   // every pixel is ours
    windowClass.lpszClassName = MainWindowClass;
    return RegisterClassW(&windowClass) != 0;
}

// After an update Windows starts the program again, and the kept battle comes back by itself.
// Looked up at run time: Windows before Vista has no such call. No command line: the one the
// program knows would clear the settings.
static void AskToBeRestarted()
{
    using RegisterRestart = HRESULT(WINAPI*)(PCWSTR commandLine, DWORD flags);
    const FARPROC found = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "RegisterApplicationRestart");
    if (found)
        reinterpret_cast<RegisterRestart>(reinterpret_cast<void*>(found))(nullptr, 0);
}

bool StartUp(HINSTANCE instance, int showCommand)
{
    ProgramInstance = instance;
    if (!RegisterMainWindowClass())
        return false;
    InstallGameView();
    InstallNetwork();
    OpenSettingsStore();
    OpenSkin();
    LoadLanguageString(IDS_TITLE, MainFrame.TitleText, kTitleLength);
    MainFrame.MainMenu = LoadMainMenu();
    // The scale needs the window's DPI, and so is checked once the window stands.
    const SIZE size = FirstMainWindowSize();
    CreateWindowExW(0, MainWindowClass, MainFrame.TitleText, kMainWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, size.cx,
                    size.cy, nullptr, MainFrame.MainMenu, ProgramInstance, nullptr);
    if (!MainWindow) {
        UnloadSkin();
        return false;
    }
    FitMainWindow();
    const bool resumed = ResumeKeptBattle();
    AskToBeRestarted();
    ShowWindow(MainWindow, showCommand);
    UpdateWindow(MainWindow);
    MainFrame.Accelerators = LoadAcceleratorsW(ProgramInstance, L"ACCEL_1");
    PostMessageW(MainWindow, FinishStartUpMessage, resumed, 0);
    return true;
}

int RunMainLoop()
{
    MSG message = {};
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        if (!TranslateAcceleratorW(MainWindow, MainFrame.Accelerators, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    UnloadSkin();
    return static_cast<int>(message.wParam);
}

void ResetProgram()
{
    ResetGame(Game);
    ResetOptions();
    ResetSettings();
    ResetRecords();
    ResetStatusPanel();
    ResetSound();
    ResetShipDrag();
    ResetKeyCursor();
    ResetGameView();
    ResetKeptBattle();
    ResetMainWindow();
    ResetLink();
    ResetCrypto();
    ResetNetworkDialog();
    CloseLan();
    ResetMediaPages();
    ResetAbout();
    ResetHelp();
}
