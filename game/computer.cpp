#include "game/computer.h"

#include <cstdlib>

#include "game/board.h"
#include "game/game.h"
#include "game/options.h"
#include "game/random.h"
#include "game/view.h"

// Down, up, right, left: the order in which a ship's line is walked from a hit.
constexpr int kRandomSearchAttempts = 50;

static const int kLine[4][2] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}};

static bool ChooseTarget(int& x, int& y)
{
    if (Game.HuntActive && Game.TargetStack.count > 0) {
        TargetList& stack = Game.TargetStack;
        stack.count -= 1;
        x = stack.entries[stack.count].x;
        y = stack.entries[stack.count].y;
        return true;
    }
    for (int attempt = 0; attempt < kRandomSearchAttempts; ++attempt) {
        x = (RandomDraw() % 90) % kFieldSize;
        y = (RandomDraw() % 90) % kFieldSize;
        if (Game.HomeBoard[x][y] == Deck || Game.HomeBoard[x][y] == Water)
            return true;
    }
    return false;
}

static void RuleOut(int x, int y)
{
    if (InField(x, y) && Game.HomeBoard[x][y] == Water)
        Game.HomeBoard[x][y] = RuledOut;
}

// Under the no-touch rule a diagonal neighbour of a deck is always water; the best
// level also rules out the side neighbours that hide no deck.
static void RuleOutAroundHit(int x, int y)
{
    if (Options.SkillLevel > 1) {
        RuleOut(x + 1, y + 1);
        RuleOut(x - 1, y - 1);
        RuleOut(x + 1, y - 1);
        RuleOut(x - 1, y + 1);
    }
    if (Options.SkillLevel == 3) {
        RuleOut(x + 1, y);
        RuleOut(x - 1, y);
        RuleOut(x, y + 1);
        RuleOut(x, y - 1);
    }
}

static bool EndsShipLine(int32_t cell)
{
    return cell == Water || cell == HomeMiss || cell == RuledOut;
}

// Four cells each way reach every deck of a ship; the no-touch rule keeps others away.
static bool IsHomeShipSunk(int x, int y)
{
    for (const auto& dir : kLine)
        for (int offset = 0; offset < 4; ++offset) {
            const int cx = x + dir[0] * offset, cy = y + dir[1] * offset;
            if (!InField(cx, cy) || EndsShipLine(Game.HomeBoard[cx][cy]))
                break;
            if (Game.HomeBoard[cx][cy] == Deck)
                return false;
        }
    return true;
}

// Turns the hit decks of the sunk ship through (x, y) into Sunk.
static void MarkHomeShipSunk(int x, int y)
{
    Game.HomeBoard[x][y] = Sunk;
    View().cellChanged(HomeSide, x, y);
    for (const auto& dir : kLine)
        for (int offset = 1; offset < 4; ++offset) {
            const int cx = x + dir[0] * offset, cy = y + dir[1] * offset;
            if (!InField(cx, cy) || EndsShipLine(Game.HomeBoard[cx][cy]))
                break;
            if (Game.HomeBoard[cx][cy] == HomeHit) {
                Game.HomeBoard[cx][cy] = Sunk;
                View().cellChanged(HomeSide, cx, cy);
            }
        }
}

// The stack becomes the Water or Deck side neighbours of (x, y).
static void RebuildTargetStack(int x, int y)
{
    TargetList& stack = Game.TargetStack;
    stack.count = 0;
    for (const auto& dir : kLine) {
        const int nx = x + dir[0], ny = y + dir[1];
        if (InField(nx, ny) && (Game.HomeBoard[nx][ny] == Water || Game.HomeBoard[nx][ny] == Deck))
            stack.entries[stack.count++] = {nx, ny};
    }
    if (stack.count == 0)
        Game.HuntActive = false;
}

static ShotResult HitHomeDeck(int x, int y)
{
    Game.HomeBoard[x][y] = HomeHit;
    SetLastShot(HomeSide, x, y);
    View().cellChanged(HomeSide, x, y);
    Game.HuntActive = true;
    Game.HomeDecksLeft -= 1;
    const bool sunk = IsHomeShipSunk(x, y);
    if (sunk) {
        Game.HomeShipsLeft -= 1;
        if (Options.MarkDeadShips)
            MarkHomeShipSunk(x, y);
        Game.HuntActive = false;
    }
    RuleOutAroundHit(x, y);
    RebuildTargetStack(x, y);
    return sunk ? ShotSunk : ShotHit;
}

bool ComputerShot()
{
    View().pauseBeforeComputerShot();
    SeedFromClock();
    int x, y;
    if (!ChooseTarget(x, y))
        return true;
    if (Game.HomeBoard[x][y] == Deck) {
        View().shotResolved(ComputerShooter, HitHomeDeck(x, y));
    } else if (Game.HomeBoard[x][y] == Water) {
        Game.HomeBoard[x][y] = HomeMiss;
        Game.ComputerTurn = false;
        SetLastShot(HomeSide, x, y);
        View().cellChanged(HomeSide, x, y);
        View().shotResolved(ComputerShooter, ShotMissed);
    }
    return false;
}
