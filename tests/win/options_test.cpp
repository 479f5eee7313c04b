#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "app/window.h"
#include "game/board.h"
#include "game/options.h"
#include "game/phase.h"
#include "gfx/scene.h"
#include "gfx/skin.h"
#include "gfx/sound.h"
#include "res/resource.h"
#include "tests/win/dialog_driver.h"
#include "tests/win/shell_fixture.h"
#include "ui/language.h"
#include "ui/media_pages.h"
#include "ui/settings.h"

namespace {

using Bytes = std::vector<unsigned char>;

class Dialogs : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        StartProgram();
        list = CreateWindowW(L"LISTBOX", nullptr, 0, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(list);
        for (const std::string& path : made)
            DeleteFileA(path.c_str());
        ShellTest::TearDown();
    }
    void MakeFile(const std::string& name)
    {
        made.push_back(BesideTests(name.c_str()));
        CloseHandle(CreateFileA(made.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    HWND list = nullptr;   // for the lists of the music and skin pages
    std::vector<std::string> made;
};

// A file beside the tests as the settings store it: its full path in lower case.
std::string Stored(const std::string& name)
{
    std::string path = BesideTests(name.c_str());
    CharLowerA(&path[0]);
    return path;
}

Bytes TextBytes(const std::string& text)
{
    return Bytes(text.c_str(), text.c_str() + text.size() + 1);
}

std::wstring Entry(HWND list, int index)
{
    return index < 0 ? L"(none)" : ListEntries(list).at(index);
}

int EntryIndex(HWND list, const std::wstring& text)
{
    const std::vector<std::wstring> entries = ListEntries(list);
    return static_cast<int>(std::find(entries.begin(), entries.end(), text) - entries.begin());
}

// Steps: 0 to 3 show that page, a control id clicks it. Each page shows the store when it
// comes up, so what it stores after a visit tells what it showed.
TEST_F(Dialogs, TheSheetStoresWhatItsPagesHoldOnOKAndApplyOnly)
{
    // skillShown: 201, 202, 203 checked; properties: the first four bytes.
    const struct {
        const char* what;
        uint8_t storedSkill;
        bool storedDeadZone;
        std::vector<int> steps;
        int button;
        const char* skillShown;
        Bytes options, properties;
    } cases[] = {
        {"OK stores a level", 2, false, {IDC_SKILL_3}, IDOK, "010", {0, 1, 3}, {1, 0, 1, 1}},
        {"Cancel stores nothing", 2, false, {IDC_SKILL_1, 1, IDC_SOUND_OFF}, IDCANCEL, "010", {0, 1, 2}, {1, 0, 1, 1}},
        {"Apply stores sound and counters", 2, false, {1, IDC_SOUND_OFF, IDC_SHOW_SHIPS}, kApplyButton, "010",
         {0, 0, 2}, {1, 0, 0, 1}},
        {"a page shown again forgets its change", 2, false, {IDC_SKILL_1, 1, 0}, IDOK, "010", {0, 1, 2}, {1, 0, 1, 1}},
        {"a page left behind still applies", 2, false, {IDC_SKILL_1, 1}, IDOK, "010", {0, 1, 1}, {1, 0, 1, 1}},
        {"a level of 7 checks nothing and stays", 7, false, {}, IDOK, "000", {0, 1, 7}, {1, 0, 1, 1}},
        {"the dead zone with its ships", 2, false, {1, IDC_MARK_DEAD_ZONE}, IDOK, "010", {0, 1, 2}, {1, 1, 1, 1}},
        {"no ships, no dead zone", 2, true, {1, IDC_MARK_DEAD_SHIPS}, IDOK, "010", {0, 1, 2}, {0, 0, 1, 1}},
        {"ships again, dead zone still off", 2, true, {1, IDC_MARK_DEAD_SHIPS, IDC_MARK_DEAD_SHIPS}, IDOK, "010",
         {0, 1, 2}, {1, 0, 1, 1}},
    };
    for (const auto& c : cases) {
        SkillLevel = c.storedSkill;
        MarkDeadShips = SoundOn = ShowDecks = true;
        MarkDeadZone = c.storedDeadZone;
        SaveSettings();
        EXPECT_TRUE(RunInDialog(CMD_OPTIONS, [&](HWND sheet) {
            std::string shown;
            for (int button = IDC_SKILL_1; button <= IDC_SKILL_3; ++button)
                shown += IsDlgButtonChecked(CurrentPage(sheet), button) == BST_CHECKED ? '1' : '0';
            EXPECT_EQ(shown, c.skillShown) << c.what;
            for (int step : c.steps) {
                SheetStep(sheet, step);
                HWND page = CurrentPage(sheet);
                if (HWND deadZone = GetDlgItem(page, IDC_MARK_DEAD_ZONE)) {
                    EXPECT_EQ(IsWindowEnabled(deadZone) != 0, IsDlgButtonChecked(page, IDC_MARK_DEAD_SHIPS) == BST_CHECKED)
                        << c.what;
                }
            }
            ClickButton(sheet, c.button);
        })) << c.what;
        EXPECT_EQ(SettingBytes("Options"), c.options) << c.what;
        const Bytes properties = SettingBytes("Properties");
        EXPECT_EQ(Bytes(properties.begin(), properties.begin() + 4), c.properties) << c.what;
    }
}

// A cancel reaches only the page on top: the pick left on the music page must not apply
// itself in the next sheet.
TEST_F(Dialogs, AMusicPickAppliesOnOKEvenFromBehindButNeverAfterACancel)
{
    const auto sheet = [](const wchar_t* pick, int button) {
        RunInDialog(CMD_OPTIONS, [=](HWND sheet) {
            SheetStep(sheet, 2);
            HWND music = GetDlgItem(CurrentPage(sheet), IDC_MUSIC_LIST);
            if (pick)
                ClickListEntry(music, EntryIndex(music, pick));
            SheetStep(sheet, 0);
            ClickButton(sheet, button);
        });
    };
    lstrcpyA(MusicName, Stored("tidewar.mid").c_str());
    SaveMusicName();
    const MCIDEVICEID before = MusicDevice;
    sheet(L"No music", IDCANCEL);
    sheet(nullptr, IDOK);
    EXPECT_EQ(MusicDevice, before) << "the cancelled pick applied itself";
    sheet(L"No music", IDOK);
    EXPECT_EQ(SettingBytes("Music"), TextBytes("no"));
}

TEST_F(Dialogs, TheMusicListHoldsWhatTheSettingCanStoreAfterNoMusic)
{
    const std::string longest = std::string(kSettingTextSize - 1 - BesideTests("").size() - 4, 'f') + ".mid";
    for (const std::string& name : {std::string("aaa.mid"), std::string("Mixed Case.MID"), longest, "l" + longest})
        MakeFile(name);
    const struct { std::string setting; std::wstring selected; } cases[] = {{"no", L"No music"},
                 {Stored("Mixed Case.MID"), L"Mixed Case.MID"},
                 {Stored(longest), std::wstring(longest.begin(), longest.end())},
                 {Stored("moved.mid"), L"(none)"}};
    for (const auto& c : cases) {
        lstrcpyA(MusicName, c.setting.c_str());
        EXPECT_EQ(Entry(list, FillMusicList(list)), c.selected);
        EXPECT_EQ(ListEntries(list).size(), 5u) << "No music, tidewar.mid and three made here";
    }
    ASSERT_EQ(StartMusic(MainWindow, Stored("tidewar.mid").c_str()), 0);
    ApplyMusicChoice(0);
    EXPECT_EQ(SettingBytes("Music"), TextBytes("no"));
    MCI_STATUS_PARMS status = {0, 0, MCI_STATUS_MODE, 0};
    EXPECT_NE(mciSendCommandA(MusicDevice, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status)), 0u)
        << "the tune still plays";

    for (int i = 0; i < kMaxListedFiles; ++i)
        MakeFile("many" + std::to_string(i) + ".mid");
    FillMusicList(list);
    EXPECT_EQ(ListEntries(list).size(), static_cast<size_t>(kMaxListedFiles + 1));
}

// Listing only reads the libraries: the one with an entry point leaves no mark.
TEST_F(Dialogs, SkinsShowTheirNameInTheLanguageAndTheNightOneRedrawsTheScene)
{
    const std::string mark = BesideTests("acting.dll.ran");
    DeleteFileA(mark.c_str());
    lstrcpyA(SkinName, Stored("night.dll").c_str());
    const struct { uint32_t language; const wchar_t *first, *night; int englishOnly; } cases[] = {{Russian, L"Стандартный скин", L"Ночное море (night.dll)", 0},
                 {German, L"Kein Skin haben", L"Nachtmeer (night.dll)", 0},
                 {English, L"Standard skin", L"Night sea (night.dll)", 1}};
    for (const auto& c : cases) {
        Language = c.language;
        EXPECT_EQ(Entry(list, FillSkinList(list)), c.night);
        const std::vector<std::wstring> entries = ListEntries(list);
        EXPECT_EQ(entries.at(0), c.first);
        EXPECT_EQ(std::count(entries.begin(), entries.end(), L"English only (english_only.dll)"), c.englishOnly);
    }
    EXPECT_EQ(GetFileAttributesA(mark.c_str()), INVALID_FILE_ATTRIBUTES) << "a skin's code ran";

    Command(CMD_NEW_GAME);
    PlaceShips(3);
    const std::vector<unsigned> standard = SceneSnapshot();
    ApplySkinChoice(EntryIndex(list, L"Night sea (night.dll)"));
    EXPECT_NE(SceneSnapshot(), standard);
    EXPECT_TRUE(CellShows(CellPicture, false, 9, 9));
    EXPECT_EQ(SettingBytes("Skins"), TextBytes(Stored("night.dll")));
    ApplySkinChoice(0);
    EXPECT_EQ(SceneSnapshot(), standard);
    EXPECT_EQ(SettingBytes("Skins"), TextBytes("no"));
}

TEST_F(Dialogs, StatisticsShowCountsWithComplementarySharesAndCloseOnEnter)
{
    const struct { uint32_t wins, losses; const wchar_t *won, *lost, *total; } cases[] = {
        {0, 0, L"0 (0%)", L"0 (0%)", L"0"},
        {1, 2, L"1 (33%)", L"2 (67%)", L"3"},
        {2, 1, L"2 (66%)", L"1 (34%)", L"3"},
        {5, 0, L"5 (100%)", L"0 (0%)", L"5"},
        {4294967295u, 4294967295u, L"4294967295 (50%)", L"4294967295 (50%)", L"8589934590"},
        {4294967295u, 1, L"4294967295 (99%)", L"1 (1%)", L"4294967296"},
    };
    for (const auto& c : cases) {
        Wins = c.wins;
        Losses = c.losses;
        SaveStatistics();
        EXPECT_TRUE(RunInDialog(CMD_STATISTICS, [&](HWND dialog) {
            EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_WINS_TEXT)), c.won);
            EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_LOSSES_TEXT)), c.lost);
            EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_TOTAL_TEXT)), c.total);
            PressKey(dialog, VK_RETURN);
            EXPECT_FALSE(IsWindowVisible(dialog)) << "Enter left the dialog open";
        }));
    }
}

