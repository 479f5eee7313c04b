// Double size: presses, drags and the picture at twice the scene's size, and the stored choice.
#include <cstring>

#include "tests/win/shell_fixture.h"

namespace {

using DoubleSize = ShellTest;

SIZE ClientSize()
{
    RECT client;
    GetClientRect(MainWindow, &client);
    return {client.right, client.bottom};
}

// At double size, the window pixel of a board's corner cell nearest the board's corner, or
// the next one over, on the board's edge line.
POINT CornerPixel(int boardLeft, POINT cell, bool edge)
{
    const auto at = [edge](int first, int index) { return index == 0 ? 2 * first + 2 - edge : 2 * first + 399 + edge; };
    return {at(boardLeft, cell.x), at(30, cell.y)};
}

TEST_F(DoubleSize, PressesOnTheCornerCellsLandAsAtNormalSizeAndEachScenePixelShowsAsATwoByTwoSquare)
{
    const SIZE normal = ClientSize();
    Command(CMD_DOUBLE_SIZE);
    Command(CMD_NEW_GAME);
    const POINT corners[] = {{0, 0}, {9, 0}, {0, 9}, {9, 9}};
    for (const POINT& cell : corners)   // a right-click on the last ship laid takes it back
        for (bool edge : {true, false}) {
            if (edge)
                PlaceOfferedShip(Horizontal, cell.x ? 6 : 0, cell.y);
            const POINT at = CornerPixel(280, cell, edge);
            SendMessageW(MainWindow, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
            EXPECT_EQ(Game.PlacedShipCount, edge ? 1 : 0) << cell.x << ", " << cell.y;
        }
    SendMessageW(MainWindow, WM_KEYDOWN, 'A', 1);
    Tick();
    ASSERT_EQ(Game.GamePhase, Battle);
    for (const POINT& cell : corners)
        for (bool edge : {true, false}) {
            Board before;
            std::memcpy(before, Game.EnemyBoard, sizeof before);
            Game.ComputerTurn = false;
            const POINT at = CornerPixel(30, cell, edge);
            Click(at.x, at.y);
            const CellState state = CellState(Game.EnemyBoard[cell.x][cell.y]);
            EXPECT_TRUE(edge ? !std::memcmp(before, Game.EnemyBoard, sizeof before) : state != Water && state != Deck)
                << cell.x << ", " << cell.y << ", " << edge;
        }
    UpdateWindow(MainWindow);
    HDC window = GetDC(MainWindow);
    int wrong = 0;
    for (int y = 0; y < 2 * normal.cy; ++y)
        for (int x = 0; x < 2 * normal.cx; ++x)
            wrong += ScenePixel(x, y, window) != ScenePixel(x / 2, y / 2);
    ReleaseDC(MainWindow, window);
    EXPECT_EQ(wrong, 0);
}

// The 4 decks on offer dragged to (6, 9); the outline's left side there is one black scene
// pixel, then two gold.
TEST_F(DoubleSize, ADragShowsItsImageAndOutlineAtTwiceTheSizeAndDropsWhereItWouldAtNormalSize)
{
    POINT imageCorner[3] = {};   // on the client area, by scale
    for (int scale : {1, 2}) {
        if (scale == 2)
            Command(CMD_DOUBLE_SIZE);
        Command(CMD_NEW_GAME);
        UpdateWindow(MainWindow);
        SendMessageW(MainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250 * scale, 285 * scale));
        SendMessageW(MainWindow, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(410 * scale, 220 * scale));
        POINT at, hotspot, client = {0, 0};
        RECT outer;
        int width = 0, height = 0;
        ImageList_GetIconSize(ImageList_GetDragImage(&at, &hotspot), &width, &height);
        EXPECT_TRUE(width == 80 * scale && height == 20 * scale) << scale;
        GetWindowRect(MainWindow, &outer);
        ClientToScreen(MainWindow, &client);
        imageCorner[scale] = {at.x - hotspot.x - client.x + outer.left, at.y - hotspot.y - client.y + outer.top};
        ImageList_DragShowNolock(FALSE);
        HDC window = GetDC(MainWindow);
        for (int x = 0; x < 3 * scale; ++x)
            EXPECT_EQ(ScenePixel(400 * scale + x, 215 * scale, window), x < scale ? 0u : 0xFFD700u) << scale << ": " << x;
        SendMessageW(MainWindow, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(250 * scale, 285 * scale));
        EXPECT_EQ(ScenePixel(400 * scale, 215 * scale, window), ScenePixel(400, 215)) << scale << ": off the board it goes";
        ReleaseDC(MainWindow, window);
        SendMessageW(MainWindow, WM_LBUTTONUP, 0, MAKELPARAM(410 * scale, 220 * scale));
        const PlacedShip& ship = Game.PlacedShips[0];
        EXPECT_TRUE(Game.PlacedShipCount == 1 && ship.orientation == Horizontal && ship.column == 6 && ship.row == 9);
    }
    EXPECT_TRUE(imageCorner[2].x == 2 * imageCorner[1].x && imageCorner[2].y == 2 * imageCorner[1].y);
}

TEST_F(DoubleSize, TheChoiceIsTickedStoredAndRestoredAndAnyOtherStoredNumberIsNormalSize)
{
    const SIZE normal = ClientSize();
    const auto ticked = [] { return (GetMenuState(GetMenu(MainWindow), CMD_DOUBLE_SIZE, MF_BYCOMMAND) & MF_CHECKED) != 0; };
    const auto normalWindow = [&ticked] {
        RECT outer;
        GetWindowRect(MainWindow, &outer);
        return outer.right - outer.left == 510 && outer.bottom - outer.top == 400 && !ticked();
    };
    Command(CMD_DOUBLE_SIZE);
    DWORD type = REG_NONE;
    EXPECT_TRUE(SettingBytes("Scale", &type) == std::vector<unsigned char>({2, 0, 0, 0}) && type == REG_DWORD);
    RestartProgram();
    EXPECT_TRUE(ClientSize().cx == 2 * normal.cx && ClientSize().cy == 2 * normal.cy && ticked());
    Command(CMD_DOUBLE_SIZE);
    EXPECT_TRUE(normalWindow()) << "back to the window of old";
    const DWORD seven = 7;
    RegSetKeyValueA(HKEY_CURRENT_USER, SettingsKeyPath, "Scale", REG_DWORD, &seven, sizeof seven);
    RestartProgram();
    EXPECT_TRUE(normalWindow()) << "a hand-edited 7";
}

}  // namespace
