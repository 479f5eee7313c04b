// The settings store. Every operation opens the key, reads or writes, and closes it again, so
// several running instances add their games to the same counts.
//
// A key edited by hand may hold anything: a value too long for its buffer counts as missing
// and is written back from memory; a shorter one, or one of another registry type, is read by
// its bytes, and whatever bytes it lacks keep the setting in memory.
#include "base/settings.h"

#include <windows.h>

#include <cstring>
#include <cwchar>
#include <initializer_list>

#include "game/options.h"
#include "base/language.h"
#include "base/program.h"

StoredSettings Settings;
GameOptions Options;

void ResetSettings()
{
    Settings = StoredSettings{};
}

void ResetOptions()
{
    Options = GameOptions{};
}

namespace {

const char kAuthor[] = "Quorvex Ondrel";

// nullptr when the key can be neither opened nor created; then every read and write fails.
HKEY OpenSettingsKey()
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

void CloseSettingsKey(HKEY key)
{
    if (key)
        RegCloseKey(key);
}

// True when the value exists and fits in `*size` bytes; `*size` becomes its length. The
// registry type is not asked for: a value is taken by its bytes whatever its type.
bool QueryValue(HKEY key, const char* name, BYTE* data, DWORD* size)
{
    return key && RegQueryValueExA(key, name, nullptr, nullptr, data, size) == ERROR_SUCCESS;
}

void SetValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size)
{
    if (key)
        RegSetValueExA(key, name, 0, type, data, size);
}

// Texts go through the wide calls: the ANSI ones would turn a path's characters outside the
// code page into question marks.
void SetText(HKEY key, const wchar_t* name, const wchar_t* text)
{
    if (key)
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                       static_cast<DWORD>((std::wcslen(text) + 1) * sizeof(wchar_t)));
}

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

// "Options": reserved, SoundOn, SkillLevel.
void EncodeOptions(BYTE* bytes)
{
    bytes[0] = 0;
    bytes[1] = Flag(Settings.SoundOn);
    bytes[2] = Options.SkillLevel;
}

void DecodeOptions(const BYTE* bytes)
{
    Settings.SoundOn = bytes[1] != 0;
    Options.SkillLevel = bytes[2];
}

// "Properties": MarkDeadShips, MarkDeadZone, ShowDecks, Language, then reserved bytes.
void EncodeProperties(BYTE* bytes)
{
    bytes[0] = Flag(Options.MarkDeadShips);
    bytes[1] = Flag(Options.MarkDeadZone);
    bytes[2] = Flag(Settings.ShowDecks);
    bytes[3] = static_cast<BYTE>(Settings.Language);
}

void DecodeProperties(const BYTE* bytes)
{
    Options.MarkDeadShips = bytes[0] != 0;
    Options.MarkDeadZone = bytes[1] != 0;
    Settings.ShowDecks = bytes[2] != 0;
    Settings.Language = bytes[3];
}

// "Statistic": Wins then Losses, little-endian, under the type REG_DWORD all the same.
void EncodeStatistic(BYTE* bytes)
{
    PutUint32(bytes, Settings.Wins);
    PutUint32(bytes + 4, Settings.Losses);
}

void DecodeStatistic(const BYTE* bytes)
{
    Settings.Wins = GetUint32(bytes);
    Settings.Losses = GetUint32(bytes + 4);
}

// "Scale": the player's size, 1 to 3; any other number follows the display.
void EncodeScale(BYTE* bytes)
{
    PutUint32(bytes, static_cast<uint32_t>(Settings.Scale));
}

void DecodeScale(const BYTE* bytes)
{
    const uint32_t scale = GetUint32(bytes);
    Settings.Scale = scale >= 1 && scale <= 3 ? static_cast<int>(scale) : 0;
}

// A binary value: its name, type and length, and its bytes to and from the settings.
struct StoredValue {
    const char* name;
    DWORD type;
    DWORD size;
    void (*encode)(BYTE* bytes);
    void (*decode)(const BYTE* bytes);
};

