// Memory transfer of the camera's 1024 x 768 picture through the data source,
// as a host does it: from MSG_XFERREADY to TWRC_XFERDONE (the decode of the
// picture included), and the rate of the block copies alone.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "Twain.h"

namespace {

constexpr int kWarmUp = 2, kRuns = 20;
LARGE_INTEGER g_ready{};

TW_UINT16 __stdcall Manager(TW_IDENTITY*, TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16 msg, TW_MEMREF) {
    if (msg == MSG_XFERREADY) ::QueryPerformanceCounter(&g_ready);
    return TWRC_SUCCESS;
}

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH];
    DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s(path, n);
    return s.substr(0, s.find_last_of(L'\\') + 1);
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return double(to.QuadPart - from.QuadPart) / double(f.QuadPart);
}

struct Run {
    double readyToDone;  // seconds
    double copying;      // seconds of the block transfers after the picture was prepared
    size_t bytes;
};

bool OneTransfer(DSENTRYPROC ds, TW_IDENTITY& app, Run& run) {
    TW_USERINTERFACE ui{};
    if (ds(&app, DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui) != TWRC_SUCCESS) return false;
    TW_SETUPMEMXFER setup{};
    ds(&app, DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, &setup);
    TW_IMAGEINFO info{};
    ds(&app, DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info);
    LARGE_INTEGER prepared, done;
    ::QueryPerformanceCounter(&prepared);
    std::vector<BYTE> buffer(setup.Preferred);
    TW_IMAGEMEMXFER xfer{};
    TW_UINT16 rc = TWRC_SUCCESS;
    run.bytes = 0;
    while (rc == TWRC_SUCCESS) {
        xfer = TW_IMAGEMEMXFER{};
        xfer.Memory.Flags = 0x1 | 0x8;
        xfer.Memory.Length = setup.Preferred;
        xfer.Memory.TheMem = buffer.data();
        rc = ds(&app, DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &xfer);
        run.bytes += xfer.BytesWritten;
    }
    ::QueryPerformanceCounter(&done);
    run.readyToDone = Seconds(g_ready, done);
    run.copying = Seconds(prepared, done);
    TW_PENDINGXFERS pending{};
    ds(&app, DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending);
    ds(&app, DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui);
    return rc == TWRC_XFERDONE && info.ImageWidth == 1024;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main() {
    HMODULE library = ::LoadLibraryW((ProgramFolder() + L"KorvoDocCamera.ds").c_str());
    auto ds = library ? reinterpret_cast<DSENTRYPROC>(::GetProcAddress(library, "DS_Entry")) : nullptr;
    if (!ds) {
        std::printf("KorvoDocCamera.ds is missing beside the benchmark\n");
        return 1;
    }
    TW_IDENTITY app{};
    app.Id = 1;
    app.ProtocolMajor = 1;
    app.ProtocolMinor = 9;
    TW_ENTRYPOINT entry{sizeof(TW_ENTRYPOINT), Manager, nullptr, nullptr, nullptr, nullptr};
    ds(&app, DG_CONTROL, DAT_ENTRYPOINT, MSG_SET, &entry);
    TW_IDENTITY own{};
    ds(&app, DG_CONTROL, DAT_IDENTITY, MSG_GET, &own);
    own.Id = 2;
    if (ds(&app, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &own) != TWRC_SUCCESS) {
        std::printf("the source did not open (camera stand-in beside it?)\n");
        return 1;
    }
    std::vector<double> ready, copying;
    size_t bytes = 0;
    for (int i = 0; i < kWarmUp + kRuns; ++i) {
        Run run{};
        if (!OneTransfer(ds, app, run)) {
            std::printf("transfer %d failed\n", i);
            return 1;
        }
        bytes = run.bytes;
        if (i < kWarmUp) continue;
        ready.push_back(run.readyToDone);
        copying.push_back(run.copying);
    }
    ds(&app, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &own);
    double mb = bytes / 1e6;
    std::printf("TWAIN memory transfer, 1024 x 768 x 24 bits (%.2f MB) in 65535-byte blocks, median of %d\n", mb,
                kRuns);
    std::printf("  MSG_XFERREADY to TWRC_XFERDONE (decode and blocks): %7.1f ms  %7.1f MB/s\n",
                Median(ready) * 1e3, mb / Median(ready));
    std::printf("  block copies alone (picture prepared):              %7.1f ms  %7.1f MB/s\n",
                Median(copying) * 1e3, mb / Median(copying));
    return 0;
}
