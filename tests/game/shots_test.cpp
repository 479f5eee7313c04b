#include "game/options.h"
#include "game/phase.h"
#include "game/shots.h"
#include "game/view.h"
#include "tests/game/model_fixture.h"

namespace {

// A battle on the player's turn against a fleet laid by hand.
class PlayerShot : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        LayEnemyShip(0, {0, 0, 1, true});
        LayEnemyShip(1, {5, 2, 3, true});    // (5, 2) (5, 3) (5, 4)
        LayEnemyShip(2, {9, 9, 1, false});
        EnemyDecksLeft = 5;
        EnemyShipsLeft = 3;
        GamePhase = Battle;
    }
    void Fire(int x, int y) { FireAtEnemy(EnemyPixelX(x), EnemyPixelY(y)); }
};

TEST_F(PlayerShot, OnlyPressesStrictlyInsideTheBoardFire)
{
    struct Press { unsigned px, py; bool fires; };
    const Press presses[] = {
        {30, 100, false}, {230, 100, false}, {100, 30, false}, {100, 230, false},
        {31, 229, true}, {229, 31, true}, {0, 0, false}, {65535, 65535, false}, {300, 100, false},
    };
    for (const Press& p : presses) {
        Recording.clear();
        ComputerTurn = 0;
        FireAtEnemy(p.px, p.py);
        EXPECT_EQ(!Recording.empty(), p.fires) << p.px << ", " << p.py;
    }
    EXPECT_EQ(EnemyBoard[0][9], EnemyMiss) << "(31, 229) is cell (0, 9)";
    EXPECT_EQ(EnemyBoard[9][0], EnemyMiss) << "(229, 31) is cell (9, 0)";
}

TEST_F(PlayerShot, NothingFiresOutOfTurnOrOutsideTheBattle)
{
    const int phases[] = {NoGame, Placement, GameOver};
    for (int phase : phases) {
        GamePhase = phase;
        Fire(3, 3);
    }
    GamePhase = Battle;
    ComputerTurn = 1;
    Fire(3, 3);
    EXPECT_TRUE(Recording.empty());
    EXPECT_EQ(EnemyBoard[3][3], Water);
    EXPECT_EQ(ShotSoundPending, 0);
}

TEST_F(PlayerShot, MissDrawsWaterAndPassesTheTurn)
{
    Fire(3, 3);
    EXPECT_EQ(EnemyBoard[3][3], EnemyMiss);
    EXPECT_EQ(ComputerTurn, 1);
    EXPECT_EQ(ShotSoundPending, 1);
    const std::vector<Recorded> expected = {CellDrawn(MissPicture, EnemySide, 3, 3), StatusShown(MissMessage),
                                            Invalidated(true)};
    EXPECT_EQ(Recording, expected);
}

TEST_F(PlayerShot, HitKeepsTheTurnAndLowersTheDecks)
{
    Fire(5, 3);
    EXPECT_EQ(EnemyBoard[5][3], EnemyHit);
    EXPECT_EQ(EnemyDecksLeft, 4);
    EXPECT_EQ(EnemyShipsLeft, 3);
    EXPECT_EQ(EnemyFleet[1].decksLeft, 2);
    EXPECT_EQ(ComputerTurn, 0);
    EXPECT_EQ(ShotSoundPending, 1);
    const std::vector<Recorded> expected = {CellDrawn(HitPicture, EnemySide, 5, 3), StatusShown(HitMessage),
                                            CountersDrawn(), Invalidated(true)};
    EXPECT_EQ(Recording, expected);
}

TEST_F(PlayerShot, SinkingMarksTheDecksInDeckOrder)
{
    Fire(5, 4);
    Fire(5, 2);
    Recording.clear();
    Fire(5, 3);
    EXPECT_EQ(EnemyFleet[1].decksLeft, -1);
    EXPECT_EQ(EnemyShipsLeft, 2);
    const std::vector<Recorded> expected = {
        CellDrawn(HitPicture, EnemySide, 5, 3), CellDrawn(SunkPicture, EnemySide, 5, 2),
        CellDrawn(SunkPicture, EnemySide, 5, 3), CellDrawn(SunkPicture, EnemySide, 5, 4),
        StatusShown(SunkMessage), CountersDrawn(), Invalidated(true)};
    EXPECT_EQ(Recording, expected);
    for (int y = 2; y <= 4; ++y)
        EXPECT_EQ(EnemyBoard[5][y], Sunk);
    EXPECT_EQ(CountCells(EnemyBoard, DeadZone), 0) << "no dead zone unless asked";
}