// "NetworkStatistic" has the layout of "Statistic".
void EncodeNetworkStatistic(BYTE* bytes)
{
    PutUint32(bytes, Settings.NetworkWins);
    PutUint32(bytes + 4, Settings.NetworkLosses);
}

void DecodeNetworkStatistic(const BYTE* bytes)
{
    Settings.NetworkWins = GetUint32(bytes);
    Settings.NetworkLosses = GetUint32(bytes + 4);
}

constexpr DWORD kLongestValue = 17;
const StoredValue kOptions = {"Options", REG_BINARY, 3, EncodeOptions, DecodeOptions};
const StoredValue kProperties = {"Properties", REG_BINARY, kLongestValue, EncodeProperties, DecodeProperties};
const StoredValue kStatistic = {"Statistic", REG_DWORD, 8, EncodeStatistic, DecodeStatistic};
const StoredValue kScale = {"Scale", REG_DWORD, 4, EncodeScale, DecodeScale};
const StoredValue kNetworkStatistic = {"NetworkStatistic", REG_DWORD, 8, EncodeNetworkStatistic,
                                       DecodeNetworkStatistic};

void SaveValue(HKEY key, const StoredValue& value)
{
    BYTE bytes[kLongestValue] = {};
    value.encode(bytes);
    SetValue(key, value.name, value.type, bytes, value.size);
}

// The bytes a value holds replace the setting's; the bytes it lacks keep the setting.
void TakeValue(const StoredValue& value, const BYTE* stored, DWORD size)
{
    BYTE bytes[kLongestValue] = {};
    value.encode(bytes);
    std::memcpy(bytes, stored, size < value.size ? size : value.size);
    value.decode(bytes);
}

// Takes the stored value, or writes the setting's when it is missing or too long.
void LoadValue(HKEY key, const StoredValue& value)
{
    BYTE stored[kLongestValue];
    DWORD size = value.size;
    if (QueryValue(key, value.name, stored, &size))
        TakeValue(value, stored, size);
    else
        SaveValue(key, value);
}

// The stored text need not end in a zero, may fill the whole buffer, and may end in half a
// character, which is dropped.
void TakeText(const BYTE* stored, DWORD size, wchar_t (&text)[kSettingTextSize])
{
    DWORD length = size / sizeof(wchar_t);
    length = length < kSettingTextSize ? length : kSettingTextSize - 1;
    std::memcpy(text, stored, length * sizeof(wchar_t));
    text[length] = L'\0';
}

} // namespace

void OpenSettingsStore()
{
    RegDeleteKeyA(HKEY_CURRENT_USER, OldSettingsKeyPath);

    HKEY key = OpenSettingsKey();
    SetValue(key, "Author", REG_SZ, reinterpret_cast<const BYTE*>(kAuthor), sizeof kAuthor);
    CloseSettingsKey(key);

    LoadSettings();
}

// Loads or creates one text setting.
static void LoadText(HKEY key, const wchar_t* name, wchar_t (&text)[kSettingTextSize])
{
    wchar_t stored[kSettingTextSize];
    DWORD size = sizeof stored;
    if (key && RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(stored), &size) == ERROR_SUCCESS)
        TakeText(reinterpret_cast<const BYTE*>(stored), size, text);
    else
        SetText(key, name, text);
}

// Anything but a DWORD in range is the default.
static void TakePort(const BYTE* stored, DWORD size)
{
    const uint32_t port = size == 4 ? GetUint32(stored) : 0;
    Settings.GamePort = port >= kLowestGamePort && port <= kHighestGamePort ? port : kDefaultGamePort;
}

// The user's name as Windows gives it, cut to the longest name; "Player" when it will not do.
static void TakeUserName()
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

// With its zero or without; a name that will not do, or too long a value, gives the user's.
static void TakeName(const BYTE* stored, DWORD size)
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

