// The About box in the program's own process, help opened in Wine's real viewer, and what
// needs a process of its own: the exit code of a normal end and the "clear" command.
#include <cstdlib>

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

// Each case in another language: the box comes in the interface's.
TEST_F(ShellTest, AboutClosesOnOKEnterAndItsCloseBoxButNotOnEscape)
{
    const struct { uint32_t language; int step; const wchar_t* notes; } cases[] = {
        {Russian, Key(VK_ESCAPE), L"О программе|open"}, {English, Key(VK_RETURN), L"About|closed"},
        {German, IDC_ABOUT_OK, L"An das Programm|closed"}, {English, kCloseBox, L"About|closed"}};
    for (const auto& c : cases) {
        Language = c.language;
        EXPECT_EQ(Drive(CMD_ABOUT, {Read(0), c.step}), c.notes);
    }
}

// The colours the box gives a static, asked for as the control asks when it paints.
TEST_F(ShellTest, AboutLinksAreBlueOnTheFaceColourUnderAHandAndReachTheShell)
{
    ShellOpen = RecordShellCall;
    HCURSOR hand = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_HAND_CURSOR));
    RunInDialog(CMD_ABOUT, [&](HWND box) {
        const struct { HWND control; bool link; } cases[] = {{GetDlgItem(box, IDC_MAIL_LINK), true},
            {GetDlgItem(box, IDC_WEB_LINK), true}, {FindWindowExW(box, nullptr, L"Static", L"Quorvex Software, 2026"), false}};
        for (const auto& c : cases) {
            HDC dc = GetDC(c.control);
            const LRESULT brush = SendMessageW(box, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(c.control));
            EXPECT_EQ(GetTextColor(dc) == RGB(0, 0, 255), c.link) << &c - cases;
            EXPECT_TRUE(!c.link || (GetBkColor(dc) == GetSysColor(COLOR_BTNFACE) &&
                                    brush == reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE)))) << &c - cases;
            ReleaseDC(c.control, dc);
            SetCursor(nullptr);
            SendMessageW(c.control, WM_SETCURSOR, reinterpret_cast<WPARAM>(c.control), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            EXPECT_EQ(GetCursor() == hand, c.link) << &c - cases;
            SendMessageW(c.control, WM_LBUTTONDOWN, MK_LBUTTON, 0);
            SendMessageW(c.control, WM_LBUTTONUP, 0, 0);
        }
        EXPECT_TRUE(IsWindowVisible(box)) << "a link closed the box";
    });
    ShellOpen = ShellExecuteA;
    EXPECT_EQ(ShellCalls, std::vector<std::string>({"open mailto:quorvex@example.org?subject=Tidewar&body=Hi, Quorvex ",
                                                     "open http://www.example.org/tidewar/"}));
}

// The start of the topic that Wine's viewer shows, empty when none opens in time; then the
// viewer, another process that would outlive the test, is closed.
std::wstring ViewerTopic(size_t length)
{
    wchar_t topic[64] = L"";
    HWND viewer = nullptr;
    for (int tries = 0; tries < 200 && !topic[0]; ++tries, Sleep(50)) {
        viewer = FindWindowW(L"MS_WINHELP", nullptr);
        if (HWND text = FindWindowExW(viewer, nullptr, L"RichEdit20A", nullptr))
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

// A normal end's exit code. tests/dist/check.sh runs this on each unpacked package
// (TIDEWAR_PACKAGE), tracing the files it opens; elsewhere the program beside the tests.
TEST(Package, StartsInItsFolderWithTheNightSkinAndTheTuneOpensItsHelpAndEndsWithZero)
{
    const char* package = std::getenv("TIDEWAR_PACKAGE");
    DeleteSettingsKey();
    RegSetKeyValueA(HKEY_CURRENT_USER, SettingsKeyPath, "Skins", REG_SZ, "night.dll", 10);
    RegSetKeyValueA(HKEY_CURRENT_USER, SettingsKeyPath, "Music", REG_SZ, "tidewar.mid", 12);
    Process program("", package ? package : BesideTests(""));
    HWND window = program.Window("Tidewar", nullptr);
    ASSERT_TRUE(window);
    PostMessageW(window, WM_COMMAND, CMD_HELP, 0);
    EXPECT_EQ(ViewerTopic(12), L"Tidewar Help");
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.ExitCode(), 0u);
    DeleteSettingsKey();
}

TEST(Process, ClearWipesTheSettingsAndSaysSoWithoutAWindow)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, SettingsKeyPath, &key), ERROR_SUCCESS);
    RegCloseKey(key);
    Process program("clear");
    HWND box = program.Window("#32770", "Tidewar");
    wchar_t text[128] = L"";
    GetDlgItemTextW(box, 0xFFFF, text, 128);
    EXPECT_STREQ(text, L"Программа очистила реестр\nУдалила записи, которые она сделала");
    EXPECT_EQ(FindWindowA("Tidewar", nullptr), nullptr) << "no window";
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(program.ExitCode(), 0u);
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKeyPath, 0, KEY_READ, &key), ERROR_SUCCESS);
}

} // namespace
