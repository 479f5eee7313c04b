// A new game: what it resets and what it keeps.
#include "tests/game/model_fixture.h"

namespace {

TEST_F(ModelTest, NewGameResetsAllButTurnAndHunt)
{
    Game.HomeBoard[2][2] = HomeHit;
    Game.ComputerTurn = Game.HuntActive = true;
    Game.TargetStack.count = 2;
    Game.PlacedShipCount = 3;
    Game.LastShot[EnemySide] = Game.LastShot[HomeSide] = {4, 4};
    Game.GamePhase = GameOver;
    NewGame(Game);
    EXPECT_EQ(Recording, std::vector<Recorded>{{Recorded::Begun}});
    const GameState& g = Game;
    EXPECT_EQ((std::vector<int>{g.HomeBoard[2][2], g.EnemyDecksLeft, g.HomeDecksLeft, g.EnemyShipsLeft, g.HomeShipsLeft, g.PlacementSize,
                                g.PlacementLeft, g.PlacedShipCount, g.GamePhase, g.LastShot[0].x, g.LastShot[1].x, g.ComputerTurn, g.HuntActive, g.TargetStack.count}),
              (std::vector<int>{Water, 20, 20, 10, 10, 4, 1, 0, Placement, -1, -1, true, true, 2}));
}

}  // namespace
