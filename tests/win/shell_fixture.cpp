// The in-process harness: the fixture, and the driver of the program's modal dialogs.
#include "tests/win/shell_fixture.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "base/lan.h"

// A fault in the program under test ends the test process at once with the fault's code,
// instead of waiting in Wine's debugger until ctest's timeout.
static LONG WINAPI EndOnFault(EXCEPTION_POINTERS* fault)
{
    std::fprintf(stderr, "fault 0x%08lx\n", fault->ExceptionRecord->ExceptionCode);
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), fault->ExceptionRecord->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}
static const LPTOP_LEVEL_EXCEPTION_FILTER PreviousFaultFilter = SetUnhandledExceptionFilter(EndOnFault);

// No datagram of these tests may leave the machine: the programs they start, and their own
// dialogs, neither announce games nor ask for them. The tests of games on the network turn
// this off inside a network of their own.
static const LSTATUS NoLanGames = [] {
    const DWORD off = 1;
    return RegSetKeyValueA(HKEY_CURRENT_USER, LanPolicyKeyPath, "NoLanGames", REG_DWORD, &off, sizeof off);
}();

static std::vector<AnsweredBox>* BoxLog = nullptr;
std::function<WPARAM(HWND box)> BoxReply;

static BOOL CALLBACK AnswerBox(HWND window, LPARAM)
{
    wchar_t className[16] = L"";
    GetClassNameW(window, className, 16);
    if (lstrcmpW(className, L"#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    BoxLog->push_back({TextOf(window), TextOf(GetDlgItem(window, 0xFFFF)), MainWindow && IsWindowEnabled(MainWindow)});
    PostMessageW(window, WM_COMMAND, BoxReply ? BoxReply(window) : GetDlgItem(window, IDYES) ? IDYES : IDOK, 0);
    return TRUE;
}

// Runs inside the boxes' own message loops.
static void CALLBACK AnswerBoxes(HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(GetCurrentThreadId(), AnswerBox, 0); }

static const Speaker kSilentSpeaker = {[](const wchar_t*, const BYTE*, DWORD) { return false; }, [] {}, [](SoundCall, const wchar_t*) {}};

// Every game of a test deals the same fleets, whatever the clock says, no sound reaches
// a device, and a first start speaks English whatever the machine's interface.
void ShellTest::ResetWithFixedDice()
{
    ResetProgram();
    InstallSpeaker(kSilentSpeaker);
    InstallInterfaceLanguagePort({[]() -> unsigned short { return MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US); }});
    Game.Dice = {[] { return std::time_t{1700000000}; }};
    InstallFleetSeedPort({[] { return std::uint32_t{12345}; }});
}

void ShellTest::SetUp()
{
    DeleteSettingsKey();
    ResetWithFixedDice();
    BoxLog = &answered;
    BoxReply = nullptr;
    boxAnswerer = SetTimer(nullptr, 0, 20, AnswerBoxes);
    StartProgram();
}

// The model's timer fires only when a test ticks.
struct UntimedView final : ShellView {
    void startTimer(int) override {}
    void stopTimer() override {}
};

void ShellTest::StartProgram()
{
    ASSERT_TRUE(StartUp(GetModuleHandleW(nullptr), SW_SHOWNOACTIVATE));
    static UntimedView view;
    Game.View = &view;
    MSG message;   // the rest of start-up, which the loop takes first
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

void ShellTest::StopProgram()
{
    if (!MainWindow)   // stopped already
        return;
    DestroyWindow(MainWindow);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        ;
    UnloadSkin();
    DestroyMenu(MainFrame.MainMenu);
    UnregisterClassW(MainWindowClass, GetModuleHandleW(nullptr));
    MainFrame.MainMenu = nullptr;
    MainWindow = nullptr;
}

void ShellTest::Drag(int fromX, int fromY, int toX, int toY)
{
    SendMessageW(MainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(fromX, fromY));
    SendMessageW(MainWindow, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((fromX + toX) / 2, (fromY + toY) / 2));
    SendMessageW(MainWindow, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(toX, toY));
    SendMessageW(MainWindow, WM_LBUTTONUP, 0, MAKELPARAM(toX, toY));
}

void ShellTest::PlaceShips(int count)
{
    // Rows 0, 2 and 4 hold the ships, a free row or column around each.
    const int plan[kFleetShips][2] = {{0, 0}, {5, 0}, {0, 2}, {4, 2}, {7, 2}, {0, 4}, {3, 4}, {5, 4}, {7, 4}, {9, 4}};
    for (int i = 0; i < count && i < kFleetShips; ++i)
        DropOfferedShip(false, plan[i][0], plan[i][1]);
}

void ShellTest::SinkEnemyFleet(int ships)
{
    for (int i = 0; i < ships; ++i)
        for (int k = 0; k < Game.EnemyFleet[i].size; ++k)
            FireAt(Game.EnemyFleet[i], k);
}

std::string BesideTests(const char* name)
{
    char path[MAX_PATH];
    const std::string exe(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return exe.substr(0, exe.find_last_of("\\/") + 1) + name;
}

GuardedBytes::GuardedBytes(const std::string& bytes) : length(DWORD(bytes.size()))
{
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const DWORD page = system.dwPageSize, readable = (length + page - 1) / page * page;
    pages = static_cast<BYTE*>(VirtualAlloc(nullptr, readable + page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    DWORD old;
    if (!pages || !VirtualProtect(pages + readable, page, PAGE_NOACCESS, &old))
        ADD_FAILURE() << "no guarded buffer";
    start = pages + readable - length;
    bytes.copy(reinterpret_cast<char*>(start), length);
}

std::wstring Wide(const std::string& utf8)
{
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), &wide[0], int(wide.size())));
    return wide;
}

std::string Utf8(const std::wstring& wide)
{
    std::string utf8(3 * wide.size(), '\0');
    utf8.resize(WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), &utf8[0], int(utf8.size()), nullptr, nullptr));
    return utf8;
}

