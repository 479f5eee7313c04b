#include <random>

#include "app/pause.h"
#include "game/random.h"
#include "app/placement.h"
#include "app/startup.h"
#include "app/status.h"
#include "app/window.h"
#include "game/board.h"
#include "game/computer.h"
#include "game/fleet.h"
#include "game/options.h"
#include "game/phase.h"
#include "gfx/backbuffer.h"
#include "res/resource.h"
#include "tests/win/dialog_driver.h"
#include "tests/win/shell_fixture.h"
#include "ui/language.h"
#include "ui/settings.h"

namespace {

class StartingUp : public ShellTest {};

TEST_F(StartingUp, OnlyTheExactWordClearIsTheCommand)
{
    EXPECT_TRUE(IsClearCommand("clear"));
    for (const char* line : {"Clear", "CLEAR", " clear", "clear ", "clear now", "", "cleared"})
        EXPECT_FALSE(IsClearCommand(line)) << '"' << line << '"';
    EXPECT_FALSE(IsClearCommand(nullptr));
}

TEST_F(StartingUp, ClearDeletesTheKeyAndSaysSoInRussian)
{
    StartProgram();
    Command(CMD_GERMAN);
    ASSERT_FALSE(SettingBytes("Author").empty());
    EXPECT_EQ(ClearSettingsCommand(), 0);
    EXPECT_TRUE(SettingBytes("Author").empty());
    EXPECT_TRUE(SettingBytes("Properties").empty());
    ASSERT_EQ(answered.size(), 1u);
    EXPECT_EQ(answered[0].caption, L"Tidewar");
    EXPECT_EQ(answered[0].text, L"Программа очистила реестр\nУдалила записи, которые она сделала");
}

TEST_F(StartingUp, MakesTheFixedWindowWithTheSavedLanguage)
{
    StartProgram();
    RECT outer;
    GetWindowRect(MainWindow, &outer);
    EXPECT_EQ(outer.right - outer.left, 510);
    EXPECT_EQ(outer.bottom - outer.top, 400);
    const LONG style = GetWindowLongW(MainWindow, GWL_STYLE);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_EQ(WindowTitle(), L"Tidewar");
    EXPECT_EQ(MenuText(0), L"&Game");
    EXPECT_EQ(MenuText(1), L"&Language");
    EXPECT_EQ(MenuText(2), L"&?");
    EXPECT_EQ(SettingBytes("Author"), std::vector<unsigned char>({'Q', 'u', 'o', 'r', 'v', 'e', 'x', ' ', 'O', 'n',
                                                                  'd', 'r', 'e', 'l', 0}));
    EXPECT_TRUE(answered.empty()) << "the built-in skin loads without an error box";
}

TEST_F(StartingUp, AcceleratorsEndTheGameAndCallHelp)
{
    StartProgram();
    ACCEL entries[8];
    ASSERT_EQ(CopyAcceleratorTableW(Accelerators, entries, 8), 3);
    struct Key { BYTE flags; WORD key; WORD command; };
    const Key expected[] = {{FVIRTKEY | FALT, 'X', CMD_EXIT}, {FVIRTKEY | FALT, VK_OEM_4, CMD_EXIT},
                            {FVIRTKEY, VK_F1, CMD_HELP}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(entries[i].fVirt & (FVIRTKEY | FALT | FCONTROL | FSHIFT), expected[i].flags) << i;
        EXPECT_EQ(entries[i].key, expected[i].key) << i;
        EXPECT_EQ(entries[i].cmd, expected[i].command) << i;
    }
}

TEST_F(StartingUp, StartsInTheLanguageSavedBefore)
{
    StartProgram();
    Command(CMD_RUSSIAN);
    RestartProgram();
    EXPECT_EQ(Language, Russian);
    EXPECT_EQ(MenuText(0), L"&Игра");
    EXPECT_EQ(MenuText(1), L"&Язык");
}

TEST_F(StartingUp, UnknownSavedLanguageFallsBackToEnglish)
{
    StartProgram();
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKeyPath, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    unsigned char properties[17] = {1, 0, 1, 9};
    RegSetValueExA(key, "Properties", 0, REG_BINARY, properties, sizeof properties);
    RegCloseKey(key);
    RestartProgram();
    EXPECT_EQ(Language, 9u);
    EXPECT_EQ(MenuText(0), L"&Game");
    EXPECT_EQ(WindowTitle(), L"Tidewar");
}

class Languages : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        StartProgram();
    }
};

