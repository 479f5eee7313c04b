// Every text the scene draws is whole and keeps off the edges of its box, in each language and
// at each size: the battle panel's line and counters, the placing hint, the partner line.
#include "app/network_game.h"
#include "game/network.h"
#include "tests/win/shell_fixture.h"

namespace {

struct LanguageRow {
    const char* name;
    int command;
    StatusMessage widest, narrow;
    const wchar_t *widestText, *narrowText;
};

void PrintTo(const LanguageRow& row, std::ostream* out)
{
    *out << row.name;
}

class SceneTexts : public ShellTest, public ::testing::WithParamInterface<LanguageRow> {};

// Whether, painted as the window paints at each size, the box's outermost column on the right
// (and where `ring`, its whole outer ring) is white: no ink touches the edge, nor what lies beyond.
bool InkOffTheEdge(const StatusBox& box, bool ring)
{
    // The scale is set, not chosen: a size larger than the test's screen would give way.
    for (int scale = 1; scale <= 3; ++scale) {
        Scene.Scale = scale;
        HDC screen = GetDC(MainWindow), copy = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, scale * kSceneWidth, scale * kSceneHeight);
        HGDIOBJ previous = SelectObject(copy, bitmap);
        ShowSceneArea(copy, 0, 0, kSceneWidth, kSceneHeight);   // whole, where the screen would end
        SelectObject(copy, previous);
        const std::vector<unsigned> painted = Pixels(copy, bitmap, scale * kSceneWidth, scale * kSceneHeight);
        DeleteObject(bitmap);
        DeleteDC(copy);
        ReleaseDC(MainWindow, screen);
        const int left = scale * box.left, top = scale * box.top, right = scale * (box.left + box.width), bottom = scale * (box.top + box.height);
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                if ((x >= right - scale || (ring && (x < left + scale || y < top + scale || y >= bottom - scale))) &&
                    painted[y * scale * kSceneWidth + x] != 0xFFFFFFu)
                    return false;
    }
    return true;
}

// The widest message and two-digit counters whole in a step of their fonts, a narrow message in
// the font itself; every message and counter clear of its box's right edge.
TEST_P(SceneTexts, TheBattlePanelShowsEachTextWholeClearOfTheDividerAndTheFrame)
{
    Command(GetParam().command);
    BeginBattle();
    EXPECT_TRUE(InkOffTheEdge(kEnemyCounterBox, false) && InkOffTheEdge(kHomeCounterBox, false)) << "20 and 20";
    ShowStatusMessage(GetParam().narrow);
    EXPECT_TRUE(TextShows(Status.MessageFont, kMessageLine, GetParam().narrowText, false)) << "a message that fits keeps the font";
    ShowStatusMessage(GetParam().widest);
    EXPECT_TRUE(MessageShows(GetParam().widestText));
    for (bool decks : {true, false}) {
        Settings.ShowDecks = decks;
        DrawCounters();
        EXPECT_TRUE(CounterShows(kEnemyCounterBox, decks ? L"20" : L"10") && CounterShows(kHomeCounterBox, decks ? L"20" : L"10"));
    }
    for (int message = IDS_MISS; message <= IDS_SUNK; ++message) {
        ShowStatusMessage(static_cast<StatusMessage>(message));
        EXPECT_TRUE(InkOffTheEdge(kMessageLine, false)) << message;
    }
}

// The hint changes with the language and lies in two lines within its box.
TEST_P(SceneTexts, ThePlacingPanelTellsOfTheRandomFleetInTwoLinesWithinItsBox)
{
    Command(GetParam().command == CMD_GERMAN ? CMD_RUSSIAN : CMD_GERMAN);
    Command(CMD_NEW_GAME);
    const std::vector<unsigned> before = SceneSnapshot();
    Command(GetParam().command);
    EXPECT_NE(SceneSnapshot(), before) << "the hint in the new language";
    const StatusBox& box = kPlacingHintBox;
    const auto inked = [&box](int top, int bottom) {
        for (int y = top; y < bottom; ++y)
            for (int x = box.left; x < box.left + box.width; ++x)
                if (ScenePixel(x, y) != 0xFFFFFFu)
                    return true;
        return false;
    };
    const int middle = box.top + box.height / 2;
    EXPECT_TRUE(inked(box.top, middle) && inked(middle, box.top + box.height)) << "a line in each half";
    EXPECT_TRUE(InkOffTheEdge(box, true));
}

// The overdue line with a name of 32 wide letters keeps the band's margins and shows the name's
// last letter: another one there changes the line.
TEST_P(SceneTexts, TheWidestPartnerNameIsWholeWithinTheBandsMargins)
{
    Command(GetParam().command);
    StartNetworkGame(Game, false, "Me");
    const std::string hello = std::string("\0\x2AHTIDEWAR\x02\x20", 12) + std::string(32, 'W');
    ReceivePartnerBytes(Game, reinterpret_cast<const uint8_t*>(hello.data()), hello.size());
    Game.Network.overdue = true;
    ShowPartnerLine();
    for (int left : {0, kClientWidth - kBandMargin})
        EXPECT_TRUE(PictureShownAt(BackgroundPicture, left, kStartHintTop, kBandMargin, kStartHintHeight + 1)) << left;
    const std::vector<unsigned> wide = SceneSnapshot();
    Game.Network.partnerName[31] = 'I';
    ShowPartnerLine();
    EXPECT_NE(SceneSnapshot(), wide) << "the last letter shown";
    LeaveNetworkGame(Game);
}

INSTANTIATE_TEST_SUITE_P(, SceneTexts,
                         ::testing::Values(LanguageRow{"Russian", CMD_RUSSIAN, WinLevel1Message, MissMessage, L"Обидел малыша ?", L"Промах"},
                                           LanguageRow{"English", CMD_ENGLISH, WinLevel1Message, MissMessage, L"Offend child ?", L"Miss"},
                                           LanguageRow{"German", CMD_GERMAN, ComputerWinsMessage, WinLevel1Message,
                                                       L"Ich bin sehr stark!", L"Fluch!!!"}),
                         [](const auto& row) { return row.param.name; });

}  // namespace
