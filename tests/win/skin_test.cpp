#include <cstring>
#include <string>

#include "tests/win/shell_fixture.h"

namespace {

using Skins = ShellTest;

std::string Le32(uint32_t v) { return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }

// The built-in cell picture (20 x 20, 4 bits a pixel), with `bytes` written at `at` of its
// header (width at 4, height at 8, bits at 14, colours at 32), cut to `size` bytes (0: whole).
struct HeaderCase {
    const char* what;
    size_t at;
    std::string bytes;
    size_t size;
    bool whole;
};

const HeaderCase kHeaders[] = {
    {"as built", 0, "", 0, true},
    {"one byte short", 0, "", 40 + 16 * 4 + 20 * 12 - 1, false},
    {"a header cut short", 0, "", 39, false},
    {"narrower than a cell", 4, Le32(19), 0, false},
    {"taller than it holds", 8, Le32(21), 0, false},
    // 2^31 - 1 by -2^31 pixels of 32 bits and 2^31 colours: a sum of the sizes that wraps
    // to a few bytes.
    {"sizes that wrap", 4, Le32(0x7FFFFFFF) + Le32(0x80000000) + std::string("\1\0\40\0", 4) + Le32(0) +
                               Le32(0) + Le32(0) + Le32(0) + Le32(0x80000000), 0, false},
};

TEST(SkinPictures, OnlyHeadersWhosePixelsLieWithinTheResourceAreLoaded)
{
    HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(CellPicture), MAKEINTRESOURCEA(2));
    const char* image = static_cast<const char*>(LockResource(LoadResource(nullptr, resource)));
    ASSERT_NE(image, nullptr);
    for (const HeaderCase& c : kHeaders) {
        SCOPED_TRACE(c.what);
        std::string bytes(image, c.size ? c.size : SizeofResource(nullptr, resource));
        bytes.replace(c.at, c.bytes.size(), c.bytes);
        const GuardedBytes guarded(bytes);
        EXPECT_EQ(IsWholeBitmap(guarded.data(), guarded.size(), kCellSize, kCellSize), c.whole);
    }
}

// A skin that cannot be opened gives the built-in pictures silently. One whose pictures lie
// about their size or are too small (absurd.dll: a 1 x 1 cell, a background of 4000 x 4000
// over a few bytes, a 1 x 1 horizontal ship of one deck, a vertical ship of four decks of
// 40000 x 40000) gives the built-in scene pictures in their place, and reports the ships as
// missing, as does a skin that lacks one: the panel leaves its field white, but the ship is
// placed all the same. A skin without sounds plays none, nothing in a library runs
// (acting.dll would leave a marker file), and its pictures go back at the end.
TEST_F(Skins, EachLibraryLendsWhatItCanTheBuiltInPicturesFillInAndTheGameGoesOn)
{
    const std::wstring two = L"ERROR|Tidewar ERROR #2", three = L"ERROR|Tidewar ERROR #3";
    const struct {
        const char* library;
        std::vector<std::wstring> errors;
        bool builtIn, vertical;
    } cases[] = {
        {"no", {}, true, true}, {"", {}, true, true}, {"nowhere.dll", {}, true, true},
        {"absurd.dll", {two, three, two, three}, true, false}, {"no_vertical_four.dll", {two, three}, false, false},
        {"acting.dll", {}, false, true}, {"english_only.dll", {}, false, true},
    };
    const std::string marker = BesideTests("acting.dll.ran");
    unsigned builtInCell = 0, builtInBackground = 0;   // the first case's, the built-in skin's
    DeleteFileA(marker.c_str());
    StopProgram();
    const auto boxes = [this] {
        std::vector<std::wstring> shown;
        for (const AnsweredBox& box : answered)
            shown.push_back(box.caption + L"|" + box.text);
        return shown;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.library);
        answered.clear();
        const std::string path = strchr(c.library, '.') ? BesideTests(c.library) : c.library;
        RegSetKeyValueA(HKEY_CURRENT_USER, SettingsKeyPath, "Skins", REG_SZ, path.c_str(), DWORD(path.size() + 1));
        ResetProgram();   // a fresh process: no battle left over to be abandoned
        StartProgram();
        EXPECT_EQ(boxes(), c.errors);
        Command(CMD_NEW_GAME);
        if (&c == cases)
            builtInCell = ScenePixel(kEnemyBoardLeft + 10, kBoardTop + 10), builtInBackground = ScenePixel(10, 10);
        EXPECT_EQ(ScenePixel(kEnemyBoardLeft + 10, kBoardTop + 10) == builtInCell, c.builtIn) << "the test skins' cell is the night one";
        EXPECT_TRUE(!c.builtIn || ScenePixel(10, 10) == builtInBackground);
        EXPECT_EQ(ScenePixel(210, 290) != 0xFFFFFFu, c.vertical) << "the offered vertical ship";
        EXPECT_NE(ScenePixel(250, 285), 0xFFFFFFu) << "the offered horizontal ship";
        DropOfferedShip(true, 9, 6);
        Tick();
        PlaceShips(kFleetShips - 1);
        EXPECT_EQ(Game.GamePhase, Battle);
        Click(31, 31);
        UpdateWindow(MainWindow);
        EXPECT_EQ(boxes(), c.errors) << "play shows no box";
        StopProgram();
        EXPECT_EQ(Skin.SkinModule, GetModuleHandleW(nullptr)) << "the library's pictures go back";
    }
    EXPECT_EQ(GetFileAttributesA(marker.c_str()), INVALID_FILE_ATTRIBUTES) << "acting.dll's entry point ran";
}

}  // namespace
