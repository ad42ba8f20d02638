#include "shell/dpi_scale.h"

namespace tv {

namespace {

// value * numerator / denominator in 64 bits, rounded half away from zero.
int mulDivRounded(int value, int numerator, int denominator) {
    long long product = static_cast<long long>(value) * numerator;
    long long half = denominator / 2;
    return static_cast<int>((product >= 0 ? product + half : product - half) / denominator);
}

int usableDpi(int dpi) { return dpi > 0 ? dpi : designDpi; }

}  // namespace

int scaleForDpi(int pixels, int dpi) { return mulDivRounded(pixels, usableDpi(dpi), designDpi); }

int unscaleForDpi(int pixels, int dpi) { return mulDivRounded(pixels, designDpi, usableDpi(dpi)); }

}  // namespace tv
