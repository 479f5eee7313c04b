// The player's fleet by drag and drop: where a drag starts, which cell a drop lands on, and
// how the panel shows the sizes; the drop rule itself is the model's.
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
void OfferSize(int size) { Game.PlacementSize = size, Game.PlacementLeft = 5 - size; }

TEST_F(Placing, DragStartsOnlyStrictlyInsideThePicturesAndAgainOnTheOther)
{
    enum { None, Down, Across };
    struct Case { int x, y, size, drag; };
    const Case presses[] = {
        {200, 260, 4, None},   {201, 260, 4, Down},   {219, 260, 4, Down},   {220, 260, 4, None},
        {210, 250, 4, None},   {210, 251, 4, Down},   {210, 329, 4, Down},   {210, 330, 4, None},
        {210, 269, 1, Down},   {210, 270, 1, None},   {240, 285, 4, None},   {241, 285, 4, Across},
        {319, 285, 4, Across}, {320, 285, 4, None},   {250, 275, 4, None},   {250, 276, 4, Across},
        {250, 294, 4, Across}, {250, 295, 4, None},   {259, 285, 1, Across}, {260, 285, 1, None},
    };
    for (const Case& p : presses) {
        OfferSize(p.size);
        Press(p.x, p.y);
        const int drag = !Dragging.PlacementDrag ? None : Dragging.orientation == Vertical ? Down : Across;
        EXPECT_EQ(drag, p.drag) << "press at (" << p.x << ", " << p.y << "), size " << p.size;
        SendMessageW(MainWindow, WM_NCLBUTTONUP, HTCAPTION, 0);
        EXPECT_FALSE(Dragging.PlacementDrag) << "a release over the frame cancels";
    }
    EXPECT_TRUE(answered.empty()) << "no drag error";
    OfferSize(4);
    Press(210, 260);
    Press(250, 285);   // the first release went outside the window
    Release(290, 40);
    EXPECT_EQ(Game.HomeBoard[3][0], Deck) << "a press on the other picture restarts the drag: dropped horizontally";
}

// The cell under the release takes the first deck; a release on the board's edge lines
// or off it drops nothing.
TEST_F(Placing, DropsLandOnTheCellUnderTheReleaseAndNowhereOffTheBoard)
{
    struct Drop { int x, y; bool placed; };
    const Drop drops[] = {{280, 100, false}, {480, 100, false}, {350, 30, false}, {350, 230, false}, {600, 100, false},
                          {281, 31, true}, {479, 229, true}};
    for (const Drop& d : drops) {
        OfferSize(1);
        const int before = Game.PlacedShipCount;
        Press(250, 285);
        Release(d.x, d.y);
        EXPECT_EQ(Game.PlacedShipCount - before, d.placed ? 1 : 0) << "drop at (" << d.x << ", " << d.y << ")";
        EXPECT_FALSE(Dragging.PlacementDrag);
    }
    EXPECT_TRUE(Game.HomeBoard[0][0] == Deck && Game.HomeBoard[9][9] == Deck);
    EXPECT_TRUE(CellShows(CellPicture, false, 4, 6)) << "only the ships' cells change";
}

TEST_F(Placing, PanelBlanksTheCellsTheSmallerShipNoLongerCoversAndADragLeftOpenPlacesNothing)
{
    DropOfferedShip(true, 0, 0);
    Press(210, 260);
    EXPECT_FALSE(Dragging.PlacementDrag) << "no ship is offered until the tick";
    Tick();
    EXPECT_EQ(ScenePixel(210, 320), 0xFFFFFFu) << "the fourth cell of the old picture is blanked";
    EXPECT_EQ(ScenePixel(310, 285), 0xFFFFFFu);
    Command(CMD_NEW_GAME);
    PlaceWholeFleet();
    Dragging.PlacementDrag = true;   // a press between the last drop and the tick, released outside
    Release(290 + 20 * 8, 30 + 20 * 8 + 10);
    EXPECT_TRUE(Game.GamePhase == Battle && Game.PlacedShipCount == 10 && !Dragging.PlacementDrag)
        << "a drag left open past the last ship places nothing";
}

}  // namespace
