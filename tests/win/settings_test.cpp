// The settings store against the real registry of the Wine prefix: what a first start leaves
// in the key, and how values edited by hand are taken, kept or replaced.
#include "ui/settings.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "game/options.h"
#include "ui/language.h"

namespace {

using Bytes = std::vector<BYTE>;

Bytes Text(const std::string& text)  // without a terminating zero
{
    return Bytes(text.begin(), text.end());
}

Bytes TextZ(const std::string& text)
{
    Bytes bytes = Text(text);
    bytes.push_back(0);
    return bytes;
}

Bytes Properties(BYTE ships, BYTE zone, BYTE decks, BYTE language, BYTE reserved = 0)
{
    Bytes bytes(17, reserved);
    bytes[0] = ships;
    bytes[1] = zone;
    bytes[2] = decks;
    bytes[3] = language;
    return bytes;
}

struct StoredValue {
    bool present = false;
    DWORD type = REG_NONE;
    Bytes data;
};

// Read through the API: `reg query` shows an 8-byte REG_DWORD as 4 bytes.
StoredValue Stored(const char* path, const char* name)
{
    StoredValue value;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return value;
    BYTE buffer[1024];
    DWORD size = sizeof buffer;
    if (RegQueryValueExA(key, name, nullptr, &value.type, buffer, &size) == ERROR_SUCCESS) {
        value.present = true;
        value.data.assign(buffer, buffer + size);
    }
    RegCloseKey(key);
    return value;
}

StoredValue Stored(const char* name)
{
    return Stored(SettingsKeyPath, name);
}

void Store(const char* path, const char* name, DWORD type, const Bytes& data)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    static const BYTE kNothing = 0;
    EXPECT_EQ(RegSetValueExA(key, name, 0, type, data.empty() ? &kNothing : data.data(),
                             static_cast<DWORD>(data.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

void Store(const char* name, DWORD type, const Bytes& data)
{
    Store(SettingsKeyPath, name, type, data);
}

bool KeyExists(const char* path)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

DWORD ValueCount()
{
    HKEY key;
    DWORD count = 0;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                     nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    return count;
}

void ExpectStored(const char* name, DWORD type, const Bytes& data)
{
    StoredValue value = Stored(name);
    ASSERT_TRUE(value.present) << name << " is missing";
    EXPECT_EQ(value.type, static_cast<DWORD>(type)) << name;
    EXPECT_EQ(value.data, data) << name;
}

// The variables as a new instance of the program starts with them.
void ResetToDefaults()
{
    std::strcpy(MusicName, "no");
    std::strcpy(SkinName, "no");
    SoundOn = true;
    SkillLevel = 2;
    MarkDeadShips = true;
    MarkDeadZone = false;
    ShowDecks = true;
    Language = 1;
    Wins = 0;
    Losses = 0;
}

class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKeyPath);
        RegDeleteKeyA(HKEY_CURRENT_USER, OldSettingsKeyPath);
        ResetToDefaults();
    }
    void TearDown() override
    {
        RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKeyPath);
        RegDeleteKeyA(HKEY_CURRENT_USER, OldSettingsKeyPath);
    }
};

TEST_F(SettingsStore, FirstStartWritesTheFullDefaultSetAndNoStatistic)
{
    OpenSettingsStore();

    ExpectStored("Author", REG_SZ, TextZ("Quorvex Ondrel"));
    ExpectStored("Music", REG_SZ, TextZ("no"));
    ExpectStored("Skins", REG_SZ, TextZ("no"));
    ExpectStored("Options", REG_BINARY, {0, 1, 2});
    ExpectStored("Properties", REG_BINARY, Properties(1, 0, 1, 1));
    EXPECT_FALSE(Stored("Statistic").present);
    EXPECT_EQ(ValueCount(), 5u);

    EXPECT_STREQ(MusicName, "no");
    EXPECT_STREQ(SkinName, "no");
    EXPECT_TRUE(SoundOn);
    EXPECT_EQ(SkillLevel, 2);
    EXPECT_TRUE(MarkDeadShips);
    EXPECT_FALSE(MarkDeadZone);
    EXPECT_TRUE(ShowDecks);
    EXPECT_EQ(Language, 1u);
}

TEST_F(SettingsStore, EveryStartDeletesTheOldKeyAndRewritesTheAuthor)
{
    Store(OldSettingsKeyPath, "Music", REG_SZ, TextZ("c:\\old\\tune.mid"));
    Store("Author", REG_BINARY, {1, 2, 3});

    OpenSettingsStore();

    EXPECT_FALSE(KeyExists(OldSettingsKeyPath));
    EXPECT_STREQ(MusicName, "no") << "the old key's values are not taken over";
    ExpectStored("Author", REG_SZ, TextZ("Quorvex Ondrel"));
}

