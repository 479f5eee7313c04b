// The program's shell running inside the test process: a fresh registry key, fresh game
// state and a real main window for every test, with message boxes answered and recorded.
// Brings the program's headers along, for the tests to reach its state.
#pragma once
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/game_view.h"
#include "app/keyboard.h"
#include "app/placement.h"
#include "app/startup.h"
#include "app/window.h"
#include "base/program.h"
#include "base/settings.h"
#include "game/placement.h"
#include "game/shots.h"
#include "media/backbuffer.h"
#include "media/scene.h"
#include "media/skin.h"
#include "media/sound.h"
#include "media/status_panel.h"
#include "res/resource.h"
#include "tests/game/game_state.h"

struct AnsweredBox {
    std::wstring caption, text;
    bool windowEnabled = false;   // the main window took input while the box was open
};

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override
    {
        StopProgram();
        KillTimer(nullptr, boxAnswerer);
    }

    // Starts the program as WinMain would; SetUp does. A test that arranges the registry
    // first stops it, arranges, and starts it again.
    void StartProgram();

    // Ends the program and starts it again on the same registry key.
    void RestartProgram()
    {
        StopProgram();
        ResetWithFixedDice();
        StartProgram();
    }

    void StopProgram();

    void Command(int id) { SendMessageW(MainWindow, WM_COMMAND, id, 0); }
    // The model's timer, and the end of the sound effect playing.
    void Tick() { SendMessageW(MainWindow, WM_TIMER, GameTimer, 0); }
    void EndSound() { SendMessageW(MainWindow, WM_TIMER, SoundTimer, 0); }
    void Click(int x, int y)
    {
        SendMessageW(MainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(MainWindow, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    void Drag(int fromX, int fromY, int toX, int toY);

    // Drags a ship of the offered size onto the HomeBoard, first deck at (column, row).
    void DropOfferedShip(bool vertical, int column, int row)
    {
        Drag((vertical ? kOfferedVerticalLeft : kOfferedHorizontalLeft) + 10, (vertical ? kOfferedVerticalTop : kOfferedHorizontalTop) + 10,
             kHomeBoardLeft + kCellSize * column + 10, kBoardTop + kCellSize * row + 10);
    }

    // Drops the first `count` ships of a fixed legal fleet.
    void PlaceShips(int count);

    // A new game, its whole fleet placed with the mouse, which begins the battle.
    void BeginBattle()
    {
        Command(CMD_NEW_GAME);
        PlaceShips(kFleetShips);
    }

    // Clicks the middle of the computer's cell, or of a deck of its ship; every deck of the
    // first ships of its fleet.
    void FireAt(int x, int y) { Click(kEnemyBoardLeft + kCellSize * x + 10, kBoardTop + kCellSize * y + 10); }
    void FireAt(const ShipRecord& ship, int deck) { FireAt(ship.deckX[deck], ship.deckY[deck]); }
    void SinkEnemyFleet(int ships = kFleetShips);
    // The first water of the computer's board, as x + 10 * y; a shot there, which misses.
    static int FirstWater()
    {
        int cell = 0;
        while (Game.EnemyBoard[cell % 10][cell / 10] != Water)
            ++cell;
        return cell;
    }
    void Miss() { FireAt(FirstWater() % 10, FirstWater() / 10); }
    // The computer's next shot, on its turn, at the HomeBoard's (x, y).
    void ComputerFiresAt(int x, int y)
    {
        Game.HuntActive = true;
        Game.TargetStack = {{{x, y}}, 1};
        Tick();
    }

    // The message boxes closed since the test began.
    std::vector<AnsweredBox> answered;
    UINT_PTR boxAnswerer = 0;

private:
    static void ResetWithFixedDice();
};

// Boxes are answered Yes, or OK where they have no Yes; when set, this gives the button
// instead, and may change the game first.
extern std::function<WPARAM(HWND box)> BoxReply;

// The path of a file in the test exe's own folder.
std::string BesideTests(const char* name);

// A copy of `bytes` whose end touches a page that cannot be read: a read one byte too far
// faults at once instead of passing by what happens to lie beyond.
class GuardedBytes {
public:
    explicit GuardedBytes(const std::string& bytes);
    ~GuardedBytes() { VirtualFree(pages, 0, MEM_RELEASE); }
    GuardedBytes(const GuardedBytes&) = delete;
    GuardedBytes& operator=(const GuardedBytes&) = delete;
    const BYTE* data() const { return start; }
    DWORD size() const { return length; }

private:
    BYTE *pages = nullptr, *start = nullptr;
    DWORD length = 0;
};

// UTF-8 and UTF-16, for comparing the wide settings with the tests' narrow texts.
std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);

// The bytes of a text setting as stored: UTF-16, with the zero unless `zero` is false.
std::vector<unsigned char> TextBytes(const std::string& utf8, bool zero = true);

// The registry value's bytes and type, or empty and REG_NONE when it does not exist.
std::vector<unsigned char> SettingBytes(const char* name, DWORD* type = nullptr);
// Writes a value of the settings key (or of another) as the bytes are: the ANSI call would
// convert a text from the code page.
inline void StoreSetting(const char* name, DWORD type, const std::vector<unsigned char>& bytes, const char* key = SettingsKeyPath)
{
    RegSetKeyValueW(HKEY_CURRENT_USER, Wide(key).c_str(), Wide(name).c_str(), type, bytes.data(), DWORD(bytes.size()));
}
inline void DeleteSettingsKey() { RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKeyPath); }

