// A new game: what it resets and what it keeps, and the computer's fleet out of a dead end.
#include "tests/game/model_fixture.h"

namespace {

TEST_F(ModelTest, NewGameResetsAllButTurnAndHunt)
{
    Game.HomeBoard[2][2] = HomeHit;
    Game.OpponentTurn = Game.HuntActive = true;
    Game.TargetStack.count = 2;
    Game.PlacedShipCount = 3;
    Game.LastShot[EnemySide] = Game.LastShot[HomeSide] = {4, 4};
    Game.GamePhase = GameOver;
    NewGame(Game);
    EXPECT_EQ(Recording, std::vector<Recorded>{{Recorded::Begun}});
    const GameState& g = Game;
    EXPECT_EQ((std::vector<int>{g.HomeBoard[2][2], g.EnemyDecksLeft, g.HomeDecksLeft, g.EnemyShipsLeft, g.HomeShipsLeft, g.PlacementSize,
                                g.PlacementLeft, g.PlacedShipCount, g.GamePhase, g.LastShot[0].x, g.LastShot[1].x, g.OpponentTurn, g.HuntActive, g.TargetStack.count}),
              (std::vector<int>{Water, 20, 20, 10, 10, 4, 1, 0, Placement, -1, -1, true, true, 2}));
}

// Dice that give 5 until the fleet starts over on a cleared board: the ship of 4 goes from
// (5, 5), where every ship of 3 would begin too, a dead end. Past a bound the game's own
// generator anyway, so that a fleet which never starts over fails rather than hangs.
int CorneredDraws = 0;
int CorneredDraw()
{
    if (CorneredDraws > 3 && (CorneredDraws > 1000000 || CountCells(Game.EnemyBoard, Deck) == 0))
        Game.Dice.draw = nullptr;
    ++CorneredDraws;
    return 5;
}

TEST_F(ModelTest, ADeadEndStartsTheFleetOverOnAClearedBoard)
{
    Game.Dice = {Game.Dice.calendarSeconds, CorneredDraw};
    PlaceEnemyFleet(Game);
    EXPECT_EQ(Game.Dice.draw, nullptr) << "the fleet never started over";
    EXPECT_EQ(CountCells(Game.EnemyBoard, Deck), kFleetDecks);
}

// The two sides of a network game share a process: one's draws never move the other's.
TEST_F(ModelTest, EachGameRollsItsOwnDice)
{
    GameState other;
    other.Dice = Game.Dice;
    SeedFromClock(Game);
    SeedFromClock(other);
    std::vector<int> alone, interleaved;
    for (int draw = 0; draw < 20; ++draw)
        alone.push_back(RandomDraw(Game));
    SeedFromClock(Game);
    for (int draw = 0; draw < 20; ++draw) {
        RandomDraw(other);
        interleaved.push_back(RandomDraw(Game));
    }
    EXPECT_EQ(alone, interleaved);
}

}  // namespace
