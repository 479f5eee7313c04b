// The About box in the program's own process, and help opened in Wine's real viewer.
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/window.h"
#include "res/resource.h"
#include "tests/win/shell_fixture.h"
#include "ui/about.h"
#include "ui/help.h"
#include "ui/language.h"
#include "ui/settings.h"

namespace {

std::vector<std::string> ShellCalls;

// Anything but the verb and the address marks the call as different.
HINSTANCE WINAPI RecordShellCall(HWND window, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder, INT show)
{
    const bool plain = !window && !parameters && !folder && show == SW_SHOWNORMAL;
    ShellCalls.push_back(std::string(plain ? "" : "+ ") + verb + " " + file);
    return reinterpret_cast<HINSTANCE>(33);
}

std::function<void(HWND)> InsideAbout;
HWND OpenAbout = nullptr;
bool AboutLeftOpen = false;

// Runs once inside the box's modal loop.
void CALLBACK ActInsideAbout(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    OpenAbout = GetParent(GetDlgItem(GetActiveWindow(), IDC_ABOUT_OK));
    InsideAbout(OpenAbout);
}

// A box still open a while after the act is closed by the test.
void CALLBACK CloseAboutLeftOpen(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    AboutLeftOpen = true;
    EndDialog(OpenAbout, 99);
}

class AboutBox : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        StartProgram();
        ShellCalls.clear();
        ShellOpen = RecordShellCall;
    }
    void TearDown() override
    {
        ShellOpen = ShellExecuteA;
        ShellTest::TearDown();
    }
    // True when the box closed by itself after `act`.
    bool Run(std::function<void(HWND)> act)
    {
        InsideAbout = std::move(act);
        AboutLeftOpen = false;
        const UINT_PTR acting = SetTimer(nullptr, 0, 50, ActInsideAbout);
        const UINT_PTR closing = SetTimer(nullptr, 0, 400, CloseAboutLeftOpen);
        Command(CMD_ABOUT);
        KillTimer(nullptr, acting);
        KillTimer(nullptr, closing);
        return !AboutLeftOpen;
    }
};

void ClickControl(HWND control)
{
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

// The control with the id that is not a picture: the logo shares the maker line's id.
HWND TextControl(HWND box, int id)
{
    for (HWND control = GetWindow(box, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT))
        if (GetDlgCtrlID(control) == id && (GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP)
            return control;
    return nullptr;
}

bool ShowsPixel(HWND control, COLORREF colour)
{
    UpdateWindow(GetParent(control));
    RECT area;
    GetClientRect(control, &area);
    HDC dc = GetDC(control);
    bool found = false;
    for (int y = 0; y < area.bottom && !found; ++y)
        for (int x = 0; x < area.right && !found; ++x)
            found = GetPixel(dc, x, y) == colour;
    ReleaseDC(control, dc);
    return found;
}

// Each case in another language: the box opens in the interface's language.
TEST_F(AboutBox, OkEnterAndTheCloseBoxCloseItEscapeDoesNot)
{
    const struct { UINT message; WPARAM wParam; bool closes; uint32_t language; const wchar_t* caption; } cases[] = {
        {WM_KEYDOWN, VK_ESCAPE, false, Russian, L"О программе"},
        {WM_KEYDOWN, VK_RETURN, true, English, L"About"},
        {BM_CLICK, 0, true, German, L"An das Programm"},
        {WM_SYSCOMMAND, SC_CLOSE, true, English, L"About"},
    };
    for (const auto& c : cases) {
        Language = c.language;
        wchar_t caption[32] = L"";
        const bool closed = Run([&](HWND box) {
            GetWindowTextW(box, caption, 32);
            EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDC_ABOUT_OK);
            PostMessageW(c.message == WM_SYSCOMMAND ? box : GetFocus(), c.message, c.wParam, 0);
        });
        EXPECT_EQ(closed, c.closes) << c.message;
        EXPECT_STREQ(caption, c.caption);
    }
}

TEST_F(AboutBox, LinksAreBlueOnTheFaceColourUnderAHandAndReachTheShell)
{
    HCURSOR hand = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_HAND_CURSOR));
    const struct { int id; bool link; } cases[] = {{IDC_MAIL_LINK, true}, {IDC_WEB_LINK, true}, {IDC_ABOUT_MAKER, false}};
    bool closed = Run([&](HWND box) {
        for (const auto& c : cases) {
            HWND control = TextControl(box, c.id);
            EXPECT_EQ(ShowsPixel(control, RGB(0, 0, 255)), c.link) << c.id;
            EXPECT_TRUE(ShowsPixel(control, GetSysColor(COLOR_BTNFACE))) << c.id;
            SetCursor(nullptr);
            SendMessageW(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            EXPECT_EQ(GetCursor() == hand, c.link) << c.id;
            ClickControl(control);
        }
        ClickControl(GetDlgItem(box, IDC_MAIL_LINK));
    });
    EXPECT_FALSE(closed);
    const std::string mail = "open mailto:quorvex@example.org?subject=Tidewar&body=Hi, Quorvex ";
    EXPECT_EQ(ShellCalls, std::vector<std::string>({mail, "open http://www.example.org/tidewar/", mail}));
}

