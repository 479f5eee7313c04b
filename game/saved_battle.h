// A battle against the computer as bytes, so that it outlives the process: written after every
// move, read back at the next start. The layout is in docs/saved-battle.md. Decoding trusts
// nothing: whatever fails a check of the layout or of the rules is refused whole.
#pragma once
#include <cstddef>
#include <cstdint>

#include "game/game.h"

constexpr uint16_t kSavedBattleVersion = 1;
constexpr size_t kSavedBattleSize = 299;

// Whether the game is one a SavedBattle can hold: against the computer, placing or fighting.
bool BattleKeepable(const GameState& game);

// The game's battle and its serial number, checksummed; false, writing nothing, when the game
// is not keepable.
bool EncodeBattle(const GameState& game, uint32_t serial, uint8_t (&bytes)[kSavedBattleSize]);

// Reads no more than `size` bytes. On success the game holds the battle (its ports and the
// timer flag as they were) and `serial` its number; on failure neither changes.
bool DecodeBattle(const uint8_t* bytes, size_t size, GameState& game, uint32_t& serial);

// The checksum the layout ends with, over the bytes before it.
uint32_t BattleChecksum(const uint8_t* bytes, size_t size);
