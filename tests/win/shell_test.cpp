// The program in-process: the "clear" word, start-up, the flow of a game, its sounds and
// music, the accelerators through the message loop and the numbered error boxes.

#include <algorithm>
#include <cstdlib>
#include <random>
#include <set>

#include "tests/win/shell_fixture.h"

namespace {

TEST(ClearCommand, OnlyTheExactWordIsTheCommand)
{
    EXPECT_TRUE(IsClearCommand("clear"));
    for (const char* line : {"Clear", " clear", "clear ", "", "cleared", static_cast<const char*>(nullptr)})
        EXPECT_FALSE(IsClearCommand(line)) << (line ? line : "null");
}

// What the program asked of the speaker; an effect is marked when it comes during the
// placement or after a box, the shot's when it comes before the shot is painted.
std::vector<std::string> Sounds;
const std::vector<AnsweredBox>* Boxes = nullptr;

void Hear(const std::string& what, bool effect)
{
    const bool beforePaint = what == "vstrl" && GetUpdateRect(MainWindow, nullptr, FALSE);
    Sounds.push_back(what + (effect && Game.GamePhase == Placement ? " in placement" : "") + (effect && beforePaint ? " before the paint" : "") +
                     (effect && !Boxes->empty() ? " after a box" : ""));
}

// Each effect ends at once, as on a machine with no sound device.
const Speaker kEar = {
    [](const wchar_t* name, const BYTE*, DWORD) {
        Hear(Utf8(name), true);
        return false;
    },
    [] {},
    [](SoundCall call, const wchar_t* path) { Hear(call == MusicStartCall ? "music " + Utf8(path) : "stop", false); },
};

using GameFlow = ShellTest;

// Sounds: "nazalo" over the new game's placing, "vstrl" once the shot is on screen, the end's before
// its box, all at the shot that sank the last deck. Each end reads the statistics before
// adding: what another instance stored stays. The counters keep what was left rather than
// the end's -1. The defeat comes from the computer's timer, its hunt aimed at the last deck.
TEST_F(GameFlow, EachEndShowsItsLevelsMessageSoundsBoxStatisticsAndTheLastCounters)
{
    Boxes = &answered;
    InstallSpeaker(kEar);
    StoreSetting("Statistic", REG_BINARY, {0, 0, 0, 0, 3, 0, 0, 0});
    struct Case { bool won; uint8_t level; bool sound; int message; std::vector<std::string> sounds; };
    const std::vector<std::string> won = {"nazalo in placement", "vstrl", "fire1"};
    for (const Case& c : {Case{true, 2, true, WinLevel2Message, won}, Case{true, 1, true, WinLevel1Message, won}, Case{true, 3, false, WinLevel3Message, {}},
                          Case{true, 7, true, WinLevel2Message, won}, Case{false, 2, true, ComputerWinsMessage, {"nazalo in placement", "fire"}}}) {
        Options.SkillLevel = c.level;
        Settings.SoundOn = c.sound;
        Sounds.clear();
        answered.clear();
        BeginBattle();
        if (c.won) {
            SinkEnemyFleet();
        } else {   // one deck left, at (9, 4), and the computer's hunt aimed at it
            std::replace(&Game.HomeBoard[0][0], &Game.HomeBoard[0][0] + sizeof(Board) / sizeof(int32_t), int32_t(Deck), int32_t(HomeHit));
            Game.HomeBoard[9][4] = Deck;
            Game.HomeDecksLeft = Game.HomeShipsLeft = 1;
            Game.OpponentTurn = true;
            ComputerFiresAt(9, 4);
        }
        EXPECT_EQ(Status.StatusMessageId, c.message) << "level " << int(c.level);
        ASSERT_EQ(answered.size(), 1u);
        EXPECT_EQ(answered[0].caption + L"|" + answered[0].text.substr(0, answered[0].text.find(L'\n')),
                  c.won ? L"VICTORY|You has won" : L"DEFEAT|You has loss");   // a new record may follow
        EXPECT_EQ(Sounds, c.sounds);
        for (void (*draw)() : {DrawCounters, RedrawScene}) {
            draw();
            EXPECT_TRUE(CounterShows(kEnemyCounterBox, c.won ? L"0" : L"20"));
            EXPECT_TRUE(CounterShows(kHomeCounterBox, c.won ? L"20" : L"0"));
        }
    }
    EXPECT_EQ(SettingBytes("Statistic"), std::vector<unsigned char>({4, 0, 0, 0, 4, 0, 0, 0}));
}

int OpenSequencers()
{
    char count[16] = "";
    mciSendStringA("sysinfo sequencer quantity open", count, sizeof count, nullptr);
    return std::atoi(count);
}

// The game's own tune ships beside the exe as the tests' does beside theirs.
TEST_F(GameFlow, MusicStartsWithTheWindowRepeatsAFinishedTuneAndStopsAtTheEnd)
{
    Boxes = &answered;
    InstallSpeaker(kEar);
    StopProgram();
    StoreSetting("Music", REG_SZ, TextBytes(BesideTests("tidewar.mid")));
    Sounds.clear();
    const int open = OpenSequencers();
    StartProgram();
    const std::string music = "music " + Utf8(Settings.MusicName);
    SendMessageW(MainWindow, MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, Sound.MusicDevice + 1);
    for (WPARAM code : {MCI_NOTIFY_ABORTED, MCI_NOTIFY_FAILURE, MCI_NOTIFY_SUPERSEDED, MCI_NOTIFY_SUCCESSFUL})
        SendMessageW(MainWindow, MM_MCINOTIFY, code, Sound.MusicDevice);
    EXPECT_EQ(Sounds, std::vector<std::string>({music, "stop", music})) << "only its own finished tune starts again";
    EXPECT_EQ(OpenSequencers(), open + 1) << "on a device of its own, the finished one's closed";
    Command(CMD_EXIT);
    StopProgram();
    EXPECT_EQ(Sounds, std::vector<std::string>({music, "stop", music, "stop", "stop"})) << "Exit and the window's end stop it";
    EXPECT_EQ(OpenSequencers(), open);
}

// The window has a fixed frame, which maximizes. The real loop: keys go through the accelerators to the
// window's commands, a letter only with its modifier.
TEST_F(GameFlow, TheFixedWindowsAcceleratorsDispatchThroughTheMessageLoop)
{
    RECT outer;
    GetWindowRect(MainWindow, &outer);
    EXPECT_EQ(std::make_pair(outer.right - outer.left, outer.bottom - outer.top), std::make_pair(510L, 400L));
    EXPECT_EQ(GetWindowLongW(MainWindow, GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX | WS_SYSMENU),
              WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_SYSMENU);
    struct Case { WPARAM key; bool control, alt; Phase phase; int exit; };
    const Case cases[] = {{'X', false, false, NoGame, 7}, {'N', false, false, NoGame, 7}, {'N', true, false, Placement, 7},
                          {VK_F2, false, false, Placement, 7}, {'X', false, true, NoGame, 0}};
    for (const auto& c : cases) {
        BYTE keys[256] = {};
        keys[VK_MENU] = c.alt ? 0x80 : 0;
        keys[VK_CONTROL] = c.control ? 0x80 : 0;
        SetKeyboardState(keys);
        Game.GamePhase = NoGame;
        PostMessageW(MainWindow, c.alt ? WM_SYSKEYDOWN : WM_KEYDOWN, c.key, c.alt ? 0x20000001 : 1);
        PostQuitMessage(7);   // taken once the key's messages are handled; Alt+X ends with 0
        EXPECT_EQ(RunMainLoop(), c.exit) << c.key;
        EXPECT_EQ(Game.GamePhase, c.phase) << c.key << (c.control ? " with Ctrl" : "");
    }
}

// A missing image list (as a failed creation leaves it) makes the drag's calls fail.
TEST_F(GameFlow, FailedDragCallsShowTheirNumberedBoxesWhileTheGameGoesOn)
{
    Command(CMD_NEW_GAME);
    struct Case { Orientation orientation; int pressX, pressY; int boxes[3]; };
    for (const Case& c : {Case{Vertical, kOfferedVerticalLeft + 10, kOfferedVerticalTop + 10, {10, 11, 14}},
                          Case{Horizontal, kOfferedHorizontalLeft + 10, kOfferedHorizontalTop + 10, {12, 13, 14}}}) {
        ImageList_Destroy(Skin.ShipImages[c.orientation][3].list);
        Skin.ShipImages[c.orientation][3].list = nullptr;
        answered.clear();
        Drag(c.pressX, c.pressY, 100, 100);
        ASSERT_EQ(answered.size(), 3u) << "14 once per drag";
        for (int i = 0; i < 3; ++i)   // the box has no owner: the window stays enabled
            EXPECT_EQ(std::make_tuple(answered[i].caption, answered[i].text, answered[i].windowEnabled),
                      std::make_tuple(std::wstring(L"ERROR"), L"Tidewar ERROR #" + std::to_wstring(c.boxes[i]), true));
        EXPECT_FALSE(Dragging.PlacementDrag) << "the release still ends the drag";
    }
}

// Odd input at odd moments: presses, drags and releases anywhere, ticks, new games, language
// switches and the dialogs (a few random choices on the options sheet's first two pages, or
// the statistics, left by a random way) in any order break nothing, and rebuilding the scene
// from the state at any moment gives the very pixels that play drew. The game's own
// bookkeeping is the model tests' to hold.
TEST_F(GameFlow, RandomInputBreaksNothingAndTheRedrawRebuildsWhatPlayDrew)
{
    // Play runs far faster than the clock: let every seeding see a new second, as the
    // computer's pauses would.
    static std::time_t second = 1700000000;
    Game.Dice = {[] { return second++; }};
    std::mt19937 dice(77);
    const UINT mouse[] = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE, WM_NCLBUTTONUP};
    // The first two show a page of the sheet, the others are clicked.
    const int choices[] = {0, 1, IDC_SKILL_1, IDC_SKILL_3, IDC_SOUND_OFF, IDC_MARK_DEAD_SHIPS, IDC_MARK_DEAD_ZONE, IDC_SHOW_SHIPS};
    const int exits[] = {IDOK, kApplyButton, IDCANCEL};
    std::set<Phase> seen;
    for (int step = 0; step < 6000; ++step) {
        const unsigned roll = dice() % 100;
        const int x = static_cast<int>(dice() % 520), y = static_cast<int>(dice() % 410);
        if (roll < 25)
            DropOfferedShip(dice() % 2 == 0, x % 10, y % 10);
        else if (roll < 45)
            Click(kEnemyBoardLeft + 1 + x % (kBoardPixels - 1), kBoardTop + 1 + y % (kBoardPixels - 1));
        else if (roll < 70)
            SendMessageW(MainWindow, mouse[dice() % 4], 0, MAKELPARAM(x, y));
        else if (roll < 97)
            Tick();
        else if (roll < 98)
            Command(CMD_RUSSIAN + x % 3);
        else if (roll < 99 && x % 3 == 0)
            RunInDialog(CMD_STATISTICS, [y](HWND box) { PressKey(box, y % 2 ? VK_RETURN : VK_ESCAPE); });
        else if (roll < 99)
            RunInDialog(CMD_OPTIONS, [&](HWND sheet) {
                for (int i = 0; i < 3; ++i) {
                    const int choice = choices[dice() % 8];
                    choice < 2 ? void(ShowPage(sheet, choice)) : ClickButton(sheet, choice);
                }
                ClickButton(sheet, exits[y % 3]);
            });
        else if (Game.GamePhase == GameOver || Game.GamePhase == NoGame || dice() % 32 == 0)
            Command(CMD_NEW_GAME);
        if (step % 50 == 0 && !Dragging.PlacementDrag) {
            ASSERT_TRUE(RedrawKeepsTheScene()) << "step " << step << ", phase " << Game.GamePhase;
        }
        seen.insert(Game.GamePhase);
    }
    EXPECT_EQ(seen.count(Battle), 1u);
    EXPECT_EQ(seen.count(GameOver), 1u);
}

}  // namespace