TEST_F(Languages, SwitchChangesMenuAndStoresTheChoice)
{
    struct Case { int command; uint32_t language; const wchar_t* game; const wchar_t* help; };
    const Case cases[] = {{CMD_GERMAN, German, L"&Spiel", L"&?"},
                          {CMD_RUSSIAN, Russian, L"&Игра", L"&?"},
                          {CMD_ENGLISH, English, L"&Game", L"&?"}};
    for (const Case& c : cases) {
        Command(c.command);
        EXPECT_EQ(Language, c.language);
        EXPECT_EQ(MenuText(0), c.game);
        EXPECT_EQ(MenuText(2), c.help);
        EXPECT_EQ(WindowTitle(), L"Tidewar");
        const std::vector<unsigned char> properties = SettingBytes("Properties");
        ASSERT_EQ(properties.size(), 17u);
        EXPECT_EQ(properties[3], c.language);
    }
}

TEST_F(Languages, ChoosingTheLanguageInUseStoresNothing)
{
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKeyPath, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    RegDeleteValueA(key, "Properties");
    RegCloseKey(key);
    Command(CMD_ENGLISH);
    EXPECT_TRUE(SettingBytes("Properties").empty());
}

TEST_F(Languages, SwitchInBattleRedrawsTheMessageInTheNewLanguage)
{
    Command(CMD_NEW_GAME);
    PlaceWholeFleet();
    ASSERT_EQ(GamePhase, Battle);
    int x = 0, y = 0;
    while (EnemyBoard[x][y] == Deck)   // a sure miss
        ++x;
    Click(30 + 20 * x + 10, 30 + 20 * y + 10);
    ASSERT_EQ(StatusMessageId, MissMessage);
    const unsigned englishPixels = [] {
        unsigned dark = 0;
        for (int px = 170; px < 330; ++px)
            for (int py = 250; py < 271; ++py)
                dark += ScenePixel(px, py) == 0;
        return dark;
    }();
    Command(CMD_GERMAN);
    EXPECT_EQ(StatusMessageId, MissMessage);
    unsigned germanPixels = 0;
    for (int px = 170; px < 330; ++px)
        for (int py = 250; py < 271; ++py)
            germanPixels += ScenePixel(px, py) == 0;
    EXPECT_GT(englishPixels, 20u) << "\"Miss\" is written";
    EXPECT_GT(germanPixels, englishPixels) << "\"Aha! Voruber!\" is longer than \"Miss\"";
}

class GameFlow : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        StartProgram();
    }

    void SinkTheEnemyFleet()
    {
        for (const ShipRecord& ship : EnemyFleet)
            for (int k = 0; k < ship.size; ++k)
                Click(30 + 20 * ship.deckX[k] + 10, 30 + 20 * ship.deckY[k] + 10);
    }

    // Leaves the player one deck, with the computer's hunt aimed at it.
    void LeaveOneHomeDeckInSight()
    {
        for (int x = 0; x < kFieldSize; ++x)
            for (int y = 0; y < kFieldSize; ++y)
                if (HomeBoard[x][y] == Deck && !(x == 9 && y == 4))
                    HomeBoard[x][y] = HomeHit;
        HomeDecksLeft = 1;
        HomeShipsLeft = 1;
        HuntActive = 1;
        TargetStack.count = 1;
        TargetStack.entries[0] = {9, 4};
        ComputerTurn = 1;
    }
};

TEST_F(GameFlow, BeforeTheFirstGameNothingAnswers)
{
    Click(100, 100);
    Click(210, 260);
    Tick();
    EXPECT_EQ(GamePhase, NoGame);
    EXPECT_EQ(PlacementDrag, NoDrag);
    EXPECT_EQ(CountCells(EnemyBoard, Water), 100);
}

