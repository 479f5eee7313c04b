// The settings store. Every load or save opens the key, moves its values, and closes it again,
// so several running instances add their games to the same counts.
//
// A key edited by hand may hold anything: a value too long for its buffer counts as missing;
// a shorter one, or one of another registry type, is read by its bytes, and whatever bytes it
// lacks keep the setting in memory.
#include "base/settings.h"

#include <windows.h>

#include <cstring>
#include <cwchar>

#include "game/options.h"
#include "base/language.h"
#include "base/program.h"

StoredSettings Settings;
GameOptions Options;

namespace {

unsigned short WindowsUiLanguage()
{
    return GetUserDefaultUILanguage();
}

InterfaceLanguagePort UiLanguage = {WindowsUiLanguage};

} // namespace

void ResetSettings()
{
    Settings = StoredSettings{};
    UiLanguage = {WindowsUiLanguage};
}

void ResetOptions()
{
    Options = GameOptions{};
}

void InstallInterfaceLanguagePort(const InterfaceLanguagePort& port)
{
    UiLanguage = port;
}

uint32_t LanguageOfInterface(unsigned short languageId)
{
    switch (PRIMARYLANGID(languageId)) {
    case LANG_RUSSIAN: return Russian;
    case LANG_GERMAN: return German;
    default: return English;
    }
}

bool IsPlayerName(const wchar_t* name)
{
    int chars = 0;
    for (; *name; ++name, ++chars) {
        const unsigned unit = *name;
        if (unit < 0x20 || (unit >= 0x7F && unit <= 0x9F) || IS_LOW_SURROGATE(unit))
            return false;
        if (IS_HIGH_SURROGATE(unit)) {
            const unsigned next = *++name;
            if (!IS_LOW_SURROGATE(next))
                return false;
        }
    }
    return chars >= 1 && chars <= kMaxPlayerNameChars;
}

