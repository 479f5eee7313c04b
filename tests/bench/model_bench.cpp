// How fast the model places fleets and fires, and how many shots the computer needs to
// sink a fleet at each level. The clock moves on one second per seeding, as it roughly
// does between the computer's shots in play.
#include <benchmark/benchmark.h>

#include "tests/fakes/recorder.h"
#include "tests/game/game_state.h"

namespace {

std::time_t benchSecond = 1700000000;

void BM_PlaceEnemyFleet(benchmark::State& state)
{
    ResetModel();
    CalendarSeconds = [] { return benchSecond++; };
    for (auto _ : state)
        PlaceEnemyFleet();
    state.counters["fleets/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PlaceEnemyFleet);

// Computer shots (searches that fire nothing not counted) to sink a random legal fleet.
void BM_ShotsToSinkAFleet(benchmark::State& state)
{
    double fired = 0;
    benchSecond = 1700000000;
    for (auto _ : state)
        for (int game = 0; game < 10000; ++game) {
            ResetModel();
            CalendarSeconds = [] { return benchSecond++; };
            Options.SkillLevel = static_cast<uint8_t>(state.range(0));
            LayHomeFleet();
            for (Game.HomeDecksLeft = kFleetDecks; Game.HomeDecksLeft > 0; Recording.clear())
                fired += !ComputerShot();
        }
    state.counters["mean"] = fired / 10000;
}
BENCHMARK(BM_ShotsToSinkAFleet)->Arg(1)->Arg(2)->Arg(3)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
