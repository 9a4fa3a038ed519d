#pragma once
// The live monitor as the main window keeps it: whether it plays, its zoom,
// where its window goes, and the pause around modal work. Knows the live
// window only through ILiveMonitor, so it runs without one in tests.
#include <windows.h>

// What the live control asks of the live window.
class ILiveMonitor {
public:
    virtual void SuspendRequests() = 0;
    virtual void ResumeRequests() = 0;
    // Decode denominator: 1, 2 or 4.
    virtual void SetLiveScale(int denominator) = 0;
    virtual HWND monitorWindow() const = 0;

protected:
    ~ILiveMonitor() = default;
};

class CLiveControl {
public:
    static constexpr SIZE kCameraPicture{1024, 768};

    ILiveMonitor* monitor() const { return monitor_; }
    bool playing() const { return playing_; }
    // A live window is being made for Start; it plays once Started.
    void Attach(ILiveMonitor* monitor);
    void Started() { playing_ = monitor_ != nullptr; }
    // Start on a window that exists: true when there was one to resume.
    bool ResumeExisting();
    // The window is going: returns it (null when none) and forgets it.
    ILiveMonitor* Release();
    // The window is gone (its destruction calls this); others are ignored.
    void Forget(ILiveMonitor* monitor);

    // A press on a picture or a decode that fell behind, and its end; both
    // do nothing without a live window.
    void Pause();
    void ResumeAfterPause();
    // Around modal work: the first remembers whether to resume, the second resumes.
    void SuspendForModal();
    void ResumeAfterModal();
    bool inModal() const { return modalDepth_ > 0; }

    // Decode denominator of the live zoom: 1, 2 or 4.
    int scaleCode() const { return scaleCode_; }
    void SetScale(int code);
    // The zoom of a capture: the live window's, or `bestFit` without one.
    double CaptureFactor(double bestFit) const;
    SIZE pictureSize() const { return picture_; }

    // Where a live window of `size` goes in an MDI area of `area` (client
    // coordinates): the remembered place while the window still fits, else
    // the next cascade place `next`, else (0, 0).
    POINT WindowPosition(SIZE size, POINT next, const RECT& area) const;
    void RememberPosition(POINT position) { position_ = position; }
    void ForgetPosition() { position_ = POINT{0, 0}; }

private:
    ILiveMonitor* monitor_ = nullptr;
    bool playing_ = false;
    bool resumePending_ = false;
    int modalDepth_ = 0;
    int scaleCode_ = 2;
    SIZE picture_ = kCameraPicture;
    POINT position_{0, 0};
};
