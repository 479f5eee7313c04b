#include "game/computer.h"

#include <cstdlib>

#include "game/board.h"
#include "game/game.h"
#include "game/options.h"
#include "game/random.h"
#include "game/opponent.h"

constexpr int kRandomSearchAttempts = 50;

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

// The stack becomes the Water or Deck side neighbours of (x, y).
static void RebuildTargetStack(int x, int y)
{
    TargetList& stack = Game.TargetStack;
    stack.count = 0;
    for (const Direction direction : kLookAround) {
        const int nx = x + kDirectionSteps[direction].dx, ny = y + kDirectionSteps[direction].dy;
        if (InField(nx, ny) && (Game.HomeBoard[nx][ny] == Water || Game.HomeBoard[nx][ny] == Deck))
            stack.entries[stack.count++] = {nx, ny};
    }
    if (stack.count == 0)
        Game.HuntActive = false;
}

bool ComputerShot()
{
    SeedFromClock();
    int x, y;
    if (!ChooseTarget(x, y))
        return true;
    if (Game.HomeBoard[x][y] != Deck && Game.HomeBoard[x][y] != Water)
        return false;
    const bool deck = Game.HomeBoard[x][y] == Deck;
    const ShotResult result = OpponentFiresAt(x, y);
    if (deck) {   // the hunt goes on until the ship sinks
        Game.HuntActive = result != ShotSunk;
        RuleOutAroundHit(x, y);
        RebuildTargetStack(x, y);
    }
    return false;
}
