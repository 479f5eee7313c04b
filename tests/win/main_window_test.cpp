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
