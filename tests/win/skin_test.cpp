#include <cstring>
#include <string>

#include "tests/win/shell_fixture.h"

namespace {

class Skins : public ShellTest {
protected:
    void StartWithSkin(const std::string& path)
    {
        RegSetKeyValueA(HKEY_CURRENT_USER, SettingsKeyPath, "Skins", REG_SZ, path.c_str(), DWORD(path.size() + 1));
        StartProgram();
    }

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
// missing, as does a skin that lacks one. A skin without sounds plays none, and nothing in a
// library runs (acting.dll would leave a marker file).
TEST_F(Skins, EachLibraryLendsWhatItCanTheBuiltInPicturesFillInAndTheGameGoesOn)
{
    const std::wstring two = L"Tidewar ERROR #2", three = L"Tidewar ERROR #3";
    const struct {
        const char* library;
        std::vector<std::wstring> errors;
        bool builtIn;
    } cases[] = {
        {"no", {}, true}, {"", {}, true}, {"nowhere.dll", {}, true}, {"absurd.dll", {two, three, two, three}, true},
        {"no_vertical_four.dll", {two, three}, false}, {"acting.dll", {}, false}, {"english_only.dll", {}, false},
    };
    const std::string marker = BesideTests("acting.dll.ran");
    unsigned builtInCell = 0, builtInBackground = 0;   // the first case's, the built-in skin's
    DeleteFileA(marker.c_str());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.library);
        answered.clear();
        BackgroundDrawn = false;  // as in a fresh process
        StartWithSkin(strchr(c.library, '.') ? BesideTests(c.library) : c.library);
        EXPECT_EQ(ErrorTexts(), c.errors);
        Command(CMD_NEW_GAME);
        if (&c == cases)
            builtInCell = ScenePixel(kEnemyBoardLeft + 10, kBoardTop + 10), builtInBackground = ScenePixel(10, 10);
        EXPECT_EQ(ScenePixel(kEnemyBoardLeft + 10, kBoardTop + 10) == builtInCell, c.builtIn) << "the test skins' cell is the night one";
        EXPECT_TRUE(!c.builtIn || ScenePixel(10, 10) == builtInBackground);
        PlaceWholeFleet();
        Click(31, 31);
        UpdateWindow(MainWindow);
        EXPECT_EQ(ErrorTexts(), c.errors) << "play shows no box";
        StopProgram();
    }
    EXPECT_EQ(GetFileAttributesA(marker.c_str()), INVALID_FILE_ATTRIBUTES) << "acting.dll's entry point ran";
}

TEST_F(Skins, AMissingShipBitmapLeavesTheFieldWhiteButTheShipCanBePlaced)
{
    StartWithSkin(BesideTests("no_vertical_four.dll"));
    Command(CMD_NEW_GAME);
    EXPECT_EQ(ScenePixel(210, 290), 0xFFFFFFu) << "no vertical ship: the panel's white field";
    EXPECT_NE(ScenePixel(250, 285), 0xFFFFFFu) << "the horizontal ship is drawn";
    DropOfferedShip(true, 0, 0);
    EXPECT_EQ(PlacedShipCount, 1) << "the ship is placed even without its picture";
    UnloadSkin();
    EXPECT_EQ(SkinModule, GetModuleHandleW(nullptr)) << "the library's pictures go back";
    LoadSkin();
}

}  // namespace
