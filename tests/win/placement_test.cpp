#include "app/placement.h"
#include "app/startup.h"
#include "app/window.h"
#include "game/board.h"
#include "game/fleet.h"
#include "game/phase.h"
#include "gfx/scene.h"
#include "res/resource.h"
#include "tests/win/shell_fixture.h"

namespace {

class Placing : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        StartProgram();
        Command(CMD_NEW_GAME);
    }
    void Press(int x, int y) { SendMessageW(MainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
    void Release(int x, int y) { SendMessageW(MainWindow, WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }

    // Offers ships of the given size, as the ticks would after the larger ones.
    void OfferSize(int size)
    {
        PlacementSize = size;
        PlacementLeft = 5 - size;
    }
};

TEST_F(Placing, DragStartsOnlyStrictlyInsideThePictures)
{
    struct Case { int x, y, size, drag; };
    const Case presses[] = {
        {200, 260, 4, NoDrag},     {201, 260, 4, Vertical},  {219, 260, 4, Vertical},  {220, 260, 4, NoDrag},
        {210, 250, 4, NoDrag},     {210, 251, 4, Vertical},  {210, 329, 4, Vertical},  {210, 330, 4, NoDrag},
        {210, 269, 1, Vertical},   {210, 270, 1, NoDrag},
        {240, 285, 4, NoDrag},     {241, 285, 4, Horizontal}, {319, 285, 4, Horizontal}, {320, 285, 4, NoDrag},
        {250, 275, 4, NoDrag},     {250, 276, 4, Horizontal}, {250, 294, 4, Horizontal}, {250, 295, 4, NoDrag},
        {259, 285, 1, Horizontal}, {260, 285, 1, NoDrag},
    };
    for (const Case& p : presses) {
        OfferSize(p.size);
        Press(p.x, p.y);
        EXPECT_EQ(PlacementDrag, p.drag) << "press at (" << p.x << ", " << p.y << "), size " << p.size;
        SendMessageW(MainWindow, WM_NCLBUTTONUP, HTCAPTION, 0);
    }
    EXPECT_TRUE(answered.empty()) << "no drag error";
}

TEST_F(Placing, DropsOnTheBoardEdgesAreRefused)
{
    OfferSize(1);
    struct Drop { int x, y; bool placed; };
    const Drop drops[] = {{280, 100, false}, {480, 100, false}, {350, 30, false}, {350, 230, false},
                          {281, 31, true},   {479, 229, true},  {600, 100, false}};
    for (const Drop& d : drops) {
        const int before = PlacedShipCount;
        Press(250, 285);
        Release(d.x, d.y);
        EXPECT_EQ(PlacedShipCount - before, d.placed ? 1 : 0) << "drop at (" << d.x << ", " << d.y << ")";
        EXPECT_EQ(PlacementDrag, NoDrag);
    }
    EXPECT_EQ(HomeBoard[0][0], Deck);
    EXPECT_EQ(HomeBoard[9][9], Deck);
    EXPECT_EQ(CountCells(HomeBoard, Deck), 2);
}

TEST_F(Placing, ALongShipMustFitBeforeTheEdge)
{
    Press(210, 260);
    Release(280 + 20 * 5 + 10, 30 + 20 * 7 + 10);
    EXPECT_EQ(PlacedShipCount, 0) << "rows 7 to 10 leave the board";
    Press(210, 260);
    Release(280 + 20 * 5 + 10, 30 + 20 * 6 + 10);
    EXPECT_EQ(PlacedShipCount, 1);
    for (int row = 6; row <= 9; ++row)
        EXPECT_EQ(HomeBoard[5][row], Deck);
    EXPECT_TRUE(CellShows(CellPicture, false, 5, 5));
    EXPECT_TRUE(PictureShownAt(CellPicture, 280 + 20 * 4, 30 + 20 * 6, 20, 20));
    EXPECT_EQ(PlacementLeft, 0);
}

TEST_F(Placing, TouchingShipsAreRefusedAndSeparatedOnesAccepted)
{
    OfferSize(1);
    DropOfferedShip(false, 4, 4);
    DropOfferedShip(false, 5, 5);   // corner
    DropOfferedShip(false, 3, 4);   // side
    DropOfferedShip(false, 4, 4);   // the same cell
    EXPECT_EQ(PlacedShipCount, 1);
    DropOfferedShip(false, 6, 6);
    DropOfferedShip(false, 4, 2);
    EXPECT_EQ(PlacedShipCount, 3);
    EXPECT_EQ(PlacementLeft, 1);
}

TEST_F(Placing, ReleaseOverTheFrameCancelsAndTheShipIsStillOffered)
{
    Press(210, 260);
    ASSERT_EQ(PlacementDrag, Vertical);
    SendMessageW(MainWindow, WM_NCLBUTTONUP, HTCAPTION, 0);
    EXPECT_EQ(PlacementDrag, NoDrag);
    Release(290, 40);
    EXPECT_EQ(PlacedShipCount, 0);
    EXPECT_EQ(PlacementSize, 4);
    EXPECT_EQ(PlacementLeft, 1);
}

TEST_F(Placing, PressOnTheOtherPictureRestartsTheDrag)
{
    Press(210, 260);
    Press(250, 285);   // the first release went outside the window
    EXPECT_EQ(PlacementDrag, Horizontal);
    Release(290, 40);
    EXPECT_EQ(HomeBoard[3][0], Deck) << "dropped horizontally";
}

TEST_F(Placing, PanelStepsToTheNextSizeAtTheTick)
{
    DropOfferedShip(true, 0, 0);
    Press(210, 260);
    EXPECT_EQ(PlacementDrag, NoDrag) << "no ship is offered until the tick";
    Tick();
    EXPECT_EQ(PlacementSize, 3);
    EXPECT_EQ(ScenePixel(210, 320), 0xFFFFFFu) << "the fourth cell of the old picture is blanked";
    EXPECT_EQ(ScenePixel(310, 285), 0xFFFFFFu);
    Press(210, 305);
    EXPECT_EQ(PlacementDrag, Vertical);
    Release(290, 140);
    EXPECT_EQ(PlacedShipCount, 2);
}

TEST_F(Placing, ADragLeftOpenPastTheLastShipPlacesNothing)
{
    PlaceWholeFleet();
    ASSERT_EQ(GamePhase, Battle);
    PlacementDrag = Vertical;   // a press between the last drop and the tick, released outside
    Release(290 + 20 * 8, 30 + 20 * 8 + 10);
    EXPECT_EQ(PlacedShipCount, 10);
    EXPECT_EQ(CountCells(HomeBoard, Deck), 20);
    EXPECT_EQ(PlacementDrag, NoDrag);
}

TEST_F(Placing, NewGameStartsThePlacementAgain)
{
    DropOfferedShip(false, 0, 0);
    Tick();
    DropOfferedShip(false, 0, 2);
    Command(CMD_NEW_GAME);
    EXPECT_EQ(PlacedShipCount, 0);
    EXPECT_EQ(PlacementSize, 4);
    EXPECT_EQ(CountCells(HomeBoard, Deck), 0);
}

}  // namespace
