#include "tests/win/shell_fixture.h"

#include <psapi.h>

#include "ui/media_pages.h"

namespace {

using Bytes = std::vector<unsigned char>;

// A file beside the tests as the settings store it: its full path in lower case.
std::string Stored(const std::string& name)
{
    std::string path = BesideTests(name.c_str());
    return CharLowerA(&path[0]);
}

void StoreMusic(const std::string& setting)
{
    lstrcpyW(Settings.MusicName, Wide(setting).c_str());
    SaveMusicName();
}

// kChecks reads 201 202 203 on the first page, 303 304 301 302 505 504 on the second.
TEST_F(ShellTest, OptionsSheetShowsTheStoreAndStoresItsPagesOnOKAndApplyOnly)
{
    // Bytes: the Options value, then the first four of Properties.
    const struct { uint8_t skill; bool ships, zone; std::vector<int> steps; const wchar_t* notes; Bytes options, properties; } cases[] = {
        // the defaults on both pages; Cancel stores nothing
        {2, true, false, {kChecks, IDC_SKILL_1, Page(1), kChecks, IDC_SOUND_OFF, IDCANCEL}, L"010|101001", {0, 1, 2}, {1, 0, 1, 1}},
        // OK stores; Apply stores, and a later Cancel takes nothing back
        {2, true, false, {IDC_SKILL_3, IDOK}, L"", {0, 1, 3}, {1, 0, 1, 1}},
        {2, true, false, {Page(1), IDC_SOUND_OFF, IDC_SHOW_SHIPS, kApplyButton, IDCANCEL}, L"", {0, 0, 2}, {1, 0, 0, 1}},
        // a page shown again shows the store, a page only left behind still applies
        {3, true, false, {IDC_SKILL_1, Page(1), Page(0), kChecks, IDOK}, L"001", {0, 1, 3}, {1, 0, 1, 1}},
        {2, true, false, {IDC_SKILL_1, Page(1), IDOK}, L"", {0, 1, 1}, {1, 0, 1, 1}},
        // a hand-edited level checks no button and stays
        {7, true, false, {kChecks, IDOK}, L"000", {0, 1, 7}, {1, 0, 1, 1}},
        // 304 is enabled and checked only with 303, even where a hand-edited store checks it alone
        {2, false, true, {Page(1), kChecks, IDC_MARK_DEAD_SHIPS, IDC_MARK_DEAD_ZONE, kChecks, IDOK}, L"0-01001|111001", {0, 1, 2}, {1, 1, 1, 1}},
        {2, true, true, {Page(1), kChecks, IDC_MARK_DEAD_SHIPS, kChecks, IDOK}, L"111001|0-01001", {0, 1, 2}, {0, 0, 1, 1}},
    };
    for (const auto& c : cases) {
        if (&c != cases) {   // the first case opens on the fresh program's defaults
            Options = {c.skill, c.ships, c.zone};
            Settings.SoundOn = Settings.ShowDecks = true;
            SaveSettings();
        }
        EXPECT_EQ(Drive(CMD_OPTIONS, c.steps), c.notes) << &c - cases;
        EXPECT_EQ(SettingBytes("Options"), c.options) << &c - cases;
        const Bytes properties = SettingBytes("Properties");
        EXPECT_EQ(Bytes(properties.begin(), properties.begin() + 4), c.properties) << &c - cases;
    }
}
// A cancel reaches only the page on top: the pick left on the music page must not apply
// itself in the next sheet.
TEST_F(ShellTest, MusicPickAppliesOnOKEvenFromBehindButNeverAfterACancel)
{
    StoreMusic(Stored("tidewar.mid"));
    ASSERT_EQ(StartMusic(MainWindow, Settings.MusicName), 0);
    const auto plays = [device = Sound.MusicDevice] {
        MCI_STATUS_PARMS status = {0, 0, MCI_STATUS_MODE, 0};
        return mciSendCommandA(device, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status)) == 0;
    };
    Drive(CMD_OPTIONS, {Page(2), Pick(0), Page(0), IDCANCEL});
    StoreMusic("no");   // what the next sheet shows, and would apply: it would stop the tune
    Drive(CMD_OPTIONS, {Page(2), Page(0), IDOK});
    EXPECT_TRUE(plays()) << "the cancelled pick applied itself";
    StoreMusic(Stored("tidewar.mid"));
    Drive(CMD_OPTIONS, {Page(2), Pick(0), Page(0), IDOK});
    EXPECT_EQ(SettingBytes("Music"), TextBytes("no"));
    EXPECT_FALSE(plays()) << "the tune still plays";
}

