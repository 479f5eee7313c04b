// The player's fleet by drag and drop: where a drag starts, where a drop lands or is
// refused, and how the panel steps through the sizes.
#include "tests/win/shell_fixture.h"

namespace {

class Placing : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        Command(CMD_NEW_GAME);
    }
};

void Press(int x, int y) { SendMessageW(MainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
void Release(int x, int y) { SendMessageW(MainWindow, WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }

// Offers ships of the given size, as the ticks would after the larger ones.
void OfferSize(int size) { PlacementSize = size, PlacementLeft = 5 - size; }

TEST_F(Placing, DragStartsOnlyStrictlyInsideThePicturesAndAgainOnTheOther)
{
    struct Case { int x, y, size, drag; };
    const Case presses[] = {
        {200, 260, 4, NoDrag},     {201, 260, 4, Vertical},   {219, 260, 4, Vertical},   {220, 260, 4, NoDrag},
        {210, 250, 4, NoDrag},     {210, 251, 4, Vertical},   {210, 329, 4, Vertical},   {210, 330, 4, NoDrag},
        {210, 269, 1, Vertical},   {210, 270, 1, NoDrag},     {240, 285, 4, NoDrag},     {241, 285, 4, Horizontal},
        {319, 285, 4, Horizontal}, {320, 285, 4, NoDrag},     {250, 275, 4, NoDrag},     {250, 276, 4, Horizontal},
        {250, 294, 4, Horizontal}, {250, 295, 4, NoDrag},     {259, 285, 1, Horizontal}, {260, 285, 1, NoDrag},
    };
    for (const Case& p : presses) {
        OfferSize(p.size);
        Press(p.x, p.y);
        EXPECT_EQ(PlacementDrag, p.drag) << "press at (" << p.x << ", " << p.y << "), size " << p.size;
        SendMessageW(MainWindow, WM_NCLBUTTONUP, HTCAPTION, 0);
        EXPECT_EQ(PlacementDrag, NoDrag) << "a release over the frame cancels";
    }
    EXPECT_TRUE(answered.empty()) << "no drag error";
    OfferSize(4);
    Press(210, 260);
    Press(250, 285);   // the first release went outside the window
    Release(290, 40);
    EXPECT_EQ(HomeBoard[3][0], Deck) << "a press on the other picture restarts the drag: dropped horizontally";
}

TEST_F(Placing, DropsOffTheBoardTouchingOrOverTheEdgeAreRefused)
{
    struct Drop { int size, x, y; bool placed; };
    const Drop drops[] = {{4, 390, 180, false}, {4, 390, 160, true},   // rows 7-10 leave the board, 6-9 fit
                          {1, 280, 100, false}, {1, 480, 100, false}, {1, 350, 30, false}, {1, 350, 230, false},
                          {1, 600, 100, false}, {1, 281, 31, true},   {1, 479, 229, true},
                          {1, 410, 229, false}, {1, 370, 140, false},  // beside and corner to corner with the 4
                          {1, 290, 220, true}};
    for (const Drop& d : drops) {
        OfferSize(d.size);
        const int before = PlacedShipCount;
        Press(d.size == 4 ? 210 : 250, d.size == 4 ? 260 : 285);
        Release(d.x, d.y);
        EXPECT_EQ(PlacedShipCount - before, d.placed ? 1 : 0) << "drop at (" << d.x << ", " << d.y << ")";
        EXPECT_EQ(PlacementDrag, NoDrag);
    }
    EXPECT_EQ(CountCells(HomeBoard, Deck), 7);
    EXPECT_TRUE(HomeBoard[5][6] == Deck && HomeBoard[5][9] == Deck);
    EXPECT_TRUE(PictureShownAt(CellPicture, 280 + 20 * 4, 30 + 20 * 6, 20, 20));
}

TEST_F(Placing, PanelStepsToTheNextSizeAtTheTickANewGameStartsAgainAndNothingIsOfferedAfterTheLast)
{
    DropOfferedShip(true, 0, 0);
    Press(210, 260);
    EXPECT_EQ(PlacementDrag, NoDrag) << "no ship is offered until the tick";
    Tick();
    EXPECT_TRUE(PlacementSize == 3 && PlacementLeft == 2);
    EXPECT_EQ(ScenePixel(210, 320), 0xFFFFFFu) << "the fourth cell of the old picture is blanked";
    EXPECT_EQ(ScenePixel(310, 285), 0xFFFFFFu);
    DropOfferedShip(true, 2, 0);
    EXPECT_EQ(PlacedShipCount, 2);
    Command(CMD_NEW_GAME);
    EXPECT_TRUE(PlacedShipCount == 0 && PlacementSize == 4 && CountCells(HomeBoard, Deck) == 0);
    PlaceWholeFleet();
    PlacementDrag = Vertical;   // a press between the last drop and the tick, released outside
    Release(290 + 20 * 8, 30 + 20 * 8 + 10);
    EXPECT_TRUE(GamePhase == Battle && PlacedShipCount == 10 && CountCells(HomeBoard, Deck) == 20 && PlacementDrag == NoDrag)
        << "a drag left open past the last ship places nothing";
}

}  // namespace
