// The menus: the ticked language, the first screen's hint, the question before a battle is
// abandoned and the random fleet.
#include <cwchar>
#include <cwctype>
#include <set>

#include "tests/win/shell_fixture.h"

namespace {

using Menus = ShellTest;

// Each language's menu as the window shows it, the title, which a paint puts back, then the
// first screen's hint, which a redraw keeps and the first game wipes.
TEST_F(Menus, EachLanguageIsTickedInItsOwnMenuAndTellsHowToBeginUntilTheFirstGame)
{
    const auto ticked = [] {
        std::wstring marks;
        for (int command : {CMD_RUSSIAN, CMD_ENGLISH, CMD_GERMAN})
            marks += (GetMenuState(GetMenu(MainWindow), command, MF_BYCOMMAND) & MF_CHECKED) ? L'x' : L'-';
        return marks + MenuText(0);
    };
    EXPECT_FALSE(PictureShownAt(BackgroundPicture, 0, 0, kSceneWidth, kBoardTop)) << "the first paint draws the hint";
    SetWindowTextW(MainWindow, L"changed");
    RedrawWindow(MainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(TextOf(MainWindow), L"Tidewar") << "a paint puts the title back";
    std::set<std::vector<unsigned>> screens = {SceneSnapshot()};
    for (const auto& c : {std::make_pair(CMD_GERMAN, L"--x&Spiel"), std::make_pair(CMD_ENGLISH, L"-x-&Game"), std::make_pair(CMD_RUSSIAN, L"x--&Игра")}) {
        Command(c.first);
        EXPECT_EQ(ticked(), c.second);
        screens.insert(SceneSnapshot());
        EXPECT_TRUE(RedrawKeepsTheScene()) << "a new skin keeps it";
    }
    EXPECT_EQ(screens.size(), 3u);
    RestartProgram();
    EXPECT_EQ(ticked(), L"x--&Игра") << "the stored language";
    StoreSetting("Properties", REG_BINARY, {1, 0, 1, 9});
    RestartProgram();
    EXPECT_EQ(ticked(), L"-x-&Game") << "an unknown language shows English";
    Command(CMD_NEW_GAME);
    RedrawScene();
    EXPECT_TRUE(PictureShownAt(BackgroundPicture, 0, 0, kSceneWidth, kBoardTop));
}

// Outside a battle nothing asks, and a battle that ended while the question was open is not
// kept. Then Begin in a battle, answered No, then Yes in the same battle: a No leaves the next
// question to be asked, and asking again while the box is open opens no second one. (Leaving
// the program keeps a battle against the computer, and so asks nothing.)
TEST_F(Menus, ABattleIsAbandonedOnlyWhenThePlayerSaysYesOrItEndedWhileAsking)
{
    for (Phase phase : {NoGame, Placement, GameOver}) {
        Game.GamePhase = phase;
        Command(CMD_NEW_GAME);
        EXPECT_EQ(Game.GamePhase, Placement) << phase;
    }
    EXPECT_TRUE(answered.empty());
    PlaceShips(kFleetShips);
    BoxReply = [](HWND) {
        Game.GamePhase = GameOver;
        return WPARAM(IDNO);
    };
    Command(CMD_NEW_GAME);
    EXPECT_EQ(Game.GamePhase, Placement) << "the battle ended while the question was open";
    const struct { UINT message; WPARAM command; bool (*proceeded)(); } actions[] = {
        {WM_COMMAND, CMD_NEW_GAME, [] { return Game.GamePhase == Placement; }}};
    for (const auto& a : actions) {
        RestartProgram();
        BeginBattle();
        for (WPARAM answer : {IDNO, IDYES}) {
            answered.clear();
            LONG defaultButton = 0;
            BoxReply = [&](HWND box) {
                defaultButton = GetWindowLongW(GetDlgItem(box, IDNO), GWL_STYLE) & BS_TYPEMASK;
                if (answered.size() == 1)   // asked again while the box is open: no second box
                    SendMessageW(MainWindow, a.message, a.command, 0);
                return answer;
            };
            SendMessageW(MainWindow, a.message, a.command, 0);
            ASSERT_EQ(answered.size(), 1u) << a.command;
            EXPECT_EQ(Utf8(answered[0].caption + L"|" + answered[0].text), "Battle in progress|Abandon the battle?");
            EXPECT_FALSE(answered[0].windowEnabled);
            EXPECT_EQ(defaultButton, BS_DEFPUSHBUTTON) << "No is the default";
            EXPECT_EQ(a.proceeded(), answer == IDYES) << a.command;
        }
    }
}

// A first start speaks the Windows interface's language where the program has it, and stores
// it; a stored language stands, and a stored value too short to hold one leaves it to Windows.
struct FirstStart {
    const char* name;
    LANGID interfaceLanguage;
    std::vector<unsigned char> storedProperties;   // none when empty
    const wchar_t* gameMenu;
    unsigned char language;
};

class FirstStartLanguage : public ShellTest, public ::testing::WithParamInterface<FirstStart> {};

LANGID InterfaceLanguageOfTest;

TEST_P(FirstStartLanguage, FollowsTheInterfaceUnlessALanguageIsStored)
{
    const FirstStart& c = GetParam();
    StopProgram();
    DeleteSettingsKey();
    if (!c.storedProperties.empty())
        StoreSetting("Properties", REG_BINARY, c.storedProperties);
    InterfaceLanguageOfTest = c.interfaceLanguage;
    InstallInterfaceLanguagePort({[]() -> unsigned short { return InterfaceLanguageOfTest; }});
    StartProgram();
    EXPECT_EQ(MenuText(0), c.gameMenu);
    EXPECT_EQ(Settings.Language, c.language);
    if (c.storedProperties.empty()) {
        EXPECT_EQ(SettingBytes("Properties").at(3), c.language) << "stored at once";
    }
}

INSTANTIATE_TEST_SUITE_P(Menus, FirstStartLanguage, ::testing::Values(
    FirstStart{"RussianInterface", MAKELANGID(LANG_RUSSIAN, SUBLANG_RUSSIAN_RUSSIA), {}, L"&Игра", 0},
    FirstStart{"GermanOfAustria", MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN_AUSTRIAN), {}, L"&Spiel", 2},
    FirstStart{"UkrainianIsEnglish", MAKELANGID(LANG_UKRAINIAN, SUBLANG_UKRAINIAN_UKRAINE), {}, L"&Game", 1},
    FirstStart{"StoredEnglishStands", MAKELANGID(LANG_RUSSIAN, SUBLANG_RUSSIAN_RUSSIA), {1, 0, 1, 1}, L"&Game", 1},
    FirstStart{"StoredWithoutLanguage", MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), {1, 0, 1}, L"&Spiel", 2}),
    [](const ::testing::TestParamInfo<FirstStart>& info) { return std::string(info.param.name); });


