#include "game/computer.h"

#include <cstdlib>

#include "game/board.h"
#include "game/options.h"
#include "game/phase.h"
#include "game/random.h"
#include "game/view.h"

TargetList TargetStack;
int32_t HuntActive = 0;

// Down, up, right, left: the order in which a ship's line is walked from a hit.
static const int kLine[4][2] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}};

static bool ChooseTarget(int& x, int& y)
{
    if (HuntActive && TargetStack.count > 0) {
        TargetStack.count -= 1;
        x = TargetStack.entries[TargetStack.count].x;
        y = TargetStack.entries[TargetStack.count].y;
        return true;
    }
    for (int attempt = 0; attempt < kRandomSearchAttempts; ++attempt) {
        x = (RandomDraw() % 90) % kFieldSize;
        y = (RandomDraw() % 90) % kFieldSize;
        if (HomeBoard[x][y] == Deck || HomeBoard[x][y] == Water)
            return true;
    }
    return false;
}

static void RuleOut(int x, int y)
{
    if (InField(x, y) && HomeBoard[x][y] == Water)
        HomeBoard[x][y] = RuledOut;
}

// Under the no-touch rule a diagonal neighbour of a deck is always water; the best
// level also rules out the side neighbours that hide no deck.
static void RuleOutAroundHit(int x, int y)
{
    if (SkillLevel > 1) {
        RuleOut(x + 1, y + 1);
        RuleOut(x - 1, y - 1);
        RuleOut(x + 1, y - 1);
        RuleOut(x - 1, y + 1);
    }
    if (SkillLevel == 3) {
        RuleOut(x + 1, y);
        RuleOut(x - 1, y);
        RuleOut(x, y + 1);
        RuleOut(x, y - 1);
    }
}

static void HitHomeDeck(int x, int y)
{
    DrawCellPicture(HitPicture, HomeSide, x, y);
    HomeBoard[x][y] = HomeHit;
    HuntActive = 1;
    HomeDecksLeft -= 1;
    if (IsHomeShipSunk(x, y)) {
        HomeShipsLeft -= 1;
        if (MarkDeadShips)
            MarkHomeShipSunk(x, y);
        HuntActive = 0;
    }
    DrawCounters();
    RuleOutAroundHit(x, y);
    RebuildTargetStack(x, y);
}

int ComputerShot()
{
    PauseBeforeComputerShot();
    SeedFromClock();
    int x, y;
    if (!ChooseTarget(x, y))
        return 1;
    if (HomeBoard[x][y] == Deck)
        HitHomeDeck(x, y);
    if (HomeBoard[x][y] == Water) {
        DrawCellPicture(MissPicture, HomeSide, x, y);
        HomeBoard[x][y] = HomeMiss;
        ComputerTurn = 0;
    }
    InvalidateMainWindow(true);
    return 0;
}

static bool EndsShipLine(int32_t cell)
{
    return cell == Water || cell == HomeMiss || cell == RuledOut;
}

// Four cells each way reach every deck of a ship; the no-touch rule keeps others away.
int IsHomeShipSunk(int x, int y)
{
    for (const auto& dir : kLine)
        for (int offset = 0; offset < 4; ++offset) {
            const int cx = x + dir[0] * offset, cy = y + dir[1] * offset;
            if (!InField(cx, cy) || EndsShipLine(HomeBoard[cx][cy]))
                break;
            if (HomeBoard[cx][cy] == Deck)
                return 0;
        }
    return 1;
}

void MarkHomeShipSunk(int x, int y)
{
    DrawCellPicture(SunkPicture, HomeSide, x, y);
    HomeBoard[x][y] = Sunk;
    for (const auto& dir : kLine)
        for (int offset = 1; offset < 4; ++offset) {
            const int cx = x + dir[0] * offset, cy = y + dir[1] * offset;
            if (!InField(cx, cy) || EndsShipLine(HomeBoard[cx][cy]))
                break;
            if (HomeBoard[cx][cy] == HomeHit) {
                DrawCellPicture(SunkPicture, HomeSide, cx, cy);
                HomeBoard[cx][cy] = Sunk;
            }
        }
}

void RebuildTargetStack(int x, int y)
{
    TargetStack.count = 0;
    for (const auto& dir : kLine) {
        const int nx = x + dir[0], ny = y + dir[1];
        if (InField(nx, ny) && HomeBoard[nx][ny] < RuledOut)
            TargetStack.entries[TargetStack.count++] = {nx, ny};
    }
    if (TargetStack.count == 0)
        HuntActive = 0;
}
