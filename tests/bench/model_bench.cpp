// How fast the model places fleets and fires, and how many shots the computer needs to
// sink a fleet at each level. The clock moves on one second per seeding, as it roughly
// does between the computer's shots in play.
#include <benchmark/benchmark.h>

#include "tests/fakes/recorder.h"
#include "tests/game/game_state.h"

namespace {

std::time_t benchSecond = 1700000000;

void StartComputerBattle(int level)
{
    ResetGameState();
    CalendarSeconds = [] { return benchSecond++; };
    SkillLevel = static_cast<uint8_t>(level);
    LayHomeFleet();
    HomeDecksLeft = kFleetDecks;
    HomeShipsLeft = kFleetShips;
    GamePhase = Battle;
    ComputerTurn = 1;
}

void BM_PlaceEnemyFleet(benchmark::State& state)
{
    ResetGameState();
    CalendarSeconds = [] { return benchSecond++; };
    for (auto _ : state) {
        PlaceEnemyFleet();
        benchmark::DoNotOptimize(EnemyFleet);
    }
    state.counters["fleets/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PlaceEnemyFleet);

// Computer shots (searches that fire nothing not counted) to sink a random legal fleet.
void BM_ShotsToSinkAFleet(benchmark::State& state)
{
    double fired = 0;
    for (auto _ : state) {
        benchSecond = 1700000000;
        for (int game = 0; game < 10000; ++game) {
            StartComputerBattle(static_cast<int>(state.range(0)));
            while (HomeDecksLeft > 0) {
                fired += ComputerShot() == 0;
                Recording.clear();
            }
        }
    }
    state.counters["mean"] = fired / 10000;
}
BENCHMARK(BM_ShotsToSinkAFleet)->Arg(1)->Arg(2)->Arg(3)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