// The Game menu's random fleet, offered only while the player places: it keeps the ships
// dragged and lays the rest, and the battle begins. In each language the menu's items keep
// underlined letters of their own.
TEST_F(Menus, TheRandomFleetLaysTheRestOfTheFleetOnlyWhileThePlayerPlaces)
{
    const auto offered = [] {
        HMENU game = GetSubMenu(GetMenu(MainWindow), 0);
        SendMessageW(MainWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(game), 0);
        return !(GetMenuState(game, CMD_RANDOM_FLEET, MF_BYCOMMAND) & MF_GRAYED);
    };
    EXPECT_FALSE(offered()) << "before a game";
    Command(CMD_RANDOM_FLEET);
    EXPECT_EQ(Game.GamePhase, NoGame);
    Command(CMD_NEW_GAME);
    EXPECT_TRUE(offered());
    PlaceShips(2);
    const PlacedShip dragged = Game.PlacedShips[1];
    Command(CMD_RANDOM_FLEET);
    EXPECT_EQ(std::make_tuple(Game.PlacedShipCount, Game.PlacedShips[1].column, Game.PlacedShips[1].row, Game.GamePhase),
              std::make_tuple(kFleetShips, dragged.column, dragged.row, Battle));
    EXPECT_EQ(CountCells(Game.HomeBoard, Deck), 20);
    EXPECT_FALSE(offered()) << "in battle";
    for (int language : {CMD_RUSSIAN, CMD_ENGLISH, CMD_GERMAN}) {
        Command(language);
        HMENU game = GetSubMenu(GetMenu(MainWindow), 0);
        std::set<wchar_t> letters;
        for (int item = 0; item < GetMenuItemCount(game); ++item) {
            wchar_t text[64] = L"";
            GetMenuStringW(game, item, text, 64, MF_BYPOSITION);
            const wchar_t* mark = wcschr(text, L'&');
            EXPECT_TRUE(!text[0] || (mark && letters.insert(towlower(mark[1])).second)) << language << ": " << Utf8(text);
        }
    }
}

}  // namespace
