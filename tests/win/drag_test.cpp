// The mouse while placing: the outline of where a dragged ship would go, and the last ship
// taken back by a right-click on it or by Backspace.
#include "tests/win/shell_fixture.h"

namespace {

using Dragged = ShellTest;

constexpr unsigned kGold = 0xFFD700u, kRed = 0xE61E1Eu;

// The outline's first cell lies under the pointer.
TEST_F(Dragged, TheOutlineShowsWhereTheDropWouldGoAndRefusesAtTheEdgeAndBesideAShip)
{
    Command(CMD_NEW_GAME);
    PlaceShips(1);   // 4 decks across (0, 0)-(3, 0); the panel offers 3
    UpdateWindow(MainWindow);
    SendMessageW(MainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250, 285));
    ASSERT_TRUE(Dragging.PlacementDrag);
    HDC window = GetDC(MainWindow);
    struct Case { int column, row; unsigned ring; };
    const Case cases[] = {
        {7, 2, kGold}, {8, 2, kRed},   // ends at the edge; runs past it, cut there
        {4, 1, kRed}, {5, 1, kGold},   // touches the ship's end at a corner; clear of it
    };
    for (const Case& c : cases) {
        const int left = 280 + 20 * c.column, top = 30 + 20 * c.row;
        SendMessageW(MainWindow, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(left + 10, top + 10));
        ImageList_DragShowNolock(FALSE);   // the image, blended, would hide what lies under it
        EXPECT_EQ(ScenePixel(left, top + 5, window), 0u) << c.column << ", " << c.row;
        EXPECT_EQ(ScenePixel(left + 1, top + 5, window), c.ring) << c.column << ", " << c.row;
        EXPECT_EQ(ScenePixel(left + 2, top + 5, window), c.ring) << c.column << ", " << c.row;
        EXPECT_EQ(ScenePixel(left + 58, top + 5, window), c.column < 8 ? c.ring : ScenePixel(left + 58, top + 5))
            << c.column << ", " << c.row << ": three cells";
        ImageList_DragShowNolock(TRUE);
    }
    SendMessageW(MainWindow, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(600, 40));
    EXPECT_EQ(ScenePixel(381, 55, window), ScenePixel(381, 55)) << "off the board the outline goes";
    ReleaseDC(MainWindow, window);
    SendMessageW(MainWindow, WM_LBUTTONUP, 0, MAKELPARAM(600, 40));
}

TEST_F(Dragged, ARightClickOnTheLastShipAndBackspaceTakeItBack)
{
    Command(CMD_NEW_GAME);
    const std::vector<unsigned> empty = SceneSnapshot();
    PlaceShips(1);
    const std::vector<unsigned> one = SceneSnapshot();
    PlaceShips(2);   // again the first ship, refused, then 3 decks across (5, 0)-(7, 0)
    ASSERT_EQ(Game.PlacedShipCount, 2);
    const POINT clicks[] = {{1, 0}, {8, 0}, {6, 1}, {7, 0}};   // the other ship, past the end, below, on it
    for (const POINT& p : clicks) {
        SendMessageW(MainWindow, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(280 + 20 * p.x + 10, 30 + 20 * p.y + 10));
        EXPECT_EQ(Game.PlacedShipCount, p.x == 7 ? 1 : 2) << p.x << ", " << p.y;
    }
    EXPECT_EQ(SceneSnapshot(), one) << "its cells empty again and 3 decks on offer";
    SendMessageW(MainWindow, WM_KEYDOWN, VK_BACK, 1);
    EXPECT_TRUE(Game.PlacedShipCount == 0 && Game.HomeBoard[0][0] == Water && Game.PlacementSize == 4);
    EXPECT_EQ(SceneSnapshot(), empty);
}

}  // namespace
