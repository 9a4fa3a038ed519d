// File conversion rate: 100 camera-size JPEGs and 20 BMPs converted as the
// conversion dialog runs them (progress dialog, worker thread, the run's own
// bookkeeping) beside the same decode + encode + EXIF done alone in one thread.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <random>
#include <string>

#include "DibSection.h"
#include "JpegCoder.h"
#include "base/AppServices.h"
#include "base/Utilities.h"
#include "convert/ConvertJob.h"
#include "convert/ExifHdrAdd.h"
#include "convert/ImageNumbering.h"
#include "convert/PlogressDlg.h"
#include "picture/BitmapFile.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768;  // the camera's picture
constexpr int kJpegs = 100, kBitmaps = 20;

// A page with a gradient and noise that differs from file to file.
HBITMAP MakePicture(unsigned seed) {
    BYTE* bits = nullptr;
    HBITMAP dib = device::CreateDib24(kWidth, kHeight, &bits);
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> noise(-6, 6);
    const size_t stride = static_cast<size_t>(device::DibStride(kWidth));
    for (int y = 0; dib && y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            for (int c = 0; c < 3; ++c)
                bits[y * stride + x * 3 + c] = static_cast<BYTE>(120 + (x + y * c) % 100 + noise(random));
    return dib;
}

bool MakeSources(const std::wstring& folder) {
    CJpegCoder coder = AppJpegCoder();
    for (int i = 0; i < kJpegs + kBitmaps; ++i) {
        HBITMAP picture = MakePicture(static_cast<unsigned>(i));
        wchar_t name[64];
        swprintf(name, 64, i < kJpegs ? L"page%03d.jpg" : L"page%03d.bmp", i);
        const std::wstring path = folder + name;
        const bool ok = picture && (i < kJpegs ? coder.SaveJpeg(path.c_str(), picture, 90) != 0
                                               : CBitmapFile().Save(path.c_str(), picture) != 0);
        if (picture) ::DeleteObject(picture);
        if (!ok) return false;
    }
    return true;
}

std::wstring MakeFolder(const std::wstring& parent, const wchar_t* name) {
    const std::wstring folder = parent + name + L"\\";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

double Seconds(const std::function<void()>& work) {
    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    work();
    ::QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
}

// Decode, encode and EXIF of every source, in this thread, nothing else.
int ConvertAlone(const std::wstring& in, const std::wstring& out) {
    int done = 0;
    for (int i = 0; i < kJpegs + kBitmaps; ++i) {
        wchar_t name[64];
        swprintf(name, 64, i < kJpegs ? L"page%03d.jpg" : L"page%03d.bmp", i);
        HBITMAP picture = nullptr;
        if (i < kJpegs) {
            fw::WindowDC dc(nullptr);
            AppJpegCoder().LoadJpegFile(&picture, (in + name).c_str(), dc.get(), 0, 0);
        } else {
            PictureRecord record;
            if (CBitmapFile().Load((in + name).c_str(), &record)) picture = record.bitmap;
        }
        const std::wstring target = ImageFileName(out, i + 1);
        const bool saved = picture && AppJpegCoder().SaveJpeg(target.c_str(), picture, 75);
        if (picture) ::DeleteObject(picture);
        CExifHdrAdd exif{fw::WindowDC(nullptr)};
        if (saved && exif.AddExifHeader(target.c_str(), target.c_str())) ++done;
    }
    return done;
}

// The dialog's run: the progress dialog with the conversion on its worker
// thread. `workSeconds`: the worker's part, without opening and closing the window.
int ConvertAsTheDialogDoes(const std::wstring& in, const std::wstring& out, double& workSeconds) {
    CConvertJob job;
    CPlogressDlg progress;
    progress.SetTexts(L"File Conversion", L"Converting File...", L"Number of converted files:");
    progress.SetThreadProc([&](CPlogressDlg::Work& work) {
        job.keepGoing = work.keepGoing;
        job.progress = work.report;
        workSeconds = Seconds([&] { job.DoConvert({false, L"", in, out}); });
    });
    progress.DoModal(nullptr);
    return kJpegs + kBitmaps - static_cast<int>(job.errors().entries().size());
}

}  // namespace

int wmain() {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring root = MakeFolder(temp, L"ConvertBench");
    const std::wstring in = MakeFolder(root, L"in");
    const std::wstring alone = MakeFolder(root, L"alone"), dialog = MakeFolder(root, L"dialog");
    EnsureCacheFolder(ConversionCacheFolder(), L"ConvertBench");
    if (!MakeSources(in)) {
        std::fprintf(stderr, "could not write the source pictures\n");
        return 1;
    }
    int aloneDone = 0, dialogDone = 0;
    const double aloneSeconds = Seconds([&] { aloneDone = ConvertAlone(in, alone); });
    double workSeconds = 0;
    const double dialogSeconds = Seconds([&] { dialogDone = ConvertAsTheDialogDoes(in, dialog, workSeconds); });
    const int files = kJpegs + kBitmaps;
    std::printf("File conversion, %d JPEGs and %d BMPs of %d x %d\n", kJpegs, kBitmaps, kWidth, kHeight);
    std::printf("  alone, one thread      %6.2f files/s  (%d converted in %.2f s)\n", files / aloneSeconds, aloneDone,
                aloneSeconds);
    std::printf("  conversion dialog run  %6.2f files/s  (%d converted in %.2f s)\n", files / dialogSeconds,
                dialogDone, dialogSeconds);
    std::printf("    its worker thread     %6.2f files/s  (%.2f s; the rest opens and closes the window)\n",
                files / workSeconds, workSeconds);
    std::printf("  dialog / alone         %6.1f %%  (goal: at least 80 %%)\n", 100.0 * aloneSeconds / dialogSeconds);
    std::printf("  worker / alone         %6.1f %%\n", 100.0 * aloneSeconds / workSeconds);
    try {
        DeleteFolderTree(root);
    } catch (const FileException&) {
        std::fprintf(stderr, "could not remove %ls\n", root.c_str());
    }
    return aloneDone == files && dialogDone == files ? 0 : 1;
}
