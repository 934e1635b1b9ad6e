#include "tev/pres_space.hpp"

#include <algorithm>
#include <cmath>
#include <utility>

#include "tev/runtime_error.hpp"
#include "tev/surface.hpp"
#include "tev/window.hpp"

namespace tev {

namespace {

constexpr std::array<Rgb, PresSpace::TableSize> kDefaultTable{{
    {255, 255, 255},  // 0: white, the lit edge of an engraved groove
    {128, 128, 128},  // 1: dark grey, its shadowed edge
    {0, 0, 0},        // 2: black
    {0, 0, 255},      // 3: blue
    {255, 0, 0},      // 4: red
    {255, 0, 255},    // 5: magenta
    {0, 255, 0},      // 6: green
    {0, 255, 255},    // 7: cyan
    {255, 255, 0},    // 8: yellow
    {192, 192, 192},  // 9: light grey
    {0, 0, 128},      // 10: dark blue
    {128, 0, 0},      // 11: dark red
    {128, 0, 128},    // 12: dark magenta
    {0, 128, 0},      // 13: dark green
    {0, 128, 128},    // 14: dark cyan
    {128, 128, 0},    // 15: brown
}};

constexpr int kDefaultForeground = 2;
constexpr int kDefaultBackground = 0;

std::uint8_t toComponent(double value, const char* operation) {
    if (!std::isfinite(value)) {
        throw RuntimeError(operation, "color component is not a finite number");
    }
    return static_cast<std::uint8_t>(std::clamp(std::round(value), 0.0, 255.0));
}

enum BoxMode { Fill = 1, Outline = 2, OutlineAndFill = 3 };

}  // namespace

PresSpace::PresSpace(Window& owner)
    : owner_(owner),
      table_(kDefaultTable),
      foreground_(kDefaultForeground),
      background_(kDefaultBackground),
      area_{kDefaultForeground, kDefaultBackground, 0, 0, 0} {}

void PresSpace::checkIndex(int index, const char* operation) const {
    if (index < 0 || index > maxColorIndex()) {
        throw RuntimeError(operation, "color index " + std::to_string(index) + " is outside 0 to " +
                                          std::to_string(maxColorIndex()));
    }
}

Rgb PresSpace::setColorIndex(int index, const std::array<double, 3>& components) {
    checkIndex(index, "setColorIndex");
    const Rgb color{toComponent(components[0], "setColorIndex"),
                    toComponent(components[1], "setColorIndex"),
                    toComponent(components[2], "setColorIndex")};
    return std::exchange(table_[static_cast<std::size_t>(index)], color);
}

Rgb PresSpace::colorOfIndex(int index) const {
    checkIndex(index, "colorOfIndex");
    return table_[static_cast<std::size_t>(index)];
}

std::array<int, 2> PresSpace::setColor(std::optional<int> foreground,
                                       std::optional<int> background) {
    if (foreground) {
        checkIndex(*foreground, "setColor");
    }
    if (background) {
        checkIndex(*background, "setColor");
    }
    const std::array<int, 2> previous{foreground_, background_};
    foreground_ = foreground.value_or(foreground_);
    background_ = background.value_or(background_);
    return previous;
}

AttributeArray PresSpace::setAttrArea(const AttributeArray& attributes) {
    if (attributes.size() > area::Count) {
        throw RuntimeError("setAttrArea", "an area attribute array has at most 5 elements, got " +
                                              std::to_string(attributes.size()));
    }
    for (const std::size_t colorElement : {area::Color, area::BackgroundColor}) {
        if (colorElement < attributes.size() && attributes[colorElement]) {
            checkIndex(*attributes[colorElement], "setAttrArea");
        }
    }
    AttributeArray previous = area_;
    for (std::size_t i = 0; i < attributes.size(); ++i) {
        if (attributes[i]) {
            area_[i] = attributes[i];
        }
    }
    return previous;
}

PresSpace::DevicePoint PresSpace::toDevice(const PositionPair& point, int left, int bottomRow,
                                           const char* operation) const {
    return {left + toPixel(point.x, operation), bottomRow - toPixel(point.y, operation)};
}

void PresSpace::applyPathClip(DrawTarget& target, const char* operation) const {
    if (!clip_) {
        return;
    }
    Region allowed;
    for (const Rect& box : *clip_) {
        const DevicePoint a = toDevice({box.x1, box.y1}, target.left, target.bottomRow, operation);
        const DevicePoint b = toDevice({box.x2, box.y2}, target.left, target.bottomRow, operation);
        allowed.unite(DeviceRect::spanning(a.x, a.y, b.x, b.y));
    }
    target.clip.intersect(allowed);
}

void PresSpace::drawLine(const PositionPair& from, const PositionPair& to, const char* operation) {
    DrawTarget target = owner_.drawTarget();
    const DevicePoint a = toDevice(from, target.left, target.bottomRow, operation);
    const DevicePoint b = toDevice(to, target.left, target.bottomRow, operation);
    // A line reaches no further than one pixel beyond the pixels its ends span (its square
    // caps); one that misses the clip has nothing to draw. Painting part of a control, most
    // of its lines miss: a slider repainted under its thumb draws one tick of ten.
    const DeviceRect reach = DeviceRect::spanning(std::min(a.x, b.x) - 1, std::min(a.y, b.y) - 1,
                                                  std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1);
    if (reach.intersected(target.clip.extents()).isEmpty()) {
        return;
    }
    applyPathClip(target, operation);
    const DeviceRect touched =
        DeviceRect::spanning(a.x, a.y, b.x, b.y).intersected(target.clip.extents());
    target.surface.drawLine(a.x, a.y, b.x, b.y, table_[static_cast<std::size_t>(foreground_)],
                            target.clip);
    if (!touched.isEmpty()) {
        owner_.noteDrawn(touched);
    }
}

void PresSpace::drawBox(const PositionPair& from, const PositionPair& to, int mode,
                        const char* operation) {
    if (pathOpen_) {
        // Inside a path bracket the box only becomes part of the path; check it now all the same.
        toPixel(from.x, operation);
        toPixel(from.y, operation);
        toPixel(to.x, operation);
        toPixel(to.y, operation);
        building_.push_back({std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x),
                             std::max(from.y, to.y)});
        return;
    }
    if (mode != Fill && mode != Outline && mode != OutlineAndFill) {
        throw RuntimeError(operation, "unknown box mode " + std::to_string(mode) +
                                          " (1 fills, 2 outlines, 3 does both)");
    }
    DrawTarget target = owner_.drawTarget();
    const DevicePoint a = toDevice(from, target.left, target.bottomRow, operation);
    const DevicePoint b = toDevice(to, target.left, target.bottomRow, operation);
    applyPathClip(target, operation);
    const DeviceRect box = DeviceRect::spanning(a.x, a.y, b.x, b.y);
    bool changed = false;
    if (mode == Fill || mode == OutlineAndFill) {
        const int areaColor = area_[area::Color].value_or(kDefaultForeground);
        changed |=
            target.surface.fillRect(box, table_[static_cast<std::size_t>(areaColor)], target.clip);
    }
    if (mode == Outline || mode == OutlineAndFill) {
        const Rgb line = table_[static_cast<std::size_t>(foreground_)];
        const int right = box.x + box.width - 1;
        const int bottom = box.y + box.height - 1;
        changed |= target.surface.fillRect({box.x, box.y, box.width, 1}, line, target.clip);
        changed |= target.surface.fillRect({box.x, bottom, box.width, 1}, line, target.clip);
        changed |= target.surface.fillRect({box.x, box.y, 1, box.height}, line, target.clip);
        changed |= target.surface.fillRect({right, box.y, 1, box.height}, line, target.clip);
    }
    // A box that repeats what is there (the same swatch painted again) has nothing to show.
    const DeviceRect touched = box.intersected(target.clip.extents());
    if (changed && !touched.isEmpty()) {
        owner_.noteDrawn(touched);
    }
}

void PresSpace::beginPath(const char* operation) {
    if (pathOpen_) {
        throw RuntimeError(operation, "a path is open already");
    }
    pathOpen_ = true;
    building_.clear();
}

void PresSpace::endPath(const char* operation) {
    if (!pathOpen_) {
        throw RuntimeError(operation, "no path is open");
    }
    pathOpen_ = false;
    path_ = std::move(building_);
    building_.clear();
}

void PresSpace::clipToPath(bool enable, const char* operation) {
    if (!enable) {
        clip_.reset();
        return;
    }
    if (pathOpen_) {
        throw RuntimeError(operation, "the path is still open (close it with GraPathEnd)");
    }
    if (!path_) {
        throw RuntimeError(operation, "there is no path to clip to");
    }
    clip_ = std::move(path_);
    path_.reset();
}

}  // namespace tev
