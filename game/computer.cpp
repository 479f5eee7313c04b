#include "game/computer.h"


#include "game/board.h"
#include "game/game.h"
#include "game/random.h"
#include "game/opponent.h"

constexpr int kRandomSearchAttempts = 50;

static bool ChooseTarget(GameState& game, int& x, int& y)
{
    if (game.HuntActive && game.TargetStack.count > 0) {
        TargetList& stack = game.TargetStack;
        stack.count -= 1;
        x = stack.entries[stack.count].x;
        y = stack.entries[stack.count].y;
        return true;
    }
    for (int attempt = 0; attempt < kRandomSearchAttempts; ++attempt) {
        x = (RandomDraw(game) % 90) % kFieldSize;
        y = (RandomDraw(game) % 90) % kFieldSize;
        if (game.HomeBoard[x][y] == Deck || game.HomeBoard[x][y] == Water)
            return true;
    }
    return false;
}

static void RuleOut(GameState& game, int x, int y)
{
    if (InField(x, y) && game.HomeBoard[x][y] == Water)
        game.HomeBoard[x][y] = RuledOut;
}

// Under the no-touch rule a diagonal neighbour of a deck is always water; the best
// level also rules out the side neighbours that hide no deck.
static void RuleOutAroundHit(GameState& game, int x, int y)
{
    const int first = game.Rules.SkillLevel > 1 ? 0 : kDiagonalNeighbours;
    const int end = game.Rules.SkillLevel == 3 ? 8 : kDiagonalNeighbours;
    for (int n = first; n < end; ++n)
        RuleOut(game, x + kNeighbourSteps[n].dx, y + kNeighbourSteps[n].dy);
}

// The stack becomes the Water or Deck side neighbours of (x, y).
static void RebuildTargetStack(GameState& game, int x, int y)
{
    TargetList& stack = game.TargetStack;
    stack.count = 0;
    for (const Direction direction : kLookAround) {
        const int nx = x + kDirectionSteps[direction].dx, ny = y + kDirectionSteps[direction].dy;
        if (InField(nx, ny) && (game.HomeBoard[nx][ny] == Water || game.HomeBoard[nx][ny] == Deck))
            stack.entries[stack.count++] = {nx, ny};
    }
    if (stack.count == 0)
        game.HuntActive = false;
}

bool ComputerShot(GameState& game)
{
    SeedFromClock(game);
    int x, y;
    if (!ChooseTarget(game, x, y) || (game.HomeBoard[x][y] != Deck && game.HomeBoard[x][y] != Water))
        return false;
    const bool deck = game.HomeBoard[x][y] == Deck;
    const ShotResult result = OpponentFiresAt(game, x, y);
    if (deck) {   // the hunt goes on until the ship sinks
        game.HuntActive = result != ShotSunk;
        RuleOutAroundHit(game, x, y);
        RebuildTargetStack(game, x, y);
    }
    return true;
}
