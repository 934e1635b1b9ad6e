#pragma once

#include <optional>

#include "tev/geometry.hpp"
#include "tev/pres_space.hpp"

namespace tev {

// The drawing functions, on a presentation space. Coordinates are the space's own pixels,
// origin bottom-left, y up; lines and boxes include their end points and corners.

// Sets the foreground color and, when given, the background color (color indexes) of a
// presentation space; with no colors it changes nothing. Answers the previous pair.
std::array<int, 2> GraSetColor(PresSpace& oPS, std::optional<int> nForeground = std::nullopt,
                               std::optional<int> nBackground = std::nullopt);
// The same on the application window's presentation space.
std::array<int, 2> GraSetColor(std::nullptr_t, std::optional<int> nForeground = std::nullopt,
                               std::optional<int> nBackground = std::nullopt);

// A straight line in the foreground color.
void GraLine(PresSpace& oPS, const PositionPair& aStart, const PositionPair& aEnd);

// A box between two opposite corners: mode 1 fills it with the area color, 2 outlines it in
// the foreground color, 3 does both. Inside a path bracket it adds the box to the path.
void GraBox(PresSpace& oPS, const PositionPair& aStart, const PositionPair& aEnd, int nMode);

// The path bracket: boxes drawn between GraPathBegin and GraPathEnd form a path instead of
// being drawn; GraPathClip(true) makes the closed path the clip of all later drawing,
// GraPathClip(false) lifts it.
void GraPathBegin(PresSpace& oPS);
void GraPathEnd(PresSpace& oPS);
void GraPathClip(PresSpace& oPS, bool lClip);

}  // namespace tev
