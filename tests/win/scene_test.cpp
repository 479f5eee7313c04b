#include <random>

#include "app/pause.h"
#include "app/placement.h"
#include "app/status.h"
#include "app/window.h"
#include "game/board.h"
#include "game/computer.h"
#include "game/fleet.h"
#include "game/options.h"
#include "game/phase.h"
#include "gfx/backbuffer.h"
#include "gfx/scene.h"
#include "gfx/skin.h"
#include "res/resource.h"
#include "tests/win/shell_fixture.h"
#include "ui/settings.h"

namespace {

constexpr unsigned kWhite = 0xFFFFFF, kBlack = 0x000000, kBlue = 0x0000FF, kCyan = 0x00FFFF;

// The header of a bitmap resource of the program itself.
BITMAPINFOHEADER BitmapHeader(int id)
{
    HRSRC found = FindResourceW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2));
    BITMAPINFOHEADER header = {};
    if (found)
        header = *static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(nullptr, found)));
    return header;
}

TEST(BuiltInSkin, PicturesHaveTheirSizesAndDepths)
{
    struct Case { int id, width, height, bits; };
    const Case cases[] = {
        {IDB_SHIP_VERTICAL_1, 20, 20, 4},   {IDB_SHIP_VERTICAL_2, 20, 40, 4},   {IDB_SHIP_VERTICAL_3, 20, 60, 4},
        {IDB_SHIP_VERTICAL_4, 20, 80, 4},   {IDB_SHIP_HORIZONTAL_1, 20, 20, 4}, {IDB_SHIP_HORIZONTAL_2, 40, 20, 4},
        {IDB_SHIP_HORIZONTAL_3, 60, 20, 4}, {IDB_SHIP_HORIZONTAL_4, 80, 20, 4}, {IDB_CELL, 20, 20, 4},
        {IDB_HIT, 20, 20, 4},               {IDB_MISS, 20, 20, 4},              {IDB_BACKGROUND, 511, 401, 8},
        {IDB_PLACEMENT_PANEL, 180, 110, 4}, {IDB_BATTLE_PANEL, 170, 90, 4},     {IDB_BLANK_CELL, 20, 20, 1},
        {IDB_SUNK, 20, 20, 4},              {IDB_DEAD_ZONE, 20, 20, 4},
    };
    for (const Case& c : cases) {
        const BITMAPINFOHEADER header = BitmapHeader(c.id);
        EXPECT_EQ(header.biWidth, c.width) << "bitmap " << c.id;
        EXPECT_EQ(std::abs(header.biHeight), c.height) << "bitmap " << c.id;
        EXPECT_EQ(header.biBitCount, c.bits) << "bitmap " << c.id;
    }
}

class Scene : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        StartProgram();
    }
};

TEST_F(Scene, BeforeTheFirstGameOnlyTheBackgroundShows)
{
    const std::vector<unsigned> painted = SceneSnapshot();
    EXPECT_TRUE(PictureShownAt(BackgroundPicture, 0, 0, 510, 400));
    RedrawScene();
    EXPECT_EQ(SceneSnapshot(), painted);
}

TEST_F(Scene, PanelsAndTheirFramesLandToThePixel)
{
    Command(CMD_NEW_GAME);
    EXPECT_TRUE(PictureShownAt(PlacementPanelPicture, 165, 240, 35, 100)) << "left of the ships on offer";
    EXPECT_EQ(ScenePixel(165 + 50, 240 + 99), kBlack) << "the frame closes at row 99";
    EXPECT_EQ(ScenePixel(165 + 50, 240 + 98), kCyan);
    EXPECT_TRUE(BackgroundShownAt(165, 340, 180, 10)) << "rows 100 on are not copied";
    PlaceWholeFleet();
    EXPECT_EQ(ScenePixel(170 + 10, 245 + 29), kBlue) << "band at rows 27-31";
    EXPECT_EQ(ScenePixel(170 + 84, 245 + 80), kBlue) << "band at columns 82-86";
    EXPECT_EQ(ScenePixel(166, 300), kCyan) << "the placement frame stays around the battle panel";
    EXPECT_EQ(ScenePixel(170 + 10, 245 + 88), kWhite);
}

TEST_F(Scene, ComputerShipsHideAndShotsShowAtTheirCells)
{
    Command(CMD_NEW_GAME);
    for (int x = 0; x < 10; ++x)
        for (int y = 0; y < 10; ++y)
            ASSERT_TRUE(CellShows(CellPicture, true, x, y)) << x << ", " << y;
    PlaceWholeFleet();
    const ShipRecord& ship = EnemyFleet[0];
    Click(30 + 20 * ship.deckX[0] + 10, 30 + 20 * ship.deckY[0] + 10);
    EXPECT_TRUE(CellShows(HitPicture, true, ship.deckX[0], ship.deckY[0]));
    EXPECT_TRUE(CellShows(CellPicture, true, ship.deckX[1], ship.deckY[1]));
    for (int k = 1; k < ship.size; ++k)
        Click(30 + 20 * ship.deckX[k] + 10, 30 + 20 * ship.deckY[k] + 10);
    for (int k = 0; k < ship.size; ++k)
        EXPECT_TRUE(CellShows(SunkPicture, true, ship.deckX[k], ship.deckY[k]));
}

