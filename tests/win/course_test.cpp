// The pace of a game on the shell's timers: the new game at once under its opening sound,
// effects one after another, the end's sound and box after the last shot, the computer going
// on behind a dialog, no timer while nothing is due, and each real timer firing once.
#include <map>

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

// Begin... during a battle whose shots still wait to be heard, and again while the end's
// sound plays: each time the fresh boards and the placing panel are on the window at once and
// take the fleet by A and a shot while the opening sound plays; the old game's sounds and box
// are dropped.
TEST_F(Course, BeginShowsTheNewGameAtOnceUnderTheOpeningSoundAndDropsWhatTheOldOneLeftDue)
{
    Heard.clear();
    InstallSpeaker(kPlayingSpeaker);
    BeginBattle();
    for (int deck = 0; deck < 3; ++deck) {
        FireAt(Game.EnemyFleet[0], deck);
        UpdateWindow(MainWindow);
    }
    for (const char* when : {"in battle", "after the end"}) {
        KillTimer(MainWindow, SoundTimer);   // the test ends each sound: none ends in the question's loop
        Command(CMD_NEW_GAME);
        EXPECT_EQ(std::make_pair(Game.GamePhase, CountCells(Game.EnemyBoard, EnemyHit)), std::make_pair(Placement, 0)) << when;
        const int left = kPlacementPanelLeft;
        EXPECT_TRUE(PictureShownAt(PlacementPanelPicture, left, kPlacementPanelTop, kOfferedVerticalLeft - left, kPlacementPanelHeight)) << when;
        EXPECT_TRUE(CellShows(CellPicture, true, Game.EnemyFleet[0].deckX[0], Game.EnemyFleet[0].deckY[0])) << when;
        EXPECT_TRUE(WindowShowsTheScene()) << when;
        SendMessageW(MainWindow, WM_KEYDOWN, 'A', 0);
        FireAt(Game.EnemyFleet[0], 0);
        EXPECT_EQ(std::make_pair(Game.GamePhase, CountCells(Game.HomeBoard, Deck)), std::make_pair(Battle, kFleetDecks)) << when;
        EXPECT_EQ(CountCells(Game.EnemyBoard, EnemyHit), 1) << when << ": the shot taken";
        EXPECT_EQ(Heard.back(), "nazalo") << when << ": at once";
        SinkEnemyFleet();
    }
    for (int effect = 0; effect <= kMaxQueuedEffects && Sound.effectPlaying; ++effect)
        EndSound();
    EXPECT_EQ(Heard, (std::vector<std::string>{"nazalo", "nazalo", "nazalo", "vstrl", "fire1"}));
    ASSERT_EQ(answered.size(), 2u) << "the question to abandon the battle, and the last game's end";
    EXPECT_EQ(answered[1].caption, L"VICTORY");
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

// The shell's own timers: the computer's pause fires once for its one shot, and the sound's
// end once for each of the two shots' sounds; none fires again over the generous wait after.
TEST_F(Course, EachRealTimerFiresOnceAndThenStops)
{
    InstallGameView();
    BeginBattle();
    Heard.clear();
    InstallSpeaker(kPlayingSpeaker);
    FireAt(Game.EnemyFleet[0], 0);
    UpdateWindow(MainWindow);
    Miss();
    UpdateWindow(MainWindow);
    Game.HuntActive = true;   // the computer's shot goes into the water at (9, 9)
    Game.TargetStack = {{{9, 9}}, 1};
    std::map<WPARAM, int> fired;
    const auto pump = [&fired](ULONGLONG until, const std::function<bool()>& done) {
        while (!done() && GetTickCount64() < until) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                fired[message.hwnd == MainWindow && message.message == WM_TIMER ? message.wParam : 0] += 1;
                DispatchMessageW(&message);
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    };
    pump(GetTickCount64() + 20000, [&] { return fired[GameTimer] >= 1 && fired[SoundTimer] >= 2; });
    pump(GetTickCount64() + 1500, [] { return false; });
    EXPECT_EQ(std::make_pair(fired[GameTimer], fired[SoundTimer]), std::make_pair(1, 2));
    EXPECT_EQ(std::make_pair(ShotsAtHome(), Game.OpponentTurn), std::make_pair(1, false));
    EXPECT_EQ(Heard, (std::vector<std::string>{"vstrl", "vstrl"}));
}

}  // namespace
