#pragma once

#include <cstdint>
#include <vector>

#include "tev/bitmap.hpp"

namespace tev {

// Identifiers of the bitmap resources compiled into the platform.
inline constexpr int RaisedKnobBitmap = 1003;
inline constexpr int PressedKnobBitmap = 1004;

// The bitmap resource with the given identifier, decoded on first use and kept. An unknown
// identifier or a malformed resource raises a RuntimeError naming the resource.
const Bitmap& loadBitmapResource(int id);

// Adds or replaces a bitmap resource from the bytes of a BMP file, for programs that bring
// pictures of their own. The bytes are decoded when the resource is first loaded.
void registerBitmapResource(int id, std::vector<std::uint8_t> bmpFile);

}  // namespace tev
