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
// scene pixel a scale x scale square from the client's (left, top), black around the scene. A
// window larger than the screen has nothing to read beyond it.
int PixelsNotSquare(int scale, int left = 0, int top = 0)
{
    RECT client;
    GetClientRect(MainWindow, &client);
    POINT corner = {0, 0};
    ClientToScreen(MainWindow, &corner);
    const int clientWidth = client.right, clientHeight = client.bottom;
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
        for (int x = 0; x < width; ++x) {
            const int sceneX = x - left, sceneY = y - top;
            const bool onScene = sceneX >= 0 && sceneY >= 0 && sceneX < scale * kClientWidth && sceneY < scale * kClientHeight;
            wrong += shown[y * clientWidth + x] != (onScene ? scene[sceneY / scale * kSceneWidth + sceneX / scale] : 0u);
        }
    return wrong;
}

// The largest whole scale at which the scene's visible part fits the client area, by the
// test's own count.
int LargestFillingScale()
{
    RECT client;
    GetClientRect(MainWindow, &client);
    int scale = 1;
    while ((scale + 1) * kClientWidth <= client.right && (scale + 1) * kClientHeight <= client.bottom)
        ++scale;
    return scale;
}

// The client pixel of the scene's corner, centred.
POINT CentredCorner(int scale)
{
    RECT client;
    GetClientRect(MainWindow, &client);
    return {(client.right - scale * kClientWidth) / 2, (client.bottom - scale * kClientHeight) / 2};
}

// The 4 decks on offer dragged to (6, 9), where the outline's left side is a black scene pixel,
// then two gold; the image's corner on the client area, at normal size, double, and maximized,
// where the scene is centred. A scene pixel's last client pixel is read, so that an outline a
// pixel off at double size is seen.
TEST_F(ScaleTest, ADragShowsItsImageAndOutlineAtTheScaleAndDropsWhereItWouldAtNormalSize)
{
    POINT normal = {};
    const int left = kHomeBoardLeft + kCellSize * 6, top = kBoardTop + kCellSize * 9;
    const int pressX = kOfferedHorizontalLeft + 10, pressY = kOfferedHorizontalTop + 10;
    for (int size : {1, 2, 0}) {
        if (size)
            Command(size == 2 ? CMD_DOUBLE_SIZE : CMD_NORMAL_SIZE);
        else
            ShowWindow(MainWindow, SW_MAXIMIZE);
        const int scale = size ? size : LargestFillingScale();
        const POINT corner = size ? POINT{0, 0} : CentredCorner(scale);
        SCOPED_TRACE(scale);
        Command(CMD_NEW_GAME);
        const auto at = [&](int x, int y) { return MAKELPARAM(corner.x + x * scale, corner.y + y * scale); };
        const auto mouse = [&](UINT message, int x, int y) { SendMessageW(MainWindow, message, MK_LBUTTON, at(x, y)); };
        mouse(WM_LBUTTONDOWN, pressX, pressY);
        mouse(WM_MOUSEMOVE, left + 10, top + 10);
        POINT dragged, hotspot, client = {0, 0};
        RECT outer;
        int width = 0, height = 0;
        ImageList_GetIconSize(ImageList_GetDragImage(&dragged, &hotspot), &width, &height);
        GetWindowRect(MainWindow, &outer);
        ClientToScreen(MainWindow, &client);
        const POINT image = {dragged.x - hotspot.x - client.x + outer.left, dragged.y - hotspot.y - client.y + outer.top};
        if (size == 1)
            normal = image;
        EXPECT_EQ(std::make_tuple(width, height, image.x, image.y),
                  std::make_tuple(80 * scale, 20 * scale, corner.x + scale * normal.x, corner.y + scale * normal.y));
        ImageList_DragShowNolock(FALSE);
        EXPECT_EQ(ScenePixel(corner.x + (left + 1) * scale - 1, corner.y + (top + 5) * scale, true), 0u);
        EXPECT_EQ(ScenePixel(corner.x + (left + 3) * scale - 1, corner.y + (top + 5) * scale, true), kGold);
        mouse(WM_MOUSEMOVE, pressX, pressY);
        EXPECT_EQ(ScenePixel(corner.x + left * scale, corner.y + (top + 5) * scale, true), ScenePixel(left, top + 5)) << "wiped";
        mouse(WM_LBUTTONUP, left + 10, top + 10);
        const PlacedShip& ship = Game.PlacedShips[0];
        EXPECT_EQ(std::make_tuple(Game.PlacedShipCount, ship.orientation, ship.column, ship.row), std::make_tuple(1, Horizontal, 6, 9));
        SendMessageW(MainWindow, WM_RBUTTONDOWN, MK_RBUTTON, at(left + 10, top + 10));
        EXPECT_EQ(Game.PlacedShipCount, 0) << "a right-click on it takes it back";
    }
}

