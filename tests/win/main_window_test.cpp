// What needs a process of its own: a normal end's exit code and the "clear" command.
#include "tests/win/program.h"

#include <gtest/gtest.h>

#include "ui/settings.h"

namespace tidewar_test {
namespace {

TEST(Process, CloseEndsTheProgramWithExitCodeZero)
{
    Program program;
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.Close()) << "the program did not end after WM_CLOSE";
    EXPECT_EQ(program.ExitCode(), 0u);
}

TEST(Process, ClearWipesTheSettingsAndSaysSoWithoutAWindow)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, SettingsKeyPath, &key), ERROR_SUCCESS);
    RegCloseKey(key);
    Program program;
    ASSERT_TRUE(program.Start(L"clear"));
    HWND box = FindProcessWindow(program.ProcessId(), L"#32770", L"Tidewar", 5000);
    ASSERT_NE(box, nullptr) << "no box after \"clear\"";
    wchar_t text[128] = L"";
    GetDlgItemTextW(box, 0xFFFF, text, 128);
    EXPECT_STREQ(text, L"Программа очистила реестр\nУдалила записи, которые она сделала");
    EXPECT_EQ(FindProcessWindow(program.ProcessId(), L"Tidewar", nullptr, 0), nullptr);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(program.WaitForExit(5000));
    EXPECT_EQ(program.ExitCode(), 0u);
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKeyPath, 0, KEY_READ, &key), ERROR_SUCCESS);
}

} // namespace
} // namespace tidewar_test
