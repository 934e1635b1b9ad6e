#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tev/surface.hpp"

namespace tev::testing {

// Compares a frame with the checked-in golden image tests/golden/NAME.png. On a mismatch it
// names the first differing pixel and writes NAME.actual.png and NAME.diff.png (differing
// pixels in red) to the test output folder. A missing golden image is a failure, unless
// TEV_UPDATE_GOLDEN=1 is set, which writes the frame as the new golden image.
::testing::AssertionResult matchesGolden(const Surface& frame, const std::string& name);

// Loads a PNG into a surface; raises a RuntimeError when it cannot.
std::unique_ptr<Surface> loadPng(const std::string& path);

// Where tests write files they leave for a person to look at.
std::string outputPath(const std::string& fileName);

}  // namespace tev::testing
