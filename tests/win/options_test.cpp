#include "tests/win/shell_fixture.h"

#include "ui/media_pages.h"

namespace {

using Bytes = std::vector<unsigned char>;

// A file beside the tests as the settings store it: its full path in lower case.
std::string Stored(const std::string& name)
{
    std::string path = BesideTests(name.c_str());
    return CharLowerA(&path[0]);
}

// An empty file beside the tests, made anew; its path.
std::string MakeFile(const std::string& name)
{
    const std::string path = BesideTests(name.c_str());
    CloseHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    return path;
}

// The statistics' won, lost and total texts.
std::wstring Counts(HWND box)
{
    return TextOf(GetDlgItem(box, IDC_WINS_TEXT)) + L"|" + TextOf(GetDlgItem(box, IDC_LOSSES_TEXT)) + L"|" + TextOf(GetDlgItem(box, IDC_TOTAL_TEXT));
}

// Opens the sheet, picks the entry of the page's list (none where negative) and leaves by the
// button from the first page.
void Pick(int page, int entry, int button = IDOK)
{
    RunInDialog(CMD_OPTIONS, [=](HWND sheet) {
        ShowPage(sheet, page);
        if (entry >= 0)
            ClickEntry(sheet, entry);
        ShowPage(sheet, 0);
        ClickButton(sheet, button);
    });
}

// Each case shows a page and reads its buttons (Checks: 201 202 203 on the first page, 303 304
// 301 302 505 504 on the second; none read where empty), clicks, shows the pages of `then` and
// reads the last, and leaves by `exit`. Bytes: the Options value, then the first four of
// Properties.
TEST_F(ShellTest, OptionsSheetShowsTheStoreAndStoresItsPagesOnOKAndApplyOnly)
{
    struct Case { uint8_t skill; bool ships, zone; int page; std::wstring before; std::vector<int> clicks, then; std::wstring after; int exit; Bytes options, properties; };
    const Case cases[] = {
        // the defaults on both pages; Cancel stores nothing, not even a page left behind
        {2, true, false, 0, L"010", {IDC_SKILL_1}, {1}, L"101001", IDCANCEL, {0, 1, 2}, {1, 0, 1, 1}},
        // a page shown again shows the store, a page only left behind still applies on OK
        {3, true, false, 0, L"", {IDC_SKILL_1}, {1, 0}, L"001", IDOK, {0, 1, 3}, {1, 0, 1, 1}},
        {2, true, false, 0, L"", {IDC_SKILL_1}, {1}, L"", IDOK, {0, 1, 1}, {1, 0, 1, 1}},
        // a hand-edited level checks no button and stays
        {7, true, false, 0, L"000", {}, {}, L"", IDOK, {0, 1, 7}, {1, 0, 1, 1}},
        // 304 is enabled and checked only with 303, even where a hand-edited store checks it alone
        {2, false, true, 1, L"0-01001", {IDC_MARK_DEAD_SHIPS, IDC_MARK_DEAD_ZONE}, {}, L"111001", IDOK, {0, 1, 2}, {1, 1, 1, 1}},
        {2, true, true, 1, L"111001", {IDC_MARK_DEAD_SHIPS}, {}, L"0-01001", IDOK, {0, 1, 2}, {0, 0, 1, 1}},
        // Apply stores, the page shown again shows sound off and ships counted, and a later
        // Cancel takes nothing back
        {2, true, false, 1, L"", {IDC_SOUND_OFF, IDC_SHOW_SHIPS, kApplyButton}, {0, 1}, L"100110", IDCANCEL, {0, 0, 2}, {1, 0, 0, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        if (&c != cases) {   // the first case opens on the fresh program's defaults
            Options = {c.skill, c.ships, c.zone};
            SaveSettings(PlayerChoices);
        }
        RunInDialog(CMD_OPTIONS, [&c](HWND sheet) {
            HWND page = ShowPage(sheet, c.page);
            EXPECT_EQ(c.before.empty() ? L"" : Checks(page), c.before);
            for (int id : c.clicks)
                ClickButton(sheet, id);
            for (int next : c.then)
                page = ShowPage(sheet, next);
            EXPECT_EQ(c.after.empty() ? L"" : Checks(page), c.after);
            ClickButton(sheet, c.exit);
        });
        EXPECT_EQ(SettingBytes("Options"), c.options);
        const Bytes properties = SettingBytes("Properties");
        EXPECT_EQ(Bytes(properties.begin(), properties.begin() + 4), c.properties);
        EXPECT_EQ((Bytes{Game.Rules.SkillLevel, Game.Rules.MarkDeadShips, Game.Rules.MarkDeadZone}), (Bytes{c.options[2], c.properties[0], c.properties[1]}))
            << "the game plays under other rules than the store's";
    }
}

// A cancel reaches only the page on top: the pick left on the music page must not apply
// itself in the next sheet. Then the list.
TEST_F(ShellTest, MusicPickAppliesOnOKEvenFromBehindButNeverAfterACancelNorAfterAResetAndTheListHoldsWhatTheSettingCanStore)
{
    StoreSetting("Music", REG_SZ, TextBytes(Stored("tidewar.mid")));   // what the first sheet shows: its pick is a change
    ASSERT_EQ(StartMusic(MainWindow, Wide(Stored("tidewar.mid")).c_str()), 0);
    const auto plays = [] {
        MCI_STATUS_PARMS status = {0, 0, MCI_STATUS_MODE, 0};
        return mciSendCommandA(Sound.MusicDevice, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status)) == 0;
    };
    Pick(2, 0, IDCANCEL);
    StoreSetting("Music", REG_SZ, TextBytes("no"));   // what the next sheet shows, and would apply: it would stop the tune
    Pick(2, -1);
    EXPECT_TRUE(plays()) << "the cancelled pick applied itself";
    StoreSetting("Music", REG_SZ, TextBytes(Stored("tidewar.mid")));
    Pick(2, 0);
    EXPECT_EQ(SettingBytes("Music"), TextBytes("no"));
    EXPECT_FALSE(plays()) << "the tune still plays";
    Pick(2, 1);
    EXPECT_TRUE(plays()) << "the tune picked";
    // The program's reset leaves the pages as a fresh start has them, whatever a cancelled
    // sheet left behind.
    RunInDialog(CMD_OPTIONS, [](HWND sheet) {
        for (int page : {2, 3}) {
            ShowPage(sheet, page);
            ClickEntry(sheet, 1);
        }
    });
    RestartProgram();
    EXPECT_EQ(MediaPages.musicChanged + MediaPages.skinChanged + MediaPages.musicChoices.count + MediaPages.skinChoices.count, 0)
        << "changed flags or listed paths kept";

    // After "No music", the tunes in the order the folder gives them, but none whose path the
    // setting could not hold; the stored one selected, whatever its case.
    const std::string longest = std::string(kSettingTextSize - 1 - BesideTests("").size() - 4, 'f') + ".mid";
    std::vector<std::string> made;
    const auto make = [&made](const std::string& name) { made.push_back(MakeFile(name)); };
    for (const std::string& name : {std::string("Mixed Case.MID"), longest, "l" + longest})
        make(name);
    const auto musicList = [] {
        std::vector<std::wstring> list;
        RunInDialog(CMD_OPTIONS, [&list](HWND sheet) { list = ListEntries(ListOf(ShowPage(sheet, 2))); });
        return list;
    };
    // the selected entry; none where the stored tune has gone
    const struct { std::string setting; std::wstring selected; } cases[] = {
        {"no", L">No music"}, {Stored("Mixed Case.MID"), L">Mixed Case.MID"}, {Stored("moved.mid"), L""}};
    for (const auto& c : cases) {
        StoreSetting("Music", REG_SZ, TextBytes(c.setting));
        const std::vector<std::wstring> list = musicList();
        EXPECT_EQ(list.size(), 4u) << "No music, then tidewar.mid and the two made here";
        std::wstring selected;
        for (const std::wstring& entry : list)
            selected += entry[0] == L'>' ? entry : L"";
        EXPECT_EQ(selected, c.selected) << c.setting;
    }
    for (int i = 0; i < 250; ++i)
        make("many" + std::to_string(i) + ".mid");
    EXPECT_EQ(musicList().size(), 251u) << "No music and the first 250 files";
    for (const std::string& path : made)
        DeleteFileA(path.c_str());
}

// The sheet's and its pages' captions, then the skins' names, in the language: one language
// after the first proves each template's offset. The icon handed to the sheet shows on its
// caption and tabs, and is gone with the sheet.
TEST_F(ShellTest, SheetAndSkinsShowTheLanguageAndTheNightSkinRedrawsTheScene)
{
    StoreSetting("Skins", REG_SZ, TextBytes(Stored("night.dll")));
    const struct { int language; const wchar_t *first, *night; bool englishOnly; } cases[] = {
        {CMD_GERMAN, L"Eigenschaften des Spiels|Optionen|Stimmung|Musik|Skin|Kein Skin haben|", L"|>Nachtmeer (night.dll)", false},
        {CMD_ENGLISH, L"|Skin|Standard skin|", L"|>Night sea (night.dll)", true}};
    int night = 0;
    HICON icon = nullptr;
    std::vector<size_t> listed;
    for (const auto& c : cases) {
        Command(c.language);
        if (&c != cases)   // a file that is no library, beside the tests for the second list only
            MakeFile("broken.dll");
        RunInDialog(CMD_OPTIONS, [&](HWND sheet) {
            std::wstring shown = TextOf(sheet);
            for (int page = 0; page < 4; ++page)
                shown += L"|" + TextOf(ShowPage(sheet, page));
            const std::vector<std::wstring> entries = ListEntries(ListOf(sheet));
            listed.push_back(entries.size());
            for (const std::wstring& entry : entries)
                shown += L"|" + entry;
            EXPECT_NE(shown.find(c.first), std::wstring::npos) << shown;
            EXPECT_NE(shown.find(c.night), std::wstring::npos) << shown;
            EXPECT_EQ(shown.find(L"|English only (english_only.dll)") != std::wstring::npos, c.englishOnly);
            EXPECT_TRUE(icon = reinterpret_cast<HICON>(SendMessageW(sheet, WM_GETICON, ICON_SMALL, 0))) << "the caption's icon";
            EXPECT_EQ(ImageList_GetImageCount(TabCtrl_GetImageList(PropSheet_GetTabControl(sheet))), 4) << "the tabs' icons";
            night = int(SendMessageW(ListOf(sheet), LB_GETCURSEL, 0, 0));
        });
        ICONINFO info;
        EXPECT_FALSE(GetIconInfo(icon, &info)) << "the icon left behind";
    }
    DeleteFileA(BesideTests("broken.dll").c_str());
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[1], listed[0] + 2) << "English adds acting.dll and english_only.dll, and nothing lists broken.dll";

    Command(CMD_NEW_GAME);
    PlaceShips(3);
    StoreSetting("Skins", REG_SZ, TextBytes("no"));
    const std::vector<unsigned> standard = SceneSnapshot();
    Pick(3, night);
    EXPECT_TRUE(CellShows(CellPicture, false, 9, 9));
    EXPECT_EQ(SettingBytes("Skins"), TextBytes(Stored("night.dll")));
    Pick(3, 0);
    EXPECT_EQ(SceneSnapshot(), standard);
}

// The game goes on behind the dialogs: the counters follow an Apply at once, and a game that
// ends behind the statistics (the last ship has one deck) shows at their next refresh, while
// a second dialog is refused. Then, in German, each case reads the caption, the won, lost and
// total texts, then presses Enter.
TEST_F(ShellTest, StatisticsFollowABattleGoingOnBehindThemAndShowCountsWithComplementaryShares)
{
    BeginBattle();
    RunInDialog(CMD_OPTIONS, [](HWND sheet) {
        ShowPage(sheet, 1);
        ClickButton(sheet, IDC_SHOW_SHIPS);
        ClickButton(sheet, kApplyButton);
    });
    EXPECT_TRUE(CounterShows(kEnemyCounterBox, L"10")) << "ships, not decks";
    const ShipRecord& last = Game.EnemyFleet[kFleetShips - 1];
    SinkEnemyFleet(kFleetShips - 1);
    RunInDialog(CMD_STATISTICS, [&](HWND box) {
        FireAt(last.deckX[0], last.deckY[0]);
        Command(CMD_OPTIONS);
        PressKey(box, VK_ESCAPE);
        EXPECT_EQ(Counts(box), L"1 (100%)|0 (0%)|1") << "Escape only refreshes";
        ClickButton(box, IDC_STATISTICS_RESET);
        EXPECT_EQ(Counts(box), L"0 (0%)|0 (0%)|0");
        SendMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_FALSE(IsWindowVisible(box));
    });
    for (const AnsweredBox& box : answered)
        EXPECT_NE(box.caption, L"Adjusting a play") << "a sheet opened over the statistics";
    EXPECT_EQ(SettingBytes("Statistic"), Bytes(8, 0));

    Command(CMD_GERMAN);
    // As another copy stored them.
    const struct { Bytes stored; const wchar_t* shown; } cases[] = {{Bytes(8, 0), L"0 (0%)|0 (0%)|0"},
        {{2, 0, 0, 0, 1, 0, 0, 0}, L"2 (66%)|1 (34%)|3"}, {Bytes(8, 0xFF), L"4294967295 (50%)|4294967295 (50%)|8589934590"}};
    for (const auto& c : cases) {
        StoreSetting("Statistic", REG_BINARY, c.stored);
        RunInDialog(CMD_STATISTICS, [&c](HWND box) {
            EXPECT_EQ(TextOf(box), L"Statistik");
            EXPECT_EQ(Counts(box), c.shown);
            PressKey(box, VK_RETURN);
            EXPECT_FALSE(IsWindowVisible(box)) << c.shown;
        });
    }
}

}  // namespace
