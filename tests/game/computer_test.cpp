#include "game/computer.h"
#include "game/options.h"
#include "game/phase.h"
#include "game/view.h"
#include "tests/game/model_fixture.h"

namespace {

// A battle on the computer's turn.
class ComputerTargeting : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        GamePhase = Battle;
        ComputerTurn = 1;
        HomeDecksLeft = 20;
        HomeShipsLeft = 10;
    }
    // Makes the next shot go to (x, y) through the hunt.
    static void AimAt(int x, int y)
    {
        HuntActive = 1;
        TargetStack.count = 1;
        TargetStack.entries[0] = {x, y};
    }
};

TEST_F(ComputerTargeting, HitInTheCornerHuntsItsSideNeighboursLastPushedFirst)
{
    SkillLevel = 1;
    LayHomeShip({0, 0, 2, false});
    AimAt(0, 0);
    ComputerShot();
    ASSERT_EQ(TargetStack.count, 2);
    EXPECT_EQ(TargetStack.entries[0].x, 0);
    EXPECT_EQ(TargetStack.entries[0].y, 1);
    EXPECT_EQ(TargetStack.entries[1].x, 1);
    EXPECT_EQ(TargetStack.entries[1].y, 0);
    EXPECT_EQ(HuntActive, 1);
    EXPECT_EQ(HomeBoard[1][1], Water) << "level 1 rules nothing out";

    Recording.clear();
    ComputerShot();
    EXPECT_EQ(HomeBoard[1][0], Sunk);
    EXPECT_EQ(HomeBoard[0][0], Sunk);
    EXPECT_EQ(HomeShipsLeft, 9);
    EXPECT_EQ(HomeDecksLeft, 18);
    EXPECT_EQ(HuntActive, 0);
    EXPECT_EQ(ComputerTurn, 1) << "a hit fires again";
    const std::vector<Recorded> expected = {
        Paused(), CellDrawn(HitPicture, HomeSide, 1, 0), CellDrawn(SunkPicture, HomeSide, 1, 0),
        CellDrawn(SunkPicture, HomeSide, 0, 0), CountersDrawn(), Invalidated(true)};
    EXPECT_EQ(Recording, expected);
}

TEST_F(ComputerTargeting, StackOffersLeftRightUpDownOfTheLatestHit)
{
    SkillLevel = 1;
    LayHomeShip({4, 4, 3, true});
    HomeBoard[4][5] = HomeHit;
    HomeBoard[3][4] = HomeMiss;
    RebuildTargetStack(4, 4);
    ASSERT_EQ(TargetStack.count, 2);   // (4, 5) is hit, (3, 4) was missed
    EXPECT_EQ(TargetStack.entries[0].y, 3);
    EXPECT_EQ(TargetStack.entries[1].x, 5);

    HomeBoard[4][3] = RuledOut;
    HomeBoard[5][4] = HomeMiss;
    HuntActive = 1;
    RebuildTargetStack(4, 4);
    EXPECT_EQ(TargetStack.count, 0);
    EXPECT_EQ(HuntActive, 0) << "nothing left to hunt";
}

TEST_F(ComputerTargeting, LevelsRuleOutDiagonalsAndSides)
{
    struct Case { int level; int ruledOut; };
    for (Case c : {Case{1, 0}, Case{2, 4}, Case{3, 7}}) {
        SetUp();
        SkillLevel = static_cast<uint8_t>(c.level);
        LayHomeShip({5, 5, 2, true});
        AimAt(5, 5);
        ComputerShot();
        EXPECT_EQ(CountCells(HomeBoard, RuledOut), c.ruledOut) << "level " << c.level;
        EXPECT_EQ(HomeBoard[5][6], Deck);
        if (c.level == 3) {
            ASSERT_EQ(TargetStack.count, 1);
            EXPECT_EQ(TargetStack.entries[0].y, 6) << "only the hidden deck is left to try";
        }
    }
}

TEST_F(ComputerTargeting, OnlyTheLowByteOfTheLevelCounts)
{
    SkillLevel = 7;   // a hand-edited store: above 1, not 3
    LayHomeShip({5, 5, 2, true});
    AimAt(5, 5);
    ComputerShot();
    EXPECT_EQ(CountCells(HomeBoard, RuledOut), 4);
}

