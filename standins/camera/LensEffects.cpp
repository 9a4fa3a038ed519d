#include "LensEffects.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "Bitmap24.h"

namespace standin {

namespace {
// Blurs `count` pixels that lie `step` bytes apart, in place, with a window
// of 2 * radius + 1 pixels clamped at the ends.
void BlurLine(uint8_t* first, int count, ptrdiff_t step, int radius, std::vector<uint8_t>& scratch) {
    scratch.resize(static_cast<size_t>(count) * 3);
    for (int i = 0; i < count; ++i) std::copy_n(first + i * step, 3, &scratch[static_cast<size_t>(i) * 3]);
    int window = 2 * radius + 1;
    for (int c = 0; c < 3; ++c) {
        auto at = [&](int i) { return static_cast<int>(scratch[static_cast<size_t>(std::clamp(i, 0, count - 1)) * 3 + c]); };
        int sum = 0;
        for (int i = -radius; i <= radius; ++i) sum += at(i);
        for (int i = 0; i < count; ++i) {
            first[i * step + c] = static_cast<uint8_t>(sum / window);
            sum += at(i + radius + 1) - at(i - radius);
        }
    }
}
}  // namespace

void ZoomInto(const Bitmap24& scene, Bitmap24& out, double zoom) {
    int w = static_cast<int>(std::lround(scene.width() / zoom));
    int h = static_cast<int>(std::lround(scene.height() / zoom));
    ::SetStretchBltMode(out.dc(), COLORONCOLOR);
    ::StretchBlt(out.dc(), 0, 0, out.width(), out.height(), scene.dc(), (scene.width() - w) / 2,
                 (scene.height() - h) / 2, w, h, SRCCOPY);
    ::GdiFlush();
}

void BoxBlur(Bitmap24& picture, int radius) {
    if (radius <= 0) return;
    std::vector<uint8_t> scratch;
    for (int y = 0; y < picture.height(); ++y) BlurLine(picture.row(y), picture.width(), 3, radius, scratch);
    for (int x = 0; x < picture.width(); ++x)
        BlurLine(picture.row(0) + x * 3, picture.height(), picture.stride(), radius, scratch);
}

void ApplyGain(Bitmap24& picture, double gain) {
    if (std::fabs(gain - 1.0) < 0.01) return;
    uint8_t table[256];
    for (int v = 0; v < 256; ++v) table[v] = static_cast<uint8_t>(std::min(255L, std::lround(v * gain)));
    for (int y = 0; y < picture.height(); ++y) {
        uint8_t* p = picture.row(y);
        for (int i = 0; i < picture.width() * 3; ++i) p[i] = table[p[i]];
    }
}

}  // namespace standin
