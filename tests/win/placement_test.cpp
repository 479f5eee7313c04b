// The player's fleet by the mouse: where a drag starts, which cell a drop lands on, how the
// panel shows the sizes, the outline of where a dragged ship would go, and the last ship
// taken back by a right-click on it or by Backspace; the drop rule itself is the model's.
#include <algorithm>

#include "tests/win/shell_fixture.h"

namespace {

using Placing = ShellTest;

void Press(int x, int y) { SendMessageW(MainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
void Release(int x, int y) { SendMessageW(MainWindow, WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }

// Offers ships of the given size, as the ticks would after the larger ones.
void OfferSize(int size)
{
    Game.PlacementSize = size;
    Game.PlacementLeft = 5 - size;
}

// A drag starts only strictly inside a picture of the ship on offer; the cell under the
// release takes the first deck, and a release on the board's edge lines or off it drops
// nothing. Without a release point, the release is over the frame, which cancels.
TEST_F(Placing, DragsStartStrictlyInsideThePicturesAndDropOnTheCellUnderTheReleaseOnly)
{
    Command(CMD_NEW_GAME);
    enum { None, Down, Across };
    constexpr int vl = kOfferedVerticalLeft, vt = kOfferedVerticalTop, hl = kOfferedHorizontalLeft, ht = kOfferedHorizontalTop;
    constexpr int bl = kHomeBoardLeft, bt = kBoardTop, cell = kCellSize;
    const struct { int size, x, y, drag, releaseX = 0, releaseY = 0; bool placed = false; } cases[] = {
        {4, vl, vt + 10, None}, {4, vl + 1, vt + 10, Down}, {4, vl + cell - 1, vt + 10, Down}, {4, vl + cell, vt + 10, None},
        {4, vl + 10, vt, None}, {4, vl + 10, vt + 1, Down}, {4, vl + 10, vt + 4 * cell - 1, Down}, {4, vl + 10, vt + 4 * cell, None},
        {1, vl + 10, vt + cell - 1, Down}, {1, vl + 10, vt + cell, None}, {4, hl, ht + 10, None}, {4, hl + 1, ht + 10, Across},
        {4, hl + 4 * cell - 1, ht + 10, Across}, {4, hl + 4 * cell, ht + 10, None}, {4, hl + 10, ht, None}, {4, hl + 10, ht + 1, Across},
        {4, hl + 10, ht + cell - 1, Across}, {4, hl + 10, ht + cell, None}, {1, hl + cell - 1, ht + 10, Across}, {1, hl + cell, ht + 10, None},
        // released on each edge line of the board, off the window, and just inside two corners
        {1, hl + 10, ht + 10, Across, bl, bt + 70}, {1, hl + 10, ht + 10, Across, bl + kBoardPixels, bt + 70},
        {1, hl + 10, ht + 10, Across, bl + 70, bt}, {1, hl + 10, ht + 10, Across, bl + 70, bt + kBoardPixels},
        {1, hl + 10, ht + 10, Across, kSceneWidth + 90, bt + 70}, {1, hl + 10, ht + 10, Across, bl + 1, bt + 1, true},
        {1, hl + 10, ht + 10, Across, bl + kBoardPixels - 1, bt + kBoardPixels - 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("press at (" + std::to_string(c.x) + ", " + std::to_string(c.y) + "), release at " + std::to_string(c.releaseX));
        OfferSize(c.size);
        const int before = Game.PlacedShipCount;
        Press(c.x, c.y);
        EXPECT_EQ(!Dragging.PlacementDrag ? None : Dragging.orientation == Vertical ? Down : Across, c.drag);
        if (c.releaseX)
            Release(c.releaseX, c.releaseY);
        else
            SendMessageW(MainWindow, WM_NCLBUTTONUP, HTCAPTION, 0);
        EXPECT_FALSE(Dragging.PlacementDrag);
        EXPECT_EQ(Game.PlacedShipCount - before, c.placed ? 1 : 0);
    }
    EXPECT_TRUE(answered.empty()) << "no drag error";
    EXPECT_EQ(std::make_pair(Game.HomeBoard[0][0], Game.HomeBoard[9][9]), std::make_pair(int32_t(Deck), int32_t(Deck)));
    EXPECT_TRUE(CellShows(CellPicture, false, 4, 6)) << "only the ships' cells change";
    OfferSize(4);
    Press(kOfferedVerticalLeft + 10, kOfferedVerticalTop + 10);
    Press(kOfferedHorizontalLeft + 10, kOfferedHorizontalTop + 10);   // the first release went outside the window
    Release(kHomeBoardLeft + kCellSize * 5 + 10, kBoardTop + kCellSize * 4 + 10);
    EXPECT_EQ(Game.HomeBoard[8][4], Deck) << "a press on the other picture restarts the drag: dropped horizontally at (5, 4)";
    BeginBattle();
    Dragging.PlacementDrag = true;   // a drag left open, released outside
    Release(kHomeBoardLeft + kCellSize * 8 + 10, kBoardTop + kCellSize * 8 + 10);
    EXPECT_EQ(std::make_tuple(Game.GamePhase, Game.PlacedShipCount, Dragging.PlacementDrag), std::make_tuple(Battle, 10, false))
        << "a drag left open past the last ship places nothing";
}

// The panel blanks the cells that the smaller ship on offer no longer covers. The outline's
// first cell lies under the pointer; one running past the edge is cut there.
TEST_F(Placing, TheOutlineShowsWhereADropWouldGoAndARightClickOnTheLastShipOrBackspaceTakesItBack)
{
    Command(CMD_NEW_GAME);
    const std::vector<unsigned> empty = SceneSnapshot();
    PlaceShips(1);   // 4 decks across (0, 0)-(3, 0); the panel offers 3
    EXPECT_EQ(ScenePixel(kOfferedVerticalLeft + 10, kOfferedVerticalTop + kCellSize * 3 + 10), 0xFFFFFFu)
        << "the fourth cell of the old pictures is blanked";
    EXPECT_EQ(ScenePixel(kOfferedHorizontalLeft + kCellSize * 3 + 10, kOfferedHorizontalTop + 10), 0xFFFFFFu);
    const std::vector<unsigned> one = SceneSnapshot();
    UpdateWindow(MainWindow);
    Press(kOfferedHorizontalLeft + 10, kOfferedHorizontalTop + 10);
    const struct { int column, row; unsigned ring; } cases[] = {
        {7, 2, kGold}, {8, 2, kRed},   // ends at the edge; runs past it
        {4, 1, kRed}, {5, 1, kGold},   // touches the ship's end at a corner; clear of it
        {0, 6, kGold},                 // the first column
    };
    for (const auto& c : cases) {
        SendMessageW(MainWindow, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(kHomeBoardLeft + kCellSize * c.column + 10, kBoardTop + kCellSize * c.row + 10));
        ImageList_DragShowNolock(FALSE);   // the image, blended, would hide what lies under it
        EXPECT_TRUE(OutlineShown(kHomeBoardLeft, c.column, c.row, std::min(3, kFieldSize - c.column), 1, c.ring)) << c.column << ", " << c.row;
        ImageList_DragShowNolock(TRUE);
    }
    SendMessageW(MainWindow, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(kSceneWidth + 90, kBoardTop + 10));
    EXPECT_EQ(ScenePixel(kHomeBoardLeft + 1, kBoardTop + kCellSize * 6 + 1, true), ScenePixel(kHomeBoardLeft + 1, kBoardTop + kCellSize * 6 + 1))
        << "off the board the outline goes";
    Release(kSceneWidth + 90, kBoardTop + 10);
    PlaceShips(2);   // again the first ship, refused, then 3 decks across (5, 0)-(7, 0)
    const POINT clicks[] = {{1, 0}, {8, 0}, {6, 1}, {7, 0}};   // the other ship, past the end, below, on it
    for (const POINT& p : clicks) {
        SendMessageW(MainWindow, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(kHomeBoardLeft + kCellSize * p.x + 10, kBoardTop + kCellSize * p.y + 10));
        EXPECT_EQ(Game.PlacedShipCount, p.x == 7 ? 1 : 2) << p.x << ", " << p.y;
    }
    EXPECT_EQ(SceneSnapshot(), one) << "its cells empty again and 3 decks on offer";
    EXPECT_TRUE(WindowShowsTheScene()) << "the right-click shown";   // and nothing left to paint
    SendMessageW(MainWindow, WM_KEYDOWN, VK_BACK, 1);
    EXPECT_EQ(std::make_tuple(Game.PlacedShipCount, Game.HomeBoard[0][0], Game.PlacementSize), std::make_tuple(0, int32_t(Water), 4));
    EXPECT_EQ(SceneSnapshot(), empty);
    EXPECT_TRUE(WindowShowsTheScene()) << "the taking back shown";
}

}  // namespace
