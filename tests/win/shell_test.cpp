// The program in-process: start-up, languages, the flow of a game, its sounds and music,
// the accelerators through the message loop and the numbered error boxes.

#include <random>

#include "tests/win/shell_fixture.h"

namespace {

TEST(ClearCommand, OnlyTheExactWordIsTheCommand)
{
    for (const char* line : {"clear", "Clear", "CLEAR", " clear", "clear ", "clear now", "", "cleared", static_cast<const char*>(nullptr)})
        EXPECT_EQ(IsClearCommand(line), line && lstrcmpA(line, "clear") == 0) << (line ? line : "null");
}

// What the program asked of the speaker; an effect is marked when it comes during the
// placement or after a box, the shot's when it comes before the shot is painted.
std::vector<std::string> Sounds;
const std::vector<AnsweredBox>* Boxes = nullptr;

void Hear(SoundCall call, const wchar_t* name)
{
    const std::string what = call == EffectCall ? Utf8(name) : call == MusicStartCall ? "music " + Utf8(name) : "stop";
    const bool effect = call == EffectCall, beforePaint = what == "vstrl" && GetUpdateRect(MainWindow, nullptr, FALSE);
    Sounds.push_back(what + (effect && Game.GamePhase == Placement ? " in placement" : "") + (effect && beforePaint ? " before the paint" : "") +
                     (effect && !Boxes->empty() ? " after a box" : ""));
}

class GameFlow : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        Sounds.clear();
        Boxes = &answered;
        Sound.SoundWatcher = Hear;
    }
    void TearDown() override
    {
        ShellTest::TearDown();
        Sound.SoundWatcher = nullptr;   // sound tests outside this fixture call StopMusic
    }
};

TEST_F(GameFlow, StartsWithTheFixedWindowAndItsLanguageSwitchesIsStoredAndComesBack)
{
    RECT outer;
    GetWindowRect(MainWindow, &outer);
    EXPECT_TRUE(outer.right - outer.left == 510 && outer.bottom - outer.top == 400);
    const LONG style = GetWindowLongW(MainWindow, GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX | WS_SYSMENU), WS_MINIMIZEBOX | WS_SYSMENU);
    EXPECT_EQ(MenuText(0) + MenuText(1) + MenuText(2), L"&Game&Language&?");
    EXPECT_TRUE(answered.empty()) << "the built-in skin loads without an error box";
    for (const auto& c : {std::make_pair(CMD_GERMAN, L"&Spiel"), std::make_pair(CMD_ENGLISH, L"&Game"), std::make_pair(CMD_RUSSIAN, L"&Игра")}) {
        Command(c.first);
        EXPECT_EQ(MenuText(0), c.second);
    }
    RestartProgram();
    EXPECT_EQ(MenuText(1), L"&Язык") << "the language is stored";
    const unsigned char unknown[17] = {1, 0, 1, 9};
    RegSetKeyValueA(HKEY_CURRENT_USER, SettingsKeyPath, "Properties", REG_BINARY, unknown, sizeof unknown);
    RestartProgram();
    EXPECT_EQ(MenuText(0), L"&Game") << "an unknown language shows English";
}

// Sounds: "nazalo" before the new game, "vstrl" once the shot is on screen, "fire1" before
// the box. Each end reads the statistics before adding: the losses another instance stored stay.
TEST_F(GameFlow, VictoryShowsItsLevelsMessageSoundsStatisticsAndBox)
{
    RegSetKeyValueA(HKEY_CURRENT_USER, SettingsKeyPath, "Statistic", REG_BINARY, "\0\0\0\0\3\0\0\0", 8);
    struct Case { uint8_t level; int message; bool sound; };
    for (Case c : {Case{2, WinLevel2Message, true}, Case{1, WinLevel1Message, true}, Case{3, WinLevel3Message, false},
                   Case{7, WinLevel2Message, true}}) {
        Options.SkillLevel = c.level;
        Settings.SoundOn = c.sound;
        Sounds.clear();
        answered.clear();
        Command(CMD_NEW_GAME);
        PlaceWholeFleet();
        SinkEnemyFleet();
        EXPECT_EQ(Sounds.size(), c.sound ? 1u : 0u) << "the shot waits for the paint";
        UpdateWindow(MainWindow);
        UpdateWindow(MainWindow);
        Tick();
        EXPECT_EQ(Status.StatusMessageId, c.message) << "level " << int(c.level);
        ASSERT_EQ(answered.size(), 1u);
        EXPECT_EQ(answered[0].caption + L"|" + answered[0].text, L"VICTORY|You has won");
        EXPECT_EQ(Sounds, c.sound ? std::vector<std::string>({"nazalo", "vstrl", "fire1"}) : std::vector<std::string>());
    }
    EXPECT_EQ(SettingBytes("Statistic"), std::vector<unsigned char>({4, 0, 0, 0, 3, 0, 0, 0}));
}