// The text of the topic Wine's viewer shows, or empty when no viewer opens in time.
std::wstring ViewerTopic(HWND& viewer)
{
    for (int tries = 0; tries < 200; ++tries, Sleep(50)) {
        viewer = FindWindowW(L"MS_WINHELP", nullptr);
        HWND text = FindWindowExW(viewer, nullptr, L"RichEdit20A", nullptr);
        wchar_t topic[64] = L"";
        if (text && SendMessageTimeoutW(text, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(topic), SMTO_ABORTIFHUNG, 1000,
                                        nullptr) && topic[0])
            return topic;
    }
    return L"";
}

// The viewer is another process, which outlives the test unless closed.
void CloseViewer(HWND viewer)
{
    DWORD id = 0;
    GetWindowThreadProcessId(viewer, &id);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    PostMessageW(viewer, WM_CLOSE, 0, 0);
    if (process) {
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
}

class Help : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        StartProgram();
        GetCurrentDirectoryW(MAX_PATH, folder);
        SetCurrentDirectoryW(L"C:\\windows\\temp");   // the viewer would search here, not beside the exe
    }
    void TearDown() override
    {
        SetCurrentDirectoryW(folder);
        ShellTest::TearDown();
    }
    wchar_t folder[MAX_PATH] = L"";
};

TEST_F(Help, OpensBesideTheProgramFromAnyFolder)
{
    const struct { const char* name; std::function<void()> ask; const wchar_t* topic; } cases[] = {
        {"menu and F1", [] { SendMessageW(MainWindow, WM_COMMAND, CMD_HELP, 0); }, L"Tidewar Help"},
        {"options pages", [] { OpenHelpContext(MainWindow, kOptionsHelpContext); }, L"Topic 5: Options"},
    };
    for (const auto& c : cases) {
        c.ask();
        HWND viewer = nullptr;
        EXPECT_EQ(ViewerTopic(viewer).substr(0, wcslen(c.topic)), c.topic) << c.name;
        CloseViewer(viewer);
    }
}

TEST_F(Help, AMissingFileGetsOurMessage)
{
    const std::string file = BesideTests("tidewar.hlp"), aside = file + ".aside";
    ASSERT_TRUE(MoveFileA(file.c_str(), aside.c_str()));
    Language = German;
    Command(CMD_HELP);
    MoveFileA(aside.c_str(), file.c_str());
    ASSERT_EQ(answered.size(), 1u);
    EXPECT_EQ(answered[0].text, L"Die Hilfedatei tidewar.hlp fehlt im Ordner des Spiels.");
    EXPECT_FALSE(FindWindowW(L"MS_WINHELP", nullptr));
}

// Run by tests/dist/check.sh on the unpacked 64-bit package, which traces the files it opens.
TEST(Package, StartsInItsFolderWithTheNightSkinAndTheTuneAndOpensItsHelp)
{
    const char* folder = std::getenv("TIDEWAR_PACKAGE");
    if (!folder)
        GTEST_SKIP() << "no package to check";
    DeleteSettingsKey();
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKeyPath, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr), 0);
    RegSetValueExA(key, "Skins", 0, REG_SZ, reinterpret_cast<const BYTE*>("night.dll"), 10);
    RegSetValueExA(key, "Music", 0, REG_SZ, reinterpret_cast<const BYTE*>("tidewar.mid"), 12);
    RegCloseKey(key);
    Process program("", folder);
    HWND window = program.Window("Tidewar", nullptr);
    ASSERT_TRUE(window);
    PostMessageW(window, WM_COMMAND, CMD_HELP, 0);
    HWND viewer = nullptr;
    EXPECT_EQ(ViewerTopic(viewer).substr(0, 12), L"Tidewar Help");
    CloseViewer(viewer);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.ExitCode(), 0u);
    DeleteSettingsKey();
}

} // namespace
