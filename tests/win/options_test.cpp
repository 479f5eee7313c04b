#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "app/status.h"
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
    }

    void SinkTheEnemyFleet()
    {
        for (const ShipRecord& ship : EnemyFleet)
            for (int k = 0; k < ship.size; ++k)
                Click(30 + 20 * ship.deckX[k] + 10, 30 + 20 * ship.deckY[k] + 10);
    }
};

// '1' for each checked button, '0' for each other.
std::string Checks(HWND page, std::initializer_list<int> controls)
{
    std::string marks;
    for (int control : controls)
        marks += IsDlgButtonChecked(page, control) == BST_CHECKED ? '1' : '0';
    return marks;
}

std::string LowerCase(std::string text)
{
    CharLowerA(&text[0]);
    return text;
}

Bytes TextBytes(const std::string& text)
{
    return Bytes(text.c_str(), text.c_str() + text.size() + 1);
}

Bytes FirstBytes(const char* value, size_t count)
{
    const Bytes bytes = SettingBytes(value);
    return Bytes(bytes.begin(), bytes.begin() + std::min(count, bytes.size()));
}

TEST_F(Dialogs, EachPageShowsTheStoreWhenItComesUp)
{
    RunInDialog(CMD_OPTIONS, [](HWND sheet) {
        EXPECT_EQ(Checks(CurrentPage(sheet), {IDC_SKILL_1, IDC_SKILL_2, IDC_SKILL_3}), "010");
        SheetStep(sheet, 1);
        HWND adjust = CurrentPage(sheet);
        EXPECT_EQ(Checks(adjust, {IDC_MARK_DEAD_SHIPS, IDC_MARK_DEAD_ZONE, IDC_SOUND_ON, IDC_SOUND_OFF,
                                  IDC_SHOW_DECKS, IDC_SHOW_SHIPS}),
                  "101010");
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(adjust, IDC_MARK_DEAD_ZONE)));
        for (int page : {2, 3}) {
            SheetStep(sheet, page);
            EXPECT_EQ(SendDlgItemMessageW(CurrentPage(sheet), page == 2 ? IDC_MUSIC_LIST : IDC_SKIN_LIST,
                                          LB_GETCURSEL, 0, 0), 0);
        }
    });
}

