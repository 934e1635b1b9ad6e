#include "tev/graphics.hpp"

#include "tev/application.hpp"
#include "tev/tev_crt.hpp"

namespace tev {

std::array<int, 2> GraSetColor(PresSpace& oPS, std::optional<int> nForeground,
                               std::optional<int> nBackground) {
    return oPS.setColor(nForeground, nBackground);
}

std::array<int, 2> GraSetColor(std::nullptr_t, std::optional<int> nForeground,
                               std::optional<int> nBackground) {
    return GraSetColor(Application::current("GraSetColor").appWindow().presSpace(), nForeground,
                       nBackground);
}

void GraLine(PresSpace& oPS, const PositionPair& aStart, const PositionPair& aEnd) {
    oPS.drawLine(aStart, aEnd, "GraLine");
}

void GraBox(PresSpace& oPS, const PositionPair& aStart, const PositionPair& aEnd, int nMode) {
    oPS.drawBox(aStart, aEnd, nMode, "GraBox");
}

void GraPathBegin(PresSpace& oPS) {
    oPS.beginPath("GraPathBegin");
}

void GraPathEnd(PresSpace& oPS) {
    oPS.endPath("GraPathEnd");
}

void GraPathClip(PresSpace& oPS, bool lClip) {
    oPS.clipToPath(lClip, "GraPathClip");
}

}  // namespace tev
