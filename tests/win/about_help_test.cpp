// The About box in the program's own process, help opened in Wine's real viewer, and what
// needs a process of its own: a package's start, game and normal end, and the "clear" command.
#include <cstdlib>

#include "tests/win/shell_fixture.h"
#include "ui/about.h"

namespace {

std::vector<std::string> ShellCalls;

// Anything but the verb and the address marks the call as different.
HINSTANCE WINAPI RecordShellCall(HWND window, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder, INT show)
{
    const bool plain = !window && !parameters && !folder && show == SW_SHOWNORMAL;
    ShellCalls.push_back(std::string(plain ? "" : "+ ") + verb + " " + file);
    return reinterpret_cast<HINSTANCE>(33);
}

// Each case in another language: the box comes in the interface's, with its logo, which is
// gone with the box, and is left its own way. In English, the colours the box gives a static,
// asked for as the control asks when it paints, and the cursor over it; a double click opens a
// link once.
TEST_F(ShellTest, AboutClosesOnOKAndItsCloseBoxButNotOnEscapeAndItsLinksAreBlueUnderAHandAndReachTheShell)
{
    InstallAboutPort({RecordShellCall});
    const struct { uint32_t language; const wchar_t* caption; void (*leave)(HWND); bool stays; } cases[] = {
        {Russian, L"О программе", [](HWND box) { PressKey(box, VK_ESCAPE); }, true},
        {German, L"An das Programm", [](HWND box) { ClickButton(box, IDC_ABOUT_OK); }, false},
        {English, L"About", [](HWND box) { SendMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0); }, false}};
    for (const auto& c : cases) {
        Settings.Language = c.language;
        HGDIOBJ logo = nullptr;
        RunInDialog(CMD_ABOUT, [&](HWND box) {
            EXPECT_EQ(TextOf(box), c.caption);
            EXPECT_TRUE(logo = reinterpret_cast<HGDIOBJ>(SendDlgItemMessageW(box, IDC_ABOUT_LOGO, STM_GETIMAGE, IMAGE_BITMAP, 0))) << "the logo";
            const std::pair<HWND, bool> statics[] = {{GetDlgItem(box, IDC_MAIL_LINK), true}, {GetDlgItem(box, IDC_WEB_LINK), true},
                                                     {FindWindowExW(box, nullptr, L"Static", L"Quorvex Software, 2026"), false}};
            if (c.language == English)
                for (const auto& [control, link] : statics) {
                    HDC dc = GetDC(control);
                    const LRESULT brush = SendMessageW(box, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
                    EXPECT_EQ(GetTextColor(dc) == RGB(0, 0, 255), link) << link;
                    if (link) {
                        EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_BTNFACE));
                        EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE)));
                    }
                    ReleaseDC(control, dc);
                    SetCursor(nullptr);
                    SendMessageW(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
                    EXPECT_EQ(GetCursor() == LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_HAND_CURSOR)), link) << link;
                    for (UINT click : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
                        SendMessageW(control, click, 0, 0);
                }
            c.leave(box);
            EXPECT_EQ(IsWindowVisible(box) != FALSE, c.stays) << "way " << &c - cases;
        });
        EXPECT_EQ(GetObjectType(logo), 0u) << "the logo left behind";
    }
    EXPECT_EQ(ShellCalls, std::vector<std::string>({"open mailto:quorvex@example.org?subject=Tidewar&body=Hi, Quorvex ",
                                                     "open http://www.example.org/tidewar/"}));
}

// The title of the topic that Wine's viewer shows (its first line), empty when none opens in
// time; then the viewer, another process that would outlive the test, is closed. Its text
// control is an ANSI window, whose text passes through the code page: the titles read here
// are ASCII.
std::wstring ViewerTopic()
{
    HWND viewer = nullptr;
    wchar_t text[64] = L"";
    for (const ULONGLONG end = GetTickCount64() + 30000; GetTickCount64() < end && !text[0]; Sleep(50)) {
        viewer = FindWindowW(L"MS_WINHELP", nullptr);
        HWND topic = viewer ? FindWindowExW(viewer, nullptr, L"RichEdit20A", nullptr) : nullptr;
        SendMessageTimeoutW(topic, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 1000, nullptr);
    }
    DWORD id = 0;
    GetWindowThreadProcessId(viewer, &id);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    PostMessageW(viewer, WM_CLOSE, 0, 0);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
    return std::wstring(text, wcscspn(text, L"\r"));
}

