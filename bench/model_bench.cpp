// How fast the model places fleets and fires, and how many shots the computer needs to
// sink a fleet at each level: the mean and the 95th percentile over 10000 games.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "tests/game/play.h"

namespace {

void BM_PlaceEnemyFleet(benchmark::State& state)
{
    ResetModel(Game);
    Game.Dice = {[] { return GameSecond++; }};
    for (auto _ : state)
        PlaceEnemyFleet(Game);
    state.counters["fleets/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PlaceEnemyFleet);

// One call of the computer's turn, its pause aside; a sunk fleet is laid anew untimed.
void BM_ComputerShot(benchmark::State& state)
{
    for (auto _ : state) {
        if (Game.HomeDecksLeft <= 0) {
            state.PauseTiming();
            LayFleetForComputer(3);
            state.ResumeTiming();
        }
        ComputerShot(Game);
        Recording.clear();
    }
    state.counters["shots/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ComputerShot);

void BM_ShotsToSinkAFleet(benchmark::State& state)
{
    constexpr int kGames = 10000;
    std::vector<int> shots(kGames);
    GameSecond = 1700000000;
    for (auto _ : state)
        for (int& fired : shots)
            fired = ShotsToSinkAFleet(static_cast<int>(state.range(0)));
    std::sort(shots.begin(), shots.end());
    double total = 0;
    for (int fired : shots)
        total += fired;
    state.counters["mean"] = total / kGames;
    state.counters["p95"] = shots[kGames * 95 / 100 - 1];
}
BENCHMARK(BM_ShotsToSinkAFleet)->Arg(1)->Arg(2)->Arg(3)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
