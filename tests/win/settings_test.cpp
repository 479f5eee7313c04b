// The settings store against values edited by hand: what a start rewrites, and how short,
// long, unterminated or mistyped values are taken, kept or replaced.

#include "tests/win/shell_fixture.h"

namespace {

using Bytes = std::vector<BYTE>;
using Value = std::pair<DWORD, Bytes>;

Value Stored(const char* name)
{
    DWORD type = REG_NONE;
    const Bytes bytes = SettingBytes(name, &type);
    return {type, bytes};
}

using SettingsStore = ShellTest;

// A start drops the old key and rewrites the author. Then each value alone: Options: 0
// reserved, 1 SoundOn, 2 SkillLevel; Properties: ships, zone, decks, language,
// 13 reserved; Statistic: Wins, Losses; Music and Skins: 256 UTF-16 characters, taken up to
// the first zero. Taken by their bytes whatever their type, kept where short, replaced where
// long or missing, by what memory holds (Statistic by zeros). Paths outside the ANSI code
// page go both ways. A port outside 1024..65535 or not four bytes, and a name that is empty,
// longer than 32 characters (a surrogate pair is one), holds a control character or broken
// UTF-16, read as the defaults and stay.
TEST_F(SettingsStore, StartDropsTheOldKeyAndRewritesTheAuthorAndValuesAreTakenByTheirBytesKeptWhereShortOrReplaced)
{
    StoreSetting("Music", REG_SZ, TextBytes("c:\\old\\tune.mid"), OldSettingsKeyPath);
    StoreSetting("Author", REG_BINARY, {1, 2, 3});
    OpenSettingsStore();
    EXPECT_EQ(Stored("Author"), Value(REG_SZ, TextBytes("Quorvex Ondrel")));
    HKEY old;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, OldSettingsKeyPath, 0, KEY_READ, &old), ERROR_SUCCESS);

    const std::string current = "c:\\морской бой 海戦\\current";
    wchar_t user[257] = L"";
    DWORD length = 257;
    GetUserNameW(user, &length);
    std::string you = Utf8(user).substr(0, 32), smiles;
    for (int i = 0; i < 32; ++i)
        smiles += "\xF0\x9F\x98\x80";
    const auto port = [](uint32_t value) { return Value(REG_DWORD, Bytes((const BYTE*)&value, (const BYTE*)&value + 4)); };
    // A value replaced gives the bytes that replace it.
    const struct { const char* name; Value stored; std::string loaded; Value replaced = {}; } cases[] = {
        {"Music", {REG_SZ, TextBytes("c:\\игры\\海.mid")}, "c:\\игры\\海.mid"},
        {"Skins", {REG_SZ, TextBytes(std::string(256, 'b'))}, current, {REG_SZ, TextBytes(current)}},   // one too many with the zero
        // Binary, since Wine's registry calls may add a zero to a REG_SZ that lacks one.
        {"Skins", {REG_BINARY, TextBytes(std::string(256, 'd'), false)}, std::string(255, 'd')},
        {"Music", {REG_BINARY, {'a', 0, 'b', 0, 'c'}}, "ab"},   // half a character is dropped
        {"Options", {REG_BINARY, {0, 5, 7}}, "1 7 1 0 0 2 0 0"},   // levels beyond 3 are kept
        {"Options", {REG_BINARY, {1}}, "0 3 1 0 0 2 0 0"},
        {"Options", {REG_BINARY, {0, 1, 1, 0}}, "0 3 1 0 0 2 0 0", {REG_BINARY, {0, 0, 3}}},
        {"Properties", {REG_BINARY, {7, 200, 9, 200, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255}}, "0 3 1 1 1 200 0 0"},
        {"Properties", {REG_BINARY, {0, 1}}, "0 3 0 1 0 2 0 0"},
        {"Properties", {REG_BINARY, Bytes(18, 0)}, "0 3 1 0 0 2 0 0", {REG_BINARY, {1, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}},
        {"Statistic", {REG_DWORD, {9, 0, 0, 0}}, "0 3 1 0 0 2 9 6"},   // 4 bytes replace Wins only
        {"Statistic", {REG_DWORD, Bytes(12, 1)}, "0 3 1 0 0 2 0 0", {REG_DWORD, Bytes(8, 0)}},
        {"NetworkPort", port(1024), "1024"}, {"NetworkPort", port(65535), "65535"}, {"NetworkPort", port(1023), "41770"},
        {"NetworkPort", port(65536), "41770"}, {"NetworkPort", {REG_DWORD, {0x88, 0x13}}, "41770"},
        {"PlayerName", {REG_BINARY, TextBytes("x")}, "x"}, {"PlayerName", {REG_BINARY, TextBytes(std::string(32, 'x'), false)}, std::string(32, 'x')},
        {"PlayerName", {REG_BINARY, TextBytes(smiles)}, smiles}, {"PlayerName", {REG_BINARY, TextBytes(smiles + "x")}, you},
        {"PlayerName", {REG_BINARY, TextBytes("")}, you}, {"PlayerName", {REG_BINARY, TextBytes("a\az")}, you},
        {"PlayerName", {REG_BINARY, TextBytes("a\u0085z")}, you}, {"PlayerName", {REG_BINARY, {'a', 0, 0, 0xD8, 'z', 0, 0, 0}}, you},
        {"PlayerName", {REG_BINARY, TextBytes(std::string(33, 'x'))}, you},
    };
    const auto arrange = [&] {
        Settings.SoundOn = false;
        Options = {3, true, false};
        Settings.ShowDecks = false;
        Settings.Language = 2;
        Settings.Wins = 5;
        Settings.Losses = 6;
        lstrcpyW(Settings.MusicName, Wide(current).c_str());
        lstrcpyW(Settings.SkinName, Wide(current).c_str());
        Settings.GamePort = 1;   // no value a load leaves
        lstrcpyW(Settings.PlayerName, L"?");
    };
    const auto loaded = [](const char* name) {
        std::string numbers;
        for (uint32_t n : {uint32_t(Settings.SoundOn), uint32_t(Options.SkillLevel), uint32_t(Options.MarkDeadShips), uint32_t(Options.MarkDeadZone),
                           uint32_t(Settings.ShowDecks), uint32_t(Settings.Language), Settings.Wins, Settings.Losses})
            numbers += " " + std::to_string(n);
        if (name[0] == 'N')
            return std::to_string(Settings.GamePort);
        return name[0] == 'M' ? Utf8(Settings.MusicName) : name[1] == 'k' ? Utf8(Settings.SkinName)
                              : name[1] == 'l' ? Utf8(Settings.PlayerName) : numbers.substr(1);
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " of " + std::to_string(c.stored.second.size()) + " bytes");
        DeleteSettingsKey();
        arrange();
        StoreSetting(c.name, c.stored.first, c.stored.second);
        LoadSettings(ChosenSettings | GameRecord | NetworkChoices);
        EXPECT_EQ(loaded(c.name), c.loaded);
        EXPECT_EQ(Stored(c.name), c.replaced.first ? c.replaced : c.stored);
        if (c.replaced.first)
            continue;
        arrange();   // the same bytes again, ending at a page that cannot be read
        if (c.name[1] != 't')
            Settings.Wins = Settings.Losses = 0;   // as a missing Statistic loads
        const GuardedBytes guarded(std::string(c.stored.second.begin(), c.stored.second.end()));
        TakeStoredValue(c.name, guarded.data(), guarded.size());
        EXPECT_EQ(loaded(c.name), c.loaded);
    }
}

} // namespace
