#include "app/kept_battle.h"

#include <windows.h>

#include <commctrl.h>


#include "base/program.h"
#include "base/settings.h"
#include "game/game.h"
#include "game/opponent.h"
#include "game/saved_battle.h"
#include "media/backbuffer.h"
#include "media/scene.h"
#include "media/skin.h"
#include "media/status_panel.h"

KeptBattleState KeptBattle;

void ResetKeptBattle()
{
    KeptBattle = KeptBattleState{};
}

namespace {

constexpr const wchar_t* kBattleValue = L"Battle";
// Two numbers, little-endian: the last serial given and the last counted.
constexpr const wchar_t* kSerialsValue = L"BattleSerials";

struct Serials {
    uint32_t given = 0, counted = 0;
};

// A missing or misshapen value reads as none given and none counted.
Serials ReadSerials(HKEY key)
{
    BYTE bytes[8] = {};
    DWORD size = sizeof bytes;
    if (RegQueryValueExW(key, kSerialsValue, nullptr, nullptr, bytes, &size) != ERROR_SUCCESS || size != sizeof bytes)
        return {};
    const auto get = [&](int at) {
        return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
    };
    return {get(0), get(4)};
}

void WriteSerials(HKEY key, Serials serials)
{
    BYTE bytes[8];
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<BYTE>(serials.given >> (8 * i));
        bytes[4 + i] = static_cast<BYTE>(serials.counted >> (8 * i));
    }
    RegSetValueExW(key, kSerialsValue, 0, REG_BINARY, bytes, sizeof bytes);
}

// Read in full, one byte more than the layout: a longer value is refused, not cut.
bool ReadKept(HKEY key, GameState& game, uint32_t& serial)
{
    BYTE bytes[kSavedBattleSize + 1];
    DWORD size = sizeof bytes;
    return RegQueryValueExW(key, kBattleValue, nullptr, nullptr, bytes, &size) == ERROR_SUCCESS &&
           DecodeBattle(bytes, size, game, serial);
}

} // namespace

void NumberNewBattle()
{
    KeptBattle.Changed = false;
    HKEY key = OpenSettingsKey();
    if (!key)
        return;
    RegDeleteValueW(key, kBattleValue);
    Serials serials = ReadSerials(key);
    serials.given = (serials.given > serials.counted ? serials.given : serials.counted) + 1;
    WriteSerials(key, serials);
    KeptBattle.Serial = serials.given;
    RegCloseKey(key);
}

void NoteBattleMove()
{
    KeptBattle.Changed = true;
}

void KeepChangedBattle()
{
    if (!KeptBattle.Changed)
        return;
    KeptBattle.Changed = false;
    uint8_t bytes[kSavedBattleSize];
    if (!EncodeBattle(Game, KeptBattle.Serial, bytes))
        return;
    HKEY key = OpenSettingsKey();
    if (!key)
        return;
    RegSetValueExW(key, kBattleValue, 0, REG_BINARY, bytes, sizeof bytes);
    RegCloseKey(key);
}

void ForgetEndedBattle()
{
    KeptBattle.Changed = false;
    HKEY key = OpenSettingsKey();
    if (!key)
        return;
    Serials serials = ReadSerials(key);
    if (KeptBattle.Serial > serials.counted)
        serials.counted = KeptBattle.Serial;
    WriteSerials(key, serials);
    RegDeleteValueW(key, kBattleValue);
    RegCloseKey(key);
}

bool ResumeKeptBattle()
{
    HKEY key = OpenSettingsKey();
    if (!key)
        return false;
    GameState kept = Game;
    uint32_t serial = 0;
    const bool resumed = ReadKept(key, kept, serial) && serial > ReadSerials(key).counted;
    if (resumed) {
        Game = kept;
        KeptBattle.Serial = serial;
    } else {
        RegDeleteValueW(key, kBattleValue);
    }
    RegCloseKey(key);
    if (!resumed)
        return false;
    // The ships are drawn now, so their images are made before the first screen, not after it.
    InitCommonControls();
    MakeShipImages();
    if (Game.GamePhase == Battle)
        MakeStatusFonts();
    RedrawScene();
    Scene.BackgroundDrawn = true;
    return true;
}

void ContinueKeptBattle()
{
    if (BattleKeepable(Game))
        SettleBattle(Game);
}
