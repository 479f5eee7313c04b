#include "tests/win/shell_fixture.h"

#include "app/pause.h"
#include "app/placement.h"
#include "app/startup.h"
#include "app/window.h"
#include "gfx/backbuffer.h"
#include "gfx/skin.h"
#include "gfx/sound.h"
#include "tests/game/game_state.h"
#include "ui/language.h"
#include "ui/settings.h"

static std::vector<AnsweredBox>* BoxLog = nullptr;

static BOOL CALLBACK AnswerBox(HWND window, LPARAM)
{
    wchar_t className[16] = L"";
    GetClassNameW(window, className, 16);
    if (lstrcmpW(className, L"#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    wchar_t caption[128] = L"", text[256] = L"";
    GetWindowTextW(window, caption, 128);
    GetDlgItemTextW(window, 0xFFFF, text, 256);
    if (BoxLog)
        BoxLog->push_back({caption, text, MainWindow && IsWindowEnabled(MainWindow)});
    PostMessageW(window, WM_COMMAND, IDOK, 0);
    return TRUE;
}

// Runs inside the boxes' own message loops.
static void CALLBACK AnswerBoxes(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), AnswerBox, 0);
}

static UINT_PTR BoxAnswerer = 0;

// The shell's state on top of the model's, as a fresh process starts with it.
static void ResetProgramState()
{
    ResetGameState();
    PlacementDrag = NoDrag;
    PlacedShipCount = 0;
    BackgroundDrawn = false;
    lstrcpyA(MusicName, "no");
    lstrcpyA(SkinName, "no");
    SoundOn = ShowDecks = true;
    Language = English;
    Wins = Losses = 0;
    ComputerPauseMs = 300;
    SoundWatcher = nullptr;
}

void DeleteSettingsKey()
{
    RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKeyPath);
}

void ShellTest::SetUp()
{
    DeleteSettingsKey();
    ResetProgramState();
    BoxLog = &answered;
    BoxAnswerer = SetTimer(nullptr, 0, 20, AnswerBoxes);
}

void ShellTest::StartProgram()
{
    ASSERT_TRUE(StartUp(GetModuleHandleW(nullptr), SW_SHOWNOACTIVATE));
    started = true;
}

void ShellTest::RestartProgram()
{
    StopProgram();
    ResetProgramState();
    StartProgram();
}

void ShellTest::TearDown()
{
    StopProgram();
    KillTimer(nullptr, BoxAnswerer);
    BoxLog = nullptr;
}

void ShellTest::StopProgram()
{
    if (!started)
        return;
    DestroyWindow(MainWindow);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        ;
    UnloadSkin();
    DestroyMenu(MainMenu);
    MainMenu = nullptr;
    UnregisterClassW(MainWindowClass, GetModuleHandleW(nullptr));
    MainWindow = nullptr;
    started = false;
}

void ShellTest::Command(int id)
{
    SendMessageW(MainWindow, WM_COMMAND, id, 0);
}

void ShellTest::Tick()
{
    SendMessageW(MainWindow, WM_TIMER, GameTimer, 0);
}

