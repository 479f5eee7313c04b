// The player's shot at the computer's board: what it marks, draws, says and counts.
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
        LayEnemyShip(1, {5, 2, 3, true});   // (5, 2) (5, 3) (5, 4)
        LayEnemyShip(2, {9, 9, 1, false});
        EnemyDecksLeft = 5;
        EnemyShipsLeft = 3;
        GamePhase = Battle;
    }
    void Fire(int x, int y) { FireAtEnemy(EnemyPixelX(x), EnemyPixelY(y)); }
};

TEST_F(PlayerShot, OnlyPressesStrictlyInsideTheBoardOnTheTurnInTheBattleFire)
{
    struct Press { unsigned px, py; bool fires; };
    const Press presses[] = {{30, 100, false}, {230, 100, false}, {100, 30, false}, {100, 230, false},
                             {31, 229, true},  {229, 31, true},   {65535, 65535, false}, {300, 100, false}};
    for (const Press& p : presses) {
        Recording.clear();
        ComputerTurn = 0;
        FireAtEnemy(p.px, p.py);
        EXPECT_EQ(!Recording.empty(), p.fires) << p.px << ", " << p.py;
    }
    EXPECT_TRUE(EnemyBoard[0][9] == EnemyMiss && EnemyBoard[9][0] == EnemyMiss);
    Recording.clear();
    for (int phase : {NoGame, Placement, GameOver, Battle}) {
        GamePhase = phase;
        ComputerTurn = phase == Battle;
        Fire(3, 3);
    }
    EXPECT_TRUE(Recording.empty() && EnemyBoard[3][3] == Water);
}

TEST_F(PlayerShot, HitKeepsTheTurnAndAMissOrADeadZonePassesIt)
{
    Fire(5, 3);
    EXPECT_TRUE(EnemyFleet[1].decksLeft == 2 && ComputerTurn == 0 && ShotSoundPending == 1);
    std::vector<Recorded> expected = {CellDrawn(HitPicture, EnemySide, 5, 3), StatusShown(HitMessage),
                                      CountersDrawn(), Invalidated(true)};
    EXPECT_EQ(Recording, expected);
    Recording.clear();
    EnemyBoard[2][2] = DeadZone;
    Fire(2, 2);
    EXPECT_TRUE(EnemyBoard[2][2] == EnemyMiss && ComputerTurn == 1);
    expected = {CellDrawn(MissPicture, EnemySide, 2, 2), StatusShown(MissMessage), Invalidated(true)};
    EXPECT_EQ(Recording, expected);
}

TEST_F(PlayerShot, SinkingMarksTheDecksInDeckOrderAndTheDeadZoneInsideTheField)
{
    Fire(5, 4);
    Fire(5, 2);
    Recording.clear();
    Fire(5, 3);
    std::vector<Recorded> expected = {
        CellDrawn(HitPicture, EnemySide, 5, 3), CellDrawn(SunkPicture, EnemySide, 5, 2),
        CellDrawn(SunkPicture, EnemySide, 5, 3), CellDrawn(SunkPicture, EnemySide, 5, 4),
        StatusShown(SunkMessage), CountersDrawn(), Invalidated(true)};
    EXPECT_EQ(Recording, expected);
    EXPECT_EQ(CountCells(EnemyBoard, DeadZone), 0) << "no dead zone unless asked";
    MarkDeadZone = true;
    EnemyBoard[0][1] = EnemyMiss;
    Recording.clear();
    Fire(0, 0);
    expected = {CellDrawn(HitPicture, EnemySide, 0, 0), CellDrawn(SunkPicture, EnemySide, 0, 0),
                CellDrawn(DeadZonePicture, EnemySide, 1, 1), CellDrawn(DeadZonePicture, EnemySide, 1, 0)};
    EXPECT_EQ(RecordedOf(Recorded::Cell), expected);
    MarkDeadShips = false;
    Fire(9, 9);
    EXPECT_EQ(EnemyBoard[9][9], EnemyHit) << "without sunk marks the hit stays";
    EXPECT_EQ(CountCells(EnemyBoard, DeadZone), 5);
}

TEST_F(PlayerShot, ShotCellsTakeNoSecondShotAndEachSinkingCountsOnce)
{
    const int cells[][2] = {{0, 0}, {0, 0}, {5, 2}, {5, 3}, {5, 4}, {5, 3}, {9, 9}, {9, 9}};
    const int shipsAfter[] = {2, 2, 2, 2, 1, 1, 0, 0};
    for (int i = 0; i < 8; ++i) {
        ShotSoundPending = 0;
        Fire(cells[i][0], cells[i][1]);
        EXPECT_TRUE(EnemyShipsLeft == shipsAfter[i] && ComputerTurn == 0) << "after shot " << i;
    }
    EXPECT_EQ(EnemyDecksLeft, 0);
    EXPECT_EQ(ShotSoundPending, 0) << "a repeat shot sounds nothing";
    EXPECT_EQ(RecordedOf(Recorded::Status).size(), 5u) << "repeat shots show nothing";
}

}  // namespace
