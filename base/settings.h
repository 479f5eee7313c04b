// The settings store: the player's choices and the won and lost games, kept in one key of
// the per-user registry, read at fixed moments and written the moment they change.
#pragma once
#include <windows.h>

#include <cstdint>

#include "base/language.h"
#include "game/options.h"

constexpr const char* SettingsKeyPath = "Software\\Quorvex Software\\Tidewar";
constexpr const char* OldSettingsKeyPath = "Software\\Quorvex Software\\Tidewar v1.2";
constexpr int kSettingTextSize = 256;

// The network game's port and the player's name as the partner sees it.
constexpr uint32_t kDefaultGamePort = 41770;
constexpr uint32_t kLowestGamePort = 1024;
constexpr uint32_t kHighestGamePort = 65535;
constexpr int kMaxPlayerNameChars = 32;
constexpr int kPlayerNameSize = 2 * kMaxPlayerNameChars + 1;   // UTF-16: two units a character at most

struct StoredSettings {
    // Full lower-case paths, or "no" for no music and for the built-in skin. Wide, so that a
    // folder outside the ANSI code page can be named; stored as REG_SZ all the same.
    wchar_t MusicName[kSettingTextSize] = L"no";
    wchar_t SkinName[kSettingTextSize] = L"no";
    bool SoundOn = true;     // the sound effects; the music does not depend on it
    bool ShowDecks = true;   // the counters show decks (else ships)
    // As stored; a hand-edited store may hold any byte.
    uint32_t Language = English;
    // Games won and lost, read again from the store before every change and display.
    uint32_t Wins = 0;
    uint32_t Losses = 0;
    // The player's size: 1 to 3 window pixels per scene pixel, each way; 0 follows the display,
    // as does anything else the store holds.
    int Scale = 0;
    // The same for games against a partner over the network.
    uint32_t NetworkWins = 0;
    uint32_t NetworkLosses = 0;
    uint32_t GamePort = kDefaultGamePort;
    // Empty until the network settings are read: then the stored name, or the user's.
    wchar_t PlayerName[kPlayerNameSize] = L"";
};

extern StoredSettings Settings;

// The rules' own choices (SkillLevel, MarkDeadShips, MarkDeadZone), kept beside these. The game
// plays under a copy, given it whenever they are loaded or applied.
extern GameOptions Options;

// The program's key, opened or created; nullptr when it can be neither, and then every read
// fails and nothing is written. The caller closes it.
HKEY OpenSettingsKey();

// The defaults, as before the store is read.
void ResetSettings();
void ResetOptions();

// The Windows interface language, which a first start speaks; a port, so that tests choose it.
struct InterfaceLanguagePort {
    unsigned short (*uiLanguage)();   // a LANGID, as GetUserDefaultUILanguage gives it
};
void InstallInterfaceLanguagePort(const InterfaceLanguagePort& port);

// Russian or German where the interface speaks it, in any of their countries; else English.
uint32_t LanguageOfInterface(unsigned short languageId);

// What one load or save moves: each stored value belongs to one group, and any groups go
// through one opening of the key.
enum SettingsGroup : unsigned {
    PlayerChoices = 1,    // "Options", "Properties", "Scale"
    MusicChoice = 2,      // "Music"
    SkinChoice = 4,       // "Skins"
    GameRecord = 8,       // "Statistic"
    NetworkRecord = 16,   // "NetworkStatistic"
    NetworkChoices = 32,  // "NetworkPort", "PlayerName"
};
constexpr unsigned ChosenSettings = PlayerChoices | MusicChoice | SkinChoice;

// Takes a value as stored under `name` into the settings: the bytes it holds replace the
// setting's, the bytes it lacks keep it. Reads no more than `size` bytes at `stored`.
void TakeStoredValue(const char* name, const unsigned char* stored, unsigned long size);

// Drops the old key, signs the store and loads the chosen settings; with no language stored,
// the interface's is taken.
void OpenSettingsStore();

// A missing value keeps the setting and is written from it, but a missing record starts from
// zero, and a missing port or name reads as the default (the port above, the Windows user
// name) and stays missing.
void LoadSettings(unsigned groups);
void SaveSettings(unsigned groups);

// Adds a network game won or lost to the stored record. Both players of a game on one
// computer end it at the same moment: the read and the write are one step for all instances.
void CountNetworkGame(bool won);

// 1 to 32 characters, none of them a control character, and no broken UTF-16.
bool IsPlayerName(const wchar_t* name);