// The defeat itself comes from the model's tick; here its message, sound, box, statistics,
// and counters that keep what was left rather than the end's -1.
TEST_F(GameFlow, DefeatShowsItsMessageSoundBoxStatisticsAndTheLastCounters)
{
    Command(CMD_NEW_GAME);
    PlaceWholeFleet();
    for (int x = 0; x < kFieldSize; ++x)   // one deck left, the computer's hunt aimed at it
        for (int y = 0; y < kFieldSize; ++y)
            Game.HomeBoard[x][y] = Game.HomeBoard[x][y] == Deck && !(x == 9 && y == 4) ? HomeHit : Game.HomeBoard[x][y];
    Game.HomeDecksLeft = Game.HomeShipsLeft = 1;
    Game.HuntActive = Game.ComputerTurn = true;
    Game.TargetStack = {{{9, 4}}, 1};
    Sounds.clear();
    Tick();
    EXPECT_EQ(Status.StatusMessageId, ComputerWinsMessage);
    EXPECT_EQ(Sounds, std::vector<std::string>({"fire"}));
    ASSERT_EQ(answered.size(), 1u);
    EXPECT_EQ(answered[0].caption + L"|" + answered[0].text, L"DEFEAT|You has loss");
    EXPECT_EQ(SettingBytes("Statistic"), std::vector<unsigned char>({0, 0, 0, 0, 1, 0, 0, 0}));
    for (int drawing = 0; drawing < 2; ++drawing) {
        drawing ? RedrawScene() : DrawCounters();
        EXPECT_TRUE(CounterShows(kEnemyCounterBox, L"20") && CounterShows(kHomeCounterBox, L"0"));
    }
}

TEST_F(GameFlow, MusicStartsWithTheWindowRepeatsAFinishedTuneAndStopsAtTheEnd)
{
    StopProgram();
    const std::string tune = BesideTests("tidewar.mid");
    RegSetKeyValueA(HKEY_CURRENT_USER, SettingsKeyPath, "Music", REG_SZ, tune.c_str(), static_cast<DWORD>(tune.size() + 1));
    Sounds.clear();
    StartProgram();
    const std::string music = "music " + Utf8(Settings.MusicName);
    EXPECT_EQ(Sounds, std::vector<std::string>({music}));
    for (WPARAM code : {MCI_NOTIFY_ABORTED, MCI_NOTIFY_FAILURE, MCI_NOTIFY_SUPERSEDED, MCI_NOTIFY_SUCCESSFUL})
        SendMessageW(MainWindow, MM_MCINOTIFY, code, Sound.MusicDevice);
    EXPECT_EQ(Sounds, std::vector<std::string>({music, "stop", music})) << "only a finished tune starts again";
    Command(CMD_EXIT);
    EXPECT_EQ(Sounds.back(), "stop");
    Sounds.clear();
    StopProgram();
    EXPECT_EQ(Sounds, std::vector<std::string>({"stop"})) << "the window's end stops it too";
}

// The real loop: keys go through the accelerators to the window's commands.
WNDPROC ProgramProc = nullptr;
int HelpAsked = 0;

// Help is asked for; no viewer opens in a test.
LRESULT CALLBACK SwallowHelp(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool help = message == WM_COMMAND && LOWORD(wParam) == CMD_HELP;
    HelpAsked += help;
    return help ? 0 : CallWindowProcW(ProgramProc, window, message, wParam, lParam);
}

int RunLoopAfterKey(UINT message, WPARAM key, bool alt, bool control = false)
{
    BYTE keys[256] = {};
    keys[VK_MENU] = alt ? 0x80 : 0;
    keys[VK_CONTROL] = control ? 0x80 : 0;
    SetKeyboardState(keys);
    PostMessageW(MainWindow, message, key, alt ? 0x20000001 : 1);
    PostQuitMessage(7);   // taken once the key's messages are handled
    return RunMainLoop();
}

TEST_F(GameFlow, AcceleratorsDispatchThroughTheMessageLoop)
{
    ProgramProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(MainWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SwallowHelp)));
    EXPECT_EQ(RunLoopAfterKey(WM_KEYDOWN, VK_F1, false), 7);
    EXPECT_EQ(HelpAsked, 1) << "F1 asks for help";
    EXPECT_EQ(RunLoopAfterKey(WM_KEYDOWN, 'X', false), 7) << "X alone is no command";
    RunLoopAfterKey(WM_KEYDOWN, 'N', false);
    EXPECT_EQ(Game.GamePhase, NoGame) << "N alone is no command";
    for (const auto& key : {std::make_pair(WPARAM('N'), true), std::make_pair(WPARAM(VK_F2), false)}) {
        Game.GamePhase = NoGame;
        RunLoopAfterKey(WM_KEYDOWN, key.first, false, key.second);
        EXPECT_EQ(Game.GamePhase, Placement) << "Ctrl+N and F2 begin a game: " << key.first;
    }
    EXPECT_EQ(RunLoopAfterKey(WM_SYSKEYDOWN, 'X', true), 0) << "Alt+X ends the program with code 0";
}

