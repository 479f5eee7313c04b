// The scale: the display's choice for a DPI, the window's size at the player's choice and on
// a move to another DPI, presses, drags and the picture at a whole-number scale, and the
// stored choice.
#include <algorithm>

#include "app/display.h"
#include "tests/win/shell_fixture.h"

namespace {

using ScaleTest = ShellTest;

// The display's scale for a DPI and a work area. Wine's frame with the menu bar adds 6 x 62
// pixels at 144 DPI, so double size there needs 1014 x 774.
TEST(DisplayScaleRule, TheNearestWholeNumberToTheDpiOver96ThatLetsTheWindowFit)
{
    const struct { UINT dpi; LONG width, height; int scale; } cases[] = {
        {96, 3840, 2160, 1},  {120, 3840, 2160, 1}, {144, 3840, 2160, 2}, {192, 3840, 2160, 2},
        {288, 3840, 2160, 3}, {480, 3840, 2160, 3}, {288, 1920, 1080, 2}, {192, 1024, 768, 1},
        {144, 1014, 774, 2},  {144, 1013, 774, 1},  {144, 1014, 773, 1},  {288, 100, 100, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DisplayScale(c.dpi, {10, 20, 10 + c.width, 20 + c.height}), c.scale) << c.dpi << " DPI, " << c.width << " x " << c.height;
}

// The enemy board's corner cell (column and row 0 or 9): at the scale, its window pixel nearest
// the board's corner, or (edge) the next one over, which shows the board's edge line: the left
// or right line on the diagonal's corners, the top or bottom line on the others, so that each
// bound alone keeps the press off the board.
LPARAM CornerPixel(int scale, POINT cell, bool edge)
{
    const auto at = [scale](int first, int index, bool edge) { return index ? scale * (first + kBoardPixels) - 1 + edge : scale * (first + 1) - edge; };
    return MAKELPARAM(at(kEnemyBoardLeft, cell.x, edge && cell.x == cell.y), at(kBoardTop, cell.y, edge && cell.x != cell.y));
}

// The client area's pixels on the screen that differ from the scene pixel they should show, each
// scene pixel a scale x scale square. A window larger than the screen has nothing to read beyond it.
int PixelsNotSquare(int scale)
{
    const int clientWidth = scale * kClientWidth, clientHeight = scale * kClientHeight;
    POINT corner = {0, 0};
    ClientToScreen(MainWindow, &corner);
    const int width = std::min<int>(clientWidth, GetSystemMetrics(SM_CXSCREEN) - corner.x);
    const int height = std::min<int>(clientHeight, GetSystemMetrics(SM_CYSCREEN) - corner.y);
    UpdateWindow(MainWindow);
    HDC window = GetDC(MainWindow), copy = CreateCompatibleDC(window);
    HBITMAP bitmap = CreateCompatibleBitmap(window, clientWidth, clientHeight);
    HGDIOBJ previous = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, clientWidth, clientHeight, window, 0, 0, SRCCOPY);
    SelectObject(copy, previous);
    const std::vector<unsigned> shown = Pixels(copy, bitmap, clientWidth, clientHeight), scene = SceneSnapshot();
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(MainWindow, window);
    int wrong = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            wrong += shown[y * clientWidth + x] != scene[y / scale * kSceneWidth + x / scale];
    return wrong;
}

// The 4 decks on offer dragged to (6, 9), where the outline's left side is a black scene pixel,
// then two gold; the image's corner on the client area, by scale. A scene pixel's last client
// pixel is read, so that an outline a pixel off at double size is seen.
TEST_F(ScaleTest, ADragShowsItsImageAndOutlineTwiceAsLargeAndDropsWhereItWouldAtNormalSize)
{
    POINT image[3] = {};
    const int left = kHomeBoardLeft + kCellSize * 6, top = kBoardTop + kCellSize * 9;
    const int pressX = kOfferedHorizontalLeft + 10, pressY = kOfferedHorizontalTop + 10;
    for (int scale : {1, 2}) {
        Command(scale == 2 ? CMD_DOUBLE_SIZE : CMD_NORMAL_SIZE);
        Command(CMD_NEW_GAME);
        const auto mouse = [scale](UINT message, int x, int y) { SendMessageW(MainWindow, message, MK_LBUTTON, MAKELPARAM(x * scale, y * scale)); };
        mouse(WM_LBUTTONDOWN, pressX, pressY);
        mouse(WM_MOUSEMOVE, left + 10, top + 10);
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
        EXPECT_EQ(ScenePixel((left + 1) * scale - 1, (top + 5) * scale, true), 0u) << scale;
        EXPECT_EQ(ScenePixel((left + 3) * scale - 1, (top + 5) * scale, true), kGold) << scale;
        mouse(WM_MOUSEMOVE, pressX, pressY);
        EXPECT_EQ(ScenePixel(left * scale, (top + 5) * scale, true), ScenePixel(left, top + 5)) << scale << ": wiped";
        mouse(WM_LBUTTONUP, left + 10, top + 10);
        const PlacedShip& ship = Game.PlacedShips[0];
        EXPECT_EQ(std::make_tuple(Game.PlacedShipCount, ship.orientation, ship.column, ship.row), std::make_tuple(1, Horizontal, 6, 9));
        SendMessageW(MainWindow, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM((left + 10) * scale, (top + 10) * scale));
        EXPECT_EQ(Game.PlacedShipCount, 0) << scale << ": a right-click on it takes it back";
    }
}

// Each size item: the number stored, the scale it shows at 96 DPI, both again after a restart,
// and there presses by the enemy board's corners and the picture at that scale. A stored number
// beyond the largest scale follows the display. Moved to a monitor of another DPI, the window
// takes the suggested corner and the frame of that DPI (Wine's at 144: 6 x 62 pixels); a chosen
// size holds.
TEST_F(ScaleTest, TheChosenSizeIsTickedStoredAndHeldAcrossARestartAndADpiChangeWherePressesAndThePictureFollowIt)
{
    const struct { int command; unsigned char stored; int scale; } choices[] = {
        {CMD_TRIPLE_SIZE, 3, 3}, {CMD_DISPLAY_SIZE, 0, 1}, {CMD_DOUBLE_SIZE, 2, 2}, {CMD_NORMAL_SIZE, 1, 1}};
    EXPECT_EQ(SettingBytes("Scale"), std::vector<unsigned char>({0, 0, 0, 0})) << "a first start follows the display";
    const auto ticked = [](int item) { return GetMenuState(GetMenu(MainWindow), item, MF_BYCOMMAND) & MF_CHECKED; };
    for (const auto& choice : choices) {
        Command(choice.command);
        EXPECT_EQ(SettingBytes("Scale"), std::vector<unsigned char>({choice.stored, 0, 0, 0}));
        for (bool restarted : {false, true}) {
            if (restarted)
                RestartProgram();
            RECT client;
            GetClientRect(MainWindow, &client);
            const auto expected = std::make_pair(LONG(choice.scale * kClientWidth), LONG(choice.scale * kClientHeight));
            EXPECT_EQ(std::make_pair(client.right, client.bottom), expected) << choice.command << ", " << restarted;
            for (int item : {CMD_NORMAL_SIZE, CMD_DOUBLE_SIZE, CMD_TRIPLE_SIZE, CMD_DISPLAY_SIZE})
                EXPECT_EQ(ticked(item), item == choice.command ? UINT(MF_CHECKED) : 0u) << choice.command << ", " << item;
        }
        Command(CMD_NEW_GAME);
        SendMessageW(MainWindow, WM_KEYDOWN, 'A', 1);
        // The pixel off the board first: a press there that reached the board would shoot the corner.
        for (const POINT& cell : {POINT{0, 0}, POINT{9, 0}, POINT{0, 9}, POINT{9, 9}})
            for (bool edge : {true, false}) {
                Game.OpponentTurn = false;
                SendMessageW(MainWindow, WM_LBUTTONDOWN, MK_LBUTTON, CornerPixel(choice.scale, cell, edge));
                const int32_t state = Game.EnemyBoard[cell.x][cell.y];
                EXPECT_EQ(state != Water && state != Deck, !edge) << choice.scale << ": " << cell.x << ", " << cell.y << (edge ? " by its edge" : "");
            }
        EXPECT_EQ(PixelsNotSquare(choice.scale), 0) << choice.scale;
    }
    StopProgram();
    StoreSetting("Scale", REG_DWORD, {4, 0, 0, 0});
    StartProgram();
    EXPECT_EQ(ticked(CMD_DISPLAY_SIZE), UINT(MF_CHECKED));
    Command(CMD_DOUBLE_SIZE);
    RECT suggested = {40, 50, 600, 500}, outer;
    SendMessageW(MainWindow, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    GetWindowRect(MainWindow, &outer);
    EXPECT_EQ(std::make_tuple(outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top),
              std::make_tuple(40L, 50L, 2L * kClientWidth + 6, 2L * kClientHeight + 62));
}

}  // namespace
