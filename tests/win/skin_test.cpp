// A skin's resources: the checks that guard every picture and sound, and each test library
// in turn as the game's skin.
#include <cstring>

#include "tests/win/shell_fixture.h"

namespace {

using Skins = ShellTest;

std::string Le32(uint32_t v) { return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }

// A whole picture of 20 x 20 black pixels: its header, the three masks where `fields`, the palette.
std::string Picture(char bits, bool fields)
{
    const uint32_t colours = bits <= 8 ? 1u << bits : 0, stride = (20 * bits + 31) / 32 * 4;
    return Le32(40) + Le32(20) + Le32(20) + std::string{1, 0, bits, 0} + Le32(fields ? BI_BITFIELDS : BI_RGB) + Le32(0) + Le32(0) +
           Le32(0) + Le32(colours) + Le32(0) + std::string((fields ? 12 : 0) + 4 * colours + stride * 20, '\0');
}

// A resource of the program, cut to `keep` bytes (0: all), with `bytes` written at `at`: the
// cell picture (20 x 20, 4 bits a pixel: width at 4, height at 8, planes at 12, bits at 14, colours at 32),
// or a sound. VSTRL is PCM: "fmt " at 12 (length at 16, tag at 20), "data" at 36 (length at
// 40). FIRE is MS ADPCM: "fmt " of 50 bytes at 12 (cbSize 32 at 36), then "fact" and "data".
// The sound is nullptr for the cell picture.
const struct { const char* what; const char* sound; size_t keep, at; std::string bytes; bool whole; } kResources[] = {
    {"the cell picture as built", nullptr, 0, 0, "", true}, {"one byte short", nullptr, 40 + 16 * 4 + 20 * 12 - 1, 0, "", false},
    {"a header cut short", nullptr, 39, 0, "", false}, {"narrower than a cell", nullptr, 0, 4, Le32(19), false},
    {"a header that says 12 bytes", nullptr, 0, 0, Le32(12), false}, {"two planes", nullptr, 0, 12, std::string("\2\0", 2), false},
    {"taller than it holds", nullptr, 0, 8, Le32(21), false},
    {"16 colours at 1 bit a pixel", nullptr, 0, 14, std::string("\1\0", 2), false},
    {"16 bits a pixel in masks", nullptr, 0, 0, Picture(16, true), true},
    {"32 bits a pixel in masks", nullptr, 0, 0, Picture(32, true), true},
    {"32 bits a pixel in masks, one byte short", nullptr, 0, 0, Picture(32, true).substr(0, 1651), false},
    {"24 bits a pixel in masks", nullptr, 0, 0, Picture(24, true), false}, {"2 bits a pixel", nullptr, 0, 0, Picture(2, false), false},
    {"257 colours at 8 bits a pixel", nullptr, 0, 0, Picture(8, false).replace(32, 4, Le32(257)) + std::string(4, '\0'), false},
    // 2^31 - 1 by -2^31 pixels of 32 bits and 2^31 colours: a sum of the sizes that wraps
    // to a few bytes.
    {"sizes that wrap", nullptr, 0, 4, Le32(0x7FFFFFFF) + Le32(0x80000000) + std::string("\1\0\40\0", 4) + Le32(0) +
                                         Le32(0) + Le32(0) + Le32(0) + Le32(0x80000000), false},
    {"the shot, PCM", "VSTRL", 0, 0, "", true}, {"the defeat, MS ADPCM", "FIRE", 0, 0, "", true},
    {"shorter than a RIFF header", "VSTRL", 11, 0, "", false}, {"cut to its RIFF header", "VSTRL", 12, 4, Le32(4), false},
    {"RIFF size short of its own WAVE tag", "VSTRL", 0, 4, Le32(3), false},
    {"RIFF longer than the resource", "VSTRL", 0, 4, Le32(5251), false}, {"not RIFF", "VSTRL", 0, 0, "RIFX", false},
    {"RIFF, but not WAVE", "VSTRL", 0, 8, "AVI ", false}, {"data one byte longer than the RIFF", "VSTRL", 0, 40, Le32(5215), false},
    {"data of 4 GB", "VSTRL", 0, 40, Le32(0xFFFFFFFF), false},
    {"fmt of 4 GB, a walk that wraps to its start", "VSTRL", 0, 16, Le32(0xFFFFFFF8), false},
    {"fmt shorter than the common fields", "VSTRL", 0, 16, Le32(14), false}, {"no data chunk", "VSTRL", 0, 36, "junk", false},
    {"a chunk of odd length and its pad byte before the data", "VSTRL", 0, 36, "junk" + Le32(1) + std::string("x\0data", 6) + Le32(5204), true},
    {"no fmt chunk", "VSTRL", 0, 12, "junk", false}, {"compressed without the extra bytes' count", "VSTRL", 0, 20, Le32(0x00010002), false},
    {"compressed, extra bytes beyond its fmt", "FIRE", 0, 36, Le32(0x01F40021), false},
};

// Both are trusted by their callers: a picture's header, a sound's chunk sizes.
TEST(SkinResources, OnlyPicturesAndSoundsThatLieWithinTheirResourceAreUsed)
{
    for (const auto& c : kResources) {
        SCOPED_TRACE(c.what);
        HRSRC resource = c.sound ? FindResourceA(nullptr, c.sound, "WAVFILE") : FindResourceA(nullptr, MAKEINTRESOURCEA(CellPicture), MAKEINTRESOURCEA(2));
        const char* image = static_cast<const char*>(LockResource(LoadResource(nullptr, resource)));
        ASSERT_NE(image, nullptr);
        std::string bytes(image, c.keep ? c.keep : SizeofResource(nullptr, resource));
        bytes.replace(c.at, c.bytes.size(), c.bytes);
        const GuardedBytes guarded(bytes);
        EXPECT_EQ(c.sound ? IsPlayableWave(guarded.data(), guarded.size()) : IsWholeBitmap(guarded.data(), guarded.size(), kCellSize, kCellSize), c.whole);
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
    // The error boxes' numbers, whether the built-in pictures show, whether a vertical ship is on offer.
    const struct { const char* library; std::wstring errors; bool builtIn, vertical; } cases[] = {
        {"no", L"", true, true}, {"nowhere.dll", L"", true, true}, {"absurd.dll", L"2323", true, false},
        {"no_vertical_four.dll", L"23", false, false}, {"acting.dll", L"", false, true},
    };
    const std::string marker = BesideTests("acting.dll.ran");
    Command(CMD_NEW_GAME);   // on the built-in skin of a first start
    const unsigned builtInCell = ScenePixel(kEnemyBoardLeft + 10, kBoardTop + 10), builtInBackground = ScenePixel(kCellSize / 2, kCellSize / 2);
    DeleteFileA(marker.c_str());
    StopProgram();
    const auto boxes = [this] {
        std::wstring shown;
        for (const AnsweredBox& box : answered)
            shown += box.text.substr(box.text.find(L'#') + 1);   // the box itself is the drag errors' test's
        return shown;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.library);
        answered.clear();
        StoreSetting("Skins", REG_SZ, TextBytes(strchr(c.library, '.') ? BesideTests(c.library) : c.library));
        RegDeleteKeyValueA(HKEY_CURRENT_USER, SettingsKeyPath, "Battle");   // the last case's battle is not kept
        RestartProgram();   // as a fresh process: no battle left over to be abandoned
        EXPECT_EQ(boxes(), c.errors);
        Command(CMD_NEW_GAME);
        EXPECT_EQ(ScenePixel(kEnemyBoardLeft + 10, kBoardTop + 10) == builtInCell, c.builtIn) << "the test skins' cell is the night one";
        EXPECT_TRUE(!c.builtIn || ScenePixel(kCellSize / 2, kCellSize / 2) == builtInBackground) << "the built-in background";
        EXPECT_EQ(ScenePixel(kOfferedVerticalLeft + 10, kOfferedVerticalTop + kCellSize * 2 + 10) != 0xFFFFFFu, c.vertical)
            << "the offered vertical ship";
        EXPECT_NE(ScenePixel(kOfferedHorizontalLeft + 10, kOfferedHorizontalTop + 10), 0xFFFFFFu) << "the offered horizontal ship";
        DropOfferedShip(true, 9, 6);
        PlaceShips(kFleetShips - 1);
        EXPECT_EQ(Game.GamePhase, Battle);
        FireAt(0, 0);
        UpdateWindow(MainWindow);
        EXPECT_EQ(boxes(), c.errors) << "play shows no box";
        StopProgram();
        EXPECT_EQ(Skin.SkinModule, GetModuleHandleW(nullptr)) << "the library's pictures go back";
    }
    EXPECT_EQ(GetFileAttributesA(marker.c_str()), INVALID_FILE_ATTRIBUTES) << "acting.dll's entry point ran";
}

}  // namespace