// Each size item: the number stored, the scale it shows at 96 DPI, both again after a restart,
// and there presses by the enemy board's corners and the picture at that scale. Triple size
// (1518 x 1112) does not fit the tests' screen of 1024 x 768 and shows double, ticked all the
// same. A stored number beyond the largest scale follows the display. Moved to a monitor of
// another DPI, the window takes the suggested corner and the frame of that DPI (Wine's at 144:
// 6 x 62 pixels), and double size, 774 rows high there, gives way to normal.
TEST_F(ScaleTest, TheChosenSizeIsTickedStoredAndHeldAcrossARestartAndADpiChangeWherePressesAndThePictureFollowIt)
{
    const struct { int command; unsigned char stored; int scale; } choices[] = {
        {CMD_TRIPLE_SIZE, 3, 2}, {CMD_DISPLAY_SIZE, 0, 1}, {CMD_DOUBLE_SIZE, 2, 2}, {CMD_NORMAL_SIZE, 1, 1}};
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
              std::make_tuple(40L, 50L, 1L * kClientWidth + 6, 1L * kClientHeight + 62));
}

// Maximized or full screen, the largest whole scale at which 504 x 356 fits the client area.
struct FillCase {
    const char* name;
    LONG width, height;
    int scale;
};

class SceneFilling : public ::testing::TestWithParam<FillCase> {};

TEST_P(SceneFilling, TakesTheLargestWholeScaleThatFitsBothWays)
{
    const FillCase& c = GetParam();
    EXPECT_EQ(FillingScale({0, 0, c.width, c.height}), c.scale);
}

INSTANTIATE_TEST_SUITE_P(ScaleTest, SceneFilling, ::testing::Values(
    FillCase{"WideAndLow", 2600, 711, 1},
    FillCase{"NarrowAndTall", 1511, 2000, 2},
    FillCase{"FourK", 3840, 2160, 6},
    FillCase{"SmallerThanTheScene", 300, 200, 1}),
    [](const ::testing::TestParamInfo<FillCase>& info) { return std::string(info.param.name); });

// A size that does not fit the work area gives way to the largest that does; the display's
// follows the DPI as far as it fits. Wine's frame with the menu bar adds 6 x 44 pixels at 96
// DPI and 6 x 62 at 144: triple size is 1518 x 1112 and 1518 x 1130, double 1014 x 756 and
// 1014 x 774.
struct FitCase {
    const char* name;
    UINT dpi;
    LONG width, height;
    int chosen, shown;
};

class SizeFit : public ::testing::TestWithParam<FitCase> {};

TEST_P(SizeFit, TheChosenSizeGivesWayToTheLargestThatFitsTheWorkArea)
{
    const FitCase& c = GetParam();
    const RECT workArea = {-1366, 40, -1366 + c.width, 40 + c.height};
    EXPECT_EQ(WindowScale(c.chosen, c.dpi, workArea), c.shown);
}

INSTANTIATE_TEST_SUITE_P(ScaleTest, SizeFit, ::testing::Values(
    FitCase{"TripleOnALaptop", 96, 1366, 768, 3, 2},
    FitCase{"DoubleOverALaptopsTaskbar", 96, 1366, 728, 2, 1},
    FitCase{"TripleOnFullHd", 96, 1920, 1040, 3, 2},
    FitCase{"TripleJustFits", 96, 1518, 1112, 3, 3},
    FitCase{"TripleOneRowShort", 96, 1518, 1111, 3, 2},
    FitCase{"DoubleOneColumnShort", 96, 1013, 756, 2, 1},
    FitCase{"TripleAt144OnQhd", 144, 2560, 1400, 3, 3},
    FitCase{"DoubleAt144OnTheTestScreen", 144, 1024, 768, 2, 1},
    FitCase{"NormalWhereNothingFits", 96, 400, 300, 1, 1}),
    [](const ::testing::TestParamInfo<FitCase>& info) { return std::string(info.param.name); });

// The menu greys the sizes that do not fit the tests' screen of 1024 x 768 when it opens.
TEST_F(ScaleTest, ASizeThatDoesNotFitTheScreenIsGreyedInTheMenu)
{
    SendMessageW(MainWindow, WM_INITMENUPOPUP, WPARAM(GetSubMenu(GetMenu(MainWindow), 0)), 0);
    std::string greyed;
    for (int item : {CMD_NORMAL_SIZE, CMD_DOUBLE_SIZE, CMD_TRIPLE_SIZE, CMD_DISPLAY_SIZE})
        greyed += GetMenuState(GetMenu(MainWindow), item, MF_BYCOMMAND) & MF_GRAYED ? 'x' : '-';
    EXPECT_EQ(greyed, "--x-");
}

