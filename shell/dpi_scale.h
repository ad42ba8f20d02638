// Pixel sizes are written for a 96 DPI screen; the program declares itself DPI
// aware, so on a 150% screen (144 DPI) every one of them is scaled by the DPI.
// tv2.ini keeps font sizes in 96 DPI pixels, the meaning they had in files
// written before: they are scaled when a font is made and scaled back when the
// user picks one.
#pragma once

namespace tv {

constexpr int designDpi = 96;

// pixels at 96 DPI -> pixels at dpi, rounded half away from zero (so -12 at
// 144 DPI is -18 and 1 is never 0 above 96 DPI). A dpi of 0 or less is 96.
int scaleForDpi(int pixels, int dpi);
// The reverse: pixels at dpi -> pixels at 96 DPI.
int unscaleForDpi(int pixels, int dpi);

}  // namespace tv
