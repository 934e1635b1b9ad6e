#pragma once

#include "tev/message_param.hpp"

namespace tev {

// Event codes of the platform. Mouse events carry the pointer position relative to the
// receiving control in mp1 (a position pair) and nothing in mp2.
inline constexpr EventCode MouseMotion = 0x00002001;
inline constexpr EventCode MouseLeftDown = 0x00002002;
inline constexpr EventCode MouseLeftUp = 0x00002003;
inline constexpr EventCode MouseLeftClick = 0x00002004;

// The close request: the user asked to close the application window. It is addressed to the
// application window; the program ends its event loop after dispatching it.
inline constexpr EventCode CloseRequest = 0x100038;

// Codes from here on belong to programs and their controls; the platform never sends them.
inline constexpr EventCode FirstUserEvent = 0x08000000;

}  // namespace tev
