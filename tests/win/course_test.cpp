// The pace of a game on the shell's timers: the opening sound before the first ship, effects
// one after another, the end's sound and box after the last shot, the computer going on
// behind a dialog, and no timer while nothing is due.
#include "tests/win/shell_fixture.h"

namespace {

// A device that plays every effect until the test ends it with EndSound.
std::vector<std::string> Heard;
const Speaker kPlayingSpeaker = {
    [](const wchar_t* name, const BYTE*, DWORD) {
        Heard.push_back(Utf8(name));
        return true;
    },
    [] {},
    [](SoundCall, const wchar_t*) {},
};

using Course = ShellTest;

int ShotsAtHome() { return CountCells(Game.HomeBoard, HomeMiss) + CountCells(Game.HomeBoard, HomeHit) + CountCells(Game.HomeBoard, Sunk); }

TEST_F(Course, BeginLetsTheOpeningSoundEndBeforeTheFirstShipAndTheOldBoardsStayMeanwhile)
{
    Heard.clear();
    InstallSpeaker(kPlayingSpeaker);
    Command(CMD_NEW_GAME);
    EXPECT_EQ(Game.GamePhase, NoGame) << "the first screen while the sound plays";
    EndSound();
    PlaceShips(kFleetShips);
    Miss();
    UpdateWindow(MainWindow);
    EndSound();   // the shot's sound
    Command(CMD_NEW_GAME);
    EXPECT_EQ(Game.GamePhase, GameOver) << "the abandoned battle waits as a finished one";
    const int decks = CountCells(Game.HomeBoard, Deck), misses = CountCells(Game.EnemyBoard, EnemyMiss);
    FireAt(9, 9);
    FireAt(0, 9);
    Tick();
    DropOfferedShip(true, 9, 6);
    EXPECT_EQ(std::make_pair(CountCells(Game.HomeBoard, Deck), CountCells(Game.EnemyBoard, EnemyMiss)), std::make_pair(decks, misses))
        << "no shot and no drop take while the opening sound plays";
    EndSound();
    EXPECT_EQ(std::make_pair(Game.GamePhase, CountCells(Game.HomeBoard, Deck)), std::make_pair(Placement, 0));
    EXPECT_EQ(Heard, (std::vector<std::string>{"nazalo", "vstrl", "nazalo"}));
}

TEST_F(Course, AnEffectAskedForWhileAnotherPlaysFollowsItAndTheEndsBoxFollowsItsSound)
{
    BeginBattle();
    Heard.clear();
    InstallSpeaker(kPlayingSpeaker);
    const ShipRecord& last = Game.EnemyFleet[kFleetShips - 1];
    SinkEnemyFleet(kFleetShips - 1);
    UpdateWindow(MainWindow);
    FireAt(last, 0);
    EXPECT_EQ(Game.GamePhase, GameOver) << "the shot at the last deck ends the game";
    const std::vector<std::string> sounds = {"vstrl", "vstrl", "fire1"};
    for (size_t heard = 1; heard <= sounds.size(); ++heard) {
        EXPECT_EQ(Heard, std::vector<std::string>(sounds.begin(), sounds.begin() + heard)) << "each sound waits for the one playing";
        EXPECT_TRUE(answered.empty()) << "the box waits for the end's sound";
        EndSound();
    }
    ASSERT_EQ(answered.size(), 1u);
    EXPECT_EQ(answered[0].caption, L"VICTORY");
}

// The shell's own timer port here. The computer's pause runs on a real timer, which a
// dialog's loop keeps going: the About box is kept open until the computer has fired.
TEST_F(Course, NoTimerRunsWhileNothingIsDueAndTheComputersPauseRunsBehindAnOpenDialog)
{
    InstallGameView();
    const auto timers = [] { return std::make_pair(KillTimer(MainWindow, GameTimer) != FALSE, KillTimer(MainWindow, SoundTimer) != FALSE); };
    const auto none = std::make_pair(false, false);
    EXPECT_EQ(timers(), none) << "the first screen";
    Command(CMD_NEW_GAME);
    PlaceShips(3);
    EXPECT_EQ(timers(), none) << "placing";
    PlaceShips(kFleetShips);
    FireAt(Game.EnemyFleet[0], 0);
    EXPECT_EQ(timers(), none) << "aiming after a hit";
    SinkEnemyFleet();
    EXPECT_EQ(timers(), none) << "after the end";
    BeginBattle();
    Miss();
    EXPECT_EQ(timers(), std::make_pair(true, false)) << "the computer's pause is due";
    BeginBattle();   // the pause's timer is gone: a battle anew
    Miss();
    ASSERT_TRUE(Game.OpponentTurn);
    static ULONGLONG deadline;
    deadline = GetTickCount64() + 20000;
    BoxReply = [](HWND) -> WPARAM { return ShotsAtHome() > 0 || GetTickCount64() > deadline ? IDC_ABOUT_OK : 0; };
    Command(CMD_ABOUT);
    EXPECT_GT(ShotsAtHome(), 0);
    EXPECT_TRUE(std::all_of(answered.begin(), answered.end(), [](const AnsweredBox& box) { return box.caption != L"DEFEAT"; }));
}

}  // namespace
