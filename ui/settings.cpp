// The settings store. Every operation opens the key, reads or writes, and closes it again, so
// several running instances add their games to the same counts.
//
// A key edited by hand may hold anything: a value too long for its buffer counts as missing
// and is written back from memory; a shorter one, or one of another registry type, is read by
// its bytes, and whatever bytes it lacks keep the setting in memory.
#include "ui/settings.h"

#include <windows.h>

#include <cstring>
#include <cwchar>

#include "game/options.h"
#include "ui/language.h"

wchar_t MusicName[kSettingTextSize] = L"no";
wchar_t SkinName[kSettingTextSize] = L"no";
bool SoundOn = true;
bool ShowDecks = true;
uint32_t Wins = 0;
uint32_t Losses = 0;

namespace {

const char kAuthor[] = "Quorvex Ondrel";

// "Options": reserved, SoundOn, SkillLevel.
constexpr DWORD kOptionsSize = 3;
// "Properties": MarkDeadShips, MarkDeadZone, ShowDecks, Language, then reserved bytes.
constexpr DWORD kPropertiesSize = 17;
// "Statistic": Wins then Losses, little-endian, under the type REG_DWORD all the same.
constexpr DWORD kStatisticSize = 8;

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

// Loads or creates one text setting.
void LoadText(HKEY key, const wchar_t* name, wchar_t (&text)[kSettingTextSize])
{
    wchar_t buffer[kSettingTextSize];
    DWORD size = sizeof buffer;
    if (!key || RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS) {
        SetText(key, name, text);
        return;
    }
    // The stored text need not end in a zero, may fill the whole buffer, and may end in half
    // a character, which is dropped.
    const DWORD length = size / sizeof(wchar_t);
    buffer[length < kSettingTextSize ? length : kSettingTextSize - 1] = L'\0';
    std::wcscpy(text, buffer);
}

BYTE Flag(bool on)
{
    return on ? 1 : 0;
}

void EncodeOptions(BYTE (&bytes)[kOptionsSize])
{
    bytes[0] = 0;
    bytes[1] = Flag(SoundOn);
    bytes[2] = SkillLevel;
}

void EncodeProperties(BYTE (&bytes)[kPropertiesSize])
{
    std::memset(bytes, 0, sizeof bytes);
    bytes[0] = Flag(MarkDeadShips);
    bytes[1] = Flag(MarkDeadZone);
    bytes[2] = Flag(ShowDecks);
    bytes[3] = static_cast<BYTE>(Language);
}

void LoadOptions(HKEY key)
{
    BYTE bytes[kOptionsSize];
    EncodeOptions(bytes);  // what a short value lacks keeps its current setting
    DWORD size = sizeof bytes;
    if (!QueryValue(key, "Options", bytes, &size)) {
        EncodeOptions(bytes);
        SetValue(key, "Options", REG_BINARY, bytes, sizeof bytes);
        return;
    }
    SoundOn = bytes[1] != 0;
    SkillLevel = bytes[2];
}

void LoadProperties(HKEY key)
{
    BYTE bytes[kPropertiesSize];
    EncodeProperties(bytes);  // what a short value lacks keeps its current setting
    DWORD size = sizeof bytes;
    if (!QueryValue(key, "Properties", bytes, &size)) {
        EncodeProperties(bytes);
        SetValue(key, "Properties", REG_BINARY, bytes, sizeof bytes);
        return;
    }
    MarkDeadShips = bytes[0] != 0;
    MarkDeadZone = bytes[1] != 0;
    ShowDecks = bytes[2] != 0;
    Language = bytes[3];
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

void EncodeStatistic(BYTE (&bytes)[kStatisticSize])
{
    PutUint32(bytes, Wins);
    PutUint32(bytes + 4, Losses);
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

void LoadSettings()
{
    HKEY key = OpenSettingsKey();
    LoadText(key, L"Music", MusicName);
    LoadText(key, L"Skins", SkinName);
    LoadOptions(key);
    LoadProperties(key);
    CloseSettingsKey(key);
}

void SaveSettings()
{
    HKEY key = OpenSettingsKey();
    BYTE options[kOptionsSize];
    EncodeOptions(options);
    SetValue(key, "Options", REG_BINARY, options, sizeof options);
    BYTE properties[kPropertiesSize];
    EncodeProperties(properties);
    SetValue(key, "Properties", REG_BINARY, properties, sizeof properties);
    CloseSettingsKey(key);
}

void SaveMusicName()
{
    HKEY key = OpenSettingsKey();
    SetText(key, L"Music", MusicName);
    CloseSettingsKey(key);
}

void SaveSkinName()
{
    HKEY key = OpenSettingsKey();
    SetText(key, L"Skins", SkinName);
    CloseSettingsKey(key);
}

void LoadStatistics()
{
    HKEY key = OpenSettingsKey();
    // A value shorter than 8 bytes replaces only the counter bytes it holds.
    BYTE bytes[kStatisticSize];
    EncodeStatistic(bytes);
    DWORD size = sizeof bytes;
    if (QueryValue(key, "Statistic", bytes, &size)) {
        Wins = GetUint32(bytes);
        Losses = GetUint32(bytes + 4);
    } else {
        Wins = 0;
        Losses = 0;
        EncodeStatistic(bytes);
        SetValue(key, "Statistic", REG_DWORD, bytes, sizeof bytes);
    }
    CloseSettingsKey(key);
}

void SaveStatistics()
{
    HKEY key = OpenSettingsKey();
    BYTE bytes[kStatisticSize];
    EncodeStatistic(bytes);
    SetValue(key, "Statistic", REG_DWORD, bytes, sizeof bytes);
    CloseSettingsKey(key);
}
