#include "game/placement.h"

#include <cstring>
#include <initializer_list>
#include <random>

#include "game/game.h"
#include "game/opponent.h"
#include "game/view.h"

// Restarts after a dead end before the board counts as full: a random fleet on an empty
// board rarely meets one, so many in a row mean the player's ships leave no room.
constexpr int kPlanAttempts = 50;

static bool ShipOnOffer()
{
    return Game.GamePhase == Placement && Game.PlacementSize > 0 && Game.PlacementLeft > 0 &&
           Game.PlacedShipCount < kFleetShips;
}

bool CanPlaceOfferedShip(Orientation orientation, int column, int row)
{
    PlaceStep step;
    return ShipOnOffer() && CheckHomePlacement(column, row, orientation, Game.PlacementSize, step) == 0;
}

// A ship of the player's runs down or right from its first deck.
static ShipRecord HomeShip(Orientation orientation, int size, int column, int row)
{
    return MakeShip(column, row, kDirectionSteps[orientation == Horizontal ? Right : Down], size);
}

// Sets the cells a ship of the player's takes: Deck to lay it, Water to lift it.
static void SetShipCells(const ShipRecord& ship, CellState cell)
{
    for (int k = 0; k < ship.size; ++k)
        Game.HomeBoard[ship.deckX[k]][ship.deckY[k]] = cell;
}

// Once the ships of a size are down, the next smaller size; none after the last.
static void OfferNextShipSize()
{
    if (Game.PlacementLeft != 0 || Game.GamePhase != Placement)
        return;
    Game.PlacementSize -= 1;
    Game.PlacementLeft = ShipsOfSize(Game.PlacementSize);
    View().shipOffered(Game.PlacementSize);
}

bool PlaceOfferedShip(Orientation orientation, int column, int row)
{
    if (!CanPlaceOfferedShip(orientation, column, row))
        return false;
    Game.PlacementLeft -= 1;
    SetShipCells(Game.HomeFleet[Game.PlacedShipCount] = HomeShip(orientation, Game.PlacementSize, column, row), Deck);
    const PlacedShip& ship = Game.PlacedShips[Game.PlacedShipCount++] = {orientation, Game.PlacementSize, column, row};
    View().shipLaid(ship);
    OfferNextShipSize();
    if (Game.PlacementSize == 0)
        CurrentOpponent().fleetLaid();
    return true;
}

bool TakeBackLastShip()
{
    if (Game.GamePhase != Placement || Game.PlacedShipCount <= 0 || Game.PlacedShipCount > kFleetShips ||
        !CurrentOpponent().mayTakeBack())
        return false;
    const PlacedShip ship = Game.PlacedShips[--Game.PlacedShipCount];
    SetShipCells(Game.HomeFleet[Game.PlacedShipCount], Water);
    Game.HomeFleet[Game.PlacedShipCount] = ShipRecord{};
    if (ship.size == Game.PlacementSize) {
        Game.PlacementLeft += 1;
    } else {   // the panel has stepped past its size
        Game.PlacementSize = ship.size;
        Game.PlacementLeft = 1;
    }
    View().shipTakenBack(ship);
    return true;
}

// One of the places where a ship of the size fits now, drawn evenly; false when none does.
static bool DrawPlace(int size, std::mt19937& dice, HomeShipPlace& place)
{
    HomeShipPlace fits[2 * kFieldSize * kFieldSize];
    int count = 0;
    PlaceStep step;
    for (Orientation orientation : {Vertical, Horizontal})
        for (int column = 0; column < kFieldSize; ++column)
            for (int row = 0; row < kFieldSize; ++row)
                if (CheckHomePlacement(column, row, orientation, size, step) == 0)
                    fits[count++] = {column, row, orientation};
    if (count == 0)
        return false;
    place = fits[dice() % count];
    return true;
}

// Lays the plan on the HomeBoard as it goes, so each ship is checked against those before it.
static int TryPlan(int size, int left, std::mt19937& dice, HomeShipPlace plan[kFleetShips])
{
    int count = 0;
    for (; size >= 1; --size, left = ShipsOfSize(size))
        for (; left > 0; --left) {
            if (!DrawPlace(size, dice, plan[count]))
                return 0;
            SetShipCells(HomeShip(plan[count].orientation, size, plan[count].column, plan[count].row), Deck);
            ++count;
        }
    return count;
}

int PlanHomeFleet(int size, int left, std::uint32_t seed, HomeShipPlace plan[kFleetShips])
{
    if (size > kLargestShip || left < 0 || left > ShipsOfSize(size))   // more than the fleet holds
        return 0;
    Board before;
    std::memcpy(before, Game.HomeBoard, sizeof before);
    std::mt19937 dice(seed);
    int count = 0;
    for (int attempt = 0; attempt < kPlanAttempts && count == 0; ++attempt) {
        count = TryPlan(size, left, dice, plan);
        std::memcpy(Game.HomeBoard, before, sizeof before);
    }
    return count;
}

bool PlaceRestOfFleet(std::uint32_t seed)
{
    if (Game.GamePhase != Placement || Game.PlacementSize <= 0)
        return false;
    HomeShipPlace plan[kFleetShips];
    const int count = PlanHomeFleet(Game.PlacementSize, Game.PlacementLeft, seed, plan);
    for (int i = 0; i < count; ++i)
        PlaceOfferedShip(plan[i].orientation, plan[i].column, plan[i].row);
    return count > 0;
}
