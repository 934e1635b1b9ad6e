// Runs drag steps of the color mixer under valgrind's callgrind with collection on only
// around the steps themselves, so the instruction count divided by the number of steps is the
// cost of one step, the same on every run:
//
//     valgrind --tool=callgrind --collect-atstart=no drag_step_count changed|same [STEPS]
//
// "changed" moves the pointer between the cells of ticks 5 and 6 of the red track, "same"
// inside the cell of tick 5.
#include <valgrind/callgrind.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "drag_session.hpp"

int main(int argc, char** argv) {
    using tev::bench::MixerScene;
    const std::string_view usage = "usage: drag_step_count changed|same [STEPS]\n";
    if (argc < 2 || argc > 3) {
        std::fputs(usage.data(), stderr);
        return 2;
    }
    const std::string_view kind = argv[1];
    int steps = 1000;
    if (argc == 3) {
        const std::string_view text = argv[2];
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), steps);
        if (error != std::errc() || end != text.data() + text.size() || steps < 1) {
            std::fputs(usage.data(), stderr);
            return 2;
        }
    }
    int fromX = 0;
    int toX = 0;
    if (kind == "changed") {
        fromX = MixerScene::redTrackX(5, 4);
        toX = MixerScene::redTrackX(6, 4);
    } else if (kind == "same") {
        fromX = MixerScene::redTrackX(5, 1);
        toX = MixerScene::redTrackX(5, 6);
    } else {
        std::fputs(usage.data(), stderr);
        return 2;
    }

    tev::bench::DragSession session;
    // Warm-up: the first steps fill caches of resources and allocations.
    for (int i = 0; i < 10; ++i) {
        session.step(i % 2 == 0 ? toX : fromX);
    }
    long long repainted = 0;
    CALLGRIND_TOGGLE_COLLECT;
    for (int i = 0; i < steps; ++i) {
        repainted += session.step(i % 2 == 0 ? toX : fromX);
    }
    CALLGRIND_TOGGLE_COLLECT;
    std::printf("steps %d\npixels repainted %lld\n", steps, repainted);
    return 0;
}