// After "No music", the tunes in the order the folder gives them, but none whose path the
// setting could not hold; the stored one selected, whatever its case.
TEST_F(ShellTest, MusicListHoldsWhatTheSettingCanStoreAfterNoMusic)
{
    const std::string longest = std::string(kSettingTextSize - 1 - BesideTests("").size() - 4, 'f') + ".mid";
    std::vector<std::string> made;
    const auto make = [&made](const std::string& name) {
        made.push_back(BesideTests(name.c_str()));
        CloseHandle(CreateFileA(made.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    };
    for (const std::string& name : {std::string("Mixed Case.MID"), longest, "l" + longest})
        make(name);
    const struct { std::string setting; std::wstring selected; } cases[] = {{"no", L"|>No music|"},
        {Stored("Mixed Case.MID"), L"|>Mixed Case.MID|"}, {Stored(longest), L"|>fff"}, {Stored("moved.mid"), L""}};
    for (const auto& c : cases) {
        StoreMusic(c.setting);
        const std::wstring list = L"|" + Drive(CMD_OPTIONS, {Page(2), kList, IDCANCEL}) + L"|";
        EXPECT_NE(list.find(c.selected), std::wstring::npos) << list;
        EXPECT_EQ(std::count(list.begin(), list.end(), L'>'), c.selected.empty() ? 0 : 1);
        // No music first, then tidewar.mid and the two made here
        EXPECT_TRUE(std::count(list.begin(), list.end(), L'|') == 5 && list.find(L"No music") <= 2) << list;
    }
    for (int i = 0; i < 250; ++i)
        make("many" + std::to_string(i) + ".mid");
    const std::wstring many = Drive(CMD_OPTIONS, {Page(2), kList, IDCANCEL});
    EXPECT_EQ(std::count(many.begin(), many.end(), L'|'), 250) << "No music and the first 250 files";
    for (const std::string& path : made)
        DeleteFileA(path.c_str());
}

// The sheet's and its pages' captions, then the skins' names, in the language: one language
// after the first proves each template's offset. Listing only reads the libraries: the one
// with an entry point leaves no mark.
TEST_F(ShellTest, SheetAndSkinsShowTheLanguageAndTheNightSkinRedrawsTheScene)
{
    const std::string mark = BesideTests("acting.dll.ran");
    DeleteFileA(mark.c_str());
    lstrcpyW(Settings.SkinName, Wide(Stored("night.dll")).c_str());
    SaveSkinName();
    const struct { int language; const wchar_t *first, *night; bool englishOnly; } cases[] = {
        {CMD_GERMAN, L"Eigenschaften des Spiels|Optionen|Stimmung|Musik|Skin|Kein Skin haben|", L"|>Nachtmeer (night.dll)", false},
        {CMD_ENGLISH, L"|Skin|Standard skin|", L"|>Night sea (night.dll)", true}};
    std::wstring list;
    for (const auto& c : cases) {
        Command(c.language);
        list = Drive(CMD_OPTIONS, {Read(0), kPageTitle, Page(1), kPageTitle, Page(2), kPageTitle, Page(3), kPageTitle,
                                   kList, IDCANCEL});
        EXPECT_NE(list.find(c.first), std::wstring::npos) << list;
        EXPECT_NE(list.find(c.night), std::wstring::npos);
        EXPECT_EQ(list.find(L"|English only (english_only.dll)") != std::wstring::npos, c.englishOnly);
    }
    EXPECT_EQ(GetFileAttributesA(mark.c_str()), INVALID_FILE_ATTRIBUTES) << "a skin's code ran";

    Command(CMD_NEW_GAME);
    PlaceShips(3);
    lstrcpyW(Settings.SkinName, L"no");
    SaveSkinName();
    const std::vector<unsigned> standard = SceneSnapshot();
    Drive(CMD_OPTIONS, {Page(3), Pick(std::count(list.begin(), list.begin() + list.find(L">"), L'|') - 5), IDOK});
    EXPECT_TRUE(CellShows(CellPicture, false, 9, 9));
    EXPECT_NE(SceneSnapshot(), standard);
    EXPECT_EQ(SettingBytes("Skins"), TextBytes(Stored("night.dll")));
    Drive(CMD_OPTIONS, {Page(3), Pick(0), IDOK});
    EXPECT_EQ(SceneSnapshot(), standard);
    EXPECT_EQ(SettingBytes("Skins"), TextBytes("no"));
}

// In German, each case reads the caption, the won, lost and total texts, then presses Enter.
TEST_F(ShellTest, StatisticsShowCountsWithComplementarySharesAndCloseOnEnter)
{
    Command(CMD_GERMAN);
    const struct { uint32_t wins, losses; const wchar_t* notes; } cases[] = {
        {0, 0, L"0 (0%)|0 (0%)|0|closed"}, {2, 1, L"2 (66%)|1 (34%)|3|closed"}, {5, 0, L"5 (100%)|0 (0%)|5|closed"},
        {4294967295u, 4294967295u, L"4294967295 (50%)|4294967295 (50%)|8589934590|closed"},
        {4294967295u, 1, L"4294967295 (99%)|1 (1%)|4294967296|closed"}};
    for (const auto& c : cases) {
        Settings.Wins = c.wins;
        Settings.Losses = c.losses;
        SaveStatistics();
        EXPECT_EQ(Drive(CMD_STATISTICS, {Read(0), Read(IDC_WINS_TEXT), Read(IDC_LOSSES_TEXT), Read(IDC_TOTAL_TEXT),
                                         Key(VK_RETURN)}), L"Statistik|" + std::wstring(c.notes));
    }
}

// The game goes on behind the dialogs: the counters follow an Apply at once, and a game
// that ends behind the statistics shows at their next refresh, while a second dialog is refused.
TEST_F(ShellTest, OptionsAndStatisticsFollowABattleGoingOnBehindThem)
{
    Command(CMD_NEW_GAME);
    PlaceWholeFleet();
    ASSERT_TRUE(CounterShows(kEnemyCounterBox, L"20"));
    Drive(CMD_OPTIONS, {Page(1), IDC_SHOW_SHIPS, kApplyButton, IDCANCEL});
    EXPECT_TRUE(CounterShows(kEnemyCounterBox, L"10"));
    EXPECT_TRUE(CounterShows(kHomeCounterBox, L"10"));
    ASSERT_EQ(Game.ComputerTurn, 0);
    SinkEnemyFleet();
    EXPECT_EQ(Drive(CMD_STATISTICS, {Read(IDC_WINS_TEXT), kTick, Main(CMD_OPTIONS), Key(VK_ESCAPE),
                                     Read(IDC_WINS_TEXT), IDC_STATISTICS_RESET, Read(IDC_TOTAL_TEXT), kCloseBox}),
              L"0 (0%)|1 (100%)|0|closed");
    EXPECT_EQ(Game.GamePhase, GameOver);
    for (const AnsweredBox& box : answered)
        EXPECT_NE(box.caption, L"Adjusting a play") << "a sheet opened over the statistics";
    EXPECT_EQ(SettingBytes("Statistic"), Bytes(8, 0));
}

// The process's GDI and USER objects, by GetGuiResources where it counts them. Wine answers 0
// and counts no USER objects, but keeps its GDI handles in a table laid out as Windows' own,
// which the 64-bit process block points to; a used entry has a type. A 32-bit process finds
// its 64-bit thread block (and through it that process block) where its own thread block
// keeps GdiBatchCount, as under Windows' WoW64. 0 when there is no table to read.
int GuiObjects()
{
    if (const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) + GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS))
        return counted;
    struct HandleEntry { UINT64 object; ULONG owner; USHORT unique; UCHAR type, flags; UINT64 user; };
    const auto thread = reinterpret_cast<const BYTE*>(NtCurrentTeb());
    const auto thread64 = sizeof(void*) == 8 ? thread : reinterpret_cast<const BYTE*>(UINT_PTR(*reinterpret_cast<const DWORD*>(thread + 0xF70)));
    const auto block64 = thread64 ? reinterpret_cast<const BYTE*>(UINT_PTR(*reinterpret_cast<const UINT64*>(thread64 + 0x60))) : nullptr;
    const auto* table = block64 ? reinterpret_cast<const HandleEntry*>(UINT_PTR(*reinterpret_cast<const UINT64*>(block64 + 0xF8))) : nullptr;
    return table ? static_cast<int>(std::count_if(table, table + 0x10000, [](const HandleEntry& e) { return e.type; })) : 0;
}