TEST_F(GameFlow, NewGameStartsThePlacementWithTheLargestShip)
{
    Command(CMD_NEW_GAME);
    EXPECT_EQ(GamePhase, Placement);
    EXPECT_EQ(PlacementSize, 4);
    EXPECT_EQ(PlacementLeft, 1);
    EXPECT_EQ(EnemyDecksLeft, 20);
    EXPECT_EQ(CountCells(EnemyBoard, Deck), 20);
    EXPECT_EQ(StatusMessageId, NoMessage);
    Click(100, 100);
    EXPECT_EQ(CountCells(EnemyBoard, EnemyMiss) + CountCells(EnemyBoard, EnemyHit), 0) << "no shots while placing";
}

TEST_F(GameFlow, TicksStepThePanelThroughTheSizesIntoTheBattle)
{
    Command(CMD_NEW_GAME);
    DropOfferedShip(false, 0, 0);
    EXPECT_EQ(PlacementLeft, 0);
    Tick();
    EXPECT_EQ(PlacementSize, 3);
    EXPECT_EQ(PlacementLeft, 2);
    Command(CMD_NEW_GAME);
    PlaceWholeFleet();
    EXPECT_EQ(GamePhase, Battle);
    EXPECT_EQ(PlacedShipCount, 10);
    EXPECT_EQ(PlacementSize, 0);
    EXPECT_EQ(PlacementLeft, 5);
    EXPECT_NE(CounterFont, nullptr);
    EXPECT_NE(MessageFont, nullptr);
    EXPECT_EQ(CountCells(HomeBoard, Deck), 20);
}

TEST_F(GameFlow, VictoryComesAtTheNextTickWithMessageStatisticsAndBox)
{
    Command(CMD_NEW_GAME);
    PlaceWholeFleet();
    SinkTheEnemyFleet();
    EXPECT_EQ(EnemyDecksLeft, 0);
    EXPECT_EQ(GamePhase, Battle) << "the click itself declares nothing";
    EXPECT_TRUE(answered.empty());
    Tick();
    EXPECT_EQ(GamePhase, GameOver);
    EXPECT_EQ(EnemyDecksLeft, -1);
    EXPECT_EQ(HomeDecksLeft, -1);
    EXPECT_EQ(StatusMessageId, WinLevel2Message);
    ASSERT_EQ(answered.size(), 1u);
    EXPECT_EQ(answered[0].caption, L"VICTORY");
    EXPECT_EQ(answered[0].text, L"You has won");
    const std::vector<unsigned char> statistic = SettingBytes("Statistic");
    ASSERT_EQ(statistic.size(), 8u);
    EXPECT_EQ(statistic[0], 1);
    EXPECT_EQ(statistic[4], 0);
    EXPECT_EQ(ComputerTurn, 0);

    Tick();
    Click(100, 100);
    EXPECT_EQ(GamePhase, GameOver);
    EXPECT_EQ(answered.size(), 1u) << "a finished game stays finished";
}

TEST_F(GameFlow, VictoryMessageFollowsTheSkillLevel)
{
    struct Case { uint8_t level; int message; };
    for (Case c : {Case{1, WinLevel1Message}, Case{3, WinLevel3Message}}) {
        SkillLevel = c.level;
        SaveSettings();
        Command(CMD_NEW_GAME);
        PlaceWholeFleet();
        SinkTheEnemyFleet();
        Tick();
        EXPECT_EQ(StatusMessageId, c.message) << "level " << int(c.level);
    }
    const std::vector<unsigned char> statistic = SettingBytes("Statistic");
    ASSERT_EQ(statistic.size(), 8u);
    EXPECT_EQ(statistic[0], 2) << "wins accumulate in the store";
}

