#include <string>

#include "app/placement.h"
#include "app/startup.h"
#include "app/window.h"
#include "gfx/backbuffer.h"
#include "gfx/scene.h"
#include "gfx/skin.h"
#include "res/resource.h"
#include "tests/win/shell_fixture.h"
#include "ui/settings.h"

namespace {

class Skins : public ShellTest {
protected:
    void StartWithSkin(const std::string& path)
    {
        lstrcpynA(SkinName, path.c_str(), kSettingTextSize);
        HKEY key;
        RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        RegSetValueExA(key, "Skins", 0, REG_SZ, reinterpret_cast<const BYTE*>(SkinName),
                       static_cast<DWORD>(path.size() + 1));
        RegCloseKey(key);
        StartProgram();
    }

    // Whether the scene shows the built-in picture placed at (left, top), by its pixel (10, 10).
    // The CellPicture of the test skins is the night one; the built-in one differs.
    static bool BuiltInShown(int picture, int left, int top)
    {
        HBITMAP builtIn = LoadBitmapA(GetModuleHandleW(nullptr), MAKEINTRESOURCEA(picture));
        HDC source = CreateCompatibleDC(nullptr);
        HGDIOBJ previous = SelectObject(source, builtIn);
        const COLORREF expected = GetPixel(source, 10, 10);
        SelectObject(source, previous);
        DeleteDC(source);
        DeleteObject(builtIn);
        return GetPixel(BackBuffer, left + 10, top + 10) == expected;
    }
    static bool BuiltInCellShown() { return BuiltInShown(IDB_CELL, kEnemyBoardLeft, kBoardTop); }

    std::vector<std::wstring> ErrorTexts() const
    {
        std::vector<std::wstring> texts;
        for (const AnsweredBox& box : answered)
            if (box.caption == L"ERROR")
                texts.push_back(box.text);
        return texts;
    }
};

// A skin that cannot be opened gives the built-in pictures silently. One whose pictures lie
// about their size or are too small (absurd.dll: a 1 x 1 cell, a background of 4000 x 4000
// over a few bytes, a 1 x 1 horizontal ship of one deck, a vertical ship of four decks of
// 40000 x 40000) gives the built-in scene pictures in their place, and reports the ships as
// missing.
TEST_F(Skins, PicturesThatCannotBeUsedGiveWayToTheBuiltInOnes)
{
    const std::wstring two = L"Tidewar ERROR #2", three = L"Tidewar ERROR #3";
    const struct {
        std::string library;
        std::vector<std::wstring> errors;
    } cases[] = {
        {"no", {}},
        {"", {}},
        {BesideTests("nowhere.dll"), {}},
        {BesideTests("absurd.dll"), {two, three, two, three}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.library);
        answered.clear();
        BackgroundDrawn = false;  // as in a fresh process
        StartWithSkin(c.library);
        EXPECT_EQ(ErrorTexts(), c.errors);
        Command(CMD_NEW_GAME);
        EXPECT_TRUE(BuiltInCellShown());
        EXPECT_TRUE(BuiltInShown(IDB_BACKGROUND, 0, 0));
        StopProgram();
    }
}

TEST_F(Skins, ALibraryLendsItsPicturesUntilItIsUnloaded)
{
    StartWithSkin(BesideTests("night.dll"));
    EXPECT_NE(SkinModule, GetModuleHandleW(nullptr));
    Command(CMD_NEW_GAME);
    EXPECT_FALSE(BuiltInCellShown());
    EXPECT_TRUE(CellShows(CellPicture, true, 5, 5));
    EXPECT_TRUE(answered.empty());
    UnloadSkin();
    EXPECT_EQ(SkinModule, GetModuleHandleW(nullptr));
    LoadSkin();
}

TEST_F(Skins, AMissingShipBitmapIsReportedOnceAndTheOtherShipsStillShow)
{
    StartWithSkin(BesideTests("no_vertical_four.dll"));
    EXPECT_EQ(ErrorTexts(), std::vector<std::wstring>({L"Tidewar ERROR #2", L"Tidewar ERROR #3"}));
    Command(CMD_NEW_GAME);
    EXPECT_EQ(ScenePixel(210, 290), 0xFFFFFFu) << "no vertical ship: the panel's white field";
    EXPECT_NE(ScenePixel(250, 285), 0xFFFFFFu) << "the horizontal ship is drawn";

    SendMessageW(MainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(210, 260));
    SendMessageW(MainWindow, WM_LBUTTONUP, 0, MAKELPARAM(290, 40));
    EXPECT_EQ(PlacedShipCount, 1) << "the ship is placed even without its picture";
}

// A drag whose image cannot move (here: no image-list drag behind it at all) reports that
// once, not at every mouse move.
TEST_F(Skins, AFailingDragReportsOncePerDrag)
{
    StartProgram();
    Command(CMD_NEW_GAME);
    for (int drag = 0; drag < 2; ++drag) {
        ImageList_EndDrag();
        SendMessageW(MainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(210, 260));
        ImageList_EndDrag();
        for (int x = 220; x < 300; x += 5)
            SendMessageW(MainWindow, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, 100));
        SendMessageW(MainWindow, WM_NCLBUTTONUP, HTCAPTION, 0);
    }
    EXPECT_EQ(ErrorTexts(), std::vector<std::wstring>({L"Tidewar ERROR #14", L"Tidewar ERROR #14"}));
}

TEST_F(Skins, NothingInASkinLibraryRuns)
{
    const std::string library = BesideTests("acting.dll");
    DeleteFileA((library + ".ran").c_str());
    StartWithSkin(library);
    EXPECT_NE(SkinModule, GetModuleHandleW(nullptr));
    Command(CMD_NEW_GAME);
    EXPECT_FALSE(BuiltInCellShown()) << "its pictures are used";
    EXPECT_EQ(GetFileAttributesA((library + ".ran").c_str()), INVALID_FILE_ATTRIBUTES) << "its entry point ran";
}

TEST_F(Skins, ASilentSkinPlaysNoEffectsAndTheGameGoesOn)
{
    StartWithSkin(BesideTests("english_only.dll"));
    EXPECT_EQ(FindResourceA(SkinModule, "VSTRL", "WAVFILE"), nullptr);
    Command(CMD_NEW_GAME);
    PlaceWholeFleet();
    Click(31, 31);
    UpdateWindow(MainWindow);
    EXPECT_TRUE(answered.empty());
}

}  // namespace
