#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace tev {

class OffscreenBackend;

// A malformed replay file; the message reads "FILE:LINE: what is wrong".
class ReplayError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Reads a replay: one action a line, at window pixels measured from the top-left corner like
// a screenshot (at the window's scale), and appends it to the backend's script:
//
//   press X Y     move X Y     release X Y     click X Y
//   close                      screenshot PATH
//
// Blank lines and lines starting with "#" are skipped. Each action after the first waits
// until the program has handled everything before it; a click is a press and a release
// together. At its end the replay closes the window.
void loadReplay(std::string_view text, const std::string& fileName, OffscreenBackend& backend);
void loadReplayFile(const std::string& path, OffscreenBackend& backend);

}  // namespace tev
