// Posting and draining a flood of events: the time per event stays the same from a thousand
// events to a million, so draining takes time linear in their number. The report's BigO line
// gives the fitted coefficient and the RMS error of that fit.
#include <benchmark/benchmark.h>

#include <memory>

#include "offscreen_backend.hpp"
#include "tev/application.hpp"
#include "tev/event_codes.hpp"
#include "tev/tev_crt.hpp"

namespace {

void BM_PostAndDrainEvents(benchmark::State& state) {
    tev::Application app("bench", std::make_unique<tev::OffscreenBackend>());
    const long count = state.range(0);
    tev::Window* const target = &app.appWindow();
    for (auto _ : state) {
        for (long n = 0; n < count; ++n) {
            tev::PostAppEvent(tev::FirstUserEvent, static_cast<double>(n), tev::PositionPair{1, 2},
                              target);
        }
        tev::MessageParam mp1;
        tev::MessageParam mp2;
        tev::Window* fetchedTarget = nullptr;
        for (long n = 0; n < count; ++n) {
            benchmark::DoNotOptimize(app.next(mp1, mp2, fetchedTarget));
        }
    }
    state.SetItemsProcessed(state.iterations() * count);
    state.SetComplexityN(count);
}
BENCHMARK(BM_PostAndDrainEvents)
    ->RangeMultiplier(10)
    ->Range(1'000, 1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
