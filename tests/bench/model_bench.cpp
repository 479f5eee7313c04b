// How fast the model places fleets and fires, and how many shots the computer needs to
// sink a fleet at each level. The clock moves on one second per seeding, as it roughly
// does between the computer's shots in play.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "game/board.h"
#include "game/computer.h"
#include "game/fleet.h"
#include "game/options.h"
#include "game/phase.h"
#include "game/random.h"
#include "tests/fakes/recorder.h"

namespace {

std::time_t benchSecond = 1700000000;

std::time_t TickingClock()
{
    return benchSecond++;
}

// A legal player fleet from a generator of the benchmark's own.
void LayRandomHomeFleet(std::mt19937& dice)
{
    static const int sizes[kFleetShips] = {4, 3, 3, 2, 2, 2, 1, 1, 1, 1};
    for (;;) {
        for (auto& column : HomeBoard)
            for (int32_t& cell : column)
                cell = Water;
        int placed = 0;
        for (int size : sizes)
            for (int attempt = 0; attempt < 1000; ++attempt) {
                const int x = dice() % 10, y = dice() % 10, kind = dice() % 2 ? Vertical : Horizontal;
                PlaceStep step;
                if (CheckHomePlacement(x, y, kind, size, step) == 0) {
                    for (int k = 0; k < size; ++k)
                        HomeBoard[x + step.dx * k][y + step.dy * k] = Deck;
                    ++placed;
                    break;
                }
            }
        if (placed == kFleetShips)
            return;
    }
}

void StartComputerBattle(std::mt19937& dice)
{
    LayRandomHomeFleet(dice);
    HomeDecksLeft = kFleetDecks;
    HomeShipsLeft = kFleetShips;
    GamePhase = Battle;
    ComputerTurn = 1;
    HuntActive = 0;
    TargetStack.count = 0;
}

void BM_PlaceEnemyFleet(benchmark::State& state)
{
    CalendarSeconds = TickingClock;
    for (auto _ : state) {
        PlaceEnemyFleet();
        benchmark::DoNotOptimize(EnemyFleet);
    }
    state.counters["fleets/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PlaceEnemyFleet);

void BM_ComputerShot(benchmark::State& state)
{
    CalendarSeconds = TickingClock;
    SkillLevel = 2;
    std::mt19937 dice(1);
    StartComputerBattle(dice);
    for (auto _ : state) {
        if (HomeDecksLeft == 0)
            StartComputerBattle(dice);
        ComputerShot();
        Recording.clear();
    }
    state.counters["shots/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ComputerShot);

// Computer shots (searches that fire nothing not counted) to sink a random legal fleet.
void BM_ShotsToSinkAFleet(benchmark::State& state)
{
    CalendarSeconds = TickingClock;
    SkillLevel = static_cast<uint8_t>(state.range(0));
    constexpr int kGames = 10000;
    std::vector<int> shots;
    for (auto _ : state) {
        shots.clear();
        std::mt19937 dice(42);
        for (int game = 0; game < kGames; ++game) {
            StartComputerBattle(dice);
            int fired = 0;
            while (HomeDecksLeft > 0) {
                fired += ComputerShot() == 0;
                Recording.clear();
            }
            shots.push_back(fired);
        }
    }
    std::sort(shots.begin(), shots.end());
    double sum = 0;
    for (int s : shots)
        sum += s;
    state.counters["mean"] = sum / shots.size();
    state.counters["p95"] = shots[shots.size() * 95 / 100];
}
BENCHMARK(BM_ShotsToSinkAFleet)->Arg(1)->Arg(2)->Arg(3)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