// Another copy stored double size and a language: a page shown takes the store, but the scale
// stays with this window, and a language comes whole, with its menu, or not at all where it is
// unknown (4 would be the menu's double size). From another current folder, where the viewer
// would search instead of beside the exe, the sheet's Options topic comes in that language,
// English where its file is missing; only with both missing our message comes. The sheet's
// Help button is shown and enabled on every page, and each kind of page gets it once; F1 on a
// page's first control climbs to the page, then to the sheet. Without a mouse, Tab reaches the
// music and skin lists in every language.
TEST_F(ShellTest, TheSheetTakesAnotherCopysLanguageAndOpensHelpBesideTheProgramFromAnyFolderInItAndFromEverywhereInTheSheet)
{
    wchar_t folder[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, folder);
    SetCurrentDirectoryW(L"C:\\windows\\temp");
    const auto setAside = [](std::vector<std::string> names, bool back) {
        for (const std::string& name : names)
            MoveFileA(BesideTests((name + (back ? ".aside" : "")).c_str()).c_str(), BesideTests((name + (back ? "" : ".aside")).c_str()).c_str());
    };
    const struct { BYTE stored; std::vector<std::string> aside; int page; bool f1; const wchar_t* menu; std::wstring topic; } cases[] = {
        {English, {}, 0, false, L"&Game", L"Options"}, {German, {}, 1, true, L"&Spiel", L"Eigenschaften"},
        {4, {}, 3, false, L"&Spiel", L"Eigenschaften"}, {Russian, {"tidewar-ru.hlp"}, 2, false, L"&Игра", L"Options"}};
    for (const auto& c : cases) {
        StoreSetting("Scale", REG_DWORD, {2, 0, 0, 0});
        StoreSetting("Properties", REG_BINARY, {1, 0, 1, c.stored});
        setAside(c.aside, false);
        RunInDialog(CMD_OPTIONS, [&](HWND sheet) {
            HWND button = GetDlgItem(sheet, IDHELP);
            for (int page = 3; page >= c.page; --page) {
                ShowPage(sheet, page);
                EXPECT_EQ(std::make_pair(IsWindowVisible(button), IsWindowEnabled(button)), std::make_pair(TRUE, TRUE)) << "Help on " << page;
                EXPECT_TRUE(page < 2 || GetWindowLongW(ListOf(sheet), GWL_STYLE) & WS_TABSTOP) << "no Tab to the list on " << page;
            }
            HELPINFO info = {sizeof info, HELPINFO_WINDOW, 0, nullptr, 0, {0, 0}};
            if (c.f1)
                SendMessageW(GetWindow(PropSheet_GetCurrentPageHwnd(sheet), GW_CHILD), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
            else
                SendMessageW(button, BM_CLICK, 0, 0);
            EXPECT_EQ(ViewerTopic(), c.topic) << &c - cases;
        });
        setAside(c.aside, true);
        EXPECT_EQ(MenuText(0), c.menu) << int(c.stored);
        EXPECT_EQ(Settings.Scale, 0) << "the window's own, following the display, not the stored 2";
    }
    Settings.Language = German;
    setAside({"tidewar-de.hlp", "tidewar.hlp"}, false);
    answered.clear();   // a closing sheet may be seen as a box
    Command(CMD_HELP);
    setAside({"tidewar-de.hlp", "tidewar.hlp"}, true);
    SetCurrentDirectoryW(folder);
    ASSERT_EQ(answered.size(), 1u);
    EXPECT_EQ(answered[0].text, L"Die Hilfedatei tidewar.hlp fehlt im Ordner des Spiels.");
}

// The box that ends a game played by keys alone within 240 s, or none: F2 and A lay the fleet;
// then Enter on each cell of the enemy board in a snake from its top left corner, lap after
// lap, since Enter fires only on the player's turn. A pause after each cell leaves the
// computer's timer its turn. The box is the window's first, whatever the language calls it.
HWND EndOfAGameByKeys(HWND window)
{
    const auto press = [window](WPARAM key) { SendMessageTimeoutW(window, WM_KEYDOWN, key, 0, SMTO_NORMAL, 5000, nullptr); };
    PostMessageW(window, WM_KEYDOWN, VK_F2, 0);
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 240000;) {
        PostMessageW(window, WM_KEYDOWN, 'A', 0);
        for (int step = 0; step < 10; ++step) {
            press(VK_UP);
            press(VK_LEFT);
        }
        for (int cell = 0; cell < 100; ++cell, Sleep(20)) {
            for (HWND box = nullptr; (box = FindWindowExW(nullptr, box, L"#32770", nullptr));)
                if (GetWindow(box, GW_OWNER) == window && IsWindowVisible(box))
                    return box;
            press(VK_RETURN);
            press(cell % 10 == 9 ? VK_DOWN : cell / 10 % 2 ? VK_LEFT : VK_RIGHT);
        }
    }
    return nullptr;
}

