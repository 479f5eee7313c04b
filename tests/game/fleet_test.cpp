// A new game: what it resets, and the computer's fleet from the dice.
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
TEST_F(ModelTest, NewGameResetsAllButTurnAndHuntAndLaysTheFleetByTheDrawsPastADeadEnd)
{
    Script = {0, 5, 3};
    ScriptUsed = 0;
    Script.resize(Script.size() + 3 * 10000, 0);
    const int starts[kFleetShips][2] = {{0, 0}, {5, 0}, {0, 2}, {4, 2}, {7, 2}, {0, 4}, {3, 4}, {5, 4}, {7, 4}, {9, 4}};
    for (const auto& start : starts)
        Script.insert(Script.end(), {start[0] + 10, start[1] + 20, 3 + 4});
    RandomDraw = ScriptedDraw;
    Game.HomeBoard[2][2] = HomeHit;
    Game.ComputerTurn = Game.HuntActive = true;
    Game.TargetStack.count = 2;
    Game.PlacedShipCount = 3;
    Game.GamePhase = GameOver;
    NewGame();
    for (int r = 0; r < kFleetShips; ++r)   // the last ship takes the last draws
        EXPECT_TRUE(Game.EnemyFleet[r].deckX[0] == starts[r][0] && Game.EnemyFleet[r].deckY[0] == starts[r][1] &&
                    Game.EnemyBoard[starts[r][0] + Game.EnemyFleet[r].size - 1][starts[r][1]] == Deck) << "record " << r;
    ExpectLegalFleet();
    EXPECT_EQ(Recording, std::vector<Recorded>{{Recorded::Begun}});
    const GameState& g = Game;
    EXPECT_TRUE(g.HomeBoard[2][2] == Water && g.EnemyDecksLeft + g.HomeDecksLeft == 40 && g.EnemyShipsLeft + g.HomeShipsLeft == 20);
    EXPECT_TRUE(g.PlacementSize == 4 && g.PlacementLeft == 1 && g.PlacedShipCount == 0 && g.GamePhase == Placement);
    EXPECT_TRUE(g.ComputerTurn && g.HuntActive && g.TargetStack.count == 2);
}

// Whole battles check the fleets and searches of many seconds.
TEST_F(ModelTest, WithinOneSecondTheFleetAndTheSearchRepeat)
{
    PlaceEnemyFleet();
    const ShipRecord first = Game.EnemyFleet[0];
    PlaceEnemyFleet();
    EXPECT_TRUE(Game.EnemyFleet[0].deckX[0] == first.deckX[0] && Game.EnemyFleet[0].deckY[0] == first.deckY[0]);
    std::vector<Recorded> searches[2];
    for (std::vector<Recorded>& search : searches) {
        ResetGame();
        Recording.clear();
        ComputerShot();
        search = Recording;
    }
    EXPECT_EQ(searches[0], searches[1]);
}

}  // namespace
