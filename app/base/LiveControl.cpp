#include "base/LiveControl.h"

void CLiveControl::Attach(ILiveMonitor* monitor) {
    monitor_ = monitor;
    picture_ = kCameraPicture;
    playing_ = false;
}

bool CLiveControl::ResumeExisting() {
    if (!monitor_) return false;
    monitor_->ResumeRequests();
    playing_ = true;
    return true;
}

ILiveMonitor* CLiveControl::Release() {
    ILiveMonitor* monitor = monitor_;
    resumePending_ = false;
    monitor_ = nullptr;
    playing_ = false;
    return monitor;
}

void CLiveControl::Forget(ILiveMonitor* monitor) {
    if (monitor_ != monitor) return;
    monitor_ = nullptr;
    playing_ = false;
}

void CLiveControl::Pause() {
    if (!monitor_ || !playing_) return;
    monitor_->SuspendRequests();
    playing_ = false;
}

void CLiveControl::ResumeAfterPause() {
    if (!monitor_ || playing_) return;
    monitor_->ResumeRequests();
    playing_ = true;
}

void CLiveControl::SuspendForModal() {
    if (playing_ && monitor_) {
        resumePending_ = true;
        monitor_->SuspendRequests();
        playing_ = false;
    }
    ++modalDepth_;
}

void CLiveControl::ResumeAfterModal() {
    if (modalDepth_ > 0) --modalDepth_;
    if (resumePending_ && monitor_) {
        monitor_->ResumeRequests();
        playing_ = true;
    }
    resumePending_ = false;
}

void CLiveControl::SetScale(int code) {
    scaleCode_ = code;
    if (monitor_) monitor_->SetLiveScale(code);
}

double CLiveControl::CaptureFactor(double bestFit) const {
    if (!monitor_) return bestFit;
    return scaleCode_ == 4 ? 0.25 : scaleCode_ == 2 ? 0.5 : 1.0;
}

POINT CLiveControl::WindowPosition(SIZE size, POINT next, const RECT& area) const {
    const POINT at = position_.x || position_.y ? position_ : next;
    const bool fits =
        at.x + size.cx + 20 <= area.right - area.left && at.y + size.cy + 20 <= area.bottom - area.top;
    return fits ? at : POINT{0, 0};
}
