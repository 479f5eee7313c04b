// The player's ships still on offer, laid by the computer on the player's behalf.
#pragma once
#include <cstdint>

#include "game/board.h"

// Where one ship goes: its first deck and its kind, Vertical or Horizontal.
struct HomeShipPlace {
    int column;
    int row;
    int kind;
};

// Plans the ships still to place on the HomeBoard, in the order the panel offers them:
// `left` ships of `size`, then 5 - s ships of every smaller size s. Each place obeys the
// no-touch rule with the ships before it; the HomeBoard is left as it was. The draws come
// from `seed` alone, so the plan never repeats the computer's clock-seeded fleet. Returns
// the number of places planned, or 0 when the ships on the board leave the rest no room.
int PlanHomeFleet(int size, int left, std::uint32_t seed, HomeShipPlace plan[kFleetShips]);