std::vector<unsigned char> TextBytes(const std::string& utf8, bool zero)
{
    const std::wstring wide = Wide(utf8);
    const auto bytes = reinterpret_cast<const unsigned char*>(wide.c_str());
    return std::vector<unsigned char>(bytes, bytes + (wide.size() + zero) * sizeof(wchar_t));
}

// Through the API: `reg query` shows an 8-byte REG_DWORD as 4 bytes. The wide call hands
// a text back as stored, where the ANSI one would squeeze it through the code page. A failed
// call may write any type (Wine's 32-bit one leaves whatever its stack held): only a value
// found gives its own.
std::vector<unsigned char> SettingBytes(const char* name, DWORD* type)
{
    unsigned char data[1024];
    DWORD size = sizeof data, found = REG_NONE;
    const bool read = RegGetValueW(HKEY_CURRENT_USER, Wide(SettingsKeyPath).c_str(), Wide(name).c_str(), RRF_RT_ANY,
                                   &found, data, &size) == ERROR_SUCCESS;
    if (type)
        *type = read ? found : REG_NONE;
    return read ? std::vector<unsigned char>(data, data + size) : std::vector<unsigned char>();
}

unsigned ScenePixel(int x, int y, bool onWindow)
{
    HDC dc = onWindow ? GetDC(MainWindow) : Scene.BackBuffer;
    const COLORREF colour = GetPixel(dc, x, y);
    if (onWindow)
        ReleaseDC(MainWindow, dc);
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

std::vector<unsigned> Pixels(HDC dc, HBITMAP bitmap, int width, int height)
{
    BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    std::vector<unsigned> pixels(width * height);
    GetDIBits(dc, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    for (unsigned& pixel : pixels)
        pixel &= 0xFFFFFF;
    return pixels;
}

// Whether two pictures of the scene's size agree within a rectangle.
static bool SameArea(const std::vector<unsigned>& one, const std::vector<unsigned>& other, int left, int top, int width, int height)
{
    const auto row = [left](const std::vector<unsigned>& pixels, int y) { return pixels.begin() + y * kSceneWidth + left; };
    for (int y = top; y < top + height; ++y)
        if (!std::equal(row(one, y), row(one, y) + width, row(other, y)))
            return false;
    return true;
}

// The pixels of a scene-sized copy of what `from` shows, once `draw` has drawn on the copy.
template <typename Draw>
static std::vector<unsigned> CopiedPixels(HDC from, Draw draw)
{
    HDC copy = CreateCompatibleDC(from);
    HBITMAP bitmap = CreateCompatibleBitmap(from, kSceneWidth, kSceneHeight);
    HGDIOBJ previous = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, kSceneWidth, kSceneHeight, from, 0, 0, SRCCOPY);
    draw(copy);
    SelectObject(copy, previous);
    const std::vector<unsigned> pixels = Pixels(copy, bitmap);
    DeleteObject(bitmap);
    DeleteDC(copy);
    return pixels;
}

// Draws into a copy of the BackBuffer, then compares a rectangle of the two.
template <typename Draw>
static bool SceneAreaMatches(int left, int top, int width, int height, Draw draw)
{
    return SameArea(SceneSnapshot(), CopiedPixels(Scene.BackBuffer, draw), left, top, width, height);
}

bool WindowShowsTheScene()
{
    UpdateWindow(MainWindow);
    RECT client;
    GetClientRect(MainWindow, &client);
    HDC window = GetDC(MainWindow);
    const std::vector<unsigned> shown = CopiedPixels(window, [](HDC) {});
    ReleaseDC(MainWindow, window);
    return SameArea(SceneSnapshot(), shown, 0, 0, std::min<int>(client.right, kSceneWidth), std::min<int>(client.bottom, kSceneHeight));
}

bool PictureShownAt(int picture, int left, int top, int width, int height)
{
    // A picture that cannot be selected would leave the copy as it is.
    return GetObjectType(SkinPicture(picture)) == OBJ_BITMAP && SceneAreaMatches(left, top, width, height, [&](HDC scratch) {
        HDC source = CreateCompatibleDC(scratch);
        SelectObject(source, SkinPicture(picture));
        BitBlt(scratch, left, top, width, height, source, picture == BackgroundPicture ? left : 0,
               picture == BackgroundPicture ? top : 0, SRCCOPY);
        DeleteDC(source);
    });
}

bool ShipShownAt(Orientation orientation, int decks, int left, int top)
{
    const bool vertical = orientation == Vertical;
    const ShipImage& image = Skin.ShipImages[orientation][decks - 1];
    return image.list && SceneAreaMatches(left, top, vertical ? kCellSize : kCellSize * decks, vertical ? kCellSize * decks : kCellSize,
                                          [&](HDC scratch) { ImageList_Draw(image.list, image.index, scratch, left, top, ILD_NORMAL); });
}

// Clears the box and writes the whole text, unclipped, as the status panel does: in the font,
// or where `smaller` allows, in any smaller height of its kind.
bool TextShows(HFONT font, const StatusBox& box, const wchar_t* text, bool smaller)
{
    LOGFONTW kind = {};
    GetObjectW(font, sizeof kind, &kind);
    for (LONG height = kind.lfHeight; height > (smaller ? 5 : kind.lfHeight - 1); --height) {
        kind.lfHeight = height;
        HFONT step = CreateFontIndirectW(&kind);
        const bool shows = SceneAreaMatches(box.left, box.textY, box.width, box.top + box.height - box.textY, [&](HDC scratch) {
            SelectObject(scratch, step);
            PatBlt(scratch, box.left, box.top, box.width, box.height, WHITENESS);
            TextOutW(scratch, box.textX, box.textY, text, lstrlenW(text));
        });
        DeleteObject(step);
        if (shows)
            return true;
    }
    return false;
}

bool OutlineShown(int boardLeft, int column, int row, int columns, int rows, unsigned colour)
{
    const int left = boardLeft + kCellSize * column, top = kBoardTop + kCellSize * row;
    const int right = left + kCellSize * columns - 1, bottom = top + kCellSize * rows - 1;
    const int middleX = (left + right) / 2, middleY = (top + bottom) / 2;
    for (int d = 0; d < 3; ++d)   // the corners and the middle of each side
        for (POINT at : {POINT{left + d, top + d}, POINT{right - d, top + d}, POINT{left + d, bottom - d}, POINT{right - d, bottom - d},
                         POINT{middleX, top + d}, POINT{middleX, bottom - d}, POINT{left + d, middleY}, POINT{right - d, middleY}})
            if (ScenePixel(at.x, at.y, true) != (d ? colour : 0))
                return false;
    return true;
}

// The programs the tests start end with the test process, even one killed at its time limit,
// which runs no destructor: a program left behind would be found by the next test.
static const HANDLE ProgramsJob = [] {
    HANDLE made = CreateJobObjectW(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(made, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    return made;
}();

Process::Process(const std::string& arguments, const std::wstring& folder)
{
    const std::wstring where = folder.empty() ? Wide(BesideTests("")) : folder;
    std::wstring line = L"\"" + where + L"tidewar.exe\" " + Wide(arguments);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, where.c_str(), &startup, &info))
        return;
    if (!AssignProcessToJobObject(ProgramsJob, info.hProcess))
        ADD_FAILURE() << "the program is not in the tests' job";
    ResumeThread(info.hThread);
}

HWND Process::Window(const char* className, const char* caption, DWORD patienceMs)
{
    for (const ULONGLONG end = GetTickCount64() + patienceMs;; Sleep(20)) {
        for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, className, caption));) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == info.dwProcessId && IsWindowVisible(window))
                return window;
        }
        if (GetTickCount64() >= end)
            return nullptr;
    }
}