TEST_F(GameFlow, DefeatInTheTickOfTheLastHitAndTheComputerOpensTheNextBattle)
{
    Command(CMD_NEW_GAME);
    PlaceWholeFleet();
    LeaveOneHomeDeckInSight();
    Tick();
    EXPECT_EQ(GamePhase, GameOver);
    EXPECT_EQ(StatusMessageId, ComputerWinsMessage);
    ASSERT_EQ(answered.size(), 1u);
    EXPECT_EQ(answered[0].caption, L"VICTORY");
    EXPECT_EQ(answered[0].text, L"You has loss");
    const std::vector<unsigned char> statistic = SettingBytes("Statistic");
    ASSERT_EQ(statistic.size(), 8u);
    EXPECT_EQ(statistic[0], 0);
    EXPECT_EQ(statistic[4], 1);
    EXPECT_EQ(ComputerTurn, 1);

    Command(CMD_NEW_GAME);
    PlaceWholeFleet();
    const int homeShotsBefore = CountCells(HomeBoard, HomeMiss) + CountCells(HomeBoard, HomeHit);
    EXPECT_EQ(homeShotsBefore, 0);
    EXPECT_EQ(ComputerTurn, 1);
}

TEST_F(GameFlow, CountersAfterTheEndShowWhatWasLeft)
{
    Command(CMD_NEW_GAME);
    PlaceWholeFleet();
    SinkTheEnemyFleet();
    Tick();
    ASSERT_EQ(GamePhase, GameOver);
    DrawCounters();
    // The left counter reads 0 and the right one 20: neither is "-1", whose minus sign
    // would darken the box's left part.
    unsigned darkLeftOfDigits = 0;
    for (int px = 175; px < 190; ++px)
        for (int py = 290; py < 330; ++py)
            darkLeftOfDigits += ScenePixel(px, py) == 0;
    EXPECT_EQ(darkLeftOfDigits, 0u);
}

TEST_F(GameFlow, PaintPlaysTheShotSoundOnceAndClearsIt)
{
    Command(CMD_NEW_GAME);
    PlaceWholeFleet();
    Click(30 + 20 * 9 + 10, 30 + 20 * 9 + 10);
    EXPECT_EQ(ShotSoundPending, 1);
    UpdateWindow(MainWindow);
    EXPECT_EQ(ShotSoundPending, 0);
    EXPECT_TRUE(BackgroundDrawn);
}

TEST_F(GameFlow, ExitPostsQuitWithCodeZeroAndReleasesTheScene)
{
    Command(CMD_EXIT);
    MSG message;
    bool quit = false;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        if (message.message == WM_QUIT) {
            quit = true;
            EXPECT_EQ(message.wParam, 0u);
        }
    EXPECT_TRUE(quit);
    EXPECT_EQ(BackBuffer, nullptr);
    Tick();   // a tick still queued changes nothing
    EXPECT_EQ(GamePhase, NoGame);
}

// Odd clicks at odd moments: presses, drags and releases anywhere, ticks, new games,
// language switches and the options and statistics dialogs in any order never break the
// game's bookkeeping.
TEST_F(GameFlow, RandomInputKeepsTheGameConsistent)
{
    ComputerPauseMs = 0;
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
        else if (GamePhase == GameOver || GamePhase == NoGame || dice() % 32 == 0)
            Command(CMD_NEW_GAME);

        ASSERT_GE(PlacedShipCount, 0);
        ASSERT_LE(PlacedShipCount, kFleetShips);
        ASSERT_LE(CountCells(HomeBoard, Deck), kFleetDecks);
        if (GamePhase == Placement) {
            int decks = 0;
            for (int i = 0; i < PlacedShipCount; ++i)
                decks += PlacedShips[i].sizeIndex + 1;
            ASSERT_EQ(CountCells(HomeBoard, Deck), decks) << "step " << step;
        }
        if (GamePhase == Battle) {
            ASSERT_EQ(EnemyDecksLeft, CountCells(EnemyBoard, Deck));
            ASSERT_EQ(HomeDecksLeft, CountCells(HomeBoard, Deck));
        }
        battleSeen |= GamePhase == Battle;
        endSeen |= GamePhase == GameOver;
    }
    EXPECT_TRUE(battleSeen);
    EXPECT_TRUE(endSeen);
}

}  // namespace
