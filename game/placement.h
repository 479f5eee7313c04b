// The player's fleet on the HomeBoard: the drop rule, the panel's count through the sizes,
// and the ships still on offer laid at random on the player's behalf.
#pragma once
#include <cstdint>

#include "game/game.h"

// Lays the ship on offer with its first deck at the cell, running down or right, if a ship
// is on offer and the no-touch rule takes it; false when refused. Once a size is down the
// panel offers the next, and once the fleet is down the opponent hears of it.
bool PlaceOfferedShip(GameState& game, Orientation orientation, int column, int row);

// Whether PlaceOfferedShip would lay the ship there now.
bool CanPlaceOfferedShip(const GameState& game, Orientation orientation, int column, int row);

// Lifts the last ship laid back onto the panel, while placing: its size is offered again,
// one more of it if that size is on offer; false when no ship is down, or when the fleet is
// already promised to a partner.
bool TakeBackLastShip(GameState& game);

// Where one ship goes: its first deck and its orientation.
struct HomeShipPlace {
    int column;
    int row;
    Orientation orientation;
};

// Plans the ships still to place on the HomeBoard, in the order the panel offers them:
// `left` ships of `size`, then all ships of every smaller size. Each place obeys the
// no-touch rule with the ships before it; the HomeBoard is left as it was. The draws come
// from `seed` alone, so the plan never repeats the computer's clock-seeded fleet. Returns
// the number of places planned, or 0 when the ships on the board leave the rest no room.
int PlanHomeFleet(GameState& game, int size, int left, std::uint32_t seed, HomeShipPlace plan[kFleetShips]);

// Lays every ship still on offer by such a plan, stepping the panel between the sizes as
// the drops do; false, laying nothing, when the ships on the board leave them no room.
bool PlaceRestOfFleet(GameState& game, std::uint32_t seed);