// Steps: 0-3 show that page, a control id clicks it.
TEST_F(Dialogs, TheSheetStoresWhatItsPagesHoldOnOKAndApplyOnly)
{
    struct Case {
        const char* what;
        uint8_t storedSkill;
        bool storedDeadZone;
        std::vector<int> steps;
        int button;
        const char* skillShown;
        Bytes options;
        Bytes properties;   // the first four bytes
    };
    const Case cases[] = {
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
    for (const Case& c : cases) {
        SkillLevel = c.storedSkill;
        MarkDeadShips = SoundOn = ShowDecks = true;
        MarkDeadZone = c.storedDeadZone;
        SaveSettings();
        EXPECT_TRUE(RunInDialog(CMD_OPTIONS, [&](HWND sheet) {
            EXPECT_EQ(Checks(CurrentPage(sheet), {IDC_SKILL_1, IDC_SKILL_2, IDC_SKILL_3}), c.skillShown) << c.what;
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
        EXPECT_EQ(FirstBytes("Properties", 4), c.properties) << c.what;
    }
}

TEST_F(Dialogs, ShipsChosenInABattleShowOnTheCountersAtOnce)
{
    Command(CMD_NEW_GAME);
    PlaceWholeFleet();
    ASSERT_TRUE(CounterShows(175, 70, 190, "20"));
    RunInDialog(CMD_OPTIONS, [](HWND sheet) {
        SheetStep(sheet, 1);
        SheetStep(sheet, IDC_SHOW_SHIPS);
        ClickButton(sheet, kApplyButton);
        EXPECT_TRUE(CounterShows(175, 70, 190, "10"));
        EXPECT_TRUE(CounterShows(260, 80, 280, "10"));
    });
}

int EntryIndex(HWND list, const std::wstring& text)
{
    const std::vector<std::wstring> entries = ListEntries(list);
    return static_cast<int>(std::find(entries.begin(), entries.end(), text) - entries.begin());
}

TEST_F(Dialogs, TheSkinPageAppliesThePickedSkinOnOK)
{
    RunInDialog(CMD_OPTIONS, [](HWND sheet) {
        SheetStep(sheet, 3);
        HWND list = GetDlgItem(CurrentPage(sheet), IDC_SKIN_LIST);
        ClickListEntry(list, EntryIndex(list, L"Night sea (night.dll)"));
        ClickButton(sheet, IDOK);
    });
    EXPECT_EQ(SettingBytes("Skins"), TextBytes(LowerCase(BesideTests("night.dll"))));
    EXPECT_NE(SkinModule, GetModuleHandleW(nullptr));
}

// A pick left on the music page of a cancelled sheet does not apply itself in the next one.
TEST_F(Dialogs, ACancelledPickIsForgottenByTheNextSheet)
{
    lstrcpyA(MusicName, LowerCase(BesideTests("tidewar.mid")).c_str());
    SaveMusicName();
    RunInDialog(CMD_OPTIONS, [](HWND sheet) {
        SheetStep(sheet, 2);
        ClickListEntry(GetDlgItem(CurrentPage(sheet), IDC_MUSIC_LIST), 0);
        SheetStep(sheet, 0);
        ClickButton(sheet, IDCANCEL);
    });
    const MCIDEVICEID playing = MusicDevice;
    RunInDialog(CMD_OPTIONS, [](HWND sheet) {
        SheetStep(sheet, 2);
        ClickButton(sheet, IDOK);
    });
    EXPECT_EQ(MusicDevice, playing) << "the music page applied itself";
}

// --- The lists of the music and skin pages ---------------------------------------------------

class MediaLists : public Dialogs {
protected:
    void SetUp() override
    {
        Dialogs::SetUp();
        list = CreateWindowW(L"LISTBOX", nullptr, 0, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(list);
        RemoveMadeFiles();
        Dialogs::TearDown();
    }
    void RemoveMadeFiles()
    {
        for (const std::string& path : made)
            DeleteFileA(path.c_str());
        made.clear();
    }
    void MakeFile(const std::string& name)
    {
        made.push_back(BesideTests(name.c_str()));
        CloseHandle(CreateFileA(made.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    std::wstring Selected(int index) { return index < 0 ? L"(none)" : ListEntries(list).at(index); }

    HWND list = nullptr;
    std::vector<std::string> made;
};

TEST_F(MediaLists, MusicFilesFollowNoMusicAndTheStoredOneIsSelected)
{
    MakeFile("aaa.mid");
    MakeFile("Mixed Case.MID");
    const struct {
        std::string setting;
        const wchar_t* selected;
    } cases[] = {{"no", L"No music"},
                 {LowerCase(BesideTests("Mixed Case.MID")), L"Mixed Case.MID"},
                 {LowerCase(BesideTests("moved.mid")), L"(none)"}};
    for (const auto& c : cases) {
        lstrcpyA(MusicName, c.setting.c_str());
        EXPECT_EQ(Selected(FillMusicList(list)), c.selected) << c.setting;
        EXPECT_EQ(ListEntries(list).size(), 4u) << "No music, tidewar.mid and the two made here";
    }
}

TEST_F(MediaLists, AtMost250FilesAndNoPathTheSettingCannotHold)
{
    for (int i = 0; i < kMaxListedFiles + 5; ++i)
        MakeFile("many" + std::to_string(i) + ".mid");
    FillMusicList(list);
    EXPECT_EQ(ListEntries(list).size(), static_cast<size_t>(kMaxListedFiles + 1));

    RemoveMadeFiles();
    const size_t folder = BesideTests("").size();
    const std::string fits = std::string(kSettingTextSize - 1 - folder - 4, 'f') + ".mid";
    const std::string tooLong = std::string(kSettingTextSize - folder - 4, 'l') + ".mid";
    MakeFile(fits);
    MakeFile(tooLong);
    lstrcpyA(MusicName, LowerCase(BesideTests(fits.c_str())).c_str());
    EXPECT_EQ(Selected(FillMusicList(list)), std::wstring(fits.begin(), fits.end()));
    EXPECT_EQ(ListEntries(list).size(), 3u) << "the longer name is left out";
}

// Every library is only read: the one with an entry point leaves no mark while listed.
TEST_F(MediaLists, SkinsAreListedByTheirNameInTheLanguage)
{
    const std::string mark = BesideTests("acting.dll.ran");
    DeleteFileA(mark.c_str());
    const struct {
        uint32_t language;
        const wchar_t* first;
        const wchar_t* night;
        bool englishOnlyListed;
    } cases[] = {
        {Russian, L"Стандартный скин", L"Ночное море (night.dll)", false},
        {English, L"Standard skin", L"Night sea (night.dll)", true},
        {German, L"Kein Skin haben", L"Nachtmeer (night.dll)", false},
    };
    lstrcpyA(SkinName, LowerCase(BesideTests("night.dll")).c_str());
    for (const auto& c : cases) {
        Language = c.language;
        const int selected = FillSkinList(list);
        const std::vector<std::wstring> entries = ListEntries(list);
        EXPECT_EQ(entries.at(0), c.first);
        EXPECT_EQ(Selected(selected), c.night);
        EXPECT_EQ(std::count(entries.begin(), entries.end(), L"English only (english_only.dll)"),
                  c.englishOnlyListed ? 1 : 0)
            << c.language;
    }
    EXPECT_EQ(GetFileAttributesA(mark.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(MediaLists, TheNightSkinRedrawsTheSceneAndTheStandardOneRestoresIt)
{
    Command(CMD_NEW_GAME);
    PlaceShips(3);
    const std::vector<unsigned> standard = SceneSnapshot();
    FillSkinList(list);
    ApplySkinChoice(EntryIndex(list, L"Night sea (night.dll)"));
    EXPECT_NE(SceneSnapshot(), standard);
    EXPECT_TRUE(CellShows(CellPicture, false, 9, 9));
    EXPECT_EQ(SettingBytes("Skins"), TextBytes(LowerCase(BesideTests("night.dll"))));
    ApplySkinChoice(0);
    EXPECT_EQ(SceneSnapshot(), standard);
    EXPECT_EQ(SettingBytes("Skins"), TextBytes("no"));
    EXPECT_EQ(SkinModule, GetModuleHandleW(nullptr));
}

TEST_F(MediaLists, NoMusicStoresNoAndStopsTheTune)
{
    lstrcpyA(MusicName, LowerCase(BesideTests("tidewar.mid")).c_str());
    ASSERT_EQ(StartMusic(MainWindow, MusicName), 0);
    FillMusicList(list);
    ApplyMusicChoice(0);
    EXPECT_EQ(SettingBytes("Music"), TextBytes("no"));
    MCI_STATUS_PARMS status = {};
    status.dwItem = MCI_STATUS_MODE;
    EXPECT_NE(mciSendCommandA(MusicDevice, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status)), 0u)
        << "the device is still open";
}

// --- Statistics ------------------------------------------------------------------------------

TEST_F(Dialogs, StatisticsShowCountsWithComplementarySharesAndCloseOnEnter)
{
    const struct {
        uint32_t wins, losses;
        const wchar_t *won, *lost, *total;
    } cases[] = {
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
            EXPECT_EQ(ControlText(dialog, IDC_WINS_TEXT), c.won);
            EXPECT_EQ(ControlText(dialog, IDC_LOSSES_TEXT), c.lost);
            EXPECT_EQ(ControlText(dialog, IDC_TOTAL_TEXT), c.total);
            PressKey(dialog, VK_RETURN);
            EXPECT_FALSE(IsWindowVisible(dialog)) << "Enter left the dialog open";
        }));
    }
}

// The computer's timer runs behind the dialog; Escape shows the counts again.
TEST_F(Dialogs, AGameEndedBehindTheStatisticsShowsAtTheNextRefreshAndResetClearsIt)
{
    Command(CMD_NEW_GAME);
    PlaceWholeFleet();
    ASSERT_EQ(ComputerTurn, 0);
    SinkTheEnemyFleet();
    RunInDialog(CMD_STATISTICS, [&](HWND dialog) {
        EXPECT_EQ(ControlText(dialog, IDC_WINS_TEXT), L"0 (0%)");
        Tick();
        Command(CMD_OPTIONS);   // the box enabled the menu again
        PressKey(dialog, VK_ESCAPE);
        EXPECT_TRUE(IsWindowVisible(dialog)) << "Escape closed the dialog";
        EXPECT_EQ(ControlText(dialog, IDC_WINS_TEXT), L"1 (100%)");
        ClickButton(dialog, IDC_STATISTICS_RESET);
        EXPECT_EQ(ControlText(dialog, IDC_WINS_TEXT), L"0 (0%)");
        EXPECT_EQ(ControlText(dialog, IDC_TOTAL_TEXT), L"0");
        SendMessageW(dialog, WM_CLOSE, 0, 0);
        EXPECT_FALSE(IsWindowVisible(dialog)) << "the close box left the dialog open";
    });
    EXPECT_EQ(GamePhase, GameOver);
    std::vector<std::wstring> captions;
    for (const AnsweredBox& box : answered)
        captions.push_back(box.caption);
    EXPECT_EQ(std::count(captions.begin(), captions.end(), L"VICTORY"), 1);
    EXPECT_EQ(std::count(captions.begin(), captions.end(), L"Adjusting a play"), 0) << "a sheet opened over the dialog";
    EXPECT_EQ(SettingBytes("Statistic"), Bytes(8, 0));
}

// --- One pass in the other languages --------------------------------------------------------

std::wstring WindowText(HWND window)
{
    wchar_t text[128] = L"";
    GetWindowTextW(window, text, 128);
    return text;
}

std::wstring TabText(HWND sheet, int tab)
{
    wchar_t text[64] = L"";
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(PropSheet_GetTabControl(sheet), TCM_GETITEMW, tab, reinterpret_cast<LPARAM>(&item));
    return text;
}

TEST_F(Dialogs, TheDialogsComeInTheChosenLanguage)
{
    const struct {
        int command;
        const wchar_t* caption;
        std::vector<std::wstring> tabs;
        std::vector<std::wstring> texts;   // 201 and 303, then the first entries of 601 and 602
        const wchar_t* statistics;
        const wchar_t* reset;
    } cases[] = {
        {CMD_RUSSIAN, L"Настройка игры", {L"Опции", L"Настройки", L"Музыка", L"Скин"},
         {L"Я слишком молод, чтобы утонуть", L"Отмечать убитые корабли", L"Нет музыки", L"Стандартный скин"},
         L"Статистика по играм", L"Сброс"},
        {CMD_GERMAN, L"Eigenschaften des Spiels", {L"Optionen", L"Stimmung", L"Musik", L"Skin"},
         {L"Seemann", L"Zeigen toten Schiffen", L"Kein Musik haben", L"Kein Skin haben"}, L"Statistik", L"Sturz"},
    };
    for (const auto& c : cases) {
        Command(c.command);
        RunInDialog(CMD_OPTIONS, [&](HWND sheet) {
            EXPECT_EQ(WindowText(sheet), c.caption);
            const int controls[] = {IDC_SKILL_1, IDC_MARK_DEAD_SHIPS, IDC_MUSIC_LIST, IDC_SKIN_LIST};
            for (int page = 0; page < 4; ++page) {
                EXPECT_EQ(TabText(sheet, page), c.tabs[page]);
                SheetStep(sheet, page);
                HWND control = GetDlgItem(CurrentPage(sheet), controls[page]);
                EXPECT_EQ(page < 2 ? WindowText(control) : ListEntries(control).at(0), c.texts[page]);
            }
        });
        RunInDialog(CMD_STATISTICS, [&](HWND dialog) {
            EXPECT_EQ(WindowText(dialog), c.statistics);
            EXPECT_EQ(ControlText(dialog, IDC_STATISTICS_RESET), c.reset);
        });
    }
}

}  // namespace
