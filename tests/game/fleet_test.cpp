// A new game: what it draws, what it resets, and the computer's fleet from the dice.
#include "game/view.h"
#include "tests/game/model_fixture.h"

namespace {

// Scripted dice: the listed draws first, then the standard generator.
std::vector<int> Script;
size_t ScriptUsed = 0;

int ScriptedDraw()
{
    return ScriptUsed < Script.size() ? Script[ScriptUsed++] : std::rand();
}

// Draws are column, row and direction (3: rightwards). The first fleet lays its 4-decker at
// (0, 5), then its first 3-decker points up off the field at every draw: a dead end that
// starts the fleet over on a cleared board, which the listed draws lay.
TEST_F(ModelTest, NewGameDrawsFieldsAndPanelResetsAllButTurnAndHuntAndLaysTheFleetByTheDrawsPastADeadEnd)
{
    Script = {0, 5, 3};
    ScriptUsed = 0;
    Script.resize(Script.size() + 3 * 10000, 0);
    const int starts[kFleetShips][2] = {{0, 0}, {5, 0}, {0, 2}, {4, 2}, {7, 2}, {0, 4}, {3, 4}, {5, 4}, {7, 4}, {9, 4}};
    for (const auto& start : starts)
        Script.insert(Script.end(), {start[0] + 10, start[1] + 20, 3 + 4});
    RandomDraw = ScriptedDraw;
    HomeBoard[2][2] = HomeHit;
    ComputerTurn = HuntActive = 1;
    TargetStack.count = 2;
    GamePhase = GameOver;
    NewGame();
    for (int r = 0; r < kFleetShips; ++r)   // the last ship takes the last draws
        EXPECT_TRUE(EnemyFleet[r].deckX[0] == starts[r][0] && EnemyFleet[r].deckY[0] == starts[r][1] &&
                    EnemyBoard[starts[r][0] + EnemyFleet[r].size - 1][starts[r][1]] == Deck) << "record " << r;
    ExpectLegalFleet();
    std::vector<Recorded> expected;
    for (int side : {EnemySide, HomeSide})
        for (int x = 0; x < 10; ++x)
            for (int y = 0; y < 10; ++y)
                expected.push_back({Recorded::Cell, CellPicture, side, x, y});
    expected.insert(expected.end(), {{Recorded::Picture, PlacementPanelPicture, 165, 240, 180, 100},
                                     {Recorded::Ship, VerticalShip, 3, 200, 250},
                                     {Recorded::Ship, HorizontalShip, 3, 240, 275}, {Recorded::Invalidate, true}});
    EXPECT_EQ(Recording, expected);
    EXPECT_TRUE(HomeBoard[2][2] == Water && EnemyDecksLeft + HomeDecksLeft == 40 && EnemyShipsLeft + HomeShipsLeft == 20);
    EXPECT_TRUE(PlacementSize == 4 && PlacementLeft == 1 && ComputerTurn == 1 && HuntActive == 1 && TargetStack.count == 2);
    EXPECT_EQ(GamePhase, GameOver) << "the caller sets the phase";
}

// Whole battles check the fleets and searches of many seconds.
TEST_F(ModelTest, WithinOneSecondTheFleetAndTheSearchRepeat)
{
    PlaceEnemyFleet();
    const ShipRecord first = EnemyFleet[0];
    PlaceEnemyFleet();
    EXPECT_TRUE(EnemyFleet[0].deckX[0] == first.deckX[0] && EnemyFleet[0].deckY[0] == first.deckY[0]);
    std::vector<Recorded> searches[2];
    for (std::vector<Recorded>& search : searches) {
        ClearBoards();
        Recording.clear();
        ComputerShot();
        search = Recording;
    }
    EXPECT_EQ(searches[0], searches[1]);
}

}  // namespace
