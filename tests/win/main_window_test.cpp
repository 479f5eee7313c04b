// What needs a process of its own: the exit code of a normal end and the "clear" command.

#include "tests/win/shell_fixture.h"

namespace {

TEST(Process, CloseEndsTheProgramWithExitCodeZero)
{
    Process program("");
    PostMessageW(program.Window("Tidewar", "Tidewar"), WM_CLOSE, 0, 0);
    EXPECT_EQ(program.ExitCode(), 0u);
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

}  // namespace