namespace {

const wchar_t kAuthor[] = L"Quorvex Ondrel";

BYTE Flag(bool on)
{
    return on ? 1 : 0;
}

void PutUint32(BYTE* bytes, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<BYTE>(value >> (8 * i));
}

uint32_t GetUint32(const BYTE* bytes)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

// --- Each value's bytes, to the store (Give, the length written) and from it (Take) ---------

// "Options": reserved, SoundOn, SkillLevel.
DWORD GiveOptions(BYTE* bytes)
{
    bytes[0] = 0;
    bytes[1] = Flag(Settings.SoundOn);
    bytes[2] = Options.SkillLevel;
    return 3;
}

void TakeOptions(const BYTE* bytes, DWORD)
{
    Settings.SoundOn = bytes[1] != 0;
    Options.SkillLevel = bytes[2];
}

// "Properties": MarkDeadShips, MarkDeadZone, ShowDecks, Language, then 13 reserved bytes.
constexpr DWORD kPropertiesLength = 17;

DWORD GiveProperties(BYTE* bytes)
{
    bytes[0] = Flag(Options.MarkDeadShips);
    bytes[1] = Flag(Options.MarkDeadZone);
    bytes[2] = Flag(Settings.ShowDecks);
    bytes[3] = static_cast<BYTE>(Settings.Language);
    return kPropertiesLength;
}

void TakeProperties(const BYTE* bytes, DWORD)
{
    Options.MarkDeadShips = bytes[0] != 0;
    Options.MarkDeadZone = bytes[1] != 0;
    Settings.ShowDecks = bytes[2] != 0;
    Settings.Language = bytes[3];
}

// "Scale": the player's size, 1 to 3; any other number follows the display.
DWORD GiveScale(BYTE* bytes)
{
    PutUint32(bytes, static_cast<uint32_t>(Settings.Scale));
    return 4;
}

void TakeScale(const BYTE* bytes, DWORD)
{
    const uint32_t scale = GetUint32(bytes);
    Settings.Scale = scale >= 1 && scale <= 3 ? static_cast<int>(scale) : 0;
}

// "Statistic" and "NetworkStatistic": wins then losses, little-endian, under the type
// REG_DWORD all the same.
DWORD GiveRecord(BYTE* bytes, uint32_t wins, uint32_t losses)
{
    PutUint32(bytes, wins);
    PutUint32(bytes + 4, losses);
    return 8;
}

DWORD GiveStatistic(BYTE* bytes)
{
    return GiveRecord(bytes, Settings.Wins, Settings.Losses);
}

void TakeStatistic(const BYTE* bytes, DWORD)
{
    Settings.Wins = GetUint32(bytes);
    Settings.Losses = GetUint32(bytes + 4);
}

DWORD GiveNetworkStatistic(BYTE* bytes)
{
    return GiveRecord(bytes, Settings.NetworkWins, Settings.NetworkLosses);
}

void TakeNetworkStatistic(const BYTE* bytes, DWORD)
{
    Settings.NetworkWins = GetUint32(bytes);
    Settings.NetworkLosses = GetUint32(bytes + 4);
}

// Texts are UTF-16 with their zero, as REG_SZ: a path's characters outside the ANSI code page
// survive. The stored text need not end in a zero, may fill the whole buffer, and may end in
// half a character, which is dropped.
DWORD GiveText(BYTE* bytes, const wchar_t* text)
{
    const DWORD size = static_cast<DWORD>((std::wcslen(text) + 1) * sizeof(wchar_t));
    std::memcpy(bytes, text, size);
    return size;
}

void TakeText(const BYTE* stored, DWORD size, wchar_t (&text)[kSettingTextSize])
{
    DWORD length = size / sizeof(wchar_t);
    length = length < kSettingTextSize ? length : kSettingTextSize - 1;
    std::memcpy(text, stored, length * sizeof(wchar_t));
    text[length] = L'\0';
}

DWORD GiveMusic(BYTE* bytes)
{
    return GiveText(bytes, Settings.MusicName);
}

void TakeMusic(const BYTE* bytes, DWORD size)
{
    TakeText(bytes, size, Settings.MusicName);
}

DWORD GiveSkin(BYTE* bytes)
{
    return GiveText(bytes, Settings.SkinName);
}

void TakeSkin(const BYTE* bytes, DWORD size)
{
    TakeText(bytes, size, Settings.SkinName);
}

// "NetworkPort": anything but a DWORD in range is the default.
DWORD GivePort(BYTE* bytes)
{
    PutUint32(bytes, Settings.GamePort);
    return 4;
}

void TakePort(const BYTE* stored, DWORD size)
{
    const uint32_t port = size == 4 ? GetUint32(stored) : 0;
    Settings.GamePort = port >= kLowestGamePort && port <= kHighestGamePort ? port : kDefaultGamePort;
}

// The user's name as Windows gives it, cut to the longest name; "Player" when it will not do.
void TakeUserName()
{
    wchar_t user[256 + 1] = L"";
    DWORD length = 256 + 1;
    GetUserNameW(user, &length);
    int units = 0;
    for (int chars = 0; user[units] && chars < kMaxPlayerNameChars; ++chars)
        units += IS_HIGH_SURROGATE(user[units]) && IS_LOW_SURROGATE(user[units + 1]) ? 2 : 1;
    user[units] = L'\0';
    std::wcscpy(Settings.PlayerName, IsPlayerName(user) ? user : L"Player");
}

DWORD GiveName(BYTE* bytes)
{
    return GiveText(bytes, Settings.PlayerName);
}

// "PlayerName", with its zero or without; a name that will not do gives the user's.
void TakeName(const BYTE* stored, DWORD size)
{
    wchar_t name[kPlayerNameSize + 1] = L"";
    const DWORD units = size / sizeof(wchar_t);
    if (units <= kPlayerNameSize)
        std::memcpy(name, stored, units * sizeof(wchar_t));
    if (units <= kPlayerNameSize && IsPlayerName(name))
        std::wcscpy(Settings.PlayerName, name);
    else
        TakeUserName();
}

// --- The table -------------------------------------------------------------------------------

// What a load does where a value is missing or too long for its buffer.
enum WhenMissing {
    WriteSetting,      // keeps the setting and writes it
    ZeroAndWrite,      // takes zeros, and writes them
    TakeNothing,       // takes no bytes: the setting's default, and nothing is written
};

// Partial: the bytes stored replace the setting's from the first, the rest keep it.
struct StoredValue {
    const wchar_t* name;
    DWORD type;
    DWORD longest;   // bytes; a longer value counts as missing
    unsigned group;
    WhenMissing missing;
    bool partial;
    DWORD (*give)(BYTE* bytes);
    void (*take)(const BYTE* bytes, DWORD size);
};

constexpr DWORD kTextBytes = kSettingTextSize * sizeof(wchar_t);
constexpr DWORD kNameBytes = (kPlayerNameSize + 1) * sizeof(wchar_t);

const StoredValue kStoredValues[] = {
    {L"Music",            REG_SZ,     kTextBytes,        MusicChoice,    WriteSetting, false, GiveMusic,            TakeMusic},
    {L"Skins",            REG_SZ,     kTextBytes,        SkinChoice,     WriteSetting, false, GiveSkin,             TakeSkin},
    {L"Options",          REG_BINARY, 3,                 PlayerChoices,  WriteSetting, true,  GiveOptions,          TakeOptions},
    {L"Properties",       REG_BINARY, kPropertiesLength, PlayerChoices,  WriteSetting, true,  GiveProperties,       TakeProperties},
    {L"Scale",            REG_DWORD,  4,                 PlayerChoices,  WriteSetting, true,  GiveScale,            TakeScale},
    {L"Statistic",        REG_DWORD,  8,                 GameRecord,     ZeroAndWrite, true,  GiveStatistic,        TakeStatistic},
    {L"NetworkStatistic", REG_DWORD,  8,                 NetworkRecord,  TakeNothing,  true,  GiveNetworkStatistic, TakeNetworkStatistic},
    {L"NetworkPort",      REG_DWORD,  4,                 NetworkChoices, TakeNothing,  false, GivePort,             TakePort},
    {L"PlayerName",       REG_SZ,     kNameBytes,        NetworkChoices, TakeNothing,  false, GiveName,             TakeName},
};

constexpr DWORD kLongestValue = kTextBytes;

void Take(const StoredValue& value, const BYTE* stored, DWORD size)
{
    if (!value.partial)
        return value.take(stored, size);
    BYTE bytes[kLongestValue] = {};
    const DWORD length = value.give(bytes);
    std::memcpy(bytes, stored, size < length ? size : length);
    value.take(bytes, length);
}

// A partial value missing takes zeros whole; any other, no bytes at all.
void TakeMissing(const StoredValue& value)
{
    const BYTE zeros[kLongestValue] = {};
    value.take(zeros, value.partial ? value.longest : 0);
}

void Save(HKEY key, const StoredValue& value)
{
    BYTE bytes[kLongestValue] = {};
    const DWORD size = value.give(bytes);
    RegSetValueExW(key, value.name, 0, value.type, bytes, size);
}

// The registry type is not asked for: a value is taken by its bytes whatever its type.
void Load(HKEY key, const StoredValue& value)
{
    BYTE stored[kLongestValue];
    DWORD size = value.longest;
    if (key && RegQueryValueExW(key, value.name, nullptr, nullptr, stored, &size) == ERROR_SUCCESS)
        return Take(value, stored, size);
    if (value.missing != WriteSetting)
        TakeMissing(value);
    if (value.missing != TakeNothing && key)
        Save(key, value);
}

// The game plays under the options from the moment they are loaded or applied.
void LoadGroups(HKEY key, unsigned groups)
{
    for (const StoredValue& value : kStoredValues)
        if (value.group & groups)
            Load(key, value);
    Game.Rules = Options;
}

} // namespace

