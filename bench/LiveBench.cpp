// Live monitor throughput on the camera stand-in serving prepared frames
// from memory, unpaced: live frames per second at 25, 50 and 100 % and full
// screen, beside what decoding alone and drawing alone (picture surface, back
// buffer, paint) of the same frames at the same scale cost in this run. The
// live rate should reach 90 % of 1 / (decode + draw): the threads, events and
// locks between them cost little. Last, with the camera paced at 30 frames
// per second, the share of one core the whole process uses.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "live/AnimeFrame.h"
#include "live/AnimeView.h"
#include "BenchClock.h"
#include "CameraControlClient.h"
#include "DeviceCommand.h"
#include "picture/FullScreenWnd.h"
#include "shell/MainFrame.h"
#include "shell/PictavoApp.h"
#include "picture/ViewData.h"
#include "resource.h"

namespace {

class BenchApp : public CPictavoApp {
public:
    bool Start(const std::wstring& cameraLibrary) { return StartCore(cameraLibrary.c_str()); }
    void Stop() {
        if (mainWindow() && ::IsWindow(mainWindow())) ::DestroyWindow(mainWindow());
        ReleaseCore();
    }

protected:
    bool InitInstance() override { return true; }
};

using Frame = std::vector<BYTE>;

// Keeps the user-interface thread answering for `seconds`.
void Pump(double seconds) {
    for (double end = Seconds() + seconds;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        double left = end - Seconds();
        if (left <= 0) return;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left * 1000) + 1, QS_ALLINPUT);
    }
}

void Command(UINT id) {
    ::SendMessageW(PictavoApp()->mainFrame()->hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    Pump(0.05);
}

BOOL CALLBACK MatchFullScreen(HWND hwnd, LPARAM out) {
    wchar_t text[64] = {};
    ::GetWindowTextW(hwnd, text, 64);
    if (std::wstring(text) != kFullScreenWindowName) return TRUE;
    *reinterpret_cast<HWND*>(out) = hwnd;
    return FALSE;
}

void LeaveFullScreen() {
    HWND full = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), MatchFullScreen, reinterpret_cast<LPARAM>(&full));
    if (full) ::SendMessageW(full, WM_KEYDOWN, VK_ESCAPE, 0);
    Pump(0.05);
}

CAnimeView* LiveView() {
    CAnimeFrame* frame = PictavoApp()->mainFrame()->liveFrame();
    return frame ? dynamic_cast<CAnimeView*>(frame->view()) : nullptr;
}

// The camera's own frames, taken the way a still capture takes them.
std::vector<Frame> FetchFrames(int count) {
    std::vector<Frame> frames;
    device::IDeviceControl* device = PictavoApp()->deviceControl();
    const device::RequestHeader request = device::MakeRequest(device::kGetJpegImage);
    for (int i = 0; i < count; ++i) {
        HGLOBAL block = nullptr;
        DWORD size = 0, detail = 0;
        if (!device->bRequest(&request, &block, &size, &detail) || !block) continue;
        if (const BYTE* p = static_cast<const BYTE*>(::GlobalLock(block))) {
            if (size <= ::GlobalSize(block)) frames.emplace_back(p, p + size);
            ::GlobalUnlock(block);
        }
        ::GlobalFree(block);
    }
    return frames;
}

// Milliseconds per call of `step(i)`, over about half a second.
template <typename Step>
double TimePerCall(Step step) {
    for (int i = 0; i < 5; ++i) step(i);
    int calls = 0;
    const double start = Seconds();
    while (Seconds() - start < 0.5 || calls < 20) step(calls++);
    return (Seconds() - start) * 1000.0 / calls;
}

struct Setting {
    const char* name;
    UINT scaleCommand;
    bool fullScreen;
    int decodeDenominator;
};

struct Result {
    double decodeMs, drawMs, serialMs, liveFps;
};

// Decode alone: the document's decode at the live decode scale.
double DecodeMs(const std::vector<Frame>& frames, int denominator) {
    CViewData data;
    return TimePerCall([&](int i) {
        const Frame& f = frames[i % frames.size()];
        data.LoadPicture(f.data(), static_cast<DWORD>(f.size()), denominator);
    });
}

// Draw alone: with the live picture paused and a frame decoded, the view's
// drawing of it (picture surface, back buffer and paint, or the full-screen window).
double DrawMs(CAnimeView* view, const Frame& frame) {
    int outcome = 0;
    CLivePicture& picture = view->livePicture();
    picture.LoadPicture(frame.data(), static_cast<DWORD>(frame.size()), &outcome);
    Pump(0.05);
    return TimePerCall([&](int) { picture.ShowPicture(); });
}

double LiveFps(standin::CameraControlClient& camera, double seconds) {
    Pump(0.3);
    const LONG before = camera.Counters().frames;
    const double start = Seconds();
    Pump(seconds);
    return (camera.Counters().frames - before) / (Seconds() - start);
}