// The objects, then the committed memory: reading Wine's table commits its pages, once. Wine
// leaves PrivateUsage at 0; PagefileUsage is the same figure on Windows.
std::pair<int, long long> Footprint()
{
    const int objects = GuiObjects();
    PROCESS_MEMORY_COUNTERS counters = {};
    K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return {objects, counters.PagefileUsage};
}

// Each opening takes tens of milliseconds under Wine, so thirty stand for hundreds: enough to
// show one object, or one picture's memory, left behind per opening; the first few let Wine's
// heaps and caches settle. The pictures that are handed to the dialogs still show: the sheet's
// icon on its caption and tabs, the logo.
TEST_F(ShellTest, DialogsLeaveNoObjectsOrMemoryBehindAndStillShowTheirPictures)
{
    constexpr int kOpenings = 30;
    const int objects = GuiObjects();
    HBRUSH kept = CreateSolidBrush(0);
    EXPECT_EQ(GuiObjects() - objects, 1) << "the count sees an object made";
    DeleteObject(kept);
    const struct { int command; std::function<bool(HWND)> pictured; } cases[] = {
        {CMD_OPTIONS, [](HWND sheet) {
             return SendMessageW(sheet, WM_GETICON, ICON_SMALL, 0) &&
                    ImageList_GetImageCount(TabCtrl_GetImageList(PropSheet_GetTabControl(sheet))) == 4;
         }},
        {CMD_ABOUT, [](HWND box) { return SendDlgItemMessageW(box, IDC_ABOUT_LOGO, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0; }},
        {CMD_STATISTICS, [](HWND) { return true; }},
    };
    for (const auto& c : cases) {
        bool pictured = false;
        RunInDialog(c.command, [&](HWND dialog) { pictured = c.pictured(dialog); });
        const auto open = [&c](int times) { while (times--) RunInDialog(c.command, [](HWND) {}); };
        open(5);
        const auto before = Footprint();
        open(kOpenings);
        const auto after = Footprint();
        EXPECT_TRUE(pictured) << c.command;
        EXPECT_LE(after.first - before.first, 2) << c.command;
        EXPECT_LT(after.second - before.second, kOpenings * 8 * 1024) << c.command;
    }
}

}  // namespace
