// Double size: presses, drags and the picture at twice the scene's size, and the stored choice.
#include <cstring>

#include "tests/win/shell_fixture.h"

namespace {

using DoubleSize = ShellTest;

// A board's corner cell (column and row 0 or 9): at double size, its window pixel nearest the
// board's corner, or (edge) the next one over, which shows the board's edge line: the left or
// right line on the diagonal's corners, the top or bottom line on the others, so that each
// bound alone keeps the press off the board.
LPARAM CornerPixel(int boardLeft, POINT cell, bool edge)
{
    const auto at = [](int first, int index, bool edge) { return index ? 2 * first + 399 + edge : 2 * first + 2 - edge; };
    return MAKELPARAM(at(boardLeft, cell.x, edge && cell.x == cell.y), at(30, cell.y, edge && cell.x != cell.y));
}

TEST_F(DoubleSize, PressesOnTheCornerCellsLandAsAtNormalSizeAndEachScenePixelShowsAsATwoByTwoSquare)
{
    Command(CMD_DOUBLE_SIZE);
    Command(CMD_NEW_GAME);
    const POINT corners[] = {{0, 0}, {9, 0}, {0, 9}, {9, 9}};
    for (const POINT& cell : corners)   // a right-click on the last ship laid takes it back
        for (bool edge : {true, false}) {
            if (edge)
                PlaceOfferedShip(Horizontal, cell.x ? 6 : 0, cell.y);
            SendMessageW(MainWindow, WM_RBUTTONDOWN, MK_RBUTTON, CornerPixel(280, cell, edge));
            EXPECT_EQ(Game.PlacedShipCount, edge ? 1 : 0) << cell.x << ", " << cell.y;
        }
    SendMessageW(MainWindow, WM_KEYDOWN, 'A', 1);
    for (const POINT& cell : corners)
        for (bool edge : {true, false}) {
            Board before;
            std::memcpy(before, Game.EnemyBoard, sizeof before);
            Game.ComputerTurn = false;
            SendMessageW(MainWindow, WM_LBUTTONDOWN, MK_LBUTTON, CornerPixel(30, cell, edge));
            const int32_t state = Game.EnemyBoard[cell.x][cell.y];
            EXPECT_TRUE(edge ? !std::memcmp(before, Game.EnemyBoard, sizeof before) : state != Water && state != Deck)
                << cell.x << ", " << cell.y << ", " << edge;
        }
    RECT client;
    GetClientRect(MainWindow, &client);
    UpdateWindow(MainWindow);
    HDC window = GetDC(MainWindow);
    int wrong = 0;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x)
            wrong += ScenePixel(x, y, window) != ScenePixel(x / 2, y / 2);
    ReleaseDC(MainWindow, window);
    EXPECT_EQ(wrong, 0);
}

// The 4 decks on offer dragged to (6, 9), where the outline's left side is a black scene pixel,
// then two gold; the image's corner on the client area, by scale.
TEST_F(DoubleSize, ADragShowsItsImageAndOutlineTwiceAsLargeAndDropsWhereItWouldAtNormalSize)
{
    POINT image[3] = {};
    for (int scale : {1, 2}) {
        if (scale == 2)
            Command(CMD_DOUBLE_SIZE);
        Command(CMD_NEW_GAME);
        const auto mouse = [scale](UINT message, int x, int y) {
            SendMessageW(MainWindow, message, MK_LBUTTON, MAKELPARAM(x * scale, y * scale));
        };
        mouse(WM_LBUTTONDOWN, 250, 285);
        mouse(WM_MOUSEMOVE, 410, 220);
        POINT at, hotspot, client = {0, 0};
        RECT outer;
        int width = 0, height = 0;
        ImageList_GetIconSize(ImageList_GetDragImage(&at, &hotspot), &width, &height);
        GetWindowRect(MainWindow, &outer);
        ClientToScreen(MainWindow, &client);
        image[scale] = {at.x - hotspot.x - client.x + outer.left, at.y - hotspot.y - client.y + outer.top};
        EXPECT_EQ(std::make_tuple(width, height, image[scale].x, image[scale].y),
                  std::make_tuple(80 * scale, 20 * scale, scale * image[1].x, scale * image[1].y)) << scale;
        ImageList_DragShowNolock(FALSE);
        HDC window = GetDC(MainWindow);
        EXPECT_EQ(ScenePixel(401 * scale - 1, 215 * scale, window), 0u) << scale;
        EXPECT_EQ(ScenePixel(403 * scale - 1, 215 * scale, window), kGold) << scale;
        mouse(WM_MOUSEMOVE, 250, 285);
        EXPECT_EQ(ScenePixel(400 * scale, 215 * scale, window), ScenePixel(400, 215)) << scale << ": wiped";
        ReleaseDC(MainWindow, window);
        mouse(WM_LBUTTONUP, 410, 220);
        const PlacedShip& ship = Game.PlacedShips[0];
        EXPECT_EQ(std::make_tuple(Game.PlacedShipCount, ship.orientation, ship.column, ship.row), std::make_tuple(1, Horizontal, 6, 9));
    }
}

TEST_F(DoubleSize, TheChoiceIsTickedStoredAndRestoredAndAnyOtherStoredNumberIsNormalSize)
{
    RECT client;
    const auto shown = [&client] {   // the client area and the tick
        GetClientRect(MainWindow, &client);
        const UINT tick = GetMenuState(GetMenu(MainWindow), CMD_DOUBLE_SIZE, MF_BYCOMMAND) & MF_CHECKED;
        return std::make_tuple(client.right, client.bottom, tick);
    };
    const auto normal = shown(), doubled = std::make_tuple(2 * client.right, 2 * client.bottom, UINT(MF_CHECKED));
    Command(CMD_DOUBLE_SIZE);
    DWORD type = REG_NONE;
    EXPECT_EQ(SettingBytes("Scale", &type), std::vector<unsigned char>({2, 0, 0, 0}));
    EXPECT_EQ(type, DWORD(REG_DWORD));
    RestartProgram();
    EXPECT_EQ(shown(), doubled);
    Command(CMD_DOUBLE_SIZE);
    EXPECT_EQ(shown(), normal) << "back to the window of old";
    const DWORD seven = 7;
    RegSetKeyValueA(HKEY_CURRENT_USER, SettingsKeyPath, "Scale", REG_DWORD, &seven, sizeof seven);
    RestartProgram();
    EXPECT_EQ(shown(), normal) << "a hand-edited 7";
}

}  // namespace