// The game goes on behind the dialogs: the counters follow an Apply at once, a game that
// ends behind the statistics shows at their next refresh, and its box enables the menu again.
TEST_F(Dialogs, ABattleGoesOnAroundTheDialogs)
{
    Command(CMD_NEW_GAME);
    PlaceWholeFleet();
    ASSERT_TRUE(CounterShows(kEnemyCounterBox, "20"));
    RunInDialog(CMD_OPTIONS, [](HWND sheet) {
        SheetStep(sheet, 1);
        SheetStep(sheet, IDC_SHOW_SHIPS);
        ClickButton(sheet, kApplyButton);
        EXPECT_TRUE(CounterShows(kEnemyCounterBox, "10"));
        EXPECT_TRUE(CounterShows(kHomeCounterBox, "10"));
    });
    ASSERT_EQ(ComputerTurn, 0);
    for (const ShipRecord& ship : EnemyFleet)
        for (int k = 0; k < ship.size; ++k)
            Click(30 + 20 * ship.deckX[k] + 10, 30 + 20 * ship.deckY[k] + 10);
    RunInDialog(CMD_STATISTICS, [&](HWND dialog) {
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_WINS_TEXT)), L"0 (0%)");
        Tick();
        Command(CMD_OPTIONS);
        PressKey(dialog, VK_ESCAPE);
        EXPECT_TRUE(IsWindowVisible(dialog)) << "Escape closed the dialog";
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_WINS_TEXT)), L"1 (100%)");
        ClickButton(dialog, IDC_STATISTICS_RESET);
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_WINS_TEXT)), L"0 (0%)");
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_TOTAL_TEXT)), L"0");
        SendMessageW(dialog, WM_CLOSE, 0, 0);
        EXPECT_FALSE(IsWindowVisible(dialog)) << "the close box left the dialog open";
    });
    EXPECT_EQ(GamePhase, GameOver);
    EXPECT_TRUE(std::none_of(answered.begin(), answered.end(),
                             [](const AnsweredBox& box) { return box.caption == L"Adjusting a play"; }))
        << "a sheet opened over the statistics";
    EXPECT_EQ(SettingBytes("Statistic"), Bytes(8, 0));
}

TEST_F(Dialogs, TheDialogsComeInTheChosenLanguage)
{
    // The sheet's caption and its pages' captions, the statistics' caption.
    const struct { int command; std::vector<std::wstring> sheet; const wchar_t* statistics; } cases[] = {
        {CMD_RUSSIAN, {L"Настройка игры", L"Опции", L"Настройки", L"Музыка", L"Скин"}, L"Статистика по играм"},
        {CMD_GERMAN, {L"Eigenschaften des Spiels", L"Optionen", L"Stimmung", L"Musik", L"Skin"}, L"Statistik"},
    };
    for (const auto& c : cases) {
        Command(c.command);
        RunInDialog(CMD_OPTIONS, [&](HWND sheet) {
            std::vector<std::wstring> shown = {WindowText(sheet)};
            for (int page = 0; page < 4; ++page) {
                SheetStep(sheet, page);
                shown.push_back(WindowText(CurrentPage(sheet)));
            }
            EXPECT_EQ(shown, c.sheet);
        });
        RunInDialog(CMD_STATISTICS, [&](HWND dialog) { EXPECT_EQ(WindowText(dialog), c.statistics); });
    }
}

}  // namespace
