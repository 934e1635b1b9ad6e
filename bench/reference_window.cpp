// The baseline for the mixer's start-up, idleness and memory: the least an SDL2 program does to
// show a window of the mixer's size. It opens a 640 x 400 window, fills the window surface
// (software, no accelerated renderer) and presents it once, and writes on stdout the time at
// which that frame was presented, in nanoseconds of CLOCK_MONOTONIC:
//
//     first-frame NANOSECONDS
//
// Then it exits, or with --wait it waits for events until the window is closed.
#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <ctime>

namespace {

long long monotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

}  // namespace

int main(int argc, char** argv) {
    const bool wait = argc > 1 && std::strcmp(argv[1], "--wait") == 0;
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "reference_window: %s\n", SDL_GetError());
        return 2;
    }
    SDL_Window* window = SDL_CreateWindow("reference_window", SDL_WINDOWPOS_UNDEFINED,
                                          SDL_WINDOWPOS_UNDEFINED, 640, 400, 0);
    SDL_Surface* surface = window != nullptr ? SDL_GetWindowSurface(window) : nullptr;
    if (surface == nullptr) {
        std::fprintf(stderr, "reference_window: %s\n", SDL_GetError());
        SDL_Quit();
        return 2;
    }
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 255, 255, 255));
    SDL_UpdateWindowSurface(window);
    std::printf("first-frame %lld\n", monotonicNanoseconds());
    std::fflush(stdout);

    SDL_Event event;
    while (wait && SDL_WaitEvent(&event) != 0) {
        if (event.type == SDL_QUIT) {
            break;
        }
    }
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
