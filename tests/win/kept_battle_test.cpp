// The battle against the computer kept in the registry: back after a restart as it was, gone
// once it ends or is abandoned, never counted twice.
#include <algorithm>
#include <cstring>

#include "game/saved_battle.h"
#include "tests/win/shell_fixture.h"

namespace {

using KeptBattles = ShellTest;

// Closed by the close box, with the stored level changed meanwhile, the battle comes back at
// the next start: the same scene but the passing message, its level, and the computer's pause
// running, whose shot then lands.
TEST_F(KeptBattles, ABattleClosedInItsMiddleComesBackAsItWasAndTheComputerGoesOn)
{
    Options.SkillLevel = 3;
    SaveSettings(PlayerChoices);
    BeginBattle();
    FireAt(Game.EnemyFleet[0], 0);
    SinkEnemyFleet(2);
    Miss();
    ASSERT_TRUE(Game.OpponentTurn);
    ComputerFiresAt(Game.HomeFleet[0].deckX[0], Game.HomeFleet[0].deckY[0]);   // a hit: its turn goes on
    ForgetStatusMessage();
    RedrawScene();
    const std::vector<unsigned> before = SceneSnapshot();
    const GameState played = Game;
    SendMessageW(MainWindow, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(MainWindow));
    EXPECT_TRUE(answered.empty()) << "nothing asks";
    StoreSetting("Options", REG_BINARY, {0, 1, 1});
    RestartProgram();
    EXPECT_EQ(Game.GamePhase, Battle);
    EXPECT_EQ(Game.Rules.SkillLevel, 3) << "the level it was played at";
    EXPECT_EQ(std::memcmp(Game.HomeBoard, played.HomeBoard, sizeof(Board)), 0);
    EXPECT_TRUE(Game.HuntActive);
    EXPECT_TRUE(SceneSnapshot() == before) << "the scene as it was";
    EXPECT_TRUE(WindowShowsTheScene());
    EXPECT_TRUE(Game.TimerAsked) << "the computer's pause runs";
    const int homeShots = CountCells(Game.HomeBoard, HomeMiss) + CountCells(Game.HomeBoard, HomeHit) + CountCells(Game.HomeBoard, Sunk);
    Tick();
    EXPECT_EQ(CountCells(Game.HomeBoard, HomeMiss) + CountCells(Game.HomeBoard, HomeHit) + CountCells(Game.HomeBoard, Sunk), homeShots + 1);
}

// The end of the session asks nothing and keeps it; a new game over it, and a battle's end,
// leave none.
TEST_F(KeptBattles, TheSessionsEndKeepsItButBeginAndTheEndLeaveNone)
{
    BeginBattle();
    Miss();
    EXPECT_FALSE(SettingBytes("Battle").empty());
    EXPECT_FALSE(SendMessageW(MainWindow, WM_QUERYENDSESSION, 0, 0) == FALSE);
    SendMessageW(MainWindow, WM_ENDSESSION, TRUE, 0);
    EXPECT_TRUE(answered.empty());
    DWORD type = REG_NONE;
    EXPECT_EQ(SettingBytes("Battle", &type).size(), kSavedBattleSize);
    EXPECT_EQ(type, DWORD(REG_BINARY));
    Command(CMD_NEW_GAME);   // asked, and answered Yes
    EXPECT_EQ(answered.size(), 1u);
    EXPECT_TRUE(SettingBytes("Battle").empty()) << "abandoned";
    PlaceShips(kFleetShips);
    Miss();
    while (Game.OpponentTurn && Game.GamePhase == Battle)
        Tick();
    EXPECT_FALSE(SettingBytes("Battle").empty());
    SinkEnemyFleet();
    EXPECT_EQ(Game.GamePhase, GameOver);
    EXPECT_TRUE(SettingBytes("Battle").empty()) << "ended";
}

// A copy taken before the end and put back after it is dropped at start-up: the first screen
// shows, and the game is not counted again.
TEST_F(KeptBattles, ACopyPutBackAfterTheEndIsDroppedQuietly)
{
    BeginBattle();
    Miss();
    while (Game.OpponentTurn && Game.GamePhase == Battle)
        Tick();
    const std::vector<unsigned char> copy = SettingBytes("Battle");
    ASSERT_EQ(copy.size(), kSavedBattleSize);
    SinkEnemyFleet();
    LoadSettings(GameRecord);
    ASSERT_EQ(Settings.Wins, 1u);
    StoreSetting("Battle", REG_BINARY, copy);
    RestartProgram();
    EXPECT_EQ(Game.GamePhase, NoGame);
    EXPECT_TRUE(SettingBytes("Battle").empty());
    LoadSettings(GameRecord);
    EXPECT_EQ(Settings.Wins, 1u);
}


// The EnemyBoard of a kept value, which only the player's shots change.
std::vector<int32_t> KeptEnemyBoard()
{
    const std::vector<unsigned char> bytes = SettingBytes("Battle");
    GameState kept;
    uint32_t serial = 0;
    if (!DecodeBattle(bytes.data(), bytes.size(), kept, serial))
        return {};
    return std::vector<int32_t>(&kept.EnemyBoard[0][0], &kept.EnemyBoard[0][0] + kFieldCells);
}

// The program itself, killed right after the player's first shot, comes back at that shot: the
// value it was killed with passes every check at the next start and is not dropped.
TEST_F(KeptBattles, AProgramKilledRightAfterAShotComesBackAtThatShot)
{
    StopProgram();
    DeleteSettingsKey();
    std::vector<int32_t> atShot;
    {
        Process program("");
        HWND window = program.Window("Tidewar", nullptr);
        ASSERT_TRUE(window);
        SendMessageW(window, WM_COMMAND, CMD_NEW_GAME, 0);
        SendMessageW(window, WM_COMMAND, CMD_RANDOM_FLEET, 0);
        for (int press = 0; press < 2; ++press)   // the first may only show the cursor
            SendMessageW(window, WM_KEYDOWN, VK_RETURN, 0);
        TerminateProcess(program.info.hProcess, 1);
        WaitForSingleObject(program.info.hProcess, 20000);
        atShot = KeptEnemyBoard();
    }
    ASSERT_EQ(atShot.size(), size_t(kFieldCells));
    EXPECT_EQ(kFieldCells - std::count(atShot.begin(), atShot.end(), Water) - std::count(atShot.begin(), atShot.end(), Deck), 1);
    Process again("");
    ASSERT_TRUE(again.Window("Tidewar", nullptr));
    EXPECT_EQ(KeptEnemyBoard(), atShot);
    DeleteSettingsKey();
}

} // namespace