// Maximized, then full screen by F11 from there and from a window: the scene at the largest
// whole scale that fits, centred on black, keys placing the fleet, and a press at the centre
// of a cell shooting that cell, one in the black beside the board nothing. F11 again, or
// Escape, gives back the window as it was, with its menu.
TEST_F(ScaleTest, MaximizedOrFullScreenTheSceneFillsTheWindowAtTheLargestScaleAndPressesFollowIt)
{
    const auto place = [] {
        RECT outer;
        GetWindowRect(MainWindow, &outer);
        return std::make_tuple(outer.left, outer.top, outer.right, outer.bottom, IsZoomed(MainWindow), GetMenu(MainWindow));
    };
    const auto pressF11 = [] {
        MSG key = {MainWindow, WM_KEYDOWN, VK_F11, 0, 0, {0, 0}};
        EXPECT_TRUE(TranslateAcceleratorW(MainWindow, MainFrame.Accelerators, &key));
    };
    const auto window = place();
    int cell = 0;
    for (const char* step : {"maximized", "full screen", "windowed", "full screen from a window"}) {
        SCOPED_TRACE(step);
        const std::string name = step;
        const auto before = place();
        if (name == "maximized")
            ShowWindow(MainWindow, SW_MAXIMIZE);
        else if (name == "windowed")
            ShowWindow(MainWindow, SW_RESTORE);
        else
            pressF11();
        if (name != "windowed") {
            EXPECT_EQ(GetMenu(MainWindow) != nullptr, name == "maximized");
        }
        const int scale = name == "windowed" ? 1 : LargestFillingScale();
        EXPECT_GE(scale, name == "windowed" ? 1 : 2);
        const POINT corner = name == "windowed" ? POINT{0, 0} : CentredCorner(scale);
        Command(CMD_NEW_GAME);
        SendMessageW(MainWindow, WM_KEYDOWN, 'A', 1);
        ASSERT_EQ(Game.GamePhase, Battle);
        const int x = cell % kFieldSize, y = cell / kFieldSize;
        ++cell;
        Game.OpponentTurn = false;
        SendMessageW(MainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(corner.x + scale * kEnemyBoardLeft - 1, corner.y + scale * (kBoardTop + kCellSize / 2)));
        const int32_t beside = Game.EnemyBoard[0][y];
        EXPECT_TRUE(beside == Water || beside == Deck) << "a press left of the board";
        SendMessageW(MainWindow, WM_LBUTTONDOWN, MK_LBUTTON,
                     MAKELPARAM(corner.x + scale * (kEnemyBoardLeft + kCellSize * x + kCellSize / 2), corner.y + scale * (kBoardTop + kCellSize * y + kCellSize / 2)));
        const int32_t state = Game.EnemyBoard[x][y];
        EXPECT_TRUE(state != Water && state != Deck) << x << ", " << y;
        EXPECT_EQ(PixelsNotSquare(scale, corner.x, corner.y), 0);
        if (name == "windowed") {
            EXPECT_EQ(place(), window);
            continue;
        }
        if (name == "full screen")
            pressF11();
        else if (name == "full screen from a window")
            SendMessageW(MainWindow, WM_KEYDOWN, VK_ESCAPE, 1);
        if (name != "maximized") {
            EXPECT_EQ(place(), before) << "back as it was";
        }
    }
}

// A drag in progress when the scale or the scene's place changes is dropped: no image is left,
// and the ship stays on offer, for a drop that follows to place nothing.
struct ScaleChange {
    const char* name;
    int sizeBefore;
    void (*change)();
};

class DragOnScaleChange : public ShellTest, public ::testing::WithParamInterface<ScaleChange> {};

TEST_P(DragOnScaleChange, DropsTheDragCleanly)
{
    const ScaleChange& c = GetParam();
    Command(c.sizeBefore);
    Command(CMD_NEW_GAME);
    const int scale = Scene.Scale;
    SendMessageW(MainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(scale * (kOfferedHorizontalLeft + 10), scale * (kOfferedHorizontalTop + 10)));
    ASSERT_TRUE(Dragging.PlacementDrag);
    c.change();
    EXPECT_FALSE(Dragging.PlacementDrag);
    EXPECT_EQ(ImageList_GetDragImage(nullptr, nullptr), nullptr) << "no image left";
    const int home = Scene.Scale;
    SendMessageW(MainWindow, WM_LBUTTONUP, 0, MAKELPARAM(Scene.Left + home * (kHomeBoardLeft + 10), Scene.Top + home * (kBoardTop + 10)));
    EXPECT_EQ(std::make_tuple(Game.PlacedShipCount, Game.PlacementSize, Game.PlacementLeft), std::make_tuple(0, 4, 1));
}

INSTANTIATE_TEST_SUITE_P(ScaleTest, DragOnScaleChange, ::testing::Values(
    ScaleChange{"SizeCommand", CMD_NORMAL_SIZE, [] { SendMessageW(MainWindow, WM_COMMAND, CMD_DOUBLE_SIZE, 0); }},
    ScaleChange{"DpiChange", CMD_DOUBLE_SIZE, [] {
        RECT suggested = {0, 0, 600, 500};
        SendMessageW(MainWindow, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    }},
    ScaleChange{"Maximize", CMD_NORMAL_SIZE, [] { ShowWindow(MainWindow, SW_MAXIMIZE); }},
    ScaleChange{"FullScreen", CMD_NORMAL_SIZE, [] { SendMessageW(MainWindow, WM_COMMAND, CMD_FULL_SCREEN, 0); }}),
    [](const ::testing::TestParamInfo<ScaleChange>& info) { return std::string(info.param.name); });

}  // namespace
