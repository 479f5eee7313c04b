// The installed program plays a whole game against the computer by keys alone. tests/dist/check.sh
// runs this on the folder the setup installed into (TIDEWAR_PACKAGE); the suite has no package.
#include "tests/win/shell_fixture.h"

namespace {

// The box that ends the game, whatever the language calls it.
HWND EndBox(HWND window)
{
    for (HWND box = nullptr; (box = FindWindowExW(nullptr, box, L"#32770", nullptr));)
        if (GetWindow(box, GW_OWNER) == window && IsWindowVisible(box))
            return box;
    return nullptr;
}

TEST(PackageGame, ThePackagePlaysAWholeGameByKeysAndCountsIt)
{
    const wchar_t* package = _wgetenv(L"TIDEWAR_PACKAGE");
    if (!package)
        GTEST_SKIP() << "for a package only";
    DeleteSettingsKey();
    Process program("", package + std::wstring(L"\\"));
    HWND window = program.Window("Tidewar", nullptr);
    ASSERT_TRUE(window);
    PostMessageW(window, WM_KEYDOWN, VK_F2, 0);
    // A lays the fleet; then Enter on each cell of the enemy board in a snake from its top left
    // corner, lap after lap, since Enter fires only on the player's turn. A pause after each
    // cell leaves the computer's timer its turn.
    const auto press = [window](WPARAM key) { SendMessageTimeoutW(window, WM_KEYDOWN, key, 0, SMTO_NORMAL, 5000, nullptr); };
    HWND end = nullptr;
    for (const DWORD start = GetTickCount(); !end && GetTickCount() - start < 240000;) {
        PostMessageW(window, WM_KEYDOWN, 'A', 0);
        for (int step = 0; step < 10; ++step) {
            press(VK_UP);
            press(VK_LEFT);
        }
        for (int cell = 0; cell < 100 && !(end = EndBox(window)); ++cell, Sleep(20)) {
            press(VK_RETURN);
            press(cell % 10 == 9 ? VK_DOWN : cell / 10 % 2 ? VK_LEFT : VK_RIGHT);
        }
    }
    ASSERT_TRUE(end) << "no end of the game within 240 s";
    PostMessageW(end, WM_COMMAND, IDOK, 0);
    const std::vector<unsigned char> record = SettingBytes("Statistic");
    ASSERT_EQ(record.size(), 8u);
    EXPECT_EQ(record[0] + record[4], 1) << "one game won or lost";
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.ExitCode(), 0u);
    DeleteSettingsKey();
}

}  // namespace
