#include "shell/screen_dpi.h"

#include <windows.h>

#include "shell/dpi_scale.h"

namespace tv {

int screenDpi() {
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        int value = screen ? GetDeviceCaps(screen, LOGPIXELSY) : designDpi;
        if (screen) ReleaseDC(nullptr, screen);
        return value;
    }();
    return dpi;
}

int scaledPixels(int pixels) { return scaleForDpi(pixels, screenDpi()); }

}  // namespace tv