TEST_F(ComputerTargeting, SinkingAOneDeckerAtLevelThreeClosesEverythingAround)
{
    SkillLevel = 3;
    LayHomeShip({3, 3, 1, true});
    AimAt(3, 3);
    ComputerShot();
    EXPECT_EQ(HomeBoard[3][3], Sunk);
    EXPECT_EQ(CountCells(HomeBoard, RuledOut), 8);
    EXPECT_EQ(HuntActive, 0);
    EXPECT_EQ(TargetStack.count, 0);
}

TEST_F(ComputerTargeting, AfterASinkingTheStackIsNotConsulted)
{
    SkillLevel = 1;
    LayHomeShip({5, 5, 1, true});
    AimAt(5, 5);
    ComputerShot();
    ASSERT_EQ(HuntActive, 0);
    ASSERT_EQ(TargetStack.count, 4);
    ComputerShot();   // nothing left afloat: a random miss
    EXPECT_EQ(TargetStack.count, 4) << "nothing was popped";
    EXPECT_EQ(CountCells(HomeBoard, HomeMiss), 1);
    EXPECT_EQ(ComputerTurn, 0);
}

TEST_F(ComputerTargeting, SearchWithNothingToFireAtChangesNothing)
{
    for (int x = 0; x < 10; ++x)
        for (int y = 0; y < 10; ++y)
            HomeBoard[x][y] = (x + y) % 2 ? HomeMiss : RuledOut;
    EXPECT_EQ(ComputerShot(), 1);
    EXPECT_EQ(Recording, std::vector<Recorded>{Paused()});
    EXPECT_EQ(ComputerTurn, 1);
    EXPECT_EQ(CountCells(HomeBoard, HomeMiss), 50);
}

TEST_F(ComputerTargeting, SearchesWithinOneSecondDrawTheSameCells)
{
    ComputerShot();
    ASSERT_EQ(CountCells(HomeBoard, HomeMiss), 1);
    const std::vector<Recorded> first = RecordedOf(Recorded::Cell);
    ClearBoards();
    Recording.clear();
    ComputerTurn = 1;
    ComputerShot();
    EXPECT_EQ(RecordedOf(Recorded::Cell), first);
    ComputerTurn = 1;
    ComputerShot();
    EXPECT_EQ(CountCells(HomeBoard, HomeMiss), 2) << "a shot cell is passed over";
}

TEST_F(ComputerTargeting, UnmarkedSunkShipKeepsItsHitsButCounts)
{
    MarkDeadShips = false;
    LayHomeShip({0, 9, 1, true});
    AimAt(0, 9);
    ComputerShot();
    EXPECT_EQ(HomeBoard[0][9], HomeHit);
    EXPECT_EQ(HomeShipsLeft, 9);
    EXPECT_EQ(HuntActive, 0);
    EXPECT_EQ(RecordedOf(Recorded::Cell), std::vector<Recorded>{CellDrawn(HitPicture, HomeSide, 0, 9)});
}

TEST_F(ComputerTargeting, SinkingIsSeenAlongTheShipFromAnyDeck)
{
    LayHomeShip({2, 6, 4, false});   // (2, 6) .. (5, 6)
    HomeBoard[2][6] = HomeHit;
    HomeBoard[4][6] = HomeHit;
    HomeBoard[5][6] = HomeHit;
    EXPECT_EQ(IsHomeShipSunk(4, 6), 0) << "(3, 6) is still afloat";
    HomeBoard[3][6] = HomeHit;
    HomeBoard[6][6] = RuledOut;
    HomeBoard[2][5] = HomeMiss;
    EXPECT_EQ(IsHomeShipSunk(5, 6), 1);
    EXPECT_EQ(IsHomeShipSunk(2, 6), 1);

    MarkHomeShipSunk(3, 6);
    for (int x = 2; x <= 5; ++x)
        EXPECT_EQ(HomeBoard[x][6], Sunk);
    const std::vector<Recorded> expected = {
        CellDrawn(SunkPicture, HomeSide, 3, 6), CellDrawn(SunkPicture, HomeSide, 4, 6),
        CellDrawn(SunkPicture, HomeSide, 5, 6), CellDrawn(SunkPicture, HomeSide, 2, 6)};
    EXPECT_EQ(Recording, expected);
}

}  // namespace