void ShellTest::Click(int x, int y)
{
    SendMessageW(MainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(MainWindow, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void ShellTest::Drag(int fromX, int fromY, int toX, int toY)
{
    SendMessageW(MainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(fromX, fromY));
    SendMessageW(MainWindow, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((fromX + toX) / 2, (fromY + toY) / 2));
    SendMessageW(MainWindow, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(toX, toY));
    SendMessageW(MainWindow, WM_LBUTTONUP, 0, MAKELPARAM(toX, toY));
}

void ShellTest::DropOfferedShip(bool vertical, int column, int row)
{
    const int toX = 280 + 20 * column + 10, toY = 30 + 20 * row + 10;
    Drag(vertical ? 210 : 250, vertical ? 260 : 285, toX, toY);
}

void ShellTest::PlaceShips(int count)
{
    // Rows 0, 2 and 4 hold the ships, a free row or column around each.
    const int plan[kFleetShips][2] = {{0, 0}, {5, 0}, {0, 2}, {4, 2}, {7, 2}, {0, 4},
                                      {3, 4}, {5, 4}, {7, 4}, {9, 4}};
    for (int i = 0; i < count && i < kFleetShips; ++i) {
        DropOfferedShip(false, plan[i][0], plan[i][1]);
        Tick();
    }
}

void ShellTest::PlaceWholeFleet()
{
    PlaceShips(kFleetShips);
}

std::string BesideTests(const char* name)
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string exe(path, length);
    return exe.substr(0, exe.find_last_of("\\/") + 1) + name;
}

std::vector<unsigned char> SettingBytes(const char* name)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    unsigned char data[512];
    DWORD size = sizeof data;
    const LONG result = RegQueryValueExA(key, name, nullptr, nullptr, data, &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return {};
    return std::vector<unsigned char>(data, data + size);
}

unsigned ScenePixel(int x, int y)
{
    const COLORREF colour = GetPixel(BackBuffer, x, y);
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

std::wstring MenuText(int popup)
{
    wchar_t text[64] = L"";
    GetMenuStringW(GetMenu(MainWindow), popup, text, 64, MF_BYPOSITION);
    return text;
}

std::wstring WindowTitle()
{
    wchar_t text[64] = L"";
    GetWindowTextW(MainWindow, text, 64);
    return text;
}

static std::vector<unsigned> Pixels(HDC dc, HBITMAP bitmap, int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<unsigned> pixels(static_cast<size_t>(width) * height);
    GetDIBits(dc, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    for (unsigned& pixel : pixels)
        pixel &= 0xFFFFFF;
    return pixels;
}

std::vector<unsigned> SceneSnapshot()
{
    HBITMAP scene = static_cast<HBITMAP>(GetCurrentObject(BackBuffer, OBJ_BITMAP));
    return Pixels(BackBuffer, scene, 510, 400);
}

// Draws into a scratch bitmap like the BackBuffer, then compares a rectangle of it.
template <typename Draw>
static bool SceneAreaMatches(int left, int top, int width, int height, Draw draw)
{
    HDC scratch = CreateCompatibleDC(BackBuffer);
    HBITMAP bitmap = CreateCompatibleBitmap(BackBuffer, 510, 400);
    HGDIOBJ previous = SelectObject(scratch, bitmap);
    BitBlt(scratch, 0, 0, 510, 400, BackBuffer, 0, 0, SRCCOPY);
    draw(scratch);
    SelectObject(scratch, previous);
    const std::vector<unsigned> expected = Pixels(scratch, bitmap, 510, 400);
    DeleteObject(bitmap);
    DeleteDC(scratch);
    const std::vector<unsigned> actual = SceneSnapshot();
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            if (actual[y * 510 + x] != expected[y * 510 + x])
                return false;
    return true;
}

bool PictureShownAt(int picture, int left, int top, int width, int height)
{
    return SceneAreaMatches(left, top, width, height, [&](HDC scratch) {
        HDC source = CreateCompatibleDC(BackBuffer);
        HGDIOBJ previous = SelectObject(source, SkinPicture(picture));
        BitBlt(scratch, left, top, width, height, source, 0, 0, SRCCOPY);
        SelectObject(source, previous);
        DeleteDC(source);
    });
}

bool BackgroundShownAt(int left, int top, int width, int height)
{
    return SceneAreaMatches(left, top, width, height, [&](HDC scratch) {
        HDC source = CreateCompatibleDC(BackBuffer);
        HGDIOBJ previous = SelectObject(source, SkinPicture(45));
        BitBlt(scratch, left, top, width, height, source, left, top, SRCCOPY);
        SelectObject(source, previous);
        DeleteDC(source);
    });
}

bool CellShows(int picture, bool enemyBoard, int x, int y)
{
    return PictureShownAt(picture, (enemyBoard ? 30 : 280) + 20 * x, 30 + 20 * y, 20, 20);
}

bool CounterShows(int left, int width, int textX, const char* text)
{
    return SceneAreaMatches(left, 280, width, 50, [&](HDC scratch) {
        HGDIOBJ previous = SelectObject(scratch, CounterFont);
        PatBlt(scratch, left, 285, width, 45, WHITENESS);
        TextOutA(scratch, textX, 280, text, lstrlenA(text));
        SelectObject(scratch, previous);
    });
}

bool MessageShows(const wchar_t* text)
{
    return SceneAreaMatches(170, 250, 160, 21, [&](HDC scratch) {
        HGDIOBJ previous = SelectObject(scratch, MessageFont);
        PatBlt(scratch, 170, 250, 160, 21, WHITENESS);
        TextOutW(scratch, 175, 250, text, lstrlenW(text));
        SelectObject(scratch, previous);
    });
}
