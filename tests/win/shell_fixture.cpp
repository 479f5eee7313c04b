#include "tests/win/shell_fixture.h"

static std::vector<AnsweredBox>* BoxLog = nullptr;
static UINT_PTR BoxAnswerer = 0;

static BOOL CALLBACK AnswerBox(HWND window, LPARAM)
{
    wchar_t className[16] = L"", caption[128] = L"", text[256] = L"";
    GetClassNameW(window, className, 16);
    if (lstrcmpW(className, L"#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    GetWindowTextW(window, caption, 128);
    GetDlgItemTextW(window, 0xFFFF, text, 256);
    BoxLog->push_back({caption, text, MainWindow && IsWindowEnabled(MainWindow)});
    PostMessageW(window, WM_COMMAND, IDOK, 0);
    return TRUE;
}

// Runs inside the boxes' own message loops.
static void CALLBACK AnswerBoxes(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), AnswerBox, 0);
}

// The shell's state on top of the model's, as a fresh process starts with it.
static void ResetProgramState()
{
    ResetGameState();
    StatusMessageId = NoMessage;
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
    KeyCursorShown = false;
    KeyCursorColumn = KeyCursorRow = 0;
    KeyDropKind = Vertical;
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

void ShellTest::TearDown()
{
    StopProgram();
    KillTimer(nullptr, BoxAnswerer);
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
    UnregisterClassW(MainWindowClass, GetModuleHandleW(nullptr));
    MainMenu = nullptr;
    MainWindow = nullptr;
    started = false;
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
    Drag(vertical ? 210 : 250, vertical ? 260 : 285, 280 + 20 * column + 10, 30 + 20 * row + 10);
}

void ShellTest::PlaceShips(int count)
{
    // Rows 0, 2 and 4 hold the ships, a free row or column around each.
    const int plan[kFleetShips][2] = {{0, 0}, {5, 0}, {0, 2}, {4, 2}, {7, 2}, {0, 4}, {3, 4}, {5, 4}, {7, 4}, {9, 4}};
    for (int i = 0; i < count && i < kFleetShips; ++i) {
        DropOfferedShip(false, plan[i][0], plan[i][1]);
        Tick();
    }
}

std::string BesideTests(const char* name)
{
    char path[MAX_PATH];
    const std::string exe(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return exe.substr(0, exe.find_last_of("\\/") + 1) + name;
}

// Through the API: `reg query` shows an 8-byte REG_DWORD as 4 bytes.
std::vector<unsigned char> SettingBytes(const char* name, DWORD* type)
{
    unsigned char data[512];
    DWORD size = sizeof data;
    if (RegGetValueA(HKEY_CURRENT_USER, SettingsKeyPath, name, RRF_RT_ANY, type, data, &size) != ERROR_SUCCESS)
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

static std::vector<unsigned> Pixels(HDC dc, HBITMAP bitmap)
{
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 510, -400, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<unsigned> pixels(510 * 400);
    GetDIBits(dc, bitmap, 0, 400, pixels.data(), &info, DIB_RGB_COLORS);
    for (unsigned& pixel : pixels)
        pixel &= 0xFFFFFF;
    return pixels;
}

std::vector<unsigned> SceneSnapshot()
{
    return Pixels(BackBuffer, static_cast<HBITMAP>(GetCurrentObject(BackBuffer, OBJ_BITMAP)));
}

// Draws into a copy of the BackBuffer, then compares a rectangle of the two.
template <typename Draw>
static bool SceneAreaMatches(int left, int top, int width, int height, Draw draw)
{
    HDC scratch = CreateCompatibleDC(BackBuffer), source = CreateCompatibleDC(BackBuffer);
    HBITMAP bitmap = CreateCompatibleBitmap(BackBuffer, 510, 400);
    HGDIOBJ previous = SelectObject(scratch, bitmap);
    BitBlt(scratch, 0, 0, 510, 400, BackBuffer, 0, 0, SRCCOPY);
    draw(scratch, source);
    SelectObject(scratch, previous);
    const std::vector<unsigned> expected = Pixels(scratch, bitmap), actual = SceneSnapshot();
    DeleteObject(bitmap);
    DeleteDC(scratch);
    DeleteDC(source);
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            if (actual[y * 510 + x] != expected[y * 510 + x])
                return false;
    return true;
}

bool PictureShownAt(int picture, int left, int top, int width, int height)
{
    return SceneAreaMatches(left, top, width, height, [&](HDC scratch, HDC source) {
        SelectObject(source, SkinPicture(picture));
        BitBlt(scratch, left, top, width, height, source, picture == BackgroundPicture ? left : 0,
               picture == BackgroundPicture ? top : 0, SRCCOPY);
    });
}

bool BackgroundShownAt(int left, int top, int width, int height)
{
    return PictureShownAt(BackgroundPicture, left, top, width, height);
}

bool CellShows(int picture, bool enemyBoard, int x, int y)
{
    return PictureShownAt(picture, (enemyBoard ? 30 : 280) + 20 * x, 30 + 20 * y, 20, 20);
}

// Clears the box and writes the text as the status panel does.
static bool TextShows(HFONT font, const StatusBox& box, const wchar_t* text)
{
    const int bottom = box.top + box.height;
    return SceneAreaMatches(box.left, box.textY, box.width, bottom - box.textY, [&](HDC scratch, HDC) {
        SelectObject(scratch, font);
        PatBlt(scratch, box.left, box.top, box.width, box.height, WHITENESS);
        TextOutW(scratch, box.textX, box.textY, text, lstrlenW(text));
    });
}

bool CounterShows(const StatusBox& box, const char* text)
{
    const std::wstring wide(text, text + lstrlenA(text));
    return TextShows(CounterFont, box, wide.c_str());
}

bool MessageShows(const wchar_t* text)
{
    return TextShows(MessageFont, kMessageLine, text);
}

Process::Process(const std::string& arguments, const std::string& folder)
{
    const char* separator = folder.back() == '\\' ? "" : "\\";
    std::string line = "\"" + folder + separator + "tidewar.exe\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &info);
}

Process::~Process()
{
    TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
}

HWND Process::Window(const char* className, const char* caption)
{
    HWND window = nullptr;
    for (int tries = 0; tries < 500 && !(window = FindWindowA(className, caption)); ++tries)
        Sleep(20);
    return window;
}

DWORD Process::ExitCode()
{
    DWORD code = STILL_ACTIVE;
    WaitForSingleObject(info.hProcess, 5000);
    GetExitCodeProcess(info.hProcess, &code);
    return code;
}
