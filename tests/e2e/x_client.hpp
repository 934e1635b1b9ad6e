#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tev/color.hpp"

// Xlib's types stay in x_client.cpp: its macros (None, Bool, Status, ...) clash with the
// rest of the code.
struct _XDisplay;

namespace tev::e2e {

// An X window's id.
using XWindowId = unsigned long;

// Pixels read back from the X server, top-left origin.
struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB

    Rgb at(int x, int y) const;
    void writePng(const std::string& path) const;
};

// Where a window lies on the screen, in root-window pixels.
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The test's own connection to an X server: it finds the program's window, moves the real
// pointer and presses the real button through the XTest extension (the same path a person's
// mouse takes into the server), reads pixels back from the screen, and acts as a window
// manager would (asks a window to close, gives the focus to another window, hides a window).
class XClient {
  public:
    // Raises std::runtime_error when the display cannot be opened or lacks XTest.
    explicit XClient(const std::string& display);
    ~XClient();
    XClient(const XClient&) = delete;
    XClient& operator=(const XClient&) = delete;

    int screenWidth() const;
    int screenHeight() const;

    // The viewable window titled `title`, searched through the whole window tree.
    std::optional<XWindowId> findWindow(const std::string& title);
    ScreenRect placement(XWindowId window);

    // The real pointer, at root-window pixels, and the left button.
    void movePointer(int x, int y);
    void pressLeftButton();
    void releaseLeftButton();

    Screenshot capture(const ScreenRect& area);

    // WM_DELETE_WINDOW, as a window manager sends it when the user clicks the close button.
    void requestClose(XWindowId window);
    // Makes a small window of the test's own, shows it and gives it the keyboard focus.
    void focusAnotherWindow();
    void hide(XWindowId window);
    void show(XWindowId window);

    // Answers the X errors seen so far (an Xlib error would otherwise end the test).
    std::string takeErrors();

  private:
    void sync();

    _XDisplay* display_;
    XWindowId focusWindow_ = 0;
};

}  // namespace tev::e2e
