#pragma once

// The color mixer: three horizontal sliders for the red, green and blue components of a color
// and a swatch painted in their mix, with the three values written below the sliders.

// The program's entry procedure, called by the platform's start-up once the application
// window exists. Returns after it has dispatched the close request.
void Main();

// Shows a mix: puts it into the application window's color table at the highest index,
// paints the swatch from {300, 100} to {550, 240} in it, and writes "R/G/B" and the three
// components at row 22, column 10. Components run from 0 to 255 and are passed on unrounded.
void RGB(double nRed, double nGreen, double nBlue);