// "Music" and "Skins" alike: a 256-byte buffer, taken up to the first zero.
TEST_F(SettingsStore, TextValuesAreTakenOrReplacedByTheCurrentName)
{
    const std::string current = "c:\\tidewar\\current";
    struct Case {
        const char* what;
        DWORD type;
        Bytes stored;
        std::string loaded;  // the current name when the value counts as missing
        bool replaced;
    };
    const Case cases[] = {
        {"a stored path is taken", REG_SZ, TextZ("c:\\games\\tide.mid"), "c:\\games\\tide.mid", false},
        {"300 characters count as missing", REG_SZ, TextZ(std::string(300, 'a')), current, true},
        {"256 characters and the zero are one byte too many", REG_SZ,
         TextZ(std::string(256, 'b')), current, true},
        {"255 characters and the zero fill the buffer", REG_SZ, TextZ(std::string(255, 'c')),
         std::string(255, 'c'), false},
        // Binary, since Wine's RegQueryValueExA adds a zero to a REG_SZ that lacks one.
        {"256 bytes without a zero give the first 255", REG_BINARY, Text(std::string(256, 'd')),
         std::string(255, 'd'), false},
        {"a short text without a zero ends with the value", REG_BINARY, Text("abc"), "abc", false},
        {"the text stops at the first zero", REG_SZ, TextZ(std::string("ab\0cd", 5)), "ab", false},
        {"a number is read by its bytes", REG_DWORD, {'o', 'k', 0, 0}, "ok", false},
        {"an empty value gives an empty text", REG_BINARY, {}, "", false},
    };
    struct Setting {
        const char* value;
        char* variable;
    };
    const Setting settings[] = {{"Music", MusicName}, {"Skins", SkinName}};

    for (const Setting& setting : settings) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(setting.value) + ": " + c.what);
            RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKeyPath);
            std::strcpy(setting.variable, current.c_str());
            Store(setting.value, c.type, c.stored);

            LoadSettings();

            EXPECT_EQ(std::string(setting.variable), c.loaded);
            if (c.replaced)
                ExpectStored(setting.value, REG_SZ, TextZ(current));
            else
                ExpectStored(setting.value, c.type, c.stored);
        }
    }
}

TEST_F(SettingsStore, OptionsAreTakenByTheirBytesKeptWhereShortOrReplaced)
{
    struct Case {
        const char* what;
        DWORD type;
        Bytes stored;
        bool soundOn;
        uint8_t skillLevel;
        bool replaced;  // by the settings in memory: sound off, skill 3
    };
    const Case cases[] = {
        {"a full value is taken", REG_BINARY, {0, 1, 1}, true, 1, false},
        {"any nonzero byte turns the sound on", REG_BINARY, {0, 5, 2}, true, 2, false},
        {"the reserved byte is ignored", REG_BINARY, {9, 0, 1}, false, 1, false},
        {"SkillLevel 7 is taken as it is", REG_BINARY, {0, 1, 7}, true, 7, false},
        {"two bytes keep SkillLevel", REG_BINARY, {0, 1}, true, 3, false},
        {"one byte keeps both", REG_BINARY, {1}, false, 3, false},
        {"four bytes count as missing", REG_BINARY, {0, 1, 1, 0}, false, 3, true},
        {"a number counts as missing", REG_DWORD, {0, 1, 1, 0}, false, 3, true},
        {"a text is read by its bytes", REG_SZ, TextZ("ab"), true, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKeyPath);
        SoundOn = false;
        SkillLevel = 3;
        Store("Options", c.type, c.stored);

        LoadSettings();

        EXPECT_EQ(SoundOn, c.soundOn);
        EXPECT_EQ(SkillLevel, c.skillLevel);
        if (c.replaced)
            ExpectStored("Options", REG_BINARY, {0, 0, 3});
        else
            ExpectStored("Options", c.type, c.stored);
    }
}

