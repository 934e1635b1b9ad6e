#include "tev/backend.hpp"

#include "tev/surface.hpp"

namespace tev {

std::unique_ptr<Surface> Backend::createFrame(int width, int height) {
    return std::make_unique<Surface>(width, height);
}

}  // namespace tev
