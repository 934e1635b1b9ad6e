// The mixer's start-up up to its first presented frame. It starts like the mixer, through the
// platform's start-up with the same options (--platform offscreen|window, ...), sets up the
// mixer's sliders and swatch, handles the events that start-up posts, paints and presents the
// first frame, writes on stdout the time at which that frame was presented, in nanoseconds of
// CLOCK_MONOTONIC, and exits:
//
//     first-frame NANOSECONDS
#include <cstdio>
#include <ctime>

#include "mixer_scene.hpp"
#include "run_application.hpp"
#include "tev/application.hpp"

int main(int argc, char** argv) {
    return tev::runApplication(argc, argv, [] {
        tev::bench::MixerScene scene;
        tev::Application& app = tev::Application::current("startup_probe");
        tev::bench::dispatchPending(app);
        app.repaint();
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        std::printf("first-frame %lld\n",
                    static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
        std::fflush(stdout);
    });
}