TEST_F(SettingsStore, PropertiesAreTakenByTheirBytesKeptWhereShortOrReplaced)
{
    struct Case {
        const char* what;
        DWORD type;
        Bytes stored;
        bool markDeadShips, markDeadZone, showDecks;
        uint32_t language;
        bool replaced;  // by the settings in memory: 1, 0, 0, German
    };
    const Case cases[] = {
        {"dead zone without dead ships loads as stored", REG_BINARY, Properties(0, 1, 1, 0),
         false, true, true, 0, false},
        {"nonzero bytes are on, Language is unchecked", REG_BINARY, Properties(7, 200, 9, 200),
         true, true, true, 200, false},
        {"the reserved bytes are ignored", REG_BINARY, Properties(0, 0, 1, 1, 0xFF),
         false, false, true, 1, false},
        {"two bytes keep ShowDecks and Language", REG_BINARY, {0, 1}, false, true, false, 2, false},
        {"a number is read by its bytes", REG_DWORD, {0, 1, 1, 0}, false, true, true, 0, false},
        {"18 bytes count as missing", REG_BINARY, Bytes(18, 0), true, false, false, 2, true},
        {"a long text counts as missing", REG_SZ, TextZ("twenty characters..."),
         true, false, false, 2, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKeyPath);
        MarkDeadShips = true;
        MarkDeadZone = false;
        ShowDecks = false;
        Language = 2;
        Store("Properties", c.type, c.stored);

        LoadSettings();

        EXPECT_EQ(MarkDeadShips, c.markDeadShips);
        EXPECT_EQ(MarkDeadZone, c.markDeadZone);
        EXPECT_EQ(ShowDecks, c.showDecks);
        EXPECT_EQ(Language, c.language);
        if (c.replaced)
            ExpectStored("Properties", REG_BINARY, Properties(1, 0, 0, 2));
        else
            ExpectStored("Properties", c.type, c.stored);
    }
}

TEST_F(SettingsStore, SavedSettingsLoadBackInANewInstance)
{
    SoundOn = false;
    SkillLevel = 3;
    MarkDeadShips = false;
    MarkDeadZone = true;
    ShowDecks = false;
    Language = 0;

    SaveSettings();

    ExpectStored("Options", REG_BINARY, {0, 0, 3});
    ExpectStored("Properties", REG_BINARY, Properties(0, 1, 0, 0));
    EXPECT_EQ(ValueCount(), 2u) << "SaveSettings writes only Options and Properties";

    ResetToDefaults();
    OpenSettingsStore();

    EXPECT_FALSE(SoundOn);
    EXPECT_EQ(SkillLevel, 3);
    EXPECT_FALSE(MarkDeadShips);
    EXPECT_TRUE(MarkDeadZone);
    EXPECT_FALSE(ShowDecks);
    EXPECT_EQ(Language, 0u);
}

TEST_F(SettingsStore, StatisticIsReadByItsBytesOrResetToZeros)
{
    const Bytes zeros(8, 0);
    struct Case {
        const char* what;
        DWORD type;
        Bytes stored;
        uint32_t wins, losses;
        bool replaced;  // by eight zero bytes
    };
    const Case cases[] = {
        {"8 bytes give both counters, little-endian", REG_DWORD, {4, 3, 2, 1, 7, 0, 0, 0},
         0x01020304, 7, false},
        {"binary data is read by its bytes", REG_BINARY, {1, 0, 0, 0, 2, 0, 0, 0}, 1, 2, false},
        {"4 bytes replace Wins only", REG_DWORD, {9, 0, 0, 0}, 9, 6, false},
        {"12 bytes reset both", REG_DWORD, Bytes(12, 1), 0, 0, true},
        {"a long text resets both", REG_SZ, TextZ("many games"), 0, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKeyPath);
        Wins = 5;
        Losses = 6;
        Store("Statistic", c.type, c.stored);

        LoadStatistics();

        EXPECT_EQ(Wins, c.wins);
        EXPECT_EQ(Losses, c.losses);
        if (c.replaced)
            ExpectStored("Statistic", REG_DWORD, zeros);
        else
            ExpectStored("Statistic", c.type, c.stored);
    }
}

TEST_F(SettingsStore, FirstReadOfTheStatisticsCreatesEightZeroBytes)
{
    Wins = 5;
    Losses = 6;

    LoadStatistics();

    EXPECT_EQ(Wins, 0u);
    EXPECT_EQ(Losses, 0u);
    ExpectStored("Statistic", REG_DWORD, Bytes(8, 0));
}

TEST_F(SettingsStore, SaveStatisticsWritesBothCountersAsAnEightByteDword)
{
    Wins = 0x01020304;
    Losses = 0x0A0B0C0D;

    SaveStatistics();

    ExpectStored("Statistic", REG_DWORD, {4, 3, 2, 1, 0x0D, 0x0C, 0x0B, 0x0A});
}

// Each instance reads the store right before its increment, so stale counts in memory lose
// nothing.
TEST_F(SettingsStore, GamesOfTwoInstancesAddUp)
{
    Wins = Losses = 40;  // the first instance holds counts the store no longer has
    LoadStatistics();    // and wins a game
    ++Wins;
    SaveStatistics();

    Wins = Losses = 0;  // a second instance starts afresh and loses a game
    LoadStatistics();
    ++Losses;
    SaveStatistics();

    Wins = Losses = 99;
    LoadStatistics();
    EXPECT_EQ(Wins, 1u);
    EXPECT_EQ(Losses, 1u);
}

} // namespace
