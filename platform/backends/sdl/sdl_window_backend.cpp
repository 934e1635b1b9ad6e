#include "sdl_window_backend.hpp"

#include <SDL.h>
#include <cairo.h>

#include <cstdlib>
#include <memory>
#include <string_view>

#include "sdl_backend.hpp"
#include "tev/surface.hpp"
#include "tev/tev_crt.hpp"
#include "x11_errors.hpp"

namespace tev {

namespace {

// The desktop drivers worth trying, from the environment the desktop sets. SDL would
// otherwise fall back to drivers that show nothing (its offscreen driver), so a program
// without a display would run unseen instead of saying so. SDL_VIDEODRIVER still overrides.
std::string desktopDrivers() {
    std::string drivers;
    if (const char* x11 = std::getenv("DISPLAY"); x11 != nullptr && *x11 != '\0') {
        drivers = "x11";
    }
    if (const char* wayland = std::getenv("WAYLAND_DISPLAY");
        wayland != nullptr && *wayland != '\0') {
        drivers += drivers.empty() ? "wayland" : ",wayland";
    }
    return drivers;
}

std::string displayName() {
    std::string name;
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        if (const char* value = std::getenv(variable); value != nullptr && *value != '\0') {
            name += std::string(name.empty() ? "" : ", ") + variable + "=" + value;
        }
    }
    return " (" + (name.empty() ? "neither DISPLAY nor WAYLAND_DISPLAY is set" : name) + ")";
}

[[noreturn]] void raiseNoDisplay(const char* what, const std::string& reason) {
    SDL_Quit();
    throw DisplayError(std::string(what) + displayName() + ": " + reason +
                       "; to run without a display, use --platform offscreen");
}

SDL_Rect scaled(const DeviceRect& rect, int scale) {
    return {rect.x * scale, rect.y * scale, rect.width * scale, rect.height * scale};
}

}  // namespace

SdlWindowBackend::SdlWindowBackend(const std::string& title, int scale)
    : scale_(scale), pointer_(scale) {
    // Ctrl-C and SIGTERM end the program as they end any other; the window's close button is
    // the way to ask it to close.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // A press that gives the window the focus also acts: pressing on the knob of a window in
    // the background starts a drag at once, as in other programs on the desktop.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // A color mixer left open must not keep the screen saver away.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    const std::string drivers = desktopDrivers();
    if (drivers.empty() && std::getenv("SDL_VIDEODRIVER") == nullptr) {
        raiseNoDisplay("cannot open a display", "no desktop session found");
    }
    SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers.c_str());
    // Before SDL connects: SDL keeps the error handler it finds and puts it back when it
    // closes its connections, which is when a late error would arrive.
    installX11ErrorHandlers(title);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        raiseNoDisplay("cannot open the display", SDL_GetError());
    }
    // On X11 the window surface is plain memory that SDL puts on the screen with shared-memory
    // images. SDL's default would copy it into an OpenGL texture instead, which on machines
    // without a GPU costs far more memory and start-up time and makes SDL replace the window
    // it first showed. Other drivers (Wayland) have no surface of their own and reach one only
    // through that texture, so they keep SDL's default.
    if (const char* driver = SDL_GetCurrentVideoDriver();
        driver != nullptr && std::string_view(driver) == "x11") {
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    }
    // The program reads no keyboard text: no input method needs to run for it.
    SDL_StopTextInput();

    window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               TevCrt::PixelWidth * scale_, TevCrt::PixelHeight * scale_,
                               SDL_WINDOW_HIDDEN);
    if (window_ == nullptr) {
        raiseNoDisplay("cannot create the window on the display", SDL_GetError());
    }
}

SdlWindowBackend::~SdlWindowBackend() {
    SDL_DestroyWindow(window_);
    SDL_Quit();
}

std::unique_ptr<Surface> SdlWindowBackend::createFrame(int width, int height) {
    SDL_Surface* target = scale_ == 1 ? SDL_GetWindowSurface(window_) : nullptr;
    // The frame's pixels are cairo's RGB24: 32 bits per pixel with red in bits 16 to 23,
    // SDL's RGB888. Where the window surface has that layout the frame can live in it.
    if (target == nullptr || target->format->format != SDL_PIXELFORMAT_RGB888 ||
        target->w < width || target->h < height ||
        cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, width) > target->pitch ||
        target->pitch % 4 != 0) {
        return Backend::createFrame(width, height);
    }
    auto frame = std::make_unique<Surface>(static_cast<std::uint32_t*>(target->pixels), width,
                                           height, target->pitch);
    sharedFrame_ = frame.get();
    return frame;
}

void SdlWindowBackend::moveFrameOffWindowSurface() {
    // SDL frees the old window surface only when asked for a new one, so its pixels are still
    // there to copy.
    ownFramePixels_.resize(static_cast<std::size_t>(sharedFrame_->width()) *
                           sharedFrame_->height());
    sharedFrame_->moveToMemory(ownFramePixels_.data(), sharedFrame_->width() * 4);
    sharedFrame_ = nullptr;
}

