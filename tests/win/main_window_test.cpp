// The main window as the player meets it: fixed size and caption, and a clean exit.
#include "tests/win/program.h"

#include <gtest/gtest.h>

namespace tidewar_test {
namespace {

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(program.Start()) << "cannot start " << ProgramPath();
        window = program.WaitForMainWindow();
        ASSERT_NE(window, nullptr) << "no window of class Tidewar appeared";
    }

    Program program;
    HWND window = nullptr;
};

TEST_F(MainWindow, HasFixedOuterSizeCaptionAndNoSizingFrame)
{
    SIZE size = WindowSize(window);
    EXPECT_EQ(size.cx, 510);
    EXPECT_EQ(size.cy, 400);
    EXPECT_EQ(WindowText(window), L"Tidewar");

    LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME) << "the window must not be resizable";
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
}

TEST_F(MainWindow, CloseEndsTheProgramWithExitCodeZero)
{
    ASSERT_TRUE(program.Close()) << "the program did not end after WM_CLOSE";
    EXPECT_EQ(program.ExitCode(), 0u);
}

} // namespace
} // namespace tidewar_test

namespace tidewar_test {
namespace {

bool SettingsKeyExists()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Quorvex Software\\Tidewar", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

TEST(CommandLine, ClearWipesTheSettingsAndEndsWithoutAWindow)
{
    {
        Program first;
        ASSERT_TRUE(first.Start());
        ASSERT_NE(first.WaitForMainWindow(), nullptr);
        ASSERT_TRUE(first.Close());
    }
    ASSERT_TRUE(SettingsKeyExists());

    Program program;
    ASSERT_TRUE(program.Start(L"clear"));
    HWND box = FindProcessWindow(program.ProcessId(), L"#32770", L"Tidewar", 5000);
    ASSERT_NE(box, nullptr) << "no box after \"clear\"";
    EXPECT_EQ(FindProcessWindow(program.ProcessId(), L"Tidewar", nullptr, 0), nullptr);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(program.WaitForExit(5000));
    EXPECT_EQ(program.ExitCode(), 0u);
    EXPECT_FALSE(SettingsKeyExists());
}

TEST(CommandLine, OtherWordsStartTheGame)
{
    for (const wchar_t* arguments : {L"Clear", L"CLEAR", L"clear now"}) {
        Program program;
        ASSERT_TRUE(program.Start(arguments));
        EXPECT_NE(program.WaitForMainWindow(), nullptr) << "with " << arguments;
        EXPECT_TRUE(program.Close());
    }
    EXPECT_TRUE(SettingsKeyExists()) << "a normal start writes the settings again";
}

} // namespace
} // namespace tidewar_test
