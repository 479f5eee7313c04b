// The About box in the program's own process, and help opened in Wine's real viewer.
#include <cstdlib>

#include "tests/win/dialog_driver.h"
#include "tests/win/shell_fixture.h"
#include "ui/about.h"
#include "ui/help.h"

namespace {

std::vector<std::string> ShellCalls;

// Anything but the verb and the address marks the call as different.
HINSTANCE WINAPI RecordShellCall(HWND window, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder, INT show)
{
    const bool plain = !window && !parameters && !folder && show == SW_SHOWNORMAL;
    ShellCalls.push_back(std::string(plain ? "" : "+ ") + verb + " " + file);
    return reinterpret_cast<HINSTANCE>(33);
}

// The control of the id that is not the logo, which shares the maker line's id.
HWND TextControl(HWND box, int id)
{
    for (HWND control = GetWindow(box, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT))
        if (GetDlgCtrlID(control) == id && (GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP)
            return control;
    return nullptr;
}

bool ShowsPixel(HWND control, COLORREF colour)
{
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

TEST_F(ShellTest, AboutClosesOnOKEnterAndItsCloseBoxButNotOnEscape)
{
    StartProgram();
    const struct { int step; const wchar_t* notes; } cases[] = {
        {Key(VK_ESCAPE), L"open"}, {Key(VK_RETURN), L"closed"}, {IDC_ABOUT_OK, L"closed"}, {kCloseBox, L"closed"}};
    for (const auto& c : cases)
        EXPECT_EQ(Drive(CMD_ABOUT, {c.step}), c.notes) << c.step;
}

TEST_F(ShellTest, AboutLinksAreBlueOnTheFaceColourUnderAHandAndReachTheShell)
{
    StartProgram();
    ShellOpen = RecordShellCall;
    HCURSOR hand = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_HAND_CURSOR));
    const struct { int id; bool link; } cases[] = {{IDC_MAIL_LINK, true}, {IDC_WEB_LINK, true}, {IDC_ABOUT_MAKER, false}};
    RunInDialog(CMD_ABOUT, [&](HWND box) {
        UpdateWindow(box);
        for (const auto& c : cases) {
            HWND control = TextControl(box, c.id);
            EXPECT_EQ(ShowsPixel(control, RGB(0, 0, 255)), c.link) << c.id;
            EXPECT_TRUE(ShowsPixel(control, GetSysColor(COLOR_BTNFACE))) << c.id;
            SetCursor(nullptr);
            SendMessageW(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            EXPECT_EQ(GetCursor() == hand, c.link) << c.id;
            SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
            SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        }
        EXPECT_TRUE(IsWindowVisible(box)) << "a link closed the box";
    });
    ShellOpen = ShellExecuteA;
    const std::string mail = "open mailto:quorvex@example.org?subject=Tidewar&body=Hi, Quorvex ";
    EXPECT_EQ(ShellCalls, std::vector<std::string>({mail, "open http://www.example.org/tidewar/"}));
}

// The start of the topic that Wine's viewer shows, then the viewer closed; empty when no viewer
// opens in time. The viewer is another process, which would outlive the test.
std::wstring ViewerTopic(size_t length)
{
    wchar_t topic[64] = L"";
    HWND viewer = nullptr;
    for (int tries = 0; tries < 200 && !topic[0]; ++tries, Sleep(50)) {
        viewer = FindWindowW(L"MS_WINHELP", nullptr);
        HWND text = FindWindowExW(viewer, nullptr, L"RichEdit20A", nullptr);
        if (text)
            SendMessageTimeoutW(text, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(topic), SMTO_ABORTIFHUNG, 1000, nullptr);
    }
    DWORD id = 0;
    GetWindowThreadProcessId(viewer, &id);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    PostMessageW(viewer, WM_CLOSE, 0, 0);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
    return std::wstring(topic).substr(0, length);
}

// From another current folder, where the viewer would search instead of beside the exe; a
// missing file then gets our message.
TEST_F(ShellTest, HelpOpensBesideTheProgramFromAnyFolder)
{
    StartProgram();
    wchar_t folder[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, folder);
    SetCurrentDirectoryW(L"C:\\windows\\temp");
    Command(CMD_HELP);
    EXPECT_EQ(ViewerTopic(12), L"Tidewar Help");
    OpenHelpContext(MainWindow, kOptionsHelpContext);
    EXPECT_EQ(ViewerTopic(16), L"Topic 5: Options");

    const std::string file = BesideTests("tidewar.hlp"), aside = file + ".aside";
    ASSERT_TRUE(MoveFileA(file.c_str(), aside.c_str()));
    Language = German;
    Command(CMD_HELP);
    MoveFileA(aside.c_str(), file.c_str());
    SetCurrentDirectoryW(folder);
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
    EXPECT_EQ(ViewerTopic(12), L"Tidewar Help");
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.ExitCode(), 0u);
    DeleteSettingsKey();
}

} // namespace
