// The scene in the BackBuffer: the pictures where they belong, the counters and the
// message line in their fonts; the redraw is held by the random-input test.
#include "app/network_game.h"
#include "game/network.h"
#include "tests/win/shell_fixture.h"

namespace {

using Scene = ShellTest;

// Rows and columns of the panels' pictures as the skin draws them. While the player places,
// the panel offers ships and shows no message line, in any language: back in the first one,
// the panel is as it was, its hint with no letter of the others left.
TEST_F(Scene, PanelsLandToThePixelAndALanguageLeavesThePlacementPanel)
{
    EXPECT_TRUE(PictureShownAt(BackgroundPicture, 0, kBoardTop, kSceneWidth, kSceneHeight - kBoardTop)) << "only the background below the hint";
    Command(CMD_NEW_GAME);
    const int left = kPlacementPanelLeft, top = kPlacementPanelTop;
    EXPECT_TRUE(PictureShownAt(PlacementPanelPicture, left, top, kOfferedVerticalLeft - left, kPlacementPanelHeight)) << "left of the ships on offer";
    EXPECT_EQ(ScenePixel(left + 50, top + 99), 0x000000u) << "the frame closes at row 99";
    EXPECT_TRUE(PictureShownAt(BackgroundPicture, left, top + kPlacementPanelHeight, kPlacementPanelWidth, 10)) << "rows 100 on are not copied";
    // Each field ends at its tenth column and row: between, beside and below them lies the background.
    const int gap = kHomeBoardLeft - kEnemyBoardLeft - kBoardPixels, right = kHomeBoardLeft + kBoardPixels, below = kBoardTop + kBoardPixels;
    EXPECT_TRUE(PictureShownAt(BackgroundPicture, kEnemyBoardLeft + kBoardPixels, kBoardTop, gap, kBoardPixels)) << "between the fields";
    EXPECT_TRUE(PictureShownAt(BackgroundPicture, right, kBoardTop, kSceneWidth - right, kBoardPixels)) << "right of the home field";
    EXPECT_TRUE(PictureShownAt(BackgroundPicture, kEnemyBoardLeft, below, left - kEnemyBoardLeft, kCellSize)) << "below the enemy field";
    EXPECT_TRUE(PictureShownAt(BackgroundPicture, left + kPlacementPanelWidth, below, right - left - kPlacementPanelWidth, kCellSize))
        << "below the home field";
    PlaceShips(3);
    const std::vector<unsigned> placing = SceneSnapshot();
    for (int language : {CMD_GERMAN, CMD_RUSSIAN, CMD_ENGLISH})
        Command(language);
    EXPECT_EQ(SceneSnapshot(), placing);
    PlaceShips(kFleetShips);   // the three placed are refused again
    EXPECT_EQ(ScenePixel(kBattlePanelLeft + 10, kBattlePanelTop + 29), 0x0000FFu) << "band at rows 27-31";
    EXPECT_EQ(ScenePixel(kBattlePanelLeft + 84, kBattlePanelTop + 80), 0x0000FFu) << "band at columns 82-86";
    EXPECT_EQ(ScenePixel(left + 1, top + 60), 0x00FFFFu) << "the placement frame stays around the battle panel";
    BeginBattle();
    EXPECT_EQ(ScenePixel(kBattlePanelLeft + 10, kBattlePanelTop + 29), 0x0000FFu) << "the next battle's panel, loaded afresh";
}

// A deck hidden until hit; the counters count the computer's fleet on the left, in decks or
// ships; a language switch shows the message again in the new language. The widest messages
// of every language are clipped to their line: a spill would stay, as nothing clears it.
TEST_F(Scene, CellsCountersAndMessagesShowInTheirFontsWithinTheirBoxes)
{
    BeginBattle();   // the player's 4-decker lies at (0, 0)-(3, 0)
    for (const auto& [font, height, charset] :
         {std::make_tuple(Status.CounterFont, 50L, BYTE(ANSI_CHARSET)), std::make_tuple(Status.MessageFont, 20L, BYTE(RUSSIAN_CHARSET))}) {
        LOGFONTW made = {};
        GetObjectW(font, sizeof made, &made);
        EXPECT_EQ(std::make_tuple(made.lfHeight, made.lfWeight, made.lfCharSet), std::make_tuple(height, LONG(FW_BOLD), charset));
    }
    EXPECT_TRUE(MessageShows(L"")) << "blank until the first shot";
    EXPECT_TRUE(CounterShows(kHomeCounterBox, L"20"));
    const ShipRecord& ship = Game.EnemyFleet[0];
    FireAt(ship, 0);
    FireAt(ship, 1);   // deck 0 is no longer the ringed last shot
    EXPECT_TRUE(CellShows(HitPicture, true, ship.deckX[0], ship.deckY[0]));
    EXPECT_TRUE(CellShows(CellPicture, true, ship.deckX[2], ship.deckY[2]));
    EXPECT_TRUE(MessageShows(L"Direct hit"));
    EXPECT_TRUE(CounterShows(kEnemyCounterBox, L"18"));
    for (int k = 2; k < ship.size; ++k)
        FireAt(ship, k);
    EXPECT_TRUE(CellShows(SunkPicture, true, ship.deckX[0], ship.deckY[0]));
    EXPECT_TRUE(MessageShows(L"Ship sunk"));
    Command(CMD_GERMAN);
    EXPECT_TRUE(MessageShows(L"Ich bin tot!"));
    EXPECT_TRUE(WindowShowsTheScene()) << "the switch shown";   // and nothing left to paint
    EXPECT_TRUE(CounterShows(kEnemyCounterBox, L"16")) << "a switch leaves the counters";
    Settings.ShowDecks = false;
    DrawCounters();
    EXPECT_TRUE(WindowShowsTheScene()) << "the counters shown";
    EXPECT_TRUE(CounterShows(kEnemyCounterBox, L"9"));
    EXPECT_TRUE(CounterShows(kHomeCounterBox, L"10"));
    const std::vector<unsigned> before = SceneSnapshot();
    for (int language : {CMD_RUSSIAN, CMD_ENGLISH, CMD_GERMAN})
        for (int message = IDS_MISS; message <= IDS_SUNK; ++message) {
            Command(language);
            ShowStatusMessage(static_cast<StatusMessage>(message));
        }
    EXPECT_EQ(SceneSnapshot(), before) << "back at the sinking's German message, nothing beside the line changed";
}

// The band over the boards tells of a partner still placing, and of one overdue before that.
TEST_F(Scene, TheBandTellsOfAPartnerPlacingAndOverdue)
{
    StartNetworkGame(Game, false, "Me");
    const std::string hello = std::string("\0\x2AHTIDEWAR\x02\x20", 12) + std::string(32, 'W');
    ReceivePartnerBytes(Game, reinterpret_cast<const uint8_t*>(hello.data()), hello.size());
    ASSERT_EQ(Game.Opponent, PartnerOpponent);
    wchar_t line[128] = L"";
    PartnerLineText(line, 128);
    EXPECT_EQ(line, std::wstring(32, L'W') + L" is still placing the fleet");
    Game.Network.overdue = true;
    PartnerLineText(line, 128);
    EXPECT_EQ(line, L"Waiting for " + std::wstring(32, L'W') + L"...") << "overdue, not placing";
    LeaveNetworkGame(Game);
}

}  // namespace