// The BackBuffer's pixel, or the main window's, as 0xRRGGBB.
unsigned ScenePixel(int x, int y, bool onWindow = false);

// The text of the main menu's pop-up.
inline std::wstring MenuText(int popup)
{
    wchar_t text[64];
    return std::wstring(text, GetMenuStringW(GetMenu(MainWindow), popup, text, 64, MF_BYPOSITION));
}

// Every pixel of a bitmap that a DC can read, or of the BackBuffer, row by row, as 0xRRGGBB.
std::vector<unsigned> Pixels(HDC dc, HBITMAP bitmap, int width = kSceneWidth, int height = kSceneHeight);
inline std::vector<unsigned> SceneSnapshot() { return Pixels(Scene.BackBuffer, static_cast<HBITMAP>(GetCurrentObject(Scene.BackBuffer, OBJ_BITMAP))); }

// Whether the main window, once it has painted what was asked, shows the BackBuffer at normal
// size: a change drawn but never invalidated stays off the screen.
bool WindowShowsTheScene();

// Whether rebuilding the scene from the game's state gives the very pixels that play drew.
inline bool RedrawKeepsTheScene()
{
    const std::vector<unsigned> played = SceneSnapshot();
    RedrawScene();
    return SceneSnapshot() == played;
}

// Whether the BackBuffer shows the upper-left width x height of a skin picture at (left, top);
// of the background, which always lies at (0, 0), its own part there.
bool PictureShownAt(int picture, int left, int top, int width, int height);
// Whether the BackBuffer shows the skin's image of a ship of `decks` decks at (left, top).
bool ShipShownAt(Orientation orientation, int decks, int left, int top);
inline bool CellShows(int picture, bool enemyBoard, int x, int y)
{
    return PictureShownAt(picture, (enemyBoard ? kEnemyBoardLeft : kHomeBoardLeft) + kCellSize * x, kBoardTop + kCellSize * y, kCellSize, kCellSize);
}

// Whether the main window shows an outline around `columns` x `rows` cells from the board's
// (column, row), at normal size: one black pixel, then two of the colour, inwards, at each
// corner and in the middle of each side.
constexpr unsigned kGold = 0xFFD700u, kRed = 0xE61E1Eu;   // a drop or shot allowed, refused
bool OutlineShown(int boardLeft, int column, int row, int columns, int rows, unsigned colour);

// Whether a box of the status panel shows the whole text in the font, or in a smaller height of
// it: a counter box in the counter font, the message line in the message font.
bool TextShows(HFONT font, const StatusBox& box, const wchar_t* text, bool smaller = true);
inline bool CounterShows(const StatusBox& box, const wchar_t* text) { return TextShows(Status.CounterFont, box, text); }
inline bool MessageShows(const wchar_t* text) { return TextShows(Status.MessageFont, kMessageLine, text); }

// A tidewar.exe of its own, started in its folder (by default the tests'; one given ends in a
// backslash); killed if a test leaves it running.
struct Process {
    explicit Process(const std::string& arguments, const std::wstring& folder = L"");
    ~Process()
    {
        TerminateProcess(info.hProcess, 1);
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
    }
    // A top-level window of this program's of the class and caption (any caption if nullptr),
    // looked for during up to 20 s, or once. Only once shown: a box or sheet exists before its
    // texts and pages are made.
    HWND Window(const char* className, const char* caption, DWORD patienceMs = 20000);
    DWORD ExitCode()
    {
        DWORD code = STILL_ACTIVE;
        WaitForSingleObject(info.hProcess, 5000);
        GetExitCodeProcess(info.hProcess, &code);
        return code;
    }
    PROCESS_INFORMATION info = {};
};

// --- Driving the program's modal dialogs from inside their own message loops ---------------

// Sends `command` to the main window and runs `script` on the dialog or property sheet that
// it opens, once the dialog's own loop runs; whatever the script leaves open is then closed.
void RunInDialog(int command, const std::function<void(HWND dialog)>& script);

// The page on top of a sheet, or the dialog itself; the page shown, by its index.
inline HWND TopPage(HWND dialog)
{
    HWND page = PropSheet_GetCurrentPageHwnd(dialog);
    return page ? page : dialog;
}
inline HWND ShowPage(HWND sheet, int page)
{
    PropSheet_SetCurSel(sheet, nullptr, page);
    return TopPage(sheet);
}

// Clicks the control of the page on top, else of the dialog: a sheet's Apply is kApplyButton.
constexpr int kApplyButton = 0x3021;
inline void ClickButton(HWND dialog, int id)
{
    HWND control = GetDlgItem(TopPage(dialog), id);
    SendMessageW(control ? control : GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

// As the dialog's own loop hands a key on.
inline void PressKey(HWND dialog, WPARAM key)
{
    MSG message = {dialog, WM_KEYDOWN, key, 0, 0, {0, 0}};
    IsDialogMessageW(dialog, &message);
}

inline std::wstring TextOf(HWND window)
{
    wchar_t text[256];
    return std::wstring(text, GetWindowTextW(window, text, 256));
}

// The page's buttons in order: 1 or 0, after "-" where disabled.
std::wstring Checks(HWND page);

// The list box of the page on top; its entries, the selected one after '>', of another
// process's list too; a click on an entry as the mouse gives it.
inline HWND ListOf(HWND dialog) { return FindWindowExW(TopPage(dialog), nullptr, L"ListBox", nullptr); }
std::vector<std::wstring> ListEntries(HWND list);
void ClickEntry(HWND dialog, int index);