TEST_F(Scene, ComputerHitsShowOverTheShipAndRuledOutWaterStaysPlain)
{
    Command(CMD_NEW_GAME);
    PlaceWholeFleet();   // the 4-decker lies at (0, 0)-(3, 0)
    HuntActive = 1;
    TargetStack.count = 1;
    TargetStack.entries[0] = {1, 0};
    ComputerTurn = 1;
    Tick();
    EXPECT_TRUE(CellShows(HitPicture, false, 1, 0));
    EXPECT_EQ(HomeBoard[0][1], RuledOut);
    EXPECT_TRUE(CellShows(CellPicture, false, 0, 1));
    EXPECT_TRUE(CellShows(CellPicture, false, 2, 1));
}

TEST_F(Scene, CountersFollowTheFleetsAndTheDecksSetting)
{
    Command(CMD_NEW_GAME);
    PlaceWholeFleet();
    EXPECT_TRUE(CounterShows(kEnemyCounterBox, "20"));
    EXPECT_TRUE(CounterShows(kHomeCounterBox, "20"));
    const ShipRecord& oneDecker = EnemyFleet[9];
    Click(30 + 20 * oneDecker.deckX[0] + 10, 30 + 20 * oneDecker.deckY[0] + 10);
    EXPECT_TRUE(CounterShows(kEnemyCounterBox, "19")) << "the left counter is the computer's fleet";
    EXPECT_TRUE(CounterShows(kHomeCounterBox, "20"));
    ShowDecks = false;
    DrawCounters();
    EXPECT_TRUE(CounterShows(kEnemyCounterBox, "9"));
    EXPECT_TRUE(CounterShows(kHomeCounterBox, "10"));
}

TEST_F(Scene, MessageLineAnswersEachShotInTheCurrentLanguage)
{
    Command(CMD_NEW_GAME);
    PlaceWholeFleet();
    EXPECT_TRUE(MessageShows(L"")) << "blank until the first shot";
    const ShipRecord& twoDecker = EnemyFleet[3];
    Click(30 + 20 * twoDecker.deckX[0] + 10, 30 + 20 * twoDecker.deckY[0] + 10);
    EXPECT_TRUE(MessageShows(L"Direct hit"));
    Click(30 + 20 * twoDecker.deckX[1] + 10, 30 + 20 * twoDecker.deckY[1] + 10);
    EXPECT_TRUE(MessageShows(L"Ship sunk"));
    Command(CMD_RUSSIAN);
    EXPECT_TRUE(MessageShows(L"Убит"));
    EXPECT_TRUE(CounterShows(kEnemyCounterBox, "18")) << "a switch leaves the counters";
    Command(CMD_GERMAN);
    EXPECT_TRUE(MessageShows(L"Ich bin tot!"));
}

TEST_F(Scene, FinishedGameCountersShowWhatWasLeft)
{
    Command(CMD_NEW_GAME);
    PlaceWholeFleet();
    HomeBoard[0][0] = HomeHit;   // one hit taken, as the computer would have
    HomeDecksLeft = 19;
    for (const ShipRecord& ship : EnemyFleet)
        for (int k = 0; k < ship.size; ++k)
            Click(30 + 20 * ship.deckX[k] + 10, 30 + 20 * ship.deckY[k] + 10);
    Tick();
    ASSERT_EQ(GamePhase, GameOver);
    DrawCounters();
    EXPECT_TRUE(CounterShows(kEnemyCounterBox, "0"));
    EXPECT_TRUE(CounterShows(kHomeCounterBox, "19"));
    RedrawScene();
    EXPECT_TRUE(CounterShows(kEnemyCounterBox, "0"));
    EXPECT_TRUE(CounterShows(kHomeCounterBox, "19"));
}

// After any play, rebuilding the scene from the state gives the very same pixels as the
// drawing done step by step.
TEST_F(Scene, RedrawRebuildsWhatPlayDrew)
{
    ComputerPauseMs = 0;
    std::mt19937 dice(2024);
    for (int round = 0; round < 12; ++round) {
        MarkDeadShips = round % 3 != 1;
        MarkDeadZone = round % 2 == 0;
        ShowDecks = round % 4 != 3;
        SkillLevel = static_cast<uint8_t>(1 + round % 3);
        Command(CMD_NEW_GAME);
        PlaceShips(round % 4 == 0 ? static_cast<int>(dice() % 10) : kFleetShips);
        const int shots = static_cast<int>(dice() % 120);
        for (int shot = 0; shot < shots && GamePhase == Battle; ++shot) {
            if (ComputerTurn) {
                Tick();
            } else {
                Click(31 + static_cast<int>(dice() % 199), 31 + static_cast<int>(dice() % 199));
            }
            Tick();
        }
        const std::vector<unsigned> played = SceneSnapshot();
        RedrawScene();
        const std::vector<unsigned> redrawn = SceneSnapshot();
        int differing = 0;
        for (size_t i = 0; i < played.size(); ++i)
            differing += played[i] != redrawn[i];
        EXPECT_EQ(differing, 0) << "round " << round << ", phase " << GamePhase;
        for (size_t i = 0; i < played.size() && differing; ++i)
            if (played[i] != redrawn[i]) {
                ADD_FAILURE() << "first difference at (" << i % 510 << ", " << i / 510 << ")";
                break;
            }
    }
}

}  // namespace
