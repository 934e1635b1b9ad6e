#pragma once

// A slider that counts the drags the user has finished and shows the count in the application
// window's text grid. It reacts by overriding OnEndTrack, the method behind the EndTrack slot:
// a callback its owner stores in EndTrack still runs, before this method.

#include "tevslid.hpp"

class DragCountingSlider : public tev::TevSlider {
  public:
    // The text position where the count is written.
    int CountRow = 11;
    int CountColumn = 16;

    int DragsFinished() const { return nDragsFinished; }

    tev::TevSlider& OnEndTrack(const tev::MessageParam& mp1, const tev::MessageParam& mp2) override;

  private:
    int nDragsFinished = 0;
};
