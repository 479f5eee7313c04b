#include "game/home_fleet.h"

#include <cstring>
#include <initializer_list>
#include <random>

// Restarts after a dead end before the board counts as full: a random fleet on an empty
// board rarely meets one, so many in a row mean the player's ships leave no room.
constexpr int kPlanAttempts = 50;

// One of the places where a ship of the size fits now, drawn evenly; false when none does.
static bool DrawPlace(int size, std::mt19937& dice, HomeShipPlace& place)
{
    HomeShipPlace fits[2 * kFieldSize * kFieldSize];
    int count = 0;
    PlaceStep step;
    for (int kind : {Vertical, Horizontal})
        for (int column = 0; column < kFieldSize; ++column)
            for (int row = 0; row < kFieldSize; ++row)
                if (CheckHomePlacement(column, row, kind, size, step) == 0)
                    fits[count++] = {column, row, kind};
    if (count == 0)
        return false;
    place = fits[dice() % count];
    return true;
}

static void LayDecks(const HomeShipPlace& place, int size)
{
    const int dx = place.kind == Horizontal, dy = place.kind == Vertical;
    for (int i = 0; i < size; ++i)
        HomeBoard[place.column + i * dx][place.row + i * dy] = Deck;
}

// Lays the plan on the HomeBoard as it goes, so each ship is checked against those before it.
static int TryPlan(int size, int left, std::mt19937& dice, HomeShipPlace plan[kFleetShips])
{
    int count = 0;
    for (; size >= 1; --size, left = kLargestShip + 1 - size)
        for (; left > 0; --left) {
            if (!DrawPlace(size, dice, plan[count]))
                return 0;
            LayDecks(plan[count++], size);
        }
    return count;
}

int PlanHomeFleet(int size, int left, std::uint32_t seed, HomeShipPlace plan[kFleetShips])
{
    if (size > kLargestShip || left < 0 || left > kLargestShip + 1 - size)   // more than the fleet holds
        return 0;
    Board before;
    std::memcpy(before, HomeBoard, sizeof before);
    std::mt19937 dice(seed);
    int count = 0;
    for (int attempt = 0; attempt < kPlanAttempts && count == 0; ++attempt) {
        count = TryPlan(size, left, dice, plan);
        std::memcpy(HomeBoard, before, sizeof before);
    }
    return count;
}
