#include "game/board.h"
#include "tests/game/model_fixture.h"

namespace {

class NoTouchRule : public ModelTest {};

enum { Up = 0, Down = 1, Left = 2, Right = 3 };

int Enemy(int x, int y, int direction, int size)
{
    PlaceStep step{99, 99};
    return CheckEnemyPlacement(x, y, direction, size, step);
}

TEST_F(NoTouchRule, ShipsAlongTheEdgesFitOnAnEmptyBoard)
{
    struct Case { int x, y, direction, size, refused; };
    const Case cases[] = {
        {0, 3, Up, 4, 0},    {0, 2, Up, 4, 1},
        {9, 6, Down, 4, 0},  {9, 7, Down, 4, 1},
        {3, 0, Left, 4, 0},  {2, 0, Left, 4, 1},
        {6, 9, Right, 4, 0}, {7, 9, Right, 4, 1},
        {0, 0, Right, 4, 0}, {0, 0, Down, 4, 0}, {9, 9, Up, 1, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Enemy(c.x, c.y, c.direction, c.size), c.refused)
            << "(" << c.x << ", " << c.y << ") direction " << c.direction;
}

TEST_F(NoTouchRule, AcceptedShipYieldsTheStepOfItsDirection)
{
    const PlaceStep expected[4] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
    for (int direction = 0; direction < 4; ++direction) {
        PlaceStep step{0, 0};
        ASSERT_EQ(CheckEnemyPlacement(5, 5, direction, 2, step), 0);
        EXPECT_EQ(step.dx, expected[direction].dx);
        EXPECT_EQ(step.dy, expected[direction].dy);
    }
}

TEST_F(NoTouchRule, RefusesOverlapSidesAndCornersButNotAGap)
{
    EnemyBoard[5][5] = Deck;
    EXPECT_EQ(Enemy(5, 5, Right, 1), 1);   // on the deck
    EXPECT_EQ(Enemy(3, 5, Right, 2), 1);   // end cell beside it
    EXPECT_EQ(Enemy(6, 6, Right, 3), 1);   // corner touch at the start
    EXPECT_EQ(Enemy(4, 8, Up, 4), 1);      // its last cell (4, 5) lies beside the deck
    EXPECT_EQ(Enemy(7, 4, Down, 3), 0);    // one column of water between
    EXPECT_EQ(Enemy(5, 7, Down, 3), 0);    // one row of water between
}

TEST_F(NoTouchRule, CornerTouchOnlyIsRefused)
{
    EnemyBoard[4][4] = Deck;
    EXPECT_EQ(Enemy(5, 5, Right, 2), 1);
    EXPECT_EQ(Enemy(3, 3, Up, 2), 1);
    EXPECT_EQ(Enemy(5, 3, Up, 3), 1);
    EXPECT_EQ(Enemy(3, 5, Down, 1), 1);
}

TEST_F(NoTouchRule, GuardRowAndColumnReadAsWater)
{
    EXPECT_EQ(CellAt(EnemyBoard, -1, 0), Water);
    EXPECT_EQ(CellAt(EnemyBoard, 0, -1), Water);
    EXPECT_EQ(CellAt(EnemyBoard, 10, 10), Water);
    EXPECT_EQ(CellAt(EnemyBoard, 100, -100), Water);
    EnemyBoard[0][1] = Deck;
    EXPECT_EQ(Enemy(0, 3, Down, 2), 0);   // judged by the field only
    EXPECT_EQ(Enemy(1, 3, Up, 2), 1);     // (1, 2) touches (0, 1) at a corner
}

TEST_F(NoTouchRule, HomeTwinRunsVerticalDownAndHorizontalRight)
{
    PlaceStep step{0, 0};
    EXPECT_EQ(CheckHomePlacement(9, 6, Vertical, 4, step), 0);
    EXPECT_EQ(step.dx, 0);
    EXPECT_EQ(step.dy, 1);
    EXPECT_EQ(CheckHomePlacement(9, 7, Vertical, 4, step), 1);
    EXPECT_EQ(CheckHomePlacement(6, 9, Horizontal, 4, step), 0);
    EXPECT_EQ(step.dx, 1);
    EXPECT_EQ(step.dy, 0);
    EXPECT_EQ(CheckHomePlacement(7, 9, Horizontal, 4, step), 1);
    EXPECT_EQ(CheckHomePlacement(0, 0, NoDrag, 1, step), 1);

    HomeBoard[3][3] = Deck;
    EXPECT_EQ(CheckHomePlacement(4, 4, Horizontal, 1, step), 1);
    EXPECT_EQ(CheckHomePlacement(2, 4, Horizontal, 1, step), 1);
    EXPECT_EQ(CheckHomePlacement(5, 0, Vertical, 4, step), 0);
    EXPECT_EQ(EnemyBoard[3][3], Water) << "the home check reads the HomeBoard only";
    EXPECT_EQ(Enemy(3, 3, Right, 1), 0);
}

}  // namespace
