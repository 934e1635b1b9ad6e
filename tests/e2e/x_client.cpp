#include "x_client.hpp"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <cairo.h>

#include <cstring>
#include <memory>
#include <stdexcept>
#include <utility>

namespace tev::e2e {

namespace {

// Xlib reports protocol errors through one process-wide handler; the test collects them
// instead of letting the default handler end the test binary.
std::string gErrors;

int collectError(Display* display, XErrorEvent* error) {
    char text[256];
    XGetErrorText(display, error->error_code, text, sizeof text);
    gErrors += std::string(text) + " (request " + std::to_string(error->request_code) + ")\n";
    return 0;
}

std::optional<XWindowId> searchTree(Display* display, Window window, const std::string& title) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes) != 0 &&
        attributes.map_state == IsViewable) {
        char* name = nullptr;
        if (XFetchName(display, window, &name) != 0 && name != nullptr) {
            const bool matches = title == name;
            XFree(name);
            if (matches) {
                return window;
            }
        }
    }
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count) == 0) {
        return std::nullopt;
    }
    std::optional<XWindowId> found;
    for (unsigned int i = 0; i < count && !found; ++i) {
        found = searchTree(display, children[i], title);
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

}  // namespace

Rgb Screenshot::at(int x, int y) const {
    const std::uint32_t value = pixels[static_cast<std::size_t>(y) * width + x];
    return {static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value)};
}

void Screenshot::writePng(const std::string& path) const {
    std::vector<std::uint32_t> copy = pixels;
    cairo_surface_t* surface =
        cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(copy.data()),
                                            CAIRO_FORMAT_RGB24, width, height, width * 4);
    cairo_surface_write_to_png(surface, path.c_str());
    cairo_surface_destroy(surface);
}

XClient::XClient(const std::string& display) : display_(XOpenDisplay(display.c_str())) {
    if (display_ == nullptr) {
        throw std::runtime_error("cannot open the X display " + display);
    }
    XSetErrorHandler(collectError);
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(display_, &eventBase, &errorBase, &major, &minor)) {
        XCloseDisplay(display_);
        throw std::runtime_error("the X server " + display + " has no XTest extension");
    }
}

XClient::~XClient() {
    XCloseDisplay(display_);
}

int XClient::screenWidth() const {
    return DisplayWidth(display_, DefaultScreen(display_));
}

int XClient::screenHeight() const {
    return DisplayHeight(display_, DefaultScreen(display_));
}

void XClient::sync() {
    XSync(display_, False);
}

std::optional<XWindowId> XClient::findWindow(const std::string& title) {
    return searchTree(display_, DefaultRootWindow(display_), title);
}

ScreenRect XClient::placement(XWindowId window) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display_, window, &attributes) == 0) {
        throw std::runtime_error("the program's window is gone");
    }
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
    return {x, y, attributes.width, attributes.height};
}

void XClient::movePointer(int x, int y) {
    XTestFakeMotionEvent(display_, DefaultScreen(display_), x, y, CurrentTime);
    sync();
}

void XClient::pressLeftButton() {
    XTestFakeButtonEvent(display_, Button1, True, CurrentTime);
    sync();
}

void XClient::releaseLeftButton() {
    XTestFakeButtonEvent(display_, Button1, False, CurrentTime);
    sync();
}

Screenshot XClient::capture(const ScreenRect& area) {
    // XDestroyImage is a macro: it needs a function of its own to be a deleter.
    const auto destroy = [](XImage* image) { XDestroyImage(image); };
    const std::unique_ptr<XImage, decltype(destroy)> image(
        XGetImage(display_, DefaultRootWindow(display_), area.x, area.y,
                  static_cast<unsigned>(area.width), static_cast<unsigned>(area.height), AllPlanes,
                  ZPixmap),
        destroy);
    if (!image) {
        throw std::runtime_error("XGetImage failed: " + takeErrors());
    }
    Screenshot shot{area.width, area.height, {}};
    shot.pixels.reserve(static_cast<std::size_t>(area.width) * area.height);
    for (int y = 0; y < area.height; ++y) {
        for (int x = 0; x < area.width; ++x) {
            const unsigned long pixel = XGetPixel(image.get(), x, y);
            // The server's visual is 24-bit TrueColor; its masks place each channel.
            auto channel = [&](unsigned long mask) {
                unsigned long value = pixel & mask;
                while (mask != 0 && (mask & 1) == 0) {
                    mask >>= 1;
                    value >>= 1;
                }
                return static_cast<std::uint32_t>(value & 0xFF);
            };
            shot.pixels.push_back(channel(image->red_mask) << 16 | channel(image->green_mask) << 8 |
                                  channel(image->blue_mask));
        }
    }
    return shot;
}

void XClient::requestClose(XWindowId window) {
    XEvent event;
    std::memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window, False, NoEventMask, &event);
    sync();
}

void XClient::focusAnotherWindow() {
    if (focusWindow_ == 0) {
        const Window root = DefaultRootWindow(display_);
        focusWindow_ = XCreateSimpleWindow(display_, root, 0, 0, 40, 40, 0, 0, 0);
        XMapWindow(display_, focusWindow_);
        // Without a window manager the map takes effect at once, so after the round trip
        // the window is viewable and may take the focus.
        sync();
    }
    XSetInputFocus(display_, focusWindow_, RevertToParent, CurrentTime);
    sync();
}

void XClient::hide(XWindowId window) {
    XUnmapWindow(display_, window);
    sync();
}

void XClient::show(XWindowId window) {
    XMapWindow(display_, window);
    sync();
}

std::string XClient::takeErrors() {
    sync();
    return std::exchange(gErrors, std::string());
}

}  // namespace tev::e2e
