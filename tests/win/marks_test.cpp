// The marks of a battle: the frame of whose turn it is, the ring of each board's last shot,
// and the computer's ships left afloat after a defeat; a redraw gives back all three.
#include <algorithm>

#include "tests/win/shell_fixture.h"

namespace {

using Marks = ShellTest;

// The colour of the frame 1 to 3 pixels outside the board at `boardLeft`; 0 where the strip
// shows the background, 1 where it shows neither.
unsigned FrameAround(int boardLeft)
{
    const int left = boardLeft - 4, top = kBoardTop - 4, size = kBoardPixels + 8;
    const int bars[4][4] = {{left, top, size, 3}, {left, top + size - 3, size, 3}, {left, top, 3, size}, {left + size - 3, top, 3, size}};
    const std::vector<unsigned> scene = SceneSnapshot();
    bool background = true, whole = true;
    for (const auto& bar : bars) {
        background = background && PictureShownAt(BackgroundPicture, bar[0], bar[1], bar[2], bar[3]);
        for (int y = bar[1]; y < bar[1] + bar[3]; ++y)
            for (int x = bar[0]; x < bar[0] + bar[2]; ++x)
                whole = whole && scene[y * kSceneWidth + x] == scene[top * kSceneWidth + left];
    }
    return background ? 0 : whole ? scene[top * kSceneWidth + left] : 1;
}

// The cells of a board that wear the yellow ring, as x + 10 * y.
std::vector<int> RingedCells(bool enemyBoard)
{
    std::vector<int> ringed;
    for (int cell = 0; cell < 100; ++cell) {
        const int left = (enemyBoard ? kEnemyBoardLeft : kHomeBoardLeft) + kCellSize * (cell % 10), top = kBoardTop + kCellSize * (cell / 10);
        if (ScenePixel(left, top) == 0xFFFF00u && ScenePixel(left + 18, top + 18) == 0xFFFF00u)
            ringed.push_back(cell);
    }
    return ringed;
}

// The ring stays on the cell fired at, not on the last deck a sinking turns Sunk; (0, 9) is
// the HomeBoard's water. Rings as x + 10 * y.
TEST_F(Marks, TheTurnFrameSurroundsTheBoardUnderFireAndTheLastShotOfEachBoardIsRinged)
{
    BeginBattle();
    const unsigned player = 0x00FF00, computer = 0xFF0000;
    const ShipRecord& ship = Game.EnemyFleet[0];
    const int water = FirstWater();   // a sinking marks no dead zone by default
    using Rings = std::vector<int>;
    const struct { const char* shot; std::function<void()> act; unsigned enemyFrame, homeFrame; Rings enemyRing, homeRing; } steps[] = {
        {"the battle begins", [] {}, player, 0, {}, {}},
        {"the player hits", [&] { FireAt(ship, 0); }, player, 0, {ship.deckX[0] + 10 * ship.deckY[0]}, {}},
        {"the player sinks a ship", [&] { for (int deck : {1, 3, 2}) FireAt(ship, deck); }, player, 0, {ship.deckX[2] + 10 * ship.deckY[2]}, {}},
        {"the player misses: before the computer's pause", [this] { Miss(); }, 0, computer, {water}, {}},
        {"the computer hits", [this] { ComputerFiresAt(0, 0); }, 0, computer, {water}, {0}},
        {"the computer misses", [this] { ComputerFiresAt(0, 9); }, player, 0, {water}, {90}},
    };
    for (const auto& step : steps) {
        step.act();
        EXPECT_EQ(std::make_pair(FrameAround(kEnemyBoardLeft), FrameAround(kHomeBoardLeft)), std::make_pair(step.enemyFrame, step.homeFrame)) << step.shot;
        EXPECT_EQ(std::make_pair(RingedCells(true), RingedCells(false)), std::make_pair(step.enemyRing, step.homeRing)) << step.shot;
    }
    EXPECT_TRUE(CellShows(HitPicture, false, 0, 0)) << "the ring is gone from the shot before";
    EXPECT_TRUE(RedrawKeepsTheScene()) << "after the rings moved";
    Command(CMD_NEW_GAME);
    EXPECT_EQ(std::make_pair(FrameAround(kEnemyBoardLeft), FrameAround(kHomeBoardLeft)), std::make_pair(0u, 0u)) << "a new game in a battle";
}

// Every deck not hit of every ship afloat shows the ship, whichever way its record runs.
TEST_F(Marks, ADefeatShowsTheComputersShipsAfloat)
{
    BeginBattle();
    const ShipRecord& ship = Game.EnemyFleet[0];
    FireAt(ship, 0);
    Miss();
    for (int cell = 0; cell < 100; ++cell)
        if (Game.HomeBoard[cell % 10][cell / 10] == Deck)
            ComputerFiresAt(cell % 10, cell / 10);
    EXPECT_EQ(std::make_pair(FrameAround(kEnemyBoardLeft), FrameAround(kHomeBoardLeft)), std::make_pair(0u, 0u)) << "no frame after the end";
    EXPECT_TRUE(CellShows(HitPicture, true, ship.deckX[0], ship.deckY[0])) << "a hit deck keeps its picture";
    for (ShipRecord& afloat : Game.EnemyFleet) {   // its image from its top-left deck, a ship of one deck upright
        const int last = afloat.size - 1, x = std::min(afloat.deckX[0], afloat.deckX[last]), y = std::min(afloat.deckY[0], afloat.deckY[last]);
        EXPECT_TRUE(&afloat == &ship || ShipShownAt(afloat.deckX[0] == afloat.deckX[last] ? Vertical : Horizontal, afloat.size,
                                                    kEnemyBoardLeft + kCellSize * x, kBoardTop + kCellSize * y)) << int(afloat.size) << " at " << x << ", " << y;
        for (int k = 0; k < afloat.size; ++k)
            EXPECT_TRUE(Game.EnemyBoard[afloat.deckX[k]][afloat.deckY[k]] != Deck ||
                        !CellShows(CellPicture, true, afloat.deckX[k], afloat.deckY[k]))
                << "ship of " << int(afloat.size) << " at " << int(afloat.deckX[k]) << ", " << int(afloat.deckY[k]);
        std::reverse(afloat.deckX, afloat.deckX + afloat.size);
        std::reverse(afloat.deckY, afloat.deckY + afloat.size);
    }
    EXPECT_TRUE(RedrawKeepsTheScene()) << "after a defeat, every record running the other way";
}

TEST_F(Marks, AVictoryShowsNoShipOfTheComputer)
{
    BeginBattle();
    const ShipRecord& ship = Game.EnemyFleet[0];
    Game.EnemyDecksLeft = 1;   // the first hit wins, with the rest of the fleet still on its board
    FireAt(ship, 0);
    ASSERT_EQ(Game.GamePhase, GameOver);
    EXPECT_TRUE(CellShows(CellPicture, true, ship.deckX[1], ship.deckY[1]));
}

}  // namespace