Result MeasureOnce(const std::vector<Frame>& frames, int denominator, standin::CameraControlClient& camera) {
    Result r{};
    // Alone means alone: the live picture pauses for these.
    Command(ID_LIVE_STOP);
    Pump(0.2);
    r.decodeMs = DecodeMs(frames, denominator);
    r.drawMs = DrawMs(LiveView(), frames[0]);
    r.serialMs = TimePerCall([&](int i) {
        const Frame& f = frames[i % frames.size()];
        int outcome = 0;
        LiveView()->livePicture().LoadPicture(f.data(), static_cast<DWORD>(f.size()), &outcome);
    });
    Command(ID_LIVE_START);
    r.liveFps = LiveFps(camera, 2.0);
    return r;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Rounds of all four measurements in turn, so that a slow moment of a shared
// machine touches one round, not one column; the median of each.
Result Measure(const Setting& s, const std::vector<Frame>& frames, standin::CameraControlClient& camera) {
    Command(s.scaleCommand);
    if (s.fullScreen) Command(ID_VIEW_FULL_SCREEN);
    constexpr int kRounds = 5;
    std::vector<double> decode, draw, serial, live;
    for (int round = 0; round < kRounds; ++round) {
        Result r = MeasureOnce(frames, s.decodeDenominator, camera);
        decode.push_back(r.decodeMs);
        draw.push_back(r.drawMs);
        serial.push_back(r.serialMs);
        live.push_back(r.liveFps);
    }
    if (s.fullScreen) LeaveFullScreen();
    return {Median(decode), Median(draw), Median(serial), Median(live)};
}

double ProcessCpuSeconds() {
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto toSeconds = [](const FILETIME& t) {
        return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e7;
    };
    return toSeconds(kernel) + toSeconds(user);
}

std::wstring PrepareFolder() {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"PictavoLiveBench" + std::to_wstring(::GetCurrentProcessId());
    ::CreateDirectoryW(folder.c_str(), nullptr);
    wchar_t self[MAX_PATH];
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring here(self);
    here.resize(here.find_last_of(L'\\') + 1);
    ::CopyFileW((here + L"KorvoDocCameraIM.dll").c_str(), (folder + L"\\KorvoDocCameraIM.dll").c_str(), FALSE);
    const char settings[] = "[Camera]\r\nFrameRate=0\r\nPreparedFrames=6\r\n";
    HANDLE file = ::CreateFileW((folder + L"\\KorvoDocCameraIM.ini").c_str(), GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(file, settings, sizeof(settings) - 1, &written, nullptr);
    ::CloseHandle(file);
    ::CreateDirectoryW((folder + L"\\SDCard").c_str(), nullptr);
    return folder;
}

void RemoveFolder(const std::wstring& folder) {
    for (const wchar_t* name : {L"\\KorvoDocCameraIM.dll", L"\\KorvoDocCameraIM.ini"})
        ::DeleteFileW((folder + name).c_str());
    ::RemoveDirectoryW((folder + L"\\SDCard").c_str());
    ::RemoveDirectoryW(folder.c_str());
}

int Run(BenchApp& app) {
    ::ShowWindow(app.mainWindow(), SW_SHOW);
    ::MoveWindow(app.mainWindow(), 0, 0, 1200, 900, TRUE);
    standin::CameraControlClient camera;
    if (!camera.connected()) {
        std::printf("The camera stand-in's control channel is not there.\n");
        return 1;
    }
    std::vector<Frame> frames = FetchFrames(6);
    if (frames.empty()) {
        std::printf("The camera stand-in gave no frame.\n");
        return 1;
    }
    Command(ID_LIVE_START);
    if (!LiveView()) {
        std::printf("The live monitor did not open.\n");
        return 1;
    }
    const Setting settings[] = {{"25 %", ID_LIVE_SCALE_25, false, 4},
                                {"50 %", ID_LIVE_SCALE_50, false, 2},
                                {"100 %", ID_LIVE_SCALE_100, false, 1},
                                {"full screen", ID_LIVE_SCALE_50, true, 1}};
    std::printf("Live monitor, %zu prepared 1024 x 768 frames of %zu KB, camera unpaced\n\n", frames.size(),
                frames[0].size() / 1024);
    std::printf("%-12s %10s %10s %12s %10s %10s %8s\n", "scale", "decode ms", "draw ms", "1/(d+d) fps",
                "one thread", "live fps", "share");
    for (const Setting& s : settings) {
        Result r = Measure(s, frames, camera);
        const double bound = 1000.0 / (r.decodeMs + r.drawMs);
        std::printf("%-12s %10.2f %10.2f %12.1f %10.1f %10.1f %7.0f%%\n", s.name, r.decodeMs, r.drawMs, bound,
                    1000.0 / r.serialMs, r.liveFps, 100.0 * r.liveFps / bound);
    }

    Command(ID_LIVE_SCALE_50);
    camera.SetFrameRate(30);
    Pump(1.0);
    const double cpuBefore = ProcessCpuSeconds(), wallBefore = Seconds();
    const LONG framesBefore = camera.Counters().frames;
    Pump(6.0);
    const double wall = Seconds() - wallBefore;
    std::printf("\nCamera paced at 30 fps, 50 %%: %.1f fps shown, process CPU %.1f %% of one core\n",
                (camera.Counters().frames - framesBefore) / wall, 100.0 * (ProcessCpuSeconds() - cpuBefore) / wall);
    Command(ID_LIVE_STOP);
    return 0;
}

}  // namespace

int main() {
    const std::wstring folder = PrepareFolder();
    int result = 1;
    {
        BenchApp app;
        if (app.Start(folder + L"\\KorvoDocCameraIM.dll")) {
            result = Run(app);
        } else {
            std::printf("The image application did not start on the camera stand-in.\n");
        }
        app.Stop();
    }
    RemoveFolder(folder);
    return result;
}
