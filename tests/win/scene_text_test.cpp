// Every text the scene draws is whole and keeps off the edges of its box, in each language and
// at each size: the battle panel's line and counters, the placing panel's hint, the band over
// the boards with the widest partner name.
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

constexpr unsigned kWhite = 0xFFFFFFu;

// The client area as the window paints it at the scale chosen, whole where the screen ends.
std::vector<unsigned> Painted(int sizeCommand, int scale)
{
    SendMessageW(MainWindow, WM_COMMAND, sizeCommand, 0);
    const int width = scale * kSceneWidth, height = scale * kSceneHeight;
    HDC screen = GetDC(MainWindow), copy = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(copy, bitmap);
    ShowSceneArea(copy, 0, 0, kSceneWidth, kSceneHeight);
    SelectObject(copy, previous);
    std::vector<unsigned> pixels = Pixels(copy, bitmap, width, height);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(MainWindow, screen);
    return pixels;
}

// Whether the painted pixels of the box's outermost columns (and rows, where `rows`) are all
// white: no ink touches the box's edge, nor the divider or frame beyond it.
bool InkOffTheEdge(const std::vector<unsigned>& painted, int scale, const StatusBox& box, bool rows)
{
    const int right = box.left + box.width, bottom = box.top + box.height;
    for (int y = scale * box.top; y < scale * bottom; ++y)
        for (int x = scale * box.left; x < scale * right; ++x) {
            const bool edge = x >= scale * (right - 1) || (rows && (x < scale * (box.left + 1) || y < scale * (box.top + 1) ||
                                                                     y >= scale * (bottom - 1)));
            if (edge && painted[y * scale * kSceneWidth + x] != kWhite)
                return false;
        }
    return true;
}

constexpr std::pair<int, int> kSizes[] = {{CMD_NORMAL_SIZE, 1}, {CMD_DOUBLE_SIZE, 2}, {CMD_TRIPLE_SIZE, 3}};

// The widest message whole in a step of the message font, two-digit counters whole in a step of
// the counter font, a narrow message in the font itself, and every message and counter clear of
// its box's right edge at every size.
TEST_P(SceneTexts, TheBattlePanelShowsEachTextWholeClearOfTheDividerAndTheFrame)
{
    Command(GetParam().command);
    BeginBattle();
    ShowStatusMessage(GetParam().narrow);
    EXPECT_TRUE(TextShows(Status.MessageFont, kMessageLine, GetParam().narrowText, false)) << "a message that fits keeps the font";
    ShowStatusMessage(GetParam().widest);
    EXPECT_TRUE(MessageShows(GetParam().widestText));
    for (bool decks : {true, false}) {
        Settings.ShowDecks = decks;
        DrawCounters();
        const wchar_t* count = decks ? L"20" : L"10";
        EXPECT_TRUE(CounterShows(kEnemyCounterBox, count) && CounterShows(kHomeCounterBox, count)) << count;
    }
    for (int message = IDS_MISS; message <= IDS_SUNK; ++message) {
        ShowStatusMessage(static_cast<StatusMessage>(message));
        for (const auto& [size, scale] : kSizes)
            EXPECT_TRUE(InkOffTheEdge(Painted(size, scale), scale, kMessageLine, false)) << message << " at " << scale;
    }
    Settings.ShowDecks = true;
    DrawCounters();
    for (const auto& [size, scale] : kSizes) {
        const std::vector<unsigned> painted = Painted(size, scale);
        EXPECT_TRUE(InkOffTheEdge(painted, scale, kEnemyCounterBox, false)) << "the computer's 20 at " << scale;
        EXPECT_TRUE(InkOffTheEdge(painted, scale, kHomeCounterBox, false)) << "the player's 20 at " << scale;
    }
}

// The hint lies on the panel's white field, clear of its box's edges at every size, in two
// lines; it changes with the language and the ships on offer stay whole beside it.
TEST_P(SceneTexts, ThePlacingPanelTellsOfTheRandomFleetInTwoLinesWithinItsBox)
{
    Command(GetParam().command == CMD_GERMAN ? CMD_RUSSIAN : CMD_GERMAN);
    Command(CMD_NEW_GAME);
    const std::vector<unsigned> before = SceneSnapshot();
    Command(GetParam().command);
    EXPECT_NE(SceneSnapshot(), before) << "the hint in the new language";
    EXPECT_TRUE(ShipShownAt(Horizontal, 4, kOfferedHorizontalLeft, kOfferedHorizontalTop));
    EXPECT_TRUE(ShipShownAt(Vertical, 4, kOfferedVerticalLeft, kOfferedVerticalTop));
    const StatusBox& box = kPlacingHintBox;
    const auto inked = [&box](int top, int bottom) {
        for (int y = top; y < bottom; ++y)
            for (int x = box.left; x < box.left + box.width; ++x)
                if (ScenePixel(x, y) != kWhite)
                    return true;
        return false;
    };
    const int middle = box.top + box.height / 2;
    EXPECT_TRUE(inked(box.top, middle) && inked(middle, box.top + box.height)) << "a line in each half";
    for (const auto& [size, scale] : kSizes)
        EXPECT_TRUE(InkOffTheEdge(Painted(size, scale), scale, box, true)) << scale;
}

// The overdue line with a partner name of 32 wide letters keeps the band's margins, and shows
// the name's last letter: another one there changes the line.
TEST_P(SceneTexts, TheWidestPartnerNameIsWholeWithinTheBandsMargins)
{
    Command(GetParam().command);
    StartNetworkGame(Game, false, "Me");
    const std::string hello = std::string("\0\x2AHTIDEWAR\x02\x20", 12) + std::string(32, 'W');
    ReceivePartnerBytes(Game, reinterpret_cast<const uint8_t*>(hello.data()), hello.size());
    ASSERT_EQ(Game.Opponent, PartnerOpponent);
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
                                           LanguageRow{"German", CMD_GERMAN, ComputerWinsMessage, WinLevel1Message, L"Ich bin sehr stark!",
                                                       L"Fluch!!!"}),
                         [](const ::testing::TestParamInfo<LanguageRow>& row) { return row.param.name; });

}  // namespace
