// The no-touch rule of both boards: the field's edges, overlaps, sides and corners.
#include "tests/game/model_fixture.h"

namespace {

enum { Up = 0, Down = 1, Left = 2, Right = 3 };

TEST_F(ModelTest, EnemyRuleRefusesEdgesOverlapSidesAndCornersButNotAGap)
{
    struct Case { int x, y, direction, size, refused; };
    const Case empty[] = {{0, 3, Up, 4, 0},   {0, 2, Up, 4, 1},    {9, 6, Down, 4, 0}, {9, 7, Down, 4, 1},
                          {3, 0, Left, 4, 0}, {2, 0, Left, 4, 1},  {6, 9, Right, 4, 0}, {7, 9, Right, 4, 1}};
    const Case beside55[] = {{5, 5, Right, 1, 1}, {3, 5, Right, 2, 1}, {6, 6, Right, 3, 1}, {4, 8, Up, 4, 1},
                             {4, 4, Up, 2, 1},    {7, 4, Down, 3, 0},  {5, 7, Down, 3, 0}};
    const PlaceStep steps[4] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
    for (const Case* cases : {empty, beside55}) {
        const int count = cases == empty ? 8 : 7;
        for (int i = 0; i < count; ++i) {
            const Case& c = cases[i];
            PlaceStep step{99, 99};
            EXPECT_EQ(CheckEnemyPlacement(c.x, c.y, c.direction, c.size, step), c.refused)
                << "(" << c.x << ", " << c.y << ") direction " << c.direction << " size " << c.size;
            EXPECT_TRUE(c.refused || (step.dx == steps[c.direction].dx && step.dy == steps[c.direction].dy));
        }
        EnemyBoard[5][5] = Deck;
    }
    EXPECT_EQ(CellAt(EnemyBoard, -1, 0), Water);
    EXPECT_EQ(CellAt(EnemyBoard, 100, -100), Water);
}

TEST_F(ModelTest, HomeRuleRunsDownAndRightOnTheHomeBoardOnly)
{
    PlaceStep step{0, 0};
    EXPECT_EQ(CheckHomePlacement(9, 6, Vertical, 4, step), 0);
    EXPECT_TRUE(step.dx == 0 && step.dy == 1);
    EXPECT_EQ(CheckHomePlacement(9, 7, Vertical, 4, step), 1);
    EXPECT_EQ(CheckHomePlacement(6, 9, Horizontal, 4, step), 0);
    EXPECT_TRUE(step.dx == 1 && step.dy == 0);
    EXPECT_EQ(CheckHomePlacement(7, 9, Horizontal, 4, step), 1);
    EXPECT_EQ(CheckHomePlacement(0, 0, NoDrag, 1, step), 1);
    HomeBoard[3][3] = Deck;
    EXPECT_EQ(CheckHomePlacement(4, 4, Horizontal, 1, step), 1);
    EXPECT_EQ(CheckHomePlacement(2, 4, Horizontal, 1, step), 1);
    EXPECT_EQ(CheckEnemyPlacement(3, 3, Right, 1, step), 0) << "the enemy rule reads the EnemyBoard only";
}

}  // namespace