// A normal end's exit code. tests/dist/check.sh runs this on each unpacked package and on the
// installed one, in a folder that the ANSI code page cannot name (TIDEWAR_PACKAGE), tracing
// the files it opens: the skin and the tune before the help; there a whole game against the
// computer comes first, and counts. Elsewhere the program beside the tests, with no game.
TEST(Package, StartsWithItsSkinAndTuneThenPlaysAndOpensItsHelp)
{
    const wchar_t* package = _wgetenv(L"TIDEWAR_PACKAGE");
    const std::wstring folder = package ? package + std::wstring(L"\\") : Wide(BesideTests(""));
    DeleteSettingsKey();
    for (const auto& [name, file] : {std::make_pair("Skins", L"night.dll"), std::make_pair("Music", L"tidewar.mid")}) {
        std::wstring path = folder + file;
        CharLowerW(&path[0]);
        StoreSetting(name, REG_SZ, TextBytes(Utf8(path)));
    }
    Process program("", folder);
    HWND window = program.Window("Tidewar", nullptr);
    ASSERT_TRUE(window);
    if (package) {
        const HWND end = EndOfAGameByKeys(window);
        ASSERT_TRUE(end) << "no end of the game within 240 s";
        PostMessageW(end, WM_COMMAND, IDOK, 0);
        const std::vector<unsigned char> record = SettingBytes("Statistic");
        ASSERT_EQ(record.size(), 8u);
        EXPECT_EQ(record[0] + record[4], 1) << "one game won or lost";
    }
    PostMessageW(window, WM_COMMAND, CMD_HELP, 0);
    EXPECT_EQ(ViewerTopic(), L"Tidewar Help");
    PostMessageW(window, WM_COMMAND, CMD_OPTIONS, 0);
    HWND sheet = program.Window("#32770", nullptr);
    for (const auto& c : {std::make_pair(2, L">tidewar.mid"), std::make_pair(3, L">Night sea (night.dll)")}) {
        const std::vector<std::wstring> list = ListEntries(ListOf(ShowPage(sheet, c.first)));
        EXPECT_NE(std::find(list.begin(), list.end(), c.second), list.end()) << c.second;
    }
    PropSheet_PressButton(sheet, PSBTN_CANCEL);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.ExitCode(), 0u);
    DeleteSettingsKey();
}

TEST(Process, ClearWipesTheSettingsAndSaysSoWithoutAWindow)
{
    StoreSetting("Author", REG_SZ, TextBytes("someone"));
    Process program("clear");
    HWND box = program.Window("#32770", "Tidewar");
    EXPECT_EQ(TextOf(GetDlgItem(box, 0xFFFF)), L"Программа очистила реестр\nУдалила записи, которые она сделала");
    EXPECT_EQ(program.Window("Tidewar", nullptr, 0), nullptr) << "no window";
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(program.ExitCode(), 0u);
    HKEY key;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKeyPath, 0, KEY_READ, &key), ERROR_SUCCESS);
}

} // namespace
