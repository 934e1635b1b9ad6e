#pragma once

#include <memory>
#include <string>

#include "tev/backend.hpp"

namespace tev {

// The window backend: shows the application window on the desktop and reads the real mouse.
// The window is 640 x 400 pixels times `scale`, centred, titled `title`. Raises DisplayError,
// with one line that says how to run without a display, when no display can be opened.
std::unique_ptr<Backend> makeWindowBackend(const std::string& title, int scale);

}  // namespace tev
