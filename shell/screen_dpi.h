// The screen's DPI, read once: the program does not follow a DPI change while
// it runs (the menu and its icons are made at start-up).
#pragma once

namespace tv {

int screenDpi();
// pixels at 96 DPI -> pixels on this screen
int scaledPixels(int pixels);

}  // namespace tv
