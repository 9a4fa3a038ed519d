// Decode rate of one camera-like 1024 x 768 frame at the live monitor's three
// scales, through each codec library and through the built-in coder.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "DibSection.h"
#include "JpegCoder.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768;
constexpr int kWarmUp = 5, kRuns = 60;

// A document under the camera: a lit page with a gradient, lines of dark
// glyph-sized marks, a coloured picture block and sensor noise.
void PaintFrame(BYTE* bits) {
    const size_t stride = static_cast<size_t>(device::DibStride(kWidth));
    std::mt19937 random(42);
    std::normal_distribution<double> noise(0.0, 4.0);
    std::uniform_int_distribution<int> glyph(0, 99);
    std::vector<bool> ink(static_cast<size_t>(kWidth) * kHeight, false);
    for (int line = 60; line < 560; line += 28)
        for (int x = 80; x < 940;) {
            int w = 6 + glyph(random) % 10;
            bool space = glyph(random) < 15;
            for (int y = line; y < line + 16 && !space; ++y)
                for (int dx = 0; dx < w; ++dx)
                    if ((dx + y) % 5 != 0 || glyph(random) < 40) ink[static_cast<size_t>(y) * kWidth + x + dx] = true;
            x += w + 3;
        }
    for (int y = 0; y < kHeight; ++y) {
        BYTE* row = bits + static_cast<size_t>(kHeight - 1 - y) * stride;
        for (int x = 0; x < kWidth; ++x) {
            double light = 200.0 + 40.0 * x / kWidth - 30.0 * y / kHeight;
            double b = light, g = light, r = light + 10;
            if (ink[static_cast<size_t>(y) * kWidth + x]) b = g = r = 40;
            if (x > 600 && x < 940 && y > 580 && y < 740) {  // a photograph on the page
                b = 120 + 100 * std::sin(x / 23.0), g = 90 + 80 * std::cos(y / 17.0), r = 150 + 60 * std::sin((x + y) / 31.0);
            }
            const double n = noise(random);
            row[x * 3 + 0] = static_cast<BYTE>(std::clamp(b + n, 0.0, 255.0));
            row[x * 3 + 1] = static_cast<BYTE>(std::clamp(g + n, 0.0, 255.0));
            row[x * 3 + 2] = static_cast<BYTE>(std::clamp(r + n, 0.0, 255.0));
        }
    }
}

// The frame as the camera would send it: a JPEG file, quality 75.
std::string MakeFrame() {
    BYTE* bits = nullptr;
    HBITMAP dib = device::CreateDib24(kWidth, kHeight, &bits);
    if (!dib) return {};
    PaintFrame(bits);
    wchar_t folder[MAX_PATH], path[MAX_PATH];
    ::GetTempPathW(MAX_PATH, folder);
    ::GetTempFileNameW(folder, L"pvb", 0, path);
    std::string jpeg;
    if (CJpegCoder(nullptr, nullptr).SaveJpeg(path, dib, 75)) {
        std::ifstream in(path, std::ios::binary);
        jpeg.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    ::DeleteFileW(path);
    ::DeleteObject(dib);
    return jpeg;
}

double MedianSeconds(CJpegCoder& coder, const std::string& jpeg, int denominator) {
    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    for (int run = 0; run < kWarmUp + kRuns; ++run) {
        HBITMAP bitmap = nullptr;
        ::QueryPerformanceCounter(&start);
        int ok = coder.DecodeJpeg(nullptr, jpeg.data(), static_cast<DWORD>(jpeg.size()), &bitmap, 0, denominator);
        ::QueryPerformanceCounter(&end);
        if (!ok) return -1;
        ::DeleteObject(bitmap);
        if (run >= kWarmUp) times.push_back(double(end.QuadPart - start.QuadPart) / frequency.QuadPart);
    }
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    return times[times.size() / 2];
}

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH];
    DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

void Report(const char* name, CJpegCoder coder, const std::string& jpeg) {
    std::printf("%-22s", name);
    for (int denominator : {1, 2, 4}) {
        double seconds = MedianSeconds(coder, jpeg, denominator);
        if (seconds <= 0)
            std::printf("  %12s", "failed");
        else
            std::printf("  %8.1f fps", 1.0 / seconds);
    }
    std::printf("\n");
}

}  // namespace

int main() {
    const std::string jpeg = MakeFrame();
    if (jpeg.empty()) {
        std::fprintf(stderr, "could not make the test frame\n");
        return 1;
    }
    std::printf("1024 x 768 frame, %zu bytes; median of %d decodes\n", jpeg.size(), kRuns);
    std::printf("%-22s  %12s  %12s  %12s\n", "decoder", "1/1", "1/2", "1/4");
    Report("built-in (SIMD)", CJpegCoder(nullptr, nullptr), jpeg);
    int status = 0;
    for (const wchar_t* name : {L"PictavoSIMD.dll", L"PictavoIJG.dll"}) {
        HMODULE library = ::LoadLibraryW((ProgramFolder() + name).c_str());
        auto load = library ? reinterpret_cast<device::FncLoadJpegWFn>(::GetProcAddress(library, "FncLoadJpegW")) : nullptr;
        char label[64];
        std::snprintf(label, sizeof(label), "%ls", name);
        if (!load) {
            std::printf("%-22s  not loaded\n", label);
            status = 1;
            continue;
        }
        Report(label, CJpegCoder(load, nullptr), jpeg);
        ::FreeLibrary(library);
    }
    return status;
}