void TakeStoredValue(const char* name, const BYTE* stored, DWORD size)
{
    if (std::strcmp(name, "Music") == 0 || std::strcmp(name, "Skins") == 0)
        TakeText(stored, size, name[0] == 'M' ? Settings.MusicName : Settings.SkinName);
    if (std::strcmp(name, "NetworkPort") == 0)
        TakePort(stored, size);
    if (std::strcmp(name, "PlayerName") == 0)
        TakeName(stored, size);
    for (const StoredValue* value : {&kOptions, &kProperties, &kStatistic, &kNetworkStatistic, &kScale})
        if (std::strcmp(name, value->name) == 0)
            TakeValue(*value, stored, size);
}

void LoadSettings()
{
    HKEY key = OpenSettingsKey();
    LoadText(key, L"Music", Settings.MusicName);
    LoadText(key, L"Skins", Settings.SkinName);
    LoadValue(key, kOptions);
    LoadValue(key, kProperties);
    LoadValue(key, kScale);
    CloseSettingsKey(key);
    // The game plays under the options from the moment they are loaded or applied.
    Game.Rules = Options;
}

void SaveSettings()
{
    Game.Rules = Options;
    HKEY key = OpenSettingsKey();
    SaveValue(key, kOptions);
    SaveValue(key, kProperties);
    SaveValue(key, kScale);
    CloseSettingsKey(key);
}

void SaveMusicName()
{
    HKEY key = OpenSettingsKey();
    SetText(key, L"Music", Settings.MusicName);
    CloseSettingsKey(key);
}

void SaveSkinName()
{
    HKEY key = OpenSettingsKey();
    SetText(key, L"Skins", Settings.SkinName);
    CloseSettingsKey(key);
}

// A missing count starts from zero, not from what memory holds.
void LoadStatistics()
{
    HKEY key = OpenSettingsKey();
    BYTE stored[8];
    DWORD size = sizeof stored;
    if (QueryValue(key, kStatistic.name, stored, &size)) {
        TakeValue(kStatistic, stored, size);
    } else {
        Settings.Wins = Settings.Losses = 0;
        SaveValue(key, kStatistic);
    }
    CloseSettingsKey(key);
}

void SaveStatistics()
{
    HKEY key = OpenSettingsKey();
    SaveValue(key, kStatistic);
    CloseSettingsKey(key);
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

void LoadNetworkStatistics()
{
    HKEY key = OpenSettingsKey();
    BYTE stored[8];
    DWORD size = sizeof stored;
    if (QueryValue(key, kNetworkStatistic.name, stored, &size))
        TakeValue(kNetworkStatistic, stored, size);
    else
        Settings.NetworkWins = Settings.NetworkLosses = 0;
    CloseSettingsKey(key);
}

void CountNetworkGame(bool won)
{
    HANDLE turn = CreateMutexW(nullptr, FALSE, L"Local\\TidewarNetworkStatistic");
    if (turn)
        WaitForSingleObject(turn, 5000);
    LoadNetworkStatistics();
    (won ? Settings.NetworkWins : Settings.NetworkLosses) += 1;
    HKEY key = OpenSettingsKey();
    SaveValue(key, kNetworkStatistic);
    CloseSettingsKey(key);
    if (turn) {
        ReleaseMutex(turn);
        CloseHandle(turn);
    }
}

// Read by the wide call, as the name may hold any script.
void LoadNetworkSettings()
{
    HKEY key = OpenSettingsKey();
    BYTE stored[4];
    DWORD size = sizeof stored;
    TakePort(stored, QueryValue(key, "NetworkPort", stored, &size) ? size : 0);
    wchar_t name[kPlayerNameSize + 1];
    size = sizeof name;
    if (key && RegQueryValueExW(key, L"PlayerName", nullptr, nullptr, reinterpret_cast<BYTE*>(name), &size) == ERROR_SUCCESS)
        TakeName(reinterpret_cast<const BYTE*>(name), size);
    else
        TakeUserName();   // missing, or too long for any name
    CloseSettingsKey(key);
}

void SaveNetworkSettings()
{
    HKEY key = OpenSettingsKey();
    BYTE port[4];
    PutUint32(port, Settings.GamePort);
    SetValue(key, "NetworkPort", REG_DWORD, port, sizeof port);
    SetText(key, L"PlayerName", Settings.PlayerName);
    CloseSettingsKey(key);
}
