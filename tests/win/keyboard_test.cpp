// The keyboard: placing and firing with keys alone, the cursor on the window, and keys at
// moments that take none.
#include <cstring>

#include "tests/win/shell_fixture.h"

namespace {

using Keys = ShellTest;

void Key(WPARAM key, int times = 1)
{
    for (int i = 0; i < times; ++i)
        SendMessageW(MainWindow, WM_KEYDOWN, key, 1);
}

// By arrows alone: into the top-left corner, where the cursor stops, then out to the cell.
void CursorTo(int column, int row)
{
    Key(VK_LEFT, 10);
    Key(VK_UP, 10);
    Key(VK_RIGHT, column);
    Key(VK_DOWN, row);
}

// Whether the window, once painted, shows the cursor's outline there.
bool CursorShown(int boardLeft, int column, int row, int columns, unsigned colour)
{
    UpdateWindow(MainWindow);
    return OutlineShown(boardLeft, column, row, columns, 1, colour);
}

bool FiredAt(int x, int y) { return Game.EnemyBoard[x][y] == EnemyHit || Game.EnemyBoard[x][y] == EnemyMiss || Game.EnemyBoard[x][y] == Sunk; }

TEST_F(Keys, AFleetPlacedAndAShotFiredWithTheKeyboardOnlyUnderACursorOnTheWindow)
{
    Command(CMD_NEW_GAME);
    Key(VK_RETURN);
    EXPECT_EQ(Game.PlacedShipCount, 0) << "the first key only shows the cursor";
    Key(VK_SPACE);
    Key(VK_DOWN, 5);
    UpdateWindow(MainWindow);
    const std::vector<unsigned> scene = SceneSnapshot();
    Key('R');
    EXPECT_TRUE(CursorShown(kHomeBoardLeft, 0, 5, 3, kGold)) << "three cells right from the cursor's (0, 5)";
    EXPECT_EQ(SceneSnapshot(), scene) << "the cursor is drawn on the window only";
    SendMessageW(MainWindow, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(CursorShown(kHomeBoardLeft, 0, 5, 3, kGold)) << "and goes with the mouse";
    CursorTo(1, 4);   // past the left and top edges; touches the 4-deck ship at a corner
    EXPECT_TRUE(CursorShown(kHomeBoardLeft, 1, 4, 3, kRed));
    Key(VK_RETURN);
    CursorTo(2, 1);
    EXPECT_TRUE(CursorShown(kHomeBoardLeft, 2, 1, 3, kGold));
    Key(VK_RETURN);
    Key('R');
    CursorTo(6, 3);
    Key(VK_RETURN);
    ASSERT_EQ(Game.PlacedShipCount, 3);
    EXPECT_EQ(Game.HomeBoard[0][3], Deck) << "the 4-deck ship runs down from the cursor";
    EXPECT_EQ(Game.HomeBoard[4][1], Deck) << "the turned 3-deck ship runs right";
    EXPECT_EQ(Game.HomeBoard[6][5], Deck) << "turned again, the next one runs down";

    Key('A');   // what it lays is the model's plan
    EXPECT_NE(std::memcmp(Game.EnemyBoard, Game.HomeBoard, sizeof(Board)), 0) << "not the computer's fleet again";
    EXPECT_TRUE(RedrawKeepsTheScene()) << "the random ships are drawn and recorded as drops";

    CursorTo(3, 5);
    EXPECT_TRUE(CursorShown(kEnemyBoardLeft, 3, 5, 1, kGold));
    Key(VK_RETURN);
    EXPECT_TRUE(FiredAt(3, 5)) << "Enter fires at the cursor's cell";
    Game.OpponentTurn = 0;
    CursorTo(12, 12);   // past the right and bottom edges, where the cursor stops
    Key(VK_RETURN);
    EXPECT_TRUE(FiredAt(9, 9)) << "the corner cell is fired at";
    Game.OpponentTurn = 1;
    Key(VK_LEFT);
    EXPECT_TRUE(CursorShown(kEnemyBoardLeft, 8, 9, 1, kRed)) << "red while the computer fires";
}

// A shot out of turn, after the end or before a game is the model's to refuse, as its own
// tests show.
TEST_F(Keys, KeysAtOddMomentsAndClicksBeforeAGameChangeNothing)
{
    // A ship laid or a shot fired shows in the scene.
    const auto gameState = [] {
        return std::make_tuple(Game.PlacedShipCount, Game.OpponentTurn, Status.StatusMessageId, Game.GamePhase, Dragging.PlacementDrag);
    };
    for (const std::string moment : {"before a game", "in a drag", "behind a dialog"}) {
        if (moment == "in a drag") {
            Command(CMD_NEW_GAME);
            SendMessageW(MainWindow, WM_LBUTTONDOWN, 0, MAKELPARAM(kOfferedVerticalLeft + 10, kOfferedVerticalTop + 10));
        }
        EnableWindow(MainWindow, moment != "behind a dialog");
        const auto before = gameState();
        const std::vector<unsigned> scene = SceneSnapshot();
        for (WPARAM key : {WPARAM(VK_RETURN), WPARAM(VK_SPACE), WPARAM('A'), WPARAM(VK_RETURN)})
            Key(key);
        if (Game.GamePhase == NoGame)
            Click(kOfferedVerticalLeft + 10, kOfferedVerticalTop + 10);   // no panel yet to drag from
        EXPECT_EQ(gameState(), before) << moment;
        EXPECT_EQ(SceneSnapshot(), scene) << moment;
        SendMessageW(MainWindow, WM_NCLBUTTONUP, HTCAPTION, 0);   // ends the drag
    }
}

}  // namespace