// A missing image list (as a failed creation leaves it) makes the drag's calls fail.
TEST_F(GameFlow, FailedDragCallsShowTheirNumberedBoxesWhileTheGameGoesOn)
{
    Command(CMD_NEW_GAME);
    struct Case { Orientation orientation; int pressX, pressY; int boxes[3]; };
    for (const Case& c : {Case{Vertical, 210, 260, {10, 11, 14}}, Case{Horizontal, 250, 285, {12, 13, 14}}}) {
        ImageList_Destroy(Skin.ShipImages[c.orientation][3].list);
        Skin.ShipImages[c.orientation][3].list = nullptr;
        answered.clear();
        Drag(c.pressX, c.pressY, 100, 100);
        ASSERT_EQ(answered.size(), 3u) << "14 once per drag";
        for (int i = 0; i < 3; ++i)   // the box has no owner: the window stays enabled
            EXPECT_TRUE(answered[i].caption == L"ERROR" && answered[i].windowEnabled &&
                        answered[i].text == L"Tidewar ERROR #" + std::to_wstring(c.boxes[i])) << c.boxes[i];
        EXPECT_FALSE(Dragging.PlacementDrag) << "the release still ends the drag";
    }
}

// Opens the options sheet or the statistics, makes a few random choices on the first two
// pages and leaves by a random way.
void PokeAtDialogs(unsigned seed)
{
    std::mt19937 dice(seed);
    const int choices[] = {Page(0), Page(1), IDC_SKILL_1, IDC_SKILL_3, IDC_SOUND_OFF, IDC_MARK_DEAD_SHIPS, IDC_MARK_DEAD_ZONE, IDC_SHOW_SHIPS};
    const int buttons[] = {IDOK, kApplyButton, IDCANCEL};
    if (dice() % 3 == 0)
        Drive(CMD_STATISTICS, {Key(dice() % 2 ? VK_ESCAPE : VK_RETURN)});
    else
        Drive(CMD_OPTIONS, {choices[dice() % 8], choices[dice() % 8], choices[dice() % 8], choices[dice() % 8],
                            buttons[dice() % 3]});
}

// Odd input at odd moments: presses, drags and releases anywhere, ticks, new games, language
// switches and the dialogs in any order break nothing, and rebuilding the scene from the
// state at any moment gives the very pixels that play drew. The game's own bookkeeping is
// the model tests' to hold.
TEST_F(GameFlow, RandomInputBreaksNothingAndTheRedrawRebuildsWhatPlayDrew)
{
    ViewState.computerPauseMs = 0;
    // Play runs far faster than the clock: let every seeding see a new second, as the
    // computer's pauses would.
    static std::time_t second = 1700000000;
    CalendarSeconds = [] { return second++; };
    std::mt19937 dice(77);
    const UINT mouse[] = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE, WM_NCLBUTTONUP};
    bool battleSeen = false, endSeen = false;
    for (int step = 0; step < 6000; ++step) {
        const unsigned roll = dice() % 100;
        const int x = static_cast<int>(dice() % 520), y = static_cast<int>(dice() % 410);
        if (roll < 25)
            DropOfferedShip(dice() % 2 == 0, static_cast<int>(dice() % 10), static_cast<int>(dice() % 10));
        else if (roll < 45)
            Click(31 + static_cast<int>(dice() % 199), 31 + static_cast<int>(dice() % 199));
        else if (roll < 70)
            SendMessageW(MainWindow, mouse[dice() % 4], 0, MAKELPARAM(x, y));
        else if (roll < 97)
            Tick();
        else if (roll < 98)
            Command(CMD_RUSSIAN + static_cast<int>(dice() % 3));
        else if (roll < 99)
            PokeAtDialogs(dice());
        else if (Game.GamePhase == GameOver || Game.GamePhase == NoGame || dice() % 32 == 0)
            Command(CMD_NEW_GAME);
        if (step % 50 == 0 && !Dragging.PlacementDrag) {
            const std::vector<unsigned> played = SceneSnapshot();
            RedrawScene();
            ASSERT_TRUE(SceneSnapshot() == played) << "step " << step << ", phase " << Game.GamePhase;
        }
        battleSeen |= Game.GamePhase == Battle;
        endSeen |= Game.GamePhase == GameOver;
    }
    EXPECT_TRUE(battleSeen && endSeen);
}

}  // namespace
