#pragma once

#include <array>
#include <optional>
#include <vector>

#include "tev/color.hpp"
#include "tev/geometry.hpp"
#include "tev/region.hpp"

namespace tev {

class Window;
struct DrawTarget;

// An array of attribute values in which any element may be empty.
using AttributeArray = std::vector<std::optional<int>>;

// The elements of an area attribute array, as indexes into it.
namespace area {
inline constexpr std::size_t Color = 0;            // area (fill) color index
inline constexpr std::size_t BackgroundColor = 1;  // area background color index
inline constexpr std::size_t MixMode = 2;
inline constexpr std::size_t BackgroundMixMode = 3;
inline constexpr std::size_t Pattern = 4;
inline constexpr std::size_t Count = 5;
}  // namespace area

// The drawing state of a window: a color table, the current line and area attributes, and
// the path bracket and clip of the drawing calls (see graphics.hpp). Coordinates are the
// window's own pixels, origin at its bottom-left corner, y up.
//
// By default the color table starts with the two colors of an engraved groove on a light
// grey face: index 0 is white (the lit edge), index 1 dark grey (the shadowed edge).
class PresSpace {
  public:
    static constexpr int TableSize = 16;

    explicit PresSpace(Window& owner);

    Window& owner() const { return owner_; }

    int maxColorIndex() const { return TableSize - 1; }
    // Gives a color table entry a new color and answers the old one. Components are real
    // numbers on a scale topping at 255; they are rounded to nearest and clamped to 0..255.
    Rgb setColorIndex(int index, const std::array<double, 3>& components);
    Rgb colorOfIndex(int index) const;

    // Sets the foreground (line) color and, when given, the background color, as color
    // indexes; answers the previous pair {foreground, background}.
    std::array<int, 2> setColor(std::optional<int> foreground,
                                std::optional<int> background = std::nullopt);
    int foreground() const { return foreground_; }
    int background() const { return background_; }

    // Sets the area attributes that `attributes` gives (see namespace area); empty elements
    // leave an attribute alone. Answers all attributes in force before the call, in a form
    // that can be passed back.
    AttributeArray setAttrArea(const AttributeArray& attributes);
    const AttributeArray& areaAttributes() const { return area_; }

    // Drawing, used by the Gra functions.
    void drawLine(const PositionPair& from, const PositionPair& to, const char* operation);
    void drawBox(const PositionPair& from, const PositionPair& to, int mode, const char* operation);
    void beginPath(const char* operation);
    void endPath(const char* operation);
    void clipToPath(bool enable, const char* operation);

    bool hasOpenPath() const { return pathOpen_; }
    bool isClipped() const { return clip_.has_value(); }

  private:
    struct DevicePoint {
        int x;
        int y;
    };
    DevicePoint toDevice(const PositionPair& point, int left, int bottomRow,
                         const char* operation) const;
    void checkIndex(int index, const char* operation) const;
    // Narrows the target's clip to the clip path in force, if any.
    void applyPathClip(DrawTarget& target, const char* operation) const;

    Window& owner_;
    std::array<Rgb, TableSize> table_;
    int foreground_;
    int background_;
    AttributeArray area_;
    bool pathOpen_ = false;
    std::optional<std::vector<Rect>> path_;  // the boxes of the last closed path
    std::vector<Rect> building_;             // the boxes of the open path
    std::optional<std::vector<Rect>> clip_;  // the clip path in force, in window pixels
};

}  // namespace tev
