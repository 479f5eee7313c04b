// The scene in the BackBuffer: the pictures where they belong, the counters and the
// message line in their fonts; the redraw is held by the random-input test.
#include "tests/win/shell_fixture.h"

namespace {

using Scene = ShellTest;

// Panels, cells, counters and message to the pixel, a deck hidden; every message of every
// language stays in its line.
TEST_F(Scene, PicturesCountersAndMessagesLandToThePixelInTheirFontsShipsHideAndNoMessageLeavesItsLine)
{
    const auto fire = [this](int x, int y) { Click(40 + 20 * x, 40 + 20 * y); };
    EXPECT_TRUE(PictureShownAt(BackgroundPicture, 0, 30, 510, 370)) << "only the background below the hint";
    Command(CMD_NEW_GAME);
    EXPECT_TRUE(PictureShownAt(PlacementPanelPicture, 165, 240, 35, 100)) << "left of the ships on offer";
    EXPECT_EQ(ScenePixel(165 + 50, 240 + 99), 0x000000u) << "the frame closes at row 99";
    EXPECT_TRUE(PictureShownAt(BackgroundPicture, 165, 340, 180, 10)) << "rows 100 on are not copied";
    PlaceWholeFleet();   // the player's 4-decker lies at (0, 0)-(3, 0)
    EXPECT_EQ(ScenePixel(170 + 10, 245 + 29), 0x0000FFu) << "band at rows 27-31";
    EXPECT_EQ(ScenePixel(170 + 84, 245 + 80), 0x0000FFu) << "band at columns 82-86";
    EXPECT_EQ(ScenePixel(166, 300), 0x00FFFFu) << "the placement frame stays around the battle panel";
    struct Font { HFONT font; LONG height; BYTE charset; };
    for (const Font& c : {Font{Status.CounterFont, 50, ANSI_CHARSET}, Font{Status.MessageFont, 20, RUSSIAN_CHARSET}}) {
        LOGFONTW made = {};
        GetObjectW(c.font, sizeof made, &made);
        EXPECT_TRUE(made.lfHeight == c.height && made.lfWeight == FW_BOLD && made.lfCharSet == c.charset) << c.height;
    }
    EXPECT_TRUE(MessageShows(L"")) << "blank until the first shot";
    EXPECT_TRUE(CounterShows(kEnemyCounterBox, L"20") && CounterShows(kHomeCounterBox, L"20"));
    const ShipRecord& ship = Game.EnemyFleet[0];
    fire(ship.deckX[0], ship.deckY[0]);
    fire(ship.deckX[1], ship.deckY[1]);   // deck 0 is no longer the ringed last shot
    EXPECT_TRUE(CellShows(HitPicture, true, ship.deckX[0], ship.deckY[0]));
    EXPECT_TRUE(CellShows(CellPicture, true, ship.deckX[2], ship.deckY[2]));
    EXPECT_TRUE(MessageShows(L"Direct hit"));
    EXPECT_TRUE(CounterShows(kEnemyCounterBox, L"18")) << "the left counter is the computer's fleet";
    for (int k = 2; k < ship.size; ++k)
        fire(ship.deckX[k], ship.deckY[k]);
    EXPECT_TRUE(CellShows(SunkPicture, true, ship.deckX[0], ship.deckY[0]));
    EXPECT_TRUE(MessageShows(L"Ship sunk"));
    Command(CMD_GERMAN);
    EXPECT_TRUE(MessageShows(L"Ich bin tot!"));
    EXPECT_TRUE(CounterShows(kEnemyCounterBox, L"16")) << "a switch leaves the counters";
    Settings.ShowDecks = false;
    DrawCounters();
    EXPECT_TRUE(CounterShows(kEnemyCounterBox, L"9") && CounterShows(kHomeCounterBox, L"10"));
    Game.HuntActive = Game.ComputerTurn = true;
    Game.TargetStack = {{{1, 0}}, 1};
    Tick();
    Tick();   // the hunt's next shot takes the ring off (1, 0)
    EXPECT_TRUE(CellShows(HitPicture, false, 1, 0));
    const std::vector<unsigned> before = SceneSnapshot();   // the widest messages are clipped to their line
    for (int language : {CMD_RUSSIAN, CMD_ENGLISH, CMD_GERMAN})
        for (int message = IDS_MISS; message <= IDS_SUNK; ++message)
            Command(language), ShowStatusMessage(message);
    const std::vector<unsigned> after = SceneSnapshot();   // a spill would stay: nothing clears it
    const StatusBox& line = kMessageLine;
    int spilt = 0;
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 510; ++x)
            spilt += (x < line.left || x >= line.left + line.width || y < line.top || y >= line.top + line.height) &&
                     after[y * 510 + x] != before[y * 510 + x];
    EXPECT_EQ(spilt, 0);
}

}  // namespace
