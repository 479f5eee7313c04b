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

static bool ShipOnOffer(const GameState& game)
{
    return game.GamePhase == Placement && game.PlacementSize > 0 && game.PlacementLeft > 0 &&
           game.PlacedShipCount < kFleetShips;
}

bool CanPlaceOfferedShip(const GameState& game, Orientation orientation, int column, int row)
{
    PlaceStep step;
    return ShipOnOffer(game) && HomeShipFits(game.HomeBoard, column, row, orientation, game.PlacementSize, step);
}

// A ship of the player's runs down or right from its first deck.
static ShipRecord HomeShip(Orientation orientation, int size, int column, int row)
{
    return MakeShip(column, row, kDirectionSteps[orientation == Horizontal ? Right : Down], size);
}

// Sets the cells a ship of the player's takes: Deck to lay it, Water to lift it.
static void SetShipCells(GameState& game, const ShipRecord& ship, CellState cell)
{
    for (int k = 0; k < ship.size; ++k)
        game.HomeBoard[ship.deckX[k]][ship.deckY[k]] = cell;
}

// Once the ships of a size are down, the next smaller size; none after the last.
static void OfferNextShipSize(GameState& game)
{
    if (game.PlacementLeft != 0 || game.GamePhase != Placement)
        return;
    game.PlacementSize -= 1;
    game.PlacementLeft = ShipsOfSize(game.PlacementSize);
    game.View->shipOffered(game.PlacementSize);
}

bool PlaceOfferedShip(GameState& game, Orientation orientation, int column, int row)
{
    if (!CanPlaceOfferedShip(game, orientation, column, row))
        return false;
    game.PlacementLeft -= 1;
    SetShipCells(game, game.HomeFleet[game.PlacedShipCount] = HomeShip(orientation, game.PlacementSize, column, row), Deck);
    const PlacedShip& ship = game.PlacedShips[game.PlacedShipCount++] = {orientation, game.PlacementSize, column, row};
    game.View->shipLaid(ship);
    OfferNextShipSize(game);
    if (game.PlacementSize == 0)
        CurrentOpponent(game).fleetLaid(game);
    return true;
}

bool TakeBackLastShip(GameState& game)
{
    if (game.GamePhase != Placement || game.PlacedShipCount <= 0 || game.PlacedShipCount > kFleetShips ||
        !CurrentOpponent(game).mayTakeBack(game))
        return false;
    const PlacedShip ship = game.PlacedShips[--game.PlacedShipCount];
    SetShipCells(game, game.HomeFleet[game.PlacedShipCount], Water);
    game.HomeFleet[game.PlacedShipCount] = ShipRecord{};
    if (ship.size == game.PlacementSize) {
        game.PlacementLeft += 1;
    } else {   // the panel has stepped past its size
        game.PlacementSize = ship.size;
        game.PlacementLeft = 1;
    }
    game.View->shipTakenBack(ship);
    return true;
}

// One of the places where a ship of the size fits now, drawn evenly; false when none does.
static bool DrawPlace(GameState& game, int size, std::mt19937& dice, HomeShipPlace& place)
{
    HomeShipPlace fits[2 * kFieldSize * kFieldSize];
    int count = 0;
    PlaceStep step;
    for (Orientation orientation : {Vertical, Horizontal})
        for (int column = 0; column < kFieldSize; ++column)
            for (int row = 0; row < kFieldSize; ++row)
                if (HomeShipFits(game.HomeBoard, column, row, orientation, size, step))
                    fits[count++] = {column, row, orientation};
    if (count == 0)
        return false;
    place = fits[dice() % count];
    return true;
}

// Lays the plan on the HomeBoard as it goes, so each ship is checked against those before it.
static int TryPlan(GameState& game, int size, int left, std::mt19937& dice, HomeShipPlace plan[kFleetShips])
{
    int count = 0;
    for (; size >= 1; --size, left = ShipsOfSize(size))
        for (; left > 0; --left) {
            if (!DrawPlace(game, size, dice, plan[count]))
                return 0;
            SetShipCells(game, HomeShip(plan[count].orientation, size, plan[count].column, plan[count].row), Deck);
            ++count;
        }
    return count;
}

int PlanHomeFleet(GameState& game, int size, int left, std::uint32_t seed, HomeShipPlace plan[kFleetShips])
{
    if (size > kLargestShip || left < 0 || left > ShipsOfSize(size))   // more than the fleet holds
        return 0;
    Board before;
    std::memcpy(before, game.HomeBoard, sizeof before);
    std::mt19937 dice(seed);
    int count = 0;
    for (int attempt = 0; attempt < kPlanAttempts && count == 0; ++attempt) {
        count = TryPlan(game, size, left, dice, plan);
        std::memcpy(game.HomeBoard, before, sizeof before);
    }
    return count;
}

bool PlaceRestOfFleet(GameState& game, std::uint32_t seed)
{
    if (game.GamePhase != Placement || game.PlacementSize <= 0)
        return false;
    HomeShipPlace plan[kFleetShips];
    const int count = PlanHomeFleet(game, game.PlacementSize, game.PlacementLeft, seed, plan);
    for (int i = 0; i < count; ++i)
        PlaceOfferedShip(game, plan[i].orientation, plan[i].column, plan[i].row);
    return count > 0;
}