HKEY OpenSettingsKey()
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

void TakeStoredValue(const char* name, const BYTE* stored, DWORD size)
{
    for (const StoredValue& value : kStoredValues) {
        int i = 0;
        while (name[i] && name[i] == value.name[i])
            ++i;
        if (!name[i] && !value.name[i])
            Take(value, stored, size);
    }
}

void OpenSettingsStore()
{
    RegDeleteKeyA(HKEY_CURRENT_USER, OldSettingsKeyPath);
    Settings.Language = LanguageOfInterface(UiLanguage.uiLanguage());
    HKEY key = OpenSettingsKey();
    if (key)
        RegSetValueExW(key, L"Author", 0, REG_SZ, reinterpret_cast<const BYTE*>(kAuthor), sizeof kAuthor);
    LoadGroups(key, ChosenSettings);
    if (key)
        RegCloseKey(key);
}

void LoadSettings(unsigned groups)
{
    HKEY key = OpenSettingsKey();
    LoadGroups(key, groups);
    if (key)
        RegCloseKey(key);
}

void SaveSettings(unsigned groups)
{
    Game.Rules = Options;
    HKEY key = OpenSettingsKey();
    if (!key)
        return;
    for (const StoredValue& value : kStoredValues)
        if (value.group & groups)
            Save(key, value);
    RegCloseKey(key);
}

void CountNetworkGame(bool won)
{
    HANDLE turn = CreateMutexW(nullptr, FALSE, L"Local\\TidewarNetworkStatistic");
    if (turn)
        WaitForSingleObject(turn, 5000);
    LoadSettings(NetworkRecord);
    (won ? Settings.NetworkWins : Settings.NetworkLosses) += 1;
    SaveSettings(NetworkRecord);
    if (turn) {
        ReleaseMutex(turn);
        CloseHandle(turn);
    }
}