// --- The dialog driver ---------------------------------------------------------------------

static std::function<void(HWND)> PendingScript;

// Runs as the dialog's loop takes its first message, before anything is dispatched, so
// neither the game's timer nor the fixture's box answerer acts before the script.
static LRESULT CALLBACK OnMessageTaken(int code, WPARAM wParam, LPARAM lParam)
{
    HWND dialog = GetLastActivePopup(MainWindow);
    if (code == HC_ACTION && PendingScript && dialog != MainWindow) {
        const std::function<void(HWND)> script = std::exchange(PendingScript, nullptr);
        script(dialog);
        if (IsWindow(dialog))
            SendMessageW(dialog, WM_CLOSE, 0, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::wstring Checks(HWND page)
{
    std::wstring checks;
    for (HWND control = GetWindow(page, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT))
        if (GetDlgCtrlID(control) != IDC_STATIC)
            checks += (IsWindowEnabled(control) ? L"" : L"-") + std::to_wstring(SendMessageW(control, BM_GETCHECK, 0, 0));
    return checks;
}

// Each entry in one call, into room for more than the program ever lists: another program's
// list may change between asking an entry's length and reading it.
std::vector<std::wstring> ListEntries(HWND list)
{
    std::vector<std::wstring> entries;
    wchar_t text[1024];
    for (int i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
        const LRESULT length = SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        if (length < 0)   // gone meanwhile
            break;
        entries.push_back((i == SendMessageW(list, LB_GETCURSEL, 0, 0) ? L">" : L"") + std::wstring(text, length));
    }
    return entries;
}

void ClickEntry(HWND dialog, int index)
{
    HWND list = ListOf(dialog);
    RECT item;
    SendMessageW(list, LB_SETTOPINDEX, index, 0);
    SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP})
        SendMessageW(list, message, MK_LBUTTON, MAKELPARAM(item.left + 2, item.top + 2));
}

void RunInDialog(int command, const std::function<void(HWND dialog)>& script)
{
    PendingScript = script;
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, OnMessageTaken, nullptr, GetCurrentThreadId());
    SendMessageW(MainWindow, WM_COMMAND, command, 0);
    UnhookWindowsHookEx(hook);
    PendingScript = nullptr;
}
