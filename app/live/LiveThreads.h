#pragma once
// The live monitor's two threads and the event between them, started and
// stopped as a pair: the request thread asks the camera for one frame at a
// time, the decode thread takes each completion in and draws it into the live
// picture. Used from the user-interface thread only.
#include <windows.h>

#include <memory>

#include "DeviceControl.h"
#include "Handles.h"

class CAnimeViewThread;
class CViewAnimeThread;
class ILiveFrameSink;

// What the live frame gives to its threads.
struct LiveStart {
    device::IDeviceControl* device;
    ILiveFrameSink* sink;  // may be null: frames are then taken in but not drawn
    HWND frameWindow;
};

class CLiveThreads {
public:
    CLiveThreads();
    // Stops what still runs.
    ~CLiveThreads();
    CLiveThreads(const CLiveThreads&) = delete;
    CLiveThreads& operator=(const CLiveThreads&) = delete;

    // 1 once both threads run (at once when they already do); 0 after the
    // failure is logged, with no thread running and nothing left behind. The
    // caller shows the message.
    int Start(const LiveStart& start);
    // Ends both threads and closes the event; nothing when none runs.
    void Stop();
    bool running() const { return request_ != nullptr; }

    // Counted: requests go on after as many resumes as pauses. Nothing while stopped.
    void Pause();
    void Resume();

    // The kept frame decoded and drawn again, on this thread; 1 when there was one.
    int RedrawKeptFrame();
    // The same on the decode thread.
    void PostRedrawKeptFrame();

    // For watching the threads; null while stopped.
    const CViewAnimeThread* requestThread() const { return request_.get(); }
    CAnimeViewThread* decodeThread() const { return decode_.get(); }

private:
    std::unique_ptr<CViewAnimeThread> request_;
    std::unique_ptr<CAnimeViewThread> decode_;
    fw::Handle frameReady_;  // set by the decode thread when the request thread may ask again
};
