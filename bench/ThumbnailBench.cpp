// Thumbnails per second of a card folder of 50 camera files on the camera
// stand-in's card, read as the SD viewer reads them (one asynchronous
// request at a time, decoded and cached on the user-interface thread):
// the first showing from the card and the second from the cache, with the
// longest the message loop waited for one message's handling.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "BenchClock.h"
#include "BenchStandIn.h"
#include "DibSection.h"
#include "Handles.h"
#include "JpegCoder.h"
#include "base/Utilities.h"
#include "sdview/ThumbnailList.h"

namespace {

constexpr int kFiles = 50;
constexpr int kRounds = 3;
constexpr SIZE kPicture{1600, 1200};
const std::wstring kCardFolder = L"C:\\DCIM\\100BENCH";

// A camera-sized JPEG of a colour gradient, as the built-in coder writes it.
std::string MakePicture(const std::wstring& scratch) {
    BYTE* bits = nullptr;
    fw::GdiObject bitmap(device::CreateDib24(kPicture.cx, kPicture.cy, &bits));
    if (!bitmap) return "";
    const size_t stride = static_cast<size_t>(device::DibStride(kPicture.cx));
    for (int y = 0; y < kPicture.cy; ++y)
        for (int x = 0; x < kPicture.cx; ++x) {
            BYTE* p = bits + y * stride + x * 3;
            p[0] = static_cast<BYTE>(x / 7), p[1] = static_cast<BYTE>(y / 5), p[2] = static_cast<BYTE>((x + y) / 11);
        }
    const bool saved = CJpegCoder(nullptr, nullptr).SaveJpeg(scratch.c_str(), static_cast<HBITMAP>(bitmap.get()), 85) != 0;
    std::string bytes;
    HANDLE file = saved ? ::CreateFileW(scratch.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                        : INVALID_HANDLE_VALUE;
    if (file == INVALID_HANDLE_VALUE) return "";
    bytes.resize(::GetFileSize(file, nullptr));
    DWORD read = 0;
    ::ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    ::CloseHandle(file);
    return bytes;
}

struct Showing {
    double seconds = 0;
    double longestBlock = 0;  // the longest single message handling, seconds
};

// Shows the folder and runs the message loop until the reading is over.
Showing Show(CThumbnailList& list) {
    Showing result;
    const double start = Seconds();
    list.ShowFolder(kCardFolder);
    result.longestBlock = Seconds() - start;
    MSG msg;
    while (list.IsBusy()) {
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
            continue;
        }
        const double before = Seconds();
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
        result.longestBlock = std::max(result.longestBlock, Seconds() - before);
    }
    result.seconds = Seconds() - start;
    return result;
}

void DeleteQuietly(const std::wstring& folder) {
    try {
        if (PathExists(folder)) DeleteFolderTree(folder);
    } catch (const FileException&) {
        std::printf("ThumbnailBench: %ls was left behind.\n", folder.c_str());
    }
}

int Measure(device::IDeviceControl* camera) {
    HWND parent = ::CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr, nullptr,
                                    nullptr, nullptr);
    HWND pane = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    int result = 1;
    {
        CThumbnailList list(camera);
        if (list.Create(parent, 1, pane, nullptr)) {
            ::MoveWindow(list.hwnd(), 0, 0, 620, 440, FALSE);
            Showing first{1e9, 0}, second{1e9, 0};
            double longest = 0;
            bool complete = true;
            for (int round = 0; round < kRounds; ++round) {
                DeleteQuietly(list.cacheRoot());
                const Showing card = Show(list);
                complete = complete && list.Count() == kFiles;
                const Showing cached = Show(list);
                complete = complete && list.Count() == kFiles;
                first.seconds = std::min(first.seconds, card.seconds);
                second.seconds = std::min(second.seconds, cached.seconds);
                longest = std::max({longest, card.longestBlock, cached.longestBlock});
            }
            std::printf("Thumbnails of %d camera files of %ldx%ld on the camera stand-in's card (best of %d runs):\n",
                        kFiles, kPicture.cx, kPicture.cy, kRounds);
            std::printf("  first showing, from the card   %8.1f thumbnails/s\n", kFiles / first.seconds);
            std::printf("  second showing, from the cache %8.1f thumbnails/s\n", kFiles / second.seconds);
            std::printf("  longest the window did not answer %6.1f ms\n", longest * 1000);
            result = complete ? 0 : 1;
            if (!complete) std::printf("ThumbnailBench: a showing did not list all %d files.\n", kFiles);
        }
    }
    ::DestroyWindow(pane);
    ::DestroyWindow(parent);
    return result;
}

}  // namespace

int wmain() {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"PictavoThumbnailBench" + std::to_wstring(::GetCurrentProcessId()) + L"\\";
    const std::wstring card = folder + L"SDCard\\DCIM\\100BENCH\\";
    for (const std::wstring& f : {folder, folder + L"SDCard\\", folder + L"SDCard\\DCIM\\", card})
        ::CreateDirectoryW(f.c_str(), nullptr);
    int result = 1;
    {
        StandIn standIn;
        const std::string picture = MakePicture(folder + L"picture.jpg");
        bool made = !picture.empty();
        for (int i = 1; made && i <= kFiles; ++i) {
            wchar_t name[16];
            swprintf(name, 16, L"IMAG%04d.JPG", i);
            made = WriteBytes(card + name, picture);
        }
        if (!made || !standIn.Load(folder))
            std::printf("ThumbnailBench: could not prepare the files or the camera stand-in.\n");
        else
            result = Measure(standIn.camera);
    }
    DeleteQuietly(folder);
    return result;
}
