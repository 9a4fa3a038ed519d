#pragma once
// Hand-over-to-screen latency of live frames, for LiveBench. The camera
// stand-in stamps each frame with the performance counter at hand-over
// (StampFrames=1); the probe reads that stamp from each completion the decode
// thread's hidden window receives, notes which frame number of the live
// picture it became, and when a paint of the view (or a full-screen draw)
// has put that frame on the screen, takes the time since the stamp. The
// program knows nothing of it: the probe subclasses both windows.
#include <windows.h>

#include <vector>

class CLivePicture;

namespace bench {

class LatencyProbe {
public:
    // One probe at a time; false when a window is missing.
    bool Attach(HWND completionWindow, HWND view, const CLivePicture* picture);
    void Detach();
    // The samples so far are dropped (user-interface thread).
    void Reset() { samplesMs_.clear(); }
    const std::vector<double>& samplesMs() const { return samplesMs_; }

private:
    static LRESULT CALLBACK CompletionProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void OnCompletion(LPARAM record, WNDPROC original, HWND hwnd, UINT msg, WPARAM wParam);
    void OnShown();

    HWND completion_ = nullptr;
    HWND view_ = nullptr;
    WNDPROC completionProc_ = nullptr;
    WNDPROC viewProc_ = nullptr;
    const CLivePicture* picture_ = nullptr;
    long lastShown_ = 0;
    std::vector<double> samplesMs_;
};

// The given percentile (0..100) of `values`; 0 when there are none.
double Percentile(std::vector<double> values, double percent);

}  // namespace bench
