#pragma once
// The camera's end of the control channel (ControlBlock.h). When the named
// block is taken by another live camera object of this process, the camera
// still works on a private block that nobody else can reach.
#include <windows.h>

#include <memory>

#include "ControlBlock.h"
#include "Handles.h"

namespace standin {

struct CameraSettings;

class ControlChannel {
public:
    explicit ControlChannel(const CameraSettings& settings);
    ~ControlChannel();
    ControlChannel(const ControlChannel&) = delete;
    ControlChannel& operator=(const ControlChannel&) = delete;

    ControlBlock& block() { return *block_; }
    HANDLE wakeEvent() const { return wake_.get(); }
    bool shared() const { return view_ != nullptr; }

private:
    bool OpenShared();
    void Reset(const CameraSettings& settings);

    fw::Handle mapping_;
    fw::Handle wake_;
    void* view_ = nullptr;
    std::unique_ptr<ControlBlock> private_;
    ControlBlock* block_ = nullptr;
};

}  // namespace standin
