// The hot path of the color mixer: one pointer movement of a drag on the red thumb, from the
// input event through the queue, the thumb, the slider, the posted track event, the Track
// callback and RGB, to the repainted frame handed to the backend.
//
// Each step is timed on its own, so the counters give the median and the 99th percentile of
// a step. Beside every step the benchmark times its floor: a plain fill of as many pixels as
// the step must change (the thumb's old and new areas, the swatch, the text line), so the
// ratio between the two survives the noise of a shared machine.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

#include "drag_session.hpp"
#include "tev/tev_crt.hpp"

namespace tev::bench {
namespace {

using Clock = std::chrono::steady_clock;

double nanoseconds(Clock::duration duration) {
    return static_cast<double>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(duration).count());
}

double percentile(std::vector<double> samples, double fraction) {
    if (samples.empty()) {
        return 0;
    }
    const auto rank = static_cast<std::size_t>(fraction * static_cast<double>(samples.size() - 1));
    std::nth_element(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(rank),
                     samples.end());
    return samples[rank];
}

// The floor: writes every pixel of `area` with one color into a frame-sized buffer, row by
// row, the least work that showing the changed pixels can take.
class PlainFill {
  public:
    explicit PlainFill(const Region& area)
        : rects_(area.rects()),
          pixels_(static_cast<std::size_t>(TevCrt::PixelWidth) * TevCrt::PixelHeight) {}

    void run(std::uint32_t color) {
        for (const DeviceRect& rect : rects_) {
            for (int row = rect.y; row < rect.y + rect.height; ++row) {
                std::uint32_t* start =
                    pixels_.data() + static_cast<std::size_t>(row) * TevCrt::PixelWidth + rect.x;
                std::fill_n(start, rect.width, color);
            }
        }
        benchmark::DoNotOptimize(pixels_.data());
        benchmark::ClobberMemory();
    }

  private:
    std::vector<DeviceRect> rects_;
    std::vector<std::uint32_t> pixels_;
};

// Drives steps between two pointer positions, `fromX` and `toX`, back and forth; `changed` is
// what one step really changes.
void runDrag(benchmark::State& state, int fromX, int toX, const Region& changed,
             DragSession& session) {
    PlainFill floor(changed);
    std::vector<double> stepNs;
    std::vector<double> floorNs;
    std::vector<double> repainted;
    bool forward = true;
    std::uint32_t color = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        const long long pixels = session.step(forward ? toX : fromX);
        const Clock::time_point stepped = Clock::now();
        floor.run(++color);
        const Clock::time_point filled = Clock::now();
        stepNs.push_back(nanoseconds(stepped - start));
        floorNs.push_back(nanoseconds(filled - stepped));
        repainted.push_back(static_cast<double>(pixels));
        forward = !forward;
    }
    const double stepMedian = percentile(stepNs, 0.5);
    const double floorMedian = percentile(floorNs, 0.5);
    const double changedPixels = static_cast<double>(changed.area());
    state.counters["step_med_us"] = stepMedian / 1000;
    state.counters["step_p99_us"] = percentile(stepNs, 0.99) / 1000;
    state.counters["floor_med_us"] = floorMedian / 1000;
    state.counters["x_floor"] = floorMedian > 0 ? stepMedian / floorMedian : 0;
    state.counters["px_repainted"] = percentile(repainted, 1.0);
    state.counters["px_changed"] = changedPixels;
    state.counters["x_changed"] =
        changedPixels > 0 ? percentile(repainted, 1.0) / changedPixels : 0;
}

// A movement from one cell of the red track to the next: the thumb moves, the red value, the
// swatch and the text line change.
void BM_DragStep(benchmark::State& state) {
    DragSession session;
    const Region changed = session.changedArea(5, 6);
    runDrag(state, MixerScene::redTrackX(5, 4), MixerScene::redTrackX(6, 4), changed, session);
}
BENCHMARK(BM_DragStep);

// A movement inside one cell: the tick stays, so nothing on screen changes, yet the track
// event is posted and Track and RGB run all the same.
void BM_DragStepSameTick(benchmark::State& state) {
    DragSession session;
    const Region changed = session.changedArea(5, 5);
    runDrag(state, MixerScene::redTrackX(5, 1), MixerScene::redTrackX(5, 6), changed, session);
}
BENCHMARK(BM_DragStepSameTick);

}  // namespace
}  // namespace tev::bench

BENCHMARK_MAIN();