TEST_F(PlayerShot, WithoutMarkingASunkShipKeepsItsHits)
{
    MarkDeadShips = false;
    Fire(0, 0);
    EXPECT_EQ(EnemyBoard[0][0], EnemyHit);
    EXPECT_EQ(EnemyShipsLeft, 2);
    EXPECT_EQ(RecordedOf(Recorded::Status), std::vector<Recorded>{StatusShown(SunkMessage)});
    EXPECT_EQ(RecordedOf(Recorded::Cell).size(), 1u);
}

TEST_F(PlayerShot, DeadZoneInTheCornerMarksOnlyTheWaterInside)
{
    MarkDeadZone = true;
    EnemyBoard[0][1] = EnemyMiss;
    Fire(0, 0);
    const std::vector<Recorded> expected = {CellDrawn(HitPicture, EnemySide, 0, 0),
                                            CellDrawn(SunkPicture, EnemySide, 0, 0),
                                            CellDrawn(DeadZonePicture, EnemySide, 1, 1),
                                            CellDrawn(DeadZonePicture, EnemySide, 1, 0)};
    EXPECT_EQ(RecordedOf(Recorded::Cell), expected);
    EXPECT_EQ(EnemyBoard[0][1], EnemyMiss);
    EXPECT_EQ(CountCells(EnemyBoard, DeadZone), 2);
}

TEST_F(PlayerShot, DeadZoneWithoutSunkMarksLeavesTheHits)
{
    MarkDeadShips = false;
    MarkDeadZone = true;
    Fire(9, 9);
    EXPECT_EQ(EnemyBoard[9][9], EnemyHit);
    EXPECT_EQ(EnemyBoard[8][8], DeadZone);
    EXPECT_EQ(EnemyBoard[8][9], DeadZone);
    EXPECT_EQ(EnemyBoard[9][8], DeadZone);
    for (int i = 0; i < kBoardSize; ++i) {
        EXPECT_EQ(EnemyBoard[10][i], Water) << "guard column";
        EXPECT_EQ(EnemyBoard[i][10], Water) << "guard row";
    }
}

TEST_F(PlayerShot, FiringAtADeadZoneIsAnOrdinaryMiss)
{
    EnemyBoard[2][2] = DeadZone;
    Fire(2, 2);
    EXPECT_EQ(EnemyBoard[2][2], EnemyMiss);
    EXPECT_EQ(ComputerTurn, 1);
    EXPECT_EQ(RecordedOf(Recorded::Cell), std::vector<Recorded>{CellDrawn(MissPicture, EnemySide, 2, 2)});
    EXPECT_EQ(RecordedOf(Recorded::Status), std::vector<Recorded>{StatusShown(MissMessage)});
}

TEST_F(PlayerShot, ShotCellsTakeNoSecondShot)
{
    EnemyBoard[1][1] = EnemyMiss;
    EnemyBoard[2][1] = EnemyHit;
    EnemyBoard[3][1] = Sunk;
    for (int x = 1; x <= 3; ++x) {
        Fire(x, 1);
        EXPECT_EQ(ComputerTurn, 0);
    }
    EXPECT_EQ(EnemyDecksLeft, 5);
    EXPECT_EQ(ShotSoundPending, 0);
    const std::vector<Recorded> expected(3, Invalidated(true));
    EXPECT_EQ(Recording, expected);
}

TEST_F(PlayerShot, EachSinkingCountsOnceAndTheLastEmptiesBothCounters)
{
    const int cells[][2] = {{0, 0}, {5, 2}, {5, 3}, {5, 4}, {5, 3}, {9, 9}, {9, 9}};
    const int shipsAfter[] = {2, 2, 2, 1, 1, 0, 0};
    for (int i = 0; i < 7; ++i) {
        Fire(cells[i][0], cells[i][1]);
        EXPECT_EQ(EnemyShipsLeft, shipsAfter[i]) << "after shot " << i;
    }
    EXPECT_EQ(EnemyDecksLeft, 0);
    EXPECT_EQ(EnemyShipsLeft, 0);
    EXPECT_EQ(RecordedOf(Recorded::Status).size(), 5u) << "repeat shots show nothing";
}

}  // namespace