void SdlWindowBackend::present(const Surface& frame, const Region& changed) {
    if (!shown_) {
        // The first frame goes into the window surface while the window is still hidden, and
        // onto the screen as soon as the window shows, so the window never shows empty.
        drawIntoWindowSurface(frame, {frame.bounds()});
        SDL_ShowWindow(window_);
        shown_ = true;
        SDL_UpdateWindowSurface(window_);
        return;
    }
    const std::vector<SDL_Rect> areas = drawIntoWindowSurface(frame, changed.rects());
    if (!areas.empty() &&
        SDL_UpdateWindowSurfaceRects(window_, areas.data(), static_cast<int>(areas.size())) != 0 &&
        sharedFrame_ != nullptr) {
        // SDL gave up the window surface that holds the frame: copy from now on.
        moveFrameOffWindowSurface();
        showWholeFrame(frame);
    }
}

void SdlWindowBackend::showWholeFrame(const Surface& frame) {
    if (shown_) {
        drawIntoWindowSurface(frame, {frame.bounds()});
        SDL_UpdateWindowSurface(window_);
    }
}

std::vector<SDL_Rect> SdlWindowBackend::drawIntoWindowSurface(
    const Surface& frame, const std::vector<DeviceRect>& rects) {
    std::vector<SDL_Rect> areas;
    if (rects.empty()) {
        return areas;
    }
    if (&frame == sharedFrame_) {
        // Already in the window surface.
        cairo_surface_flush(frame.cairoSurface());
        for (const DeviceRect& rect : rects) {
            areas.push_back({rect.x, rect.y, rect.width, rect.height});
        }
        return areas;
    }
    SDL_Surface* target = SDL_GetWindowSurface(window_);
    if (target == nullptr) {
        throw DisplayError(std::string("cannot draw into the window: ") + SDL_GetError());
    }
    // The frame's pixels are cairo's RGB24, 32 bits per pixel with red in bits 16 to 23:
    // SDL's RGB888. SDL reads them in place.
    cairo_surface_t* pixels = frame.cairoSurface();
    cairo_surface_flush(pixels);
    const std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> source(
        SDL_CreateRGBSurfaceWithFormatFrom(
            cairo_image_surface_get_data(pixels), frame.width(), frame.height(), 32,
            cairo_image_surface_get_stride(pixels), SDL_PIXELFORMAT_RGB888),
        SDL_FreeSurface);
    if (source == nullptr) {
        throw DisplayError(std::string("cannot draw into the window: ") + SDL_GetError());
    }

    areas.reserve(rects.size());
    for (const DeviceRect& rect : rects) {
        SDL_Rect from{rect.x, rect.y, rect.width, rect.height};
        SDL_Rect to = scaled(rect, scale_);
        // Whole-number enlargement with SDL's nearest-pixel stretch: each frame pixel becomes
        // a block of scale x scale window pixels of the same color.
        SDL_BlitScaled(source.get(), &from, target, &to);
        areas.push_back(scaled(rect, scale_));
    }
    return areas;
}

void SdlWindowBackend::waitForInput(const Surface& frame, std::vector<PointerInput>& input) {
    const std::size_t before = input.size();
    while (input.size() == before) {
        SDL_Event event;
        if (SDL_WaitEvent(&event) == 0) {
            throw DisplayError(std::string("lost the display: ") + SDL_GetError());
        }
        handle(event, frame, input);
        // Everything already waiting goes into the same batch, so that consecutive pointer
        // movements can be merged.
        while (SDL_PollEvent(&event) != 0) {
            handle(event, frame, input);
        }
    }
}

void SdlWindowBackend::handle(const SDL_Event& event, const Surface& frame,
                              std::vector<PointerInput>& input) {
    switch (event.type) {
        case SDL_MOUSEBUTTONDOWN:
            if (event.button.button == SDL_BUTTON_LEFT) {
                pointer_.press(event.button.x, event.button.y, input);
            }
            break;
        case SDL_MOUSEBUTTONUP:
            if (event.button.button == SDL_BUTTON_LEFT) {
                pointer_.release(event.button.x, event.button.y, input);
            }
            break;
        case SDL_MOUSEMOTION:
            pointer_.motion(event.motion.x, event.motion.y,
                            (event.motion.state & SDL_BUTTON_LMASK) != 0, input);
            break;
        case SDL_WINDOWEVENT:
            switch (event.window.event) {
                case SDL_WINDOWEVENT_CLOSE:
                    pointer_.closeRequested(input);
                    break;
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    // SDL makes a new window surface for the new size: the frame cannot stay
                    // in the old one.
                    if (sharedFrame_ != nullptr) {
                        moveFrameOffWindowSurface();
                    }
                    showWholeFrame(frame);
                    break;
                case SDL_WINDOWEVENT_EXPOSED:
                case SDL_WINDOWEVENT_RESTORED:
                    // The system lost what the window showed, or SDL made a new window
                    // surface: show the last frame again.
                    showWholeFrame(frame);
                    break;
                case SDL_WINDOWEVENT_FOCUS_LOST:
                case SDL_WINDOWEVENT_HIDDEN:
                case SDL_WINDOWEVENT_MINIMIZED:
                    pointer_.mouseTakenAway(input);
                    break;
                default:
                    break;
            }
            break;
        default:
            break;
    }
}

void SdlWindowBackend::captureChanged(bool held) {
    pointer_.captureChanged(held);
    // Held through the system, so a drag goes on reporting while the pointer is outside the
    // window and its release arrives wherever it happens. SDL refuses it while the window
    // has no focus; the drag then still ends through the lost-capture report.
    SDL_CaptureMouse(held ? SDL_TRUE : SDL_FALSE);
}

std::unique_ptr<Backend> makeWindowBackend(const std::string& title, int scale) {
    return std::make_unique<SdlWindowBackend>(title, scale);
}

}  // namespace tev
