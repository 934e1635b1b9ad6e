#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "pointer_translator.hpp"
#include "tev/backend.hpp"

struct SDL_Window;
struct SDL_Rect;
union SDL_Event;

namespace tev {

// The application window on the desktop, drawn through SDL2's software framebuffer: each
// frame copies only the damaged rectangles into the window surface (enlarged `scale` times
// by pixel replication) and updates just those on the screen. Waiting for input blocks in
// the system's wait, so an idle program uses no processor time.
//
// The window is created hidden and shown once its first frame is drawn, so nobody sees it
// empty.
class SdlWindowBackend : public Backend {
  public:
    // Raises DisplayError when no display can be opened or the window cannot be made.
    SdlWindowBackend(const std::string& title, int scale);
    ~SdlWindowBackend() override;
    SdlWindowBackend(const SdlWindowBackend&) = delete;
    SdlWindowBackend& operator=(const SdlWindowBackend&) = delete;

    // At scale 1 the frame lives in the window surface itself when its pixel layout allows,
    // so presenting only tells the system which rectangles changed.
    std::unique_ptr<Surface> createFrame(int width, int height) override;
    void present(const Surface& frame, const Region& changed) override;
    void waitForInput(const Surface& frame, std::vector<PointerInput>& input) override;
    void captureChanged(bool held) override;

  private:
    void handle(const SDL_Event& event, const Surface& frame, std::vector<PointerInput>& input);
    // Copies the device rectangles of `frame` into the window surface, enlarged; answers the
    // window rectangles they cover, for the update that puts them on the screen.
    std::vector<SDL_Rect> drawIntoWindowSurface(const Surface& frame,
                                                const std::vector<DeviceRect>& rects);
    // After an expose or a restore: the last frame again, all of it.
    void showWholeFrame(const Surface& frame);

    // When SDL has let go of the window surface that holds the frame (the window was
    // resized), the frame moves to memory of the backend's own and is copied from then on.
    void moveFrameOffWindowSurface();

    int scale_;
    // The frame, while its pixels are the window surface's; null when frames are copied.
    Surface* sharedFrame_ = nullptr;
    std::vector<std::uint32_t> ownFramePixels_;
    SDL_Window* window_ = nullptr;
    bool shown_ = false;
    PointerTranslator pointer_;
};

}  // namespace tev
